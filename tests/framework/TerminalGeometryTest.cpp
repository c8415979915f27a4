#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/display/terminal/Geometry.h"
#include "framework/display/terminal/TextLayout.h"
#include "framework/display/terminal/TooSmallScreen.h"

namespace fw::terminal {

void PrintTo(const CellRect& rect, std::ostream* out) {
  *out << "{row " << rect.row << ", column " << rect.column << ", height " << rect.height
       << ", width " << rect.width << "}";
}

namespace {

struct Control {
  const char* name;
  PixelRect pixels;
  std::string text;  // what the control shows in one line, or the multi-line label's text
  bool multiLine = false;
};

// The main window "Valtaro-Import v1.02", 466 x 258, and its controls.
const std::vector<Control> kMainWindowControls = {
    {"btn_quit", {377, 218, 69, 20}, "[ Beenden ]"},
    {"btn_save", {20, 218, 127, 20}, "[ An Ledrino senden ]"},
    {"btn_datei", {20, 165, 127, 20}, "[ Datei auswählen ]"},
    {"StaticText1", {20, 14, 353, 20}, "Import von Buchungen nach Ledrino"},
    {"StaticText3", {159, 165, 212, 20}, ""},
    {"StaticText5",
     {19, 36, 352, 53},
     "Die Daten müssen aus Valtaro im csv-Format exportiert werden und diese Datei dann mit "
     "\"Datei auswählen\" ausgewählt werden. Danach den Kontonamen so eingeben, wie er in der "
     "Kontenmappe in Ledrino angelegt wurde und auf \"An Ledrino senden\" klicken.",
     true},
    {"pop_konten", {206, 101, 240, 20}, ""},
    {"StaticText2", {19, 102, 179, 20}, "Konto in Ledrino Kontenmappe:"},
};

// The confirmation window "Bestätigung", 302 x 133.
const std::vector<Control> kConfirmationControls = {
    {"StaticText1", {60, 19, 182, 30}, "Script ausgeführt"},
    {"pbOK", {116, 72, 69, 20}, "[ OK ]"},
};

// Places the controls as the terminal display does: each scaled into the window's content, a
// multi-line label grown downward into free rows when its wrapped text needs them.
std::vector<CellRect> PlaceAll(const WindowPlacement& window,
                               const std::vector<Control>& controls) {
  std::vector<CellRect> placed;
  for (const Control& control : controls) placed.push_back(PlaceControl(window, control.pixels));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (!controls[i].multiLine) continue;
    std::vector<CellRect> others = placed;
    others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
    const int needed = static_cast<int>(WrapWords(controls[i].text, placed[i].width).size());
    placed[i] = GrowDownward(placed[i], needed, window.content, others);
  }
  return placed;
}

void ExpectLaidOutWithoutOverlap(int width, int height, const std::vector<Control>& controls) {
  const WindowPlacement window = PlaceWindow(width, height, kMinimumColumns, kMinimumRows);
  // The whole frame stands between the menu bar line and the help line, uncut.
  EXPECT_GE(window.frame.row, 1);
  EXPECT_LE(window.frame.Bottom(), kMinimumRows - 1);
  EXPECT_EQ(window.content.width, PixelsToColumns(width));
  EXPECT_EQ(window.content.height, PixelsToLines(height));
  const std::vector<CellRect> placed = PlaceAll(window, controls);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Control& control = controls[i];
    const CellRect& cells = placed[i];
    SCOPED_TRACE(control.name);
    EXPECT_EQ(cells, Intersect(cells, window.content)) << "inside the window";
    EXPECT_FALSE(cells.IsEmpty());
    if (control.multiLine) {
      EXPECT_LE(static_cast<int>(WrapWords(control.text, cells.width).size()), cells.height)
          << "every line of the text is shown";
    } else {
      EXPECT_LE(CellCount(control.text), cells.width) << "the text fits uncut";
    }
    for (std::size_t other = 0; other < i; ++other) {
      EXPECT_FALSE(Overlap(cells, placed[other])) << "overlaps " << controls[other].name;
    }
  }
}

