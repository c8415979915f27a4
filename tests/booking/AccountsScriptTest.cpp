// scripts/169 on journals as hledger users keep them: the accounts it offers against what
// hledger itself declares, and the journals that it refuses because hledger would misread or
// hide the bookings that 168 appends to them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/Commands.h"
#include "support/TempFolder.h"

namespace valtaro {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testsupport::CommandResult;
using testsupport::FindProgram;
using testsupport::RunCommand;
using namespace std::string_literals;

const fs::path kSource = VALTARO_SOURCE_DIR;

// Files of a case: a path below the case's folder and its bytes. The journal is "main.journal";
// "home/" is HOME.
using Files = std::vector<std::pair<std::string, std::string>>;

struct Result {
  int status = -1;
  std::string output, errors;
};

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;) {
    pieces.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string WithoutLineEnd(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

class AccountsScript : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(home_); }

  void Write(const Files& files) const {
    for (const auto& [name, bytes] : files) {
      fs::create_directories((folder_.Path() / name).parent_path());
      folder_.Write(name, bytes);
    }
  }
  // 169 on main.journal, with HOME in the case's folder, from another working folder.
  Result Accounts() const {
    const CommandResult result = RunCommand(
        "{ cd / && HOME=" + home_.string() + " LEDGER_FILE=" + journal_ + " " +
        (kSource / "scripts" / "169").string() + " 2>" + folder_.PathOf(".errors") + "; }");
    return {result.status, WithoutLineEnd(result.output), folder_.Read(".errors")};
  }
  // What `hledger accounts --declared` lists for main.journal, in its order.
  std::vector<std::string> HledgerDeclared() const {
    const CommandResult result =
        RunCommand("HOME=" + home_.string() + " hledger -f " + journal_ + " accounts --declared");
    EXPECT_EQ(result.status, 0) << result.output;
    return Split(WithoutLineEnd(result.output), "\n");
  }
  // Whether hledger reads a booking appended as 168 writes it with its own account and amount.
  bool HledgerReadsAnAppendedBooking() const {
    const std::string booking =
        "\n2008-03-05=2008-03-06 Angehängt\n    ; Wohnen\n    Girokonto  1234.56\n"
        "    Unbekannt  -1234.56\n";
    folder_.Write("main.journal", folder_.Read("main.journal") + booking);
    const CommandResult result = RunCommand("HOME=" + home_.string() + " hledger -f " + journal_ +
                                            " print 'acct:^Girokonto$' amt:1234.56");
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output.find("Angehängt") != std::string::npos;
  }

  testsupport::TempFolder folder_;
  fs::path home_ = folder_.Path() / "home";
  std::string journal_ = folder_.PathOf("main.journal");
};

// The warning of 169 for a declared account that 168 would refuse to book to.
std::string LeftOut(const std::string& name, const std::string& reason) {
  return "169: Konto „" + name + "“ ausgelassen: darauf ließe sich nicht buchen, " + reason + "\n";
}
const std::string kOtherMeaning =
    "es beginnt mit einem Zeichen, das im Journal eine andere Bedeutung hat";

