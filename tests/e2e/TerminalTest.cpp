// The built program on a pseudo-terminal, typed at as a person would: keys typed while it is busy
// and keys typed while the terminal is too small act on nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "e2e/ProgramRun.h"
#include "e2e/TerminalRun.h"
#include "support/TempFolder.h"

namespace e2e {
namespace {

using namespace keys;
using fw::terminal::ScreenBuffer;

constexpr std::size_t kExportLines = 300;
constexpr char kBusy[] = "Bitte warten …";
constexpr char kSendCaption[] = "An Ledrino senden";

// True when the caption stands on the screen in the reverse style of the focus.
bool IsFocused(const ScreenBuffer& screen, const std::string& caption) {
  for (int row = 0; row < screen.Rows(); ++row) {
    for (int column = 0; column + static_cast<int>(caption.size()) <= screen.Columns(); ++column) {
      bool found = true;
      for (std::size_t i = 0; i < caption.size() && found; ++i) {
        const auto& cell = screen.At(row, column + static_cast<int>(i));
        found = cell.character == static_cast<char32_t>(caption[i]) && cell.style.reverse;
      }
      if (found) return true;
    }
  }
  return false;
}

// Every row's text and, after it, the columns in the reverse style of the focus: what a person
// sees, the place of the focus included.
std::vector<std::string> PictureOf(const ScreenBuffer& screen) {
  std::vector<std::string> rows;
  for (int row = 0; row < screen.Rows(); ++row) {
    std::string text = screen.RowText(row) + " |";
    for (int column = 0; column < screen.Columns(); ++column) {
      if (screen.At(row, column).style.reverse) text += " " + std::to_string(column);
    }
    rows.push_back(text);
  }
  return rows;
}

void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// A copy of the program with scripts of its own beside it: 168 notes each run in the file that
// LEDGER_FILE names and takes a few milliseconds, as a booking does; 169 names two accounts.
class TerminalTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(Executable())) GTEST_SKIP() << "no executable built";
    std::filesystem::create_directories(folder.PathOf("bin/scripts"));
    std::filesystem::copy_file(Executable(), Program());
    WriteScript("168", "#!/bin/sh\nprintf '%s\\n' \"$7\" >>\"$LEDGER_FILE\"\nsleep 0.01\n");
    WriteScript("169", "#!/bin/sh\nprintf 'Girokonto, Sparkonto'\n");
    folder.Write("runs", "");
    WriteExport();
  }

  std::string Program() const { return folder.PathOf("bin/valtaro-import"); }
  std::unique_ptr<TerminalRun> Start() const {
    return std::make_unique<TerminalRun>(Program(), folder.PathOf(""), folder.PathOf("runs"), 80,
                                         24);
  }
  std::size_t Runs() const {
    const std::string runs = folder.Read("runs");
    return static_cast<std::size_t>(std::count(runs.begin(), runs.end(), '\n'));
  }

  // From the start (the focus on "Beenden"): "Datei auswählen", the export typed into the open
  // dialog; returns once the program waits for the next key with the file loaded and the focus back
  // on the button.
  static void ChooseTheExport(TerminalRun& run) {
    ASSERT_TRUE(run.WaitForText("Valtaro-Import v1.02")) << run.ScreenText();
    run.Type(kBackTab + kBackTab + kEnter);  // past the popup to "Datei auswählen"
    ASSERT_TRUE(run.WaitForText("Datei öffnen")) << run.ScreenText();
    run.Type("export.csv" + kEnter);
    ASSERT_TRUE(run.WaitForText("[ Datei auswählen ]    export.csv")) << run.ScreenText();
  }

  testsupport::TempFolder folder;

 private:
  void WriteScript(const std::string& number, const std::string& text) const {
    const std::string path = folder.Write("bin/scripts/" + number, text);
    ::chmod(path.c_str(), 0700);
  }
  // The example's data lines, repeated to kExportLines lines.
  void WriteExport() const {
    const std::string example = ReadFile(std::string(VALTARO_SOURCE_DIR) + "/examples/export.csv");
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < example.size();) {
      const std::size_t end = example.find('\n', start);
      lines.push_back(example.substr(start, end - start + 1));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    std::string text = lines.front();
    for (std::size_t i = 0; i < kExportLines; ++i) text += lines[1 + i % (lines.size() - 1)];
    folder.Write("export.csv", text);
  }
};

