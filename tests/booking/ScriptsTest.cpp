// The two scripts of the journal, run as the program runs them: through the process script host,
// on a temporary journal named by LEDGER_FILE.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "framework/core/Exceptions.h"
#include "framework/script/ProcessScriptHost.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace valtaro {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

const fs::path kSource = VALTARO_SOURCE_DIR;

using testsupport::CommandResult;
using testsupport::FindProgram;
using testsupport::RunCommand;

// Rows of a CSV text, fields unquoted ("" inside quotes is one quote).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        rows.back().back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        rows.back().back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\n') {
      rows.emplace_back(1);
    } else if (c != '\r') {
      rows.back().back() += c;
    }
  }
  while (!rows.empty() && rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
  return rows;
}

using Values = std::vector<std::string>;
struct Output {
  std::string standardOutput, standardError;
  friend bool operator==(const Output&, const Output&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Output& o) {
    return out << "stdout: " << o.standardOutput << "\nstderr: " << o.standardError;
  }
};

Values Booking(std::string amount, std::string from = "Unbekannt", std::string to = "Girokonto") {
  return {"05.03.2008",  "06.03.2008", std::move(amount), std::move(from),
          std::move(to), "Wohnen",     "Stadtwerke",      "Abschlag"};
}

class JournalScripts : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("LEDGER_FILE", journal_.c_str(), 1); }
  void TearDown() override { ::unsetenv("LEDGER_FILE"); }

  fw::Text Run(int number, const Values& values) {
    fw::ScriptRun run;
    run.number = number;
    run.withParameters = !values.empty();
    for (const std::string& value : values) run.parameters.emplace_back(fw::Text(value));
    return host_.Run(run);
  }
  std::string AccountNames() { return Run(169, {}).ToUTF8(); }
  // The standard output and the standard error of 169, run by the shell.
  Output AccountNamesAndWarnings() const {
    const CommandResult result = RunCommand("{ " + (kSource / "scripts" / "169").string() + " 2>" +
                                            folder_.PathOf("errors") + "; }");
    EXPECT_EQ(result.status, 0);
    return {result.output, folder_.Read("errors")};
  }
  void Book(const Values& values) { Run(168, values); }
  std::string BookingFailure(const Values& values) {
    try {
      Book(values);
    } catch (const fw::RuntimeException& e) {
      return e.Message().ToUTF8();
    }
    return "(no exception)";
  }
  // Books each amount (hundredths) into a journal of its own and expects its two postings with
  // the decimal.
  void ExpectBookedAs(const std::vector<std::pair<std::string, std::string>>& amounts) {
    for (const auto& [hundredths, decimal] : amounts) {
      fs::remove(journal_);
      Book(Booking(hundredths));
      EXPECT_THAT(Journal(),
                  HasSubstr("    Girokonto  " + decimal + "\n    Unbekannt  -" + decimal + "\n"))
          << hundredths;
    }
  }
  std::string Journal() const { return folder_.Read(kJournalName); }
  void WriteJournal(const std::string& content) const { folder_.Write(kJournalName, content); }

  static constexpr const char* kJournalName = "test.journal";
  testsupport::TempFolder folder_;
  fs::path journal_ = folder_.PathOf(kJournalName);
  fw::ProcessScriptHost host_{(kSource / "scripts").string()};
};

const std::string kDeclarations = "account Girokonto\naccount Unbekannt\n";
const std::string kRefused = "Script 168 fehlgeschlagen: Exit-Status 1. Meldung: 168: ";
// How a refusal names the booking of Booking(...).
const std::string kNamedBooking = "Buchung „Stadtwerke“ vom 05.03.2008: ";

TEST_F(JournalScripts, AccountNamesOfTheExampleJournal) {
  fs::copy_file(kSource / "examples" / "example.journal", journal_);
  EXPECT_EQ(AccountNames(), "Girokonto, Sparkonto, Kreditkarte, Unbekannt");
}

TEST_F(JournalScripts, AccountNamesAreEmptyWithoutJournalOrDeclarations) {
  EXPECT_EQ(AccountNames(), "");
  WriteJournal("; nur ein Kommentar\n\n2024-01-01 x\n    a  1\n    b\n");
  EXPECT_EQ(AccountNames(), "");
}

TEST_F(JournalScripts, AccountNamesFromDirectivesInFileOrderEachOnce) {
  WriteJournal(
      "; Konten\r\n"
      "account Girokonto\r\n"
      "account Sparkonto  ; mit Kommentar\n"
      "account\tKreditkarte\tnoch ein Kommentar\n"
      "  account Eingerückt\n"
      "accounts Falsch\n"
      "comment\naccount Auskommentiert\nend comment\n"
      "account Girokonto\n"
      "account Bargeld Haus \n"
      "account Ärger:Über\n"
      "account \n");
  EXPECT_EQ(AccountNames(),
            "Girokonto, Sparkonto, Kreditkarte noch ein Kommentar, Bargeld Haus, Ärger:Über");
}

