#pragma once

#include <functional>
#include <memory>

#include "framework/ui/PopupMenu.h"

namespace valtaro {

// The main window's account popup, fetched anew through the window's accessor at each use.
using PopupAccessor = std::function<std::shared_ptr<fw::PopupMenu>()>;

// The handler of the main window's Open event: asks the finance application for its account names
// and offers each piece of the answer between ", " as one row of the popup, in order, the first
// row selected. An empty answer means that the finance application is not ready: the message that
// says what to do is shown, and the program quits with code 0 once it has been dismissed.
void Event_Open(const PopupAccessor& pop_konten);

}  // namespace valtaro
