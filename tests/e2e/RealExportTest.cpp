// A bank export as a German home-finance program writes it (ISO Latin-1, CR LF line ends,
// thousands points, an empty row and an empty last line, the columns under their real names),
// imported by the built program through the real scripts into a temporary journal; then the
// ledger tools read the journal, and its totals are those that the export states.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/ProgramRun.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace e2e {
namespace {

using namespace keys;
using testing::HasSubstr;

const std::string kExportName = "kontoumsaetze.csv";

std::string Fixture(const std::string& name) {
  return std::string(VALTARO_SOURCE_DIR) + "/tests/e2e/fixtures/" + name;
}

// The fields of each line of the export, quotes taken out; lines without any field text (the
// empty row, the empty last line) are left out. The header comes first.
std::vector<std::vector<std::string>> Rows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::vector<std::string> fields(1);
    bool content = false;
    for (std::size_t i = start; i < end; ++i) {
      if (text[i] == ';') {
        fields.emplace_back();
      } else if (text[i] != '"') {
        fields.back() += text[i];
        content = true;
      }
    }
    if (content) rows.push_back(fields);
    start = end + 2;
  }
  return rows;
}

// A German amount ("-12.345,67", "-7,5", "0,12") in hundredths.
long long Hundredths(const std::string& amount) {
  long long value = 0;
  int decimals = -1;
  for (const char c : amount) {
    if (c == ',') decimals = 0;
    if (c < '0' || c > '9') continue;
    value = value * 10 + (c - '0');
    if (decimals >= 0) ++decimals;
  }
  for (; decimals < 2; ++decimals) value *= 10;
  return amount.starts_with("-") ? -value : value;
}

// Hundredths as the ledger tools print them: "-10111.28".
std::string Decimal(long long hundredths) {
  const long long magnitude = hundredths < 0 ? -hundredths : hundredths;
  const std::string cents = std::to_string(magnitude % 100);
  return (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
         (cents.size() < 2 ? "0" : "") + cents;
}

std::size_t Column(const std::vector<std::string>& header, const std::string& name) {
  return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
}

testsupport::CommandResult Tool(const std::string& tool, const std::string& journal,
                                const std::string& arguments) {
  return testsupport::RunCommand(tool + " -f '" + journal + "' " + arguments);
}

TEST(RealExport, IsBookedWholeAndTheLedgerToolsAgreeWithItsTotals) {
  if (!std::filesystem::exists(Executable())) GTEST_SKIP() << "no executable built";
  ASSERT_TRUE(testsupport::FindProgram("hledger") && testsupport::FindProgram("ledger"))
      << testsupport::kMissingTool;
  testsupport::TempFolder folder;
  const std::string journal = folder.PathOf("ledger.journal");
  std::filesystem::copy_file(std::string(VALTARO_SOURCE_DIR) + "/examples/example.journal",
                             journal);
  std::filesystem::copy_file(Fixture(kExportName), folder.PathOf(kExportName));

  // From "Beenden" back to "Datei auswählen", the export chosen by its name; back to "An Ledrino
  // senden" and sent to the first account, "Girokonto"; the confirmation dismissed.
  const RunResult run = RunProgram(Executable(), folder.PathOf(""), journal,
                                   {{kBackTab},
                                    {kBackTab},
                                    {kEnter},
                                    {kExportName},
                                    {kEnter},
                                    {kBackTab},
                                    {kEnter},
                                    {kEnter},
                                    {kCtrlQ}});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.Showed("Script ausgeführt"));
  EXPECT_FALSE(run.Showed("Unbehandelte Ausnahme"));

  // What the export states: its amounts, and the balance before its first row and after its last.
  const auto rows = Rows(ReadFile(Fixture(kExportName)));
  ASSERT_GE(rows.size(), 2u);
  const std::size_t betrag = Column(rows[0], "Betrag");
  const std::size_t saldo = Column(rows[0], "Saldo");
  long long total = 0;
  for (std::size_t r = 1; r < rows.size(); ++r) total += Hundredths(rows[r].at(betrag));
  const long long before = Hundredths(rows[1].at(saldo)) - Hundredths(rows[1].at(betrag));
  ASSERT_EQ(Hundredths(rows.back().at(saldo)) - before, total);
  const std::size_t bookings = rows.size() - 1;

  const testsupport::CommandResult strict = Tool("hledger", journal, "check -s");
  EXPECT_EQ(strict.status, 0) << strict.output;
  const testsupport::CommandResult count = Tool("hledger", journal, "print | grep -c '^20'");
  EXPECT_EQ(count.output, std::to_string(bookings) + "\n");
  const testsupport::CommandResult hledger = Tool("hledger", journal, "bal --flat");
  EXPECT_EQ(hledger.status, 0) << hledger.output;
  EXPECT_THAT(hledger.output, HasSubstr(" " + Decimal(total) + "  Girokonto\n"));
  EXPECT_THAT(hledger.output, HasSubstr(" " + Decimal(-total) + "  Unbekannt\n"));
  const testsupport::CommandResult ledger = Tool("ledger", journal, "bal");
  EXPECT_EQ(ledger.status, 0) << ledger.output;
  EXPECT_THAT(ledger.output, HasSubstr(" " + Decimal(total) + "  Girokonto\n"));
  EXPECT_THAT(ledger.output, HasSubstr(" " + Decimal(-total) + "  Unbekannt\n"));
  EXPECT_THAT(ledger.output, HasSubstr("--------------------\n                   0\n"));

  // Umlauts arrive as they were meant, in every field that the journal keeps.
  const testsupport::CommandResult car = Tool("hledger", journal, "print desc:Autohaus");
  EXPECT_THAT(car.output, HasSubstr("2024-01-10=2024-01-11 Autohaus Groß GmbH\n"));
  EXPECT_THAT(car.output, HasSubstr("    ; Kauf\n    ; Kaufpreis Gebrauchtwagen\n"));
  EXPECT_THAT(car.output, HasSubstr("    Unbekannt        12345.67\n"));
  const testsupport::CommandResult cafe = Tool("hledger", journal, "print desc:Café");
  EXPECT_THAT(cafe.output, HasSubstr("2024-01-20=2024-01-20 Café am Fluß\n    ; Café\n"));
}

}  // namespace
}  // namespace e2e
