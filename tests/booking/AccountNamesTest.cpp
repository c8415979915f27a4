// Account names through both scripts at once: 169 offers a declared account exactly where 168
// books to it, and where neither takes a name, both give the same reason. One table drives both,
// so that the rules of check_account (168) and booking_refusal (169.awk) cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/Commands.h"
#include "support/TempFolder.h"

namespace valtaro {
namespace {

namespace fs = std::filesystem;
using testsupport::CommandResult;
using testsupport::FindProgram;
using testsupport::RunCommand;
using testsupport::ShellQuote;

const fs::path kSource = VALTARO_SOURCE_DIR;

// Why a name is not taken, in each script's words: 168's after "Konto (an) ", 169's after
// "ausgelassen: ". Empty where the script takes the name.
struct Refusal {
  std::string booking;
  std::string listing;
};

const Refusal kTaken{};
const std::string kCannotBook = "darauf ließe sich nicht buchen, es ";
const Refusal kControl{"enthält ein Zeilenende, einen Tabulator oder ein Steuerzeichen",
                       kCannotBook + "enthält ein Steuerzeichen"};
const Refusal kTwoBlanks{"enthält zwei Leerzeichen in Folge",
                         kCannotBook + "enthält zwei Leerzeichen in Folge"};
const Refusal kBlankAtAnEnd{"beginnt oder endet mit einem Leerzeichen",
                            kCannotBook + "beginnt oder endet mit einem Leerzeichen"};
const Refusal kLeadingMark{
    "beginnt mit einem Zeichen, das im Journal eine andere Bedeutung hat",
    kCannotBook + "beginnt mit einem Zeichen, das im Journal eine andere Bedeutung hat"};
// The one difference between the two, and meant: 169 joins the accounts it offers with ", ", so
// that a name holding it would stand in the list as two. A booking to it is one account for
// hledger (checked below), so 168 books it.
const Refusal kListSeparator{"", "mit „, “ im Namen stünde es als zwei in der Liste"};

struct Row {
  const char* what;
  std::string name;
  Refusal refusal;
  // What 169 reads off the line "account NAME" where the line cannot carry the name as it is:
  // as hledger does, it reads blanks at the ends of a declared name away, a tab in it as a blank,
  // and takes two blanks for the name's end.
  std::string readAs = {};
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class AccountNames : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(home_); }

  // A script with HOME and LEDGER_FILE in the test's folder, run from another working folder.
  std::string Command(const std::string& script) const {
    return "cd / && HOME=" + home_.string() + " LEDGER_FILE=" + journal_ + " " +
           (kSource / "scripts" / script).string();
  }
  // 169's standard output and standard error apart.
  CommandResult List(std::string& errors) const {
    const CommandResult result =
        RunCommand("{ " + Command("169") + " 2>" + folder_.PathOf("errors") + "; }");
    errors = folder_.Read("errors");
    return result;
  }
  CommandResult Book(const std::string& to) const {
    return RunCommand(Command("168") + " 05.03.2008 06.03.2008 725 Unbekannt " + ShellQuote(to) +
                      " Wohnen Stadtwerke Abschlag");
  }
  std::vector<std::string> Hledger(const std::string& command) const {
    const CommandResult result = RunCommand("hledger -f " + journal_ + " " + command);
    EXPECT_EQ(result.status, 0) << result.output;
    return Lines(result.output);
  }

