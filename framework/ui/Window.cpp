#include "framework/ui/Window.h"

#include <algorithm>

#include "framework/app/EventLoop.h"
#include "framework/display/Display.h"
#include "framework/runtime/ExceptionHelper.h"
#include "framework/ui/MenuItem.h"

namespace fw {

namespace {

struct WindowRegistry {
  std::vector<std::shared_ptr<Window>> open;
  std::vector<std::weak_ptr<Window>> pendingOpen;
  std::vector<std::weak_ptr<Window>> modal;
};

WindowRegistry& Registry() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace

const ClassTable& Window::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("Window", nullptr, {}, {}, [] { return new Window(); });
    RuntimeNewVtable(
        t, {Method<&Window::Constructor>("Constructor", "%%"),
            Method<&Window::New>("__New", "%Object%Ptr"),
            Method<&Window::AddControl>("_AddControl", "%%s,o<Control>"),
            Method<&Window::ControlByName>("_ControlByName", "%Object%s"),
            Method<&Window::ShowModal>("ShowModal", "%%"), Method<&Window::Close>("Close", "%%")});
    for (const char* event :
         {"Open", "Close", "CancelClose", "Activate", "Deactivate", "Layout", "CreateControls"}) {
      t.DeclareEvent(event);
    }
    using W = Window;
    using I = std::int32_t;
    t.properties = {FW_ACCESSOR(W, I, Placement, "Int32"),
                    FW_ACCESSOR(W, I, Width, "Int32"),
                    FW_ACCESSOR(W, I, Height, "Int32"),
                    FW_ACCESSOR(W, I, MinWidth, "Int32"),
                    FW_ACCESSOR(W, I, MinHeight, "Int32"),
                    FW_ACCESSOR(W, I, MaxWidth, "Int32"),
                    FW_ACCESSOR(W, I, MaxHeight, "Int32"),
                    FW_ACCESSOR(W, I, Frame, "Int32"),
                    FW_ACCESSOR(W, bool, Composite, "Boolean"),
                    FW_ACCESSOR(W, bool, HasBackColor, "Boolean"),
                    FW_ACCESSOR(W, Color, BackColor, "Color"),
                    FW_ACCESSOR(W, Text, Title, "String"),
                    FW_ACCESSOR(W, bool, Visible, "Boolean"),
                    FW_ACCESSOR(W, bool, FullScreen, "Boolean"),
                    FW_ACCESSOR(W, bool, MenuBarVisible, "Boolean"),
                    FW_ACCESSOR(W, bool, CloseButton, "Boolean"),
                    FW_ACCESSOR(W, bool, MaximizeButton, "Boolean"),
                    FW_ACCESSOR(W, bool, MinimizeButton, "Boolean"),
                    FW_ACCESSOR(W, bool, Resizeable, "Boolean"),
                    FW_ACCESSOR(W, bool, LiveResize, "Boolean"),
                    FW_ACCESSOR(W, I, MacProcId, "Int32"),
                    FW_ACCESSOR(W, bool, ContentsChanged, "Boolean"),
                    Property<W, std::shared_ptr<fw::MenuBar>>(
                        "MenuBar", "o<MenuBar>", [](W& w) { return w.MenuBar(); },
                        [](W& w, std::shared_ptr<fw::MenuBar> m) { w.MenuBar(std::move(m)); })};
    return t;
  }();
  return table;
}

ObjectRef Window::New(const ClassTable& table) { return RuntimeNewObject(table); }

void Window::AddControl(const fw::Text& name, const ObjectRef& control) {
  auto typed = RuntimeCheckCast<Control>(control, Control::Lookup());
  if (!typed) throw NilObjectException();
  typed->window_ = std::static_pointer_cast<Window>(shared_from_this());
  typed->Name(name);
  controls_.push_back(std::move(typed));
  PropertyChanged();
}

ObjectRef Window::ControlByName(const fw::Text& name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control;
  }
  return nullptr;
}

void Window::Constructor() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  ContentsChanged(false);
  if (!open_) {
    open_ = true;
    Registry().open.push_back(self);
  }
  RaiseEvent("Layout");
  RaiseEvent("CreateControls");
  Registry().pendingOpen.push_back(self);
  if (Display* display = InstalledDisplay()) display->WindowOpened(*this);
}

void Window::ShowModal() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  if (!open_) return;
  modal_ = true;
  Registry().modal.push_back(self);
  if (Display* display = InstalledDisplay()) display->ModalStarted(*this);
  // The modal state ends however the nested loop is left, an escaping exception included.
  struct EndModal {
    Window& window;
    ~EndModal() {
      auto& modal = Registry().modal;
      modal.erase(std::remove_if(modal.begin(), modal.end(),
                                 [this](const std::weak_ptr<Window>& w) {
                                   auto locked = w.lock();
                                   return !locked || locked.get() == &window;
                                 }),
                  modal.end());
      window.modal_ = false;
      if (Display* display = InstalledDisplay()) display->ModalEnded(window);
    }
  } endModal{*this};
  while (open_ && !LoopShouldEnd()) PumpEvents([this] { return open_; });
}

void Window::Close() {
  auto self = std::static_pointer_cast<Window>(shared_from_this());
  if (!open_) return;
  RaiseEvent("Close");
  open_ = false;
  auto& open = Registry().open;
  open.erase(std::remove(open.begin(), open.end(), self), open.end());
  if (Display* display = InstalledDisplay()) display->WindowClosed(*this);
  if (open.empty()) EndApplication();
}

void Window::MenuBar(std::shared_ptr<fw::MenuBar> menuBar) {
  menuBar_ = std::move(menuBar);
  PropertyChanged();
}

void Window::PropertyChanged() {
  if (!open_) return;
  if (Display* display = InstalledDisplay()) display->WindowChanged(*this);
}

void Window::RaiseEvent(const char* eventName) {
  const EventImplementation* implementation = Class().FindEventImplementation(eventName);
  if (implementation == nullptr) return;
  CallProgramCode([&] { (*implementation)(*this); });
}

ObjectRef GetImplicitWindow(const Text& fullName) {
  for (const auto& window : Registry().open) {
    if (window->Class().fullName == fullName.ToUTF8()) return window;
  }
  return nullptr;
}

std::vector<std::shared_ptr<Window>> OpenWindows() { return Registry().open; }

std::shared_ptr<Window> ModalWindow() {
  auto& modal = Registry().modal;
  for (auto it = modal.rbegin(); it != modal.rend(); ++it) {
    if (auto window = it->lock(); window && window->IsOpen()) return window;
  }
  return nullptr;
}

std::shared_ptr<Window> FrontWindow() {
  if (auto modal = ModalWindow()) return modal;
  auto& open = Registry().open;
  return open.empty() ? nullptr : open.back();
}

void RaisePendingOpenEvents() {
  auto& pending = Registry().pendingOpen;
  while (!pending.empty()) {
    std::shared_ptr<Window> window = pending.front().lock();
    pending.erase(pending.begin());
    if (!window || !window->IsOpen() || window->openRaised_) continue;
    window->openRaised_ = true;
    window->RaiseEvent("Open");
  }
}

void ReleaseAllWindows() {
  WindowRegistry& registry = Registry();
  // Move out first: releasing a window may run code that looks at the registry.
  std::vector<std::shared_ptr<Window>> open = std::move(registry.open);
  registry.open.clear();
  registry.pendingOpen.clear();
  registry.modal.clear();
  for (auto& window : open) window->open_ = false;
  open.clear();
}

}  // namespace fw
