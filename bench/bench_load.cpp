// Loading an export file against a plain line scan of the same file, in the same run.
//
// Prints:
//   load_mb_per_s=A scan_mb_per_s=B ratio=A/B
//   load_peak_mb=P file_mb=F
// The peak is the growth of the resident set while one load runs, measured in a fresh process.

#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "booking/Laden.h"

namespace {

constexpr std::size_t kMinLines = 100000;
constexpr std::size_t kMinBytes = 20 * 1000 * 1000;
constexpr int kRuns = 5;

// The header of an account export, in ISO Latin-1 (\xFC is ü, \xE4 is ä).
std::string Header() {
  std::vector<std::string> names = {"Buchungstag",
                                    "Wertstellungstag",
                                    "Betrag",
                                    "W\xE4hrung",
                                    "Buchungstext",
                                    "Beg\xFCnstigter/Absender - Name",
                                    "Beg\xFCnstigter/Absender - Kontonummer",
                                    "Beg\xFCnstigter/Absender - Bankleitzahl",
                                    "Kategorie",
                                    "Unterkategorie"};
  for (int i = 1; i <= 14; ++i) names.push_back("Verwendungszweckzeile " + std::to_string(i));
  for (const char* name : {"Kontonummer", "Bankleitzahl", "IBAN", "BIC", "Notiz", "Saldo"})
    names.emplace_back(name);
  std::string header;
  for (const std::string& name : names) header += (header.empty() ? "\"" : ";\"") + name + "\"";
  return header;
}

std::string DataLine(std::size_t n) {
  static const char* const kNames[] = {"M\xFCller, Hans", "Stadtwerke K\xF6ln",
                                       "B\xE4"
                                       "ckerei Sch\xF6n",
                                       "Versicherung AG",
                                       "Gro\xDF"
                                       "handel Meier"};
  static const char* const kCategories[] = {"Haushalt", "Versicherungen", "Lebensmittel",
                                            "Einkommen", ""};
  const std::size_t day = n % 28 + 1;
  const std::size_t month = n % 12 + 1;
  char date[16];
  std::snprintf(date, sizeof date, "%02zu.%02zu.2024", day, month);
  const bool debit = n % 3 != 0;
  std::string line;
  const auto field = [&line](const std::string& text) {
    if (!line.empty()) line += ';';
    line += '"' + text + '"';
  };
  field(date);
  field(date);
  std::string amount = debit ? "-" : "";
  amount += std::to_string(n % 5000);
  amount += ',';
  amount += std::to_string(10 + n % 90);
  field(amount);
  field("EUR");
  field(debit ? "Lastschrift" : "Gutschrift");
  field(kNames[n % 5]);
  field(std::to_string(1000000 + n));
  field("37050198");
  field(kCategories[n % 5]);
  field(n % 2 == 0 ? "Strom" : "");
  field("Rechnung " + std::to_string(n) + " vom " + date);
  field("Kundennummer " + std::to_string(40000 + n % 977));
  field(n % 4 == 0 ? "Danke f\xFCr Ihren Einkauf" : "");
  for (int i = 4; i <= 14; ++i) field("");
  field("123456789");
  field("37050198");
  field("DE02370501980001802057");
  field("COLSDE33XXX");
  field("");
  field(std::to_string(n % 100000) + ",00  ");
  return line;
}

std::string WriteExport() {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("bench_load-" + std::to_string(::getpid()) + ".csv"))
                               .string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::size_t bytes = 0;
  std::string line = Header() + "\r\n";
  for (std::size_t n = 1; n <= kMinLines || bytes < kMinBytes; ++n) {
    out << line;
    bytes += line.size();
    line = DataLine(n) + "\r\n";
  }
  if (!out) {
    std::fprintf(stderr, "bench_load: cannot write %s\n", path.c_str());
    std::exit(1);
  }
  return path;
}

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

double TimeLoad(const std::string& path, std::int32_t& lines) {
  valtaro::ImportState state;
  state.Init();
  state.f = std::make_shared<fw::FolderItem>(path);
  const auto start = std::chrono::steady_clock::now();
  valtaro::Laden(state);
  const auto stop = std::chrono::steady_clock::now();
  lines = state.anz_zeilen + 1;
  return Seconds(stop - start);
}

// The baseline: the file read in large pieces and its line feeds found with memchr.
double TimeScan(const std::string& path, std::size_t& lines) {
  const auto start = std::chrono::steady_clock::now();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  std::vector<char> buffer(64 * 1024);
  lines = 0;
  for (ssize_t count; (count = ::read(fd, buffer.data(), buffer.size())) > 0;) {
    const char* at = buffer.data();
    const char* const end = at + count;
    while (const void* hit = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
      ++lines;
      at = static_cast<const char*>(hit) + 1;
    }
  }
  ::close(fd);
  return Seconds(std::chrono::steady_clock::now() - start);
}

// The peak resident set of this process so far, in kilobytes (the kernel's high-water mark).
long PeakResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

// Runs in a fresh process: the growth of the resident set over one load.
int MeasurePeak(const std::string& path) {
  const long before = PeakResidentKilobytes();
  std::int32_t lines = 0;
  TimeLoad(path, lines);
  const long after = PeakResidentKilobytes();
  const double fileMb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  std::printf("load_peak_mb=%.2f file_mb=%.2f\n", static_cast<double>(after - before) * 1024 / 1e6,
              fileMb);
  return 0;
}

int RunPeakInFreshProcess(const std::string& path) {
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child == 0) {
    const char* const args[] = {"bench_load", "--peak", path.c_str(), nullptr};
    ::execv("/proc/self/exe", const_cast<char* const*>(args));
    std::_Exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--peak") == 0) return MeasurePeak(argv[2]);

  // The allocator keeps freed memory for the next run instead of giving it back to the kernel, so
  // that the best run measures the work of loading and not the first touch of fresh pages (which
  // costs the same for any loader of this many bytes, and much in a virtual machine). The peak
  // below is measured in a fresh process with the allocator as it comes.
  ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
  const std::string path = WriteExport();
  const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  double bestLoad = 1e9;
  double bestScan = 1e9;
  std::int32_t loaded = 0;
  std::size_t scanned = 0;
  for (int run = 0; run < kRuns; ++run) {
    bestScan = std::min(bestScan, TimeScan(path, scanned));
    bestLoad = std::min(bestLoad, TimeLoad(path, loaded));
  }
  if (static_cast<std::size_t>(loaded) != scanned) {
    std::fprintf(stderr, "bench_load: %d lines loaded, %zu scanned\n", loaded, scanned);
    std::filesystem::remove(path);
    return 1;
  }
  const double load = megabytes / bestLoad;
  const double scan = megabytes / bestScan;
  std::printf("load_mb_per_s=%.2f scan_mb_per_s=%.2f ratio=%.2f\n", load, scan, load / scan);
  const int peak = RunPeakInFreshProcess(path);
  std::filesystem::remove(path);
  return peak;
}
