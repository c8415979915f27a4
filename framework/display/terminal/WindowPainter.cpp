#include "framework/display/terminal/WindowPainter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/display/terminal/TextLayout.h"
#include "framework/ui/Label.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw::terminal {

namespace {

Style ControlStyle(const RectControl& control, bool focused) {
  Style style;
  style.dim = !control.Enabled();
  style.reverse = focused;
  return style;
}

Align ToAlign(std::int32_t textAlign) {
  switch (textAlign) {
    case 1:
      return Align::Center;
    case 2:
      return Align::Right;
    default:
      return Align::Left;
  }
}

void PaintButton(ScreenBuffer& screen, const CellRect& cells, const PushButton& button,
                 bool focused) {
  const std::string caption = button.Caption().ToUTF8();
  std::string text = button.Default() ? "[< " + caption + " >]" : "[ " + caption + " ]";
  if (CellCount(text) > cells.width) text = button.Default() ? "<" + caption + ">" : caption;
  Style style = ControlStyle(button, focused);
  style.bold = button.Default();
  const int width = std::min(CellCount(text), cells.width);
  const int column = cells.column + (cells.width - width) / 2;
  screen.PutText(cells.row, column, width, text, style);
}

void PaintPopup(ScreenBuffer& screen, const CellRect& cells, const PopupMenu& popup, bool focused) {
  Style style = ControlStyle(popup, focused);
  style.underline = !focused;
  screen.Fill(CellRect{cells.row, cells.column, 1, cells.width}, U' ', style);
  if (cells.width > 2)
    screen.PutText(cells.row, cells.column, cells.width - 2, popup.Text().ToUTF8(), style);
  screen.Set(cells.row, cells.Right() - 1, U'▼', style);
}

void PaintLabel(ScreenBuffer& screen, const CellRect& cells, const Label& label,
                const std::vector<CellRect>& others, const CellRect& content, bool focused) {
  const Style style = ControlStyle(label, focused);
  const Align align = ToAlign(label.TextAlign());
  const std::string text = label.Text().ToUTF8();
  if (!label.MultiLine()) {
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    screen.PutText(cells.row, cells.column, cells.width, line, style, align);
    return;
  }
  const std::vector<std::string> lines = WrapWords(text, cells.width);
  const CellRect box = GrowDownward(cells, static_cast<int>(lines.size()), content, others);
  for (int i = 0; i < box.height && i < static_cast<int>(lines.size()); ++i) {
    std::string line = lines[static_cast<std::size_t>(i)];
    // The last row that there is room for shows that the text goes on.
    if (i == box.height - 1 && static_cast<int>(lines.size()) > box.height) line += " …";
    screen.PutText(box.row + i, box.column, box.width, line, style, align);
  }
}

}  // namespace

WindowPlacement PlaceOnScreen(const Window& window, int columns, int rows) {
  return PlaceWindow(window.Width(), window.Height(), columns, rows);
}

CellRect ControlCells(const WindowPlacement& placement, const RectControl& control) {
  return PlaceControl(placement,
                      PixelRect{control.Left(), control.Top(), control.Width(), control.Height()});
}

void PaintWindow(ScreenBuffer& screen, const Window& window, const Control* focused, bool front) {
  const WindowPlacement placement = PlaceOnScreen(window, screen.Columns(), screen.Rows());
  screen.Fill(placement.frame);
  screen.DrawFrame(placement.frame, window.Title().ToUTF8(), Style{.bold = front});

  std::vector<std::pair<const RectControl*, CellRect>> shown;
  for (const auto& control : window.Controls()) {
    const auto* rect = dynamic_cast<const RectControl*>(control.get());
    if (rect == nullptr || !rect->Visible()) continue;
    shown.emplace_back(rect, ControlCells(placement, *rect));
  }
  for (const auto& [control, cells] : shown) {
    if (cells.IsEmpty()) continue;
    const bool isFocused = front && control == focused;
    if (const auto* button = dynamic_cast<const PushButton*>(control)) {
      PaintButton(screen, cells, *button, isFocused);
    } else if (const auto* popup = dynamic_cast<const PopupMenu*>(control)) {
      PaintPopup(screen, cells, *popup, isFocused);
    } else if (const auto* label = dynamic_cast<const Label*>(control)) {
      std::vector<CellRect> others;
      for (const auto& [other, otherCells] : shown) {
        if (other != control) others.push_back(otherCells);
      }
      PaintLabel(screen, cells, *label, others, placement.content, isFocused);
    }
  }
}

void PaintPopupList(ScreenBuffer& screen, const CellRect& popupCells, const PopupMenu& popup,
                    int highlighted) {
  const int count = popup.ListCount();
  if (count == 0) return;
  const int below = screen.Rows() - 1 - popupCells.Bottom();  // the help line stays free
  const int above = popupCells.row - 1;                       // so does the menu bar
  const bool downward = below >= std::min(count + 2, 3) || below >= above;
  const int room = std::max(downward ? below : above, 3);
  const int height = std::min(count + 2, room);
  const int visible = std::max(height - 2, 1);
  const int width = std::max(popupCells.width, 6);
  const int top = downward ? popupCells.Bottom() : popupCells.row - height;
  const CellRect box{top, popupCells.column, height, width};
  screen.Fill(box);
  screen.DrawFrame(box, {}, Style{.bold = true});
  const int first = std::clamp(highlighted - visible + 1, 0, std::max(count - visible, 0));
  for (int i = 0; i < visible && first + i < count; ++i) {
    const int row = first + i;
    const Style style{.reverse = row == highlighted};
    screen.Fill(CellRect{box.row + 1 + i, box.column + 1, 1, width - 2}, U' ', style);
    screen.PutText(box.row + 1 + i, box.column + 1, width - 2,
                   popup.Rows()[static_cast<std::size_t>(row)].ToUTF8(), style);
  }
}

}  // namespace fw::terminal
