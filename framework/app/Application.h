#pragma once

#include <memory>

#include "framework/runtime/Object.h"
#include "framework/runtime/Registration.h"
#include "framework/ui/MenuItem.h"

namespace fw {

// The application object. Declares the events Open, Close, EnableMenuItems, NewDocument,
// OpenDocument, HandleAppleEvent, Activate, Deactivate, UnhandledException, CancelClose.
class Application : public Object {
 public:
  static const ClassTable& Lookup();

  virtual void Constructor() {}

  std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
  // Installs the application's menu bar (`AppMenuBarSetter`).
  void MenuBar(std::shared_ptr<fw::MenuBar> menuBar);

 private:
  std::shared_ptr<fw::MenuBar> menuBar_;
};

// `_RuntimeRegisterAppObject`: makes the object the framework's application object, held until
// shut-down (none forgets it). Raises IllegalCastException for an object that is no Application.
void RuntimeRegisterAppObject(const ObjectRef& application);
// The registered application object, or none.
std::shared_ptr<Application> AppObject();
// The menu bar that displays show: the front window's when it has one, else the application's.
std::shared_ptr<MenuBar> CurrentMenuBar();

}  // namespace fw
