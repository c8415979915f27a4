#pragma once

// Runs the built executable as a person would, with keys piped into its standard input, and
// tells what it showed.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "framework/TerminalEmulatorForTests.h"

namespace e2e {

inline std::string BinaryDir() {
  const char* dir = std::getenv("VALTARO_BINARY_DIR");
  return dir != nullptr ? dir : VALTARO_BINARY_DIR;
}
inline std::string Executable() { return BinaryDir() + "/valtaro-import"; }

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The program's output without the session's private modes (alternate screen, cursor), which
// change nothing that is shown.
inline std::string WithoutPrivateModes(const std::string& output) {
  std::string bytes;
  for (std::size_t i = 0; i < output.size();) {
    if (output.compare(i, 3, "\x1b[?") == 0) {
      std::size_t end = output.find_first_of("hl", i + 3);
      i = end == std::string::npos ? output.size() : end + 1;
      continue;
    }
    bytes += output[i++];
  }
  return bytes;
}

// Waits for the child to end by itself, at most `timeout`; its wait status, or none when it is
// still running then.
inline std::optional<int> WaitForChild(pid_t child, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  pid_t done = 0;
  while ((done = ::waitpid(child, &status, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (done != child) return std::nullopt;
  return status;
}

// Keys, each written after the pause before it; a lone Esc needs the pause after it (the display
// tells it from a key's sequence by 50 ms of quiet), so every step waits.
struct Step {
  std::string bytes;
  int pauseAfterMs = 150;
};

// The keys of a person, in the codes a terminal sends.
namespace keys {
inline const std::string kTab = "\t";
inline const std::string kBackTab = "\x1b[Z";
inline const std::string kEnter = "\r";
inline const std::string kDown = "\x1b[B";
inline const std::string kEsc = "\x1b";
inline const std::string kCtrlQ = "\x11";
}  // namespace keys

struct RunResult {
  int status = -1;  // the exit status, or -1 when it did not exit by itself
  std::string output;
  std::string errors;

  // Every row text that stood on the screen at some moment of the run.
  std::set<std::string> RowsSeen() const {
    const std::string bytes = WithoutPrivateModes(output);
    fw::terminal::testing::TerminalEmulator screen(80, 24);
    std::set<std::string> rows;
    std::size_t start = 0;
    while (start < bytes.size()) {
      std::size_t next = bytes.find('\x1b', start + 1);
      if (next == std::string::npos) next = bytes.size();
      if (!screen.Apply(bytes.substr(start, next - start))) break;
      for (int row = 0; row < 24; ++row) rows.insert(screen.Screen().RowText(row));
      start = next;
    }
    return rows;
  }
  bool Showed(const std::string& text) const {
    for (const std::string& row : RowsSeen()) {
      if (row.find(text) != std::string::npos) return true;
    }
    return false;
  }
};

// Starts the executable in `workingDir` with LEDGER_FILE set, feeds it the steps and waits for
// it to end (the end of the keys ends it at the latest). `between` runs after the step of that
// index, for the test to change files while the program waits for keys.
inline RunResult RunProgram(const std::string& executable, const std::string& workingDir,
                            const std::string& journal, const std::vector<Step>& steps,
                            const std::function<void(std::size_t)>& between = {}) {
  const std::string outPath = workingDir + "/.screen";
  const std::string errPath = workingDir + "/.errors";
  int input[2];
  if (::pipe(input) != 0) throw std::runtime_error("pipe");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork");
  if (child == 0) {
    ::dup2(input[0], STDIN_FILENO);
    ::close(input[0]);
    ::close(input[1]);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (::chdir(workingDir.c_str()) != 0) ::_exit(120);
    ::setenv("LEDGER_FILE", journal.c_str(), 1);
    ::execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input[0]);
  ::signal(SIGPIPE, SIG_IGN);  // a program that has ended reads no more keys
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const std::string& bytes = steps[i].bytes;
    if (::write(input[1], bytes.data(), bytes.size()) < 0) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(steps[i].pauseAfterMs));
    if (between) between(i);
  }
  ::close(input[1]);

  RunResult result;
  const std::optional<int> status = WaitForChild(child, std::chrono::seconds(30));
  if (!status) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  } else if (WIFEXITED(*status)) {
    result.status = WEXITSTATUS(*status);
  }
  result.output = ReadFile(outPath);
  result.errors = ReadFile(errPath);
  return result;
}

}  // namespace e2e
