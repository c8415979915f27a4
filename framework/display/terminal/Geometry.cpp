#include "framework/display/terminal/Geometry.h"

#include <algorithm>

namespace fw::terminal {

namespace {

// pixels / unit, rounded half up, also for negative positions.
int RoundedQuotient(int pixels, int unit) {
  const int numerator = 2 * pixels + unit;
  const int denominator = 2 * unit;
  const int quotient = numerator / denominator;
  return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// The cells from a scaled start to a scaled end, at least one when the pixel size is not 0.
void ScaleSpan(int start, int size, int unit, int& cellStart, int& cellSize) {
  cellStart = RoundedQuotient(start, unit);
  cellSize = RoundedQuotient(start + size, unit) - cellStart;
  if (size > 0) cellSize = std::max(cellSize, 1);
  cellSize = std::max(cellSize, 0);
}

}  // namespace

int PixelsToColumns(int pixels) { return RoundedQuotient(pixels, kPixelsPerColumn); }
int PixelsToLines(int pixels) { return RoundedQuotient(pixels, kPixelsPerLine); }

CellRect ScaleToCells(const PixelRect& pixels) {
  CellRect cells;
  ScaleSpan(pixels.left, pixels.width, kPixelsPerColumn, cells.column, cells.width);
  ScaleSpan(pixels.top, pixels.height, kPixelsPerLine, cells.row, cells.height);
  return cells;
}

WindowPlacement PlaceWindow(int widthPixels, int heightPixels, int screenColumns, int screenRows) {
  const CellRect area{1, 0, std::max(screenRows - 2, 0), std::max(screenColumns, 0)};
  const int frameWidth = std::clamp(PixelsToColumns(widthPixels) + 2, 0, area.width);
  const int frameHeight = std::clamp(PixelsToLines(heightPixels) + 2, 0, area.height);
  WindowPlacement placement;
  placement.frame = CellRect{area.row + (area.height - frameHeight) / 2,
                             area.column + (area.width - frameWidth) / 2, frameHeight, frameWidth};
  placement.content = CellRect{placement.frame.row + 1, placement.frame.column + 1,
                               std::max(frameHeight - 2, 0), std::max(frameWidth - 2, 0)};
  return placement;
}

CellRect PlaceControl(const WindowPlacement& window, const PixelRect& control) {
  CellRect cells = ScaleToCells(control);
  cells.row += window.content.row;
  cells.column += window.content.column;
  return Intersect(cells, window.content);
}

CellRect GrowDownward(const CellRect& box, int neededRows, const CellRect& content,
                      const std::vector<CellRect>& others) {
  CellRect grown = box;
  while (grown.height < neededRows && grown.Bottom() < content.Bottom()) {
    const CellRect nextRow{grown.Bottom(), grown.column, 1, grown.width};
    for (const CellRect& other : others) {
      if (Overlap(nextRow, other)) return grown;
    }
    ++grown.height;
  }
  return grown;
}

}  // namespace fw::terminal
