#pragma once

#include <optional>
#include <string>

#include "framework/display/terminal/ScreenBuffer.h"

namespace fw::terminal {

// Turns frames into the VT100/ANSI bytes that show them. Each frame is compared with the one
// rendered before, and only the changed cells are sent (cursor moves, style changes and their
// characters). The first frame, a frame of another size and the frame after Invalidate() clear the
// screen and draw everything.
//
// The bytes end with the plain style set; where the cursor stands afterwards is not defined (the
// session keeps it hidden).
class ScreenRenderer {
 public:
  std::string Render(const ScreenBuffer& frame);
  // The next frame is drawn in full, e.g. after a size change or when something else wrote to the
  // terminal.
  void Invalidate() { previous_.reset(); }

 private:
  std::optional<ScreenBuffer> previous_;
};

}  // namespace fw::terminal
