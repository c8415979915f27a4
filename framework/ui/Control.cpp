#include "framework/ui/Control.h"

#include "framework/core/Deref.h"
#include "framework/display/Display.h"
#include "framework/runtime/ExceptionHelper.h"
#include "framework/ui/Window.h"

namespace fw {

const ClassTable& Control::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("Control", nullptr);
    RuntimeNewVtable(t, {});
    for (const char* event : {"Open", "Close", "ConstructContextualMenu"}) t.DeclareEvent(event);
    t.properties = {FW_ACCESSOR(Control, Text, Name, "String"),
                    FW_ACCESSOR(Control, std::int32_t, Index, "Int32"),
                    FW_ACCESSOR(Control, std::int32_t, TabPanelIndex, "Int32")};
    return t;
  }();
  return table;
}

std::shared_ptr<Delegate> Control::EventDelegate(std::int32_t eventNumber) const {
  const EventHandler* handler = Handler(eventNumber);
  return handler != nullptr ? handler->delegate : nullptr;
}

const EventHandler* Control::Handler(std::int32_t eventNumber) const {
  auto it = handlers_.find(eventNumber);
  return it == handlers_.end() ? nullptr : &it->second;
}

void Control::PropertyChanged() {
  std::shared_ptr<Window> window = ParentWindow();
  if (window) window->PropertyChanged();
}

void RuntimeAddEventHandler(const ObjectRef& control, std::int32_t eventNumber,
                            EventTrampoline trampoline, std::shared_ptr<Delegate> delegate) {
  auto typed = RuntimeCheckCast<Control>(control, Control::Lookup());
  Deref(typed).handlers_[eventNumber] = EventHandler{trampoline, std::move(delegate)};
}

bool RaiseControlEvent(Control& control, std::int32_t eventNumber) {
  // Keep the control alive while its code runs, even if that closes its window.
  ObjectRef keep = control.shared_from_this();
  if (const EventHandler* handler = control.Handler(eventNumber);
      handler != nullptr && handler->trampoline != nullptr) {
    EventTrampoline trampoline = handler->trampoline;
    CallProgramCode([&] { trampoline(control); });
    return true;
  }
  const EventDeclaration* event = control.Class().EventByNumber(eventNumber);
  if (event == nullptr) return false;
  const EventImplementation* implementation = control.Class().FindEventImplementation(event->name);
  if (implementation == nullptr) return false;
  CallProgramCode([&] { (*implementation)(control); });
  return true;
}

const ClassTable& RectControl::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("RectControl", &Control::Lookup());
    RuntimeNewVtable(t, {Method<&RectControl::Constructor>("Constructor", "%%")});
    for (const char* event :
         {"MouseEnter", "MouseExit", "MouseDown", "MouseDrag", "MouseUp", "MouseMove", "KeyDown",
          "KeyUp", "GotFocus", "LostFocus", "DragEnter", "DragExit"}) {
      t.DeclareEvent(event);
    }
    using R = RectControl;
    t.properties = {FW_ACCESSOR(R, std::int32_t, Left, "Int32"),
                    FW_ACCESSOR(R, std::int32_t, Top, "Int32"),
                    FW_ACCESSOR(R, std::int32_t, Width, "Int32"),
                    FW_ACCESSOR(R, std::int32_t, Height, "Int32"),
                    FW_ACCESSOR(R, bool, LockLeft, "Boolean"),
                    FW_ACCESSOR(R, bool, LockTop, "Boolean"),
                    FW_ACCESSOR(R, bool, LockRight, "Boolean"),
                    FW_ACCESSOR(R, bool, LockBottom, "Boolean"),
                    FW_ACCESSOR(R, std::int32_t, TabIndex, "Int32"),
                    FW_ACCESSOR(R, bool, TabStop, "Boolean"),
                    FW_ACCESSOR(R, bool, Enabled, "Boolean"),
                    FW_ACCESSOR(R, bool, Visible, "Boolean"),
                    FW_ACCESSOR(R, Text, HelpTag, "String"),
                    FW_ACCESSOR(R, bool, AutoDeactivate, "Boolean"),
                    FW_ACCESSOR(R, Text, InitialParent, "String")};
    return t;
  }();
  return table;
}

}  // namespace fw
