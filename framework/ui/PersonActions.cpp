#include "framework/ui/PersonActions.h"

#include "framework/app/Application.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw {

void PressButton(PushButton& button) {
  if (!button.Enabled()) return;
  RaiseControlEvent(button, button.Class().EventNumber("Action"));
}

void PickPopupRow(PopupMenu& popup, std::int32_t row) {
  if (!popup.Enabled()) return;
  popup.List(row);  // raises for a row the popup does not have
  popup.ListIndex(row);
  RaiseControlEvent(popup, popup.Class().EventNumber("Change"));
}

void ChooseMenuItem(MenuItem& item) {
  if (!item.Enabled() || item.IsSeparator()) return;
  RaiseMenuAction(item);
}

bool PressShortcut(const Text& shortcut) {
  std::shared_ptr<MenuBar> bar = CurrentMenuBar();
  if (!bar) return false;
  std::shared_ptr<MenuItem> item = FindItemByShortcut(*bar, shortcut);
  if (!item) return false;
  ChooseMenuItem(*item);
  return true;
}

bool CloseWithCloseButton(Window& window) {
  if (!window.CloseButton()) return false;
  window.Close();
  return true;
}

}  // namespace fw
