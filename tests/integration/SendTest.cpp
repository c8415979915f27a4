#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "integration/ProgramRun.h"
#include "shell/wBestaetigung.h"
#include "support/TempFolder.h"

namespace integration {
namespace {

// An export file in ISO Latin-1: the header, then one line per booking.
const std::string kHeader =
    "Buchungstag;Wertstellungstag;Betrag;Beg\xFCnstigter/Absender - Name;Kategorie;"
    "Unterkategorie;Verwendungszweckzeile 1";
const std::string kStrom = "02.01.2024;03.01.2024;-84,00;Stadtwerke;Wohnen;Strom;Abschlag";
const std::string kGehalt = "31.01.2024;31.01.2024;2500,5;Firma M\xFCller;Einkommen;;Gehalt";
const std::string kMiete = "01.02.2024;01.02.2024;-700;Vermieter;Wohnen;;Miete";

const std::vector<std::string> kStromBooking = {
    "02.01.2024", "03.01.2024", "8400", "Sparbuch", "Unbekannt", "Strom", "Stadtwerke", "Abschlag"};
const std::vector<std::string> kGehaltBooking = {"31.01.2024",   "31.01.2024", "250050",
                                                 "Unbekannt",    "Sparbuch",   "Einkommen",
                                                 "Firma Müller", "Gehalt"};

class SendTest : public testing::Test {
 protected:
  std::string Export(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return folder_.Write("export.csv", bytes);
  }

  // Keeps every confirmation window that opens.
  void KeepConfirmations(ProgramRun& run) {
    auto keepMainWindow = run.display.onWindowOpened;
    run.display.onWindowOpened = [this, keepMainWindow](fw::Window& window) {
      keepMainWindow(window);
      if (auto shown = std::dynamic_pointer_cast<valtaro::wBestaetigung::wBestaetigungClass>(
              window.shared_from_this())) {
        confirmations_.push_back(shown);
      }
    };
  }

