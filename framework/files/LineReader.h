#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace fw {

// Cuts bytes into lines at CR, LF or CR LF, apart from where the bytes come from. The bytes are
// given in pieces, in order; a line is handed out once its end has been seen, or at the finish.
// A line end at the very end gives no further empty line.
class LineReader {
 public:
  // Room for at least `size` further bytes, to be filled and then counted with Commit.
  std::span<char> Reserve(std::size_t size);
  void Commit(std::size_t count);
  void Append(std::string_view bytes);
  // No further bytes come: what is left after the last line end is the last line.
  void Finish() { finished_ = true; }

  // Takes the next line, without its line end, into `line`. False when the bytes given so far
  // hold no complete line (more are needed) or, once finished, when nothing is left.
  bool Next(std::string& line);

  bool Finished() const { return finished_; }
  // True when no byte is waiting to be taken as (part of) a line.
  bool Empty() const { return begin_ == end_; }

 private:
  // The first `byte` at or after begin_, or npos; remembers how far the buffer has been searched
  // so that no byte is searched twice, whatever the length of the lines.
  struct Scan {
    std::size_t found = std::string::npos;
    std::size_t searchedTo = 0;
  };
  std::size_t FindFrom(Scan& scan, char byte, std::size_t limit) const;
  void Take(std::string& line, std::size_t lineEnd, std::size_t next);
  void MoveWaitingBytesToFront();

  std::string buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  Scan lineFeed_;
  Scan carriageReturn_;
  bool finished_ = false;
};

}  // namespace fw