TEST_F(JournalScripts, AccountNamesOfIncludedFilesStandWhereTheirIncludeLineStands) {
  fs::create_directories(folder_.Path() / "konten" / "tief");
  WriteJournal(
      "account Vorn\n"
      "include konten/privat.journal\n"
      "account Mitte\r\n"
      "include " +
      folder_.PathOf("gemeinsam.journal") +
      "\r\n"
      "account Hinten\n");
  folder_.Write("konten/privat.journal",
                "account Privat 1\n"
                "include ./tief/karten.journal\n"
                "include ../gemeinsam.journal  \n"
                "account Privat 2\n");
  folder_.Write("konten/tief/karten.journal",
                "account Karte\ncomment\ninclude ../../fehlt.journal\nend comment\n");
  folder_.Write("gemeinsam.journal", "account Gemeinsam\naccount Vorn\n");
  EXPECT_EQ(AccountNamesAndWarnings(),
            Output({"Vorn, Privat 1, Karte, Gemeinsam, Privat 2, Mitte, Hinten\n", ""}));
}

TEST_F(JournalScripts, AccountNamesPassOverNamesWithTheSeparatorAndIncludesThatCannotBeRead) {
  fs::create_directory(folder_.Path() / "konten");
  fs::create_directory_symlink(".", folder_.Path() / "hier");
  WriteJournal(
      "account Bar, Haus\n"
      "account Giro\n"
      "include schleife.journal\n"
      "include hier/hier/test.journal\n"
      "include fehlt.journal\n"
      "include konten\n"
      "account Bar, Haus\n"
      "account Bar,Haus\n");
  folder_.Write("schleife.journal", "account Schleife\ninclude ./test.journal\n");
  const std::string in = "“ in " + journal_.string() + " übersprungen: ";
  EXPECT_EQ(AccountNamesAndWarnings(),
            Output({"Giro, Schleife, Bar,Haus\n",
                    "169: Konto „Bar, Haus“ ausgelassen: mit „, “ im Namen stünde es als zwei in "
                    "der Liste\n"
                    "169: „include ./test.journal“ in " +
                        folder_.PathOf("schleife.journal") +
                        " übersprungen: die Datei bindet sich damit selbst ein\n"
                        "169: „include hier/hier/test.journal" +
                        in +
                        "die Datei bindet sich damit selbst ein\n"
                        "169: „include fehlt.journal" +
                        in +
                        "die Datei ist nicht vorhanden\n"
                        "169: „include konten" +
                        in + "es ist ein Ordner\n"}));
}

TEST_F(JournalScripts, BookingAppendsOneTransaction) {
  WriteJournal(kDeclarations);
  Book({"05.03.2008", "06.03.2008", "725", "Unbekannt", "Girokonto", "Wohnen",
        "Stadtwerke Musterstadt", "Abschlag März\nKundennr. 4711"});
  Book({"29.02.2024", "01.03.2024", "+5", "Girokonto", "Unbekannt", "Sonstiges", "", ""});
  EXPECT_EQ(Journal(), kDeclarations +
                           "\n2008-03-05=2008-03-06 Stadtwerke Musterstadt\n"
                           "    ; Wohnen\n"
                           "    ; Abschlag März\n"
                           "    ; Kundennr. 4711\n"
                           "    Girokonto  7.25\n"
                           "    Unbekannt  -7.25\n"
                           "\n2024-02-29=2024-03-01\n"
                           "    ; Sonstiges\n"
                           "    Unbekannt  0.05\n"
                           "    Girokonto  -0.05\n");
}

TEST_F(JournalScripts, AmountsInHundredthsBecomeDecimals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"725", "7.25"},       {"5", "0.05"},      {"00", "0.00"},
      {"0", "0.00"},         {"+1234", "12.34"}, {"000123", "1.23"},
      {"100000", "1000.00"}, {"010", "0.10"},    {"123456789012345678", "1234567890123456.78"}};
  ExpectBookedAs(cases);
}

