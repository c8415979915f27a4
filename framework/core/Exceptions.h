#pragma once

#include <exception>
#include <string>

#include "framework/text/Text.h"

namespace fw {

// The base of every exception that the framework raises. Any other raised object is not a
// runtime exception.
class RuntimeException : public std::exception {
 public:
  RuntimeException() = default;
  explicit RuntimeException(Text message)
      : message_(std::move(message)), what_(message_.ToUTF8()) {}

  const Text& Message() const { return message_; }
  virtual const char* ClassName() const { return "RuntimeException"; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  Text message_;
  std::string what_;
};

// An access through a reference that is none.
class NilObjectException : public RuntimeException {
 public:
  NilObjectException() : RuntimeException(Text("Zugriff auf ein nicht vorhandenes Objekt")) {}
  const char* ClassName() const override { return "NilObjectException"; }
};

// A list read or written past its upper bound.
class OutOfBoundsException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
  const char* ClassName() const override { return "OutOfBoundsException"; }
};

}  // namespace fw
