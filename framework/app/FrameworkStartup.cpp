#include "framework/app/FrameworkStartup.h"

#include <vector>

#include "framework/app/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/Label.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw {

namespace {

using PluginEntry = void (*)();

std::vector<PluginEntry>& PluginTable() {
  static std::vector<PluginEntry> table;
  return table;
}

}  // namespace

void RuntimeRegisterFrameworkClasses() {
  Window::Lookup();
  Control::Lookup();
  RectControl::Lookup();
  PushButton::Lookup();
  Label::Lookup();
  PopupMenu::Lookup();
  MenuItem::Lookup();
  MenuBar::Lookup();
  QuitMenuItem::Lookup();
  Application::Lookup();
}

void RuntimeInitExternalClasses() { RuntimeRegisterFrameworkClasses(); }

void InitPluginEntrypoints() { PluginTable().clear(); }

int PluginEntrypointCount() { return static_cast<int>(PluginTable().size()); }

}  // namespace fw
