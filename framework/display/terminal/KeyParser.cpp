#include "framework/display/terminal/KeyParser.h"

namespace fw::terminal {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr std::size_t kMaxParameterBytes = 16;

bool IsParameterByte(unsigned char byte) { return byte >= 0x30 && byte <= 0x3F; }
bool IsIntermediateByte(unsigned char byte) { return byte >= 0x20 && byte <= 0x2F; }
bool IsFinalByte(unsigned char byte) { return byte >= 0x40 && byte <= 0x7E; }

// The arrow of a final byte A..D, shared by "ESC [ A" and "ESC O A".
bool ArrowOf(unsigned char finalByte, Key& key) {
  switch (finalByte) {
    case 'A':
      key = Key::Of(KeyCode::Up);
      return true;
    case 'B':
      key = Key::Of(KeyCode::Down);
      return true;
    case 'C':
      key = Key::Of(KeyCode::Right);
      return true;
    case 'D':
      key = Key::Of(KeyCode::Left);
      return true;
    default:
      return false;
  }
}

// The first parameter of "21;2" is "21"; modifiers after it (Shift, Ctrl) are not told apart.
std::string_view FirstParameter(std::string_view parameters) {
  return parameters.substr(0, parameters.find(';'));
}

}  // namespace

std::vector<Key> KeyParser::Feed(std::string_view bytes) {
  std::vector<Key> keys;
  for (const char byte : bytes) Consume(static_cast<unsigned char>(byte), keys);
  return keys;
}

std::vector<Key> KeyParser::Flush() {
  std::vector<Key> keys;
  if (state_ == State::Escape) keys.push_back(Key::Of(KeyCode::Escape));
  state_ = State::Ground;
  return keys;
}

void KeyParser::Consume(unsigned char byte, std::vector<Key>& keys) {
  switch (state_) {
    case State::Ground:
      ConsumeGround(byte, keys);
      break;
    case State::Escape:
      ConsumeEscape(byte, keys);
      break;
    case State::ControlSequence:
      ConsumeControlSequence(byte, keys);
      break;
    case State::SingleShift:
      ConsumeSingleShift(byte, keys);
      break;
    case State::Utf8:
      ConsumeUtf8(byte, keys);
      break;
  }
}

void KeyParser::ConsumeGround(unsigned char byte, std::vector<Key>& keys) {
  const bool afterCarriageReturn = lastWasCarriageReturn_;
  lastWasCarriageReturn_ = false;
  switch (byte) {
    case '\r':
      lastWasCarriageReturn_ = true;
      keys.push_back(Key::Of(KeyCode::Enter));
      return;
    case '\n':  // the LF of CR LF belongs to the Enter already reported
      if (!afterCarriageReturn) keys.push_back(Key::Of(KeyCode::Enter));
      return;
    case '\t':
      keys.push_back(Key::Of(KeyCode::Tab));
      return;
    case 0x11:
      keys.push_back(Key::Of(KeyCode::CtrlQ));
      return;
    case 0x7F:
    case 0x08:
      keys.push_back(Key::Of(KeyCode::Backspace));
      return;
    case kEsc:
      state_ = State::Escape;
      return;
    case ' ':
      keys.push_back(Key::Of(KeyCode::Space));
      return;
    default:
      break;
  }
  if (byte > 0x20 && byte < 0x7F) {
    keys.push_back(Key::Char(byte));
  } else if (byte >= 0x80 && StartUtf8(byte)) {
    state_ = State::Utf8;
  }
}

void KeyParser::ConsumeEscape(unsigned char byte, std::vector<Key>& keys) {
  if (byte == '[') {
    state_ = State::ControlSequence;
    parameters_.clear();
    hasIntermediate_ = false;
  } else if (byte == 'O') {
    state_ = State::SingleShift;
  } else {
    // No sequence starts like this: the ESC was the Esc key, and the byte is a key of its own.
    keys.push_back(Key::Of(KeyCode::Escape));
    state_ = State::Ground;
    ConsumeGround(byte, keys);
  }
}

void KeyParser::ConsumeControlSequence(unsigned char byte, std::vector<Key>& keys) {
  if (IsParameterByte(byte) || IsIntermediateByte(byte)) {
    hasIntermediate_ = hasIntermediate_ || IsIntermediateByte(byte);
    if (parameters_.size() < kMaxParameterBytes) parameters_.push_back(static_cast<char>(byte));
    return;
  }
  state_ = State::Ground;
  if (IsFinalByte(byte)) {
    FinishControlSequence(byte, keys);
  } else {
    ConsumeGround(byte, keys);  // a broken sequence: the byte starts anew
  }
}

void KeyParser::ConsumeSingleShift(unsigned char byte, std::vector<Key>& keys) {
  state_ = State::Ground;
  if (!IsFinalByte(byte)) {
    ConsumeGround(byte, keys);
    return;
  }
  Key arrow;
  if (ArrowOf(byte, arrow)) keys.push_back(arrow);
}

void KeyParser::FinishControlSequence(unsigned char finalByte, std::vector<Key>& keys) const {
  if (hasIntermediate_) return;
  if (!parameters_.empty() && !(parameters_[0] >= '0' && parameters_[0] <= ';')) return;  // private
  const std::string_view first = FirstParameter(parameters_);
  Key key;
  if (ArrowOf(finalByte, key)) {
    if (first.empty() || first == "1") keys.push_back(key);
  } else if (finalByte == 'Z') {
    keys.push_back(Key::Of(KeyCode::BackTab));
  } else if (finalByte == '~' && first == "21") {
    keys.push_back(Key::Of(KeyCode::F10));
  }
}

bool KeyParser::StartUtf8(unsigned char lead) {
  nextLow_ = 0x80;
  nextHigh_ = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    continuationBytesLeft_ = 1;
    code_ = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    continuationBytesLeft_ = 2;
    code_ = lead & 0x0Fu;
    if (lead == 0xE0) nextLow_ = 0xA0;   // no overlong forms
    if (lead == 0xED) nextHigh_ = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    continuationBytesLeft_ = 3;
    code_ = lead & 0x07u;
    if (lead == 0xF0) nextLow_ = 0x90;
    if (lead == 0xF4) nextHigh_ = 0x8F;  // nothing above U+10FFFF
  } else {
    return false;  // a stray continuation byte or a lead byte that UTF-8 never uses
  }
  return true;
}

void KeyParser::ConsumeUtf8(unsigned char byte, std::vector<Key>& keys) {
  if (byte < nextLow_ || byte > nextHigh_) {
    state_ = State::Ground;
    ConsumeGround(byte, keys);  // the character is broken off; the byte starts anew
    return;
  }
  code_ = (code_ << 6) | (byte & 0x3Fu);
  nextLow_ = 0x80;
  nextHigh_ = 0xBF;
  if (--continuationBytesLeft_ > 0) return;
  state_ = State::Ground;
  if (code_ >= 0xA0) keys.push_back(Key::Char(code_));  // U+0080..U+009F are control codes
}

}  // namespace fw::terminal
