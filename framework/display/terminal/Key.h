#pragma once

#include <string>

namespace fw::terminal {

// The keys that the terminal display reacts to.
enum class KeyCode {
  Character,  // a printable character, in Key::character
  Space,
  Tab,
  BackTab,  // Shift+Tab
  Enter,
  Backspace,
  Escape,
  Up,
  Down,
  Left,
  Right,
  CtrlQ,
  F10,
};

struct Key {
  KeyCode code = KeyCode::Character;
  char32_t character = 0;  // the code point for Character, U' ' for Space, else 0

  static constexpr Key Of(KeyCode keyCode) {
    return Key{keyCode, keyCode == KeyCode::Space ? U' ' : U'\0'};
  }
  static constexpr Key Char(char32_t code) { return Key{KeyCode::Character, code}; }

  // True for the keys that type a character into an input line (printable characters and Space).
  constexpr bool TypesCharacter() const { return character != 0; }

  friend constexpr bool operator==(const Key&, const Key&) = default;
};

// A readable name such as "Enter" or "Char(U+00FC)", for test messages and traces.
std::string KeyName(const Key& key);

}  // namespace fw::terminal
