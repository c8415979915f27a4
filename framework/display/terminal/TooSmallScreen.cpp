#include "framework/display/terminal/TooSmallScreen.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/display/terminal/TextLayout.h"

namespace fw::terminal {

void DrawTooSmallNotice(ScreenBuffer& screen) {
  screen.Clear();
  const std::string notice =
      "Das Terminal ist zu klein: mindestens " + std::to_string(kMinimumColumns) + " x " +
      std::to_string(kMinimumRows) + " Zeichen nötig.\nJetzt sind es " +
      std::to_string(screen.Columns()) + " x " + std::to_string(screen.Rows()) + " Zeichen.";
  const std::vector<std::string> lines = WrapWords(notice, screen.Columns());
  const int top = std::max((screen.Rows() - static_cast<int>(lines.size())) / 2, 0);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    screen.PutText(top + static_cast<int>(i), 0, screen.Columns(), lines[i], Style{.bold = true},
                   Align::Center);
  }
}

}  // namespace fw::terminal
