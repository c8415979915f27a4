#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/display/terminal/CellRect.h"

namespace fw::terminal {

// How a cell is shown: bold, dim (a disabled control), underlined, reverse (the focus).
struct Style {
  bool bold = false;
  bool dim = false;
  bool underline = false;
  bool reverse = false;

  friend constexpr bool operator==(const Style&, const Style&) = default;
};

struct Cell {
  char32_t character = U' ';
  Style style;

  friend constexpr bool operator==(const Cell&, const Cell&) = default;
};

enum class Align { Left, Center, Right };

// One frame of the screen as a grid of cells, drawn into before it is rendered. Everything drawn is
// clipped to the grid; nothing outside it is an error.
class ScreenBuffer {
 public:
  ScreenBuffer(int columns, int rows);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  CellRect Bounds() const { return CellRect{0, 0, rows_, columns_}; }

  // The cell at a position inside the grid; throws std::out_of_range outside it.
  const Cell& At(int row, int column) const;
  void Set(int row, int column, char32_t character, Style style = {});

  // Every cell blank, in the plain style.
  void Clear();
  void Fill(const CellRect& rect, char32_t character = U' ', Style style = {});

  // The text in the `width` cells from (row, column), aligned in them; a text that does not fit is
  // cut with "…". Cells the text does not cover are left as they are.
  void PutText(int row, int column, int width, std::string_view utf8, Style style = {},
               Align align = Align::Left);
  void DrawHorizontalLine(int row, int column, int width, Style style = {});
  // A frame of box-drawing lines on the border of `rect`, with the title in its top line.
  void DrawFrame(const CellRect& rect, std::string_view title = {}, Style style = {});

  // A row's characters as UTF-8, without styles: what a person would read there.
  std::string RowText(int row) const;

 private:
  bool Inside(int row, int column) const;

  int columns_;
  int rows_;
  std::vector<Cell> cells_;
};

}  // namespace fw::terminal
