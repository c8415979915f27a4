#include "framework/display/terminal/InputReader.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "framework/core/Exceptions.h"

namespace fw::terminal {

namespace {

constexpr std::size_t kChunkSize = 4096;

[[noreturn]] void ThrowReadError() {
  throw RuntimeException(
      Text(std::string("Die Eingabe lässt sich nicht lesen: ") + std::strerror(errno)));
}

}  // namespace

ReadResult InputReader::Read(std::optional<std::chrono::milliseconds> timeout) {
  if (ended_) return ReadResult{ReadStatus::EndOfInput, {}};
  pollfd watched{fd_, POLLIN, 0};
  const int waitMs = timeout ? static_cast<int>(timeout->count()) : -1;
  const int ready = ::poll(&watched, 1, waitMs);
  if (ready < 0) {
    if (errno == EINTR) return ReadResult{ReadStatus::Interrupted, {}};
    ThrowReadError();
  }
  if (ready == 0) return ReadResult{ReadStatus::Timeout, {}};

  std::string bytes(kChunkSize, '\0');
  const ssize_t count = ::read(fd_, bytes.data(), bytes.size());
  if (count < 0) {
    if (errno == EINTR || errno == EAGAIN) return ReadResult{ReadStatus::Interrupted, {}};
    if (errno != EIO) ThrowReadError();  // EIO: the terminal has gone away
  }
  if (count <= 0) {
    ended_ = true;
    return ReadResult{ReadStatus::EndOfInput, {}};
  }
  bytes.resize(static_cast<std::size_t>(count));
  return ReadResult{ReadStatus::Data, std::move(bytes)};
}

}  // namespace fw::terminal
