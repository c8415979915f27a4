#include "framework/app/Application.h"

#include "framework/display/Display.h"
#include "framework/ui/Window.h"

namespace fw {

namespace {
std::shared_ptr<Application>& RegisteredApp() {
  static std::shared_ptr<Application> application;
  return application;
}
}  // namespace

const ClassTable& Application::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t =
        RuntimeNewClass("Application", nullptr, {}, {}, [] { return new Application(); });
    RuntimeNewVtable(t, {Method<&Application::Constructor>("Constructor", "%%")});
    for (const char* event :
         {"Open", "Close", "EnableMenuItems", "NewDocument", "OpenDocument", "HandleAppleEvent",
          "Activate", "Deactivate", "UnhandledException", "CancelClose"}) {
      t.DeclareEvent(event);
    }
    t.properties = {Property<Application, std::shared_ptr<fw::MenuBar>>(
        "MenuBar", "o<MenuBar>", [](Application& a) { return a.MenuBar(); },
        [](Application& a, std::shared_ptr<fw::MenuBar> m) { a.MenuBar(std::move(m)); })};
    return t;
  }();
  return table;
}

void Application::MenuBar(std::shared_ptr<fw::MenuBar> menuBar) {
  menuBar_ = std::move(menuBar);
  if (Display* display = InstalledDisplay()) display->MenuBarChanged();
}

void RuntimeRegisterAppObject(const ObjectRef& application) {
  RegisteredApp() = RuntimeCheckCast<Application>(application, Application::Lookup());
}

std::shared_ptr<Application> AppObject() { return RegisteredApp(); }

std::shared_ptr<MenuBar> CurrentMenuBar() {
  if (auto window = FrontWindow(); window && window->MenuBar()) return window->MenuBar();
  auto application = AppObject();
  return application ? application->MenuBar() : nullptr;
}

}  // namespace fw