TEST_F(JournalScripts, BadValuesWriteNothingAndExitWithStatusOne) {
  struct Case {
    Values values;
    std::string reason;
  };
  Values sevenValues = Booking("725");
  sevenValues.pop_back();
  const auto withDate = [](std::string date) {
    Values v = Booking("725");
    v[1] = std::move(date);
    return v;
  };
  const std::vector<Case> cases = {
      {withDate("1.3.2008"), "Wertstellungstag ist kein Datum der Form TT.MM.JJJJ: 1.3.2008"},
      {withDate("2008-03-06"), "kein Datum der Form TT.MM.JJJJ"},
      {withDate(""), "kein Datum der Form TT.MM.JJJJ"},
      {withDate("06.03.2008\n"), "kein Datum der Form TT.MM.JJJJ"},
      {withDate("31.02.2024"), "Wertstellungstag hat keinen gültigen Tag: 31.02.2024"},
      {withDate("29.02.2023"), "keinen gültigen Tag"},
      {withDate("29.02.1900"), "keinen gültigen Tag"},
      {withDate("00.03.2008"), "keinen gültigen Tag"},
      {withDate("01.13.2008"), "Wertstellungstag hat keinen gültigen Monat: 01.13.2008"},
      {withDate("31.12.1399"),
       "Wertstellungstag liegt vor dem Jahr 1400, das ledger nicht lesen kann: 31.12.1399"},
      {withDate("29.02.0000"), "vor dem Jahr 1400"},
      {Booking(""), "Betrag ist keine Ziffernfolge in Hundertsteln: "},
      {Booking("+"), "Betrag ist keine Ziffernfolge"},
      {Booking("-725"), "Betrag ist keine Ziffernfolge"},
      {Booking("7,25"), "Betrag ist keine Ziffernfolge"},
      {Booking("-1.23456"), "Betrag ist keine Ziffernfolge"},
      {Booking("7 25"), "Betrag ist keine Ziffernfolge"},
      {Booking("725\n"), "Betrag ist keine Ziffernfolge"},
      {Booking("725", ""), "Konto (von) ist leer"},
      {Booking("725", "Unbekannt", "Giro\nkonto"), "Konto (an) enthält ein Zeilenende"},
      {Booking("725", "Giro\r"), "Konto (von) enthält ein Zeilenende"},
      {Booking("725", "Giro\tkonto"), "enthält ein Zeilenende, einen Tabulator"},
      {Booking("725", "Giro  konto"), "Konto (von) enthält zwei Leerzeichen in Folge"},
      {Booking("725", " Giro"), "beginnt oder endet mit einem Leerzeichen"},
      {Booking("725", "Giro "), "beginnt oder endet mit einem Leerzeichen"},
      // hledger reads a no-break space in an account as a blank.
      {Booking("725", "\u00a0Giro"), "Konto (von) beginnt oder endet mit einem Leerzeichen"},
      {Booking("725", "Unbekannt", "Giro\u00a0"), "Konto (an) beginnt oder endet mit einem"},
      {Booking("725", "\u00a0(Giro)"), "beginnt oder endet mit einem Leerzeichen"},
      {Booking("725", "Unb\u00a0\u00a0X"), "Konto (von) enthält zwei Leerzeichen in Folge"},
      {Booking("725", "Unb \u00a0X"), "enthält zwei Leerzeichen in Folge"},
      {Booking("725", "Unb\u00a0 X"), "enthält zwei Leerzeichen in Folge"},
      {Booking("725", " \u00a0Giro"), "enthält zwei Leerzeichen in Folge"},
      {Booking("725", ";Giro"), "beginnt mit einem Zeichen, das im Journal eine andere Bedeutung"},
      {Booking("725", "(Giro)"), "eine andere Bedeutung"},
      {Booking("725", "[Giro]"), "eine andere Bedeutung"},
      {Booking("725", "*Giro"), "eine andere Bedeutung"},
      {Booking("725", "!Giro"), "eine andere Bedeutung"},
      {sevenValues, "8 Werte erwartet, erhalten: 7"},
  };
  WriteJournal(kDeclarations);
  for (const Case& c : cases) {
    const std::string message = BookingFailure(c.values);
    // Seven values do not tell which of them is the booking date and which the name.
    const std::string booking = c.values.size() == 8 ? kNamedBooking : "";
    EXPECT_THAT(message, StartsWith(kRefused + booking)) << c.reason;
    EXPECT_THAT(message, HasSubstr(c.reason));
    EXPECT_EQ(Journal(), kDeclarations) << c.reason;
  }
}

TEST_F(JournalScripts, ARefusalNamesTheBookingByItsDateAndOtherParty) {
  const auto booking = [](std::string date, std::string name, std::string amount,
                          std::string to = "Girokonto") {
    Values v = Booking(std::move(amount), "Unbekannt", std::move(to));
    v[0] = std::move(date);
    v[6] = std::move(name);
    return v;
  };
  const std::vector<std::pair<Values, std::string>> cases = {
      {booking("05.03.2008", "Müller & Söhne", "7.25"),
       "Buchung „Müller & Söhne“ vom 05.03.2008: Betrag hat einen Punkt, der keine Tausender "
       "abtrennt: 7.25"},
      {booking("05.03.2008", "", "7.25"),
       "Buchung ohne Namen vom 05.03.2008: Betrag hat einen Punkt, der keine Tausender abtrennt: "
       "7.25"},
      {booking("31.01.2024", "Zwei\nZeilen", "725", ""),
       "Buchung „Zwei Zeilen“ vom 31.01.2024: Konto (an) ist leer"},
      {booking("5.3.2008", "Bank", "725"),
       "Buchung „Bank“ vom 5.3.2008: Buchungstag ist kein Datum der Form TT.MM.JJJJ: 5.3.2008"},
  };
  for (const auto& [values, named] : cases) EXPECT_EQ(BookingFailure(values), kRefused + named);
}

TEST_F(JournalScripts, ThousandsPointsGroupTheDigitsLeftOfTheLastTwoInThrees) {
  const std::vector<std::pair<std::string, std::string>> accepted = {
      {"1.23456", "1234.56"},
      {"1.234.56700", "1234567.00"},
      {"12.34567", "12345.67"},
      {"123.45678", "123456.78"},
      {"+1.23456", "1234.56"},
      {"0.00000", "0.00"},
      {"1.000.000.00000", "1000000000.00"}};
  ExpectBookedAs(accepted);
  const std::vector<std::string> refused = {"12.5000",  "1.2345",   "1.2.34567",  "1234.56",
                                            "1.234",    "1.",       ".12345",     "1234.56700",
                                            "1..23456", "1.23456.", "1.234.5670", "."};
  WriteJournal(kDeclarations);
  for (const std::string& hundredths : refused) {
    EXPECT_EQ(BookingFailure(Booking(hundredths)),
              kRefused + kNamedBooking +
                  "Betrag hat einen Punkt, der keine Tausender abtrennt: " + hundredths);
    EXPECT_EQ(Journal(), kDeclarations) << hundredths;
  }
}

