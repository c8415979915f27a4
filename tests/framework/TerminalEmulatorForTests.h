#pragma once

// A small VT100 screen for tests: it obeys the sequences the renderer emits (cursor position,
// erase display, select graphic rendition) and keeps what a terminal would show, so rendered
// bytes can be checked by what they display.
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/display/terminal/ScreenBuffer.h"
#include "framework/text/CharacterSet.h"

namespace fw::terminal::testing {

class TerminalEmulator {
 public:
  TerminalEmulator(int columns, int rows) : screen_(columns, rows) {}

  // Applies the bytes; returns false at the first sequence it does not know.
  bool Apply(const std::string& bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
      if (bytes[pos] == '\x1b') {
        if (!ApplySequence(bytes, pos)) return false;
        continue;
      }
      const char32_t c = DecodeUTF8(bytes, pos);
      if (c < 0x20) return false;
      screen_.Set(row_, column_, c, style_);
      ++column_;
    }
    return true;
  }

  const ScreenBuffer& Screen() const { return screen_; }

 private:
  bool ApplySequence(const std::string& bytes, std::size_t& pos) {
    if (pos + 1 >= bytes.size() || bytes[pos + 1] != '[') return false;
    std::size_t end = pos + 2;
    while (end < bytes.size() && ((bytes[end] >= '0' && bytes[end] <= '9') || bytes[end] == ';')) {
      ++end;
    }
    if (end >= bytes.size()) return false;
    const std::string parameters = bytes.substr(pos + 2, end - pos - 2);
    const char final = bytes[end];
    pos = end + 1;
    std::vector<int> numbers;
    std::size_t start = 0;
    while (start <= parameters.size()) {
      const std::size_t semicolon = parameters.find(';', start);
      const std::string number = parameters.substr(start, semicolon - start);
      numbers.push_back(number.empty() ? 0 : std::atoi(number.c_str()));
      if (semicolon == std::string::npos) break;
      start = semicolon + 1;
    }
    switch (final) {
      case 'H':
        row_ = parameters.empty() ? 0 : numbers[0] - 1;
        column_ = numbers.size() > 1 ? numbers[1] - 1 : 0;
        return true;
      case 'J':
        if (numbers[0] != 2) return false;
        screen_.Clear();
        return true;
      case 'm':
        for (const int n : numbers) {
          if (n == 0)
            style_ = Style{};
          else if (n == 1)
            style_.bold = true;
          else if (n == 2)
            style_.dim = true;
          else if (n == 4)
            style_.underline = true;
          else if (n == 7)
            style_.reverse = true;
          else
            return false;
        }
        return true;
      default:
        return false;
    }
  }

  ScreenBuffer screen_;
  int row_ = 0;
  int column_ = 0;
  Style style_;
};

}  // namespace fw::terminal::testing
