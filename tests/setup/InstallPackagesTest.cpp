// install-packages.sh on a small made-up machine: its PATH holds only stand-ins, the packages that
// it "has" are laid out from an archive of stand-in packages, and apt-get lays out more from the
// same archive. The stand-in compiler finds GoogleTest's headers and libraries only where such a
// package put them, and the stand-in clang++ 17 has its libFuzzer runtime only where its package
// did. dpkg-query, as on a machine whose tools came one by one, knows none of the packages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "setup/Checkout.h"
#include "support/Commands.h"
#include "support/TempFolder.h"

namespace setuptest {
namespace {

using ::testing::HasSubstr;

enum class Sudo { kNone, kFails, kWorks };

// What each stand-in package brings, as files below the machine's folder.
const std::map<std::string, std::vector<std::string>> kArchive = {
    {"g++", {"bin/c++"}},
    {"cmake", {"bin/cmake"}},
    {"ninja-build", {"bin/ninja"}},
    {"hledger", {"bin/hledger"}},
    {"ledger", {"bin/ledger"}},
    {"shellcheck", {"bin/shellcheck"}},
    {"libgtest-dev", {"include/gtest/gtest.h", "lib/libgtest.a"}},
    {"libgmock-dev", {"include/gmock/gmock.h", "lib/libgmock.a"}},
    {"clang", {"bin/clang++"}},
    {"libclang-rt-17-dev", {"clang/lib/linux/libclang_rt.fuzzer-x86_64.a"}},
};

std::vector<std::string> Everything() {
  std::vector<std::string> packages;
  for (const auto& [package, files] : kArchive) packages.push_back(package);
  return packages;
}

std::vector<std::string> EverythingBut(std::vector<std::string> left_out) {
  std::vector<std::string> packages = Everything();
  std::erase_if(packages, [&](const std::string& package) {
    return std::find(left_out.begin(), left_out.end(), package) != left_out.end();
  });
  return packages;
}

// A compiler that answers as the script asks it: a header check on standard input (-E), where
// any header of an #include or __has_include that is not there fails, and -print-file-name,
// which gives the name back unchanged where the library is not there.
std::string CompilerScript(const std::string& machine, const std::string& extra) {
  return "#!/bin/sh\n"
         "M=" +
         ShellQuote(machine) +
         "\n"
         "for arg; do\n"
         "  case $arg in\n" +
         extra +
         "    -print-file-name=*)\n"
         "      name=${arg#-print-file-name=}\n"
         "      if [ -f \"$M/lib/$name\" ]; then echo \"$M/lib/$name\"; else echo \"$name\"; fi\n"
         "      exit 0 ;;\n"
         "    -E)\n"
         "      while IFS= read -r line; do\n"
         "        case $line in\n"
         "          *'<'*'>'*) header=${line#*<}; header=${header%%>*}\n"
         "            [ -f \"$M/include/$header\" ] || exit 1 ;;\n"
         "        esac\n"
         "      done\n"
         "      exit 0 ;;\n"
         "  esac\n"
         "done\n";
}

class Machine {
 public:
  Machine(const std::vector<std::string>& installed, bool root, Sudo sudo) {
    const std::string m = folder_.Path().string();
    const std::string calls = ShellQuote(folder_.PathOf("calls"));
    const fs::path archive = folder_.Path() / "archive";
    for (const auto& [package, files] : kArchive) {
      for (const std::string& file : files) {
        std::string text = "#!/bin/sh\nexit 0\n";
        if (file == "bin/c++") text = CompilerScript(m, "");
        if (file == "bin/clang++") {
          text = CompilerScript(m,
                                "    -print-resource-dir) echo \"$M/clang\"; exit 0 ;;\n"
                                "    -dumpversion) echo 17.0.6; exit 0 ;;\n");
        }
        WriteScript(archive / package / file, text);
      }
    }
    const fs::path bin = folder_.Path() / "bin";
    WriteScript(bin / "id", std::string("#!/bin/sh\ncase $1 in -u) echo ") + (root ? "0" : "1000") +
                                " ;; *) echo " + (root ? "root" : "anna") + " ;; esac\n");
    WriteScript(bin / "dpkg-query",
                "#!/bin/sh\necho \"dpkg-query: no packages found matching build-essential\" >&2\n"
                "exit 1\n");
    WriteScript(bin / "apt-get",
                "#!/bin/sh\n"
                "M=" +
                    ShellQuote(m) +
                    "\n"
                    "printf 'apt-get %s\\n' \"$*\" >>" +
                    calls +
                    "\n"
                    "[ \"$1\" = install ] || exit 0\n"
                    "for package; do\n"
                    "  case $package in install | -*) continue ;; esac\n"
                    "  [ -d \"$M/archive/$package\" ] || { echo \"E: $package?\" >&2; exit 100; }\n"
                    "  /bin/cp -R \"$M/archive/$package/.\" \"$M/\"\n"
                    "done\n");
    if (sudo == Sudo::kFails) {
      WriteScript(bin / "sudo", "#!/bin/sh\nprintf 'sudo %s\\n' \"$*\" >>" + calls +
                                    "\necho 'sudo: a password is required' >&2\nexit 1\n");
    } else if (sudo == Sudo::kWorks) {
      WriteScript(bin / "sudo",
                  "#!/bin/sh\nprintf 'sudo %s\\n' \"$*\" >>" + calls + "\nexec \"$@\"\n");
    }
    for (const std::string& package : installed) {
      fs::copy(archive / package, folder_.Path(), fs::copy_options::recursive);
    }
  }

