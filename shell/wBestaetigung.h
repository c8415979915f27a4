#pragma once

#include <memory>

#include "framework/runtime/ClassTable.h"
#include "framework/ui/Label.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

// The confirmation window "Bestätigung": the label "Script ausgeführt" and the button "OK", which
// closes it. Every send fetches it anew through its shared-instance accessor.
namespace valtaro::wBestaetigung {

// Registered as "wBestaetigung.wBestaetigung", base Window; no fields of its own.
class wBestaetigung : public fw::Window {
 public:
  // The class lookup (`__Lookup`): registers the class on first use.
  static const fw::ClassTable& Lookup();
  // The class registration (`__ctblinit`); a second call changes nothing.
  static void ctblinit();

  virtual void Layout();
  virtual void CreateControls();
  virtual void CreateControls0();
  virtual std::shared_ptr<fw::Label> StaticText1();
  virtual std::shared_ptr<fw::PushButton> pbOK();
  virtual void pbOK_Action(const std::shared_ptr<fw::PushButton>& button);
};

// The class, by a name that the accessor below does not hide.
using wBestaetigungClass = wBestaetigung;

// The shared-instance accessor: the open confirmation window, or else a new one, constructed.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
std::shared_ptr<wBestaetigungClass> wBestaetigung();
#pragma GCC diagnostic pop

}  // namespace valtaro::wBestaetigung
