// scripts/169 (the accounts of the journal) against grep over the same files, in the same run.
//
// Prints:
//   accounts_includes_ms=A grep_includes_ms=B ratio=A/B
//     A: 169 through the process script host, on a journal that includes 120 files (one a month
//        for ten years, a few bookings and an account each)
//     B: grep for the account lines of the same 121 files, one process
//   accounts_large_ms=C grep_large_ms=D ratio=C/D
//     C: 169 through the host on one journal of about 70 MB (bookings as 168 writes them)
//     D: grep for the account lines of that journal
// Each figure is a mean over several runs; the two sides of a ratio take turns.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/TakingTurns.h"
#include "framework/script/ProcessScriptHost.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// grep with the arguments, its output thrown away.
void Grep(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  static char grep[] = "grep";
  argv.push_back(grep);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  waitpid(pid, &status, 0);
}

// Mean milliseconds of each of two actions over `runs` runs, taking turns, after one of each.
std::pair<double, double> Compare(int runs, const std::function<void()>& a,
                                  const std::function<void()>& b) {
  const auto [timeA, timeB] = bench::MeanTakingTurns(1, runs, a, b);
  return {timeA.count() * 1e3, timeB.count() * 1e3};
}

void Report(const char* nameA, const char* nameB, std::pair<double, double> figures) {
  std::printf("%s=%.1f %s=%.1f ratio=%.2f\n", nameA, figures.first, nameB, figures.second,
              figures.first / figures.second);
}

// A booking as 168 appends it.
std::string Booking(int day, int number) {
  char text[256];
  std::snprintf(text, sizeof text,
                "\n2024-01-%02d=2024-01-%02d Stadtwerke Musterstadt %d\n    ; Wohnen\n"
                "    ; Abschlag Kundennummer 4711\n    Girokonto  %d.25\n    Unbekannt  -%d.25\n",
                day, day, number, number % 1000, number % 1000);
  return text;
}

fw::ScriptRun AccountsRun() {
  fw::ScriptRun run;
  run.number = 169;
  return run;
}

}  // namespace

int main() {
  std::string pattern = (fs::temp_directory_path() / "bench-accounts-XXXXXX").string();
  const fs::path folder = mkdtemp(pattern.data());
  const fs::path scripts = folder / "scripts";
  fs::create_directory(scripts);
  // The build copies the scripts to <build>/scripts; the benchmark runs in <build>/bench.
  const fs::path built = fs::canonical("/proc/self/exe").parent_path().parent_path() / "scripts";
  for (const char* name : {"169", "169.awk"}) fs::copy_file(built / name, scripts / name);
  fw::ProcessScriptHost host(scripts.string());
  const std::string accountLines = "^account[[:blank:]]";

  const fs::path withIncludes = folder / "jahre.journal";
  std::vector<std::string> grepIncludes = {"-h", accountLines, withIncludes.string()};
  {
    std::ofstream main(withIncludes);
    main << "commodity 1000.00\naccount Girokonto\naccount Unbekannt\n";
    fs::create_directory(folder / "monate");
    for (int year = 2015; year < 2025; ++year) {
      for (int month = 1; month <= 12; ++month) {
        const std::string name = std::to_string(year) + "-" + (month < 10 ? "0" : "") +
                                 std::to_string(month) + ".journal";
        main << "include monate/" << name << "\n";
        std::ofstream file(folder / "monate" / name);
        file << "account Konto " << name.substr(0, 7) << "\n";
        for (int i = 0; i < 30; ++i) file << Booking(i % 28 + 1, i);
        grepIncludes.push_back((folder / "monate" / name).string());
      }
    }
  }
  setenv("LEDGER_FILE", withIncludes.c_str(), 1);
  Report("accounts_includes_ms", "grep_includes_ms",
         Compare(
             10, [&] { host.Run(AccountsRun()); }, [&] { Grep(grepIncludes); }));

  const fs::path large = folder / "gross.journal";
  {
    std::ofstream journal(large);
    journal << "commodity 1000.00\naccount Girokonto\naccount Unbekannt\n";
    std::string block;
    for (int i = 0; i < 1000; ++i) block += Booking(i % 28 + 1, i);
    for (std::size_t size = 0; size < 70'000'000; size += block.size()) journal << block;
  }
  setenv("LEDGER_FILE", large.c_str(), 1);
  Report("accounts_large_ms", "grep_large_ms",
         Compare(
             4, [&] { host.Run(AccountsRun()); },
             [&] {
               Grep({"-h", accountLines, large.string()});
             }));

  fs::remove_all(folder);
  return 0;
}
