#pragma once

#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/display/Display.h"
#include "framework/display/terminal/FocusOrder.h"
#include "framework/display/terminal/KeyInput.h"
#include "framework/display/terminal/MenuBarView.h"
#include "framework/display/terminal/OpenDialog.h"
#include "framework/display/terminal/ScreenBuffer.h"
#include "framework/display/terminal/ScreenRenderer.h"
#include "framework/display/terminal/TerminalSession.h"
#include "framework/display/terminal/TypeAhead.h"

namespace fw {
class PopupMenu;
}

namespace fw::terminal {

// The display for a person at a terminal: full screen, UTF-8 with ANSI/VT100 sequences. It draws
// the menu bar on the top line, every open window framed with its controls, the open list of a
// popup, the menu, a message box or the open dialog in front, and on the bottom line the help
// text of the focused control. Only what changed since the last picture is sent; a size change
// draws everything anew, and a terminal smaller than 80 x 24 shows a notice instead.
//
// Keys come from the input descriptor: a terminal in raw mode, or any other input (a pipe) read
// as the same bytes. The end of the input ends the application: an open message box or dialog
// is then dismissed or cancelled, and HandleNextInput answers false.
//
// A key acts only on what the screen shows. While an action of the program runs (a button, a
// menu item, a popup choice), the bottom line reads "Bitte warten …"; keys typed on the terminal
// while the program was busy for longer than a moment are thrown away when it next waits for a
// key (TypeAhead). While the notice of a too small terminal is shown, no key but Ctrl+Q acts; the
// shortcut quits, and an open message box or dialog is then dismissed or cancelled.
//
// The display takes over the terminal while it lives and gives it back when destroyed (and on
// every other way out, see TerminalSession). It does not install itself.
class TerminalDisplay : public Display {
 public:
  explicit TerminalDisplay(int inputFd = STDIN_FILENO, int outputFd = STDOUT_FILENO);
  ~TerminalDisplay() override;
  TerminalDisplay(const TerminalDisplay&) = delete;
  TerminalDisplay& operator=(const TerminalDisplay&) = delete;

  // The picture as the display shows it now, on a screen of that size.
  ScreenBuffer Compose(int columns, int rows);

  void ShowMessage(const Text& message) override;
  std::shared_ptr<FolderItem> ChooseFile(const Text& fileTypes) override;
  bool HandleNextInput() override;
  void WindowClosed(Window& window) override;

 private:
  // Draws the present picture, then waits for the next key; none once the input has ended or
  // Ctrl+Q on the too-small notice has asked to quit.
  std::optional<Key> NextKey();
  void DiscardKeysTypedWhileBusy();
  // Ctrl+Q while the notice of a too small terminal is shown: true once it has asked to quit.
  bool QuitsFromTooSmallScreen(const Key& key);
  void Draw();

  // Carries out what a key does in the program's code, with "Bitte warten …" on the screen.
  void RunAction(const std::function<void()>& action);
  // Shows "Bitte warten …" when control goes back to an action that waited for a key.
  void ShowBusyWithinAction();
  void ShowBusy();
  void PressQuitShortcut();
  void PaintHelpLine(ScreenBuffer& screen, const std::shared_ptr<Window>& front);

  void HandleWindowKey(const Key& key);
  void HandlePopupListKey(const Key& key);
  void OpenPopupList(const std::shared_ptr<PopupMenu>& popup);
  // Enter where the focus is not on a push button or popup: the window's Default button.
  void PressDefaultButton(Window& window);

  TerminalSession session_;
  KeyInput keys_;
  TypeAhead typeAhead_;
  TerminalSize shown_;  // the size of the picture last drawn
  int actionsRunning_ = 0;
  bool busy_ = false;
  ScreenRenderer renderer_;
  FocusTracker focus_;
  MenuBarView menu_;
  std::weak_ptr<PopupMenu> openPopup_;
  int popupRow_ = 0;
  std::optional<std::string> message_;
  std::optional<OpenDialog> dialog_;
};

}  // namespace fw::terminal
