#include "shell/App.h"

#include "framework/runtime/Registration.h"

namespace valtaro {

namespace {

const char* const kClassName = "App";

}  // namespace

void App::ctblinit() {
  if (fw::RuntimeFindClass(kClassName) != nullptr) return;
  fw::ClassTable& table =
      fw::RuntimeNewClass(kClassName, &fw::Application::Lookup(), {}, {}, [] { return new App(); });
  fw::RuntimeNewVtable(table, {fw::Method<&App::Constructor>("Constructor", "%%")});
}

const fw::ClassTable& App::Lookup() {
  ctblinit();
  return *fw::RuntimeFindClass(kClassName);
}

}  // namespace valtaro
