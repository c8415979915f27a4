#include "framework/files/TextInputStream.h"

#include <unistd.h>

#include <cerrno>

namespace fw {

namespace {
// Large pieces keep the number of system calls small; the lines are cut in memory.
constexpr std::size_t kReadSize = 64 * 1024;
}  // namespace

TextInputStream::TextInputStream(int fileDescriptor) : fd_(fileDescriptor) {}

TextInputStream::~TextInputStream() {
  if (fd_ >= 0) ::close(fd_);
}

void TextInputStream::Fill() {
  const std::span<char> room = reader_.Reserve(kReadSize);
  for (;;) {
    const ssize_t count = ::read(fd_, room.data(), room.size());
    if (count > 0) {
      reader_.Commit(static_cast<std::size_t>(count));
      return;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) failed_ = true;
    reader_.Finish();
    return;
  }
}

Text TextInputStream::ReadLine(std::optional<TextEncoding> encoding) {
  const TextEncoding lineEncoding = encoding.value_or(encoding_);
  std::string line;
  while (!reader_.Next(line)) {
    if (reader_.Finished()) return Text::FromBytes(std::string(), lineEncoding);
    Fill();
  }
  return Text::FromBytes(std::move(line), lineEncoding);
}

bool TextInputStream::IsEOF() {
  while (reader_.Empty() && !reader_.Finished()) Fill();
  return reader_.Empty() && reader_.Finished();
}

}  // namespace fw
