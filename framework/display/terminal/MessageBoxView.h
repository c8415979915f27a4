#pragma once

#include <string_view>

#include "framework/display/terminal/Key.h"
#include "framework/display/terminal/ScreenBuffer.h"

namespace fw::terminal {

// The keys that dismiss a message box: Enter, Space and Esc.
bool DismissesMessage(const Key& key);

// A message box in the middle of the screen: the text wrapped at word boundaries and an "OK"
// button under it, which has the focus. A text too long for the screen is cut, its last row
// ending in "…".
void PaintMessageBox(ScreenBuffer& screen, std::string_view utf8);

}  // namespace fw::terminal
