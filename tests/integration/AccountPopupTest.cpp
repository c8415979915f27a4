#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "integration/ProgramRun.h"

namespace integration {
namespace {

std::vector<std::string> Rows(const fw::PopupMenu& popup) {
  std::vector<std::string> rows;
  for (const fw::Text& row : popup.Rows()) rows.push_back(row.ToUTF8());
  return rows;
}

TEST(AccountPopupTest, EachPieceOfTheAnswerBecomesOneRowAndTheFirstIsSelected) {
  const struct {
    const char* answer;
    std::vector<std::string> rows;
  } cases[] = {
      {"Giro, Sparbuch", {"Giro", "Sparbuch"}}, {"Girokonto", {"Girokonto"}},
      {"Giro,Sparbuch", {"Giro,Sparbuch"}},     {"Giro,  Sparbuch", {"Giro", " Sparbuch"}},
      {", Giro, ", {"", "Giro", ""}},           {" ", {" "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    ProgramRun run(c.answer);
    EXPECT_EQ(run.Run(), 0);
    auto popup = run.mainWindow->pop_konten();
    EXPECT_EQ(Rows(*popup), c.rows);
    EXPECT_EQ(popup->ListIndex(), 0);
    EXPECT_EQ(popup->Text().ToUTF8(), c.rows[0]);
    EXPECT_TRUE(run.display.Messages().empty());
  }
}

TEST(AccountPopupTest, AnEmptyAnswerShowsTheMessageAndQuitsOnceItIsDismissed) {
  ProgramRun run("");
  run.display.DismissMessage();
  run.display.PressButton("", "btn_datei");

  EXPECT_EQ(run.Run(), 0);
  EXPECT_EQ(run.display.Messages(),
            std::vector<std::string>{
                "Zuerst bitte Ledrino Professional starten und eine Kontenmappe öffnen. Da das "
                "Programm über AppleScript die Daten sendet, geht dies leider nicht mit der "
                "Standard-Version von Ledrino. Man kann für den Import aber auch die "
                "Demoversion der Professional verwenden. Die Daten stehen dann danach auch in "
                "der Standard-Version zur Verfügung."});
  EXPECT_EQ(run.display.PendingActions(), 1u);  // the button press after the message never came
  EXPECT_EQ(run.mainWindow->pop_konten()->ListCount(), 0);
}

}  // namespace
}  // namespace integration
