#include "framework/text/Text.h"

#include <algorithm>

#include "framework/text/CharacterSet.h"

namespace fw {

Text Text::FromBytes(std::string bytes, TextEncoding encoding) {
  Text text(std::move(bytes));
  text.encoding_ = encoding;
  return text;
}

const char* TextEncoding::Name() const {
  switch (id_) {
    case EncodingId::UTF8:
      return "UTF-8";
    case EncodingId::ISOLatin1:
      return "ISO Latin-1";
    case EncodingId::MacRoman:
      return "Mac Roman";
  }
  return "?";
}

bool Text::IsASCII() const {
  return std::all_of(bytes_.begin(), bytes_.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::u32string Text::CodePoints() const {
  std::u32string codes;
  codes.reserve(bytes_.size());
  if (encoding_.IsSingleByte()) {
    for (char c : bytes_)
      codes.push_back(DecodeSingleByte(static_cast<unsigned char>(c), encoding_));
  } else {
    for (std::size_t pos = 0; pos < bytes_.size();) codes.push_back(DecodeUTF8(bytes_, pos));
  }
  return codes;
}

std::string Text::ToUTF8() const {
  if (encoding_ == Encodings::UTF8() || IsASCII()) return bytes_;
  std::string out;
  out.reserve(bytes_.size() + bytes_.size() / 2);
  for (char c : bytes_) AppendUTF8(out, DecodeSingleByte(static_cast<unsigned char>(c), encoding_));
  return out;
}

bool operator==(const Text& a, const Text& b) {
  if (a.encoding_ == b.encoding_ && a.bytes_ == b.bytes_) return true;
  const std::u32string left = a.CodePoints();
  const std::u32string right = b.CodePoints();
  return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                    [](char32_t x, char32_t y) { return FoldCase(x) == FoldCase(y); });
}

// Joining keeps the encoding when both sides share it, or when one side is plain ASCII (whose
// bytes read the same in every encoding); otherwise the result is UTF-8.
Text operator+(const Text& a, const Text& b) {
  Text result = a;
  result += b;
  return result;
}

Text& Text::operator+=(const Text& other) {
  if (encoding_ == other.encoding_ || other.IsASCII()) {
    bytes_ += other.bytes_;
  } else if (IsASCII()) {
    bytes_ += other.bytes_;
    encoding_ = other.encoding_;
  } else {
    bytes_ = ToUTF8() + other.ToUTF8();
    encoding_ = Encodings::UTF8();
  }
  return *this;
}

}  // namespace fw
