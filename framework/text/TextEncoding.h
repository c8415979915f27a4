#pragma once

#include <cstdint>

namespace fw {

// The three encodings that texts can carry.
enum class EncodingId : std::uint8_t { UTF8, ISOLatin1, MacRoman };

class TextEncoding {
 public:
  constexpr TextEncoding() = default;
  constexpr explicit TextEncoding(EncodingId id) : id_(id) {}

  constexpr EncodingId Id() const { return id_; }
  constexpr bool IsSingleByte() const { return id_ != EncodingId::UTF8; }
  const char* Name() const;

  friend constexpr bool operator==(TextEncoding, TextEncoding) = default;

 private:
  EncodingId id_ = EncodingId::UTF8;
};

// The module through which the program names encodings.
struct Encodings {
  static constexpr TextEncoding UTF8() { return TextEncoding(EncodingId::UTF8); }
  static constexpr TextEncoding ISOLatin1() { return TextEncoding(EncodingId::ISOLatin1); }
  static constexpr TextEncoding MacRoman() { return TextEncoding(EncodingId::MacRoman); }
};

}  // namespace fw
