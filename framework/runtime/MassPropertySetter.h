#pragma once

#include <string_view>

#include "framework/runtime/Object.h"
#include "framework/text/Text.h"

namespace fw {

// Applies a property list (PropertyListReader) to the object: each entry's property, found by
// name among those that the object's class and its bases declare without regard to letter case,
// is assigned through its setter, in list order. Properties the list does not name keep their
// values. A malformed list raises PropertyListException; the entries before the fault stay
// applied. A value that its property's setter refuses (the setter raises anything) makes the list
// malformed at that entry: the message gives the setter's reason, and the setter's exception is
// the PropertyListException's nested exception.
void RuntimeMassPropertySetter(Object& object, std::string_view list);

// The framework function that windows and controls call: passes the object and the list's bytes
// to RuntimeMassPropertySetter. None raises NilObjectException.
void SetProperties(const ObjectRef& object, const Text& list);

}  // namespace fw
