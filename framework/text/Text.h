#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/text/TextEncoding.h"

namespace fw {

// A text: its bytes and the encoding they are in. Literals are UTF-8.
//
// Equality compares characters, not bytes: the same characters in two encodings are equal, and
// letter case is ignored (ASCII letters and the Latin-1 letters with their capitals).
class Text {
 public:
  Text() = default;
  Text(const char* utf8) : bytes_(utf8) {}             // NOLINT: literals convert implicitly
  Text(std::string_view utf8) : bytes_(utf8) {}        // NOLINT
  Text(std::string utf8) : bytes_(std::move(utf8)) {}  // NOLINT

  static Text FromBytes(std::string bytes, TextEncoding encoding);

  const std::string& Bytes() const { return bytes_; }
  // The bytes, for changing them in place; the encoding stays.
  std::string& MutableBytes() { return bytes_; }
  TextEncoding Encoding() const { return encoding_; }
  bool IsEmpty() const { return bytes_.empty(); }

  // The characters as Unicode code points; invalid UTF-8 bytes become U+FFFD.
  std::u32string CodePoints() const;
  // The text in UTF-8 bytes, for showing and for handing to other programs.
  std::string ToUTF8() const;
  // True when every byte is below 0x80: such bytes mean the same in all three encodings.
  bool IsASCII() const;

  friend bool operator==(const Text& a, const Text& b);
  friend Text operator+(const Text& a, const Text& b);
  Text& operator+=(const Text& other);

 private:
  std::string bytes_;
  TextEncoding encoding_ = Encodings::UTF8();
};

}  // namespace fw
