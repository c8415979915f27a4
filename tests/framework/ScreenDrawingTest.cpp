#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TerminalEmulatorForTests.h"
#include "framework/display/terminal/ScreenBuffer.h"
#include "framework/display/terminal/ScreenRenderer.h"
#include "framework/display/terminal/TextLayout.h"
#include "framework/display/terminal/TooSmallScreen.h"

namespace fw::terminal {
namespace {

using testing::TerminalEmulator;

using Lines = std::vector<std::string>;

Lines Rows(const ScreenBuffer& screen) {
  Lines rows;
  for (int row = 0; row < screen.Rows(); ++row) rows.push_back(screen.RowText(row));
  return rows;
}

bool SameCells(const ScreenBuffer& a, const ScreenBuffer& b) {
  for (int row = 0; row < a.Rows(); ++row) {
    for (int column = 0; column < a.Columns(); ++column) {
      if (!(a.At(row, column) == b.At(row, column))) return false;
    }
  }
  return true;
}

TEST(WrapWords, BreaksAtBlanksAndKeepsLineBreaks) {
  struct Case {
    std::string text;
    int width;
    Lines lines;
  };
  const Case cases[] = {
      {"Script ausgeführt", 30, {"Script ausgeführt"}},
      {"Die Daten müssen aus Valtaro", 10, {"Die Daten", "müssen aus", "Valtaro"}},
      {"ab  cd   ef", 5, {"ab cd", "ef"}},
      {"Kontenmappe", 4, {"Kont", "enma", "ppe"}},
      {"erste\r\nzweite\rdritte\n\nfünfte", 20, {"erste", "zweite", "dritte", "", "fünfte"}},
      {"exakt", 5, {"exakt"}},
      {"", 10, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapWords(c.text, c.width), c.lines) << c.text;
}

TEST(CutToWidth, MarksACutWithAnEllipsis) {
  EXPECT_EQ(CutToWidth("Beenden", 7), "Beenden");
  EXPECT_EQ(CutToWidth("Beenden", 6), "Beend…");
  EXPECT_EQ(CutToWidth("Bestätigung", 5), "Best…");
  EXPECT_EQ(CutToWidth("abc", 0), "");
  EXPECT_EQ(CellCount("Einfügen"), 8);
}

TEST(ScreenBuffer, DrawsFramesTextsAndLinesClippedToTheScreen) {
  ScreenBuffer screen(20, 6);
  screen.DrawFrame(CellRect{0, 0, 5, 20}, "Bestätigung");
  screen.PutText(1, 1, 18, "Script ausgeführt", {}, Align::Center);
  screen.PutText(2, 1, 8, "Kontenmappe Ledrino");
  screen.DrawHorizontalLine(3, 1, 18);
  screen.PutText(5, 15, 10, "abcdefgh");  // runs off the right edge
  screen.PutText(-1, 0, 5, "gone");
  EXPECT_EQ(Rows(screen), (Lines{"┌─ Bestätigung ────┐",  //
                                 "│Script ausgeführt │",  //
                                 "│Kontenm…          │",  //
                                 "│──────────────────│",  //
                                 "└──────────────────┘",  //
                                 "               abcde"}));
}

TEST(ScreenBuffer, CutsALongTitleAndShowsNoControlCharacters) {
  ScreenBuffer screen(12, 3);
  screen.DrawFrame(CellRect{0, 0, 3, 12}, "Valtaro-Import v1.02");
  screen.PutText(1, 1, 10, "a\x1b[2Jb\tc");  // a file name must not steer the terminal
  EXPECT_EQ(Rows(screen), (Lines{"┌─ Valta… ─┐", "│a�[2Jb c  │", "└──────────┘"}));
}

TEST(ScreenBuffer, ShowsCharactersWiderOrNarrowerThanACellAsOneCell) {
  // A terminal draws "日" and "😀" in two cells and the combining diaeresis of a decomposed "ä"
  // in none: kept as they are, they would move the rest of the row, frame included.
  ScreenBuffer screen(12, 1);
  screen.PutText(0, 0, 12, "日a\u0308😀\u200Bäb│");
  EXPECT_EQ(screen.RowText(0), "�a���äb│    ");
  EXPECT_EQ(CellCount("日a\u0308😀"), 4);
}

TEST(ScreenRenderer, SendsOnlyWhatChanged) {
  ScreenRenderer renderer;
  ScreenBuffer frame(10, 3);
  frame.PutText(0, 0, 10, "Beenden");
  TerminalEmulator terminal(10, 3);
  const std::string first = renderer.Render(frame);
  EXPECT_EQ(first.rfind("\x1b[0m\x1b[H\x1b[2J", 0), 0u)
      << "the first frame starts on a clear screen";
  ASSERT_TRUE(terminal.Apply(first));
  EXPECT_TRUE(SameCells(terminal.Screen(), frame));

  EXPECT_EQ(renderer.Render(frame), "") << "an unchanged frame sends nothing";

  frame.Set(2, 9, U'ä', Style{.reverse = true});
  const std::string change = renderer.Render(frame);
  EXPECT_EQ(change, "\x1b[3;10H\x1b[0;7mä\x1b[0m");
  ASSERT_TRUE(terminal.Apply(change));
  EXPECT_TRUE(SameCells(terminal.Screen(), frame));
}

TEST(ScreenRenderer, ASeriesOfFramesEndsInTheLastOne) {
  ScreenRenderer renderer;
  TerminalEmulator terminal(30, 8);
  ScreenBuffer frame(30, 8);
  const Style styles[] = {
      {}, {.bold = true}, {.dim = true}, {.underline = true}, {.reverse = true}};
  for (int step = 0; step < 40; ++step) {
    frame.Clear();
    frame.DrawFrame(CellRect{step % 3, step % 5, 6, 20}, "Fenster " + std::to_string(step));
    frame.PutText(3, 2 + step % 7, 12, "Datei auswählen", styles[step % 5]);
    frame.PutText(7, 0, 30, std::string(static_cast<std::size_t>(step % 30), 'x'),
                  styles[(step + 2) % 5]);
    ASSERT_TRUE(terminal.Apply(renderer.Render(frame))) << "step " << step;
    ASSERT_TRUE(SameCells(terminal.Screen(), frame)) << "step " << step;
  }
}

TEST(ScreenRenderer, RedrawsInFullAfterInvalidateOrASizeChange) {
  ScreenRenderer renderer;
  ScreenBuffer frame(10, 2);
  frame.PutText(1, 0, 10, "OK");
  renderer.Render(frame);
  renderer.Invalidate();
  EXPECT_NE(renderer.Render(frame).find("\x1b[2J"), std::string::npos);

  ScreenBuffer larger(12, 3);
  larger.PutText(1, 0, 10, "OK");
  const std::string bytes = renderer.Render(larger);
  EXPECT_NE(bytes.find("\x1b[2J"), std::string::npos);
  TerminalEmulator terminal(12, 3);
  ASSERT_TRUE(terminal.Apply(bytes));
  EXPECT_TRUE(SameCells(terminal.Screen(), larger));
}

TEST(TooSmallScreen, ShowsTheNoticeInsteadOfTheWindows) {
  EXPECT_TRUE(IsLargeEnough(80, 24));
  EXPECT_FALSE(IsLargeEnough(79, 40));
  EXPECT_FALSE(IsLargeEnough(200, 23));

  ScreenBuffer screen(60, 5);
  screen.PutText(0, 0, 60, "Reste eines Fensters");
  DrawTooSmallNotice(screen);
  EXPECT_EQ(Rows(screen), (Lines{std::string(60, ' '),
                                 "Das Terminal ist zu klein: mindestens 80 x 24 Zeichen nötig.",
                                 "               Jetzt sind es 60 x 5 Zeichen.                ",
                                 std::string(60, ' '), std::string(60, ' ')}));

  ScreenBuffer tiny(20, 3);  // wrapped, and read from its start when it does not fit
  DrawTooSmallNotice(tiny);
  EXPECT_EQ(Rows(tiny),
            (Lines{"Das Terminal ist zu ", "klein: mindestens 80", "x 24 Zeichen nötig. "}));
}

}  // namespace
}  // namespace fw::terminal