TEST_F(JournalScripts, AJournalThatCannotBeOpenedIsReportedWithTheCause) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {folder_.PathOf("fehlt/j.journal"),
       "der Ordner " + folder_.PathOf("fehlt") + " ist nicht vorhanden"},
      {folder_.Path().string(), "es ist ein Ordner"},
  };
  for (const auto& [unwritable, cause] : cases) {
    ::setenv("LEDGER_FILE", unwritable.c_str(), 1);
    EXPECT_EQ(BookingFailure(Booking("725")), kRefused + kNamedBooking + "Journal " + unwritable +
                                                  " ist nicht beschreibbar: " + cause);
  }
}

// The script run by the shell under a file-size limit of 2048 bytes (ulimit -f counts blocks of
// 512), so that a long purpose makes the write fail partway; with the caller's SIGXFSZ ignored,
// and at its default, which would end the script in the middle of the write.
TEST_F(JournalScripts, AFailedAppendLeavesTheJournalByteForByteAsItWas) {
  struct Case {
    const char* name;
    std::optional<std::string> journal;  // none: no journal before
    std::string purpose;
  };
  const std::string longPurpose(3000, 'x');
  const std::vector<Case> cases = {
      {"partway", kDeclarations + "; ohne Zeilenende am Schluss", longPurpose},
      {"at the limit before the first byte", std::string(2047, ';') + "\n", "kurz"},
      {"no journal before", std::nullopt, longPurpose},
  };
  const std::string script = (kSource / "scripts" / "168").string();
  for (const char* signal : {"trap '' XFSZ; ", ""}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (*signal != 0 ? ", SIGXFSZ ignored" : ""));
      fs::remove(journal_);
      if (c.journal) WriteJournal(*c.journal);
      const CommandResult result = RunCommand(
          std::string(signal) + "ulimit -f 4; " + script +
          " 05.03.2008 06.03.2008 725 Unbekannt Girokonto Wohnen Stadtwerke " + c.purpose);
      EXPECT_EQ(result.status, 1);
      EXPECT_EQ(result.output, "168: " + kNamedBooking + "nicht ins Journal " + journal_.string() +
                                   " geschrieben: die Grenze für die Dateigröße (ulimit -f) von "
                                   "2048 Bytes ist erreicht. Das Journal ist unverändert.\n");
      if (c.journal) {
        EXPECT_EQ(Journal(), *c.journal);
      } else {
        EXPECT_FALSE(fs::exists(journal_));
      }
    }
  }
}

// Lines that the ledger tools read as something other than a comment or the one transaction.
std::vector<std::string> NonCommentLines(const std::string& journal) {
  std::vector<std::string> lines;
  std::stringstream in(journal);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.rfind("    ;", 0) != 0) lines.push_back(line);
  }
  return lines;
}

// What another program appends to the journal while a booking is being written.
const std::string kOtherProgramsBooking =
    "\n2024-01-01 Andere Buchung\n    Girokonto  1.00\n    Unbekannt\n";

// Environment variables set for one test's commands and removed afterwards.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(std::vector<std::pair<std::string, std::string>> variables)
      : variables_(std::move(variables)) {
    for (const auto& [name, value] : variables_) ::setenv(name.c_str(), value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : variables_) ::unsetenv(name.c_str());
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::vector<std::pair<std::string, std::string>> variables_;
};

