#pragma once

#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/runtime/ClassTable.h"

namespace fw {

// The base of every object that the runtime creates. Objects are shared by counted references
// (ObjectRef); the runtime knows each object's class table.
class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  // The class the object was created as; raises RuntimeException for an object that was not
  // made by RuntimeNewObject.
  const ClassTable& Class() const;
  bool IsA(const ClassTable& table) const { return class_ != nullptr && class_->IsA(table); }

  // Called after a registered setter has changed a property, so that what shows the object can
  // follow.
  virtual void PropertyChanged() {}

 private:
  friend ObjectRef RuntimeNewObject(const ClassTable& table);
  const ClassTable* class_ = nullptr;
};

// A cast to a class the object is not an instance of.
class IllegalCastException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
  const char* ClassName() const override { return "IllegalCastException"; }
};

// A new object of the class: its C++ object from the nearest factory up the bases, then the
// field set-up of the bases and of the class, in that order. No constructor runs. When the last
// reference goes, the field release of the class and then of its bases runs before the C++
// object is destroyed.
ObjectRef RuntimeNewObject(const ClassTable& table);

// The same reference when the object is an instance of the class; none passes as none. Raises
// IllegalCastException otherwise.
ObjectRef RuntimeCheckCast(const ObjectRef& object, const ClassTable& table);

// The same, typed as the C++ class T.
template <class T>
std::shared_ptr<T> RuntimeCheckCast(const ObjectRef& object, const ClassTable& table) {
  ObjectRef checked = RuntimeCheckCast(object, table);
  if (!checked) return nullptr;
  auto typed = std::dynamic_pointer_cast<T>(checked);
  if (!typed) {
    throw IllegalCastException(Text("Das Objekt der Klasse " + checked->Class().fullName +
                                    " hat nicht den erwarteten Typ"));
  }
  return typed;
}

// A new object of a class T that has a static `Lookup()` returning its class table, typed as T.
template <class T>
std::shared_ptr<T> New() {
  return RuntimeCheckCast<T>(RuntimeNewObject(T::Lookup()), T::Lookup());
}

}  // namespace fw
