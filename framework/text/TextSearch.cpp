#include "framework/text/TextSearch.h"

#include <algorithm>

#include "framework/text/CharacterSet.h"
#include "framework/text/TextFunctions.h"

namespace fw {

namespace {

// True when no byte of the part is affected by folding, nor the fold of another byte: then a
// plain byte search finds exactly what a folding search finds.
bool FoldingCannotMatter(const std::string& part) {
  return std::all_of(part.begin(), part.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 && !((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
  });
}

std::string FoldBytes(const std::string& bytes, TextEncoding encoding) {
  std::string folded = bytes;
  if (encoding.IsSingleByte()) {
    for (char& c : folded) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80) {
        if (byte >= 'A' && byte <= 'Z') c = static_cast<char>(byte + 32);
        continue;
      }
      const char32_t small = FoldCase(DecodeSingleByte(byte, encoding));
      if (auto encoded = EncodeSingleByte(small, encoding)) c = static_cast<char>(*encoded);
    }
    return folded;
  }
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (byte >= 'A' && byte <= 'Z') {
      folded[i] = static_cast<char>(byte + 32);
    } else if (byte == 0xC3 && i + 1 < folded.size()) {
      // U+00C0 to U+00DE are C3 80 to C3 9E; their small letters lie 0x20 higher.
      const auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

}  // namespace

TextSearch::TextSearch(const Text& text, const Text& part) : haystack_(&text.Bytes()) {
  if (part.Encoding() == text.Encoding() || part.IsASCII()) {
    part_ = part.Bytes();
  } else {
    const Text converted = ConvertEncoding(part, text.Encoding());
    // A character that the text's encoding lacks cannot occur in the text.
    impossible_ = converted.CodePoints() != part.CodePoints();
    part_ = converted.Bytes();
  }
  if (!FoldingCannotMatter(part_)) {
    foldedHaystack_ = FoldBytes(*haystack_, text.Encoding());
    haystack_ = &foldedHaystack_;
    part_ = FoldBytes(part_, text.Encoding());
  }
}

std::size_t TextSearch::Find(std::size_t from) const {
  if (impossible_ || part_.empty()) return std::string::npos;
  return haystack_->find(part_, from);
}

std::size_t ByteOffsetOfCharacter(const Text& text, std::size_t index) {
  const std::string& bytes = text.Bytes();
  if (text.Encoding().IsSingleByte()) return std::min(index, bytes.size());
  std::size_t pos = 0;
  for (std::size_t seen = 0; seen < index && pos < bytes.size(); ++seen) DecodeUTF8(bytes, pos);
  return pos;
}

std::size_t CharacterCount(const Text& text, std::size_t byteEnd) {
  const std::string& bytes = text.Bytes();
  byteEnd = std::min(byteEnd, bytes.size());
  if (text.Encoding().IsSingleByte()) return byteEnd;
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < byteEnd; ++count) DecodeUTF8(bytes, pos);
  return count;
}

Text Slice(const Text& text, std::size_t begin, std::size_t end) {
  return Text::FromBytes(text.Bytes().substr(begin, end - begin), text.Encoding());
}

}  // namespace fw
