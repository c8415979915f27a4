#pragma once

#include <memory>
#include <vector>

#include "framework/runtime/Object.h"
#include "framework/runtime/PropertyValue.h"
#include "framework/runtime/Registration.h"
#include "framework/ui/Control.h"

namespace fw {

class MenuBar;

// A window and its controls. A window is open from its Constructor until Close; while open the
// framework holds it, GetImplicitWindow finds it and displays show it.
//
// Events it declares: Open, Close, CancelClose, Activate, Deactivate, Layout, CreateControls. The
// framework raises Layout and CreateControls during Constructor and Open when the event loop next
// runs, before any input; each through the exception helper.
class Window : public Object {
 public:
  static const ClassTable& Lookup();

  FW_PROPERTY(std::int32_t, Placement, 0)
  FW_PROPERTY(std::int32_t, Width, 300)
  FW_PROPERTY(std::int32_t, Height, 200)
  FW_PROPERTY(std::int32_t, MinWidth, 64)
  FW_PROPERTY(std::int32_t, MinHeight, 64)
  FW_PROPERTY(std::int32_t, MaxWidth, 32000)
  FW_PROPERTY(std::int32_t, MaxHeight, 32000)
  FW_PROPERTY(std::int32_t, Frame, 0)
  FW_PROPERTY(bool, Composite, false)
  FW_PROPERTY(bool, HasBackColor, false)
  FW_PROPERTY(::fw::Color, BackColor, (::fw::Color{0xFF, 0xFF, 0xFF}))
  FW_PROPERTY(fw::Text, Title, {})
  FW_PROPERTY(bool, Visible, true)
  FW_PROPERTY(bool, FullScreen, false)
  FW_PROPERTY(bool, MenuBarVisible, true)
  FW_PROPERTY(bool, CloseButton, true)
  FW_PROPERTY(bool, MaximizeButton, false)
  FW_PROPERTY(bool, MinimizeButton, false)
  FW_PROPERTY(bool, Resizeable, false)
  FW_PROPERTY(bool, LiveResize, false)
  FW_PROPERTY(std::int32_t, MacProcId, 0)
  FW_PROPERTY(bool, ContentsChanged, false)

  // `__New`: a new object of the class (a control), not yet constructed.
  virtual ObjectRef New(const ClassTable& table);
  // `_AddControl`: adds the control under the name (which becomes its Name); the window holds it
  // from then on. Raises IllegalCastException for an object that is no control.
  virtual void AddControl(const fw::Text& name, const ObjectRef& control);
  // `_ControlByName`: the control of that name (letter case ignored), or none.
  virtual ObjectRef ControlByName(const fw::Text& name) const;
  // The default window constructor: the window becomes open (the shared instance of its class),
  // its contents unchanged; Layout and CreateControls are raised now, Open at the next loop run.
  virtual void Constructor();
  // Shows the window modally: a nested loop on the display runs until the window is closed (or
  // the application ends).
  virtual void ShowModal();
  // Closes the window: it is no longer open nor its class's shared instance, a modal showing of
  // it ends, and closing the last open window ends the application.
  virtual void Close();

  std::shared_ptr<fw::MenuBar> MenuBar() const { return menuBar_; }
  void MenuBar(std::shared_ptr<fw::MenuBar> menuBar);

  // The controls in the order they were added.
  const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }
  bool IsOpen() const { return open_; }
  bool IsModal() const { return modal_; }

  void PropertyChanged() override;

 private:
  void RaiseEvent(const char* eventName);

  std::shared_ptr<fw::MenuBar> menuBar_;
  std::vector<std::shared_ptr<Control>> controls_;
  bool open_ = false;
  bool modal_ = false;
  bool openRaised_ = false;

  friend void RaisePendingOpenEvents();
  friend void ReleaseAllWindows();
};

// `_GetImplicitWindow`: the open window whose class has that full name (the first opened), or
// none when no window of the class is open.
ObjectRef GetImplicitWindow(const Text& fullName);

// The open windows in the order they were opened.
std::vector<std::shared_ptr<Window>> OpenWindows();
// The innermost window shown modally, or none.
std::shared_ptr<Window> ModalWindow();
// The window that takes input: the modal one, else the last opened; none when none is open.
std::shared_ptr<Window> FrontWindow();

// Raises Open for every window that has been constructed and not had it yet, in order.
void RaisePendingOpenEvents();
// Forgets every open window (at start and at shut-down of the framework).
void ReleaseAllWindows();

}  // namespace fw
