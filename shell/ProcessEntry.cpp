#include <cstdio>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/display/terminal/TerminalDisplay.h"
#include "shell/Process.h"

int main() {
  std::unique_ptr<fw::terminal::TerminalDisplay> display;
  try {
    display = std::make_unique<fw::terminal::TerminalDisplay>();
  } catch (const fw::RuntimeException& e) {
    // Without a terminal to draw on there is nothing to show the message in.
    std::fprintf(stderr, "%s\n", e.Message().ToUTF8().c_str());
    return 1;
  }
  return valtaro::RunProcess(*display);
}
