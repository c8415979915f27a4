#pragma once

#include <deque>

#include "framework/display/terminal/InputReader.h"
#include "framework/display/terminal/Key.h"
#include "framework/display/terminal/KeyParser.h"

namespace fw::terminal {

struct InputEvent {
  enum class Kind {
    Key,          // a key was pressed: `key`
    Interrupted,  // a signal woke the wait: look for a redraw request, then ask again
    EndOfInput,   // no more keys will come
  };
  Kind kind = Kind::Key;
  Key key;
};

// The keys from a descriptor, one at a time: reads with InputReader, parses with KeyParser and
// applies the Esc rule (a pending ESC with nothing after it for 50 ms is the Esc key).
class KeyInput {
 public:
  explicit KeyInput(int fd) : reader_(fd) {}

  // The next key, waiting for it as long as it takes. At the end of the input the keys before it
  // come first, then EndOfInput, on this and every later call.
  InputEvent Next();
  // Forgets the keys read but not yet given out, and an unfinished key's bytes.
  void DiscardPending();

 private:
  void Queue(const std::vector<Key>& keys);

  InputReader reader_;
  KeyParser parser_;
  std::deque<Key> keys_;
  bool ended_ = false;
};

}  // namespace fw::terminal