// Another program (a second import, an editor) writes to the journal while a booking fails. A
// library loaded into the script makes its writes fail and the other program write at an exact
// moment: before the rest of the transaction that follows its first line end, or after the rest
// went in partly. Before the rest, it may also put another file under the journal's name, or
// write the journal anew, shorter than it was.
TEST_F(JournalScripts, AFailedAppendTakesOutOnlyItsOwnBytes) {
  const std::string part = "2008-03-05=2";  // the first 12 bytes of the rest
  const std::string cause =
      "das Schreiben ist fehlgeschlagen (ein Fehler des Datenträgers oder des Dateisystems). ";
  const std::string others =
      "Ein anderes Programm hat zugleich ins Journal geschrieben; damit davon nichts verloren "
      "geht, bleibt das Journal, wie es ist: ";
  const std::string notWritten = "nicht ins Journal " + journal_.string() + " geschrieben: ";
  const std::string partlyWritten =
      "nicht vollständig ins Journal " + journal_.string() + " geschrieben: ";
  const std::string partAndOthers =
      "nach Byte 36 stehen ein Teil dieser Buchung und, was das andere Programm geschrieben "
      "hat. Den Teil dieser Buchung bitte von Hand entfernen.";
  // Where the journal is shorter than before this booking, no place in it is known.
  const std::string partSomewhere =
      "an seinem Ende stehen womöglich ein Teil dieser Buchung und, was das andere Programm "
      "geschrieben hat. Den Teil dieser Buchung bitte von Hand entfernen.";
  struct Case {
    const char* name;
    std::optional<std::string> before;  // none: no journal before
    const char* when;
    const char* rest;
    std::optional<std::string> after;  // none: no journal afterwards
    std::string message;
    std::optional<std::string> renamed = std::nullopt;  // the file renamed away; none: no such file
    std::string other = kOtherProgramsBooking;          // what the other program writes
  };
  const std::string shortened = "account Girokonto\n";  // fewer bytes than kDeclarations
  const std::vector<Case> cases = {
      {"another booking before the rest, which is refused", kDeclarations, "before-rest", "refused",
       kDeclarations + "\n" + kOtherProgramsBooking,
       notWritten + cause + others +
           "von dieser Buchung steht nur eine Leerzeile darin, nach "
           "Byte 36."},
      {"another booking before the rest, which goes in partly", kDeclarations, "before-rest",
       "partial:12", kDeclarations + "\n" + kOtherProgramsBooking + part,
       partlyWritten + cause + others + partAndOthers},
      {"another booking after a part of the rest", kDeclarations, "after-failure", "partial:12",
       kDeclarations + "\n" + part + kOtherProgramsBooking,
       partlyWritten + cause + others + partAndOthers},
      {"no other booking", kDeclarations, "", "partial:12", kDeclarations,
       notWritten + cause + "Das Journal ist unverändert."},
      {"a new journal that another booking went into", std::nullopt, "before-rest", "refused",
       "\n" + kOtherProgramsBooking,
       notWritten + cause + others +
           "von dieser Buchung steht nur eine Leerzeile darin, nach "
           "Byte 0."},
      {"a new journal with nothing but this booking", std::nullopt, "", "partial:12", std::nullopt,
       notWritten + cause + "Das Journal ist unverändert."},
      {"the journal replaced by another file", kDeclarations, "replace-before-rest", "refused",
       kOtherProgramsBooking,
       notWritten + cause +
           "Unter dem Namen des Journals steht inzwischen eine andere Datei; sie bleibt, wie "
           "sie ist.",
       kDeclarations + "\n"},
      {"a new journal replaced by another file", std::nullopt, "replace-before-rest", "refused",
       kOtherProgramsBooking,
       notWritten + cause +
           "Unter dem Namen des Journals steht inzwischen eine andere Datei; sie bleibt, wie "
           "sie ist.",
       "\n"},
      {"the journal shortened before the rest, which goes in partly", kDeclarations,
       "rewrite-before-rest", "partial:12", shortened + part,
       partlyWritten + cause + others + partSomewhere, std::nullopt, shortened},
      {"the journal shortened before the rest, which is refused", kDeclarations,
       "rewrite-before-rest", "refused", shortened, partlyWritten + cause + others + partSomewhere,
       std::nullopt, shortened},
  };
  // The library sees the writes that go through the C library's write(), as dash makes them; a
  // shell that writes through stdio would hide them.
  const auto dash = FindProgram("dash");
  ASSERT_TRUE(dash) << "dash, Debian's sh, is missing";
  const std::string script = dash->string() + " " + (kSource / "scripts" / "168").string();
  const std::string renamedName = std::string(kJournalName) + ".vorher";
  const fs::path renamed = folder_.PathOf(renamedName);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(journal_);
    fs::remove(renamed);
    if (c.before) WriteJournal(*c.before);
    const ScopedEnvironment environment({{"VALTARO_SHIM_JOURNAL", journal_.string()},
                                         {"VALTARO_SHIM_OTHER", c.other},
                                         {"VALTARO_SHIM_OTHER_WHEN", c.when},
                                         {"VALTARO_SHIM_REST", c.rest}});
    const CommandResult result =
        RunCommand("LD_PRELOAD=" + std::string(VALTARO_APPEND_WRITE_SHIM) + " " + script +
                   " 05.03.2008 06.03.2008 725 Unbekannt Girokonto Wohnen Stadtwerke Abschlag");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "168: " + kNamedBooking + c.message + "\n");
    if (c.after) {
      EXPECT_EQ(Journal(), *c.after);
    } else {
      EXPECT_FALSE(fs::exists(journal_));
    }
    if (c.renamed) {
      EXPECT_EQ(folder_.Read(renamedName), *c.renamed);
    } else {
      EXPECT_FALSE(fs::exists(renamed));
    }
  }
}

// Without /proc the script finds the journal's size by counting before and after its first byte,
// and says nothing about it. When another program appends while it counts (a stand-in for wc
// appends a booking the second time it is called), the failed booking leaves the journal as it is.
TEST_F(JournalScripts, WithoutProcTheJournalIsCountedAndAnotherProgramsBookingKept) {
  if (RunCommand("unshare -r -m true").status != 0) {
    GTEST_SKIP() << "no mount namespace here to hide /proc in";
  }
  const auto wc = FindProgram("wc");
  ASSERT_TRUE(wc);
  fs::create_directory(folder_.Path() / "bin");
  folder_.Write("bin/wc",
                "#!/bin/sh\n"
                "calls=$(cat " +
                    folder_.PathOf("wc-calls") +
                    " 2>/dev/null)\n"
                    "echo \"x$calls\" >" +
                    folder_.PathOf("wc-calls") +
                    "\n"
                    "[ \"$calls\" != x ] || cat " +
                    folder_.PathOf("other") + " >>" + journal_.string() +
                    "\n"
                    "exec " +
                    wc->string() + " \"$@\"\n");
  fs::permissions(folder_.Path() / "bin" / "wc", fs::perms::owner_all);
  folder_.Write("other", kOtherProgramsBooking);
  const std::string withoutProc =
      "unshare -r -m sh -c 'mount -t tmpfs none /proc && exec \"$@\"' sh " +
      (kSource / "scripts" / "168").string() + " 05.03.2008 06.03.2008 725 Unbekannt Girokonto ";
  WriteJournal(kDeclarations);
  const CommandResult booked = RunCommand(withoutProc + "Wohnen Stadtwerke Abschlag");
  EXPECT_EQ(booked.status, 0);
  EXPECT_EQ(booked.output, "");
  const std::string afterOne = Journal();
  EXPECT_EQ(NonCommentLines(afterOne).size(), 3u + 2u);

  const std::string longPurpose(600, 'x');
  const CommandResult failed =
      RunCommand("ulimit -f 1; " + withoutProc + "Wohnen Stadtwerke " + longPurpose);
  EXPECT_EQ(failed.status, 1);
  EXPECT_THAT(failed.output, HasSubstr("Das Journal ist unverändert."));
  EXPECT_EQ(Journal(), afterOne);

  const CommandResult raced = RunCommand("ulimit -f 1; PATH=" + folder_.PathOf("bin") + ":$PATH " +
                                         withoutProc + "Wohnen Stadtwerke " + longPurpose);
  EXPECT_EQ(raced.status, 1);
  EXPECT_THAT(raced.output,
              HasSubstr("bleibt das Journal, wie es ist: an seinem Ende stehen womöglich ein Teil "
                        "dieser Buchung und, was das andere Programm geschrieben hat."));
  EXPECT_THAT(Journal(), StartsWith(afterOne + "\n" + kOtherProgramsBooking));
}

