#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/app/EventLoop.h"
#include "framework/display/terminal/MessageBoxView.h"
#include "framework/display/terminal/OpenDialog.h"
#include "framework/display/terminal/TerminalDisplay.h"
#include "framework/files/FolderItem.h"
#include "framework/ui/Label.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"
#include "support/TempFolder.h"

namespace fw::terminal {
namespace {

std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}

void RecordEvent(Control& control) { Events().push_back(control.Name().ToUTF8()); }

void Attach(const std::shared_ptr<Control>& control) {
  RuntimeAddEventHandler(control, 15, &RecordEvent, nullptr);
}

// Keys written into a pipe that the display reads; the write end is closed at once, so the input
// ends after these keys.
class PipedKeys {
 public:
  explicit PipedKeys(const std::string& keys) {
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe");
    read_ = fds[0];
    if (::write(fds[1], keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
      throw std::runtime_error("write");
    }
    ::close(fds[1]);
    output_ = ::open("/dev/null", O_WRONLY);
  }
  ~PipedKeys() {
    ::close(read_);
    ::close(output_);
  }
  int Input() const { return read_; }
  int Output() const { return output_; }

 private:
  int read_ = -1;
  int output_ = -1;
};

// A window like the program's main window: 466 x 258 pixels with buttons, labels and a popup.
struct TestWindow {
  std::shared_ptr<Window> window = New<Window>();
  std::shared_ptr<PushButton> quit = New<PushButton>();
  std::shared_ptr<PushButton> save = New<PushButton>();
  std::shared_ptr<Label> text = New<Label>();
  std::shared_ptr<PopupMenu> popup = New<PopupMenu>();
  std::shared_ptr<MenuBar> bar = New<MenuBar>();

  TestWindow() {
    RuntimeInit();
    Events().clear();
    window->Width(466);
    window->Height(258);
    window->Title("Testfenster");
    Place(quit, "btn_quit", 377, 218, 69, 0);
    quit->Caption("Beenden");
    Place(save, "btn_save", 20, 218, 127, 1);
    save->Caption("Senden");
    save->Default(true);
    Place(text, "StaticText5", 19, 36, 352, 53, 2);
    text->MultiLine(true);
    text->Text(
        "Die Daten müssen aus Valtaro im csv-Format exportiert werden und diese Datei dann mit "
        "\"Datei auswählen\" ausgewählt werden. Danach den Kontonamen so eingeben, wie er in der "
        "Kontenmappe in Ledrino angelegt wurde und auf \"An Ledrino senden\" klicken.");
    Place(popup, "pop_konten", 206, 101, 240, 9);
    popup->HelpTag("Hier wird das Konto gewählt.");
    for (const char* row : {"Girokonto", "Sparkonto", "Unbekannt"}) popup->AddRow(row);
    popup->ListIndex(0);
    for (const auto& control :
         {std::static_pointer_cast<Control>(quit), std::static_pointer_cast<Control>(save),
          std::static_pointer_cast<Control>(popup)}) {
      Attach(control);
    }
    auto file = New<MenuItem>();
    file->Name("UntitledMenu2");
    file->Text("Ablage");
    bar->Append(file);
    auto quitItem = New<QuitMenuItem>();
    quitItem->Name("FileQuit");
    quitItem->Text("Beenden");
    quitItem->AutoEnable(true);
    quitItem->KeyboardShortcut("Cmd+Q");
    file->Append(quitItem);
    auto edit = New<MenuItem>();
    edit->Text("Bearbeiten");
    bar->Append(edit);
    auto undo = New<MenuItem>();
    undo->Text("Undo");
    edit->Append(undo);
    window->MenuBar(bar);
    window->Constructor();
  }
  ~TestWindow() { ReleaseAllWindows(); }

