#pragma once

#include "framework/runtime/PropertyValue.h"
#include "framework/ui/Control.h"

namespace fw {

// A text shown in a window.
class Label : public RectControl {
 public:
  static const ClassTable& Lookup();

  FW_PROPERTY(fw::Text, Text, {})
  FW_PROPERTY(std::int32_t, TextAlign, 0)
  FW_PROPERTY(::fw::Color, TextColor, ::fw::Color())
  FW_PROPERTY(bool, MultiLine, false)
  FW_PROPERTY(bool, Selectable, false)
  FW_PROPERTY(bool, Transparent, false)
  FW_PROPERTY(fw::Text, DataSource, {})
  FW_PROPERTY(fw::Text, DataField, {})
  FW_TEXT_STYLE_PROPERTIES
};

}  // namespace fw
