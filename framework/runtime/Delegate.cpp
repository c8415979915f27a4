#include "framework/runtime/Delegate.h"

#include "framework/core/Exceptions.h"

namespace fw {

Delegate::Delegate(std::any invoker, std::any function, const ObjectRef& target, Text signature,
                   bool weakTarget)
    : invoker_(std::move(invoker)),
      function_(std::move(function)),
      strongTarget_(weakTarget ? nullptr : target),
      weakTarget_(target),
      hadTarget_(target != nullptr),
      weak_(weakTarget),
      signature_(std::move(signature)) {}

ObjectRef Delegate::Target() const {
  if (!weak_) return strongTarget_;
  if (!hadTarget_) return nullptr;
  ObjectRef target = weakTarget_.lock();
  if (!target) throw NilObjectException();
  return target;
}

void Delegate::RaiseWrongType() {
  throw RuntimeException(Text("Der Delegat enthält eine Routine anderer Art"));
}

}  // namespace fw