  template <class C>
  void Place(const std::shared_ptr<C>& control, const char* name, int left, int top, int width,
             int tabIndex, int height = 20) {
    control->Left(left);
    control->Top(top);
    control->Width(width);
    control->Height(height);
    control->TabIndex(tabIndex);
    window->AddControl(name, control);
  }
  void Place(const std::shared_ptr<Label>& label, const char* name, int left, int top, int width,
             int height, int tabIndex) {
    Place<Label>(label, name, left, top, width, tabIndex, height);
  }
};

std::string Screen(TerminalDisplay& display, int columns = 80, int rows = 24) {
  const ScreenBuffer screen = display.Compose(columns, rows);
  std::string all;
  for (int row = 0; row < screen.Rows(); ++row) all += screen.RowText(row) + "\n";
  return all;
}

void RunUntilInputEnds(TerminalDisplay& display) {
  SetCurrentDisplay(&display);
  while (!LoopShouldEnd()) PumpEvents([] { return true; });
  SetCurrentDisplay(nullptr);
}

TEST(TerminalDisplayTest, DrawsMenuBarWindowControlsAndTheFocusedHelpText) {
  TestWindow w;
  PipedKeys keys("");
  TerminalDisplay display(keys.Input(), keys.Output());
  const std::string screen = Screen(display);
  EXPECT_NE(screen.find(" Ablage  Bearbeiten "), std::string::npos) << screen;
  EXPECT_NE(screen.find("Testfenster"), std::string::npos) << screen;
  EXPECT_NE(screen.find("[ Beenden ]"), std::string::npos) << screen;
  EXPECT_NE(screen.find("[< Senden >]"), std::string::npos) << screen;
  EXPECT_NE(screen.find("Girokonto"), std::string::npos) << screen;
  // The multi-line label is wrapped at word boundaries and shown whole.
  EXPECT_NE(screen.find("klicken."), std::string::npos) << screen;
  EXPECT_NE(screen.find("Die Daten müssen aus Valtaro"), std::string::npos) << screen;
  // The focus starts on the first control of the Tab order; it has no help text.
  const ScreenBuffer buffer = display.Compose(80, 24);
  EXPECT_NE(buffer.RowText(23).find("Tab: nächstes Feld"), std::string::npos);
}

TEST(TerminalDisplayTest, ATerminalTooSmallShowsTheNoticeInstead) {
  TestWindow w;
  PipedKeys keys("");
  TerminalDisplay display(keys.Input(), keys.Output());
  const std::string screen = Screen(display, 79, 24);
  EXPECT_NE(screen.find("Das Terminal ist zu klein"), std::string::npos) << screen;
  EXPECT_EQ(screen.find("Testfenster"), std::string::npos);
}

TEST(TerminalDisplayTest, TabOrderEnterSpaceAndTheDefaultButton) {
  struct Case {
    std::string keys;
    std::vector<std::string> pressed;
  };
  const std::vector<Case> cases = {
      {"\r", {"btn_quit"}},              // the focus starts on TabIndex 0
      {"\t ", {"btn_save"}},             // Tab to the next, Space presses
      {"\x1b[Z\x1b[Z\r", {"btn_save"}},  // Shift+Tab backwards, wrapping round
      {"\t\t\t\r", {"btn_quit"}},        // the popup and round to the first
      {"\rZz\x1b[A", {"btn_quit"}},      // keys that mean nothing here do nothing
  };
  for (const Case& c : cases) {
    TestWindow w;
    PipedKeys keys(c.keys);
    TerminalDisplay display(keys.Input(), keys.Output());
    while (display.HandleNextInput()) {
    }
    EXPECT_EQ(Events(), c.pressed) << testing::PrintToString(c.keys);
  }
}

TEST(TerminalDisplayTest, EnterPressesTheDefaultButtonWhenTheFocusIsOnNoButton) {
  TestWindow w;
  w.quit->Visible(false);
  w.popup->TabStop(false);
  w.save->TabStop(false);
  PipedKeys keys("\r");
  TerminalDisplay display(keys.Input(), keys.Output());
  while (display.HandleNextInput()) {
  }
  EXPECT_EQ(Events(), std::vector<std::string>{"btn_save"});
}

TEST(TerminalDisplayTest, ThePopupListOpensMovesSelectsOrClosesUnchanged) {
  {
    TestWindow w;
    PipedKeys keys("\t\t\r\x1b[B\x1b[B\x1b[B\r");
    TerminalDisplay display(keys.Input(), keys.Output());
    while (display.HandleNextInput()) {
    }
    EXPECT_EQ(w.popup->ListIndex(), 2);
    EXPECT_EQ(Events(), std::vector<std::string>{"pop_konten"});
  }
  {
    TestWindow w;
    // Esc must come alone: the end of the input after it shows it is no sequence.
    PipedKeys keys("\t\t \x1b[B\x1b");
    TerminalDisplay display(keys.Input(), keys.Output());
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(display.HandleNextInput());
    EXPECT_NE(Screen(display).find("Sparkonto"), std::string::npos);
    EXPECT_TRUE(display.HandleNextInput());  // Esc closes the list
    EXPECT_EQ(Screen(display).find("Sparkonto"), std::string::npos);
    EXPECT_EQ(w.popup->ListIndex(), 0);
    EXPECT_TRUE(Events().empty());
    EXPECT_TRUE(w.window->IsOpen());  // the Esc went to the list, not to the window
  }
}

TEST(TerminalDisplayTest, TheHelpLineShowsTheFocusedControlsHelpTag) {
  TestWindow w;
  PipedKeys keys("\t\t");
  TerminalDisplay display(keys.Input(), keys.Output());
  display.HandleNextInput();
  display.HandleNextInput();
  EXPECT_EQ(display.Compose(80, 24).RowText(23).rfind("Hier wird das Konto gewählt.", 0), 0u);
}

TEST(TerminalDisplayTest, EscClosesAWindowWithCloseButtonAndCtrlQQuits) {
  {
    TestWindow w;
    PipedKeys keys("\x1b");
    TerminalDisplay display(keys.Input(), keys.Output());
    RunUntilInputEnds(display);
    EXPECT_FALSE(w.window->IsOpen());
  }
  {
    TestWindow w;
    PipedKeys keys("\x11");
    TerminalDisplay display(keys.Input(), keys.Output());
    RunUntilInputEnds(display);
    EXPECT_TRUE(QuitRequested());
    EXPECT_TRUE(Events().empty());
  }
}

TEST(TerminalDisplayTest, TheMenuOpensWithF10AndOnlyAnEnabledEntryIsChosen) {
  {
    TestWindow w;
    PipedKeys keys("\x1b[21~\x1b[C\r\x1b[D\r");
    TerminalDisplay display(keys.Input(), keys.Output());
    ASSERT_TRUE(display.HandleNextInput());
    EXPECT_NE(Screen(display).find("Strg+Q"), std::string::npos) << Screen(display);
    ASSERT_TRUE(display.HandleNextInput());  // to "Bearbeiten"
    ASSERT_TRUE(display.HandleNextInput());  // "Undo" is not enabled: nothing
    EXPECT_FALSE(QuitRequested());
    EXPECT_NE(Screen(display).find("Undo"), std::string::npos);
    ASSERT_TRUE(display.HandleNextInput());  // back to "Ablage"
    ASSERT_TRUE(display.HandleNextInput());  // "Beenden"
    EXPECT_TRUE(QuitRequested());
  }
  {
    TestWindow w;
    PipedKeys keys("\x1b[21~\x1b\r");
    TerminalDisplay display(keys.Input(), keys.Output());
    while (display.HandleNextInput() && !QuitRequested()) {
    }
    // Esc closed the menu; the Enter then went to the focused quit button.
    EXPECT_EQ(Events(), std::vector<std::string>{"btn_quit"});
  }
}

TEST(TerminalDisplayTest, AMessageIsDismissedByEnterSpaceEscOrTheEndOfInput) {
  for (const std::string dismiss : {"\r", " ", "\x1b", ""}) {
    TestWindow w;
    PipedKeys keys("x" + dismiss + "\r");
    TerminalDisplay display(keys.Input(), keys.Output());
    display.ShowMessage("Zuerst Datei auswählen");
    EXPECT_TRUE(Events().empty());
    // The focus is where it was: the Enter after the message presses the first button.
    while (display.HandleNextInput()) {
    }
    EXPECT_EQ(Events().size(), dismiss.empty() ? 0u : 1u);
  }
}

TEST(TerminalDisplayTest, TheMessageBoxWrapsItsTextAndShowsOk) {
  ScreenBuffer screen(80, 24);
  PaintMessageBox(screen,
                  "Zuerst bitte Ledrino Professional starten und eine Kontenmappe öffnen. Da das "
                  "Programm über AppleScript die Daten sendet, geht dies leider nicht.");
  std::string all;
  for (int row = 0; row < 24; ++row) all += screen.RowText(row) + "\n";
  EXPECT_NE(all.find("Zuerst bitte Ledrino Professional starten"), std::string::npos) << all;
  EXPECT_NE(all.find("nicht."), std::string::npos) << all;
  EXPECT_NE(all.find("[< OK >]"), std::string::npos) << all;
}

class OpenDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder.PathOf("Unterordner"));
    folder.Write("Unterordner/innen.csv", "x");
    folder.Write("b.csv", "x");
    folder.Write("a.csv", "x");
    folder.Write(".versteckt", "x");
  }
  static void Type(OpenDialog& dialog, const std::string& text) {
    for (const char c : text) dialog.HandleKey(Key::Char(static_cast<char32_t>(c)));
  }
  testsupport::TempFolder folder;
};

