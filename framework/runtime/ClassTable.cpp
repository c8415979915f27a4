#include "framework/runtime/ClassTable.h"

#include <map>

#include "framework/core/Exceptions.h"

namespace fw {

namespace {

std::map<std::string, std::unique_ptr<ClassTable>, std::less<>>& Classes() {
  static std::map<std::string, std::unique_ptr<ClassTable>, std::less<>> classes;
  return classes;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

ValueKind KindOfTypeText(std::string_view typeText) {
  if (typeText == "Int32" || typeText == "i4" || typeText == "ButtonFrameStyle") {
    return ValueKind::kInt32;
  }
  if (typeText == "Boolean" || typeText == "b") return ValueKind::kBoolean;
  if (typeText == "Color") return ValueKind::kColor;
  if (typeText == "String" || typeText == "s") return ValueKind::kString;
  return ValueKind::kNone;
}

bool ClassTable::IsA(const ClassTable& other) const {
  for (const ClassTable* c = this; c != nullptr; c = c->base) {
    if (c == &other) return true;
  }
  return false;
}

const PropertyEntry* ClassTable::FindProperty(std::string_view name) const {
  for (const ClassTable* c = this; c != nullptr; c = c->base) {
    for (const PropertyEntry& property : c->properties) {
      if (EqualIgnoringAsciiCase(property.name, name)) return &property;
    }
  }
  return nullptr;
}

const MethodEntry* ClassTable::VirtualMethod(std::string_view name) const {
  for (auto it = vtable.rbegin(); it != vtable.rend(); ++it) {
    if ((*it)->name == name) return it->get();
  }
  return nullptr;
}

const MethodEntry* ClassTable::OwnMethod(std::string_view name) const {
  for (const auto& method : methods) {
    if (method->name == name) return method.get();
  }
  return nullptr;
}

std::int32_t ClassTable::EventCount() const {
  return (base != nullptr ? base->EventCount() : 0) + static_cast<std::int32_t>(events.size());
}

std::int32_t ClassTable::DeclareEvent(std::string name) {
  std::int32_t number = EventCount();
  events.push_back({std::move(name), number});
  return number;
}

std::int32_t ClassTable::EventNumber(std::string_view name) const {
  for (const ClassTable* c = this; c != nullptr; c = c->base) {
    for (const EventDeclaration& event : c->events) {
      if (event.name == name) return event.number;
    }
  }
  return -1;
}

const EventDeclaration* ClassTable::EventByNumber(std::int32_t number) const {
  for (const ClassTable* c = this; c != nullptr; c = c->base) {
    for (const EventDeclaration& event : c->events) {
      if (event.number == number) return &event;
    }
  }
  return nullptr;
}

const EventImplementation* ClassTable::FindEventImplementation(std::string_view name) const {
  for (const ClassTable* c = this; c != nullptr; c = c->base) {
    for (const auto& [eventName, implementation] : c->implementedEvents) {
      if (eventName == name) return &implementation;
    }
  }
  return nullptr;
}

const ObjectFactory* ClassTable::FindFactory() const {
  for (const ClassTable* c = this; c != nullptr; c = c->base) {
    if (c->factory) return &c->factory;
  }
  return nullptr;
}

ClassTable& RuntimeNewClass(std::string fullName, const ClassTable* base, FieldHook init,
                            FieldHook exit, ObjectFactory factory) {
  auto& classes = Classes();
  if (classes.find(fullName) != classes.end()) {
    throw RuntimeException(Text("Die Klasse " + fullName + " ist schon angemeldet"));
  }
  auto table = std::make_unique<ClassTable>();
  table->fullName = fullName;
  table->base = base;
  table->init = std::move(init);
  table->exit = std::move(exit);
  table->factory = std::move(factory);
  table->attributes = RuntimeAllocateAttributeTable({});
  ClassTable& result = *table;
  classes.emplace(std::move(fullName), std::move(table));
  return result;
}

void RuntimeNewVtable(ClassTable& table, std::vector<MethodEntry> ownOperations) {
  if (table.base != nullptr) table.vtable = table.base->vtable;
  for (MethodEntry& operation : ownOperations) {
    auto entry = std::make_shared<const MethodEntry>(std::move(operation));
    table.methods.push_back(entry);
    bool replaced = false;
    for (auto& inherited : table.vtable) {
      if (inherited->name == entry->name && inherited->signature == entry->signature) {
        inherited = entry;
        replaced = true;
        break;
      }
    }
    if (!replaced) table.vtable.push_back(entry);
  }
}

std::shared_ptr<const AttributeList> RuntimeAllocateAttributeTable(AttributeList attributes) {
  return std::make_shared<const AttributeList>(std::move(attributes));
}

const ClassTable* RuntimeFindClass(std::string_view fullName) {
  auto& classes = Classes();
  auto it = classes.find(fullName);
  return it == classes.end() ? nullptr : it->second.get();
}

}  // namespace fw
