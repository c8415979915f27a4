#include "framework/ui/PopupMenu.h"

#include <string>

namespace fw {

const ClassTable& PopupMenu::Lookup() {
  static const ClassTable& table = []() -> ClassTable& {
    ClassTable& t = RuntimeNewClass("PopupMenu", &RectControl::Lookup(), {}, {},
                                    [] { return new PopupMenu(); });
    RuntimeNewVtable(t, {});
    t.DeclareEvent("Change");
    using P = PopupMenu;
    t.properties = {FW_ACCESSOR(P, fw::Text, InitialValue, "String"),
                    FW_ACCESSOR(P, std::int32_t, ListIndex, "Int32"),
                    FW_ACCESSOR(P, fw::Text, DataSource, "String"),
                    FW_ACCESSOR(P, fw::Text, DataField, "String")};
    for (PropertyEntry& entry : TextStyleProperties<P>()) t.properties.push_back(std::move(entry));
    return t;
  }();
  return table;
}

void PopupMenu::InitialValue(fw::Text value) {
  initialValue_ = std::move(value);
  rows_.clear();
  const std::string& bytes = initialValue_.Bytes();
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    rows_.push_back(
        fw::Text::FromBytes(bytes.substr(start, end - start), initialValue_.Encoding()));
    start = end + 1;
  }
  PropertyChanged();
}

void PopupMenu::AddRow(const fw::Text& row) {
  rows_.push_back(row);
  PropertyChanged();
}

fw::Text PopupMenu::List(std::int32_t row) const {
  if (row < 0 || row >= ListCount()) {
    throw OutOfBoundsException(fw::Text("Zeile " + std::to_string(row) + " gibt es im Menü nicht"));
  }
  return rows_[static_cast<std::size_t>(row)];
}

void PopupMenu::ListIndex(std::int32_t row) {
  if (row < -1) {
    throw OutOfBoundsException(fw::Text("Ungültige Zeilennummer " + std::to_string(row)));
  }
  listIndex_ = row;
  PropertyChanged();
}

fw::Text PopupMenu::Text() const {
  if (listIndex_ < 0 || listIndex_ >= ListCount()) return {};
  return rows_[static_cast<std::size_t>(listIndex_)];
}

}  // namespace fw
