#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "booking/BookingConversion.h"
#include "booking/ColumnMapping.h"
#include "framework/core/Date.h"
#include "framework/core/Exceptions.h"
#include "framework/script/RecordingScriptHost.h"
#include "framework/text/TextFunctions.h"

namespace valtaro {
namespace {

// A line as loading leaves it: the file's ISO Latin-1 bytes converted to Mac Roman.
fw::Text Loaded(const std::string& latin1) {
  return fw::ConvertEncoding(fw::Text::FromBytes(latin1, fw::Encodings::ISOLatin1()),
                             fw::Encodings::MacRoman());
}

std::string Join(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i > 0 ? ";" : "") + fields[i];
  return line;
}

// The usual header: seven named columns, then the 13 further purpose lines.
enum Column : std::size_t {
  kBuchungstag,
  kWertstellungstag,
  kName,
  kBetrag,
  kKategorie,
  kUnterkategorie,
  kZweck,
  kColumns = kZweck + 14
};

std::string StandardHeader() {
  std::vector<std::string> fields = {
      "Buchungstag", "Wertstellungstag", "Beg\xFCnstigter/Absender - Name",
      "Betrag",      "Kategorie",        "Unterkategorie"};
  for (int k = 1; k <= 14; ++k) fields.push_back("Verwendungszweckzeile " + std::to_string(k));
  return Join(fields);
}

// A data line of the usual header with the given fields filled.
std::string Row(const std::map<std::size_t, std::string>& filled) {
  std::vector<std::string> fields(kColumns);
  for (const auto& [column, value] : filled) fields[column] = value;
  return Join(fields);
}

// The eight values of one booking, in UTF-8.
struct Booking {
  std::string buchungstag, wertstellungstag, betrag, von, an, kategorie, name, zweck;
  friend bool operator==(const Booking&, const Booking&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Booking& b) {
    return out << testing::PrintToString(std::vector<std::string>{b.buchungstag, b.wertstellungstag,
                                                                  b.betrag, b.von, b.an,
                                                                  b.kategorie, b.name, b.zweck});
  }
};

class BookingConversionTest : public testing::Test {
 protected:
  BookingConversionTest() {
    state_.Init();
    fw::Date::SetClock([] { return fw::Date(2011, 7, 14, 9, 30, 0); });
  }
  ~BookingConversionTest() override { fw::Date::SetClock({}); }

  void Lines(const std::vector<std::string>& latin1) {
    for (const std::string& line : latin1) state_.zeilen->Append(Loaded(line));
    state_.anz_zeilen = state_.zeilen->UBound();
  }

  void Convert() {
    buchung_erzeugen(state_, [this] {
      ++popupReads_;
      return fw::Text("Girokonto");
    });
  }

  // Every run must be one of the booking script, through the parameter path, with eight texts.
  std::vector<Booking> Bookings() const {
    std::vector<Booking> bookings;
    for (const fw::ScriptRun& run : host_.Runs()) {
      EXPECT_EQ(run.number, 168);
      EXPECT_TRUE(run.withParameters);
      std::vector<std::string> v;
      for (const fw::ScriptParameter& parameter : run.parameters) {
        const auto* text = std::get_if<fw::Text>(&parameter);
        EXPECT_NE(text, nullptr);
        v.push_back(text != nullptr ? text->ToUTF8() : "");
      }
      EXPECT_EQ(v.size(), 8u);
      v.resize(8);
      bookings.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
    }
    return bookings;
  }

