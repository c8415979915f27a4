#pragma once

#include "framework/ui/Control.h"

namespace fw {

// A push button. Its own first event, number 15, is `Action`: pressing the button raises it.
class PushButton : public RectControl {
 public:
  static const ClassTable& Lookup();

  FW_PROPERTY(fw::Text, Caption, {})
  FW_PROPERTY(bool, Default, false)
  FW_PROPERTY(bool, Cancel, false)
  FW_PROPERTY(std::int32_t, ButtonStyle, 0)
  FW_TEXT_STYLE_PROPERTIES
};

}  // namespace fw
