#include "framework/ui/PushButton.h"

namespace fw {

const ClassTable& PushButton::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("PushButton", &RectControl::Lookup(), {}, {},
                                    [] { return new PushButton(); });
    RuntimeNewVtable(t, {});
    t.DeclareEvent("Action");
    using P = PushButton;
    t.properties = {FW_ACCESSOR(P, Text, Caption, "String"),
                    FW_ACCESSOR(P, bool, Default, "Boolean"),
                    FW_ACCESSOR(P, bool, Cancel, "Boolean"),
                    FW_ACCESSOR(P, std::int32_t, ButtonStyle, "ButtonFrameStyle")};
    for (PropertyEntry& entry : TextStyleProperties<P>()) t.properties.push_back(std::move(entry));
    return t;
  }();
  return table;
}

}  // namespace fw
