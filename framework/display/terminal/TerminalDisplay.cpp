#include "framework/display/terminal/TerminalDisplay.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/app/EventLoop.h"
#include "framework/display/terminal/MessageBoxView.h"
#include "framework/display/terminal/TooSmallScreen.h"
#include "framework/display/terminal/WindowPainter.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PersonActions.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw::terminal {

namespace {

constexpr char kWindowKeys[] =
    "Tab: nächstes Feld · Enter/Leertaste: drücken · F10: Menü · Strg+Q: Beenden";
constexpr char kPopupKeys[] = "↑/↓: Zeile · Enter: wählen · Esc: schließen";
constexpr char kMenuKeys[] = "←/→: Menü · ↑/↓: Eintrag · Enter: wählen · Esc: schließen";
constexpr char kMessageKeys[] = "Enter, Leertaste oder Esc: OK";
constexpr char kDialogKeys[] = "↑/↓: wählen · Name tippen · Enter: öffnen/wählen · Esc: abbrechen";
constexpr char kBusy[] = "Bitte warten …";

std::string WorkingDirectory() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return "/";
  return buffer.data();
}

}  // namespace

TerminalDisplay::TerminalDisplay(int inputFd, int outputFd)
    : session_(inputFd, outputFd), keys_(inputFd), typeAhead_(session_.InputIsTerminal()) {}

TerminalDisplay::~TerminalDisplay() = default;

ScreenBuffer TerminalDisplay::Compose(int columns, int rows) {
  ScreenBuffer screen(columns, rows);
  if (!IsLargeEnough(columns, rows)) {
    DrawTooSmallNotice(screen);
    return screen;
  }
  const std::shared_ptr<Window> front = FrontWindow();
  const std::shared_ptr<MenuBar> bar = CurrentMenuBar();
  for (const auto& window : OpenWindows()) {
    if (!window->Visible()) continue;
    const bool isFront = window == front;
    const auto focused = isFront ? focus_.Focused(*window) : nullptr;
    PaintWindow(screen, *window, focused.get(), isFront);
  }
  if (auto popup = openPopup_.lock()) {
    if (auto window = popup->ParentWindow()) {
      const WindowPlacement placement = PlaceOnScreen(*window, columns, rows);
      PaintPopupList(screen, ControlCells(placement, *popup), *popup, popupRow_);
    }
  }
  if (!bar) menu_.Close();
  menu_.Paint(screen, bar.get());
  if (dialog_) dialog_->Paint(screen);
  if (message_) PaintMessageBox(screen, *message_);
  PaintHelpLine(screen, front);
  return screen;
}

void TerminalDisplay::PaintHelpLine(ScreenBuffer& screen, const std::shared_ptr<Window>& front) {
  const int row = screen.Rows() - 1;
  const Style hint{.dim = true};
  std::string text;
  Style style = hint;
  if (busy_) {
    text = kBusy;
    style = Style{};
  } else if (message_) {
    text = kMessageKeys;
  } else if (dialog_) {
    text = kDialogKeys;
  } else if (menu_.IsOpen()) {
    text = kMenuKeys;
  } else if (!openPopup_.expired()) {
    text = kPopupKeys;
  } else if (front) {
    const auto focused = focus_.Focused(*front);
    text = focused ? focused->HelpTag().ToUTF8() : std::string();
    if (text.empty()) {
      text = kWindowKeys;
    } else {
      style = Style{};
    }
  }
  screen.Fill(CellRect{row, 0, 1, screen.Columns()});
  screen.PutText(row, 0, screen.Columns(), text, style);
}

void TerminalDisplay::Draw() {
  if (TerminalSession::TakeRedrawRequest()) renderer_.Invalidate();
  shown_ = session_.Size();
  session_.Write(renderer_.Render(Compose(shown_.columns, shown_.rows)));
}

std::optional<Key> TerminalDisplay::NextKey() {
  busy_ = false;
  DiscardKeysTypedWhileBusy();
  for (;;) {
    Draw();
    const InputEvent event = keys_.Next();
    switch (event.kind) {
      case InputEvent::Kind::Key:
        typeAhead_.BusyFromNow();
        if (IsLargeEnough(shown_.columns, shown_.rows)) return event.key;
        if (QuitsFromTooSmallScreen(event.key)) return std::nullopt;
        continue;  // what the notice hides is not on the screen: no key acts on it
      case InputEvent::Kind::Interrupted:
        continue;  // Draw() looks at the redraw request
      case InputEvent::Kind::EndOfInput:
        return std::nullopt;
    }
  }
}

void TerminalDisplay::DiscardKeysTypedWhileBusy() {
  if (!typeAhead_.DiscardsKeysTypedMeanwhile()) return;
  session_.DiscardTypedInput();
  keys_.DiscardPending();
}

bool TerminalDisplay::QuitsFromTooSmallScreen(const Key& key) {
  if (key.code != KeyCode::CtrlQ) return false;
  PressQuitShortcut();
  return QuitRequested();
}

void TerminalDisplay::RunAction(const std::function<void()>& action) {
  ShowBusy();
  ++actionsRunning_;
  try {
    action();
  } catch (...) {
    --actionsRunning_;
    throw;
  }
  --actionsRunning_;
  ShowBusyWithinAction();
}

