#pragma once

#include <climits>
#include <cstdint>
#include <map>
#include <memory>

#include "framework/runtime/Delegate.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Registration.h"
#include "framework/text/Text.h"

namespace fw {

class Control;
class Window;

// The routine that the framework calls when an event of a control is raised; it fetches the
// delegate stored with the event (Control::EventDelegate) and calls its invoker.
using EventTrampoline = void (*)(Control& control);

struct EventHandler {
  EventTrampoline trampoline = nullptr;
  std::shared_ptr<Delegate> delegate;
};

// The base of every control. Declares three events (numbers 0 to 2).
class Control : public Object {
 public:
  static const ClassTable& Lookup();

  FW_PROPERTY(fw::Text, Name, {})
  FW_PROPERTY(std::int32_t, Index, INT32_MIN)
  FW_PROPERTY(std::int32_t, TabPanelIndex, 0)

  // The window the control was added to; none before that or when the window is gone.
  std::shared_ptr<Window> ParentWindow() const { return window_.lock(); }
  // The delegate stored with an event number, or none.
  std::shared_ptr<Delegate> EventDelegate(std::int32_t eventNumber) const;
  const EventHandler* Handler(std::int32_t eventNumber) const;

  void PropertyChanged() override;

 private:
  friend class Window;
  friend void RuntimeAddEventHandler(const ObjectRef&, std::int32_t, EventTrampoline,
                                     std::shared_ptr<Delegate>);
  std::weak_ptr<Window> window_;
  std::map<std::int32_t, EventHandler> handlers_;
};

// Stores the trampoline and the delegate with an event of the control; the control keeps the
// delegate from then on. Raises NilObjectException for none, IllegalCastException for an object
// that is no control.
void RuntimeAddEventHandler(const ObjectRef& control, std::int32_t eventNumber,
                            EventTrampoline trampoline, std::shared_ptr<Delegate> delegate);

// Raises an event of the control: the attached handler's trampoline, else the class's own
// implementation of the event, each through the exception helper. False when nothing handles it.
bool RaiseControlEvent(Control& control, std::int32_t eventNumber);

// A control with a place in its window. Declares twelve events (numbers 3 to 14), so the first
// event of a class derived from it is number 15.
class RectControl : public Control {
 public:
  static const ClassTable& Lookup();

  FW_PROPERTY(std::int32_t, Left, 0)
  FW_PROPERTY(std::int32_t, Top, 0)
  FW_PROPERTY(std::int32_t, Width, 80)
  FW_PROPERTY(std::int32_t, Height, 20)
  FW_PROPERTY(bool, LockLeft, false)
  FW_PROPERTY(bool, LockTop, false)
  FW_PROPERTY(bool, LockRight, false)
  FW_PROPERTY(bool, LockBottom, false)
  FW_PROPERTY(std::int32_t, TabIndex, 0)
  FW_PROPERTY(bool, TabStop, true)
  FW_PROPERTY(bool, Enabled, true)
  FW_PROPERTY(bool, Visible, true)
  FW_PROPERTY(fw::Text, HelpTag, {})
  FW_PROPERTY(bool, AutoDeactivate, true)
  FW_PROPERTY(fw::Text, InitialParent, {})

  // The default constructor of a control, run once on each new control before it is added to a
  // window.
  virtual void Constructor() { constructed_ = true; }
  bool Constructed() const { return constructed_; }

 private:
  bool constructed_ = false;
};

// The text unit of a control's TextSize.
enum class FontUnits : std::uint8_t {
  kDefault = 0,
  kPixel = 1,
  kPoint = 2,
  kInch = 3,
  kMillimeter = 4
};

// The text style that PushButton, Label and PopupMenu each declare for themselves.
#define FW_TEXT_STYLE_PROPERTIES            \
  FW_PROPERTY(fw::Text, TextFont, "System") \
  FW_PROPERTY(bool, Bold, false)            \
  FW_PROPERTY(bool, Italic, false)          \
  FW_PROPERTY(bool, Underline, false)       \
  FW_PROPERTY(float, TextSize, 0.0f)        \
  FW_PROPERTY(::fw::FontUnits, TextUnit, ::fw::FontUnits::kDefault)

template <class C>
std::vector<PropertyEntry> TextStyleProperties() {
  return {
      FW_ACCESSOR(C, Text, TextFont, "String"),  FW_ACCESSOR(C, bool, Bold, "Boolean"),
      FW_ACCESSOR(C, bool, Italic, "Boolean"),   FW_ACCESSOR(C, bool, Underline, "Boolean"),
      FW_ACCESSOR(C, float, TextSize, "Single"), FW_ACCESSOR(C, FontUnits, TextUnit, "FontUnits")};
}

}  // namespace fw
