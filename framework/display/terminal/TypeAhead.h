#pragma once

#include <chrono>
#include <functional>

namespace fw::terminal {

// Decides when keys typed ahead are thrown away. A key that a person types while the program is
// still busy with the one before was typed without seeing what that one did: once the program
// has been busy for longer than a moment, such a key could start a second send or dismiss a
// confirmation that was not yet on the screen. So when the program next waits for a key after a
// longer busy span, the keys typed meanwhile are thrown away. Keys handled at once, at the speed
// of a person typing, are all kept; keys from a pipe always are, since every piped byte is read in
// order.
class TypeAhead {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // A busy span up to this long still counts as handling a key at once.
  static constexpr std::chrono::milliseconds kMoment{250};

  // The program is busy from its start until it first waits for a key.
  explicit TypeAhead(
      bool fromTerminal, Clock clock = [] { return std::chrono::steady_clock::now(); });

  // A key has been taken for handling: the program is busy from now.
  void BusyFromNow();
  // Asked when the program waits for a key again: whether the keys typed since it became busy
  // are to be thrown away.
  bool DiscardsKeysTypedMeanwhile() const;

 private:
  bool fromTerminal_;
  Clock clock_;
  std::chrono::steady_clock::time_point busySince_;
};

}  // namespace fw::terminal
