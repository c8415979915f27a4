#pragma once

#include <cstdint>

#include "framework/text/Text.h"

namespace valtaro {

// Where the export file's header puts the columns that the booking values come from. A column
// number counts fields from 1; 0 stands for a column that the header lacks.
struct ColumnMapping {
  // Fields of the header: CountFields at ";", but 0 for a header without any ";".
  std::int32_t anz_felder = 0;
  std::int32_t spalte_name = 0;
  std::int32_t spalte_kategorie = 0;
  std::int32_t spalte_unterkategorie = 0;
  std::int32_t spalte_buchungstag = 0;
  std::int32_t spalte_wertstellungstag = 0;
  std::int32_t spalte_betrag = 0;
  std::int32_t spalte_zweck = 0;

  friend bool operator==(const ColumnMapping&, const ColumnMapping&) = default;
};

// Finds the columns by the whole text of their header fields, from left to right; when a text
// (or, for the name and the booking date, either of its two texts) occurs more than once, the
// rightmost field counts.
ColumnMapping MapColumns(const fw::Text& header);

}  // namespace valtaro
