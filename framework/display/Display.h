#pragma once

#include <memory>

#include "framework/text/Text.h"

namespace fw {

class FolderItem;

// What the framework shows and what a person does, behind one interface: the terminal display
// for a person, a scripted display for tests.
class Display {
 public:
  virtual ~Display() = default;

  // A modal alert with one text; returns once it has been dismissed.
  virtual void ShowMessage(const Text& message) = 0;
  // The modal open dialog; the chosen file, or none when cancelled.
  virtual std::shared_ptr<FolderItem> ChooseFile(const Text& fileTypes) = 0;
};

// The display that the framework draws through; raises RuntimeException when none is installed.
Display& CurrentDisplay();
// Installs a display (none to remove it); the caller keeps it alive while installed.
void SetCurrentDisplay(Display* display);

}  // namespace fw