TEST_F(OpenDialogTest, ListsUpFolderFoldersThenFilesWithoutHiddenOnes) {
  OpenDialog dialog(folder.PathOf(""));
  std::vector<std::string> names;
  for (const auto& entry : dialog.Entries()) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"..", "Unterordner", "a.csv", "b.csv"}));
  EXPECT_TRUE(dialog.Input().empty());
}

TEST_F(OpenDialogTest, EnterOpensTheHighlightedFolderAndChoosesTheHighlightedFile) {
  OpenDialog dialog(folder.PathOf(""));
  EXPECT_EQ(dialog.Highlighted(), 1);  // past ".."
  EXPECT_EQ(dialog.HandleKey(Key::Of(KeyCode::Enter)), OpenDialog::Outcome::Open);
  EXPECT_EQ(dialog.Folder(), ResolvePath(folder.PathOf(""), "Unterordner"));
  EXPECT_EQ(dialog.HandleKey(Key::Of(KeyCode::Enter)), OpenDialog::Outcome::Chosen);
  EXPECT_EQ(dialog.ChosenPath(), ResolvePath(folder.PathOf(""), "Unterordner/innen.csv"));
  dialog.HandleKey(Key::Of(KeyCode::Up));  // ".." leads back up
  EXPECT_EQ(dialog.HandleKey(Key::Of(KeyCode::Enter)), OpenDialog::Outcome::Open);
  EXPECT_EQ(dialog.Folder(), ResolvePath(folder.PathOf(""), "."));
}

