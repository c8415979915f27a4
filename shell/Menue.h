#pragma once

#include <memory>

#include "framework/ui/MenuItem.h"

// The program's menu bar: "Ablage" with "Beenden" (Cmd+Q), and "Bearbeiten" with "Undo", a
// separator, "Ausschneiden", "Kopieren", "Einfügen" and "Löschen". One object of the class, made
// on first use by the module's shared-instance accessor Menü::Menü() and kept until shut-down.
namespace valtaro::Menü {

// Registered as "Menü.Menü", base MenuBar.
class Menü : public fw::MenuBar {
 public:
  // The class lookup (`__Lookup`): registers the class on first use.
  static const fw::ClassTable& Lookup();
  using fw::MenuItem::Lookup;
  // The class registration (`__ctblinit`); a second call changes nothing.
  static void ctblinit();

  // Builds the menu tree: Untitled1 (the menu "Ablage"), then Untitled2 ("Bearbeiten"). Runs no
  // constructor of a base class.
  void Constructor() override;
  virtual void Untitled1();
  virtual void Untitled2();
};

// The class, by a name that the accessor below does not hide.
using MenüClass = Menü;

// `_implicitInstance`: the one menu bar, or none before the first use and after shut-down.
extern std::shared_ptr<MenüClass> implicitInstance;

// The shared-instance accessor: the one menu bar, created and filled on the first call. It is
// named like its class, as every shared-instance accessor of a module is; that is deliberate, so
// the warning about hiding the class's constructor is silenced here alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
std::shared_ptr<MenüClass> Menü();
#pragma GCC diagnostic pop

// `_implicitInstance.__Exit`: the shut-down release of the shared menu bar.
void implicitInstanceExit();

}  // namespace valtaro::Menü