TEST_F(JournalScripts, ValuesWithLineEndsAndTabsAddNoPostingOrDirective) {
  Book({"05.03.2008", "06.03.2008", "725", "Unbekannt", "Girokonto",
        "Kat\naccount Böse\r\n    Unbekannt  1.00",
        "Name\n    Girokonto  100.00\ninclude /etc/passwd\tTab",
        "Zweck 1\r\n    Unbekannt  5.00\n\ninclude /etc/passwd\n\tGirokonto  3\n"});
  EXPECT_EQ(NonCommentLines(Journal()),
            (std::vector<std::string>{
                "2008-03-05=2008-03-06 Name     Girokonto  100.00 include /etc/passwd Tab",
                "    Girokonto  7.25", "    Unbekannt  -7.25"}));
  EXPECT_THAT(Journal(), HasSubstr("    ; Kat account Böse      Unbekannt  1.00\n"
                                   "    ; Zweck 1 \n"
                                   "    ;     Unbekannt  5.00\n"
                                   "    ;\n"
                                   "    ; include /etc/passwd\n"
                                   "    ;  Girokonto  3\n"
                                   "    ;\n"
                                   "    Girokonto  7.25\n"));
  EXPECT_EQ(AccountNames(), "");
}

TEST_F(JournalScripts, DescriptionsThatWouldParseAsSomethingElseAreNeutralised) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"*Stern", "2008-03-05=2008-03-06 () *Stern"},
      {"!Ausruf", "2008-03-05=2008-03-06 () !Ausruf"},
      {"(Klammer", "2008-03-05=2008-03-06 () (Klammer"},
      {"  *Stern", "2008-03-05=2008-03-06 () *Stern"},
      {"Müller; Söhne", "2008-03-05=2008-03-06 Müller, Söhne"},
      {";", "2008-03-05=2008-03-06 ,"},
      {"Zwei  Blanks | Notiz", "2008-03-05=2008-03-06 Zwei  Blanks | Notiz"},
  };
  for (const auto& [name, header] : cases) {
    fs::remove(journal_);
    Values values = Booking("725");
    values[6] = name;
    Book(values);
    EXPECT_EQ(NonCommentLines(Journal()).front(), header);
  }
}

// Column values of hledger's CSV of each posting, by column name.
std::vector<std::map<std::string, std::string>> HledgerPostings(const fs::path& hledger,
                                                                const fs::path& journal) {
  const CommandResult printed =
      RunCommand(hledger.string() + " -f " + journal.string() + " print -O csv");
  EXPECT_EQ(printed.status, 0) << printed.output;
  const auto rows = ParseCsv(printed.output);
  std::vector<std::map<std::string, std::string>> postings;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    std::map<std::string, std::string> posting;
    for (std::size_t c = 0; c < rows[0].size() && c < rows[r].size(); ++c)
      posting[rows[0][c]] = rows[r][c];
    postings.push_back(posting);
  }
  return postings;
}

