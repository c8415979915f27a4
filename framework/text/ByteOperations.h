#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace fw {

// Operations on the bytes of a text, for the hot paths of the text functions.

// Offset of the first byte of 0x80 or above; the size when every byte is ASCII.
std::size_t FirstNonASCII(const std::string& bytes);

// Puts every byte through `table`; ASCII bytes must map to themselves.
void MapNonASCIIBytes(std::string& bytes, const std::array<char, 256>& table);

// Deletes every `target` byte, in place.
void DeleteEvery(std::string& bytes, char target);

}  // namespace fw