void TerminalDisplay::ShowBusyWithinAction() {
  if (actionsRunning_ > 0) ShowBusy();
}

void TerminalDisplay::ShowBusy() {
  busy_ = true;
  Draw();
}

void TerminalDisplay::PressQuitShortcut() {
  RunAction([] { PressShortcut(Text("Cmd+Q")); });
}

void TerminalDisplay::ShowMessage(const Text& message) {
  message_ = message.ToUTF8();
  for (;;) {
    const std::optional<Key> key = NextKey();
    if (!key || DismissesMessage(*key)) break;
  }
  message_.reset();
  ShowBusyWithinAction();
}

std::shared_ptr<FolderItem> TerminalDisplay::ChooseFile(const Text& /*fileTypes*/) {
  // The program's one file type is "special/any": every file is offered.
  dialog_.emplace(WorkingDirectory());
  std::shared_ptr<FolderItem> chosen;
  for (;;) {
    const std::optional<Key> key = NextKey();
    if (!key) break;
    const OpenDialog::Outcome outcome = dialog_->HandleKey(*key);
    if (outcome == OpenDialog::Outcome::Cancelled) break;
    if (outcome == OpenDialog::Outcome::Chosen) {
      chosen = std::make_shared<FolderItem>(dialog_->ChosenPath());
      break;
    }
  }
  dialog_.reset();
  ShowBusyWithinAction();
  return chosen;
}

bool TerminalDisplay::HandleNextInput() {
  const std::optional<Key> key = NextKey();
  // Without a key the input has ended, unless Ctrl+Q on the too-small notice asked to quit.
  if (!key) return QuitRequested();
  if (menu_.IsOpen()) {
    const std::shared_ptr<MenuBar> bar = CurrentMenuBar();
    if (!bar) {
      menu_.Close();
      return true;
    }
    if (const std::shared_ptr<MenuItem> entry = menu_.HandleKey(*bar, *key)) {
      RunAction([&] { ChooseMenuItem(*entry); });
    }
    return true;
  }
  if (!openPopup_.expired()) {
    HandlePopupListKey(*key);
    return true;
  }
  HandleWindowKey(*key);
  return true;
}

void TerminalDisplay::HandlePopupListKey(const Key& key) {
  const std::shared_ptr<PopupMenu> popup = openPopup_.lock();
  const int count = popup ? popup->ListCount() : 0;
  if (!popup || count == 0 || !TakesFocus(*popup)) {
    openPopup_.reset();
    return;
  }
  switch (key.code) {
    case KeyCode::Up:
      popupRow_ = std::max(popupRow_ - 1, 0);
      break;
    case KeyCode::Down:
      popupRow_ = std::min(popupRow_ + 1, count - 1);
      break;
    case KeyCode::Escape:
      openPopup_.reset();
      break;
    case KeyCode::Enter:
    case KeyCode::Space:
      openPopup_.reset();
      RunAction([&] { PickPopupRow(*popup, std::clamp(popupRow_, 0, count - 1)); });
      break;
    default:
      break;
  }
}

void TerminalDisplay::OpenPopupList(const std::shared_ptr<PopupMenu>& popup) {
  if (popup->ListCount() == 0) return;
  openPopup_ = popup;
  popupRow_ = std::clamp(popup->ListIndex(), 0, popup->ListCount() - 1);
}

void TerminalDisplay::PressDefaultButton(Window& window) {
  for (const auto& control : window.Controls()) {
    auto button = std::dynamic_pointer_cast<PushButton>(control);
    if (button && button->Default() && button->Visible() && button->Enabled()) {
      RunAction([&] { PressButton(*button); });
      return;
    }
  }
}

void TerminalDisplay::HandleWindowKey(const Key& key) {
  if (key.code == KeyCode::CtrlQ) {
    PressQuitShortcut();
    return;
  }
  if (key.code == KeyCode::F10) {
    if (const std::shared_ptr<MenuBar> bar = CurrentMenuBar()) menu_.Open(*bar);
    return;
  }
  const std::shared_ptr<Window> front = FrontWindow();
  if (!front) return;
  const std::shared_ptr<RectControl> focused = focus_.Focused(*front);
  auto button = std::dynamic_pointer_cast<PushButton>(focused);
  auto popup = std::dynamic_pointer_cast<PopupMenu>(focused);
  switch (key.code) {
    case KeyCode::Tab:
    case KeyCode::BackTab:
      focus_.Move(*front, key.code == KeyCode::Tab);
      break;
    case KeyCode::Enter:
      if (button) {
        RunAction([&] { PressButton(*button); });
      } else if (popup) {
        OpenPopupList(popup);
      } else {
        PressDefaultButton(*front);
      }
      break;
    case KeyCode::Space:
      if (button) RunAction([&] { PressButton(*button); });
      if (popup) OpenPopupList(popup);
      break;
    case KeyCode::Escape:
      if (front->CloseButton()) RunAction([&] { CloseWithCloseButton(*front); });
      break;
    default:
      break;
  }
}

void TerminalDisplay::WindowClosed(Window& window) {
  focus_.Forget(window);
  if (auto popup = openPopup_.lock(); popup && popup->ParentWindow().get() == &window) {
    openPopup_.reset();
  }
}

}  // namespace fw::terminal
