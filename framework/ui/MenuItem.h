#pragma once

#include <memory>
#include <vector>

#include "framework/runtime/Object.h"
#include "framework/runtime/Registration.h"

namespace fw {

// An item of a menu tree: the menu bar is the root, its children the menus, theirs the entries.
// An item whose Text is "-" is a separator. Declares the events Action (0) and EnableMenu (1).
class MenuItem : public Object {
 public:
  // The class lookup (`__Lookup`).
  static const ClassTable& Lookup();

  FW_PROPERTY(fw::Text, Name, {})
  FW_PROPERTY(fw::Text, Text, {})
  FW_PROPERTY(bool, AutoEnable, false)
  FW_PROPERTY(bool, Enabled, true)

  // The shortcut as text, e.g. "Cmd+Q"; empty for none.
  fw::Text KeyboardShortcut() const { return keyboardShortcut_; }
  void KeyboardShortcut(fw::Text shortcut);
  // Whether KeyboardShortcut has ever been set on this item.
  bool KeyboardShortcutAssigned() const { return shortcutAssigned_; }

  // The no-argument constructor; the program runs it on each new item.
  virtual void Constructor() {}

  // Adds the item as the last child. None raises NilObjectException.
  void Append(const std::shared_ptr<MenuItem>& item);
  // The child with that name (letter case ignored), or none.
  std::shared_ptr<MenuItem> Child(const fw::Text& name) const;
  // `_Lookup`: the item with that name anywhere below this one (children first, then deeper),
  // or none.
  std::shared_ptr<MenuItem> Lookup(const fw::Text& name) const;
  std::int32_t Count() const { return static_cast<std::int32_t>(children_.size()); }
  // The child at `index` (0 the first); raises OutOfBoundsException past the children.
  std::shared_ptr<MenuItem> Item(std::int32_t index) const;
  const std::vector<std::shared_ptr<MenuItem>>& Children() const { return children_; }
  bool IsSeparator() const { return Text_ == fw::Text("-"); }

  void PropertyChanged() override;

 private:
  fw::Text keyboardShortcut_;
  bool shortcutAssigned_ = false;
  std::vector<std::shared_ptr<MenuItem>> children_;
};

// The root of a menu tree, installed on the application and on windows.
class MenuBar : public MenuItem {
 public:
  static const ClassTable& Lookup();
  using MenuItem::Lookup;
};

// An item whose Action quits the application (QuitMenuAction).
class QuitMenuItem : public MenuItem {
 public:
  static const ClassTable& Lookup();
  using MenuItem::Lookup;
};

// What choosing a quit item does: asks the application to quit with code 0; returns true.
bool QuitMenuAction(MenuItem& item);

// Raises the Action event of an item: the class's own implementation (a quit item quits),
// through the exception helper. False when the class has none.
bool RaiseMenuAction(MenuItem& item);

// The item below `root` (inclusive of none) with that shortcut text, or none.
std::shared_ptr<MenuItem> FindItemByShortcut(const MenuItem& root, const Text& shortcut);

}  // namespace fw
