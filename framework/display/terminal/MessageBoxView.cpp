#include "framework/display/terminal/MessageBoxView.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/display/terminal/TextLayout.h"

namespace fw::terminal {

namespace {
constexpr int kPreferredTextWidth = 56;
constexpr char kOkButton[] = "[< OK >]";
}  // namespace

bool DismissesMessage(const Key& key) {
  return key.code == KeyCode::Enter || key.code == KeyCode::Space || key.code == KeyCode::Escape;
}

void PaintMessageBox(ScreenBuffer& screen, std::string_view utf8) {
  const int textWidth = std::clamp(screen.Columns() - 8, 1, kPreferredTextWidth);
  std::vector<std::string> lines = WrapWords(utf8, textWidth);
  if (lines.empty()) lines.emplace_back();
  // Rows: frame, blank, the text, blank, the button, blank, frame; the menu and help lines stay.
  const int maxTextRows = std::max(screen.Rows() - 2 - 6, 1);
  if (static_cast<int>(lines.size()) > maxTextRows) {
    lines.resize(static_cast<std::size_t>(maxTextRows));
    lines.back() += " …";
  }
  const int width = textWidth + 6;
  const int height = static_cast<int>(lines.size()) + 6;
  const CellRect box{std::max((screen.Rows() - height) / 2, 1),
                     std::max((screen.Columns() - width) / 2, 0), height, width};
  screen.Fill(box);
  screen.DrawFrame(box, {}, Style{.bold = true});
  for (std::size_t i = 0; i < lines.size(); ++i) {
    screen.PutText(box.row + 2 + static_cast<int>(i), box.column + 3, textWidth, lines[i]);
  }
  const int buttonWidth = CellCount(kOkButton);
  screen.PutText(box.Bottom() - 3, box.column + (width - buttonWidth) / 2, buttonWidth, kOkButton,
                 Style{.bold = true, .reverse = true});
}

}  // namespace fw::terminal
