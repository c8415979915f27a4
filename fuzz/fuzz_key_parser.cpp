// Feeds arbitrary bytes to the terminal key parser, in one piece and byte by byte, and checks that
// both give the same keys and that every key is one the display knows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "framework/display/terminal/KeyParser.h"

namespace {

using fw::terminal::Key;
using fw::terminal::KeyCode;
using fw::terminal::KeyParser;

void Append(std::vector<Key>& keys, const std::vector<Key>& more) {
  keys.insert(keys.end(), more.begin(), more.end());
}

bool IsSound(const Key& key) {
  if (key.code == KeyCode::Character) {
    const char32_t c = key.character;
    return c > 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c <= 0xDFFF) &&
           c <= 0x10FFFF;
  }
  return key.code == KeyCode::Space ? key.character == U' ' : key.character == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  KeyParser whole;
  std::vector<Key> keysWhole = whole.Feed(bytes);
  Append(keysWhole, whole.Flush());

  KeyParser bytewise;
  std::vector<Key> keysBytewise;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    Append(keysBytewise, bytewise.Feed(bytes.substr(i, 1)));
  Append(keysBytewise, bytewise.Flush());

  if (keysWhole != keysBytewise) std::abort();
  if (whole.HasPending() || bytewise.HasPending()) std::abort();
  for (const Key& key : keysWhole) {
    if (!IsSound(key)) std::abort();
  }
  return 0;
}
