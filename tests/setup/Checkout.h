#pragma once

// A copy of the checkout for the set-up scripts to work on, so that they never touch the build
// folder of the tests themselves, and stand-ins for the tools that they call.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "support/Commands.h"

namespace setuptest {

namespace fs = std::filesystem;

inline const fs::path kSource = VALTARO_SOURCE_DIR;

using testsupport::ShellQuote;

// Writes an executable file.
inline void WriteScript(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path.string());
  }
  fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
}

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The checkout's files, without its build folders, .run/ and git's own, copied to `target`.
inline void CopyCheckout(const fs::path& target) {
  fs::create_directories(target);
  for (const fs::directory_entry& entry : fs::directory_iterator(kSource)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("build") || name == ".run" || name == ".git") continue;
    fs::copy(entry.path(), target / name,
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }
}

// Stand-ins put before the machine's own tools on PATH. cmake configures for real (it takes well
// under a second) and so meets a build folder as CMake does; a build only makes a stand-in
// program, which says that it runs and books one transaction into the journal. ctest does
// nothing. Every call of cmake and ctest is recorded, one line each, in the file `Log()`.
class StandInTools {
 public:
  explicit StandInTools(const fs::path& folder) : bin_(folder / "bin"), log_(folder / "calls") {
    const auto cmake = testsupport::FindProgram("cmake");
    if (!cmake) throw std::runtime_error("cmake is not on PATH");
    fs::create_directories(bin_);
    std::ofstream(log_).flush();
    fs::permissions(log_, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                              ~fs::perms::others_exec);
    const std::string log = ShellQuote(log_.string());
    WriteScript(bin_ / "cmake",
                "#!/bin/sh\n"
                "printf 'cmake %s\\n' \"$*\" >>" +
                    log +
                    "\n"
                    "if [ \"$1\" = --build ]; then\n"
                    "  cat >\"$2/valtaro-import\" <<'PROGRAM'\n"
                    "#!/bin/sh\n"
                    "echo \"Valtaro-Import läuft mit $LEDGER_FILE\"\n"
                    "printf '\\n2024-03-01 Stadtwerke\\n    Girokonto  -12.50\\n    Unbekannt\\n' "
                    ">>\"$LEDGER_FILE\"\n"
                    "PROGRAM\n"
                    "  chmod +x \"$2/valtaro-import\"\n"
                    "  exit 0\n"
                    "fi\n"
                    "exec " +
                    ShellQuote(cmake->string()) + " \"$@\"\n");
    WriteScript(bin_ / "ctest", "#!/bin/sh\nprintf 'ctest %s\\n' \"$*\" >>" + log + "\n");
  }

  const fs::path& Bin() const { return bin_; }
  std::string Calls() const { return ReadText(log_); }

 private:
  fs::path bin_;
  fs::path log_;
};

}  // namespace setuptest
