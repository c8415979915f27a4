#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "booking/Laden.h"
#include "framework/core/Exceptions.h"
#include "framework/display/RecordingDisplay.h"
#include "support/TempFolder.h"

namespace valtaro {
namespace {

using namespace std::string_literals;

class LadenTest : public testing::Test {
 protected:
  LadenTest() { state_.Init(); }

  // Chooses the file and loads it, as the window does.
  void Load(const std::string& path) {
    state_.f = std::make_shared<fw::FolderItem>(path);
    Laden(state_);
  }
  void LoadBytes(const std::string& latin1) { Load(folder_.Write("export.csv", latin1)); }

  std::vector<std::string> LinesInUTF8() const {
    std::vector<std::string> lines;
    for (const fw::Text& line : state_.zeilen->Items()) lines.push_back(line.ToUTF8());
    return lines;
  }

  testsupport::TempFolder folder_;
  fw::RecordingDisplay display_;
  ImportState state_;
};

TEST_F(LadenTest, EveryLineIsConvertedTrimmedAndLosesItsQuotes) {
  struct Case {
    std::string latin1, expectedUTF8;
  };
  const std::vector<Case> cases = {
      {"\"Buchungstag\";\"Beg\xFCnstigter/Absender - Name\";\"Betrag\"",
       "Buchungstag;Begünstigter/Absender - Name;Betrag"},
      {"\"01.02.2024\";\"M\xFCller, Hans \"  \t", "01.02.2024;Müller, Hans "},  // trim, then quotes
      {"   leading; blanks stay", "   leading; blanks stay"},
      {"", ""},
      {"a\"b\"c;\"x;y\";\"\"", "abc;x;y;"},
      {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF \xE9\xE8\xE7", "ÄÖÜäöüß éèç"},
      {"Mac Roman lacks: \xA6\xB2\xD7\xDE\x80", "Mac Roman lacks: ?????"},
  };
  std::string file;
  for (const Case& c : cases) file += c.latin1 + "\r\n";
  LoadBytes(file);

  std::vector<std::string> expected;
  for (const Case& c : cases) expected.push_back(c.expectedUTF8);
  EXPECT_EQ(LinesInUTF8(), expected);
  EXPECT_EQ(state_.anz_zeilen, static_cast<std::int32_t>(cases.size()) - 1);
  for (const fw::Text& line : state_.zeilen->Items())
    EXPECT_EQ(line.Encoding(), fw::Encodings::MacRoman());
  EXPECT_EQ((*state_.zeilen)[5].Bytes().substr(0, 3), "\x80\x85\x86");  // Ä Ö Ü in Mac Roman
  EXPECT_TRUE(display_.Messages().empty());
}

TEST_F(LadenTest, LineEndsAndTheOneLineOfAnEmptyFile) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"", {""}},
      {"Buchungstag;Betrag", {"Buchungstag;Betrag"}},
      {"Kopf\n", {"Kopf"}},
      {"Kopf\r\n1\r\n2\r\n", {"Kopf", "1", "2"}},
      {"Kopf\r1\r2\r", {"Kopf", "1", "2"}},
      {"Kopf\n1\n\n2", {"Kopf", "1", "", "2"}},
      {"Kopf\r\n\r\n", {"Kopf", ""}},
  };
  for (const Case& c : cases) {
    LoadBytes(c.bytes);
    EXPECT_EQ(LinesInUTF8(), c.lines) << testing::PrintToString(c.bytes);
    EXPECT_EQ(state_.anz_zeilen, static_cast<std::int32_t>(c.lines.size()) - 1);
  }
}

TEST_F(LadenTest, ASecondLoadReplacesTheLinesInTheSameList) {
  const auto list = state_.zeilen;
  LoadBytes("Kopf\n1\n2\n3\n");
  EXPECT_EQ(state_.anz_zeilen, 3);
  Load(folder_.Write("second.csv", "Neu\n"));
  EXPECT_EQ(LinesInUTF8(), (std::vector<std::string>{"Neu"}));
  EXPECT_EQ(state_.anz_zeilen, 0);
  EXPECT_EQ(state_.zeilen, list);
}

TEST_F(LadenTest, AFileThatIsGoneChangesNothing) {
  LoadBytes("Kopf\n1\n");
  const std::string gone = folder_.PathOf("gone.csv");
  Load(gone);
  ASSERT_EQ(display_.Messages().size(), 1u);
  EXPECT_EQ(display_.Messages()[0], "Datei " + gone + " ist nicht vorhanden");
  EXPECT_EQ(LinesInUTF8(), (std::vector<std::string>{"Kopf", "1"}));
  EXPECT_EQ(state_.anz_zeilen, 1);
}

TEST_F(LadenTest, AFileThatCannotBeReadLeavesNoLineAndIsReported) {
  std::vector<std::string> unreadable = {folder_.PathOf("")};  // a folder
  if (::geteuid() != 0) {  // root reads whatever the permissions say
    const std::string locked = folder_.Write("locked.csv", "Kopf\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    unreadable.push_back(locked);
  }
  // A regular file that opens but whose first read fails (EIO), as on a damaged medium.
  if (fw::FolderItem("/proc/self/mem").OpenAsTextFile()) unreadable.push_back("/proc/self/mem");
  for (const std::string& path : unreadable) {
    LoadBytes("Kopf\n1\n");
    const std::size_t shown = display_.Messages().size();
    Load(path);
    ASSERT_EQ(display_.Messages().size(), shown + 1) << path;
    EXPECT_EQ(display_.Messages().back(),
              "Datei " + state_.f->AbsolutePath().ToUTF8() + " kann nicht gelesen werden");
    EXPECT_EQ(state_.zeilen->UBound(), -1);
    EXPECT_EQ(state_.anz_zeilen, -1);
  }
}

TEST_F(LadenTest, NoFileIsANilObject) { EXPECT_THROW(Laden(state_), fw::NilObjectException); }

TEST_F(LadenTest, AnyBytesLoadWithoutHarm) {
  std::mt19937 random(7);
  std::string binary(1 << 20, '\0');
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  const std::vector<std::string> inputs = {
      "a\0b;\"\0\"\n\0"s,
      std::string(10 * 1024 * 1024, 'x') + " \"",
      binary,
  };
  for (const std::string& input : inputs) {
    LoadBytes(input);
    EXPECT_TRUE(display_.Messages().empty());
    ASSERT_GE(state_.anz_zeilen, 0);
    EXPECT_EQ(state_.anz_zeilen, state_.zeilen->UBound());
    for (const fw::Text& line : state_.zeilen->Items()) {
      EXPECT_EQ(line.Bytes().find_first_of("\"\r\n"), std::string::npos);
    }
  }
  LoadBytes(inputs[1]);
  EXPECT_EQ(LinesInUTF8(), (std::vector<std::string>{std::string(10 * 1024 * 1024, 'x') + " "}));
  LoadBytes(inputs[0]);
  EXPECT_EQ(LinesInUTF8(), (std::vector<std::string>{"a\0b;\0"s, "\0"s}));
}

}  // namespace
}  // namespace valtaro
