#include "booking/ColumnMapping.h"

#include <vector>

#include "framework/text/TextFunctions.h"

namespace valtaro {

namespace {

// The header texts; the umlauts compare equal to those of a header read as Mac Roman.
const fw::Text& NameBeguenstigter() {
  static const fw::Text text("Begünstigter/Absender - Name");
  return text;
}
const fw::Text& NameEmpfaenger() {
  static const fw::Text text("Empfänger/Absender - Name");
  return text;
}

void MatchField(ColumnMapping& mapping, const fw::Text& field, std::int32_t j) {
  if (field == NameBeguenstigter() || field == NameEmpfaenger()) mapping.spalte_name = j;
  if (field == fw::Text("Kategorie")) mapping.spalte_kategorie = j;
  if (field == fw::Text("Unterkategorie")) mapping.spalte_unterkategorie = j;
  if (field == fw::Text("Buchungstag") || field == fw::Text("Buchungsdatum"))
    mapping.spalte_buchungstag = j;
  if (field == fw::Text("Wertstellungstag")) mapping.spalte_wertstellungstag = j;
  if (field == fw::Text("Betrag")) mapping.spalte_betrag = j;
  if (field == fw::Text("Verwendungszweckzeile 1")) mapping.spalte_zweck = j;
}

}  // namespace

ColumnMapping MapColumns(const fw::Text& header) {
  const fw::Text separator(";");
  ColumnMapping mapping;
  // A header of one single field counts as no fields at all.
  if (fw::InStr(1, header, separator) > 0) mapping.anz_felder = fw::CountFields(header, separator);
  if (mapping.anz_felder == 0) return mapping;

  const std::vector<fw::Text> felder = fw::SplitFields(header, separator);
  for (std::int32_t j = 1; j <= mapping.anz_felder; ++j)
    MatchField(mapping, felder[static_cast<std::size_t>(j - 1)], j);
  return mapping;
}

}  // namespace valtaro
