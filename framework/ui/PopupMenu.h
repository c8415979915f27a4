#pragma once

#include <vector>

#include "framework/ui/Control.h"

namespace fw {

// A popup menu of text rows. Its own first event, number 15, is `Change`: a person picking a row
// raises it (PersonActions.h).
class PopupMenu : public RectControl {
 public:
  static const ClassTable& Lookup();

  FW_PROPERTY(fw::Text, DataSource, {})
  FW_PROPERTY(fw::Text, DataField, {})
  FW_TEXT_STYLE_PROPERTIES

  // The rows given as one text, one row a line (CR or LF); setting it replaces the rows.
  fw::Text InitialValue() const { return initialValue_; }
  void InitialValue(fw::Text value);

  // Appends a row.
  void AddRow(const fw::Text& row);
  std::int32_t ListCount() const { return static_cast<std::int32_t>(rows_.size()); }
  // The text of row `row` (0 the first); raises OutOfBoundsException past the rows.
  fw::Text List(std::int32_t row) const;
  const std::vector<fw::Text>& Rows() const { return rows_; }

  // The selected row, -1 for none. Setting selects a row; an index without a row (as a property
  // list gives an empty popup) selects nothing until such a row exists. Below -1 raises
  // OutOfBoundsException.
  std::int32_t ListIndex() const { return listIndex_; }
  void ListIndex(std::int32_t row);
  // The selected row's text; empty when no row is selected.
  fw::Text Text() const;

 private:
  fw::Text initialValue_;
  std::vector<fw::Text> rows_;
  std::int32_t listIndex_ = -1;
};

}  // namespace fw