  testsupport::CommandResult Install(const std::string& environment,
                                     const std::string& groups) const {
    return testsupport::RunCommand(
        "env -i PATH=" + ShellQuote(folder_.PathOf("bin")) + " " + environment + " /bin/sh " +
        ShellQuote((kSource / "install-packages.sh").string()) + " " + groups);
  }

  // The calls of sudo and apt-get, in order.
  std::vector<std::string> Calls() const {
    std::vector<std::string> lines;
    std::stringstream text(folder_.Read("calls"));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

 private:
  testsupport::TempFolder folder_;
};

struct InstallCase {
  const char* name;
  std::string groups;
  std::vector<std::string> installed;  // the packages whose files the machine has
  bool root;
  Sudo sudo;
  std::string environment;
  int status;
  std::vector<std::string> calls;  // of sudo and apt-get, in order
  std::vector<std::string> said;   // texts that its messages hold
};

void PrintTo(const InstallCase& c, std::ostream* out) { *out << c.name; }

const std::string kInstall = "apt-get install -y --no-install-recommends ";

class InstallPackagesTest : public ::testing::TestWithParam<InstallCase> {};

TEST_P(InstallPackagesTest, InstallsOnlyForMissingTools) {
  const InstallCase& c = GetParam();
  const Machine machine(c.installed, c.root, c.sudo);
  const testsupport::CommandResult result = machine.Install(c.environment, c.groups);
  EXPECT_EQ(result.status, c.status) << result.output;
  EXPECT_EQ(machine.Calls(), c.calls) << result.output;
  for (const std::string& text : c.said) EXPECT_THAT(result.output, HasSubstr(text));
}

INSTANTIATE_TEST_SUITE_P(
    Machines, InstallPackagesTest,
    ::testing::Values(
        // The tools are there without the meta package that usually brings them: a user who may
        // not install anything goes on, and neither sudo nor apt-get is asked.
        InstallCase{"AllToolsThereForEveryGroup",
                    "program journal tests bench fuzz",
                    Everything(),
                    false,
                    Sudo::kFails,
                    "",
                    0,
                    {},
                    {}},
        InstallCase{"ProgramNeedsNeitherJournalToolsNorGoogleTest",
                    "program",
                    {"g++", "cmake", "ninja-build"},
                    false,
                    Sudo::kFails,
                    "",
                    0,
                    {},
                    {}},
        InstallCase{"JournalNeedsNoCompiler",
                    "journal",
                    {"hledger", "ledger"},
                    false,
                    Sudo::kFails,
                    "",
                    0,
                    {},
                    {}},
        InstallCase{"BenchNeedsNeitherJournalToolsNorShellcheck",
                    "bench",
                    {"g++", "cmake", "ninja-build", "libgtest-dev", "libgmock-dev"},
                    false,
                    Sudo::kFails,
                    "",
                    0,
                    {},
                    {}},
        InstallCase{
            "FuzzBuildsWithClangAlone",
            "fuzz",
            {"clang", "libclang-rt-17-dev", "cmake", "ninja-build", "libgtest-dev", "libgmock-dev"},
            false,
            Sudo::kFails,
            "",
            0,
            {},
            {}},
        // What is missing, and only that, is installed.
        InstallCase{"MissingToolWithSudo",
                    "program",
                    EverythingBut({"ninja-build"}),
                    false,
                    Sudo::kWorks,
                    "",
                    0,
                    {"sudo apt-get update", "apt-get update", "sudo " + kInstall + "ninja-build",
                     kInstall + "ninja-build"},
                    {"ninja (Paket ninja-build)"}},
        InstallCase{"MissingToolWithoutRootOrSudo",
                    "program",
                    EverythingBut({"ninja-build"}),
                    false,
                    Sudo::kNone,
                    "",
                    1,
                    {},
                    {"ninja (Paket ninja-build)", "apt-get install -y ninja-build"}},
        // Root installs with apt-get itself, even where a sudo is there: one that asks for a
        // password would stop it.
        InstallCase{"MissingToolAsRootWithSudoThere",
                    "program",
                    EverythingBut({"ninja-build"}),
                    true,
                    Sudo::kFails,
                    "",
                    0,
                    {"apt-get update", kInstall + "ninja-build"},
                    {"ninja (Paket ninja-build)"}},
        InstallCase{"FailingSudoIsReported",
                    "program",
                    EverythingBut({"ninja-build"}),
                    false,
                    Sudo::kFails,
                    "",
                    1,
                    {"sudo apt-get update"},
                    {"\"apt-get update\" ist fehlgeschlagen", "a password is required"}},
        InstallCase{"NothingThereAsRoot",
                    "tests",
                    {},
                    true,
                    Sudo::kNone,
                    "",
                    0,
                    {"apt-get update", kInstall + "g++ cmake ninja-build hledger ledger shellcheck "
                                                  "libgtest-dev libgmock-dev"},
                    {}},
        InstallCase{"GoogleTestForTheBench",
                    "bench",
                    EverythingBut({"libgtest-dev", "libgmock-dev"}),
                    true,
                    Sudo::kNone,
                    "",
                    0,
                    {"apt-get update", kInstall + "libgtest-dev libgmock-dev"},
                    {"GoogleTest (Paket libgtest-dev)"}},
        // The libFuzzer runtime's package follows the version of the clang that is there, or
        // that has just been installed.
        InstallCase{"FuzzerRuntimeOfTheInstalledClang",
                    "fuzz",
                    EverythingBut({"libclang-rt-17-dev"}),
                    true,
                    Sudo::kNone,
                    "",
                    0,
                    {"apt-get update", kInstall + "libclang-rt-17-dev"},
                    {"libFuzzer-Laufzeit von clang++ 17"}},
        InstallCase{"ClangFirstThenItsRuntime",
                    "fuzz",
                    EverythingBut({"clang", "libclang-rt-17-dev"}),
                    true,
                    Sudo::kNone,
                    "",
                    0,
                    {"apt-get update", kInstall + "clang", kInstall + "libclang-rt-17-dev"},
                    {}},
        // A package that is installed and still leaves the tool missing ends it, with the name
        // of what is missing.
        InstallCase{"CompilerNamedByCxxStaysMissing",
                    "program",
                    EverythingBut({"g++"}),
                    true,
                    Sudo::kNone,
                    "CXX=eigener-compiler",
                    1,
                    {"apt-get update", kInstall + "g++"},
                    {"\"eigener-compiler\"", "es fehlt weiterhin"}}),
    [](const ::testing::TestParamInfo<InstallCase>& row) { return row.param.name; });

}  // namespace
}  // namespace setuptest
