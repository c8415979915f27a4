// Runs a fuzz target without libFuzzer: every file of a corpus folder, then random mutations of
// them, from a fixed seed so that a failure can be repeated.
//
//   fuzz_target [CORPUS_FOLDER [RUNS]]     RUNS also from FUZZ_RUNS; 20000 when not given.
//
// A crash ends the process as it would under libFuzzer; otherwise it exits with 0. With
// FUZZ_KEEP_INPUT=FILE, each input is written to FILE before it runs, so that after a crash FILE
// holds the input that caused it.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

constexpr std::size_t kMaxInputSize = 4096;
constexpr unsigned kSeed = 20240601;

std::vector<std::string> ReadCorpus(const char* folder) {
  std::vector<std::string> inputs;
  if (folder == nullptr) return inputs;
  std::error_code error;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());  // the same order every time
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return inputs;
}

std::size_t RunsWanted(int argc, char** argv) {
  const char* text = argc > 2 ? argv[2] : std::getenv("FUZZ_RUNS");
  if (text == nullptr || *text == '\0') return 20000;
  return static_cast<std::size_t>(std::strtoull(text, nullptr, 10));
}

void KeepInput(const std::string& input) {
  static const char* const path = std::getenv("FUZZ_KEEP_INPUT");
  if (path == nullptr || *path == '\0') return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(input.data(), static_cast<std::streamsize>(input.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write the input to %s\n", path);
    std::exit(2);
  }
}

void RunOne(const std::string& input) {
  KeepInput(input);
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

class Mutator {
 public:
  explicit Mutator(unsigned seed) : random_(seed) {}

  std::string Mutate(std::string input) {
    const std::size_t steps = 1 + Below(4);
    for (std::size_t step = 0; step < steps; ++step) MutateOnce(input);
    if (input.size() > kMaxInputSize) input.resize(kMaxInputSize);
    return input;
  }

 private:
  std::size_t Below(std::size_t bound) {
    return bound == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_);
  }

  // Bytes that the parsers treat specially are chosen more often than others.
  char SomeByte() {
    static const char kSpecial[] = {'\r', '\n', '"',  ';',    ',',   '-',
                                    ' ',  '\t', '\0', '\xFC', '\x1B'};
    if (Below(2) == 0) return kSpecial[Below(sizeof kSpecial)];
    return static_cast<char>(Below(256));
  }

  void MutateOnce(std::string& input) {
    const std::size_t at = Below(input.size() + 1);
    switch (Below(6)) {
      case 0:  // insert a byte
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), SomeByte());
        break;
      case 1:  // replace a byte
        if (at < input.size()) input[at] = SomeByte();
        break;
      case 2:  // flip a bit
        if (at < input.size()) input[at] = static_cast<char>(input[at] ^ (1 << Below(8)));
        break;
      case 3:  // delete a run
        if (at < input.size())
          input.erase(at, 1 + Below(std::min<std::size_t>(16, input.size() - at)));
        break;
      case 4: {  // repeat a run
        if (at >= input.size()) break;
        const std::string run = input.substr(at, 1 + Below(32));
        input.insert(Below(input.size() + 1), run);
        break;
      }
      default:  // append bytes
        for (std::size_t n = 1 + Below(8); n > 0; --n) input.push_back(SomeByte());
        break;
    }
  }

  std::mt19937 random_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> corpus = ReadCorpus(argc > 1 ? argv[1] : nullptr);
  for (const std::string& input : corpus) RunOne(input);
  RunOne(std::string());

  const std::size_t runs = RunsWanted(argc, argv);
  Mutator mutator(kSeed);
  std::mt19937 pick(kSeed + 1);
  std::string previous;
  for (std::size_t run = 0; run < runs; ++run) {
    // Start from a corpus input or from the last mutation, so that inputs grow and change.
    const std::size_t choice = std::uniform_int_distribution<std::size_t>(0, corpus.size())(pick);
    previous = mutator.Mutate(choice < corpus.size() ? corpus[choice] : previous);
    RunOne(previous);
  }
  std::printf("%zu corpus inputs and %zu mutations from seed %u ran without a crash\n",
              corpus.size(), runs, kSeed);
  return 0;
}
