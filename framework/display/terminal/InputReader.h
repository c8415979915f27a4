#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace fw::terminal {

enum class ReadStatus {
  Data,         // bytes arrived
  Timeout,      // nothing arrived in the time given
  Interrupted,  // a signal (such as SIGWINCH) woke the wait
  EndOfInput,   // the input has ended (a closed pipe, a terminal that went away)
};

struct ReadResult {
  ReadStatus status = ReadStatus::Data;
  std::string bytes;
};

// Waits for input on a descriptor with poll() and reads what is there.
class InputReader {
 public:
  explicit InputReader(int fd) : fd_(fd) {}

  // Waits at most `timeout` (none: as long as it takes). Once the input has ended, every further
  // call reports the end again. A read error other than the terminal going away throws
  // fw::RuntimeException.
  ReadResult Read(std::optional<std::chrono::milliseconds> timeout);

 private:
  int fd_;
  bool ended_ = false;
};

}  // namespace fw::terminal
