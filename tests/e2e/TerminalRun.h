#pragma once

// Runs the built executable on a pseudo-terminal, as a person at a terminal would: keys are typed
// on the master side, and the screen is read back through a small VT100 emulator. Unlike keys
// from a pipe, keys typed here are subject to everything the display does for a terminal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "e2e/ProgramRun.h"
#include "framework/TerminalEmulatorForTests.h"
#include "framework/display/terminal/ScreenBuffer.h"
#include "support/PseudoTerminal.h"

extern char** environ;

namespace e2e {

// Generous, for a machine loaded by parallel builds: only a failing test waits this long.
constexpr std::chrono::seconds kScreenTimeout{90};

class TerminalRun {
 public:
  // Starts the executable in `workingDir` with LEDGER_FILE set, on a terminal of that size that
  // is its controlling terminal. Its standard error goes to a file in `workingDir`.
  TerminalRun(const std::string& executable, const std::string& workingDir,
              const std::string& journal, int columns, int rows)
      : pty_(columns, rows), columns_(columns), rows_(rows), errPath_(workingDir + "/.errors") {
    // Everything the child needs is made before fork(): it calls only async-signal-safe functions.
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      if (std::string(*entry).rfind("LEDGER_FILE=", 0) != 0) environment.emplace_back(*entry);
    }
    environment.push_back("LEDGER_FILE=" + journal);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = executable;
    char* argv[] = {program.data(), nullptr};

    child_ = ::fork();
    if (child_ < 0) throw std::runtime_error("fork");
    if (child_ == 0) {
      ::setsid();
      // The first terminal that a session leader opens becomes its controlling terminal.
      const int tty = ::open(pty_.SlaveName().c_str(), O_RDWR);
      const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (tty < 0 || err < 0 || ::chdir(workingDir.c_str()) != 0) ::_exit(120);
      ::dup2(tty, STDIN_FILENO);
      ::dup2(tty, STDOUT_FILENO);
      ::dup2(err, STDERR_FILENO);
      for (const int fd : {tty, err, pty_.Master(), pty_.Slave()}) {
        if (fd > STDERR_FILENO) ::close(fd);
      }
      ::execve(program.c_str(), argv, envp.data());
      ::_exit(127);
    }
    reader_ = std::thread([this] { ReadOutput(); });
  }

  ~TerminalRun() {
    if (!exited_) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    stop_ = true;
    reader_.join();
  }

  TerminalRun(const TerminalRun&) = delete;
  TerminalRun& operator=(const TerminalRun&) = delete;

  void Type(const std::string& bytes) {
    if (::write(pty_.Master(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      throw std::runtime_error("typing on the pseudo terminal failed");
    }
  }

  // Changes the terminal's size and tells the program, as a terminal window does.
  void Resize(int columns, int rows) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      columns_ = columns;
      rows_ = rows;
    }
    pty_.Resize(columns, rows);
    ::kill(child_, SIGWINCH);
  }

  // The screen as the terminal shows it now.
  fw::terminal::ScreenBuffer Screen() const {
    std::string output;
    int columns = 0;
    int rows = 0;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      output = output_;
      columns = columns_;
      rows = rows_;
    }
    fw::terminal::testing::TerminalEmulator emulator(columns, rows);
    emulator.Apply(WithoutPrivateModes(output));
    return emulator.Screen();
  }
  // The screen as text, for a failure message.
  std::string ScreenText() const {
    const fw::terminal::ScreenBuffer screen = Screen();
    std::string text = "\n";
    for (int row = 0; row < screen.Rows(); ++row) text += "|" + screen.RowText(row) + "|\n";
    return text;
  }

  // Waits until the screen satisfies `shows`; false when it has not after kScreenTimeout.
  bool WaitFor(const std::function<bool(const fw::terminal::ScreenBuffer&)>& shows) const {
    const auto deadline = std::chrono::steady_clock::now() + kScreenTimeout;
    while (!shows(Screen())) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }
  bool WaitForText(const std::string& text) const {
    return WaitFor(
        [&](const fw::terminal::ScreenBuffer& screen) { return Contains(screen, text); });
  }
  static bool Contains(const fw::terminal::ScreenBuffer& screen, const std::string& text) {
    for (int row = 0; row < screen.Rows(); ++row) {
      if (screen.RowText(row).find(text) != std::string::npos) return true;
    }
    return false;
  }

  // The exit status once the program has ended by itself; -1 when it has not within
  // kScreenTimeout or did not exit normally.
  int WaitForExit() {
    const std::optional<int> status = WaitForChild(child_, kScreenTimeout);
    if (!status) return -1;
    exited_ = true;
    return WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
  }

  std::string Errors() const { return ReadFile(errPath_); }

 private:
  // Keeps reading what the program draws, so that it never blocks on a full terminal.
  void ReadOutput() {
    char buffer[4096];
    while (!stop_) {
      pollfd watched{pty_.Master(), POLLIN, 0};
      if (::poll(&watched, 1, 50) <= 0) continue;
      const ssize_t count = ::read(pty_.Master(), buffer, sizeof buffer);
      if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (count <= 0) return;
      std::lock_guard<std::mutex> lock(mutex_);
      output_.append(buffer, static_cast<std::size_t>(count));
    }
  }

  testsupport::PseudoTerminal pty_;
  mutable std::mutex mutex_;
  std::string output_;
  int columns_;
  int rows_;
  std::string errPath_;
  pid_t child_ = -1;
  bool exited_ = false;
  std::atomic<bool> stop_{false};
  std::thread reader_;
};

}  // namespace e2e
