// The built program, run with keys piped into it, the real scripts and a temporary journal.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/ProgramRun.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace e2e {
namespace {

using namespace keys;

std::string Example(const std::string& name) {
  return std::string(VALTARO_SOURCE_DIR) + "/examples/" + name;
}

// The transactions of `hledger print`, one text each.
std::vector<std::string> Transactions(const std::string& printed) {
  std::vector<std::string> blocks;
  std::string block;
  std::size_t start = 0;
  while (start <= printed.size()) {
    std::size_t end = printed.find('\n', start);
    if (end == std::string::npos) end = printed.size();
    const std::string line = printed.substr(start, end - start);
    if (line.empty()) {
      if (!block.empty()) blocks.push_back(block);
      block.clear();
    } else {
      block += line + "\n";
    }
    start = end + 1;
  }
  return blocks;
}

class ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(Executable())) GTEST_SKIP() << "no executable built";
    journal = folder.PathOf("ledger.journal");
    std::filesystem::copy_file(Example("example.journal"), journal);
    std::filesystem::copy_file(Example("export.csv"), folder.PathOf("export.csv"));
  }
  RunResult RunWith(const std::vector<Step>& steps,
                    const std::function<void(std::size_t)>& between = {}) {
    return RunProgram(Executable(), folder.PathOf(""), journal, steps, between);
  }
  std::size_t DataLines() const {
    const std::string text = ReadFile(folder.PathOf("export.csv"));
    std::size_t lines = 0;
    for (const char c : text) lines += c == '\n' ? 1 : 0;
    return lines - 1;
  }

  testsupport::TempFolder folder;
  std::string journal;
};

// From the start (the focus on "Beenden"): Tab to the popup (TabIndex 0, 1, 2, 9), its second
// row; from the popup back to "Datei auswählen", the example's name typed; back to "An Ledrino
// senden".
const std::vector<Step> kChooseSecondAccount = {{kTab},   {kTab},  {kTab},
                                                {kEnter}, {kDown}, {kEnter}};
const std::vector<Step> kChooseExport = {{kBackTab}, {kEnter}, {"export.csv"}, {kEnter}};
const std::vector<Step> kSend = {{kBackTab}, {kEnter, 2000}};

std::vector<Step> Join(std::initializer_list<std::vector<Step>> parts) {
  std::vector<Step> steps;
  for (const auto& part : parts) steps.insert(steps.end(), part.begin(), part.end());
  return steps;
}

TEST_F(ProgramTest, ImportsTheExampleOnTheSecondAccountAndQuits) {
  const RunResult run =
      RunWith(Join({kChooseSecondAccount, kChooseExport, kSend, {{kEnter}, {kCtrlQ}}}));
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.Showed("Valtaro-Import v1.02"));
  EXPECT_TRUE(run.Showed("Konto in Ledrino Kontenmappe:  Sparkonto"));
  EXPECT_TRUE(run.Showed("[ Datei auswählen ]    export.csv"));
  EXPECT_TRUE(run.Showed("Script ausgeführt"));

  ASSERT_TRUE(testsupport::FindProgram("hledger")) << testsupport::kMissingTool;
  const testsupport::CommandResult print =
      testsupport::RunCommand("hledger -f '" + journal + "' print");
  ASSERT_EQ(print.status, 0) << print.output;
  const std::string& printed = print.output;
  const std::vector<std::string> transactions = Transactions(printed);
  EXPECT_EQ(transactions.size(), DataLines()) << printed;
  for (const std::string& transaction : transactions) {
    EXPECT_NE(transaction.find("    Sparkonto"), std::string::npos) << transaction;
  }
}

TEST_F(ProgramTest, WithoutAccountsTheMessageShowsAndTheProgramEndsWithZero) {
  { std::ofstream(journal, std::ios::trunc) << "; ein Journal ohne Konten\n"; }
  const RunResult run = RunWith({{kEnter}});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.Showed("Zuerst bitte Ledrino Professional starten"));
}