TEST_F(AccountsScript, OffersTheAccountsThatHledgerDeclares) {
  ASSERT_TRUE(FindProgram("hledger")) << testsupport::kMissingTool;
  struct Case {
    const char* name;
    Files files;
    std::string offered;                         // 169's list, in reading order
    std::vector<std::string> leftOut{};          // declared for hledger, refused by 168
    std::pair<std::string, std::string> link{};  // a link and what it points to
    std::string errors{};                        // all that 169 writes on standard error
    std::vector<std::string> notRead{};          // declared for hledger in files passed over
  };
  // A chain of includes 24 levels deep, each file in a folder below that of the file including
  // it: 169 reads the files down to level 20.
  Files chain = {{"main.journal", "account Ebene 0\ninclude e/k.journal\n"}};
  std::string chainOffered = "Ebene 0";
  std::vector<std::string> chainNotRead;
  std::string level20;
  std::string folders;
  for (int level = 1; level <= 24; ++level) {
    folders += "e/";
    const std::string path = folders + "k.journal";
    const std::string name = "Ebene " + std::to_string(level);
    chain.push_back({path, "account " + name + "\n" + (level < 24 ? "include e/k.journal\n" : "")});
    if (level <= 20) {
      chainOffered += ", " + name;
    } else {
      chainNotRead.push_back(name);
    }
    if (level == 20) level20 = folder_.PathOf(path);
  }
  const std::vector<Case> cases = {
      {"a glob's files in byte order, hidden files and other names not matched",
       {{"main.journal", "account Vorn\ninclude konten/*.journal\naccount Hinten\n"},
        {"konten/b.journal", "account B\n"},
        {"konten/a.journal", "account A\n"},
        {"konten/10.journal", "account Zehn\n"},
        {"konten/2.journal", "account Zwei\n"},
        {"konten/C.journal", "account Groß\n"},
        {"konten/ä.journal", "account Umlaut\n"},
        {"konten/.versteckt.journal", "account Versteckt\n"},
        {"konten/notiz.txt", "account Notiz\n"}},
       "Vorn, Zehn, Zwei, Groß, A, B, Umlaut, Hinten"},
      {"glob classes, hledger's [^…] among them, and a folder with glob characters in its name",
       {{"main.journal", "include k/[^b]?.journal\ninclude k/b*\ninclude ?k?/innen.journal\n"},
        {"k/a1.journal", "account A1\n"},
        {"k/b1.journal", "account B1\n"},
        {"k/c1.journal", "account C1\n"},
        {"[k]/innen.journal", "account Innen\ninclude c?.journal\n"},
        {"[k]/c2.journal", "account C2\n"}},
       "A1, C1, B1, Innen, C2"},
      {"includes from the home folder",
       {{"main.journal", "include ~/finanzen/konten.journal\ninclude ~/finanzen/2*.journal\n"},
        {"home/finanzen/konten.journal", "account Heim\n"},
        {"home/finanzen/2024.journal", "account Jahr 2024\n"}},
       "Heim, Jahr 2024"},
      {"byte-order marks in the journal and an included file",
       {{"main.journal",
         "\xEF\xBB\xBF"
         "account Erste\ninclude bom.journal\n"},
        {"bom.journal",
         "\xEF\xBB\xBF"
         "account Auch erste\r\naccount Zweite\r\n"}},
       "Erste, Auch erste, Zweite"},
      {"a NUL byte in a comment of the journal",
       {{"main.journal", "account Vor\n; ein \0 im Kommentar\naccount Nach\n"s}},
       "Vor, Nach"},
      {"only \"end comment\" with one blank ends a comment block",
       {{"main.journal",
         "comment\naccount A\nend  comment\naccount B\nend\tcomment\naccount C\n"
         "end comment \t\naccount D\ncomment\t\naccount E\nend comment\r\naccount F\n"}},
       "D, F"},
      {"apply account, nested, carried into included files and ended with each file",
       {{"main.journal",
         "apply account Privat\naccount Giro\napply  account Karten:Visa\naccount Haupt\n"
         "include karten.journal\naccount Zweit\nend apply account\naccount Spar\n"
         "end\tapply  account\naccount Ohne\ninclude offen.journal\naccount Danach\n"},
        {"karten.journal", "account Karte\nend apply account\naccount Nur Privat\n"},
        {"offen.journal", "apply account Offen\naccount Drin\n"}},
       "Privat:Giro, Privat:Karten:Visa:Haupt, Privat:Karten:Visa:Karte, Privat:Nur Privat, "
       "Privat:Karten:Visa:Zweit, Privat:Spar, Ohne, Offen:Drin, Danach"},
      {"a file included again below another prefix declares its accounts with it",
       {{"main.journal",
         "include giro.journal\napply account Privat\ninclude giro.journal\n"
         "include ./giro.journal\nend apply account\ninclude giro.journal\n"},
        {"giro.journal", "account Giro\n"}},
       "Giro, Privat:Giro"},
      {"names as hledger reads them: a single tab a blank, two blanks or a comment end it",
       {{"main.journal",
         "account\tKreditkarte\tVisa\naccount Bar ; Haus\naccount Spar  ; Kommentar\n"
         "account  Eingerückt\t\naccount Giro\t\t; Kommentar\n"}},
       "Kreditkarte Visa, Bar ; Haus, Spar, Eingerückt, Giro"},
      {"directives with hledger's optional \"!\"",
       {{"main.journal",
         "!account A\n!include b.journal\n!apply account P\naccount C\n"
         "!end apply account\n"},
        {"b.journal", "account B\n"}},
       "A, B, P:C"},
      {"a linked file's includes are relative to the link's folder",
       {{"main.journal", "include verweis.journal\n"},
        {"andere.journal", "account Neben dem Verweis\n"},
        {"tief/ziel.journal", "account Ziel\ninclude andere.journal\n"},
        {"tief/andere.journal", "account Neben dem Ziel\n"}},
       "Ziel, Neben dem Verweis",
       {},
       {"verweis.journal", "tief/ziel.journal"}},
      {"names that 168 refuses to book to",
       {{"main.journal",
         "account (Virtuell)\naccount [Ausgleich]\naccount  ; Kommentar\naccount *Stern\n"
         "account !Ausruf\naccount Steuer\x01zeichen\naccount Gut\n"
         "apply account (Klammer)\naccount Drin\nend apply account\n"}},
       "Gut",
       {"(Virtuell)", "[Ausgleich]", "; Kommentar", "*Stern", "!Ausruf", "Steuer\x01zeichen",
        "(Klammer:Drin)"},
       {},
       LeftOut("(Virtuell)", kOtherMeaning) + LeftOut("[Ausgleich]", kOtherMeaning) +
           LeftOut("; Kommentar", kOtherMeaning) + LeftOut("*Stern", kOtherMeaning) +
           LeftOut("!Ausruf", kOtherMeaning) +
           LeftOut("Steuer\x01zeichen", "es enthält ein Steuerzeichen") +
           LeftOut("(Klammer:Drin)", kOtherMeaning)},
      {"includes nested deeper than 20 levels are passed over",
       chain,
       chainOffered,
       {},
       {},
       "169: „include e/k.journal“ in " + level20 +
           " übersprungen: Einbindungen, die tiefer als 20 Ebenen ineinander geschachtelt sind, "
           "liest 169 nicht\n",
       chainNotRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_.Path());
    fs::create_directories(home_);
    Write(c.files);
    if (!c.link.first.empty()) fs::create_symlink(c.link.second, folder_.Path() / c.link.first);
    const Result run = Accounts();
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.output, c.offered);
    EXPECT_EQ(run.errors, c.errors);
    std::vector<std::string> offeredOrLeftOut = Split(run.output, ", ");
    offeredOrLeftOut.insert(offeredOrLeftOut.end(), c.leftOut.begin(), c.leftOut.end());
    offeredOrLeftOut.insert(offeredOrLeftOut.end(), c.notRead.begin(), c.notRead.end());
    std::vector<std::string> declared = HledgerDeclared();
    std::sort(offeredOrLeftOut.begin(), offeredOrLeftOut.end());
    std::sort(declared.begin(), declared.end());
    EXPECT_EQ(offeredOrLeftOut, declared);
  }
}

