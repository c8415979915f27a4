#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/display/Display.h"

namespace fw {

// A script action that cannot be carried out (no such window or control, a disabled button):
// a fault of the test script, raised out of the event loop.
class ScriptedDisplayError : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
  const char* ClassName() const override { return "ScriptedDisplayError"; }
};

// A display for tests. It installs itself while it lives (and puts back the display before it),
// records what is shown, and carries out the queued actions of a person, one per input; when the
// queue is empty, input has ended.
//
// Windows are named by title, by class name ("wBestaetigung") or by full class name
// ("wBestaetigung.wBestaetigung"); an empty name means the front window (the modal one, else the
// last opened). A message box takes a queued DismissMessage when it is next in the queue and is
// dismissed by itself otherwise; the open dialog takes a queued AnswerFile / CancelFile when it is
// next, and is cancelled otherwise.
class ScriptedDisplay : public Display {
 public:
  ScriptedDisplay();
  ~ScriptedDisplay() override;
  ScriptedDisplay(const ScriptedDisplay&) = delete;
  ScriptedDisplay& operator=(const ScriptedDisplay&) = delete;

  // The queue of a person's actions, in order.
  ScriptedDisplay& PressButton(const std::string& window, const std::string& control);
  ScriptedDisplay& PickPopupRow(const std::string& window, const std::string& control,
                                std::int32_t row);
  ScriptedDisplay& AnswerFile(const std::string& path);
  ScriptedDisplay& CancelFile();
  // A menu item by its Name (e.g. "FileQuit"), searched below the current menu bar.
  ScriptedDisplay& ChooseMenuItem(const std::string& itemName);
  ScriptedDisplay& PressCmdQ();
  ScriptedDisplay& CloseWindow(const std::string& window);
  ScriptedDisplay& DismissMessage();

  std::size_t PendingActions() const { return queue_.size(); }

  // What was shown and done, in UTF-8, in order.
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<std::string>& FileTypeRequests() const { return fileTypeRequests_; }
  // One line per event: "Meldung: …", "Fenster geöffnet: Titel", "Fenster geschlossen: Titel",
  // "Modal: Titel", "Modal beendet: Titel", "Dateiauswahl: Pfad" / "Dateiauswahl abgebrochen",
  // and one line per action carried out.
  const std::vector<std::string>& Log() const { return log_; }
  // How many times windows or the menu bar told of a change.
  std::int32_t WindowChanges() const { return windowChanges_; }
  std::int32_t MenuBarChanges() const { return menuBarChanges_; }

  void ShowMessage(const Text& message) override;
  std::shared_ptr<FolderItem> ChooseFile(const Text& fileTypes) override;
  bool HandleNextInput() override;
  void WindowOpened(Window& window) override;
  void WindowClosed(Window& window) override;
  void WindowChanged(Window& window) override;
  void ModalStarted(Window& window) override;
  void ModalEnded(Window& window) override;
  void MenuBarChanged() override;

 private:
  enum class Kind : std::uint8_t {
    kPressButton,
    kPickRow,
    kAnswerFile,
    kCancelFile,
    kChooseMenuItem,
    kCmdQ,
    kCloseWindow,
    kDismissMessage
  };
  struct Action {
    Kind kind;
    std::string window;
    std::string name;  // control, menu item or path
    std::int32_t row = 0;
  };

  ScriptedDisplay& Queue(Action action);
  void CarryOut(const Action& action);
  bool NextIs(Kind kind) const { return !queue_.empty() && queue_.front().kind == kind; }

  Display* previous_;
  std::deque<Action> queue_;
  std::vector<std::string> messages_;
  std::vector<std::string> fileTypeRequests_;
  std::vector<std::string> log_;
  std::int32_t windowChanges_ = 0;
  std::int32_t menuBarChanges_ = 0;
};

}  // namespace fw
