#include "framework/display/terminal/MenuBarView.h"

#include <algorithm>

#include "framework/display/terminal/TextLayout.h"
#include "framework/ui/MenuItem.h"

namespace fw::terminal {

namespace {

constexpr char kMenuHint[] = "F10: Menü";

// The column of each menu title on the top line.
int TitleColumn(const MenuBar& bar, int menu) {
  int column = 1;
  for (int i = 0; i < menu; ++i) {
    column += CellCount(bar.Children()[static_cast<std::size_t>(i)]->Text().ToUTF8()) + 2;
  }
  return column;
}

}  // namespace

bool EntryIsEnabled(const MenuItem& entry) {
  return !entry.IsSeparator() && entry.Enabled() && entry.AutoEnable();
}

std::string ShortcutOnScreen(const std::string& shortcut) {
  const std::string command = "Cmd+";
  if (shortcut.rfind(command, 0) == 0) return "Strg+" + shortcut.substr(command.size());
  return shortcut;
}

void MenuBarView::Open(const MenuBar& bar) {
  open_ = bar.Count() > 0;
  menu_ = 0;
  entry_ = -1;
  if (open_) MoveEntry(*bar.Children().front(), 1);
}

void MenuBarView::MoveEntry(const MenuItem& menu, int step) {
  const int count = menu.Count();
  int at = entry_;
  for (int tried = 0; tried < count; ++tried) {
    at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
    if (!menu.Children()[static_cast<std::size_t>(at)]->IsSeparator()) {
      entry_ = at;
      return;
    }
  }
}

std::shared_ptr<MenuItem> MenuBarView::HandleKey(const MenuBar& bar, const Key& key) {
  if (!open_ || bar.Count() == 0) {
    open_ = false;
    return nullptr;
  }
  menu_ = std::clamp(menu_, 0, bar.Count() - 1);
  const MenuItem& menu = *bar.Children()[static_cast<std::size_t>(menu_)];
  switch (key.code) {
    case KeyCode::Escape:
    case KeyCode::F10:
      open_ = false;
      return nullptr;
    case KeyCode::Left:
    case KeyCode::Right:
      menu_ = (menu_ + (key.code == KeyCode::Right ? 1 : bar.Count() - 1)) % bar.Count();
      entry_ = -1;
      MoveEntry(*bar.Children()[static_cast<std::size_t>(menu_)], 1);
      return nullptr;
    case KeyCode::Up:
    case KeyCode::Down:
      MoveEntry(menu, key.code == KeyCode::Down ? 1 : -1);
      return nullptr;
    case KeyCode::Enter:
    case KeyCode::Space: {
      if (entry_ < 0 || entry_ >= menu.Count()) return nullptr;
      auto entry = menu.Children()[static_cast<std::size_t>(entry_)];
      if (!EntryIsEnabled(*entry)) return nullptr;
      open_ = false;
      return entry;
    }
    default:
      return nullptr;
  }
}

void MenuBarView::Paint(ScreenBuffer& screen, const MenuBar* bar) const {
  const Style barStyle{.reverse = true};
  screen.Fill(CellRect{0, 0, 1, screen.Columns()}, U' ', barStyle);
  const int hintWidth = CellCount(kMenuHint);
  screen.PutText(0, screen.Columns() - hintWidth - 1, hintWidth, kMenuHint, barStyle);
  if (bar == nullptr) return;
  for (int i = 0; i < bar->Count(); ++i) {
    const std::string title = bar->Children()[static_cast<std::size_t>(i)]->Text().ToUTF8();
    const bool opened = open_ && i == menu_;
    screen.PutText(0, TitleColumn(*bar, i), CellCount(title) + 2, " " + title + " ",
                   opened ? Style{.bold = true} : barStyle);
  }
  if (!open_ || menu_ >= bar->Count()) return;

  const MenuItem& menu = *bar->Children()[static_cast<std::size_t>(menu_)];
  int textWidth = 0;
  int shortcutWidth = 0;
  for (const auto& entry : menu.Children()) {
    textWidth = std::max(textWidth, CellCount(entry->Text().ToUTF8()));
    shortcutWidth =
        std::max(shortcutWidth, CellCount(ShortcutOnScreen(entry->KeyboardShortcut().ToUTF8())));
  }
  const int inner = textWidth + (shortcutWidth > 0 ? shortcutWidth + 3 : 0) + 2;
  const CellRect box{1, TitleColumn(*bar, menu_) - 1, menu.Count() + 2, inner + 2};
  screen.Fill(box);
  screen.DrawFrame(box, {}, Style{.bold = true});
  for (int i = 0; i < menu.Count(); ++i) {
    const MenuItem& entry = *menu.Children()[static_cast<std::size_t>(i)];
    const int row = box.row + 1 + i;
    if (entry.IsSeparator()) {
      screen.DrawHorizontalLine(row, box.column + 1, inner);
      screen.Set(row, box.column, U'├', Style{.bold = true});
      screen.Set(row, box.Right() - 1, U'┤', Style{.bold = true});
      continue;
    }
    const Style style{.dim = !EntryIsEnabled(entry), .reverse = i == entry_};
    screen.Fill(CellRect{row, box.column + 1, 1, inner}, U' ', style);
    screen.PutText(row, box.column + 2, textWidth, entry.Text().ToUTF8(), style);
    const std::string shortcut = ShortcutOnScreen(entry.KeyboardShortcut().ToUTF8());
    screen.PutText(row, box.column + 1, inner - 1, shortcut, style, Align::Right);
  }
}

}  // namespace fw::terminal