  testsupport::TempFolder folder_;
  std::vector<std::shared_ptr<valtaro::wBestaetigung::wBestaetigungClass>> confirmations_;
};

TEST_F(SendTest, ChosenFileIsSentForTheChosenAccountAndEachSendIsConfirmedInANewWindow) {
  ProgramRun run;
  KeepConfirmations(run);
  const std::string path = Export({kHeader, kStrom, kGehalt});
  run.display.PressButton("Fenster1", "btn_datei")
      .AnswerFile(path)
      .PickPopupRow("Fenster1", "pop_konten", 1)
      .PressButton("Fenster1", "btn_save")
      .PressButton("Bestätigung", "pbOK")
      .PressButton("Fenster1", "btn_save")
      .CloseWindow("Bestätigung")
      .PressButton("Fenster1", "btn_quit");

  EXPECT_EQ(run.Run(), 0);
  EXPECT_TRUE(run.display.Messages().empty());
  EXPECT_EQ(run.display.FileTypeRequests(), std::vector<std::string>{"special/any"});
  EXPECT_EQ(run.mainWindow->StaticText3()->Text().ToUTF8(), "export.csv");
  EXPECT_EQ(run.Bookings(), (std::vector<std::vector<std::string>>{kStromBooking, kGehaltBooking,
                                                                   kStromBooking, kGehaltBooking}));
  ASSERT_EQ(confirmations_.size(), 2u);
  EXPECT_NE(confirmations_[0], confirmations_[1]);
  for (const auto& window : confirmations_) {
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(window->Title().ToUTF8(), "Bestätigung");
    EXPECT_EQ(window->StaticText1()->Text().ToUTF8(), "Script ausgeführt");
    EXPECT_EQ(window->pbOK()->Caption().ToUTF8(), "OK");
    EXPECT_EQ(window->MenuBar(), nullptr);
  }
  EXPECT_EQ(run.LogCount("Modal: Bestätigung"), 2u);
  EXPECT_EQ(run.LogCount("Fenster geschlossen: Bestätigung"), 2u);
  // A send changes nothing of the window's state.
  EXPECT_EQ(run.mainWindow->anz_zeilen, 2);
}

TEST_F(SendTest, AFileWithItsHeaderOnlyHandsOverNothingAndIsStillConfirmed) {
  ProgramRun run;
  run.display.PressButton("Fenster1", "btn_datei")
      .AnswerFile(Export({kHeader}))
      .PressButton("Fenster1", "btn_save")
      .PressButton("Bestätigung", "pbOK");

  EXPECT_EQ(run.Run(), 0);
  EXPECT_TRUE(run.Bookings().empty());
  EXPECT_EQ(run.LogCount("Modal: Bestätigung"), 1u);
}

// The send's three tests, in their order, and the sends they stop.
TEST_F(SendTest, ASendIsStoppedByTheFirstFailingTestWithItsMessage) {
  const std::string account = "Zuerst Kontonamen eingeben!";
  const std::string file = "Zuerst Datei auswählen";
  struct Case {
    const char* name;
    const char* accounts;
    // Queues what the person does before pressing the send button.
    std::function<void(ProgramRun&, const std::string& path)> before;
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {"empty account row and no file",
       ", Giro",
       [](ProgramRun&, const std::string&) {},
       {account}},
      {"empty account row with a file",
       ", Giro",
       [](ProgramRun& r, const std::string& p) {
         r.display.PressButton("Fenster1", "btn_datei").AnswerFile(p);
       },
       {account}},
      {"no file chosen", "Giro", [](ProgramRun&, const std::string&) {}, {file}},
      {"dialog cancelled after a load",
       "Giro",
       [](ProgramRun& r, const std::string& p) {
         r.display.PressButton("Fenster1", "btn_datei").AnswerFile(p);
         r.display.PressButton("Fenster1", "btn_datei").CancelFile();
       },
       {file}},
      {"file deleted after the choice",
       "Giro",
       [](ProgramRun& r, const std::string& p) {
         r.display.PressButton("Fenster1", "btn_datei").AnswerFile(p);
         r.display.beforeInput = [p](std::size_t input) {
           if (input == 1) std::filesystem::remove(p);
         };
       },
       {file}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramRun run(c.accounts);
    const std::string path = Export({kHeader, kStrom});
    c.before(run, path);
    run.display.PressButton("Fenster1", "btn_save").PressButton("Fenster1", "btn_quit");

    EXPECT_EQ(run.Run(), 0);
    EXPECT_EQ(run.display.Messages(), c.messages);
    EXPECT_TRUE(run.Bookings().empty());
    EXPECT_EQ(run.LogCount("Fenster geöffnet: Bestätigung"), 0u);
    EXPECT_EQ(run.display.PendingActions(), 0u);
  }
}

TEST_F(SendTest, ACancelledDialogKeepsTheLabelAndTheLinesButForgetsTheFile) {
  ProgramRun run;
  run.display.PressButton("Fenster1", "btn_datei")
      .AnswerFile(Export({kHeader, kStrom}))
      .PressButton("Fenster1", "btn_datei")
      .CancelFile();

  EXPECT_EQ(run.Run(), 0);
  auto& window = *run.mainWindow;
  EXPECT_EQ(window.f, nullptr);
  EXPECT_EQ(window.StaticText3()->Text().ToUTF8(), "export.csv");
  EXPECT_EQ(window.anz_zeilen, 1);
  EXPECT_EQ(window.zeilen->UBound(), 1);
}

// A file that was chosen but whose lines could not be read leaves nothing to send: the send says
// so as for a missing file, and no confirmation claims that anything was sent.
TEST_F(SendTest, AFileWhoseLinesCouldNotBeReadIsNotSentAndNotConfirmed) {
  ProgramRun run;
  const std::string unreadable = folder_.PathOf("ordner.csv");
  std::filesystem::create_directory(unreadable);
  run.display.PressButton("Fenster1", "btn_datei")
      .AnswerFile(unreadable)
      .PressButton("Fenster1", "btn_save");

  EXPECT_EQ(run.Run(), 0);
  ASSERT_EQ(run.display.Messages().size(), 2u);
  EXPECT_EQ(run.display.Messages()[0], "Datei " + unreadable + " kann nicht gelesen werden");
  EXPECT_EQ(run.display.Messages()[1], "Zuerst Datei auswählen");
  EXPECT_EQ(run.mainWindow->anz_zeilen, -1);
  EXPECT_TRUE(run.Bookings().empty());
  EXPECT_EQ(run.LogCount("Fenster geöffnet: Bestätigung"), 0u);
}

// A booking script that fails ends the send: the failure is reported, the lines after it are not
// sent, no confirmation follows, and the program goes on.
TEST_F(SendTest, AFailingScriptDuringASendIsReportedAndTheProgramGoesOn) {
  ProgramRun run("Sparbuch");
  run.host.FailRun(2);  // run 0 asks for the accounts, run 1 is the first booking
  run.display.PressButton("Fenster1", "btn_datei")
      .AnswerFile(Export({kHeader, kStrom, kGehalt, kMiete}))
      .PressButton("Fenster1", "btn_save")
      .PressButton("Fenster1", "btn_quit");

  EXPECT_EQ(run.Run(), 0);
  ASSERT_EQ(run.display.Messages().size(), 1u);
  EXPECT_NE(run.display.Messages()[0].find("Script 168 ist fehlgeschlagen"), std::string::npos);
  EXPECT_EQ(run.host.Runs().size(), 3u);
  EXPECT_EQ(run.LogCount("Fenster geöffnet: Bestätigung"), 0u);
  EXPECT_EQ(run.display.PendingActions(), 0u);  // the quit button was still carried out
}

}  // namespace
}  // namespace integration
