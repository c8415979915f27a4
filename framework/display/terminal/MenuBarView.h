#pragma once

#include <memory>
#include <string>

#include "framework/display/terminal/Key.h"
#include "framework/display/terminal/ScreenBuffer.h"

namespace fw {
class MenuBar;
class MenuItem;
}  // namespace fw

namespace fw::terminal {

// Whether choosing the entry does something: not a separator, and enabled by itself (AutoEnable);
// the program enables no other entry.
bool EntryIsEnabled(const MenuItem& entry);

// A shortcut text as a person types it here: "Cmd+Q" is Ctrl+Q, shown as "Strg+Q".
std::string ShortcutOnScreen(const std::string& shortcut);

// The menu bar on the top line and, while it is open, the list of one menu's entries.
class MenuBarView {
 public:
  bool IsOpen() const { return open_; }
  // Opens the first menu, nothing highlighted in it yet.
  void Open(const MenuBar& bar);
  void Close() { open_ = false; }

  // A key while the menu is open: Left/Right change the menu, Up/Down move among its entries
  // (separators skipped), Esc and F10 close it. Enter on an enabled entry closes the menu and
  // returns that entry, for the caller to choose; otherwise none.
  std::shared_ptr<MenuItem> HandleKey(const MenuBar& bar, const Key& key);

  void Paint(ScreenBuffer& screen, const MenuBar* bar) const;

 private:
  void MoveEntry(const MenuItem& menu, int step);

  bool open_ = false;
  int menu_ = 0;
  int entry_ = -1;  // -1: none highlighted yet
};

}  // namespace fw::terminal
