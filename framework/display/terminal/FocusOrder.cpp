#include "framework/display/terminal/FocusOrder.h"

#include <algorithm>

#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw::terminal {

bool TakesFocus(const RectControl& control) {
  const bool actsOnKeys = dynamic_cast<const PushButton*>(&control) != nullptr ||
                          dynamic_cast<const PopupMenu*>(&control) != nullptr;
  return actsOnKeys && control.TabStop() && control.Visible() && control.Enabled();
}

std::vector<std::shared_ptr<RectControl>> FocusOrder(const Window& window) {
  std::vector<std::shared_ptr<RectControl>> order;
  for (const auto& control : window.Controls()) {
    auto rect = std::dynamic_pointer_cast<RectControl>(control);
    if (rect && TakesFocus(*rect)) order.push_back(rect);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a->TabIndex() < b->TabIndex(); });
  return order;
}

std::shared_ptr<RectControl> FocusTracker::Focused(const Window& window) {
  auto found = focus_.find(&window);
  if (found != focus_.end()) {
    auto control = found->second.lock();
    if (control && control->ParentWindow().get() == &window && TakesFocus(*control)) {
      return control;
    }
  }
  const auto order = FocusOrder(window);
  if (order.empty()) return nullptr;
  focus_[&window] = order.front();
  return order.front();
}

void FocusTracker::Move(const Window& window, bool forward) {
  const auto order = FocusOrder(window);
  if (order.empty()) return;
  const auto current = Focused(window);
  const auto at = std::find(order.begin(), order.end(), current);
  const auto size = static_cast<std::ptrdiff_t>(order.size());
  const std::ptrdiff_t index = at == order.end() ? 0 : at - order.begin();
  const std::ptrdiff_t next = (index + (forward ? 1 : size - 1)) % size;
  focus_[&window] = order[static_cast<std::size_t>(next)];
}

void FocusTracker::Forget(const Window& window) { focus_.erase(&window); }

}  // namespace fw::terminal
