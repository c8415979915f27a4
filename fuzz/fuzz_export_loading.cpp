// Fuzzes the loading of an export file: the line cutting on bytes in memory, in pieces of any
// size; the cleaning of every line; and the whole load through a file.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "booking/Laden.h"
#include "framework/display/RecordingDisplay.h"
#include "framework/files/LineReader.h"
#include "framework/text/TextFunctions.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> CutLines(std::string_view bytes, std::size_t pieceSize) {
  fw::LineReader reader;
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) {
    reader.Append(bytes.substr(at, pieceSize));
    while (reader.Next(line)) lines.push_back(line);
  }
  reader.Finish();
  while (reader.Next(line)) lines.push_back(line);
  Require(reader.Empty());
  return lines;
}

// What the lines must be: every CR LF, CR and LF ends a line; the bytes after the last end, if
// any, are the last line.
std::vector<std::string> ExpectedLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      lines.push_back(current);
      current.clear();
    } else {
      current.push_back(bytes[i]);
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

fw::Text Clean(std::string line) {
  const fw::Text latin1 = fw::Text::FromBytes(std::move(line), fw::Encodings::ISOLatin1());
  const fw::Text copied = fw::ReplaceAll(
      fw::RTrim(fw::ConvertEncoding(latin1, fw::Encodings::MacRoman())), fw::Chr(34), fw::Text());
  const fw::Text inPlace =
      fw::ReplaceAll(fw::RTrim(fw::ConvertEncoding(fw::Text(latin1), fw::Encodings::MacRoman())),
                     fw::Chr(34), fw::Text());
  Require(copied.Bytes() == inPlace.Bytes() && copied.Encoding() == inPlace.Encoding());
  const std::string& bytes = inPlace.Bytes();
  Require(bytes.size() <= latin1.Bytes().size());
  Require(bytes.find('"') == std::string::npos);
  Require(bytes.find_first_of("\r\n") == std::string::npos);
  return inPlace;
}

// One file for the whole run, rewritten for every input.
const std::string& ScratchFile() {
  static const std::string path = [] {
    std::string pattern = "/tmp/fuzz_export_loading-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    Require(fd >= 0);
    ::close(fd);
    std::atexit([] { ::unlink(ScratchFile().c_str()); });
    return pattern;
  }();
  return path;
}

void WriteScratch(std::string_view bytes) {
  FILE* file = std::fopen(ScratchFile().c_str(), "wb");
  Require(file != nullptr);
  Require(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  Require(std::fclose(file) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> expected = ExpectedLines(bytes);
  Require(CutLines(bytes, bytes.size() + 1) == expected);
  Require(CutLines(bytes, 1 + (size > 0 ? data[0] % 13 : 0)) == expected);

  std::vector<fw::Text> cleaned;
  for (const std::string& line : expected) cleaned.push_back(Clean(line));
  if (cleaned.empty()) cleaned.emplace_back();  // an empty file still gives one empty line

  WriteScratch(bytes);
  fw::RecordingDisplay display;
  valtaro::ImportState state;
  state.Init();
  state.f = std::make_shared<fw::FolderItem>(ScratchFile());
  valtaro::Laden(state);
  Require(display.Messages().empty());
  Require(state.anz_zeilen == state.zeilen->UBound());
  Require(state.zeilen->Items().size() == cleaned.size());
  for (std::size_t i = 0; i < cleaned.size(); ++i) {
    const fw::Text& line = state.zeilen->Items()[i];
    Require(line.Bytes() == cleaned[i].Bytes() && line.Encoding() == fw::Encodings::MacRoman());
  }
  return 0;
}
