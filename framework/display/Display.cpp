#include "framework/display/Display.h"

#include "framework/core/Exceptions.h"

namespace fw {

namespace {
Display* installedDisplay = nullptr;
}

Display& CurrentDisplay() {
  if (installedDisplay == nullptr) throw RuntimeException(Text("Keine Anzeige eingerichtet"));
  return *installedDisplay;
}

Display* InstalledDisplay() { return installedDisplay; }

void SetCurrentDisplay(Display* display) { installedDisplay = display; }

}  // namespace fw