  fw::RecordingScriptHost host_;
  ImportState state_;
  int popupReads_ = 0;
};

TEST_F(BookingConversionTest, AmountRulesAndTheSignChoosingTheAccounts) {
  struct Case {
    std::string field, betrag, von, an;
  };
  const std::vector<Case> cases = {
      {"7,25", "725", "Unbekannt", "Girokonto"},
      {"-7,25", "725", "Girokonto", "Unbekannt"},
      {"7,5", "750", "Unbekannt", "Girokonto"},
      {"7", "700", "Unbekannt", "Girokonto"},
      {"-7", "700", "Girokonto", "Unbekannt"},
      {"0,1", "010", "Unbekannt", "Girokonto"},
      {"", "00", "Unbekannt", "Girokonto"},
      {"7,", "7", "Unbekannt", "Girokonto"},
      {"1.234,56", "1.23456", "Unbekannt", "Girokonto"},
      {"1,2,3", "12,3", "Unbekannt", "Girokonto"},
      {"+7,25", "+725", "Unbekannt", "Girokonto"},
      {"-0,05", "005", "Girokonto", "Unbekannt"},
      {"--7", "-700", "Girokonto", "Unbekannt"},
      {"7,255", "7255", "Unbekannt", "Girokonto"},
      {"- 7,2", " 720", "Girokonto", "Unbekannt"},
  };
  std::vector<std::string> lines = {StandardHeader()};
  // The name gives the line with the empty amount some content.
  for (const Case& c : cases) lines.push_back(Row({{kBetrag, c.field}, {kName, "n"}}));
  Lines(lines);
  Convert();

  const std::vector<Booking> bookings = Bookings();
  ASSERT_EQ(bookings.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].field);
    EXPECT_EQ(bookings[i].betrag, cases[i].betrag);
    EXPECT_EQ(bookings[i].von, cases[i].von);
    EXPECT_EQ(bookings[i].an, cases[i].an);
  }
}

TEST_F(BookingConversionTest, EveryLineBecomesOneRunInFileOrder) {
  Lines({StandardHeader(),
         Row({{kBuchungstag, "5.3.2008"},
              {kWertstellungstag, "2008-03-07"},
              {kName, "M\xFCller & S\xF6hne"},
              {kBetrag, "-12,34"},
              {kKategorie, "Haushalt"},
              {kUnterkategorie, "Energie"},
              {kZweck, "Abschlag M\xE4rz"},
              {kZweck + 1, "Kundennr. 4711"}}),
         Row({{kBuchungstag, "31.12.99"}, {kBetrag, "100"}, {kKategorie, "Gehalt"}})});
  Convert();

  EXPECT_EQ(Bookings(),
            (std::vector<Booking>{
                {"05.03.2008", "07.03.2008", "1234", "Girokonto", "Unbekannt", "Energie",
                 "Müller & Söhne", "Abschlag März\nKundennr. 4711"},
                {"31.12.1999", "31.12.1999", "10000", "Unbekannt", "Girokonto", "Gehalt", "", ""},
            }));
  EXPECT_EQ(popupReads_, 1);
}

TEST_F(BookingConversionTest, LinesWithoutContentSendNothingAndLeaveTheDateAsItWas) {
  Lines({StandardHeader(),
         Row({{kBuchungstag, "5.3.2008"}, {kWertstellungstag, "7.3.2008"}, {kBetrag, "1"}}), "",
         ";", " ", " ;; ; ", Row({}),
         Row({{kBuchungstag, "morgen"}, {kBetrag, "2"}}),  // carries the date of the line before
         Row({{kZweck, "x"}}), " ; ;x"});
  Convert();
  EXPECT_EQ(Bookings(),
            (std::vector<Booking>{
                {"05.03.2008", "07.03.2008", "100", "Unbekannt", "Girokonto", "Sonstiges", "", ""},
                {"07.03.2008", "07.03.2008", "200", "Unbekannt", "Girokonto", "Sonstiges", "", ""},
                {"07.03.2008", "07.03.2008", "00", "Unbekannt", "Girokonto", "Sonstiges", "", "x"},
                {"07.03.2008", "07.03.2008", "00", "Unbekannt", "Girokonto", "Sonstiges", "x", ""},
            }));
}

TEST_F(BookingConversionTest, CategoryFallsBackToTheCategoryThenToSonstiges) {
  Lines({StandardHeader(), Row({{kKategorie, "Haushalt"}, {kUnterkategorie, "Energie"}}),
         Row({{kKategorie, "Haushalt"}}), Row({{kUnterkategorie, "Energie"}}),
         Row({{kBetrag, "1"}})});
  Convert();
  std::vector<std::string> kategorien;
  for (const Booking& b : Bookings()) kategorien.push_back(b.kategorie);
  EXPECT_EQ(kategorien, (std::vector<std::string>{"Energie", "Haushalt", "Energie", "Sonstiges"}));
}

TEST_F(BookingConversionTest, NeitherCategoryColumnPresentGivesSonstiges) {
  Lines({"Betrag;Buchungstag", "1,00;1.1.2008"});
  Convert();
  ASSERT_EQ(Bookings().size(), 1u);
  EXPECT_EQ(Bookings()[0].kategorie, "Sonstiges");
}

