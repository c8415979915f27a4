#pragma once

#include <memory>

#include "framework/text/Text.h"

namespace fw {

class FolderItem;
class Window;

// What the framework shows and what a person does, behind one interface: the terminal display
// for a person, a scripted display for tests.
//
// A display reads what it shows from the framework: OpenWindows() (framework/ui/Window.h) in the
// order they were opened, each window's properties and Controls(), ModalWindow(), and the
// application's menu bar (CurrentMenuBar() in framework/app/Application.h). It carries out what a
// person does through framework/ui/PersonActions.h, so that events reach the program the same way
// whichever display is in use.
class Display {
 public:
  virtual ~Display() = default;

  // A modal alert with one text; returns once it has been dismissed.
  virtual void ShowMessage(const Text& message) = 0;
  // The modal open dialog; the chosen file, or none when cancelled.
  virtual std::shared_ptr<FolderItem> ChooseFile(const Text& fileTypes) = 0;

  // Waits for the next input of a person and carries it out; false when input has ended (the
  // event loop then ends). Called by the event loop and by the nested loop of a modal window.
  // A display without input (one that only shows) keeps this default.
  virtual bool HandleNextInput() { return false; }

  // A window has been opened (after its controls exist) or closed.
  virtual void WindowOpened(Window& /*window*/) {}
  virtual void WindowClosed(Window& /*window*/) {}
  // A property of an open window or of one of its controls, or its set of controls, changed.
  virtual void WindowChanged(Window& /*window*/) {}
  // A window is being shown modally; its nested loop runs until it is closed.
  virtual void ModalStarted(Window& /*window*/) {}
  virtual void ModalEnded(Window& /*window*/) {}
  // The application's menu bar was installed or changed.
  virtual void MenuBarChanged() {}
};

// The display that the framework draws through; raises RuntimeException when none is installed.
Display& CurrentDisplay();
// The installed display, or none.
Display* InstalledDisplay();
// Installs a display (none to remove it); the caller keeps it alive while installed.
void SetCurrentDisplay(Display* display);

}  // namespace fw