TEST_F(JournalScripts, LedgerToolsReadTheBookingsAndTheyBalance) {
  const auto hledger = FindProgram("hledger");
  const auto ledger = FindProgram("ledger");
  ASSERT_TRUE(hledger && ledger) << testsupport::kMissingTool;
  fs::copy_file(kSource / "examples" / "example.journal", journal_);
  Book({"05.03.2008", "06.03.2008", "725", "Unbekannt", "Girokonto", "Wohnen", "Stadtwerke",
        "Abschlag März\nKundennr. 4711"});
  Book({"31.12.2023", "02.01.2024", "123456", "Kreditkarte", "Unbekannt", "Versicherungen",
        "(Größ & Söhne; AG", "Jahresbeitrag"});
  Book({"29.02.2024", "29.02.2024", "00", "Girokonto", "Sparkonto", "Sonstiges", "*Bank",
        "Zeile mit [2024/13/45] und date:kaputt\n\nletzte"});

  const CommandResult check = RunCommand(hledger->string() + " -f " + journal_.string() + " check");
  EXPECT_EQ(check.status, 0) << check.output;
  const CommandResult balance = RunCommand(ledger->string() + " -f " + journal_.string() + " bal");
  EXPECT_EQ(balance.status, 0) << balance.output;
  EXPECT_THAT(balance.output, Not(HasSubstr("rror")));
  EXPECT_EQ(balance.output.substr(balance.output.rfind('\n', balance.output.size() - 2) + 1),
            "                   0\n");

  const auto postings = HledgerPostings(*hledger, journal_);
  ASSERT_EQ(postings.size(), 6u);
  const std::vector<std::vector<std::string>> expected = {
      // date, secondary date, description, comment, account, amount
      {"1", "2008-03-05", "2008-03-06", "Stadtwerke", "Wohnen\nAbschlag März\nKundennr. 4711",
       "Girokonto", "7.25"},
      {"1", "2008-03-05", "2008-03-06", "Stadtwerke", "Wohnen\nAbschlag März\nKundennr. 4711",
       "Unbekannt", "-7.25"},
      {"2", "2023-12-31", "2024-01-02", "(Größ & Söhne, AG", "Versicherungen\nJahresbeitrag",
       "Unbekannt", "1234.56"},
      {"2", "2023-12-31", "2024-01-02", "(Größ & Söhne, AG", "Versicherungen\nJahresbeitrag",
       "Kreditkarte", "-1234.56"},
      {"3", "2024-02-29", "2024-02-29", "*Bank",
       "Sonstiges\nZeile mit [ 2024/13/45] und date:kaputt\n\nletzte", "Sparkonto", "0"},
      {"3", "2024-02-29", "2024-02-29", "*Bank",
       "Sonstiges\nZeile mit [ 2024/13/45] und date:kaputt\n\nletzte", "Girokonto", "0"},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& p = postings[i];
    EXPECT_EQ(
        (std::vector<std::string>{p.at("txnidx"), p.at("date"), p.at("date2"), p.at("description"),
                                  p.at("comment"), p.at("account"), p.at("amount")}),
        expected[i]);
    EXPECT_EQ(p.at("status"), "");
  }
  const CommandResult totals =
      RunCommand(hledger->string() + " -f " + journal_.string() + " bal --flat");
  EXPECT_EQ(totals.status, 0) << totals.output;
  EXPECT_THAT(totals.output, StartsWith("                7.25  Girokonto\n"
                                        "            -1234.56  Kreditkarte\n"
                                        "             1227.31  Unbekannt\n"));
  EXPECT_THAT(totals.output, HasSubstr("\n                   0"));
}

// What ledger reads of each posting: date, value date, payee, account and amount.
std::string LedgerRegister(const fs::path& ledger, const fs::path& journal) {
  const CommandResult result =
      RunCommand(ledger.string() + " -f " + journal.string() +
                 " reg --format '%(date)|%(effective_date)|%(payee)|%(account)|%(amount)\\n'");
  EXPECT_EQ(result.status, 0);
  return result.output;
}

