#include "framework/display/terminal/TerminalSession.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "framework/core/Exceptions.h"

namespace fw::terminal {

namespace {

constexpr char kEnterBytes[] = "\x1b[?1049h\x1b[?25l";           // alternate screen, no cursor
constexpr char kRestoreBytes[] = "\x1b[0m\x1b[?25h\x1b[?1049l";  // plain style, cursor, screen

constexpr std::array kRestoringSignals = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGPIPE,
                                          SIGABRT, SIGSEGV, SIGBUS, SIGFPE,  SIGILL};

// What the signal handlers need, set up before they are installed. Only the session's thread
// writes it outside the handlers.
struct TakenTerminal {
  volatile std::sig_atomic_t active = 0;  // the terminal is taken over
  int inputFd = -1;
  int outputFd = -1;
  bool hasModes = false;
  termios savedModes{};
  termios rawModes{};
};

TakenTerminal taken;
volatile std::sig_atomic_t redrawRequested = 0;
struct sigaction previousActions[kRestoringSignals.size()];
struct sigaction previousStop;
struct sigaction previousResize;

// write() until all bytes are out or an error other than EINTR; usable in a signal handler.
void WriteAllSafely(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;
    }
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
}

// Async-signal-safe: gives the terminal back if it is taken.
void GiveBackTerminal() {
  if (taken.active == 0) return;
  taken.active = 0;
  WriteAllSafely(taken.outputFd, kRestoreBytes, sizeof kRestoreBytes - 1);
  if (taken.hasModes) ::tcsetattr(taken.inputFd, TCSANOW, &taken.savedModes);
}

// Async-signal-safe: takes the terminal over with the modes prepared before.
void TakeTerminal() {
  if (taken.hasModes) ::tcsetattr(taken.inputFd, TCSANOW, &taken.rawModes);
  WriteAllSafely(taken.outputFd, kEnterBytes, sizeof kEnterBytes - 1);
  taken.active = 1;
}

void OnRestoringSignal(int signal) {
  GiveBackTerminal();
  // SA_RESETHAND has put back the default action; the signal is blocked while this handler runs,
  // so it takes effect as soon as the handler returns.
  std::raise(signal);
}

void OnStop(int) {
  const int savedErrno = errno;
  const bool wasActive = taken.active != 0;
  GiveBackTerminal();
  std::raise(SIGSTOP);
  if (wasActive) TakeTerminal();  // continued
  redrawRequested = 1;
  errno = savedErrno;
}

void OnResize(int) { redrawRequested = 1; }

void RestoreAtExit() { GiveBackTerminal(); }

void Install(int signal, void (*handler)(int), int flags, struct sigaction* previous) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = flags;
  ::sigaction(signal, &action, previous);
}

termios RawModes(termios modes) {
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP | INPCK |
                                          PARMRK | BRKINT);
  modes.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  modes.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN);  // ISIG stays
  modes.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  modes.c_cflag |= CS8;
  modes.c_cc[VMIN] = 1;
  modes.c_cc[VTIME] = 0;
  return modes;
}

[[noreturn]] void ThrowSystemError(const char* what) {
  throw RuntimeException(Text(std::string(what) + ": " + std::strerror(errno)));
}

}  // namespace

TerminalSession::TerminalSession(int inputFd, int outputFd)
    : inputFd_(inputFd),
      outputFd_(outputFd),
      inputIsTerminal_(::isatty(inputFd) == 1),
      outputIsTerminal_(::isatty(outputFd) == 1) {
  if (taken.active != 0) throw std::logic_error("a terminal session is already active");
  taken.inputFd = inputFd;
  taken.outputFd = outputFd;
  taken.hasModes = false;
  if (inputIsTerminal_) {
    if (::tcgetattr(inputFd, &taken.savedModes) != 0) {
      ThrowSystemError("Das Terminal lässt sich nicht einrichten");
    }
    taken.rawModes = RawModes(taken.savedModes);
    taken.hasModes = true;
  }
  static const bool registered = std::atexit(RestoreAtExit) == 0;
  (void)registered;

  for (std::size_t i = 0; i < kRestoringSignals.size(); ++i) {
    Install(kRestoringSignals[i], OnRestoringSignal, static_cast<int>(SA_RESETHAND),
            &previousActions[i]);
  }
  Install(SIGTSTP, OnStop, SA_RESTART, &previousStop);
  Install(SIGWINCH, OnResize, 0, &previousResize);  // no SA_RESTART: a waiting poll() wakes up
  redrawRequested = 0;

  if (taken.hasModes && ::tcsetattr(inputFd, TCSANOW, &taken.rawModes) != 0) {
    const int error = errno;
    Restore();
    errno = error;
    ThrowSystemError("Das Terminal lässt sich nicht einrichten");
  }
  WriteAllSafely(outputFd, kEnterBytes, sizeof kEnterBytes - 1);
  taken.active = 1;
}

TerminalSession::~TerminalSession() { Restore(); }

void TerminalSession::Restore() {
  if (restored_) return;
  restored_ = true;
  GiveBackTerminal();
  for (std::size_t i = 0; i < kRestoringSignals.size(); ++i) {
    ::sigaction(kRestoringSignals[i], &previousActions[i], nullptr);
  }
  ::sigaction(SIGTSTP, &previousStop, nullptr);
  ::sigaction(SIGWINCH, &previousResize, nullptr);
}

TerminalSize TerminalSession::Size() const {
  if (!outputIsTerminal_) return TerminalSize{};
  winsize size{};
  if (::ioctl(outputFd_, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
    return TerminalSize{};
  }
  return TerminalSize{size.ws_col, size.ws_row};
}

bool TerminalSession::TakeRedrawRequest() {
  if (redrawRequested == 0) return false;
  redrawRequested = 0;
  return true;
}

void TerminalSession::DiscardTypedInput() const {
  // Should the terminal refuse, the keys stay and are read as typed, as before this was asked.
  if (inputIsTerminal_) (void)::tcflush(inputFd_, TCIFLUSH);
}

void TerminalSession::Write(std::string_view bytes) const {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(outputFd_, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError("Die Ausgabe an das Terminal ist fehlgeschlagen");
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

}  // namespace fw::terminal
