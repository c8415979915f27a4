// The set-up scripts as files, and what the README tells a person setting the project up.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "setup/Checkout.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace setuptest {
namespace {

using ::testing::HasSubstr;
using testsupport::CommandResult;
using testsupport::RunCommand;

const char* const kSetUpScripts[] = {
    "install-packages.sh", "prepare-folder.sh", "run.sh", "test.sh",
    "bench/run",           "fuzz/run",          ".ci/run"};

TEST(SetUpScripts, ShellcheckFindsNothing) {
  const auto shellcheck = testsupport::FindProgram("shellcheck");
  ASSERT_TRUE(shellcheck) << testsupport::kMissingTool;
  std::string command = shellcheck->string() + " -s sh";
  for (const char* name : kSetUpScripts) command += " " + ShellQuote((kSource / name).string());
  command += " " + ShellQuote((kSource / "shell-quote.sh").string());
  const CommandResult result = RunCommand(command);
  EXPECT_EQ(result.status, 0) << result.output;
}

TEST(SetUpScripts, AreExecutable) {
  for (const char* name : kSetUpScripts) {
    const fs::perms perms = fs::status(kSource / name).permissions();
    EXPECT_NE(perms & fs::perms::owner_exec, fs::perms::none) << name;
  }
}

// The README's section "What it does not do", up to the next heading.
std::string WhatItDoesNotDo() {
  const std::string readme = ReadText(kSource / "README.md");
  const std::string heading = "## What it does not do\n";
  const std::size_t start = readme.find(heading);
  if (start == std::string::npos) return "";
  const std::size_t end = readme.find("\n## ", start + heading.size());
  return readme.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Line breaks in the README's prose are not part of what it says.
std::string Unwrapped(std::string text) {
  std::string joined;
  bool blank = false;
  for (const char c : text) {
    const bool space = c == ' ' || c == '\n';
    if (space && blank) continue;
    joined += space ? ' ' : c;
    blank = space;
  }
  return joined;
}

TEST(Readme, SaysWhichEncodingTheExportMustHave) {
  const std::string section = Unwrapped(WhatItDoesNotDo());
  EXPECT_THAT(section, HasSubstr("ISO Latin-1"));
  EXPECT_THAT(section, HasSubstr("saved as UTF-8"));
  EXPECT_THAT(section, HasSubstr("\"Begünstigter/Absender - Name\""));
  EXPECT_THAT(section, HasSubstr("iconv -f UTF-8 -t ISO-8859-1"));
}

TEST(Readme, SaysThatASemicolonInsideQuotesSeparatesFields) {
  EXPECT_THAT(Unwrapped(WhatItDoesNotDo()),
              HasSubstr("every \";\" separates fields, also one inside quotes"));
}

// The command that the README gives turns the example export, saved as UTF-8, back into the
// very bytes that the program reads.
TEST(Readme, ConversionItGivesRestoresTheExport) {
  const std::string section = WhatItDoesNotDo();
  const std::size_t start = section.find("`iconv ");
  ASSERT_NE(start, std::string::npos);
  const std::size_t end = section.find('`', start + 1);
  ASSERT_NE(end, std::string::npos);
  const std::string command = section.substr(start + 1, end - start - 1);
  ASSERT_EQ(command, "iconv -f UTF-8 -t ISO-8859-1 export.csv > export-latin1.csv");

  testsupport::TempFolder folder;
  const std::string original = (kSource / "examples" / "export.csv").string();
  const CommandResult saved = RunCommand("iconv -f ISO-8859-1 -t UTF-8 " + ShellQuote(original) +
                                         " >" + ShellQuote(folder.PathOf("export.csv")));
  ASSERT_EQ(saved.status, 0) << saved.output;
  ASSERT_NE(folder.Read("export.csv"), ReadText(original));
  const CommandResult back =
      RunCommand("cd " + ShellQuote(folder.Path().string()) + " && " + command);
  ASSERT_EQ(back.status, 0) << back.output;
  EXPECT_EQ(folder.Read("export-latin1.csv"), ReadText(original));
}

}  // namespace
}  // namespace setuptest