// Texts from the export that ledger would read as the booking's dates or payee, or refuse as too
// long, and names that hledger would read as a status or code: each booking still reads with its
// own dates, payee, accounts and amount in both tools, neither cleared nor pending, and all of its
// text stands in the comment, changed only by a blank or cut into further lines.
TEST_F(JournalScripts, NoTextChangesHowTheBookingReads) {
  const auto hledger = FindProgram("hledger");
  const auto ledger = FindProgram("ledger");
  ASSERT_TRUE(hledger && ledger) << testsupport::kMissingTool;
  const std::string x2048(2048, 'x');
  const std::string umlauts1023 = [] {
    std::string s;
    for (int i = 0; i < 1023; ++i) s += "ä";
    return s;
  }();
  struct Case {
    const char* what;
    std::string category, name, purpose;
    std::string payee;    // as both tools read it
    std::string comment;  // as hledger reads it, lines joined by line ends
  };
  const std::vector<Case> cases = {
      {"a fraction in brackets", "Wohnen", "Stadtwerke", "Rate [3/12]", "Stadtwerke",
       "Wohnen\nRate [ 3/12]"},
      {"dates in brackets that ledger cannot read", "Wohnen", "Stadtwerke",
       "Rechnung [01.02.2024] und [2024/13/45]", "Stadtwerke",
       "Wohnen\nRechnung [ 01.02.2024] und [ 2024/13/45]"},
      {"a value date in brackets", "[=2020/01/01] Umbuchung", "Stadtwerke", "", "Stadtwerke",
       "[ =2020/01/01] Umbuchung"},
      {"Payee: as the category", "Payee: Böse", "Stadtwerke", "Abschlag", "Stadtwerke",
       "Payee : Böse\nAbschlag"},
      {"Payee: in a purpose line, in capitals, after a tab", "Wohnen", "Stadtwerke",
       "Abschlag\nGutschrift an PAYEE:\tBöse", "Stadtwerke",
       "Wohnen\nAbschlag\nGutschrift an PAYEE : Böse"},
      {"a key whose value ledger would evaluate", "Wohnen", "Stadtwerke", "Zweck:: Miete Mai",
       "Stadtwerke", "Wohnen\nZweck :: Miete Mai"},
      {"keys and tags that change nothing stay", "Wohnen", "Stadtwerke",
       "Kundennr: 4711 :Payee: [Beleg] Payee:x", "Stadtwerke",
       "Wohnen\nKundennr: 4711 :Payee: [Beleg] Payee:x"},
      {"brackets and Payee: in the name stay", "Wohnen", "Rate [3/12]; Payee: x", "",
       "Rate [3/12], Payee: x", "Wohnen"},
      {"a 5 000-byte purpose line", "Wohnen", "Stadtwerke", std::string(5000, 'x'), "Stadtwerke",
       "Wohnen\n" + x2048 + "\n" + x2048 + "\n" + std::string(904, 'x')},
      {"a 5 000-byte category", std::string(5000, 'x'), "Stadtwerke", "", "Stadtwerke",
       x2048 + "\n" + x2048 + "\n" + std::string(904, 'x')},
      {"a 5 000-byte name", "Wohnen", std::string(5000, 'n'), "", std::string(2048, 'n'),
       std::string(2048, 'n') + "\n" + std::string(904, 'n') + "\nWohnen"},
      {"a long text of two-byte characters, cut between them", "Wohnen", "Stadtwerke",
       "a" + umlauts1023 + umlauts1023 + "ää", "Stadtwerke",
       "Wohnen\na" + umlauts1023 + "\n" + umlauts1023 + "ä\nä"},
      {"a date in brackets where a piece ends", "Wohnen", "Stadtwerke",
       std::string(2047, 'x') + "[3/12]", "Stadtwerke",
       "Wohnen\n" + std::string(2047, 'x') + "[\n3/12]"},
      // hledger reads a no-break space as a blank, and a mark or code after it as the booking's.
      {"a cleared mark after a no-break space", "Wohnen", "\u00a0*Foo", "", "*Foo", "Wohnen"},
      {"a pending mark after a no-break space", "Wohnen", "\u00a0! Bar", "", "! Bar", "Wohnen"},
      {"a code after a no-break space", "Wohnen", "\u00a0(12) Rate", "", "(12) Rate", "Wohnen"},
      {"blanks and no-break spaces mixed before a mark", "Wohnen", " \u00a0 *Foo", "", "*Foo",
       "Wohnen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteJournal(kDeclarations + "commodity 1000.00\n");
    Book({"05.03.2008", "06.03.2008", "725", "Unbekannt", "Girokonto", c.category, c.name,
          c.purpose});
    EXPECT_EQ(LedgerRegister(*ledger, journal_), "2008/03/05|2008/03/06|" + c.payee +
                                                     "|Girokonto|7.25\n2008/03/05|2008/03/06|" +
                                                     c.payee + "|Unbekannt|-7.25\n");
    // Neither cleared nor pending, and no code.
    const CommandResult marks = RunCommand(ledger->string() + " -f " + journal_.string() +
                                           " reg --format '%(state)|%(code)\\n'");
    EXPECT_EQ(marks.output, "0|\n0|\n");
    const CommandResult check =
        RunCommand(hledger->string() + " -f " + journal_.string() + " check -s");
    EXPECT_EQ(check.status, 0) << check.output;
    const auto postings = HledgerPostings(*hledger, journal_);
    ASSERT_EQ(postings.size(), 2u);
    EXPECT_EQ((std::vector<std::string>{postings[0].at("date"), postings[0].at("date2"),
                                        postings[0].at("status"), postings[0].at("code"),
                                        postings[0].at("description"), postings[0].at("amount")}),
              (std::vector<std::string>{"2008-03-05", "2008-03-06", "", "", c.payee, "7.25"}));
    EXPECT_EQ(postings[0].at("comment"), c.comment);
  }
}

TEST_F(JournalScripts, YearsThatLedgerReadsAreBooked) {
  const auto ledger = FindProgram("ledger");
  ASSERT_TRUE(ledger) << testsupport::kMissingTool;
  WriteJournal(kDeclarations);
  Book({"01.01.1400", "31.12.9999", "725", "Unbekannt", "Girokonto", "Wohnen", "Alt", ""});
  EXPECT_EQ(
      LedgerRegister(*ledger, journal_),
      "1400/01/01|9999/12/31|Alt|Girokonto|7.25\n1400/01/01|9999/12/31|Alt|Unbekannt|-7.25\n");
}

// Characters that share a byte with the no-break space (C2 A0): "à" is C3 A0, "°" is C2 B0.
TEST_F(JournalScripts, AccountsWithBytesOfTheNoBreakSpaceAreBooked) {
  const auto hledger = FindProgram("hledger");
  ASSERT_TRUE(hledger) << testsupport::kMissingTool;
  Book(Booking("725", "Reise à", "°Grad"));
  const auto postings = HledgerPostings(*hledger, journal_);
  ASSERT_EQ(postings.size(), 2u);
  EXPECT_EQ(postings[0].at("account"), "°Grad");
  EXPECT_EQ(postings[1].at("account"), "Reise à");
}

TEST(JournalScriptsLint, ShellcheckFindsNothing) {
  const auto shellcheck = FindProgram("shellcheck");
  ASSERT_TRUE(shellcheck) << testsupport::kMissingTool;
  const CommandResult result =
      RunCommand(shellcheck->string() + " -s sh " + (kSource / "scripts" / "168").string() + " " +
                 (kSource / "scripts" / "169").string());
  EXPECT_EQ(result.status, 0) << result.output;
}

TEST(JournalScriptsLint, ScriptsAreExecutable) {
  for (const char* name : {"168", "169"}) {
    const fs::perms perms = fs::status(kSource / "scripts" / name).permissions();
    EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none) << name;
  }
}

}  // namespace
}  // namespace valtaro