TEST_F(OpenDialogTest, ATypedPathOpensAFolderOrIsChosenEvenWhenMissing) {
  const std::string base = ResolvePath(folder.PathOf(""), ".");
  struct Case {
    std::string typed;
    OpenDialog::Outcome outcome;
    std::string path;  // the chosen path, or the folder then shown
  };
  const std::vector<Case> cases = {
      {"a.csv", OpenDialog::Outcome::Chosen, base + "/a.csv"},
      {"fehlt.csv", OpenDialog::Outcome::Chosen, base + "/fehlt.csv"},
      {"Unterordner", OpenDialog::Outcome::Open, base + "/Unterordner"},
      {"Unterordner/../b.csv", OpenDialog::Outcome::Chosen, base + "/b.csv"},
      {base + "/Unterordner/innen.csv", OpenDialog::Outcome::Chosen,
       base + "/Unterordner/innen.csv"},
  };
  for (const Case& c : cases) {
    OpenDialog dialog(base);
    Type(dialog, c.typed);
    EXPECT_EQ(dialog.Input(), c.typed);
    EXPECT_EQ(dialog.HandleKey(Key::Of(KeyCode::Enter)), c.outcome) << c.typed;
    EXPECT_EQ(c.outcome == OpenDialog::Outcome::Chosen ? dialog.ChosenPath() : dialog.Folder(),
              c.path);
  }
}

