#include "framework/display/terminal/ScreenBuffer.h"

#include <algorithm>
#include <stdexcept>

#include "framework/display/terminal/TextLayout.h"
#include "framework/text/CharacterSet.h"

namespace fw::terminal {

namespace {

constexpr char32_t kHorizontal = U'─';
constexpr char32_t kVertical = U'│';
constexpr char32_t kTopLeft = U'┌';
constexpr char32_t kTopRight = U'┐';
constexpr char32_t kBottomLeft = U'└';
constexpr char32_t kBottomRight = U'┘';

std::size_t CellCountOf(int columns, int rows) {
  if (columns < 0 || rows < 0) throw std::invalid_argument("negative screen size");
  return static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
}

}  // namespace

ScreenBuffer::ScreenBuffer(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(CellCountOf(columns, rows)) {}

bool ScreenBuffer::Inside(int row, int column) const {
  return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

const Cell& ScreenBuffer::At(int row, int column) const {
  if (!Inside(row, column)) throw std::out_of_range("cell outside the screen");
  return cells_[static_cast<std::size_t>(row * columns_ + column)];
}

void ScreenBuffer::Set(int row, int column, char32_t character, Style style) {
  if (!Inside(row, column)) return;
  cells_[static_cast<std::size_t>(row * columns_ + column)] = Cell{character, style};
}

void ScreenBuffer::Clear() { std::fill(cells_.begin(), cells_.end(), Cell{}); }

void ScreenBuffer::Fill(const CellRect& rect, char32_t character, Style style) {
  const CellRect visible = Intersect(rect, Bounds());
  for (int row = visible.row; row < visible.Bottom(); ++row) {
    for (int column = visible.column; column < visible.Right(); ++column) {
      Set(row, column, character, style);
    }
  }
}

void ScreenBuffer::PutText(int row, int column, int width, std::string_view utf8, Style style,
                           Align align) {
  if (width <= 0) return;
  const std::u32string characters = ToScreenCharacters(CutToWidth(utf8, width));
  const int length = static_cast<int>(characters.size());
  int start = column;
  if (align == Align::Center) start += (width - length) / 2;
  if (align == Align::Right) start += width - length;
  for (int i = 0; i < length; ++i)
    Set(row, start + i, characters[static_cast<std::size_t>(i)], style);
}

void ScreenBuffer::DrawHorizontalLine(int row, int column, int width, Style style) {
  Fill(CellRect{row, column, 1, width}, kHorizontal, style);
}

void ScreenBuffer::DrawFrame(const CellRect& rect, std::string_view title, Style style) {
  if (rect.width < 2 || rect.height < 2) return;
  const int bottom = rect.Bottom() - 1;
  const int right = rect.Right() - 1;
  DrawHorizontalLine(rect.row, rect.column + 1, rect.width - 2, style);
  DrawHorizontalLine(bottom, rect.column + 1, rect.width - 2, style);
  Fill(CellRect{rect.row + 1, rect.column, rect.height - 2, 1}, kVertical, style);
  Fill(CellRect{rect.row + 1, right, rect.height - 2, 1}, kVertical, style);
  Set(rect.row, rect.column, kTopLeft, style);
  Set(rect.row, right, kTopRight, style);
  Set(bottom, rect.column, kBottomLeft, style);
  Set(bottom, right, kBottomRight, style);
  // "┌─ Title ─┐": the title with a blank on each side, after one line cell.
  const int titleWidth = rect.width - 4;
  if (title.empty() || titleWidth < 3) return;
  const std::string shown = CutToWidth(title, titleWidth - 2);
  PutText(rect.row, rect.column + 2, titleWidth, " " + shown + " ", style);
}

std::string ScreenBuffer::RowText(int row) const {
  std::string text;
  for (int column = 0; column < columns_; ++column) AppendUTF8(text, At(row, column).character);
  return text;
}

}  // namespace fw::terminal
