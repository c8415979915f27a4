// run.sh and test.sh on a copy of the checkout, with stand-ins for the build (see Checkout.h):
// started from another folder, also through symbolic links, in a checkout that was moved after it
// had been built, and with a folder that they cannot write.
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "setup/Checkout.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace setuptest {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testsupport::CommandResult;
using testsupport::RunCommand;

// Runs `script` of `checkout` from the folder `from`, with input closed and the stand-ins first
// on PATH; `prefix` goes before it (to run it as another user).
CommandResult RunScript(const fs::path& from, const fs::path& script, const std::string& arguments,
                        const StandInTools& tools, const std::string& prefix = "") {
  return RunCommand("cd " + ShellQuote(from.string()) + " && " + prefix +
                    " env PATH=" + ShellQuote(tools.Bin().string()) + ":\"$PATH\" sh " +
                    ShellQuote(script.string()) + " " + arguments + " </dev/null");
}

std::vector<std::string> LinesAfter(const std::string& output, const std::string& start) {
  std::vector<std::string> lines;
  std::stringstream text(output);
  for (std::string line; std::getline(text, line);) {
    if (line.starts_with(start)) lines.push_back(line.substr(start.size()));
  }
  return lines;
}

// A symbolic link that a person puts somewhere, e.g. ~/bin/valtaro.
struct Link {
  std::string at;  // below the test's folder
  std::string to;  // as the link holds it; below the test's folder when `absolute`
  bool absolute;
};

struct StartCase {
  const char* name;
  std::vector<Link> links;  // made in this order
  std::string started;      // run.sh or a link to it, below the test's folder
  bool absolute;            // started by its absolute path, else by one relative to "anderswo"
};

void PrintTo(const StartCase& c, std::ostream* out) {
  *out << (c.absolute ? "/…/" : "../") << c.started;
}

class RunFromAnotherFolder : public ::testing::TestWithParam<StartCase> {};

TEST_P(RunFromAnotherFolder, PrintedLookUpCommandsWorkThere) {
  const StartCase& c = GetParam();
  ASSERT_TRUE(testsupport::FindProgram("hledger") && testsupport::FindProgram("ledger"))
      << testsupport::kMissingTool;
  testsupport::TempFolder folder;
  // A folder name that needs quoting twice over: a blank and a quote.
  const fs::path checkout = folder.Path() / "Annas 'valtaro'";
  CopyCheckout(checkout);
  fs::create_directory(folder.Path() / "anderswo");
  for (const Link& link : c.links) {
    fs::create_directories((folder.Path() / link.at).parent_path());
    fs::create_symlink(link.absolute ? folder.Path() / link.to : fs::path(link.to),
                       folder.Path() / link.at);
  }
  const StandInTools tools(folder.Path() / "tools");

  const CommandResult run =
      RunScript(folder.Path() / "anderswo",
                c.absolute ? folder.Path() / c.started : fs::path("..") / c.started, "", tools);
  ASSERT_EQ(run.status, 0) << run.output;
  // The journal in the checkout, by an absolute path: through a link it is the one without links.
  const std::vector<std::string> journal = LinesAfter(run.output, "Valtaro-Import läuft mit ");
  ASSERT_EQ(journal.size(), 1u) << run.output;
  EXPECT_TRUE(fs::path(journal[0]).is_absolute()) << journal[0];
  EXPECT_TRUE(fs::equivalent(journal[0], checkout / ".run" / "ledger.journal")) << journal[0];

  const std::vector<std::string> commands = LinesAfter(run.output, "Ansehen mit: ");
  ASSERT_EQ(commands.size(), 2u) << run.output;
  for (const std::string& command : commands) {
    // Each shows the booking that the stand-in program made.
    const CommandResult look =
        RunCommand("cd " + ShellQuote((folder.Path() / "anderswo").string()) + " && " + command);
    EXPECT_EQ(look.status, 0) << command << "\n" << look.output;
    EXPECT_THAT(look.output, HasSubstr("Girokonto")) << command;
    EXPECT_THAT(look.output, HasSubstr("-12.5")) << command;
  }
}