// Each once, also where a file read again below another prefix meets it again.
TEST_F(AccountsScript, PassesOverWhatHledgerWouldRefuseAndNamesIt) {
  fs::create_directories(folder_.Path() / "konten" / "ordner.journal");
  Write({{"main.journal",
          "account Giro\ninclude konten/*.journal\ninclude leer/*.journal\ninclude ~x/a.journal\n"
          "include **/a.journal\naccount Spar\napply account P\ninclude zweimal.journal\n"
          "end apply account\ninclude zweimal.journal\n"},
         {"konten/a.journal", "account A\n"},
         {"zweimal.journal", "account Z\ninclude fehlt.journal\n"}});
  const Result run = Accounts();
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "Giro, A, Spar, P:Z, Z");
  const std::string in = "“ in " + journal_ + " übersprungen: ";
  EXPECT_EQ(run.errors, "169: „include konten/*.journal" + in + folder_.PathOf("konten/") +
                            "ordner.journal: es ist ein Ordner\n"
                            "169: „include leer/*.journal" +
                            in +
                            "keine Datei passt zum Muster\n"
                            "169: „include ~x/a.journal" +
                            in +
                            "„~NAME“ (der Ordner eines anderen Benutzers) wird nicht unterstützt\n"
                            "169: „include **/a.journal" +
                            in +
                            "Muster mit „**“ oder „<…>“ liest 169 nicht\n"
                            "169: „include fehlt.journal“ in " +
                            folder_.PathOf("zweimal.journal") +
                            " übersprungen: die Datei ist nicht vorhanden\n");
}

// Paths with blanks, quotes, "=", a backslash and a line end reach the right files.
TEST_F(AccountsScript, HostilePathsAreReadAsTheyAre) {
  const std::string odd = "a b'c\"d=e\\f\ng";
  Write({{"main.journal", "include a b'c\"d=e?f?g/1.journal\ninclude x=y.journal\n"},
         {odd + "/1.journal", "account Eins\ninclude [2].journal\ninclude 3.journal\n"},
         {odd + "/2.journal", "account Zwei\n"},
         {odd + "/3.journal", "account Drei\n"},
         {"x=y.journal", "account Gleich\ninclude main.journal\n"}});
  const Result run = Accounts();
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "Eins, Zwei, Drei, Gleich");
  EXPECT_EQ(run.errors, "169: „include main.journal“ in " + folder_.PathOf("x=y.journal") +
                            " übersprungen: die Datei bindet sich damit selbst ein\n");
}

TEST_F(AccountsScript, RefusesAJournalThatWouldMisreadOrHideTheBookings) {
  ASSERT_TRUE(FindProgram("hledger")) << testsupport::kMissingTool;
  struct Case {
    const char* name;
    Files files;
    std::string reason;  // empty: the journal is used
  };
  const std::string misread = "gibt Beträgen ohne Währungszeichen ein Dezimalkomma";
  const std::string main = "main.journal, Zeile ";
  const std::vector<Case> cases = {
      {"D with a decimal comma",
       {{"main.journal", "account A\nD 1.000,00 EUR\n"}},
       main + "2: „D 1.000,00 EUR“ " + misread},
      {"D without a symbol",
       {{"main.journal", "D 1000,00\naccount A\n"}},
       main + "1: „D 1000,00“ " + misread},
      {"D with the symbol first and one comma",
       {{"main.journal", "D EUR 1,000\n"}},
       main + "1: „D EUR 1,000“ " + misread},
      {"the last D counts",
       {{"main.journal", "D 1,000.00 EUR\nD 1.000,00 EUR\n"}},
       main + "2: „D 1.000,00 EUR“ " + misread},
      {"a later D with a decimal point",
       {{"main.journal", "D 1.000,00 EUR\nD 1,000.00 EUR\n"}},
       ""},
      {"D of an included file ends with it",
       {{"main.journal", "include d.journal\n"}, {"d.journal", "D 1.000,00 EUR\n"}},
       ""},
      {"commodity without a symbol",
       {{"main.journal", "commodity 1.000,00  ; Euro\n"}},
       main + "1: „commodity 1.000,00  ; Euro“ " + misread},
      {"commodity without a symbol in an included file",
       {{"main.journal", "account A\ninclude k.journal\n"},
        {"k.journal", "account B\ncommodity 1,00\n"}},
       "k.journal, Zeile 2: „commodity 1,00“ " + misread},
      {"commodity without a symbol before D with a decimal point",
       {{"main.journal", "commodity 1.000,00\nD 1,000.00 EUR\n"}},
       main + "1: „commodity 1.000,00“ " + misread},
      {"commodity without a symbol with a decimal point before D",
       {{"main.journal", "commodity 1,000.00\nD 1.000,00 EUR\n"}},
       ""},
      {"commodity without a symbol below D declares D's commodity",
       {{"main.journal", "D 1,000.00 EUR\ninclude k.journal\n"}, {"k.journal", "commodity 1,00\n"}},
       ""},
      {"commodity with a symbol", {{"main.journal", "commodity 1.000,00 EUR\naccount A\n"}}, ""},
      {"commodity with a format", {{"main.journal", "commodity EUR\n  format 1.000,00 EUR\n"}}, ""},
      {"decimal-mark",
       {{"main.journal", "commodity 1,000.00\ndecimal-mark ,\n"}},
       main + "2: „decimal-mark ,“ " + misread},
      {"decimal-mark with a point wins",
       {{"main.journal", "decimal-mark .\ncommodity 1.000,00\nD 1.000,00 EUR\n"}},
       ""},
      {"decimal-mark of an included file ends with it",
       {{"main.journal", "include m.journal\n"}, {"m.journal", "decimal-mark ,\n"}},
       ""},
      {"a declaration in a comment block",
       {{"main.journal", "comment\nD 1.000,00 EUR\nend comment\n"}},
       ""},
      {"an open comment block",
       {{"main.journal", "account A\ncomment\naccount B\nend  comment\n"}},
       "main.journal endet in einem Kommentarblock: „comment“ in Zeile 2 hat kein „end comment“"},
      {"an open comment block in an included file",
       {{"main.journal", "include c.journal\naccount A\n"}, {"c.journal", "comment\n"}},
       ""},
      {"an open apply account",
       {{"main.journal",
         "apply account Alt\napply account Privat\naccount A\nend apply account\n"}},
       "main.journal endet innerhalb von „apply account“ (Zeile 1) ohne „end apply account“"},
      {"an open apply account in an included file",
       {{"main.journal", "include a.journal\n"}, {"a.journal", "apply account Privat\n"}},
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_.Path());
    fs::create_directories(home_);
    Write(c.files);
    const Result run = Accounts();
    if (c.reason.empty()) {
      EXPECT_EQ(run.status, 0) << run.errors;
      EXPECT_TRUE(HledgerReadsAnAppendedBooking());
    } else {
      EXPECT_NE(run.status, 0);
      EXPECT_EQ(run.output, "");
      EXPECT_THAT(run.errors, HasSubstr("169: " + folder_.PathOf("") + c.reason));
      EXPECT_FALSE(HledgerReadsAnAppendedBooking());
    }
  }
}

