#pragma once

namespace fw::terminal {

// A rectangle of character cells; rows and columns count from 0 at the top left.
struct CellRect {
  int row = 0;
  int column = 0;
  int height = 0;
  int width = 0;

  constexpr int Bottom() const { return row + height; }   // the first row below
  constexpr int Right() const { return column + width; }  // the first column to the right
  constexpr bool IsEmpty() const { return height <= 0 || width <= 0; }

  friend constexpr bool operator==(const CellRect&, const CellRect&) = default;
};

constexpr bool Overlap(const CellRect& a, const CellRect& b) {
  return !a.IsEmpty() && !b.IsEmpty() && a.row < b.Bottom() && b.row < a.Bottom() &&
         a.column < b.Right() && b.column < a.Right();
}

// The part of `rect` that lies inside `bounds` (empty when nothing does).
constexpr CellRect Intersect(const CellRect& rect, const CellRect& bounds) {
  const int top = rect.row > bounds.row ? rect.row : bounds.row;
  const int left = rect.column > bounds.column ? rect.column : bounds.column;
  const int bottom = rect.Bottom() < bounds.Bottom() ? rect.Bottom() : bounds.Bottom();
  const int right = rect.Right() < bounds.Right() ? rect.Right() : bounds.Right();
  if (bottom <= top || right <= left) return CellRect{top, left, 0, 0};
  return CellRect{top, left, bottom - top, right - left};
}

}  // namespace fw::terminal
