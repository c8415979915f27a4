#include "shell/Menue.h"

#include <optional>

#include "framework/core/Deref.h"
#include "framework/runtime/Registration.h"

namespace valtaro::Menü {

std::shared_ptr<MenüClass> implicitInstance;

namespace {

const char* const kFullName = "Menü.Menü";

// One row of the tree: a new item of the class, constructed, named, set up and appended to the
// bar itself (no menu name) or to the bar's menu of that name, looked up anew.
void AddRow(MenüClass& bar, const char* menuName, const fw::ClassTable& itemClass, const char* name,
            bool autoEnable, const char* text, std::optional<const char*> shortcut) {
  auto item = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(itemClass), itemClass);
  fw::Deref(item).Constructor();
  fw::Deref(item).Name(fw::Text(name));
  fw::Deref(item).AutoEnable(autoEnable);
  fw::Deref(item).Text(fw::Text(text));
  if (shortcut) fw::Deref(item).KeyboardShortcut(fw::Text(*shortcut));
  if (menuName == nullptr) {
    bar.Append(item);
  } else {
    fw::Deref(bar.Child(fw::Text(menuName))).Append(item);
  }
}

}  // namespace

void MenüClass::ctblinit() {
  if (fw::RuntimeFindClass(kFullName) != nullptr) return;
  fw::ClassTable& table = fw::RuntimeNewClass(kFullName, &fw::MenuBar::Lookup(), {}, {},
                                              [] { return new MenüClass(); });
  fw::RuntimeNewVtable(table, {fw::Method<&MenüClass::Untitled1>("Untitled1", "%%"),
                               fw::Method<&MenüClass::Untitled2>("Untitled2", "%%"),
                               fw::Method<&MenüClass::Constructor>("Constructor", "%%")});
  table.attributes = fw::RuntimeAllocateAttributeTable({fw::Public()});
}

const fw::ClassTable& MenüClass::Lookup() {
  ctblinit();
  return *fw::RuntimeFindClass(kFullName);
}

void MenüClass::Constructor() {
  Untitled1();
  Untitled2();
}

void MenüClass::Untitled1() {
  AddRow(*this, nullptr, fw::MenuItem::Lookup(), "UntitledMenu2", false, "Ablage", "");
  AddRow(*this, "UntitledMenu2", fw::QuitMenuItem::Lookup(), "FileQuit", true, "Beenden", "Cmd+Q");
}

void MenüClass::Untitled2() {
  const fw::ClassTable& item = fw::MenuItem::Lookup();
  AddRow(*this, nullptr, item, "UntitledMenu0", false, "Bearbeiten", "");
  AddRow(*this, "UntitledMenu0", item, "EditUndo", false, "Undo", "Cmd+Z");
  AddRow(*this, "UntitledMenu0", item, "UntitledMenu1", false, "-", std::nullopt);
  AddRow(*this, "UntitledMenu0", item, "EditCut", false, "Ausschneiden", "Cmd+X");
  AddRow(*this, "UntitledMenu0", item, "EditCopy", false, "Kopieren", "Cmd+C");
  AddRow(*this, "UntitledMenu0", item, "EditPaste", false, "Einfügen", "Cmd+V");
  AddRow(*this, "UntitledMenu0", item, "EditClear", false, "Löschen", "");
}

std::shared_ptr<MenüClass> Menü() {
  if (implicitInstance) return implicitInstance;
  const fw::ClassTable& table = MenüClass::Lookup();
  auto bar = fw::RuntimeCheckCast<MenüClass>(fw::RuntimeNewObject(table), table);
  fw::Deref(bar).Constructor();
  implicitInstance = bar;
  return bar;
}

void implicitInstanceExit() { implicitInstance.reset(); }

}  // namespace valtaro::Menü
