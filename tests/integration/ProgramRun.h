#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/display/ScriptedDisplay.h"
#include "framework/script/RecordingScriptHost.h"
#include "framework/ui/Window.h"
#include "shell/Fenster1.h"
#include "shell/Process.h"

namespace integration {

// The scripted display with hooks that let a test look at the program at the moments the display
// is told of something.
class ObservingDisplay : public fw::ScriptedDisplay {
 public:
  std::function<void(fw::Window&)> onWindowOpened;
  std::function<void(fw::Window&)> onWindowChanged;
  std::function<void()> onMenuBarChanged;
  // Called before each input of the person is carried out, with its number (from 0).
  std::function<void(std::size_t)> beforeInput;

  bool HandleNextInput() override {
    if (beforeInput && PendingActions() > 0) beforeInput(inputs_++);
    return fw::ScriptedDisplay::HandleNextInput();
  }

  void WindowOpened(fw::Window& window) override {
    if (onWindowOpened) onWindowOpened(window);
    fw::ScriptedDisplay::WindowOpened(window);
  }
  void WindowChanged(fw::Window& window) override {
    if (onWindowChanged) onWindowChanged(window);
    fw::ScriptedDisplay::WindowChanged(window);
  }
  void MenuBarChanged() override {
    if (onMenuBarChanged) onMenuBarChanged();
    fw::ScriptedDisplay::MenuBarChanged();
  }

 private:
  std::size_t inputs_ = 0;
};

// One whole run of the program, in process: a person's actions queued on the display, the
// finance application's answers queued on the script host.
class ProgramRun {
 public:
  explicit ProgramRun(const std::string& accountAnswer = "Giro, Sparbuch") {
    host.QueueResult(fw::Text(accountAnswer));
    display.onWindowOpened = [this](fw::Window& window) {
      if (window.Class().fullName == "Fenster1.Fenster1" && !mainWindow) {
        mainWindow =
            std::static_pointer_cast<valtaro::Fenster1::Fenster1Class>(window.shared_from_this());
      }
    };
  }

  std::int32_t Run() { return valtaro::RunProcess(display); }

  // The runs of the booking script, each as its eight parameters in UTF-8.
  std::vector<std::vector<std::string>> Bookings() const {
    std::vector<std::vector<std::string>> bookings;
    for (const fw::ScriptRun& run : host.Runs()) {
      if (run.number != 168) continue;
      std::vector<std::string> values;
      for (const fw::ScriptParameter& parameter : run.parameters) {
        values.push_back(std::get<fw::Text>(parameter).ToUTF8());
      }
      bookings.push_back(std::move(values));
    }
    return bookings;
  }

  // How many times a line starting with `prefix` stands in the display's log.
  std::size_t LogCount(const std::string& prefix) const {
    std::size_t count = 0;
    for (const std::string& line : display.Log())
      if (line.rfind(prefix, 0) == 0) ++count;
    return count;
  }

  fw::RecordingScriptHost host;
  ObservingDisplay display;
  // The main window, kept from its opening so that a test can look at it after the run.
  std::shared_ptr<valtaro::Fenster1::Fenster1Class> mainWindow;
};

}  // namespace integration
