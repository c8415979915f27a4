#include "framework/runtime/Registration.h"

namespace fw::detail {

void RaiseWrongArgument(const char* what) {
  throw RuntimeException(Text(std::string("Unpassendes Argument beim Aufruf: ") + what));
}

}  // namespace fw::detail
