#include "framework/files/LineReader.h"

#include <algorithm>
#include <cstring>

namespace fw {

namespace {

void ShiftBack(std::size_t& position, std::size_t offset) {
  position = position >= offset ? position - offset : 0;
}

}  // namespace

std::span<char> LineReader::Reserve(std::size_t size) {
  if (begin_ > 0) MoveWaitingBytesToFront();
  if (buffer_.size() - end_ < size) buffer_.resize(std::max(end_ + size, buffer_.size() * 2));
  return {buffer_.data() + end_, buffer_.size() - end_};
}

void LineReader::Commit(std::size_t count) { end_ = std::min(end_ + count, buffer_.size()); }

void LineReader::Append(std::string_view bytes) {
  const std::span<char> room = Reserve(bytes.size());
  if (!bytes.empty()) std::memcpy(room.data(), bytes.data(), bytes.size());
  Commit(bytes.size());
}

void LineReader::MoveWaitingBytesToFront() {
  const std::size_t offset = begin_;
  if (end_ > begin_) std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= offset;
  begin_ = 0;
  for (Scan* scan : {&lineFeed_, &carriageReturn_}) {
    if (scan->found != std::string::npos) {
      if (scan->found >= offset) {
        scan->found -= offset;
      } else {
        scan->found = std::string::npos;
        scan->searchedTo = offset;
      }
    }
    ShiftBack(scan->searchedTo, offset);
  }
}

std::size_t LineReader::FindFrom(Scan& scan, char byte, std::size_t limit) const {
  if (scan.found != std::string::npos && scan.found >= begin_) return scan.found;
  const std::size_t from = std::max(scan.searchedTo, begin_);
  if (from >= limit) {
    scan.found = std::string::npos;
    return std::string::npos;
  }
  const void* hit = std::memchr(buffer_.data() + from, byte, limit - from);
  if (hit == nullptr) {
    scan.found = std::string::npos;
    scan.searchedTo = limit;
    return std::string::npos;
  }
  scan.found = static_cast<std::size_t>(static_cast<const char*>(hit) - buffer_.data());
  scan.searchedTo = scan.found;
  return scan.found;
}

bool LineReader::Next(std::string& line) {
  const std::size_t lf = FindFrom(lineFeed_, '\n', end_);
  // A CR matters only when it comes before the first LF.
  const std::size_t cr = FindFrom(carriageReturn_, '\r', lf == std::string::npos ? end_ : lf);
  if (cr != std::string::npos && (lf == std::string::npos || cr < lf)) {
    if (cr + 1 < end_) {
      Take(line, cr, buffer_[cr + 1] == '\n' ? cr + 2 : cr + 1);
      return true;
    }
    if (!finished_) return false;  // an LF may still follow
    Take(line, cr, cr + 1);
    return true;
  }
  if (lf != std::string::npos) {
    Take(line, lf, lf + 1);
    return true;
  }
  if (!finished_ || begin_ == end_) return false;
  Take(line, end_, end_);
  return true;
}

void LineReader::Take(std::string& line, std::size_t lineEnd, std::size_t next) {
  line.assign(buffer_.data() + begin_, lineEnd - begin_);
  begin_ = next;
  if (begin_ == end_) {
    // Nothing waits: start again at the front, without moving anything.
    begin_ = end_ = 0;
    lineFeed_ = Scan{};
    carriageReturn_ = Scan{};
  }
}

}  // namespace fw
