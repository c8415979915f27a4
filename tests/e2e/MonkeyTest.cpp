// The built program driven by random keys from fixed seeds: whatever the keys, it ends by itself
// (Ctrl+Q, "Beenden" or the end of the keys), with status 0, hands the terminal back and leaves no
// sanitizer report.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "e2e/ProgramRun.h"
#include "support/TempFolder.h"

namespace e2e {
namespace {

// Keys whose meaning does not hang on timing: no lone Esc, whose end the display tells by a pause.
const std::array<std::string, 16> kKeys = {
    "\t",     "\x1b[Z",   "\r",     "\n",
    " ",      "\x1b[A",   "\x1b[B", "\x1b[C",
    "\x1b[D", "\x1b[21~", "\x7f",   "export.csv",
    "/",      ".",        "a",      "\t\t\rexport.csv\r\x1b[Z\r"};

std::string RandomKeys(unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> pick(0, kKeys.size() - 1);
  std::string keys;
  for (int i = 0; i < 40; ++i) keys += kKeys[pick(random)];
  return keys;
}

TEST(MonkeyTest, RandomKeysEndTheProgramCleanly) {
  if (!std::filesystem::exists(Executable())) GTEST_SKIP() << "no executable built";
  const std::string examples = std::string(VALTARO_SOURCE_DIR) + "/examples/";
  for (unsigned seed = 1; seed <= 6; ++seed) {
    testsupport::TempFolder folder;
    const std::string journal = folder.PathOf("ledger.journal");
    std::filesystem::copy_file(examples + "example.journal", journal);
    std::filesystem::copy_file(examples + "export.csv", folder.PathOf("export.csv"));

    const RunResult run =
        RunProgram(Executable(), folder.PathOf(""), journal, {{RandomKeys(seed), 300}});
    EXPECT_EQ(run.status, 0) << "seed " << seed;
    EXPECT_EQ(run.errors.find("Sanitizer"), std::string::npos) << "seed " << seed << run.errors;
    EXPECT_EQ(run.errors.find("runtime error"), std::string::npos) << "seed " << seed << run.errors;
    EXPECT_TRUE(run.output.ends_with("\x1b[?1049l"))
        << "seed " << seed << ": terminal not restored";
  }
}

}  // namespace
}  // namespace e2e