TEST_F(OpenDialogTest, BackspaceDeletesWholeCharactersAndEscCancels) {
  OpenDialog dialog(folder.PathOf(""));
  Type(dialog, "ab");
  dialog.HandleKey(Key::Char(U'ü'));
  EXPECT_EQ(dialog.Input(), "abü");
  dialog.HandleKey(Key::Of(KeyCode::Backspace));
  EXPECT_EQ(dialog.Input(), "ab");
  EXPECT_EQ(dialog.HandleKey(Key::Of(KeyCode::Escape)), OpenDialog::Outcome::Cancelled);
}

TEST_F(OpenDialogTest, AFolderThatCannotBeReadKeepsTheDialogWhereItWas) {
  std::filesystem::create_directory(folder.PathOf("zu"));
  std::filesystem::permissions(folder.PathOf("zu"), std::filesystem::perms::none);
  if (::access(folder.PathOf("zu").c_str(), R_OK) == 0) GTEST_SKIP() << "running as root";
  const std::string base = ResolvePath(folder.PathOf(""), ".");
  OpenDialog dialog(base);
  Type(dialog, "zu");
  EXPECT_EQ(dialog.HandleKey(Key::Of(KeyCode::Enter)), OpenDialog::Outcome::Open);
  EXPECT_EQ(dialog.Folder(), base);
  EXPECT_NE(dialog.Error().find("lässt sich nicht öffnen"), std::string::npos);
}

TEST_F(OpenDialogTest, ALongNameIsCutOnScreenOnly) {
  const std::string name = std::string(120, 'x') + ".csv";
  folder.Write(name, "x");
  OpenDialog dialog(folder.PathOf(""));
  ScreenBuffer screen(80, 24);
  dialog.Paint(screen);
  std::string all;
  for (int row = 0; row < 24; ++row) all += screen.RowText(row) + "\n";
  EXPECT_NE(all.find("xxx…"), std::string::npos) << all;
  EXPECT_EQ(dialog.Entries().back().name, name);
}

TEST(TerminalDisplayChooseFileTest, TypedRelativeNameChosenFromTheWorkingDirectory) {
  TestWindow w;
  testsupport::TempFolder folder;
  folder.Write("export.csv", "x");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.PathOf(""));
  std::shared_ptr<FolderItem> chosen;
  {
    PipedKeys keys("export.csv\r");
    TerminalDisplay display(keys.Input(), keys.Output());
    chosen = display.ChooseFile("special/any");
  }
  std::shared_ptr<FolderItem> cancelled;
  {
    PipedKeys keys("\x1b");
    TerminalDisplay display(keys.Input(), keys.Output());
    cancelled = display.ChooseFile("special/any");
  }
  std::filesystem::current_path(previous);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Name().ToUTF8(), "export.csv");
  EXPECT_TRUE(chosen->Exists());
  EXPECT_EQ(cancelled, nullptr);
}

}  // namespace
}  // namespace fw::terminal
