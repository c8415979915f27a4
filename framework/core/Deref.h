#pragma once

#include <memory>

#include "framework/core/Exceptions.h"

namespace fw {

// The object behind a reference; none raises NilObjectException.
template <class T>
T& Deref(const std::shared_ptr<T>& reference) {
  if (!reference) throw NilObjectException();
  return *reference;
}

template <class T>
T& Deref(T* reference) {
  if (!reference) throw NilObjectException();
  return *reference;
}

}  // namespace fw
