#pragma once

#include <map>
#include <memory>
#include <vector>

namespace fw {
class RectControl;
class Window;
}  // namespace fw

namespace fw::terminal {

// Whether a person can put the focus on the control: a push button or a popup menu that is
// visible, enabled and a Tab stop. Labels only show text and never take it.
bool TakesFocus(const RectControl& control);

// The controls of the window that take the focus, in TabIndex order (controls of equal TabIndex
// in the order they were added).
std::vector<std::shared_ptr<RectControl>> FocusOrder(const Window& window);

// Which control has the focus, remembered per window, so that the focus comes back to where it
// was when a message box, the open dialog or another window in front has gone.
class FocusTracker {
 public:
  // The focused control of the window: the one remembered while it still takes the focus, else
  // the first of the Tab order (which is then remembered). None when no control takes it.
  std::shared_ptr<RectControl> Focused(const Window& window);
  // Moves the focus to the next (forward) or previous control of the Tab order, wrapping round.
  void Move(const Window& window, bool forward);
  void Forget(const Window& window);

 private:
  std::map<const Window*, std::weak_ptr<RectControl>> focus_;
};

}  // namespace fw::terminal
