#pragma once

#include <vector>

#include "framework/display/terminal/CellRect.h"

namespace fw::terminal {

// Window and control positions and sizes are given in pixels; the terminal shows cells. A cell is
// taken as about 6 pixels wide and 13 high.
constexpr int kPixelsPerColumn = 6;
constexpr int kPixelsPerLine = 13;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Pixels to cells, rounded to the nearest cell (halves up).
int PixelsToColumns(int pixels);
int PixelsToLines(int pixels);

// A control's cells relative to its window's content. Its edges are scaled, not its size, so
// controls that do not overlap in pixels do not overlap in cells either; a control that has a size
// in pixels keeps at least one cell each way.
CellRect ScaleToCells(const PixelRect& pixels);

// Where a window stands on the screen: its frame, and the content inside the frame.
struct WindowPlacement {
  CellRect frame;
  CellRect content;
};

// A window of the given pixel size, framed and centred in the rows between the menu bar (the top
// line) and the help line (the bottom line); a window larger than that is cut to it.
WindowPlacement PlaceWindow(int widthPixels, int heightPixels, int screenColumns, int screenRows);

// A control of the window on the screen, cut to the window's content.
CellRect PlaceControl(const WindowPlacement& window, const PixelRect& control);

// A multi-line label whose wrapped text needs more rows than its box has: the box grown downward
// by as many of the missing rows as stay inside the window's content and clear of the other
// controls' cells. The box is never made smaller.
CellRect GrowDownward(const CellRect& box, int neededRows, const CellRect& content,
                      const std::vector<CellRect>& others);

}  // namespace fw::terminal