TEST_F(ProgramTest, TheMessagesOfASend) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool removeExportAfterChoosing;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"keine Datei", {{kTab}, {kEnter}}, false, "Zuerst Datei auswählen"},
      {"Datei weg", Join({kChooseSecondAccount, kChooseExport, kSend}), true,
       "Zuerst Datei auswählen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::copy_file(Example("export.csv"), folder.PathOf("export.csv"),
                               std::filesystem::copy_options::overwrite_existing);
    const std::string before = ReadFile(journal);
    std::vector<Step> steps = c.steps;
    steps.push_back({kEnter});  // dismisses the message
    steps.push_back({kCtrlQ});
    const std::size_t chosenAt = c.steps.size() - kSend.size() - 1;
    const RunResult run = RunWith(steps, [&](std::size_t step) {
      if (c.removeExportAfterChoosing && step == chosenAt) {
        std::filesystem::remove(folder.PathOf("export.csv"));
      }
    });
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(run.Showed(c.message));
    EXPECT_FALSE(run.Showed("Script ausgeführt"));
    EXPECT_EQ(ReadFile(journal), before);  // nothing booked
    std::filesystem::copy_file(Example("example.journal"), journal,
                               std::filesystem::copy_options::overwrite_existing);
  }
}

TEST_F(ProgramTest, AMissingFileTypedInTheDialogIsReportedByLoading) {
  const RunResult run =
      RunWith({{kTab}, {kTab}, {kEnter}, {"fehlt.csv"}, {kEnter}, {kEnter}, {kCtrlQ}});
  EXPECT_EQ(run.status, 0) << run.errors;
  // "Datei " + the full path + " ist nicht vorhanden", wrapped in the message box.
  EXPECT_TRUE(run.Showed("fehlt.csv"));
  EXPECT_TRUE(run.Showed("vorhanden"));
}

TEST_F(ProgramTest, ACancelledOpenDialogChoosesNothing) {
  const RunResult run =
      RunWith({{kTab}, {kTab}, {kEnter}, {kEsc, 300}, {kBackTab}, {kEnter}, {kEnter}, {kCtrlQ}});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.Showed("Datei öffnen"));
  EXPECT_TRUE(run.Showed("Zuerst Datei auswählen"));
}

TEST_F(ProgramTest, ABookingTheScriptRefusesIsReportedAndTheProgramGoesOn) {
  // A point that groups no thousands makes the amount unreadable for the booking script.
  std::string text = ReadFile(Example("export.csv"));
  const std::size_t header = text.find('\n') + 1;
  const std::string line =
      "\"DE12\";\"01.03.2024\";\"01.03.2024\";\"Autohaus\";\"-1.23,45\";\"EUR\";\"Auto\";\"\";"
      "\"Kauf\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n";
  text.insert(header, line);
  { std::ofstream(folder.PathOf("export.csv"), std::ios::binary | std::ios::trunc) << text; }
  const std::string before = ReadFile(journal);
  const RunResult run = RunWith(Join({{{kBackTab}}, kChooseExport, kSend, {{kEnter}, {kCtrlQ}}}));
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.Showed("Unbehandelte Ausnahme"));
  EXPECT_TRUE(run.Showed("168"));
  EXPECT_TRUE(run.Showed("Autohaus"));  // the refusal names the booking
  EXPECT_FALSE(run.Showed("Script ausgeführt"));
  EXPECT_EQ(ReadFile(journal), before);  // the refused line came first: nothing booked
}

TEST_F(ProgramTest, AJournalThatWouldMisreadTheAmountsIsReportedAndNothingIsBooked) {
  // hledger would read every amount that the import writes without a symbol a hundred times too
  // large with this default commodity.
  {
    std::ofstream(journal, std::ios::trunc)
        << "D 1.000,00 EUR\naccount Girokonto\naccount Sparkonto\naccount Unbekannt\n";
  }
  const std::string before = ReadFile(journal);
  const RunResult run =
      RunWith(Join({{{kEnter}}, kChooseSecondAccount, kChooseExport, kSend, {{kEnter}, {kCtrlQ}}}));
  EXPECT_EQ(run.status, 0) << run.errors;
  // The reason stands in the report of the failed script run, wrapped in its message box.
  EXPECT_TRUE(run.Showed("Unbehandelte Ausnahme"));
  EXPECT_TRUE(run.Showed("Script 169"));
  EXPECT_TRUE(run.Showed("Dezimalkomma."));
  EXPECT_TRUE(run.Showed("hundertfach zu groß"));
  // The popup offers no account, so the send asks for one and books nothing.
  EXPECT_TRUE(run.Showed("Zuerst Kontonamen eingeben!"));
  EXPECT_FALSE(run.Showed("Script ausgeführt"));
  EXPECT_EQ(ReadFile(journal), before);
}

}  // namespace
}  // namespace e2e
