#include "framework/runtime/MassPropertySetter.h"

#include "framework/core/Deref.h"
#include "framework/runtime/PropertyListReader.h"

namespace fw {

void RuntimeMassPropertySetter(Object& object, std::string_view list) {
  const ClassTable& table = object.Class();
  PropertyListReader reader(list, [&table](std::string_view name) -> std::optional<ValueKind> {
    const PropertyEntry* property = table.FindProperty(name);
    if (property == nullptr) return std::nullopt;
    return property->Kind();
  });
  while (!reader.AtEnd()) {
    PropertyListEntry entry = reader.Next();
    const PropertyEntry& property = *table.FindProperty(entry.name);
    if (!property.setter) {
      throw PropertyListException(
          entry.offset, "die Eigenschaft \"" + property.name + "\" kann nur gelesen werden");
    }
    property.setter(object, entry.value);
  }
}

void SetProperties(const ObjectRef& object, const Text& list) {
  RuntimeMassPropertySetter(Deref(object), list.Bytes());
}

}  // namespace fw
