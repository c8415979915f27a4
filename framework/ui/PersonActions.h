#pragma once

#include <cstdint>

#include "framework/text/Text.h"

// What a person does with windows, controls and menus. Every display carries out its input
// through these, so the program's code sees the same events whichever display is in use. Each
// raises its event through the exception helper: an exception of the program's code is reported
// and the caller goes on.
namespace fw {

class MenuItem;
class PopupMenu;
class PushButton;
class Window;

// Presses the button: raises its Action (event 15). Nothing happens when it is disabled.
void PressButton(PushButton& button);
// Picks a row of the popup: selects it and raises its Change (event 15). Nothing happens when the
// popup is disabled; a row it does not have raises OutOfBoundsException.
void PickPopupRow(PopupMenu& popup, std::int32_t row);
// Chooses a menu item: raises its Action (a quit item quits). Nothing happens when it is disabled
// or a separator.
void ChooseMenuItem(MenuItem& item);
// A keyboard shortcut such as "Cmd+Q": chooses the item of the current menu bar that carries it.
// False when no item does.
bool PressShortcut(const Text& shortcut);
// The window's close button: closes the window when it has one (CloseButton); false otherwise.
bool CloseWithCloseButton(Window& window);

}  // namespace fw
