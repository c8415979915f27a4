#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/runtime/Attribute.h"
#include "framework/runtime/PropertyValue.h"

namespace fw {

class Object;
using ObjectRef = std::shared_ptr<Object>;

// Arguments of a generic call. An object argument is passed as an ObjectRef; anything else as
// its own C++ value.
using Arguments = std::vector<std::any>;
// Calls a method by its table entry, for introspection: the receiver, then the arguments; the
// result is empty for a method without one, an ObjectRef for an object.
using GenericInvoker = std::function<std::any(Object& self, const Arguments& arguments)>;

struct MethodEntry {
  std::string name;
  // The result between the first two "%", the arguments after the second, e.g. "%o<Label>%".
  std::string signature;
  // The C++ routine behind the method (a pointer to a member function for the helpers of
  // Registration.h).
  std::any implementation;
  GenericInvoker invoker;
  AttributeList attributes;
};

struct EventDeclaration {
  std::string name;
  // Counted over the class and its bases: the first event of the root class is 0.
  std::int32_t number = 0;
};

// The class's code for one event; gets the object that raised it.
using EventImplementation = std::function<void(Object& self)>;

struct PropertyEntry {
  std::string name;
  // "Int32", "Boolean", "Color", "String" for the framework's classes; "i4", "s", "A1s",
  // "o<FolderItem>" and so on for the program's.
  std::string typeText;
  std::function<PropertyValue(Object& self)> getter;
  // Raises RuntimeException when the value is not of the property's type.
  std::function<void(Object& self, const PropertyValue& value)> setter;
  AttributeList attributes;

  ValueKind Kind() const { return KindOfTypeText(typeText); }
};

// Field set-up (run for a new object) and field release (run when it is destroyed).
using FieldHook = std::function<void(Object& self)>;
// Makes the C++ object of a class; the nearest class up the bases that has one is used.
using ObjectFactory = std::function<Object*()>;

// What the runtime knows of one class. Tables are made by RuntimeNewClass and live until the
// process ends, so references to them stay valid.
class ClassTable {
 public:
  std::string fullName;
  const ClassTable* base = nullptr;
  FieldHook init;
  FieldHook exit;
  ObjectFactory factory;

  // Own methods, in the order of registration.
  std::vector<std::shared_ptr<const MethodEntry>> methods;
  // The base's operations, then the own ones; an own operation with the name and signature of an
  // inherited one takes its place.
  std::vector<std::shared_ptr<const MethodEntry>> vtable;
  // Own declared events, numbered on from the base's.
  std::vector<EventDeclaration> events;
  // Event name -> the class's code for it.
  std::vector<std::pair<std::string, EventImplementation>> implementedEvents;
  // Own properties in declared order.
  std::vector<PropertyEntry> properties;
  std::shared_ptr<const AttributeList> attributes;

  // True when this class is `other` or derives from it.
  bool IsA(const ClassTable& other) const;
  // The property of that name declared by this class or a base, letter case ignored; the
  // nearest declaration wins. Null when none declares it.
  const PropertyEntry* FindProperty(std::string_view name) const;
  // The operation of that name in the virtual table (the last one of several overloads).
  const MethodEntry* VirtualMethod(std::string_view name) const;
  // An own method by name, or null.
  const MethodEntry* OwnMethod(std::string_view name) const;

  // Declares the next event; returns its number.
  std::int32_t DeclareEvent(std::string name);
  // The number of events that this class and its bases declare.
  std::int32_t EventCount() const;
  // The number of a declared event, searched up the bases; -1 when none declares it.
  std::int32_t EventNumber(std::string_view name) const;
  // The declaration of an event number, or null.
  const EventDeclaration* EventByNumber(std::int32_t number) const;
  // The implementation of an event by this class or the nearest base, or null.
  const EventImplementation* FindEventImplementation(std::string_view name) const;
  const ObjectFactory* FindFactory() const;
};

// Creates the table of a new class from its base (none for a root class). Raises
// RuntimeException when a class of that name exists already.
ClassTable& RuntimeNewClass(std::string fullName, const ClassTable* base, FieldHook init = {},
                            FieldHook exit = {}, ObjectFactory factory = {});
// Builds the class's virtual table: the base's operations, then `ownOperations`, and enters the
// own operations as the class's methods.
void RuntimeNewVtable(ClassTable& table, std::vector<MethodEntry> ownOperations);
// A shared attribute list to attach to a class (its `attributes`) or copy into a member.
std::shared_ptr<const AttributeList> RuntimeAllocateAttributeTable(AttributeList attributes);
// The registered class of that full name (exact spelling), or null.
const ClassTable* RuntimeFindClass(std::string_view fullName);

// Names compared as the property lists need it: ASCII letters without regard to case.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace fw
