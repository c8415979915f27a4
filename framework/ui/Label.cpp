#include "framework/ui/Label.h"

namespace fw {

const ClassTable& Label::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t =
        RuntimeNewClass("Label", &RectControl::Lookup(), {}, {}, [] { return new Label(); });
    RuntimeNewVtable(t, {});
    using L = Label;
    t.properties = {FW_ACCESSOR(L, fw::Text, Text, "String"),
                    FW_ACCESSOR(L, std::int32_t, TextAlign, "Int32"),
                    FW_ACCESSOR(L, Color, TextColor, "Color"),
                    FW_ACCESSOR(L, bool, MultiLine, "Boolean"),
                    FW_ACCESSOR(L, bool, Selectable, "Boolean"),
                    FW_ACCESSOR(L, bool, Transparent, "Boolean"),
                    FW_ACCESSOR(L, fw::Text, DataSource, "String"),
                    FW_ACCESSOR(L, fw::Text, DataField, "String")};
    for (PropertyEntry& entry : TextStyleProperties<L>()) t.properties.push_back(std::move(entry));
    return t;
  }();
  return table;
}

}  // namespace fw
