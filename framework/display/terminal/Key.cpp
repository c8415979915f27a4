#include "framework/display/terminal/Key.h"

#include <cstdio>

namespace fw::terminal {

std::string KeyName(const Key& key) {
  switch (key.code) {
    case KeyCode::Character: {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "Char(U+%04X)", static_cast<unsigned>(key.character));
      return buffer;
    }
    case KeyCode::Space:
      return "Space";
    case KeyCode::Tab:
      return "Tab";
    case KeyCode::BackTab:
      return "BackTab";
    case KeyCode::Enter:
      return "Enter";
    case KeyCode::Backspace:
      return "Backspace";
    case KeyCode::Escape:
      return "Escape";
    case KeyCode::Up:
      return "Up";
    case KeyCode::Down:
      return "Down";
    case KeyCode::Left:
      return "Left";
    case KeyCode::Right:
      return "Right";
    case KeyCode::CtrlQ:
      return "CtrlQ";
    case KeyCode::F10:
      return "F10";
  }
  return "?";
}

}  // namespace fw::terminal