TEST_F(BookingConversionTest, DateNotUnderstoodKeepsTheLastParsedDate) {
  Lines({StandardHeader(),
         Row({{kBuchungstag, "31.02.2008"}, {kWertstellungstag, "morgen"}}),  // nothing yet
         Row({{kBuchungstag, "5.3.2008"}, {kWertstellungstag, "29.02.2007"}}),
         Row({{kBuchungstag, ""}, {kWertstellungstag, "2008-03-09"}}),
         Row({{kBuchungstag, "1.13.2008"}, {kWertstellungstag, "10.3.08x"}})});
  Convert();
  std::vector<std::pair<std::string, std::string>> dates;
  for (const Booking& b : Bookings()) dates.emplace_back(b.buchungstag, b.wertstellungstag);
  EXPECT_EQ(dates, (std::vector<std::pair<std::string, std::string>>{
                       {"14.07.2011", "14.07.2011"},  // the clock's date
                       {"05.03.2008", "05.03.2008"},  // value date: the booking date of the line
                       {"05.03.2008", "09.03.2008"},  // booking date: the line before's
                       {"09.03.2008", "09.03.2008"},
                   }));
}

TEST_F(BookingConversionTest, PurposeJoinsTheNonEmptyLinesWithLineFeeds) {
  Lines({StandardHeader(), Row({{kZweck, "A"}, {kZweck + 2, "C"}}), Row({{kZweck + 1, "B"}}),
         Row({{kZweck, "1"}, {kZweck + 6, "7"}, {kZweck + 13, "14"}})});
  Convert();
  std::vector<std::string> purposes;
  for (const Booking& b : Bookings()) purposes.push_back(b.zweck);
  EXPECT_EQ(purposes, (std::vector<std::string>{"A\nC", "\nB", "1\n7\n14"}));
}

TEST_F(BookingConversionTest, WithoutAPurposeColumnFieldsOneToThirteenArePurposeLines) {
  std::vector<std::string> header;
  for (int j = 1; j <= 14; ++j) header.push_back("Feld " + std::to_string(j));
  header.push_back("Betrag");
  Lines({Join(header), "a;;c;;;;;;;;;;m;n;5"});
  Convert();
  ASSERT_EQ(Bookings().size(), 1u);
  EXPECT_EQ(Bookings()[0].zweck, "\na\nc\nm");  // field 14 is not a purpose line
  EXPECT_EQ(Bookings()[0].betrag, "500");
}

TEST_F(BookingConversionTest, PurposeLinesPastTheHeadersLastFieldReadEmpty) {
  // Only two columns after the first purpose line; the data line has more fields than the header.
  Lines({"Betrag;Verwendungszweckzeile 1;Verwendungszweckzeile 2;Verwendungszweckzeile 3",
         "1;eins;zwei;drei;vier;f\xFCnf"});
  Convert();
  ASSERT_EQ(Bookings().size(), 1u);
  EXPECT_EQ(Bookings()[0].zweck, "eins\nzwei\ndrei");
}

TEST_F(BookingConversionTest, LinesWithFewerOrMoreFieldsThanTheHeader) {
  Lines({"Kategorie;Betrag;Unterkategorie", "Haushalt", "Haushalt;3,5;Energie;zu viel",
         "Haushalt;3,5;;Energie"});
  Convert();
  const std::vector<Booking> bookings = Bookings();
  ASSERT_EQ(bookings.size(), 3u);
  EXPECT_EQ(bookings[0].kategorie, "Haushalt");
  EXPECT_EQ(bookings[0].betrag, "00");
  EXPECT_EQ(bookings[1].kategorie, "Energie");
  EXPECT_EQ(bookings[1].betrag, "350");
  EXPECT_EQ(bookings[2].kategorie, "Haushalt");  // the fourth field lies beyond the header
}

TEST_F(BookingConversionTest, HeaderWithoutSeparatorStillSendsEveryLineWithDefaults) {
  Lines({"Betrag", "7,25", "Haushalt;M\xFCller;1,00;Zweck"});
  Convert();
  const Booking defaults{"14.07.2011", "14.07.2011", "00", "Unbekannt",
                         "Girokonto",  "Sonstiges",  "",   ""};
  EXPECT_EQ(Bookings(), (std::vector<Booking>{defaults, defaults}));
}

