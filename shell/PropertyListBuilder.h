#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace valtaro {

// Builds a property list: the byte string that the framework's mass property setter reads to give
// a window or a control its initial properties. Each call appends one entry, the property's name,
// one space and the value in the encoding of the property's declared type. There is no header,
// separator, padding or terminator, so the list is exactly the entries in the order of the calls.
class PropertyListBuilder {
 public:
  // 4 bytes, two's complement, big-endian.
  PropertyListBuilder& Int32(std::string_view name, std::int32_t value);
  // 1 byte, 0x00 or 0x01.
  PropertyListBuilder& Boolean(std::string_view name, bool value);
  // 3 bytes, one per component.
  PropertyListBuilder& Color(std::string_view name, std::uint8_t red, std::uint8_t green,
                             std::uint8_t blue);
  // A 32-bit big-endian count of the text's bytes, then the UTF-8 bytes themselves.
  PropertyListBuilder& String(std::string_view name, std::string_view utf8);

  const std::string& Bytes() const { return bytes_; }
  std::size_t EntryCount() const { return entryCount_; }

 private:
  void AppendName(std::string_view name);
  void AppendBigEndian32(std::uint32_t value);

  std::string bytes_;
  std::size_t entryCount_ = 0;
};

}  // namespace valtaro
