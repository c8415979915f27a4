#pragma once

#include <array>
#include <optional>
#include <string>

#include "framework/text/TextEncoding.h"

namespace fw {

// Decoding and encoding of single characters in the three encodings.

// The Unicode code points of Mac Roman's 256 bytes.
const std::array<char32_t, 256>& MacRomanToUnicode();

// The byte of a code point in a single-byte encoding, or none when it lacks the character.
std::optional<unsigned char> EncodeSingleByte(char32_t code, TextEncoding encoding);
char32_t DecodeSingleByte(unsigned char byte, TextEncoding encoding);

void AppendUTF8(std::string& out, char32_t code);
// Decodes one UTF-8 character at `pos` and advances it; a malformed sequence gives U+FFFD and
// advances by one byte.
char32_t DecodeUTF8(const std::string& bytes, std::size_t& pos);

// The small letter of a capital, for the ASCII and Latin-1 letters; every other character as is.
char32_t FoldCase(char32_t code);

}  // namespace fw
