#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// An attribute of a class or a member: a name with an optional value.
struct Attribute {
  std::string name;
  std::optional<std::string> value;
  friend bool operator==(const Attribute&, const Attribute&) = default;
};

using AttributeList = std::vector<Attribute>;

// "__Scope" = "Public", which every public member and class carries.
inline Attribute Public() { return {"__Scope", "Public"}; }
// "Hidden", without a value.
inline Attribute Hidden() { return {"Hidden", std::nullopt}; }

}  // namespace fw