// By its path, and through a link as a person puts one into ~/bin: one that names run.sh by its
// absolute path, one that names it relative to the link's own folder (which lies deeper than
// "anderswo", so that the same path taken from there misses), and one that leads to another link,
// which lies in a folder without the checkout's other scripts.
INSTANTIATE_TEST_SUITE_P(
    Starts, RunFromAnotherFolder,
    ::testing::Values(StartCase{"ByPath", {}, "Annas 'valtaro'/run.sh", false},
                      StartCase{"AbsoluteLink",
                                {{"Annas home/bin/valtaro", "Annas 'valtaro'/run.sh", true}},
                                "Annas home/bin/valtaro",
                                true},
                      StartCase{"RelativeLink",
                                {{"Annas home/bin/valtaro", "../../Annas 'valtaro'/run.sh", false}},
                                "Annas home/bin/valtaro",
                                false},
                      StartCase{"LinkToLink",
                                {{"links/run.sh", "Annas 'valtaro'/run.sh", true},
                                 {"Annas home/bin/valtaro", "../../links/run.sh", false}},
                                "Annas home/bin/valtaro",
                                true}),
    [](const ::testing::TestParamInfo<StartCase>& row) { return row.param.name; });

// test.sh through a relative link to an absolute one builds and tests in the checkout.
TEST(TestFromAnotherFolder, ThroughLinksBuildsInTheCheckout) {
  testsupport::TempFolder folder;
  const fs::path checkout = folder.Path() / "Annas 'valtaro'";
  CopyCheckout(checkout);
  fs::create_directories(folder.Path() / "anderswo");
  fs::create_directories(folder.Path() / "links");
  fs::create_directories(folder.Path() / "Annas home" / "bin");
  fs::create_symlink(checkout / "test.sh", folder.Path() / "links" / "test.sh");
  fs::create_symlink("../../links/test.sh", folder.Path() / "Annas home" / "bin" / "valtaro-tests");
  const StandInTools tools(folder.Path() / "tools");

  const CommandResult run =
      RunScript(folder.Path() / "anderswo", "../Annas home/bin/valtaro-tests", "", tools);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(fs::exists(checkout / "build" / "CMakeCache.txt")) << run.output;
  EXPECT_THAT(tools.Calls(), HasSubstr("ctest --test-dir build"));
}

struct BuildFolderCase {
  const char* name;
  std::string script;
  std::string arguments;
  std::string folder;  // the folder that the case is about
};

void PrintTo(const BuildFolderCase& c, std::ostream* out) {
  *out << c.script << (c.arguments.empty() ? "" : " ") << c.arguments << " (" << c.folder << ")";
}

class MovedCheckoutTest : public ::testing::TestWithParam<BuildFolderCase> {};

// The checkout is built (configured by the real cmake), then moved elsewhere: the cache names the
// old place, which CMake refuses.
TEST_P(MovedCheckoutTest, BuildsAnewAndGoesOn) {
  const BuildFolderCase& c = GetParam();
  testsupport::TempFolder folder;
  const fs::path before = folder.Path() / "vorher";
  const fs::path after = folder.Path() / "nachher";
  CopyCheckout(before);
  const auto cmake = testsupport::FindProgram("cmake");
  ASSERT_TRUE(cmake);
  const CommandResult configured =
      RunCommand(ShellQuote(cmake->string()) + " -S " + ShellQuote(before.string()) + " -B " +
                 ShellQuote((before / c.folder).string()) + " -DVALTARO_TESTS=OFF");
  ASSERT_EQ(configured.status, 0) << configured.output;
  fs::rename(before, after);
  const StandInTools tools(folder.Path() / "tools");

  const CommandResult run = RunScript(folder.Path(), after / c.script, c.arguments, tools);
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_THAT(run.output, HasSubstr((after / c.folder).string()));
  EXPECT_THAT(ReadText(after / c.folder / "CMakeCache.txt"),
              HasSubstr("CMAKE_HOME_DIRECTORY:INTERNAL=" + after.string() + "\n"));
  if (c.script == "run.sh") {
    EXPECT_THAT(run.output, HasSubstr("Valtaro-Import läuft"));
  } else {
    EXPECT_THAT(tools.Calls(), HasSubstr("ctest --test-dir " + c.folder));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, MovedCheckoutTest,
    ::testing::Values(BuildFolderCase{"RunSh", "run.sh", "", "build"},
                      BuildFolderCase{"TestSh", "test.sh", "", "build"},
                      BuildFolderCase{"TestShSanitize", "test.sh", "--sanitize", "build-sanitize"}),
    [](const ::testing::TestParamInfo<BuildFolderCase>& row) { return row.param.name; });

// Hands everything below `path` to the user `uid`.
void ChownAll(const fs::path& path, uid_t uid, gid_t gid) {
  ASSERT_EQ(::lchown(path.c_str(), uid, gid), 0) << path;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path)) {
    ASSERT_EQ(::lchown(entry.path().c_str(), uid, gid), 0) << entry.path();
  }
}

