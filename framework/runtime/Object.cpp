#include "framework/runtime/Object.h"

#include <cstdio>

namespace fw {

namespace {

void RunFieldRelease(Object* object) {
  for (const ClassTable* c = &object->Class(); c != nullptr; c = c->base) {
    if (!c->exit) continue;
    try {
      c->exit(*object);
    } catch (const std::exception& e) {
      // A destructor cannot pass an exception on; say so rather than lose it.
      std::fprintf(stderr, "Fehler bei der Freigabe eines Objekts der Klasse %s: %s\n",
                   c->fullName.c_str(), e.what());
    }
  }
}

void RunFieldSetUp(const ClassTable& table, Object& object) {
  if (table.base != nullptr) RunFieldSetUp(*table.base, object);
  if (table.init) table.init(object);
}

}  // namespace

const ClassTable& Object::Class() const {
  if (class_ == nullptr) throw RuntimeException(Text("Objekt ohne Klassentabelle"));
  return *class_;
}

ObjectRef RuntimeNewObject(const ClassTable& table) {
  const ObjectFactory* factory = table.FindFactory();
  if (factory == nullptr) {
    throw RuntimeException(Text("Die Klasse " + table.fullName + " kann keine Objekte anlegen"));
  }
  Object* raw = (*factory)();
  if (raw == nullptr) throw NilObjectException();
  raw->class_ = &table;
  ObjectRef object(raw, [](Object* o) {
    RunFieldRelease(o);
    delete o;
  });
  RunFieldSetUp(table, *object);
  return object;
}

ObjectRef RuntimeCheckCast(const ObjectRef& object, const ClassTable& table) {
  if (!object) return object;
  if (!object->IsA(table)) {
    throw IllegalCastException(
        Text("Ein Objekt der Klasse " + object->Class().fullName + " ist kein " + table.fullName));
  }
  return object;
}

}  // namespace fw
