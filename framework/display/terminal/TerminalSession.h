#pragma once

#include <unistd.h>

#include <string_view>

namespace fw::terminal {

struct TerminalSize {
  int columns = 80;
  int rows = 24;

  friend constexpr bool operator==(const TerminalSize&, const TerminalSize&) = default;
};

// Takes over the terminal for the full-screen display and gives it back on every way out.
//
// When the input is a terminal it is put into raw mode: no echo, no line editing, no flow control
// (so Ctrl+Q and Ctrl+S arrive as bytes), CR not turned into LF; Ctrl+C and Ctrl+Z keep their
// signals. Input that is not a terminal (a pipe of keys) is read as it is. The output is switched
// to the alternate screen with the cursor hidden.
//
// The terminal is restored by the destructor (also while an exception unwinds), at std::exit, and
// on SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE and the signals of a crash or abort (SIGABRT,
// SIGSEGV, SIGBUS, SIGFPE, SIGILL): the handler restores it with nothing but write() and
// tcsetattr() and then lets the signal take its default course. On SIGTSTP the terminal is
// restored while the process is stopped and taken over again when it continues. SIGWINCH and the
// continuation each ask for a full redraw (TakeRedrawRequest).
//
// One session at a time; a second one while the first is active throws std::logic_error.
class TerminalSession {
 public:
  explicit TerminalSession(int inputFd = STDIN_FILENO, int outputFd = STDOUT_FILENO);
  ~TerminalSession();
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  bool InputIsTerminal() const { return inputIsTerminal_; }
  bool OutputIsTerminal() const { return outputIsTerminal_; }
  int InputFd() const { return inputFd_; }

  // The output terminal's size; 80 x 24 when the output is not a terminal or does not tell.
  TerminalSize Size() const;
  // True once after the size may have changed or the screen was lost (SIGWINCH, continuing after
  // a stop): the caller reads Size() anew and draws everything.
  static bool TakeRedrawRequest();

  // Throws away what has been typed on the input terminal and not yet read; input that is not a
  // terminal is left alone.
  void DiscardTypedInput() const;

  // Writes all bytes to the output; throws fw::RuntimeException when that fails.
  void Write(std::string_view bytes) const;

  // Gives the terminal back: normal screen, cursor shown, the saved terminal modes, the signal
  // handlers there were before. Calling it again does nothing.
  void Restore();

 private:
  int inputFd_;
  int outputFd_;
  bool inputIsTerminal_;
  bool outputIsTerminal_;
  bool restored_ = false;
};

}  // namespace fw::terminal
