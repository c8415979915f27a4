#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/core/Exceptions.h"
#include "framework/runtime/PropertyValue.h"

namespace fw {

// A property list that cannot be read: the message names the byte offset and the cause.
class PropertyListException : public RuntimeException {
 public:
  PropertyListException(std::size_t offset, const std::string& cause);
  std::size_t Offset() const { return offset_; }
  const char* ClassName() const override { return "PropertyListException"; }

 private:
  std::size_t offset_;
};

// One entry of a property list.
struct PropertyListEntry {
  std::string name;        // as the list spells it
  std::size_t offset = 0;  // of the name's first byte
  std::size_t length = 0;  // of the whole entry
  PropertyValue value;     // std::int32_t, bool, Color or Text
};

// How the object's class declares a property name: nullopt when no class up the bases declares
// it, ValueKind::kNone when it does with a type that a list cannot carry.
using PropertyKindResolver = std::function<std::optional<ValueKind>(std::string_view name)>;

// Reads a property list entry by entry from its first byte: the name up to a 0x20 byte, then the
// value in the encoding of the property's declared type (Int32 4 bytes big-endian, Boolean 1 byte
// 0 or 1, Color 3 bytes, String a 32-bit big-endian byte count and that many UTF-8 bytes). Never
// reads past the end; a malformed entry raises PropertyListException.
class PropertyListReader {
 public:
  PropertyListReader(std::string_view bytes, PropertyKindResolver resolver);

  bool AtEnd() const { return position_ >= bytes_.size(); }
  // The next entry; call only while !AtEnd().
  PropertyListEntry Next();

 private:
  std::string ReadName();
  PropertyValue ReadValue(ValueKind kind, const std::string& name);
  std::string_view Take(std::size_t count, const std::string& name);

  std::string_view bytes_;
  PropertyKindResolver resolver_;
  std::size_t position_ = 0;
};

// A name as a message shows it: printable ASCII as is, other bytes as \xNN.
std::string PrintableName(std::string_view name);

}  // namespace fw