class UnwritableFolderTest : public ::testing::TestWithParam<BuildFolderCase> {};

// The folder (and a file in it) as "sudo ./run.sh" leaves it for a user who is not root. Root
// writes anything that permissions guard, so when the tests run as root the script runs as the
// user "nobody", in a checkout that belongs to nobody, with the folder left to root; otherwise the
// folder is made read-only for its owner, the user running the tests.
TEST_P(UnwritableFolderTest, NamesTheFolderAndTheMend) {
  const BuildFolderCase& c = GetParam();
  testsupport::TempFolder folder;
  const fs::path checkout = folder.Path() / "mein valtaro";
  CopyCheckout(checkout);
  const StandInTools tools(folder.Path() / "tools");
  const fs::path blocked = checkout / c.folder;
  fs::create_directory(blocked);
  const std::string kept = "aus einem früheren Lauf\n";
  { std::ofstream(blocked / "build.log") << kept; }

  std::string prefix;
  std::string mend;
  if (::geteuid() == 0) {
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    ASSERT_TRUE(testsupport::FindProgram("setpriv")) << "setpriv (util-linux) is missing";
    ChownAll(folder.Path(), nobody->pw_uid, nobody->pw_gid);
    ChownAll(blocked, 0, 0);
    fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    prefix = "setpriv --reuid=" + std::to_string(nobody->pw_uid) +
             " --regid=" + std::to_string(nobody->pw_gid) + " --clear-groups";
    mend = "sudo chown -R nobody " + ShellQuote(blocked.string());
  } else {
    fs::permissions(blocked, fs::perms::owner_read | fs::perms::owner_exec);
    mend = "chmod -R u+rwX " + ShellQuote(blocked.string());
  }

  const CommandResult run =
      RunScript(folder.Path(), checkout / c.script, c.arguments, tools, prefix);
  fs::permissions(blocked, fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_THAT(run.output, HasSubstr(blocked.string()));
  EXPECT_THAT(run.output, HasSubstr("Abhilfe: " + mend));
  // It stops before building, and shows no old build log as if it were new.
  EXPECT_EQ(tools.Calls(), "");
  EXPECT_THAT(run.output, Not(HasSubstr(kept)));
  EXPECT_THAT(run.output, Not(HasSubstr("Der Bau ist fehlgeschlagen")));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, UnwritableFolderTest,
    ::testing::Values(BuildFolderCase{"RunShData", "run.sh", "", ".run"},
                      BuildFolderCase{"RunShBuild", "run.sh", "", "build"},
                      BuildFolderCase{"TestSh", "test.sh", "", "build"},
                      BuildFolderCase{"TestShSanitize", "test.sh", "--sanitize", "build-sanitize"}),
    [](const ::testing::TestParamInfo<BuildFolderCase>& row) { return row.param.name; });

TEST(RunWithRunFolderAsFile, NamesItAndTheMend) {
  testsupport::TempFolder folder;
  const fs::path checkout = folder.Path() / "valtaro";
  CopyCheckout(checkout);
  const StandInTools tools(folder.Path() / "tools");
  std::ofstream(checkout / ".run") << "kein Ordner\n";

  const CommandResult run = RunScript(folder.Path(), checkout / "run.sh", "", tools);
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_THAT(run.output, HasSubstr((checkout / ".run").string() + " ist kein Ordner"));
  EXPECT_THAT(run.output, HasSubstr("mv " + (checkout / ".run").string()));
  EXPECT_EQ(tools.Calls(), "");
}

}  // namespace
}  // namespace setuptest
