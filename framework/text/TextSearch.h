#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "framework/text/Text.h"

namespace fw {

// Finds a part in a text without regard to letter case, on bytes. The part is first put into
// the text's encoding; folding keeps byte lengths in all three encodings, so the byte offsets
// found apply to the text's own bytes.
class TextSearch {
 public:
  TextSearch(const Text& text, const Text& part);

  // Byte offset of the next occurrence at or after `from`, or npos.
  std::size_t Find(std::size_t from) const;
  std::size_t PartSize() const { return part_.size(); }
  bool PartIsEmpty() const { return part_.empty(); }

 private:
  const std::string* haystack_;
  std::string foldedHaystack_;
  std::string part_;
  bool impossible_ = false;
};

// Byte offset of the character at `index` (from 0) and back; for single-byte texts these are the
// same numbers.
std::size_t ByteOffsetOfCharacter(const Text& text, std::size_t index);
std::size_t CharacterCount(const Text& text, std::size_t byteEnd);

// The bytes of `text` from `begin` to `end` as a text of the same encoding.
Text Slice(const Text& text, std::size_t begin, std::size_t end);

}  // namespace fw
