#pragma once

#include "framework/app/Application.h"
#include "framework/runtime/ClassTable.h"

namespace valtaro {

// The program's application class: the framework's Application with an empty constructor of its
// own. Registered as "App".
class App : public fw::Application {
 public:
  // The class lookup (`__Lookup`): registers the class on first use.
  static const fw::ClassTable& Lookup();
  // The class registration (`__ctblinit`); a second call changes nothing.
  static void ctblinit();

  void Constructor() override {}
};

}  // namespace valtaro
