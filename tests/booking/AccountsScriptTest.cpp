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

TEST_F(AccountsScript, OffersTheAccountsThatHledgerDeclares) {
  ASSERT_TRUE(FindProgram("hledger")) << testsupport::kMissingTool;
  struct Case {
    const char* name;
    Files files;
    std::string offered;                         // 169's list, in reading order
    std::vector<std::string> leftOut{};          // declared for hledger, refused by 168
    std::pair<std::string, std::string> link{};  // a link and what it points to
    std::string warning{};                       // a line that 169 writes on standard error
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
        "(Klammer:Drin)"}},
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
    for (const std::string& name : c.leftOut) {
      EXPECT_THAT(run.errors, HasSubstr("169: Konto „" + name + "“ ausgelassen: ")) << name;
    }
    EXPECT_THAT(run.errors, HasSubstr(c.warning));
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
