#pragma once

// Helpers that turn C++ members into class-table entries, so a class registers its methods,
// properties and events in a few lines:
//
//   RuntimeNewVtable(table, {
//       Method<&Fenster1::Layout>("Layout", "%%"),
//       Method<&Fenster1::CreateControls0>("_CreateControls0", "%%", {Public(), Hidden()}),
//       Method<&Fenster1::btn_quit>("btn_quit", "%o<PushButton>%"),
//   });
//   table.implementedEvents = {EventImpl<&Fenster1::Layout>("Layout")};
//   table.properties = {Field<&Fenster1::anz_zeilen>("anz_zeilen", "i4")};

#include <any>
#include <string>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "framework/runtime/ClassTable.h"
#include "framework/runtime/Object.h"

namespace fw {

namespace detail {

template <class T>
struct SharedObject : std::false_type {};
template <class U>
struct SharedObject<std::shared_ptr<U>> : std::bool_constant<std::is_base_of_v<Object, U>> {
  using Pointee = U;
};

[[noreturn]] void RaiseWrongArgument(const char* what);

// An argument of a generic call as the C++ parameter type P.
template <class P>
std::remove_cvref_t<P> ArgumentAs(const std::any& argument) {
  using D = std::remove_cvref_t<P>;
  if constexpr (SharedObject<D>::value) {
    const ObjectRef* reference = std::any_cast<ObjectRef>(&argument);
    if (reference == nullptr) RaiseWrongArgument("kein Objekt");
    if (!*reference) return nullptr;
    auto typed = std::dynamic_pointer_cast<typename SharedObject<D>::Pointee>(*reference);
    if (!typed) RaiseWrongArgument("Objekt der falschen Klasse");
    return typed;
  } else {
    const D* value = std::any_cast<D>(&argument);
    if (value == nullptr) RaiseWrongArgument(typeid(D).name());
    return *value;
  }
}

template <class R>
std::any ResultAsAny(R&& result) {
  using D = std::remove_cvref_t<R>;
  if constexpr (SharedObject<D>::value) {
    return ObjectRef(std::forward<R>(result));
  } else {
    return std::any(std::forward<R>(result));
  }
}

template <class M>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
  using Class = C;
  using Result = R;
  static constexpr std::size_t kArity = sizeof...(A);
  template <std::size_t I>
  using Arg = std::tuple_element_t<I, std::tuple<A...>>;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> : MemberTraits<R (C::*)(A...)> {};

template <class C>
C& SelfAs(Object& self) {
  C* typed = dynamic_cast<C*>(&self);
  if (typed == nullptr) RaiseWrongArgument("Empfänger der falschen Klasse");
  return *typed;
}

template <auto Member, std::size_t... I>
std::any CallMember(Object& self, const Arguments& arguments, std::index_sequence<I...>) {
  using Traits = MemberTraits<decltype(Member)>;
  auto& target = SelfAs<typename Traits::Class>(self);
  if constexpr (std::is_void_v<typename Traits::Result>) {
    (target.*Member)(ArgumentAs<typename Traits::template Arg<I>>(arguments[I])...);
    return {};
  } else {
    return ResultAsAny(
        (target.*Member)(ArgumentAs<typename Traits::template Arg<I>>(arguments[I])...));
  }
}

template <class T>
PropertyValue ToPropertyValue(const T& value) {
  if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, bool> ||
                std::is_same_v<T, Color> || std::is_same_v<T, Text>) {
    return PropertyValue(value);
  } else {
    return PropertyValue(std::any(value));
  }
}

template <class T>
T FromPropertyValue(const PropertyValue& value) {
  if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, bool> ||
                std::is_same_v<T, Color> || std::is_same_v<T, Text>) {
    const T* typed = std::get_if<T>(&value);
    if (typed == nullptr) RaiseWrongArgument(typeid(T).name());
    return *typed;
  } else {
    const std::any* held = std::get_if<std::any>(&value);
    const T* typed = held != nullptr ? std::any_cast<T>(held) : nullptr;
    if (typed == nullptr) RaiseWrongArgument(typeid(T).name());
    return *typed;
  }
}

template <class M>
struct FieldTraits;
template <class C, class T>
struct FieldTraits<T C::*> {
  using Class = C;
  using Type = T;
};

}  // namespace detail

// A method entry for a member function: its implementation is the member pointer, its invoker
// converts the generic arguments to the parameter types.
template <auto Member>
MethodEntry Method(std::string name, std::string signature, AttributeList attributes = {Public()}) {
  using Traits = detail::MemberTraits<decltype(Member)>;
  GenericInvoker invoker = [](Object& self, const Arguments& arguments) -> std::any {
    if (arguments.size() != Traits::kArity) detail::RaiseWrongArgument("falsche Anzahl");
    return detail::CallMember<Member>(self, arguments, std::make_index_sequence<Traits::kArity>{});
  };
  return MethodEntry{std::move(name), std::move(signature), Member, std::move(invoker),
                     std::move(attributes)};
}

// The implementation of an event by a member function without arguments.
template <auto Member>
std::pair<std::string, EventImplementation> EventImpl(std::string eventName) {
  using Traits = detail::MemberTraits<decltype(Member)>;
  return {std::move(eventName),
          [](Object& self) { (detail::SelfAs<typename Traits::Class>(self).*Member)(); }};
}

// A property read and written straight from a data member; a write tells the object.
template <auto FieldPointer>
PropertyEntry Field(std::string name, std::string typeText, AttributeList attributes = {Public()}) {
  using Traits = detail::FieldTraits<decltype(FieldPointer)>;
  using C = typename Traits::Class;
  using T = typename Traits::Type;
  return PropertyEntry{std::move(name), std::move(typeText),
                       [](Object& self) {
                         return detail::ToPropertyValue<T>(detail::SelfAs<C>(self).*FieldPointer);
                       },
                       [](Object& self, const PropertyValue& value) {
                         detail::SelfAs<C>(self).*FieldPointer =
                             detail::FromPropertyValue<T>(value);
                         self.PropertyChanged();
                       },
                       std::move(attributes)};
}

// A property through a getter and a setter of the class C, given as callables on C&:
//   Property<FileType, Text>("Name", "String", [](FileType& f) { return f.Name(); },
//                            [](FileType& f, Text v) { f.Name(std::move(v)); })
template <class C, class T, class Getter, class Setter>
PropertyEntry Property(std::string name, std::string typeText, Getter get, Setter set,
                       AttributeList attributes = {Public()}) {
  return PropertyEntry{
      std::move(name), std::move(typeText),
      [get](Object& self) { return detail::ToPropertyValue<T>(get(detail::SelfAs<C>(self))); },
      [set](Object& self, const PropertyValue& value) {
        set(detail::SelfAs<C>(self), detail::FromPropertyValue<T>(value));
      },
      std::move(attributes)};
}

}  // namespace fw

// Declares a property of a framework class: a getter `Name()`, a setter `Name(value)` that tells
// the object of the change, and the field `Name_` that Field<> registers.
#define FW_PROPERTY(Type, Name, Initial) \
 public:                                 \
  Type Name() const { return Name##_; }  \
  void Name(Type value) {                \
    Name##_ = std::move(value);          \
    PropertyChanged();                   \
  }                                      \
                                         \
 private:                                \
  Type Name##_ = Initial;                \
                                         \
 public:

// A registered property through the class's public getter and setter of that name.
#define FW_ACCESSOR(C, T, Name, TypeText)                       \
  ::fw::Property<C, T>(                                         \
      #Name, TypeText, [](C& object) { return object.Name(); }, \
      [](C& object, T value) { object.Name(std::move(value)); })
