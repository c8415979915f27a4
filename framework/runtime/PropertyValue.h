#pragma once

#include <any>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "framework/text/Text.h"

namespace fw {

// A colour, one byte per component.
struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// The value of a property as the class table's getters and setters pass it: the four kinds that
// property lists carry, and anything else (object references, lists, floats) in a std::any.
using PropertyValue = std::variant<std::monostate, std::int32_t, bool, Color, Text, std::any>;

// How a value of a declared type is written in a property list; kNone for types that a list
// cannot carry.
enum class ValueKind : std::uint8_t { kNone, kInt32, kBoolean, kColor, kString };

// The list encoding for a declared type text: "Int32", "i4" and the Int32-based enumerations are
// 4 bytes, "Boolean" 1, "Color" 3, "String" and "s" a counted text.
ValueKind KindOfTypeText(std::string_view typeText);

}  // namespace fw