// How a reader reads the booking that 168 appends: it cannot read the journal at all (already
// before the booking), it reads the booking as written, or otherwise (it refuses the journal
// after the booking, hides the booking or reads any of its fields otherwise).
enum class Reading { kCannotRead, kAsWritten, kOtherwise };

std::ostream& operator<<(std::ostream& out, Reading reading) {
  switch (reading) {
    case Reading::kCannotRead:
      return out << "cannot read";
    case Reading::kAsWritten:
      return out << "as written";
    case Reading::kOtherwise:
      return out << "otherwise";
  }
  return out;
}

// The fields of the last transaction of hledger's JSON that tell how it reads a booking, in
// their order, "name=value" each.
std::string LastTransactionFields(const std::string& json) {
  static const std::set<std::string> kFields = {
      "tdate",    "tdate2",     "tdescription",    "tstatus",       "tcode",
      "paccount", "acommodity", "decimalMantissa", "decimalPlaces", "pstatus"};
  std::stringstream lines(json.substr(std::min(json.rfind("\"tcode\""), json.size())));
  std::string fields;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t open = line.find('"');
    const std::size_t close = line.find("\": ", open + 1);
    if (open == std::string::npos || close == std::string::npos) continue;
    const std::string name = line.substr(open + 1, close - open - 1);
    if (kFields.count(name) == 0) continue;
    std::string value = line.substr(close + 3);
    if (!value.empty() && value.back() == ',') value.pop_back();
    if (value.size() >= 2 && value.front() == '"') value = value.substr(1, value.size() - 2);
    fields += name + "=" + value + " ";
  }
  return fields;
}

// The command that 169 gives for converting the file through the filter in its place.
std::string Converted(const std::string& filter, const std::string& path) {
  return filter + " < '" + path + "' > '" + path + ".neu' && mv '" + path + ".neu' '" + path +
         "'\n";
}

