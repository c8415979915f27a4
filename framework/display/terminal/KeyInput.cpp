#include "framework/display/terminal/KeyInput.h"

#include <chrono>
#include <optional>

namespace fw::terminal {

InputEvent KeyInput::Next() {
  for (;;) {
    if (!keys_.empty()) {
      const Key key = keys_.front();
      keys_.pop_front();
      return InputEvent{InputEvent::Kind::Key, key};
    }
    if (ended_) return InputEvent{InputEvent::Kind::EndOfInput, {}};

    std::optional<std::chrono::milliseconds> timeout;
    if (parser_.HasPending()) timeout = std::chrono::milliseconds(KeyParser::kEscapeTimeoutMs);
    const ReadResult read = reader_.Read(timeout);
    switch (read.status) {
      case ReadStatus::Data:
        Queue(parser_.Feed(read.bytes));
        break;
      case ReadStatus::Timeout:
        Queue(parser_.Flush());
        break;
      case ReadStatus::Interrupted:
        return InputEvent{InputEvent::Kind::Interrupted, {}};
      case ReadStatus::EndOfInput:
        Queue(parser_.Flush());
        ended_ = true;
        break;
    }
  }
}

void KeyInput::DiscardPending() {
  keys_.clear();
  parser_ = KeyParser();
}

void KeyInput::Queue(const std::vector<Key>& keys) {
  keys_.insert(keys_.end(), keys.begin(), keys.end());
}

}  // namespace fw::terminal