TEST_F(BookingConversionTest, HeaderOnlySendsNothing) {
  Lines({StandardHeader()});
  Convert();
  EXPECT_TRUE(host_.Runs().empty());
}

TEST_F(BookingConversionTest, NothingLoadedSendsNothing) {
  Convert();
  EXPECT_TRUE(host_.Runs().empty());
}

TEST_F(BookingConversionTest, FailingRunEndsTheConversionAndPassesOn) {
  Lines({StandardHeader(), Row({{kBetrag, "1"}}), Row({{kBetrag, "2"}}), Row({{kBetrag, "3"}})});
  host_.FailRun(1);
  EXPECT_THROW(Convert(), fw::RuntimeException);
  const std::vector<Booking> bookings = Bookings();
  ASSERT_EQ(bookings.size(), 2u);  // the first booking and the attempt of the second
  EXPECT_EQ(bookings[0].betrag, "100");
  EXPECT_EQ(bookings[1].betrag, "200");
}

struct MappingCase {
  std::string header;  // ISO Latin-1, loaded as Mac Roman
  ColumnMapping expected;
};

class MapColumnsTest : public testing::TestWithParam<MappingCase> {};

TEST_P(MapColumnsTest, FindsColumnsByTheirWholeHeaderText) {
  EXPECT_EQ(MapColumns(Loaded(GetParam().header)), GetParam().expected) << GetParam().header;
}

ColumnMapping Mapping(std::int32_t anzFelder, std::map<std::string, std::int32_t> columns) {
  ColumnMapping m;
  m.anz_felder = anzFelder;
  m.spalte_name = columns["name"];
  m.spalte_kategorie = columns["kategorie"];
  m.spalte_unterkategorie = columns["unterkategorie"];
  m.spalte_buchungstag = columns["buchungstag"];
  m.spalte_wertstellungstag = columns["wertstellungstag"];
  m.spalte_betrag = columns["betrag"];
  m.spalte_zweck = columns["zweck"];
  return m;
}

INSTANTIATE_TEST_SUITE_P(
    Headers, MapColumnsTest,
    testing::Values(
        MappingCase{"Buchungstag;Wertstellungstag;Betrag",
                    Mapping(3, {{"buchungstag", 1}, {"wertstellungstag", 2}, {"betrag", 3}})},
        MappingCase{"x;Buchungsdatum;x;x;Buchungstag", Mapping(5, {{"buchungstag", 5}})},
        MappingCase{"x;Buchungstag;x;x;Buchungsdatum", Mapping(5, {{"buchungstag", 5}})},
        MappingCase{"x;x;x;Betrag;x;x;x;x;Betrag", Mapping(9, {{"betrag", 9}})},
        MappingCase{"Beg\xFCnstigter/Absender - Name;x;Empf\xE4nger/Absender - Name",
                    Mapping(3, {{"name", 3}})},
        MappingCase{"Empf\xE4nger/Absender - Name;x;Beg\xFCnstigter/Absender - Name",
                    Mapping(3, {{"name", 3}})},
        MappingCase{"Unterkategorie;Verwendungszweckzeile 1;Kategorie;Notiz",
                    Mapping(4, {{"unterkategorie", 1}, {"zweck", 2}, {"kategorie", 3}})},
        MappingCase{"Betrag", Mapping(0, {})}, MappingCase{"", Mapping(0, {})},
        MappingCase{" Betrag;Betrag ;Betra;Betrag x;Verwendungszweckzeile 10", Mapping(5, {})},
        MappingCase{";", Mapping(2, {})}));

TEST(MapColumns, HeaderTextsMatchInEveryEncoding) {
  const std::string header = "Beg\xFCnstigter/Absender - Name;Betrag";
  const ColumnMapping expected = Mapping(2, {{"name", 1}, {"betrag", 2}});
  EXPECT_EQ(MapColumns(fw::Text::FromBytes(header, fw::Encodings::ISOLatin1())), expected);
  EXPECT_EQ(MapColumns(fw::Text::FromBytes("Beg\x9Fnstigter/Absender - Name;Betrag",
                                           fw::Encodings::MacRoman())),
            expected);
  EXPECT_EQ(MapColumns(fw::Text("Begünstigter/Absender - Name;Betrag")), expected);
}

}  // namespace
}  // namespace valtaro
