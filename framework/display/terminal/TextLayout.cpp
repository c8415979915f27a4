#include "framework/display/terminal/TextLayout.h"

#include <string>

#include "framework/display/terminal/CharacterWidth.h"
#include "framework/text/CharacterSet.h"

namespace fw::terminal {

namespace {

constexpr char32_t kReplacement = U'\uFFFD';
constexpr char32_t kEllipsis = U'\u2026';

bool IsControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0); }

std::u32string Decode(std::string_view utf8) {
  const std::string bytes(utf8);
  std::u32string characters;
  std::size_t pos = 0;
  while (pos < bytes.size()) characters.push_back(DecodeUTF8(bytes, pos));
  return characters;
}

std::string Encode(std::u32string_view characters) {
  std::string utf8;
  for (const char32_t c : characters) AppendUTF8(utf8, c);
  return utf8;
}

std::vector<std::u32string> SplitParagraphs(const std::u32string& text) {
  std::vector<std::u32string> paragraphs(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'\r' || text[i] == U'\n') {
      if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
      paragraphs.emplace_back();
    } else {
      paragraphs.back().push_back(text[i]);
    }
  }
  return paragraphs;
}

std::vector<std::u32string> SplitWords(const std::u32string& paragraph) {
  std::vector<std::u32string> words;
  std::u32string word;
  for (const char32_t c : paragraph) {
    if (c == U' ' || c == U'\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

void WrapParagraph(const std::u32string& paragraph, std::size_t width,
                   std::vector<std::string>& lines) {
  std::u32string line;
  for (std::u32string word : SplitWords(paragraph)) {
    if (!line.empty() && line.size() + 1 + word.size() <= width) {
      line += U' ';
      line += word;
      continue;
    }
    if (!line.empty()) lines.push_back(Encode(line));
    while (word.size() > width) {  // a word wider than the line is broken inside
      lines.push_back(Encode(std::u32string_view(word).substr(0, width)));
      word.erase(0, width);
    }
    line = std::move(word);
  }
  lines.push_back(Encode(line));  // an empty paragraph keeps its empty line
}

}  // namespace

std::u32string ToScreenCharacters(std::string_view utf8) {
  std::u32string characters = Decode(utf8);
  for (char32_t& c : characters) {
    if (c == U'\t') {
      c = U' ';
    } else if (IsControl(c) || !TakesOneCell(c)) {
      c = kReplacement;
    }
  }
  return characters;
}

int CellCount(std::string_view utf8) { return static_cast<int>(Decode(utf8).size()); }

std::string CutToWidth(std::string_view utf8, int width) {
  if (width <= 0) return {};
  std::u32string characters = Decode(utf8);
  const auto limit = static_cast<std::size_t>(width);
  if (characters.size() <= limit) return std::string(utf8);
  characters.resize(limit - 1);
  characters.push_back(kEllipsis);
  return Encode(characters);
}

std::vector<std::string> WrapWords(std::string_view utf8, int width) {
  std::vector<std::string> lines;
  if (utf8.empty() || width <= 0) return lines;
  for (const std::u32string& paragraph : SplitParagraphs(Decode(utf8))) {
    WrapParagraph(paragraph, static_cast<std::size_t>(width), lines);
  }
  return lines;
}

}  // namespace fw::terminal
