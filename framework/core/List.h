#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"

namespace fw {

// A one-dimensional list indexed from 0. Its upper bound is the index of its last element, -1
// when it is empty; reading or writing past it raises OutOfBoundsException.
template <class T>
class List {
 public:
  List() = default;
  explicit List(std::int32_t upperBound) { Resize(upperBound); }

  std::int32_t UBound() const { return static_cast<std::int32_t>(items_.size()) - 1; }

  const T& operator[](std::int32_t index) const { return items_[Checked(index)]; }
  T& operator[](std::int32_t index) { return items_[Checked(index)]; }

  void Append(T value) { items_.push_back(std::move(value)); }
  // New elements hold the empty value; an upper bound below -1 counts as -1.
  void Resize(std::int32_t upperBound) {
    items_.resize(upperBound < 0 ? 0 : static_cast<std::size_t>(upperBound) + 1);
  }

  const std::vector<T>& Items() const { return items_; }

 private:
  std::size_t Checked(std::int32_t index) const {
    if (index < 0 || index > UBound()) {
      throw OutOfBoundsException(Text("Index " + std::to_string(index) +
                                      " außerhalb der Liste (obere Grenze " +
                                      std::to_string(UBound()) + ")"));
    }
    return static_cast<std::size_t>(index);
  }

  std::vector<T> items_;
};

// A new shared list with the given upper bound (-1: empty).
template <class T>
std::shared_ptr<List<T>> CreateArray(std::int32_t upperBound) {
  return std::make_shared<List<T>>(upperBound);
}

}  // namespace fw
