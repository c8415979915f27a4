#include "framework/core/Variant.h"

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "framework/text/TextFunctions.h"

namespace fw {

namespace {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::int32_t ClampToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t Variant::Type() const {
  return std::visit(Overloaded{[](std::monostate) { return std::int32_t{kNull}; },
                               [](std::int32_t) { return std::int32_t{kInt32}; },
                               [](std::int64_t) { return std::int32_t{kInt64}; },
                               [](double) { return std::int32_t{kDouble}; },
                               [](bool) { return std::int32_t{kBoolean}; },
                               [](const Text&) { return std::int32_t{kString}; }},
                    value_);
}

Text Variant::ToText() const {
  return std::visit(Overloaded{[](std::monostate) { return Text(); },
                               [](std::int32_t v) { return Text(std::to_string(v)); },
                               [](std::int64_t v) { return Text(std::to_string(v)); },
                               [](double v) {
                                 std::ostringstream out;
                                 out.precision(15);
                                 out << v;
                                 return Text(out.str());
                               },
                               [](bool v) { return Text(v ? "True" : "False"); },
                               [](const Text& v) { return v; }},
                    value_);
}

std::int32_t Variant::ToInt32() const {
  return std::visit(
      Overloaded{[](std::monostate) { return std::int32_t{0}; }, [](std::int32_t v) { return v; },
                 [](std::int64_t v) { return ClampToInt32(static_cast<double>(v)); },
                 [](double v) { return ClampToInt32(v); },
                 [](bool v) { return std::int32_t{v ? 1 : 0}; },
                 [](const Text& v) { return ClampToInt32(Val(v)); }},
      value_);
}

Variant StringToVariant(Text text) { return Variant(std::move(text)); }
Text VariantToString(const Variant& value) { return value.ToText(); }
std::int32_t VariantToInt32(const Variant& value) { return value.ToInt32(); }
std::int32_t VarType(const Variant& value) { return value.Type(); }

}  // namespace fw
