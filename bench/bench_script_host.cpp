// The process script host against bare process starts of the same programs, in the same run.
//
// Prints:
//   host_run_us=A spawn_run_us=B ratio=A/B
//     A: one run of a trivial executable (a copy of /bin/true) through the host
//     B: posix_spawn and waitpid of the same executable, nothing else
//   script_run_us=C empty_script_us=D ratio=C/D
//     C: one booking by scripts/168 into a temporary journal, through the host
//     D: an sh script that only exits, through the host
// Each figure is a mean over many runs; the two sides of a ratio take turns.

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

#include "bench/TakingTurns.h"
#include "framework/script/ProcessScriptHost.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 400;

void Spawn(const std::string& path) {
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) std::abort();
  int status = 0;
  waitpid(pid, &status, 0);
}

fw::ScriptRun RunOf(int number, std::vector<fw::ScriptParameter> parameters = {}) {
  fw::ScriptRun run;
  run.number = number;
  run.withParameters = !parameters.empty();
  run.parameters = std::move(parameters);
  return run;
}

// Mean microseconds of each of two actions, taking turns.
std::pair<double, double> Compare(const std::function<void()>& a, const std::function<void()>& b) {
  const auto [timeA, timeB] = bench::MeanTakingTurns(20, kRuns, a, b);
  return {timeA.count() * 1e6, timeB.count() * 1e6};
}

void Report(const char* nameA, const char* nameB, std::pair<double, double> figures) {
  std::printf("%s=%.1f %s=%.1f ratio=%.3f\n", nameA, figures.first, nameB, figures.second,
              figures.first / figures.second);
}

}  // namespace

int main() {
  std::string pattern = (fs::temp_directory_path() / "bench-scripts-XXXXXX").string();
  const fs::path folder = mkdtemp(pattern.data());
  const fs::path scripts = folder / "scripts";
  fs::create_directory(scripts);
  fs::copy_file("/bin/true", scripts / "1");
  std::ofstream(scripts / "2") << "#!/bin/sh\nexit 0\n";
  fs::permissions(scripts / "2", fs::perms::owner_all);
  // The build copies the scripts to <build>/scripts; the benchmark runs in <build>/bench.
  fs::copy_file(fs::canonical("/proc/self/exe").parent_path().parent_path() / "scripts" / "168",
                scripts / "168");
  const fs::path journal = folder / "bench.journal";
  setenv("LEDGER_FILE", journal.c_str(), 1);

  fw::ProcessScriptHost host(scripts.string());
  const std::string trueCopy = (scripts / "1").string();
  Report("host_run_us", "spawn_run_us",
         Compare([&] { host.Run(RunOf(1)); }, [&] { Spawn(trueCopy); }));

  const fw::ScriptRun booking =
      RunOf(168, {fw::Text("05.03.2008"), fw::Text("06.03.2008"), fw::Text("123456"),
                  fw::Text("Unbekannt"), fw::Text("Girokonto"), fw::Text("Wohnen"),
                  fw::Text("Stadtwerke Musterstadt GmbH"),
                  fw::Text("Abschlag März\nKundennummer 4711\nVertrag 0815")});
  const fw::ScriptRun empty = RunOf(2, booking.parameters);
  Report("script_run_us", "empty_script_us",
         Compare([&] { host.Run(booking); }, [&] { host.Run(empty); }));

  fs::remove_all(folder);
  return 0;
}