TEST_F(TerminalTest, EntersTypedDuringASendAreThrownAwayAndTheConfirmationStays) {
  const auto run = Start();
  ASSERT_NO_FATAL_FAILURE(ChooseTheExport(*run));
  run->Type(kBackTab + kEnter);  // "An Ledrino senden"
  ASSERT_TRUE(run->WaitFor([](const ScreenBuffer& screen) {
    return screen.RowText(screen.Rows() - 1).find(kBusy) != std::string::npos;
  })) << run->ScreenText();
  for (int press = 0; press < 2; ++press) {
    Pause(300);
    run->Type(kEnter);
  }
  ASSERT_LT(Runs(), kExportLines) << "the send was over before the keys were typed";
  // The terminal grows during the send as well: afterwards the screen is drawn anew at its size.
  run->Resize(100, 30);

  ASSERT_TRUE(run->WaitForText("Script ausgeführt")) << run->ScreenText();
  Pause(1000);  // time for typed-ahead keys to act, had they been kept
  EXPECT_EQ(Runs(), kExportLines);
  const ScreenBuffer screen = run->Screen();
  EXPECT_TRUE(TerminalRun::Contains(screen, "Script ausgeführt")) << run->ScreenText();
  EXPECT_FALSE(TerminalRun::Contains(screen, kBusy)) << run->ScreenText();
  EXPECT_NE(screen.RowText(29).find("Strg+Q"), std::string::npos) << run->ScreenText();

  run->Type(kEnter);  // "OK" closes the confirmation
  ASSERT_TRUE(run->WaitFor([](const ScreenBuffer& now) {
    return !TerminalRun::Contains(now, "Script ausgeführt") && IsFocused(now, kSendCaption);
  })) << run->ScreenText();
  run->Type(kCtrlQ);
  EXPECT_EQ(run->WaitForExit(), 0) << run->Errors();
  EXPECT_EQ(Runs(), kExportLines);
}

TEST_F(TerminalTest, WhileTheTerminalIsTooSmallOnlyCtrlQActs) {
  struct Case {
    const char* name;
    std::function<void(TerminalRun&)> arrive;  // at the screen that the notice is to hide
    std::string keys;                          // what would act on that screen
  };
  const std::vector<Case> cases = {
      {"Senden im Hauptfenster",
       [](TerminalRun& run) {
         ASSERT_NO_FATAL_FAILURE(ChooseTheExport(run));
         run.Type(kBackTab);
         ASSERT_TRUE(run.WaitFor([](const ScreenBuffer& screen) {
           return IsFocused(screen, kSendCaption);
         })) << run.ScreenText();
       },
       kEnter + kTab + kEnter},
      {"Offener Dialog",
       [](TerminalRun& run) {
         ASSERT_TRUE(run.WaitForText("Valtaro-Import v1.02")) << run.ScreenText();
         run.Type(kBackTab + kBackTab + kEnter);  // past the popup to "Datei auswählen"
         // The bottom line comes last in a picture.
         ASSERT_TRUE(run.WaitForText("Name tippen")) << run.ScreenText();
       },
       "export.csv" + kEnter},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto run = Start();
    ASSERT_NO_FATAL_FAILURE(c.arrive(*run));
    const std::vector<std::string> before = PictureOf(run->Screen());

    run->Resize(60, 15);
    ASSERT_TRUE(run->WaitForText("zu klein")) << run->ScreenText();
    run->Type(c.keys);
    Pause(200);
    // Once the notice is drawn at another size that is still too small, the keys have been read.
    run->Resize(70, 20);
    ASSERT_TRUE(run->WaitForText("Jetzt sind es 70 x 20")) << run->ScreenText();
    run->Resize(80, 24);
    EXPECT_TRUE(run->WaitFor([&](const ScreenBuffer& screen) {
      return PictureOf(screen) == before;
    })) << run->ScreenText();
    EXPECT_EQ(Runs(), 0u);

    run->Resize(60, 15);
    ASSERT_TRUE(run->WaitForText("zu klein")) << run->ScreenText();
    run->Type(kCtrlQ);
    EXPECT_EQ(run->WaitForExit(), 0) << run->Errors();
    EXPECT_EQ(Runs(), 0u);
  }
}

}  // namespace
}  // namespace e2e
