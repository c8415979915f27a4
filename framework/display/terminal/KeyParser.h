#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/display/terminal/Key.h"

namespace fw::terminal {

// Turns the bytes that a terminal (or a pipe) delivers into keys, incrementally: bytes may arrive
// in any split. Bytes that form no key are dropped: invalid UTF-8, control bytes without a meaning
// here, and unknown escape sequences, which are consumed up to their final byte.
//
// An ESC byte alone is ambiguous: it is the Esc key, or the start of a key's sequence. The parser
// keeps it pending; when the next byte can only follow a lone Esc, Esc is reported before that
// byte's key. When nothing follows, the caller calls Flush() after a pause (kEscapeTimeoutMs) or at
// the end of the input, which turns the pending ESC into the Esc key.
class KeyParser {
 public:
  static constexpr int kEscapeTimeoutMs = 50;

  // The keys that these bytes complete, in order.
  std::vector<Key> Feed(std::string_view bytes);
  // True while bytes of an unfinished key are held back.
  bool HasPending() const { return state_ != State::Ground; }
  // Ends the unfinished key after a pause: a lone ESC becomes Esc, any other incomplete sequence
  // is dropped.
  std::vector<Key> Flush();

 private:
  enum class State : std::uint8_t { Ground, Escape, ControlSequence, SingleShift, Utf8 };

  void Consume(unsigned char byte, std::vector<Key>& keys);
  void ConsumeGround(unsigned char byte, std::vector<Key>& keys);
  void ConsumeEscape(unsigned char byte, std::vector<Key>& keys);
  void ConsumeControlSequence(unsigned char byte, std::vector<Key>& keys);
  void ConsumeSingleShift(unsigned char byte, std::vector<Key>& keys);
  void ConsumeUtf8(unsigned char byte, std::vector<Key>& keys);
  bool StartUtf8(unsigned char lead);
  void FinishControlSequence(unsigned char finalByte, std::vector<Key>& keys) const;

  State state_ = State::Ground;
  bool lastWasCarriageReturn_ = false;
  std::string parameters_;  // of the control sequence being read, cut at a small length
  bool hasIntermediate_ = false;
  char32_t code_ = 0;  // of the UTF-8 character being read
  int continuationBytesLeft_ = 0;
  unsigned char nextLow_ = 0x80;  // the range the next continuation byte must lie in
  unsigned char nextHigh_ = 0xBF;
};

}  // namespace fw::terminal
