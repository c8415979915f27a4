#pragma once

#include "framework/display/terminal/Geometry.h"
#include "framework/display/terminal/ScreenBuffer.h"

namespace fw {
class Control;
class PopupMenu;
class RectControl;
class Window;
}  // namespace fw

namespace fw::terminal {

// Where the window stands on a screen of that size.
WindowPlacement PlaceOnScreen(const Window& window, int columns, int rows);
// The cells of one of the window's controls on the screen.
CellRect ControlCells(const WindowPlacement& placement, const RectControl& control);

// Draws the window framed with its title and its visible controls: push buttons in brackets (the
// Default button marked with "<" and ">"), labels aligned by TextAlign (a multi-line label wrapped
// at word boundaries), popups with their selected row. The focused control is drawn in reverse,
// a disabled one dim. `front` marks the window that takes the keys (a bold frame).
void PaintWindow(ScreenBuffer& screen, const Window& window, const Control* focused, bool front);

// The open list of a popup below (or, without room there, above) its cells, with the row
// `highlighted` in reverse; scrolled so that row is shown.
void PaintPopupList(ScreenBuffer& screen, const CellRect& popupCells, const PopupMenu& popup,
                    int highlighted);

}  // namespace fw::terminal
