#include "booking/BookingConversion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "booking/Amount.h"
#include "booking/ColumnMapping.h"
#include "booking/ScriptBridge.h"
#include "framework/core/Date.h"
#include "framework/core/Deref.h"
#include "framework/core/Variant.h"
#include "framework/text/TextFunctions.h"

namespace valtaro {

namespace {

// The purpose: purpose line 1 and the 13 fields to its right.
constexpr std::int32_t kPurposeLines = 14;

// The last field that a booking value reads, at most the header's last field.
std::int32_t LastFieldRead(const ColumnMapping& spalten) {
  const std::int32_t last =
      std::max({spalten.spalte_name, spalten.spalte_kategorie, spalten.spalte_unterkategorie,
                spalten.spalte_buchungstag, spalten.spalte_wertstellungstag, spalten.spalte_betrag,
                spalten.spalte_zweck + kPurposeLines - 1});
  return std::min(last, spalten.anz_felder);
}

// The fields of the line in hand, as views into its bytes. Field j (from 1) is what
// NthField(line, ";", j) gives; a line is read as exactly `anz_felder` fields, so a field that
// the line lacks, one beyond the header's count and field 0 all read as the empty text. Fields
// right of the last one that a booking value reads are not split off. The separator is ASCII,
// whose byte never occurs inside another character in any of the three encodings, so splitting
// the bytes splits the characters.
class LineFields {
 public:
  explicit LineFields(std::int32_t lastField)
      : fields_(static_cast<std::size_t>(lastField < 0 ? 0 : lastField) + 1) {}

  void Split(const fw::Text& line) {
    const std::string& bytes = line.Bytes();
    encoding_ = line.Encoding();
    const char* const data = bytes.data();
    const char* const end = data + bytes.size();
    const char* begin = data;
    std::size_t j = 1;
    for (; j < fields_.size(); ++j) {
      const auto* separator =
          static_cast<const char*>(std::memchr(begin, ';', static_cast<std::size_t>(end - begin)));
      if (separator == nullptr) {
        fields_[j++] = std::string_view(begin, static_cast<std::size_t>(end - begin));
        break;
      }
      fields_[j] = std::string_view(begin, static_cast<std::size_t>(separator - begin));
      begin = separator + 1;
    }
    for (; j < fields_.size(); ++j) fields_[j] = std::string_view();
  }

  std::string_view operator[](std::int32_t j) const {
    if (j < 0 || static_cast<std::size_t>(j) >= fields_.size()) return std::string_view();
    return fields_[static_cast<std::size_t>(j)];
  }

  fw::TextEncoding Encoding() const { return encoding_; }
  fw::Text TextOf(std::int32_t j) const { return TextOf((*this)[j]); }
  fw::Text TextOf(std::string_view bytes) const {
    return fw::Text::FromBytes(std::string(bytes), encoding_);
  }

