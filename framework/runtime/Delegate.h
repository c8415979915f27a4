#pragma once

#include <any>
#include <cstdint>
#include <memory>

#include "framework/runtime/Object.h"
#include "framework/text/Text.h"

namespace fw {

// A callable made of an invoker (the routine that knows how to call for one signature), a
// function and a target object, held strongly or by weak reference.
class Delegate {
 public:
  Delegate(std::any invoker, std::any function, const ObjectRef& target, Text signature,
           bool weakTarget);

  // The target: none when the delegate was made without one. Raises NilObjectException when it is
  // held by weak reference and no longer exists, so that nothing is called on it.
  ObjectRef Target() const;
  bool HoldsTargetWeakly() const { return weak_; }
  const Text& Signature() const { return signature_; }

  // The invoker and the function as the types they were made with; RuntimeException otherwise.
  template <class F>
  F InvokerAs() const {
    return Held<F>(invoker_);
  }
  template <class F>
  F FunctionAs() const {
    return Held<F>(function_);
  }

 private:
  template <class F>
  static F Held(const std::any& held) {
    const F* typed = std::any_cast<F>(&held);
    if (typed == nullptr) RaiseWrongType();
    return *typed;
  }
  [[noreturn]] static void RaiseWrongType();

  std::any invoker_;
  std::any function_;
  ObjectRef strongTarget_;
  std::weak_ptr<Object> weakTarget_;
  bool hadTarget_;
  bool weak_;
  Text signature_;
};

// A new delegate; `weakFlag` 1 holds the target by weak reference (it does not keep it alive),
// 0 holds it strongly.
template <class Invoker, class Function>
std::shared_ptr<Delegate> RuntimeCreateDelegate(Invoker invoker, Function function,
                                                const ObjectRef& target, Text signature,
                                                std::int32_t weakFlag) {
  return std::make_shared<Delegate>(std::any(invoker), std::any(function), target,
                                    std::move(signature), weakFlag == 1);
}

}  // namespace fw