TEST(TerminalGeometry, MainWindowFitsAnEightyByTwentyFourTerminal) {
  ExpectLaidOutWithoutOverlap(466, 258, kMainWindowControls);
  const WindowPlacement window = PlaceWindow(466, 258, 80, 24);
  EXPECT_EQ(window.frame, (CellRect{1, 0, 22, 80}));
  // The buttons on the bottom line of controls, right and left; the popup beside its label.
  EXPECT_EQ(PlaceControl(window, {377, 218, 69, 20}), (CellRect{19, 64, 1, 11}));
  EXPECT_EQ(PlaceControl(window, {20, 218, 127, 20}), (CellRect{19, 4, 1, 22}));
  EXPECT_EQ(PlaceControl(window, {206, 101, 240, 20}), (CellRect{10, 35, 1, 40}));
  EXPECT_EQ(PlaceControl(window, {19, 102, 179, 20}), (CellRect{10, 4, 1, 30}));
}

TEST(TerminalGeometry, ConfirmationWindowFitsAndStandsCentred) {
  ExpectLaidOutWithoutOverlap(302, 133, kConfirmationControls);
  const WindowPlacement window = PlaceWindow(302, 133, 80, 24);
  EXPECT_EQ(window.frame, (CellRect{6, 14, 12, 52}));
  EXPECT_EQ(window.content, (CellRect{7, 15, 10, 50}));
}

TEST(TerminalGeometry, AMultiLineLabelGrowsOnlyIntoFreeRows) {
  const CellRect content{0, 0, 10, 20};
  const CellRect label{2, 2, 2, 10};
  EXPECT_EQ(GrowDownward(label, 5, content, {}), (CellRect{2, 2, 5, 10}));
  EXPECT_EQ(GrowDownward(label, 5, content, {{6, 12, 1, 5}}), (CellRect{2, 2, 5, 10}))
      << "a control beside the rows does not stop it";
  EXPECT_EQ(GrowDownward(label, 5, content, {{5, 8, 1, 5}}), (CellRect{2, 2, 3, 10}));
  EXPECT_EQ(GrowDownward(label, 20, content, {}), (CellRect{2, 2, 8, 10})) << "cut at the window";
  EXPECT_EQ(GrowDownward(label, 1, content, {}), label) << "never smaller";
}

TEST(TerminalGeometry, RoundsToTheNearestCell) {
  EXPECT_EQ(PixelsToColumns(0), 0);
  EXPECT_EQ(PixelsToColumns(2), 0);
  EXPECT_EQ(PixelsToColumns(3), 1);  // halves round up
  EXPECT_EQ(PixelsToColumns(466), 78);
  EXPECT_EQ(PixelsToLines(6), 0);
  EXPECT_EQ(PixelsToLines(7), 1);
  EXPECT_EQ(PixelsToLines(258), 20);
  EXPECT_EQ(PixelsToColumns(-3), 0);
  EXPECT_EQ(PixelsToColumns(-4), -1);
  // A tiny control keeps one cell; edges decide, so the neighbours 0..5 and 5..11 do not overlap.
  EXPECT_EQ(ScaleToCells({1, 1, 1, 1}), (CellRect{0, 0, 1, 1}));
  EXPECT_FALSE(Overlap(ScaleToCells({0, 0, 5, 13}), ScaleToCells({5, 0, 6, 13})));
  EXPECT_EQ(ScaleToCells({0, 0, 0, 0}), (CellRect{0, 0, 0, 0}));
}

TEST(TerminalGeometry, AWindowLargerThanTheScreenIsCutToIt) {
  const WindowPlacement window = PlaceWindow(466, 258, 60, 12);
  EXPECT_EQ(window.frame, (CellRect{1, 0, 10, 60}));
  EXPECT_EQ(window.content, (CellRect{2, 1, 8, 58}));
  const CellRect quit = PlaceControl(window, {377, 218, 69, 20});
  EXPECT_TRUE(quit.IsEmpty()) << "a control below the cut is not shown";
  const WindowPlacement none = PlaceWindow(466, 258, 0, 0);
  EXPECT_TRUE(none.frame.IsEmpty());
  EXPECT_TRUE(none.content.IsEmpty());
}

}  // namespace
}  // namespace fw::terminal
