#pragma once

#include "framework/text/Text.h"

namespace valtaro {

// The amount of a booking as the booking script takes it: the "Betrag" field in hundredths,
// without its sign, and whether it was negative (then the money leaves the chosen account).
struct Amount {
  fw::Text betrag;
  bool negative = false;
};

// "00" is appended when the field holds no ",", "0" when exactly one character follows its first
// ","; then that first "," is removed, and a leading "-" after it. Nothing else changes: points,
// a plus sign, blanks and further commas pass through, and the result is not tested for being a
// number.
Amount ConvertAmount(const fw::Text& field);

}  // namespace valtaro
