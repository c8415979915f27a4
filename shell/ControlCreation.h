#pragma once

#include <optional>
#include <string>

#include "framework/core/Deref.h"
#include "framework/runtime/Delegate.h"
#include "framework/runtime/MassPropertySetter.h"
#include "framework/ui/Control.h"
#include "framework/ui/Window.h"
#include "shell/EventGlue.h"

// The one sequence by which every window of the program creates a control in its CreateControls
// event. Each step after the control has been added reaches it afresh by its name.
namespace valtaro {

// The handler of a control: the window's method of that name, called through the invoker for the
// control's kind with a delegate of that signature text.
struct ControlHandler {
  const char* method;
  DelegateInvoker invoker;
  const char* signature;
};

struct ControlSpec {
  const char* name;
  std::optional<float> textSize;
  // Only the main window sets the text unit of its controls.
  bool setTextUnit;
  const std::string& propertyList;
  std::optional<ControlHandler> handler;
};

// The control of that name in the window, typed as C.
template <class C>
std::shared_ptr<C> ControlOf(const fw::Window& window, const char* name) {
  return fw::RuntimeCheckCast<C>(window.ControlByName(fw::Text(name)), C::Lookup());
}

// Creates, adds, sets up and wires one control of the class C in the window.
template <class C>
void CreateControl(fw::Window& window, const ControlSpec& spec) {
  {
    fw::ObjectRef control = window.New(C::Lookup());
    fw::Deref(fw::RuntimeCheckCast<fw::RectControl>(control, fw::RectControl::Lookup()))
        .Constructor();
    window.AddControl(fw::Text(spec.name), control);
  }
  if (spec.textSize) fw::Deref(ControlOf<C>(window, spec.name)).TextSize(*spec.textSize);
  if (spec.setTextUnit) fw::Deref(ControlOf<C>(window, spec.name)).TextUnit(fw::FontUnits(0));
  fw::SetProperties(ControlOf<C>(window, spec.name), fw::Text(spec.propertyList));
  if (spec.handler) {
    std::shared_ptr<C> control = ControlOf<C>(window, spec.name);
    const fw::MethodEntry& method = fw::Deref(window.Class().VirtualMethod(spec.handler->method));
    auto delegate =
        fw::RuntimeCreateDelegate(spec.handler->invoker, method.invoker, window.shared_from_this(),
                                  fw::Text(spec.handler->signature), 1);
    fw::RuntimeAddEventHandler(control, 15, &AddHandlerStub15, std::move(delegate));
  }
}

inline constexpr ControlHandler PushButtonHandler(const char* method) {
  return {method, &DelegateInvokePushButton, "( PushButton )"};
}
inline constexpr ControlHandler PopupMenuHandler(const char* method) {
  return {method, &DelegateInvokePopupMenu, "( PopupMenu )"};
}

}  // namespace valtaro
