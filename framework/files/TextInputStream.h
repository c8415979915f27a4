#pragma once

#include <optional>
#include <string>

#include "framework/files/LineReader.h"
#include "framework/text/Text.h"

namespace fw {

// Reads text line by line from a file. A line ends at CR, LF or CR LF; a line end at the very
// end gives no further empty line, and an empty file gives one empty line.
class TextInputStream {
 public:
  // Takes over the open descriptor and closes it when the stream goes.
  explicit TextInputStream(int fileDescriptor);
  ~TextInputStream();
  TextInputStream(const TextInputStream&) = delete;
  TextInputStream& operator=(const TextInputStream&) = delete;

  // The encoding in which the bytes are read from now on (UTF-8 until set).
  void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }
  TextEncoding Encoding() const { return encoding_; }

  // The next line without its line end, in `encoding` or, when none is given, in the stream's
  // own; the empty text when nothing is left.
  Text ReadLine(std::optional<TextEncoding> encoding = std::nullopt);
  // True when nothing is left to read. (The C library defines EOF as a macro, hence the name.)
  bool IsEOF();

  // True once reading has failed; such a stream reports its end.
  bool ReadFailed() const { return failed_; }

 private:
  // Reads the next piece of the file; at its end, or when reading fails, finishes the reader.
  void Fill();

  int fd_;
  TextEncoding encoding_ = Encodings::UTF8();
  LineReader reader_;
  bool failed_ = false;
};

}  // namespace fw
