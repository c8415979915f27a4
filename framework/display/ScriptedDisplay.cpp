#include "framework/display/ScriptedDisplay.h"

#include "framework/app/Application.h"
#include "framework/files/FolderItem.h"
#include "framework/runtime/Object.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PersonActions.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw {

namespace {

std::string ShortClassName(const std::string& fullName) {
  std::size_t point = fullName.rfind('.');
  return point == std::string::npos ? fullName : fullName.substr(point + 1);
}

std::shared_ptr<Window> FindWindow(const std::string& name) {
  if (name.empty()) {
    if (auto front = FrontWindow()) return front;
  }
  std::vector<std::shared_ptr<Window>> open = OpenWindows();
  // The latest window of that name is the one a person sees on top.
  for (auto it = open.rbegin(); it != open.rend(); ++it) {
    const std::string& fullName = (*it)->Class().fullName;
    if ((*it)->Title() == Text(name) || fullName == name || ShortClassName(fullName) == name) {
      return *it;
    }
  }
  throw ScriptedDisplayError(Text("Skript: kein offenes Fenster \"" + name + "\""));
}

template <class C>
std::shared_ptr<C> FindControl(const std::string& window, const std::string& control) {
  ObjectRef found = FindWindow(window)->ControlByName(Text(control));
  auto typed = std::dynamic_pointer_cast<C>(found);
  if (!typed) {
    throw ScriptedDisplayError(Text("Skript: kein passendes Steuerelement \"" + control +
                                    "\" im Fenster \"" + window + "\""));
  }
  return typed;
}

}  // namespace

ScriptedDisplay::ScriptedDisplay() : previous_(InstalledDisplay()) { SetCurrentDisplay(this); }

ScriptedDisplay::~ScriptedDisplay() {
  if (InstalledDisplay() == this) SetCurrentDisplay(previous_);
}

ScriptedDisplay& ScriptedDisplay::Queue(Action action) {
  queue_.push_back(std::move(action));
  return *this;
}

ScriptedDisplay& ScriptedDisplay::PressButton(const std::string& window,
                                              const std::string& control) {
  return Queue({Kind::kPressButton, window, control});
}
ScriptedDisplay& ScriptedDisplay::PickPopupRow(const std::string& window,
                                               const std::string& control, std::int32_t row) {
  return Queue({Kind::kPickRow, window, control, row});
}
ScriptedDisplay& ScriptedDisplay::AnswerFile(const std::string& path) {
  return Queue({Kind::kAnswerFile, {}, path});
}
ScriptedDisplay& ScriptedDisplay::CancelFile() { return Queue({Kind::kCancelFile, {}, {}}); }
ScriptedDisplay& ScriptedDisplay::ChooseMenuItem(const std::string& itemName) {
  return Queue({Kind::kChooseMenuItem, {}, itemName});
}
ScriptedDisplay& ScriptedDisplay::PressCmdQ() { return Queue({Kind::kCmdQ, {}, {}}); }
ScriptedDisplay& ScriptedDisplay::CloseWindow(const std::string& window) {
  return Queue({Kind::kCloseWindow, window, {}});
}
ScriptedDisplay& ScriptedDisplay::DismissMessage() {
  return Queue({Kind::kDismissMessage, {}, {}});
}

void ScriptedDisplay::ShowMessage(const Text& message) {
  messages_.push_back(message.ToUTF8());
  log_.push_back("Meldung: " + message.ToUTF8());
  if (NextIs(Kind::kDismissMessage)) queue_.pop_front();
}

std::shared_ptr<FolderItem> ScriptedDisplay::ChooseFile(const Text& fileTypes) {
  fileTypeRequests_.push_back(fileTypes.ToUTF8());
  if (NextIs(Kind::kAnswerFile)) {
    std::string path = queue_.front().name;
    queue_.pop_front();
    log_.push_back("Dateiauswahl: " + path);
    return std::make_shared<FolderItem>(path);
  }
  if (NextIs(Kind::kCancelFile)) queue_.pop_front();
  log_.push_back("Dateiauswahl abgebrochen");
  return nullptr;
}

bool ScriptedDisplay::HandleNextInput() {
  if (queue_.empty()) return false;
  Action action = queue_.front();
  queue_.pop_front();
  CarryOut(action);
  return true;
}

void ScriptedDisplay::CarryOut(const Action& action) {
  switch (action.kind) {
    case Kind::kPressButton: {
      auto button = FindControl<fw::PushButton>(action.window, action.name);
      if (!button->Enabled()) {
        throw ScriptedDisplayError(Text("Skript: der Knopf \"" + action.name + "\" ist gesperrt"));
      }
      log_.push_back("Knopf: " + action.name);
      ::fw::PressButton(*button);
      break;
    }
    case Kind::kPickRow: {
      auto popup = FindControl<PopupMenu>(action.window, action.name);
      log_.push_back("Zeile " + std::to_string(action.row) + ": " + action.name);
      ::fw::PickPopupRow(*popup, action.row);
      break;
    }
    case Kind::kChooseMenuItem: {
      std::shared_ptr<MenuBar> bar = CurrentMenuBar();
      std::shared_ptr<MenuItem> item = bar ? bar->Lookup(Text(action.name)) : nullptr;
      if (!item)
        throw ScriptedDisplayError(Text("Skript: kein Menüeintrag \"" + action.name + "\""));
      log_.push_back("Menü: " + action.name);
      ::fw::ChooseMenuItem(*item);
      break;
    }
    case Kind::kCmdQ:
      log_.push_back("Taste: Cmd+Q");
      ::fw::PressShortcut(Text("Cmd+Q"));
      break;
    case Kind::kCloseWindow: {
      auto window = FindWindow(action.window);
      log_.push_back("Schließfeld: " + window->Title().ToUTF8());
      ::fw::CloseWithCloseButton(*window);
      break;
    }
    case Kind::kAnswerFile:
    case Kind::kCancelFile:
    case Kind::kDismissMessage:
      throw ScriptedDisplayError(Text("Skript: keine Datei-Auswahl oder Meldung offen"));
  }
}

void ScriptedDisplay::WindowOpened(Window& window) {
  log_.push_back("Fenster geöffnet: " + window.Title().ToUTF8());
}
void ScriptedDisplay::WindowClosed(Window& window) {
  log_.push_back("Fenster geschlossen: " + window.Title().ToUTF8());
}
void ScriptedDisplay::WindowChanged(Window& /*window*/) { ++windowChanges_; }
void ScriptedDisplay::ModalStarted(Window& window) {
  log_.push_back("Modal: " + window.Title().ToUTF8());
}
void ScriptedDisplay::ModalEnded(Window& window) {
  log_.push_back("Modal beendet: " + window.Title().ToUTF8());
}
void ScriptedDisplay::MenuBarChanged() { ++menuBarChanges_; }

}  // namespace fw
