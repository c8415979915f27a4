#include "framework/text/CharacterSet.h"

namespace fw {

namespace {

constexpr std::array<char32_t, 128> kMacRomanUpperHalf = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,  // 80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,  // 88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,  // 90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,  // 98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,  // A0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,  // A8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211,  // B0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8,  // B8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,  // C0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,  // C8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,  // D0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02,  // D8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,  // E0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,  // E8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,  // F0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,  // F8
};

std::array<char32_t, 256> BuildMacRomanTable() {
  std::array<char32_t, 256> table{};
  for (unsigned byte = 0; byte < 128; ++byte) table[byte] = byte;
  for (unsigned byte = 128; byte < 256; ++byte) table[byte] = kMacRomanUpperHalf[byte - 128];
  return table;
}

}  // namespace

const std::array<char32_t, 256>& MacRomanToUnicode() {
  static const std::array<char32_t, 256> table = BuildMacRomanTable();
  return table;
}

char32_t DecodeSingleByte(unsigned char byte, TextEncoding encoding) {
  if (encoding.Id() == EncodingId::MacRoman) return MacRomanToUnicode()[byte];
  return byte;  // ISO Latin-1 bytes are their own code points
}

std::optional<unsigned char> EncodeSingleByte(char32_t code, TextEncoding encoding) {
  if (code < 0x80) return static_cast<unsigned char>(code);
  if (encoding.Id() == EncodingId::ISOLatin1) {
    if (code < 0x100) return static_cast<unsigned char>(code);
    return std::nullopt;
  }
  const auto& table = MacRomanToUnicode();
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    if (table[byte] == code) return static_cast<unsigned char>(byte);
  }
  return std::nullopt;
}

void AppendUTF8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

char32_t DecodeUTF8(const std::string& bytes, std::size_t& pos) {
  constexpr char32_t kReplacement = 0xFFFD;
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07u, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > bytes.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return code;
}

char32_t FoldCase(char32_t code) {
  if (code >= 'A' && code <= 'Z') return code + 32;
  if (code >= 0xC0 && code <= 0xDE && code != 0xD7) return code + 32;
  return code;
}

}  // namespace fw
