#pragma once

#include "framework/display/terminal/ScreenBuffer.h"

namespace fw::terminal {

// The smallest terminal the windows are laid out for.
constexpr int kMinimumColumns = 80;
constexpr int kMinimumRows = 24;

constexpr bool IsLargeEnough(int columns, int rows) {
  return columns >= kMinimumColumns && rows >= kMinimumRows;
}

// Replaces the picture by the notice that the terminal is too small, centred on the screen and
// naming its present size, instead of a window that would not fit.
void DrawTooSmallNotice(ScreenBuffer& screen);

}  // namespace fw::terminal
