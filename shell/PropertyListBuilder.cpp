#include "shell/PropertyListBuilder.h"

#include <limits>
#include <stdexcept>

namespace valtaro {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

PropertyListBuilder& PropertyListBuilder::Int32(std::string_view name, std::int32_t value) {
  AppendName(name);
  AppendBigEndian32(static_cast<std::uint32_t>(value));
  return *this;
}

PropertyListBuilder& PropertyListBuilder::Boolean(std::string_view name, bool value) {
  AppendName(name);
  bytes_.push_back(value ? '\x01' : '\x00');
  return *this;
}

PropertyListBuilder& PropertyListBuilder::Color(std::string_view name, std::uint8_t red,
                                                std::uint8_t green, std::uint8_t blue) {
  AppendName(name);
  bytes_.push_back(static_cast<char>(red));
  bytes_.push_back(static_cast<char>(green));
  bytes_.push_back(static_cast<char>(blue));
  return *this;
}

PropertyListBuilder& PropertyListBuilder::String(std::string_view name, std::string_view utf8) {
  if (utf8.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("property list: text too long for its 32-bit count");
  }
  AppendName(name);
  AppendBigEndian32(static_cast<std::uint32_t>(utf8.size()));
  bytes_.append(utf8);
  return *this;
}

// The reader finds the end of a name at the first space, so a name must be non-empty and made of
// letters only; anything else would shift every entry after it.
void PropertyListBuilder::AppendName(std::string_view name) {
  if (name.empty()) {
    throw std::invalid_argument("property list: empty property name");
  }
  for (char c : name) {
    if (!IsAsciiLetter(c)) {
      throw std::invalid_argument("property list: property name must be ASCII letters: " +
                                  std::string(name));
    }
  }
  bytes_.append(name);
  bytes_.push_back(' ');
  ++entryCount_;
}

void PropertyListBuilder::AppendBigEndian32(std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    bytes_.push_back(static_cast<char>((value >> shift) & 0xFFu));
  }
}

}  // namespace valtaro
