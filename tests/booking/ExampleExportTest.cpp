// The bundled example export, loaded and sent as the program does it, through the real scripts
// into a copy of the example journal; then the ledger tools read the result.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "booking/BookingConversion.h"
#include "booking/Laden.h"
#include "framework/display/RecordingDisplay.h"
#include "framework/script/ProcessScriptHost.h"
#include "support/TempFolder.h"

namespace valtaro {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct CommandResult {
  int status = -1;
  std::string output;
};

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, n);
  }
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool Installed(const std::string& program) {
  return RunCommand("command -v " + program).status == 0;
}

TEST(ExampleExport, IsBookedWholeIntoTheJournalAndBalances) {
  if (!Installed("hledger") || !Installed("ledger")) GTEST_SKIP() << "hledger or ledger missing";
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
  const CommandResult check = RunCommand("hledger -f " + journal + " check");
  EXPECT_EQ(check.status, 0) << check.output;
  const CommandResult count = RunCommand("hledger -f " + journal + " print | grep -c '^20'");
  EXPECT_EQ(count.output, "12\n");
  const CommandResult giro = RunCommand("hledger -f " + journal + " bal Girokonto -N");
  EXPECT_THAT(giro.output, HasSubstr("439.16  Girokonto"));
  const CommandResult unknown = RunCommand("hledger -f " + journal + " reg Unbekannt");
  EXPECT_EQ(std::count(unknown.output.begin(), unknown.output.end(), '\n'), 12) << unknown.output;
  const CommandResult balance = RunCommand("ledger -f " + journal + " bal");
  EXPECT_EQ(balance.status, 0) << balance.output;
  EXPECT_THAT(balance.output, HasSubstr("--------------------\n                   0\n"));

  const CommandResult first = RunCommand("hledger -f " + journal + " print desc:Stadtwerke");
  EXPECT_THAT(first.output, HasSubstr("2024-01-02=2024-01-02 Stadtwerke Musterstadt GmbH\n"));
  EXPECT_THAT(first.output, HasSubstr("; Strom\n"));
  EXPECT_THAT(first.output, HasSubstr("; Abschlag Januar\n"));
  EXPECT_THAT(first.output, HasSubstr("; Kundennr. 4711\n"));
  EXPECT_THAT(first.output, HasSubstr("Unbekannt"));
  EXPECT_THAT(first.output, HasSubstr("84.00"));
}

}  // namespace
}  // namespace valtaro
