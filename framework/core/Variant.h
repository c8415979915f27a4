#pragma once

#include <cstdint>
#include <variant>

#include "framework/text/Text.h"

namespace fw {

// A value that carries its own type.
class Variant {
 public:
  // The type codes that VarType gives.
  enum TypeCode : std::int32_t {
    kNull = 0,
    kInt32 = 2,
    kInt64 = 3,
    kDouble = 5,
    kString = 8,
    kBoolean = 11,
  };

  Variant() = default;
  explicit Variant(std::int32_t value) : value_(value) {}
  explicit Variant(std::int64_t value) : value_(value) {}
  explicit Variant(double value) : value_(value) {}
  explicit Variant(bool value) : value_(value) {}
  explicit Variant(Text value) : value_(std::move(value)) {}

  std::int32_t Type() const;
  Text ToText() const;
  std::int32_t ToInt32() const;

 private:
  std::variant<std::monostate, std::int32_t, std::int64_t, double, bool, Text> value_;
};

Variant StringToVariant(Text text);
Text VariantToString(const Variant& value);
std::int32_t VariantToInt32(const Variant& value);
std::int32_t VarType(const Variant& value);

}  // namespace fw
