#include "framework/display/terminal/TypeAhead.h"

#include <utility>

namespace fw::terminal {

TypeAhead::TypeAhead(bool fromTerminal, Clock clock)
    : fromTerminal_(fromTerminal), clock_(std::move(clock)), busySince_(clock_()) {}

void TypeAhead::BusyFromNow() { busySince_ = clock_(); }

bool TypeAhead::DiscardsKeysTypedMeanwhile() const {
  return fromTerminal_ && clock_() - busySince_ > kMoment;
}

}  // namespace fw::terminal