 private:
  std::vector<std::string_view> fields_;
  fw::TextEncoding encoding_;
};

// The purpose: purpose line 1 unchanged, then each non-empty one of the 13 fields to its right
// after a line feed.
fw::Text Purpose(const LineFields& felder, std::int32_t spalteZweck) {
  std::size_t size = felder[spalteZweck].size();
  for (std::int32_t k = 2; k <= kPurposeLines; ++k) {
    const std::size_t more = felder[spalteZweck + k - 1].size();
    if (more > 0) size += 1 + more;
  }
  std::string bytes;
  bytes.reserve(size);
  bytes.append(felder[spalteZweck]);
  for (std::int32_t k = 2; k <= kPurposeLines; ++k) {
    const std::string_view line = felder[spalteZweck + k - 1];
    if (line.empty()) continue;
    bytes.push_back('\n');  // Chr(10)
    bytes.append(line);
  }
  return fw::Text::FromBytes(std::move(bytes), felder.Encoding());
}

fw::Text Category(const LineFields& felder, const ColumnMapping& spalten) {
  const std::string_view unterkategorie = felder[spalten.spalte_unterkategorie];
  if (!unterkategorie.empty()) return felder.TextOf(unterkategorie);
  const std::string_view kategorie = felder[spalten.spalte_kategorie];
  if (!kategorie.empty()) return felder.TextOf(kategorie);
  return fw::Text("Sonstiges");
}

// Format(day, "00") + "." + Format(month, "00") + "." + Str(year, ""), written out directly for
// the values a date can hold.
fw::Text DateText(const fw::Date& datum) {
  const auto twoDigits = [](std::int32_t value) { return value >= 0 && value <= 99; };
  if (!twoDigits(datum.Day()) || !twoDigits(datum.Month())) {
    return fw::Format(datum.Day(), "00") + "." + fw::Format(datum.Month(), "00") + "." +
           fw::Str(datum.Year(), "");
  }
  // "dd.mm." and the year's at most eleven characters, written without a heap allocation.
  std::array<char, 20> text{};
  text[0] = static_cast<char>('0' + datum.Day() / 10);
  text[1] = static_cast<char>('0' + datum.Day() % 10);
  text[2] = '.';
  text[3] = static_cast<char>('0' + datum.Month() / 10);
  text[4] = static_cast<char>('0' + datum.Month() % 10);
  text[5] = '.';
  const auto end = std::to_chars(text.data() + 6, text.data() + text.size(), datum.Year()).ptr;
  return fw::Text(std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
}

// Parses the field into `datum`, which keeps what it held when the field is not understood, and
// gives the date that `datum` then holds.
fw::Text ParsedDateText(std::string_view field, fw::Date& datum) {
  fw::ParseDateBytes(field, datum);
  return DateText(datum);
}

// An empty line, or one of nothing but separators and blanks, names no booking: sent, it would book
// 0,00 under the date of the line before. The two characters are ASCII, whose bytes occur inside
// no other character of the three encodings. A line with content fails at its first byte as a
// rule, so the check costs next to nothing.
bool HoldsNoBooking(const fw::Text& line) {
  return line.Bytes().find_first_not_of("; ") == std::string::npos;
}

// One data line: its eight booking values, handed to the booking script.
void SendLine(const LineFields& felder, const ColumnMapping& spalten,
              const fw::Text& gewaehltesKonto, fw::Date& datum) {
  fw::Text kategorie = Category(felder, spalten);
  fw::Text buchungstag = ParsedDateText(felder[spalten.spalte_buchungstag], datum);
  fw::Text wertstellungstag = ParsedDateText(felder[spalten.spalte_wertstellungstag], datum);
  fw::Text absenderName = felder.TextOf(spalten.spalte_name);
  Amount amount = ConvertAmount(felder.TextOf(spalten.spalte_betrag));
  const fw::Text unbekannt("Unbekannt");
  fw::Text vonKonto = amount.negative ? gewaehltesKonto : unbekannt;
  fw::Text anKonto = amount.negative ? unbekannt : gewaehltesKonto;
  fw::Text verwendungszweck = Purpose(felder, spalten.spalte_zweck);

  const ParameterList buchungswerte = fw::CreateArray<fw::Variant>(7);
  fw::List<fw::Variant>& werte = *buchungswerte;
  werte[0] = fw::StringToVariant(std::move(buchungstag));
  werte[1] = fw::StringToVariant(std::move(wertstellungstag));
  werte[2] = fw::StringToVariant(std::move(amount.betrag));
  werte[3] = fw::StringToVariant(std::move(vonKonto));
  werte[4] = fw::StringToVariant(std::move(anKonto));
  werte[5] = fw::StringToVariant(std::move(kategorie));
  werte[6] = fw::StringToVariant(std::move(absenderName));
  werte[7] = fw::StringToVariant(std::move(verwendungszweck));
  buchungViaRB3(buchungswerte);
}

}  // namespace

void buchung_erzeugen(ImportState& state, const std::function<fw::Text()>& popupText) {
  fw::Date datum;
  const fw::Text gewaehltesKonto = popupText();
  const fw::List<fw::Text>& zeilen = fw::Deref(state.zeilen);
  if (zeilen.UBound() < 0) return;  // nothing was loaded

  const ColumnMapping spalten = MapColumns(zeilen[0]);
  LineFields felder(LastFieldRead(spalten));
  for (std::int32_t i = 1; i <= state.anz_zeilen; ++i) {
    const fw::Text& zeile = zeilen[i];
    if (HoldsNoBooking(zeile)) continue;  // parses no date either: `datum` stays as it is
    felder.Split(zeile);
    SendLine(felder, spalten, gewaehltesKonto, datum);
  }
}

}  // namespace valtaro