TEST_F(AccountsScript, RefusesAJournalExactlyWhereAReaderWouldReadTheBookingOtherwise) {
  const auto hledger = FindProgram("hledger");
  const auto ledger = FindProgram("ledger");
  ASSERT_TRUE(hledger && ledger) << testsupport::kMissingTool;
  using enum Reading;
  struct Case {
    const char* name;
    Files files;
    std::string errors;  // all that 169 writes on standard error; empty when it accepts
    Reading byHledger, byLedger;
    std::string environment{};  // set for every command; "@" for the case's folder
    std::string offered = "Girokonto, Unbekannt";  // where 169 accepts the journal
    // Refused although no reader reads this booking otherwise: 169 cannot be sure of the file.
    bool unsure = false;
  };
  const std::string at = folder_.PathOf("");
  const std::string main = at + "main.journal, Zeile ";
  const auto decimalComma = [](const std::string& where) {
    return "169: " + where +
           " lässt ledger Beträge mit Dezimalkomma lesen. Am ersten Betrag, den der Import "
           "anhängt (1234.56), bräche ledger das Lesen des ganzen Journals ab. Die Option "
           "entfernen; der Import braucht Beträge mit Dezimalpunkt.\n";
  };
  const auto dateFormat = [](const std::string& where, const std::string& format) {
    return "169: " + where + " lässt ledger Daten nach dem Muster „" + format +
           "“ lesen. ledger läse die Daten der Buchungen, die der Import anhängt (2008-03-05), "
           "womöglich anders, als sie geschrieben sind. Die Option entfernen oder „%Y-%m-%d“ "
           "angeben.\n";
  };
  const auto hledgerComma = [](const std::string& where, const std::string& line) {
    return "169: " + where + ": „" + line +
           "“ gibt Beträgen ohne Währungszeichen ein Dezimalkomma. hledger läse die Beträge, die "
           "der Import anhängt, hundertfach zu groß: 1234.56 als 123.456,00. Der Import braucht "
           "ein Journal, das Beträge ohne Währungszeichen mit Dezimalpunkt liest.\n";
  };
  const auto hidden = [&](const std::string& block, int line) {
    return "169: " + at + "main.journal endet in einem " +
           (block == "comment" ? "Kommentarblock" : "Block „test“") + ": „" + block +
           "“ in Zeile " + std::to_string(line) + " hat kein „end " + block +
           "“. Die Buchungen, die der Import anhängt, stünden darin und zählten nicht.\n";
  };
  const auto notUtf8 = [&](const std::string& file, int line) {
    const std::string path = at + file;
    return "169: " + path + ", Zeile " + std::to_string(line) +
           ": die Datei ist nicht in UTF-8 geschrieben. hledger kann das Journal nicht lesen, und "
           "ledger hielte ein Konto, dessen Name darin einen Umlaut hat, für ein anderes als das, "
           "auf das der Import bucht. Die Datei umwandeln, zum Beispiel aus ISO-8859-1 mit: " +
           Converted("iconv -f ISO-8859-1 -t UTF-8", path);
  };
  const std::string accounts = "account Girokonto\naccount Unbekannt\n";
  const std::string pedanticWithoutUnbekannt =
      "169: " + at +
      "home/.ledgerrc, Zeile 1: „--pedantic“ lässt ledger jede Buchung auf ein Konto ablehnen, "
      "das nicht erklärt ist. Der Import bucht die Gegenseite auf „Unbekannt“: das Journal "
      "braucht die Zeile „account Unbekannt“.\n";
  const std::vector<Case> cases = {
      // ledger's decimal comma: it refuses the whole journal at the booking's amount.
      {"--decimal-comma in the journal",
       {{"main.journal", "--decimal-comma\n" + accounts}},
       decimalComma(main + "1: „--decimal-comma“"),
       kCannotRead,
       kOtherwise},
      {"--decimal-comma in an included file, which holds on in the journal",
       {{"main.journal", "include optionen.journal\n" + accounts},
        {"optionen.journal", "--decimal-comma ; deutsch\n"}},
       decimalComma(at + "optionen.journal, Zeile 1: „--decimal-comma ; deutsch“"),
       kCannotRead,
       kOtherwise},
      {"--decimal-comma in ~/.ledgerrc",
       {{"main.journal", accounts}, {"home/.ledgerrc", "; Voreinstellungen\n--decimal-comma\n"}},
       decimalComma(at + "home/.ledgerrc, Zeile 2: „--decimal-comma“"),
       kAsWritten,
       kOtherwise},
      {"--decimal-comma in ~/.config/ledger/ledgerrc",
       {{"main.journal", accounts}, {"home/.config/ledger/ledgerrc", "--decimal-comma\n"}},
       decimalComma(at + "home/.config/ledger/ledgerrc, Zeile 1: „--decimal-comma“"),
       kAsWritten,
       kOtherwise},
      {"--decimal-comma in the ledgerrc below XDG_CONFIG_HOME",
       {{"main.journal", accounts}, {"xdg/ledger/ledgerrc", "--decimal-comma\n"}},
       decimalComma(at + "xdg/ledger/ledgerrc, Zeile 1: „--decimal-comma“"),
       kAsWritten,
       kOtherwise,
       "XDG_CONFIG_HOME=@xdg"},
      {"LEDGER_DECIMAL_COMMA, whatever its value",
       {{"main.journal", accounts}},
       decimalComma("die Umgebungsvariable LEDGER_DECIMAL_COMMA"),
       kAsWritten,
       kOtherwise,
       "LEDGER_DECIMAL_COMMA=0"},
      {"--decimal-comma in ~/.ledgerrc, which ledger does not read beside its other init file",
       {{"main.journal", accounts},
        {"home/.ledgerrc", "--decimal-comma\n"},
        {"home/.config/ledger/ledgerrc", "; nichts\n"}},
       "",
       kAsWritten,
       kAsWritten},
      // ledger's date format.
      {"--input-date-format with day and month swapped",
       {{"main.journal", "--input-date-format %Y-%d-%m\n" + accounts}},
       dateFormat(main + "1: „--input-date-format %Y-%d-%m“", "%Y-%d-%m"),
       kCannotRead,
       kOtherwise},
      {"LEDGER_INPUT_DATE_FORMAT with day and month swapped",
       {{"main.journal", accounts}},
       dateFormat("die Umgebungsvariable LEDGER_INPUT_DATE_FORMAT=%Y-%d-%m", "%Y-%d-%m"),
       kAsWritten,
       kOtherwise,
       "LEDGER_INPUT_DATE_FORMAT=%Y-%d-%m"},
      {"--input-date-format that does not fit the booking's dates",
       {{"main.journal", "--input-date-format %d.%m.%Y\n" + accounts}},
       "",
       kCannotRead,
       kAsWritten},
      // ledger's strictness, which refuses a booking to an account that is not declared.
      {"--pedantic in ~/.ledgerrc without Unbekannt declared",
       {{"main.journal", "account Girokonto\n"}, {"home/.ledgerrc", "--pedantic\n"}},
       pedanticWithoutUnbekannt,
       kAsWritten,
       kOtherwise},
      {"--pedantic in ~/.ledgerrc with both accounts declared",
       {{"main.journal", accounts}, {"home/.ledgerrc", "--pedantic\n"}},
       "",
       kAsWritten,
       kAsWritten},
      // Files that are not UTF-8.
      {"an ISO Latin-1 journal",
       {{"main.journal", accounts + "account B\xFCro\n"}},
       notUtf8("main.journal", 3),
       kCannotRead,
       kAsWritten,
       "",
       "",
       true},
      {"an included file with a Latin-1 byte in a comment",
       {{"main.journal", accounts + "include alt.journal\n"},
        {"alt.journal",
         "; Gr\xFC\xDF"
         "e\n"}},
       notUtf8("alt.journal", 1),
       kCannotRead,
       kAsWritten,
       "",
       "",
       true},
      // A file included twice counts for hledger where each include stands.
      {"a decimal comma in a file included again after a decimal point",
       {{"main.journal", accounts + "include a.journal\ncommodity 1,000.00\ninclude b.journal\n"},
        {"a.journal", "include c.journal\n"},
        {"b.journal", "include c.journal\n"},
        {"c.journal", "commodity 1.000,00\n"}},
       hledgerComma(at + "c.journal, Zeile 1", "commodity 1.000,00"),
       kOtherwise,
       kAsWritten},
      {"a decimal point in a file included again after a decimal comma",
       {{"main.journal", accounts + "include 2023.journal\ninclude 2024.journal\n"},
        {"2023.journal", "include eur.journal\ncommodity 1.000,00\n"},
        {"2024.journal", "include eur.journal\n"},
        {"eur.journal", "commodity 1,000.00\n"}},
       "",
       kAsWritten,
       kAsWritten},
      // Commodity declarations.
      {"a price is no symbol",
       {{"main.journal", accounts + "commodity 1.000,00 @ 1,10 USD\n"}},
       hledgerComma(main + "3", "commodity 1.000,00 @ 1,10 USD"),
       kOtherwise,
       kAsWritten},
      {"an exponent is no symbol",
       {{"main.journal", accounts + "commodity 1,00E3\n"}},
       hledgerComma(main + "3", "commodity 1,00E3"),
       kOtherwise,
       kAsWritten},
      {"a commodity named e",
       {{"main.journal", accounts + "commodity 1.000,00 e\ncommodity 1.000,00e\n"}},
       "",
       kAsWritten,
       kAsWritten},
      // Blocks that ledger keeps open at the end.
      {"comment with a note after it",
       {{"main.journal", accounts + "comment ; Notizen\naccount Versteckt\n"}},
       hidden("comment", 3),
       kCannotRead,
       kOtherwise},
      {"a test block",
       {{"main.journal", accounts + "test\n"}},
       hidden("test", 3),
       kCannotRead,
       kOtherwise},
      {"@apply account",
       {{"main.journal", accounts + "@apply account Privat\n"}},
       "169: " + at +
           "main.journal endet innerhalb von „apply account“ (Zeile 3) ohne „end apply "
           "account“. Die Buchungen, die der Import anhängt, kämen auf Konten unter „Privat“.\n",
       kCannotRead,
       kOtherwise},
      {"a closed comment block with a note, which ledger alone reads",
       {{"main.journal", accounts + "comment ; Notizen\naccount Versteckt\nend comment\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"a test block left open in an included file",
       {{"main.journal", "include t.journal\n" + accounts}, {"t.journal", "test\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"--decimal_comma, which ledger reads as --decimal-comma",
       {{"main.journal", accounts + "--decimal_comma\n"}},
       decimalComma(main + "3: „--decimal_comma“"),
       kCannotRead,
       kOtherwise},
      {"--decimal-comma in a file that only ledger includes",
       {{"main.journal", accounts + "@include optionen.journal\n"},
        {"optionen.journal", "--decimal-comma\n"}},
       decimalComma(at + "optionen.journal, Zeile 1: „--decimal-comma“"),
       kCannotRead,
       kOtherwise},
      {"--decimal-comma in a file that ledger includes between blocks that hledger passes over",
       {{"main.journal",
         accounts + "comment\nend test\ninclude optionen.journal\ntest\nend comment\n"},
        {"optionen.journal", "--decimal-comma\n"}},
       decimalComma(at + "optionen.journal, Zeile 1: „--decimal-comma“"),
       kAsWritten,
       kOtherwise},
      {"--decimal-comma in a file included inside a test block, which ledger passes over",
       {{"main.journal", accounts + "test\ninclude optionen.journal\nend test\n"},
        {"optionen.journal", "--decimal-comma\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"an init file beside an XDG_CONFIG_HOME without one",
       {{"main.journal", accounts}, {"home/.ledgerrc", "--decimal-comma\n"}},
       decimalComma(at + "home/.ledgerrc, Zeile 1: „--decimal-comma“"),
       kAsWritten,
       kOtherwise,
       "XDG_CONFIG_HOME=@xdg"},
      {"a date format that starts with the century",
       {{"main.journal", accounts}, {"home/.ledgerrc", "--input-date-format %C%y-%d-%m\n"}},
       dateFormat(at + "home/.ledgerrc, Zeile 1: „--input-date-format %C%y-%d-%m“", "%C%y-%d-%m"),
       kAsWritten,
       kOtherwise},
      {"a date format with a comment, which ledger takes into it",
       {{"main.journal", accounts + "--input-date-format %Y-%d-%m ; alt\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"LEDGER_PEDANTIC without Unbekannt declared",
       {{"main.journal", "account Girokonto\n"}},
       "169: die Umgebungsvariable LEDGER_PEDANTIC: „--pedantic“ lässt ledger jede Buchung auf "
       "ein Konto ablehnen, das nicht erklärt ist. Der Import bucht die Gegenseite auf "
       "„Unbekannt“: das Journal braucht die Zeile „account Unbekannt“.\n",
       kAsWritten,
       kOtherwise,
       "LEDGER_PEDANTIC=1",
       "Girokonto"},
      {"--pedantic with --check-payees",
       {{"main.journal", accounts}, {"home/.ledgerrc", "--pedantic\n--check-payees\n"}},
       "169: " + at +
           "home/.ledgerrc, Zeile 1: „--pedantic“ mit „--check-payees“ lässt ledger jede "
           "Buchung ablehnen, deren Empfänger nicht mit „payee“ erklärt ist. An der ersten "
           "Buchung, die der Import anhängt, bräche ledger das Lesen des Journals ab.\n",
       kAsWritten,
       kOtherwise},
      {"D and decimal-mark of an included file end with it",
       {{"main.journal", accounts + "include d.journal\n"},
        {"d.journal", "D 1.000,00\ndecimal-mark ,\n"}},
       "",
       kAsWritten,
       kAsWritten},
      {"lines that a CR alone ends",
       {{"main.journal", "account Girokonto\raccount Unbekannt\rdecimal-mark ,\r"}},
       "169: " + main +
           "1: die Datei trennt Zeilen mit einem CR allein. hledger liest es als Zeilenende, "
           "ledger und 169 nicht, so dass 169 nicht sicher sagen kann, wie die beiden die "
           "Buchungen lesen, die der Import anhängt. Die Zeilenenden umwandeln, zum Beispiel "
           "mit: " +
           Converted("tr '\\r' '\\n'", at + "main.journal"),
       kOtherwise,
       kAsWritten},
      {"ledger's directives, which hledger cannot read",
       {{"main.journal", accounts + "apply tag x\nend apply tag\ndecimal-mark ,\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"an end comment with a note in a comment block, which hledger cannot read",
       {{"main.journal", accounts + "comment\nx\nend comment ; Ende\ncommodity 1,00\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"end aliases with a comment, which hledger reads",
       {{"main.journal", accounts + "alias x=y\nend aliases ; Notiz\ndecimal-mark ,\n"}},
       hledgerComma(main + "5", "decimal-mark ,"),
       kOtherwise,
       kCannotRead},
      {"end apply account with a comment after #, which hledger reads",
       {{"main.journal",
         accounts + "apply account P\naccount Giro\nend apply account  # P\ndecimal-mark ,\n"}},
       hledgerComma(main + "6", "decimal-mark ,"),
       kOtherwise,
       kCannotRead},
      {"end comment with a no-break space after it, which ends the block for hledger",
       {{"main.journal", accounts + "comment\nx\nend comment\xC2\xA0\ndecimal-mark ,\n"}},
       hledgerComma(main + "6", "decimal-mark ,"),
       kOtherwise,
       kAsWritten},
      {"a date format with a modifier",
       {{"main.journal", "--input-date-format %Y-%d-%Om\n" + accounts}},
       dateFormat(main + "1: „--input-date-format %Y-%d-%Om“", "%Y-%d-%Om"),
       kCannotRead,
       kOtherwise},
      {"a date format that does not fit after one that does",
       {{"main.journal",
         "--input-date-format %Y-%d-%m\n--input-date-format %d.%m.%Y\n" + accounts}},
       dateFormat(main + "1: „--input-date-format %Y-%d-%m“", "%Y-%d-%m"),
       kCannotRead,
       kOtherwise},
      {"a bare end that ends Y for ledger, not apply account",
       {{"main.journal", accounts + "apply account Privat\nY 2008\nend\n"}},
       "169: " + at +
           "main.journal endet innerhalb von „apply account“ (Zeile 3) ohne „end apply "
           "account“. Die Buchungen, die der Import anhängt, kämen auf Konten unter „Privat“.\n",
       kCannotRead,
       kOtherwise},
      {"a bare end, which ends apply account for ledger and which hledger cannot read",
       {{"main.journal", accounts + "apply account Privat\nend\n"}},
       "",
       kCannotRead,
       kAsWritten},
      {"end apply account with a note, which hledger reads and ledger cannot",
       {{"main.journal",
         accounts + "apply account Privat\naccount Giro\nend apply account ; Ende Privat\n"}},
       "",
       kAsWritten,
       kCannotRead,
       "",
       "Girokonto, Unbekannt, Privat:Giro"},
  };
  const std::string booking =
      "2008-03-05|2008-03-06|Angehängt|Girokonto|1234.56|0\n"
      "2008-03-05|2008-03-06|Angehängt|Unbekannt|-1234.56|0\n";
  const std::string bookingForHledger =
      "tcode= tdate=2008-03-05 tdate2=2008-03-06 tdescription=Angehängt paccount=Girokonto "
      "acommodity= decimalMantissa=123456 decimalPlaces=2 pstatus=Unmarked paccount=Unbekannt "
      "acommodity= decimalMantissa=-123456 decimalPlaces=2 pstatus=Unmarked tstatus=Unmarked ";
  const auto replaceAt = [&](std::string text) {
    for (std::size_t i; (i = text.find('@')) != std::string::npos;) text.replace(i, 1, at);
    return text;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder_.Path());
    fs::create_directories(home_);
    Write(c.files);
    // Each command sees the case's home folder, ledger's settings of the case only, and a locale
    // in which hledger reads UTF-8.
    const std::string environment =
        "env -i PATH='" + std::string(std::getenv("PATH")) + "' HOME=" + home_.string() +
        " LC_ALL=C.UTF-8 LEDGER_FILE=" + journal_ + " " + replaceAt(c.environment) + " ";
    const std::string json = hledger->string() + " -f " + journal_ + " print -O json";
    const std::string reg =
        ledger->string() + " -f " + journal_ +
        " reg --format '%(format_date(date,\"%Y-%m-%d\"))|%(effective_date ? "
        "format_date(effective_date,\"%Y-%m-%d\") : \"-\")|%(payee)|%(account)|%(amount)|"
        "%(state)\\n'";
    const bool hledgerReads = RunCommand(environment + json).status == 0;
    const bool ledgerReads = RunCommand(environment + reg).status == 0;

    const CommandResult run =
        RunCommand("{ cd / && " + environment + (kSource / "scripts" / "169").string() + " 2>" +
                   folder_.PathOf(".errors") + "; }");
    EXPECT_EQ(folder_.Read(".errors"), c.errors);
    EXPECT_EQ(run.status, c.errors.empty() ? 0 : 1);
    EXPECT_EQ(run.output, c.errors.empty() ? c.offered + "\n" : "");

    const CommandResult booked =
        RunCommand(environment + (kSource / "scripts" / "168").string() +
                   " 05.03.2008 06.03.2008 123456 Unbekannt Girokonto Wohnen Angehängt ''");
    ASSERT_EQ(booked.status, 0) << booked.output;
    const CommandResult byHledger = RunCommand(environment + json + " 2>/dev/null");
    const CommandResult byLedger = RunCommand(environment + reg + " 2>/dev/null");
    const auto reading = [](bool readsBefore, bool readsAfter, bool asWritten) {
      if (!readsBefore) return kCannotRead;
      return readsAfter && asWritten ? kAsWritten : kOtherwise;
    };
    EXPECT_EQ(reading(hledgerReads, byHledger.status == 0,
                      LastTransactionFields(byHledger.output) == bookingForHledger),
              c.byHledger);
    EXPECT_EQ(
        reading(ledgerReads, byLedger.status == 0,
                byLedger.output.size() >= booking.size() &&
                    byLedger.output.substr(byLedger.output.size() - booking.size()) == booking),
        c.byLedger);
    // 169 accepts the journal exactly where no reader that can read it reads the booking
    // otherwise, but where it cannot be sure.
    const bool misread = c.byHledger == kOtherwise || c.byLedger == kOtherwise;
    EXPECT_EQ(misread || c.unsure, !c.errors.empty());
  }
}

// Whether a file is UTF-8, as 169 tells it in the journal (where grep picks the lines) and in an
// included file (where the awk program reads them), against hledger, which reads only UTF-8.
TEST_F(AccountsScript, TellsAFileThatIsNotUtf8AsHledgerDoes) {
  const auto hledger = FindProgram("hledger");
  ASSERT_TRUE(hledger) << testsupport::kMissingTool;
  const std::vector<std::pair<const char*, std::string>> sequences = {
      {"two bytes", "\xC3\xA4"},
      {"three bytes", "\xE2\x82\xAC"},
      {"four bytes", "\xF0\x9F\x98\x80"},
      {"the last before the surrogates", "\xED\x9F\xBF"},
      {"U+FFFF", "\xEF\xBF\xBF"},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF"},
      {"a Latin-1 byte", "\xFC"},
      {"a lone continuation byte", "\xA4"},
      {"a continuation byte too many", "\xC3\xA4\xA4"},
      {"a lead byte before a character", "\xC3\xC3\xA4"},
      {"a lead byte at the end of the line", "\xC3"},
      {"three bytes cut short", "\xE2\x82"},
      {"an overlong form", "\xC0\xAF"},
      {"an overlong form of three bytes", "\xE0\x80\xAF"},
      {"a surrogate", "\xED\xA0\x80"},
      {"above U+10FFFF", "\xF4\x90\x80\x80"},
      {"a byte that UTF-8 never uses", "\xFF"},
  };
  for (const auto& [name, bytes] : sequences) {
    for (const bool included : {false, true}) {
      SCOPED_TRACE(std::string(name) + (included ? ", in an included file" : ""));
      fs::remove_all(folder_.Path());
      fs::create_directories(home_);
      const std::string line = "; x" + bytes + (bytes == "\xC3" ? "" : "y") + "\n";
      Write({{"main.journal", "account Girokonto\n" + (included ? "include k.journal\n" : line)},
             {"k.journal", line}});
      const bool hledgerReads =
          RunCommand("LC_ALL=C.UTF-8 " + hledger->string() + " -f " + journal_ + " print").status ==
          0;
      EXPECT_EQ(Accounts().status == 0, hledgerReads);
    }
  }
}

// ledger takes all of an "account" line for the name, a comment too; with "--pedantic" it refuses
// a booking to "Girokonto" when only "Girokonto  ; Hauptkonto" is declared, so the list leaves
// that account out.
TEST_F(AccountsScript, LeavesOutWhatLedgerWithPedanticDoesNotKnowByThatName) {
  const auto ledger = FindProgram("ledger");
  ASSERT_TRUE(ledger) << testsupport::kMissingTool;
  Write({{"main.journal", "account Girokonto  ; Hauptkonto\naccount Unbekannt\n"},
         {"home/.ledgerrc", "--pedantic\n"}});
  const Result run = Accounts();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, "Unbekannt");
  EXPECT_EQ(run.errors, "169: Konto „Girokonto“ ausgelassen: ledger mit „--pedantic“ (" +
                            folder_.PathOf("home/.ledgerrc") +
                            ", Zeile 1) kennt es nicht unter diesem Namen\n");
  folder_.Write("main.journal", folder_.Read("main.journal") +
                                    "\n2008-03-05 Angehängt\n    Girokonto  1.00\n"
                                    "    Unbekannt  -1.00\n");
  EXPECT_NE(
      RunCommand("HOME=" + home_.string() + " " + ledger->string() + " -f " + journal_ + " bal")
          .status,
      0);
}

TEST_F(AccountsScript, TheExampleJournalAndOneWithACommoditySymbolListTheirAccounts) {
  fs::copy_file(kSource / "examples" / "example.journal", journal_);
  EXPECT_EQ(Accounts().output, "Girokonto, Sparkonto, Kreditkarte, Unbekannt");
  Write({{"main.journal", "commodity 1.000,00 EUR\naccount Girokonto\naccount Unbekannt\n"}});
  const Result run = Accounts();
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "Girokonto, Unbekannt");
}

}  // namespace
}  // namespace valtaro