  testsupport::TempFolder folder_;
  fs::path home_ = folder_.Path() / "home";
  std::string journal_ = folder_.PathOf("main.journal");
};

TEST_F(AccountNames, TheListOffersANameExactlyWhereABookingTakesIt) {
  ASSERT_TRUE(FindProgram("hledger")) << testsupport::kMissingTool;
  const std::string nbsp = "\u00a0";  // hledger reads it as a blank
  const std::vector<Row> rows = {
      {"a plain name", "Girokonto", kTaken},
      {"a blank inside", "Bar Haus", kTaken},
      {"a comma without a blank", "Bar,Haus", kTaken},
      {"colons and umlauts", "Ärger:Über:Büro", kTaken},
      {"brackets and a semicolon inside", "Kasse;Büro (alt)", kTaken},
      {"the list's separator", "Bar, Haus", kListSeparator},
      {"a blank first", " Giro", kBlankAtAnEnd, "Giro"},
      {"a blank last", "Giro ", kBlankAtAnEnd, "Giro"},
      // hledger wants a comment after the two blanks and reads no journal with this line.
      {"two blanks", "Giro  Konto", kTwoBlanks, "Giro"},
      {"a tab", "Giro\tKonto", kControl, "Giro Konto"},
      {"a control character", "Giro\x01Konto", kControl},
      {"the delete character", "Giro\x7FKonto", kControl},
      {"a semicolon first", ";Giro", kLeadingMark},
      {"a star first", "*Giro", kLeadingMark},
      {"an exclamation mark first", "!Giro", kLeadingMark},
      {"a parenthesis first", "(Giro)", kLeadingMark},
      {"an unclosed parenthesis first", "(Giro", kLeadingMark},
      {"a bracket first", "[Giro]", kLeadingMark},
      {"a no-break space first", nbsp + "Giro", kBlankAtAnEnd},
      {"a no-break space last", "Giro" + nbsp, kBlankAtAnEnd},
      {"a no-break space alone", nbsp, kBlankAtAnEnd},
      {"a no-break space before a mark", nbsp + "*Giro", kBlankAtAnEnd},
      {"two no-break spaces", "Giro" + nbsp + nbsp + "Konto", kTwoBlanks},
      {"a blank, then a no-break space", "Giro " + nbsp + "Konto", kTwoBlanks},
      {"a no-break space, then a blank", "Giro" + nbsp + " Konto", kTwoBlanks},
      {"a no-break space and a blank first", nbsp + " Giro", kTwoBlanks},
      {"one no-break space inside", "Giro" + nbsp + "Konto", kTaken},
      // "à" is C3 A0, "°" is C2 B0: each shares a byte with the no-break space (C2 A0).
      {"a character ending in A0 last", "Reise à", kTaken},
      {"a character ending in A0 first", "à la carte", kTaken},
      {"a character starting with C2 first", "°Grad", kTaken},
  };
  const std::string refused = "168: Buchung „Stadtwerke“ vom 05.03.2008: Konto (an) ";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string declaration = "account " + row.name + "\n";
    folder_.Write("main.journal", declaration);

    std::string warnings;
    const CommandResult listed = List(warnings);
    EXPECT_EQ(listed.status, 0) << warnings;
    const std::string offered = listed.output.empty() ? "" : Lines(listed.output).front();
    if (!row.readAs.empty()) {
      EXPECT_EQ(listed.output, row.readAs + "\n");
      EXPECT_EQ(warnings, "");
    } else if (row.refusal.listing.empty()) {
      EXPECT_EQ(listed.output, row.name + "\n");
      EXPECT_EQ(warnings, "");
    } else {
      EXPECT_EQ(listed.output, "");
      EXPECT_EQ(warnings,
                "169: Konto „" + row.name + "“ ausgelassen: " + row.refusal.listing + "\n");
    }

    const CommandResult booked = Book(row.name);
    if (row.refusal.booking.empty()) {
      EXPECT_EQ(booked.status, 0) << booked.output;
      EXPECT_EQ(booked.output, "");
    } else {
      EXPECT_EQ(booked.status, 1);
      EXPECT_EQ(booked.output, refused + row.refusal.booking + ": " + row.name + "\n");
      EXPECT_EQ(folder_.Read("main.journal"), declaration);
    }

    // Told from what the scripts did, not from the row.
    const bool withSeparator = row.name.find(", ") != std::string::npos;
    EXPECT_EQ(offered == row.name, booked.status == 0 && !withSeparator);

    if (booked.status == 0) {
      // The account that hledger declares is the one that the booking's posting goes to: the
      // booking uses it and "Unbekannt", the other side, and no third account.
      std::vector<std::string> expected = Hledger("accounts --declared");
      expected.push_back("Unbekannt");
      std::vector<std::string> used = Hledger("accounts --used");
      std::sort(expected.begin(), expected.end());
      std::sort(used.begin(), used.end());
      EXPECT_EQ(used, expected);
    }
    if (!offered.empty() && offered != row.name) {
      // What the list offers instead, a booking takes too.
      folder_.Write("main.journal", declaration);
      const CommandResult bookedAsOffered = Book(offered);
      EXPECT_EQ(bookedAsOffered.status, 0) << bookedAsOffered.output;
    }
  }
}

}  // namespace
}  // namespace valtaro
