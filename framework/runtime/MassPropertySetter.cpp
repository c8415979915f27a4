#include "framework/runtime/MassPropertySetter.h"

#include <exception>
#include <string>

#include "framework/core/Deref.h"
#include "framework/runtime/PropertyListReader.h"

namespace fw {

namespace {

// What a setter said when it refused a value, for the list error's message.
std::string RefusalReason() {
  try {
    throw;
  } catch (const RuntimeException& e) {
    return e.Message().ToUTF8();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Fehler unbekannter Art";
  }
}

// Assigns one entry's value. Whatever the property's setter raises makes the list malformed at
// that entry; the setter's own exception stays reachable as the nested exception.
void Assign(Object& object, const PropertyEntry& property, const PropertyListEntry& entry) {
  if (!property.setter) {
    throw PropertyListException(
        entry.offset, "die Eigenschaft \"" + property.name + "\" kann nur gelesen werden");
  }
  try {
    property.setter(object, entry.value);
  } catch (...) {
    std::throw_with_nested(PropertyListException(
        entry.offset,
        "die Eigenschaft \"" + property.name + "\" lehnt den Wert ab: " + RefusalReason()));
  }
}

}  // namespace

void RuntimeMassPropertySetter(Object& object, std::string_view list) {
  const ClassTable& table = object.Class();
  PropertyListReader reader(list, [&table](std::string_view name) -> std::optional<ValueKind> {
    const PropertyEntry* property = table.FindProperty(name);
    if (property == nullptr) return std::nullopt;
    return property->Kind();
  });
  while (!reader.AtEnd()) {
    PropertyListEntry entry = reader.Next();
    Assign(object, *table.FindProperty(entry.name), entry);
  }
}

void SetProperties(const ObjectRef& object, const Text& list) {
  RuntimeMassPropertySetter(Deref(object), list.Bytes());
}

}  // namespace fw
