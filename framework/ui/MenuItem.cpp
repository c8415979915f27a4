#include "framework/ui/MenuItem.h"

#include <string>

#include "framework/app/EventLoop.h"
#include "framework/core/Deref.h"
#include "framework/display/Display.h"
#include "framework/runtime/ExceptionHelper.h"

namespace fw {

const ClassTable& MenuItem::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("MenuItem", nullptr, {}, {}, [] { return new MenuItem(); });
    using M = MenuItem;
    RuntimeNewVtable(
        t,
        {Method<&M::Count>("Count", "%i4%"), Method<&M::Item>("Item", "%o<MenuItem>%i4"),
         Method<&M::Child>("Child", "%o<MenuItem>%s"),
         Method<&M::Append>("Append", "%%o<MenuItem>"),
         Method<static_cast<std::shared_ptr<MenuItem> (M::*)(const fw::Text&) const>(&M::Lookup)>(
             "_Lookup", "%o<MenuItem>%s"),
         Method<&M::Constructor>("Constructor", "%%")});
    t.DeclareEvent("Action");
    t.DeclareEvent("EnableMenu");
    t.properties = {
        FW_ACCESSOR(M, fw::Text, Name, "String"), FW_ACCESSOR(M, fw::Text, Text, "String"),
        FW_ACCESSOR(M, fw::Text, KeyboardShortcut, "String"),
        FW_ACCESSOR(M, bool, AutoEnable, "Boolean"), FW_ACCESSOR(M, bool, Enabled, "Boolean")};
    return t;
  }();
  return table;
}

void MenuItem::KeyboardShortcut(fw::Text shortcut) {
  keyboardShortcut_ = std::move(shortcut);
  shortcutAssigned_ = true;
  PropertyChanged();
}

void MenuItem::Append(const std::shared_ptr<MenuItem>& item) {
  Deref(item);
  children_.push_back(item);
  PropertyChanged();
}

std::shared_ptr<MenuItem> MenuItem::Child(const fw::Text& name) const {
  for (const auto& child : children_) {
    if (child->Name() == name) return child;
  }
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const fw::Text& name) const {
  if (auto child = Child(name)) return child;
  for (const auto& child : children_) {
    if (auto found = child->Lookup(name)) return found;
  }
  return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw OutOfBoundsException(fw::Text("Menüeintrag " + std::to_string(index) + " gibt es nicht"));
  }
  return children_[static_cast<std::size_t>(index)];
}

void MenuItem::PropertyChanged() {
  if (Display* display = InstalledDisplay()) display->MenuBarChanged();
}

const ClassTable& MenuBar::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t =
        RuntimeNewClass("MenuBar", &MenuItem::Lookup(), {}, {}, [] { return new MenuBar(); });
    RuntimeNewVtable(t, {});
    return t;
  }();
  return table;
}

const ClassTable& QuitMenuItem::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("QuitMenuItem", &MenuItem::Lookup(), {}, {},
                                    [] { return new QuitMenuItem(); });
    RuntimeNewVtable(t, {});
    t.implementedEvents = {
        {"Action", [](Object& self) { QuitMenuAction(dynamic_cast<MenuItem&>(self)); }}};
    return t;
  }();
  return table;
}

bool QuitMenuAction(MenuItem& /*item*/) {
  Quit(0);
  return true;
}

bool RaiseMenuAction(MenuItem& item) {
  ObjectRef keep = item.shared_from_this();
  const EventImplementation* implementation = item.Class().FindEventImplementation("Action");
  if (implementation == nullptr) return false;
  CallProgramCode([&] { (*implementation)(item); });
  return true;
}

std::shared_ptr<MenuItem> FindItemByShortcut(const MenuItem& root, const Text& shortcut) {
  for (const auto& child : root.Children()) {
    if (!child->KeyboardShortcut().IsEmpty() && child->KeyboardShortcut() == shortcut) return child;
    if (auto found = FindItemByShortcut(*child, shortcut)) return found;
  }
  return nullptr;
}

}  // namespace fw
