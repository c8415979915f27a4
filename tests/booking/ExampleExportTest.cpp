// The bundled example export, loaded and sent as the program does it, through the real scripts
// into a copy of the example journal; then the ledger tools read the result.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "booking/BookingConversion.h"
#include "booking/Laden.h"
#include "framework/display/RecordingDisplay.h"
#include "framework/script/ProcessScriptHost.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace valtaro {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

using testsupport::FindProgram;
using testsupport::RunCommand;

TEST(ExampleExport, IsBookedWholeIntoTheJournalAndBalances) {
  ASSERT_TRUE(FindProgram("hledger") && FindProgram("ledger")) << testsupport::kMissingTool;
  testsupport::TempFolder folder;
  const std::string journal = folder.PathOf("example.journal");
  fs::copy_file(fs::path(VALTARO_SOURCE_DIR) / "examples/example.journal", journal);
  ::setenv("LEDGER_FILE", journal.c_str(), 1);

  fw::RecordingDisplay display;
  fw::ProcessScriptHost host(std::string(VALTARO_BINARY_DIR) + "/scripts");
  fw::SetScriptHost(&host);
  ImportState state;
  state.Init();
  state.f =
      std::make_shared<fw::FolderItem>(std::string(VALTARO_SOURCE_DIR) + "/examples/export.csv");
  Laden(state);
  buchung_erzeugen(state, [] { return fw::Text("Girokonto"); });
  fw::SetScriptHost(nullptr);
  ::unsetenv("LEDGER_FILE");

  EXPECT_TRUE(display.Messages().empty());
  EXPECT_EQ(state.anz_zeilen, 12);
  const testsupport::CommandResult check = RunCommand("hledger -f " + journal + " check");
  EXPECT_EQ(check.status, 0) << check.output;
  const testsupport::CommandResult strict = RunCommand("hledger -f " + journal + " check -s");
  EXPECT_EQ(strict.status, 0) << strict.output;
  const testsupport::CommandResult count =
      RunCommand("hledger -f " + journal + " print | grep -c '^20'");
  EXPECT_EQ(count.output, "12\n");
  const testsupport::CommandResult giro = RunCommand("hledger -f " + journal + " bal Girokonto -N");
  EXPECT_THAT(giro.output, HasSubstr("439.16  Girokonto"));
  const testsupport::CommandResult unknown = RunCommand("hledger -f " + journal + " reg Unbekannt");
  EXPECT_EQ(std::count(unknown.output.begin(), unknown.output.end(), '\n'), 12) << unknown.output;
  const testsupport::CommandResult balance = RunCommand("ledger -f " + journal + " bal");
  EXPECT_EQ(balance.status, 0) << balance.output;
  EXPECT_THAT(balance.output, HasSubstr("--------------------\n                   0\n"));

  const testsupport::CommandResult first =
      RunCommand("hledger -f " + journal + " print desc:Stadtwerke");
  EXPECT_THAT(first.output, HasSubstr("2024-01-02=2024-01-02 Stadtwerke Musterstadt GmbH\n"));
  EXPECT_THAT(first.output, HasSubstr("; Strom\n"));
  EXPECT_THAT(first.output, HasSubstr("; Abschlag Januar\n"));
  EXPECT_THAT(first.output, HasSubstr("; Kundennr. 4711\n"));
  EXPECT_THAT(first.output, HasSubstr("Unbekannt"));
  EXPECT_THAT(first.output, HasSubstr("84.00"));
}

}  // namespace
}  // namespace valtaro
