#include "booking/Amount.h"

#include "framework/text/TextFunctions.h"

namespace valtaro {

Amount ConvertAmount(const fw::Text& field) {
  const fw::Text comma(",");
  fw::Text b = field;
  if (fw::InStr(1, b, comma) == 0) b += fw::Text("00");
  if (fw::InStr(1, b, comma) == fw::Len(b) - 1) b += fw::Text("0");
  b = fw::Replace(std::move(b), comma, fw::Text());
  if (fw::Left(b, 1) == fw::Text("-")) return Amount{fw::Right(b, fw::Len(b) - 1), true};
  return Amount{std::move(b), false};
}

}  // namespace valtaro
