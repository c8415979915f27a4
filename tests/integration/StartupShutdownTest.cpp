#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/app/FileType.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/Label.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "integration/ProgramRun.h"
#include "shell/FileTypes.h"
#include "shell/Menue.h"
#include "shell/Process.h"

namespace integration {
namespace {

TEST(StartupTest, StepsRunInOrderAndTheWindowSetsItselfUpBeforeItOpens) {
  ProgramRun run;
  struct {
    std::vector<fw::FileTypeRegistration> typesWhenMenuBarSet;
    bool appRegisteredWhenMenuBarSet = true;
    bool windowOpenWhenMenuBarSet = true;
    bool menuBarBeforeWindowList = false;
    bool windowListBeforeControls = false;
    bool appRegisteredWhenWindowOpened = false;
    std::size_t scriptRunsWhenWindowOpened = 99;
    std::size_t controlsWhenWindowOpened = 0;
  } seen;
  run.display.onMenuBarChanged = [&] {
    seen.typesWhenMenuBarSet = fw::RegisteredFileTypes();
    seen.appRegisteredWhenMenuBarSet = fw::AppObject() != nullptr;
    seen.windowOpenWhenMenuBarSet = !fw::OpenWindows().empty();
  };
  bool firstChange = true;
  run.display.onWindowChanged = [&](fw::Window& window) {
    if (firstChange) {
      firstChange = false;
      seen.menuBarBeforeWindowList = window.MenuBar() != nullptr && window.Title() == fw::Text();
    }
    if (window.Controls().size() == 1) {
      seen.windowListBeforeControls = window.Title() == fw::Text("Valtaro-Import v1.02");
    }
  };
  auto keepMainWindow = run.display.onWindowOpened;
  run.display.onWindowOpened = [&](fw::Window& window) {
    keepMainWindow(window);
    seen.appRegisteredWhenWindowOpened = fw::AppObject() != nullptr;
    seen.scriptRunsWhenWindowOpened = run.host.Runs().size();
    seen.controlsWhenWindowOpened = window.Controls().size();
  };

  EXPECT_EQ(run.Run(), 0);

  ASSERT_EQ(seen.typesWhenMenuBarSet.size(), 1u);
  const fw::FileTypeRegistration& type = seen.typesWhenMenuBarSet[0];
  EXPECT_EQ(type.name.ToUTF8(), "special/any");
  EXPECT_EQ(type.macType.ToUTF8(), "????");
  EXPECT_EQ(type.macCreator.ToUTF8(), "????");
  EXPECT_EQ(type.extensions.ToUTF8(), "");
  EXPECT_EQ(fw::FileTypeRegistrationCount(), 1);
  EXPECT_FALSE(seen.appRegisteredWhenMenuBarSet);
  EXPECT_FALSE(seen.windowOpenWhenMenuBarSet);
  EXPECT_TRUE(seen.appRegisteredWhenWindowOpened);
  EXPECT_TRUE(seen.menuBarBeforeWindowList);
  EXPECT_TRUE(seen.windowListBeforeControls);
  // Open comes after the controls exist: the account query has not run when the window opens.
  EXPECT_EQ(seen.controlsWhenWindowOpened, 8u);
  EXPECT_EQ(seen.scriptRunsWhenWindowOpened, 0u);
  ASSERT_EQ(run.host.Runs().size(), 1u);
  EXPECT_EQ(run.host.Runs()[0].number, 169);
  EXPECT_FALSE(run.host.Runs()[0].withParameters);
  EXPECT_EQ(run.LogCount("Fenster geöffnet: Valtaro-Import v1.02"), 1u);
}

TEST(StartupTest, MainWindowHasItsControlsInOrderWithTheirSizesAndTheSharedMenuBar) {
  ProgramRun run;
  std::shared_ptr<fw::MenuBar> appMenuBar;
  bool accessorGivesTheOpenWindow = false;
  run.display.beforeInput = [&](std::size_t) {
    appMenuBar = fw::AppObject()->MenuBar();
    accessorGivesTheOpenWindow =
        valtaro::Fenster1::Fenster1() == run.mainWindow && fw::OpenWindows().size() == 1;
  };
  run.display.ChooseMenuItem("EditCut");  // does nothing in the program
  EXPECT_EQ(run.Run(), 0);

  auto& window = *run.mainWindow;
  EXPECT_TRUE(accessorGivesTheOpenWindow);
  EXPECT_EQ(window.MenuBar(), appMenuBar);
  EXPECT_NE(appMenuBar, nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<valtaro::Menü::MenüClass>(appMenuBar), nullptr);

  struct Expected {
    const char* name;
    const fw::ClassTable& (*cls)();
    float textSize;
  };
  const float popupDefault = fw::PopupMenu().TextSize();
  const std::vector<Expected> expected = {{"btn_quit", fw::PushButton::Lookup, 12},
                                          {"btn_save", fw::PushButton::Lookup, 12},
                                          {"btn_datei", fw::PushButton::Lookup, 12},
                                          {"StaticText1", fw::Label::Lookup, 12},
                                          {"StaticText3", fw::Label::Lookup, 12},
                                          {"StaticText5", fw::Label::Lookup, 9},
                                          {"pop_konten", fw::PopupMenu::Lookup, popupDefault},
                                          {"StaticText2", fw::Label::Lookup, 12}};
  ASSERT_EQ(window.Controls().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    const auto& control = window.Controls()[i];
    EXPECT_EQ(control->Name().ToUTF8(), expected[i].name);
    EXPECT_EQ(&control->Class(), &expected[i].cls());
    float size = -1;
    fw::FontUnits unit = fw::FontUnits::kPoint;
    if (auto button = std::dynamic_pointer_cast<fw::PushButton>(control)) {
      size = button->TextSize(), unit = button->TextUnit();
    } else if (auto label = std::dynamic_pointer_cast<fw::Label>(control)) {
      size = label->TextSize(), unit = label->TextUnit();
    } else if (auto popup = std::dynamic_pointer_cast<fw::PopupMenu>(control)) {
      size = popup->TextSize(), unit = popup->TextUnit();
    }
    EXPECT_EQ(size, expected[i].textSize);
    EXPECT_EQ(unit, fw::FontUnits::kDefault);
  }
  EXPECT_EQ(window.btn_quit()->Caption().ToUTF8(), "Beenden");
  EXPECT_EQ(window.pop_konten()->HelpTag().ToUTF8().rfind("Hier kann das Konto", 0), 0u);
  EXPECT_EQ(window.FileQuit()->Text().ToUTF8(), "Beenden");
  EXPECT_EQ(window.UntitledMenu0()->Text().ToUTF8(), "Bearbeiten");
  EXPECT_EQ(window.UntitledMenu3(), nullptr);
  // A new window holds the empty import state.
  EXPECT_EQ(window.f, nullptr);
  EXPECT_EQ(window.zeilen->UBound(), -1);
  EXPECT_EQ(window.anz_zeilen, 0);
  EXPECT_EQ(window.Anzahl, 0);
  EXPECT_EQ(window.kontoname, fw::Text());
}

// Each way to quit ends the loop at once, with code 0: the action queued after it stays undone.
TEST(QuitTest, ButtonMenuItemAndShortcutQuitAtOnceWithCodeZero) {
  const std::vector<std::pair<const char*, std::function<void(fw::ScriptedDisplay&)>>> ways = {
      {"button Beenden", [](fw::ScriptedDisplay& d) { d.PressButton("", "btn_quit"); }},
      {"menu item Beenden", [](fw::ScriptedDisplay& d) { d.ChooseMenuItem("FileQuit"); }},
      {"Cmd+Q", [](fw::ScriptedDisplay& d) { d.PressCmdQ(); }},
  };
  for (const auto& [name, quit] : ways) {
    SCOPED_TRACE(name);
    ProgramRun run;
    quit(run.display);
    run.display.PressButton("", "btn_datei");
    EXPECT_EQ(run.Run(), 0);
    EXPECT_EQ(run.display.PendingActions(), 1u);
    EXPECT_TRUE(run.display.Messages().empty());
    EXPECT_TRUE(run.display.FileTypeRequests().empty());
  }
}

// A menu item below the bar records the moment the bar goes.
class ReleaseProbe : public fw::MenuItem {
 public:
  explicit ReleaseProbe(std::function<void()> onRelease) : onRelease_(std::move(onRelease)) {}
  ~ReleaseProbe() override { onRelease_(); }

 private:
  std::function<void()> onRelease_;
};

TEST(ShutdownTest, ReleasesTheFileTypeBeforeTheMenuBarAndLeavesBothGlobalsNone) {
  ProgramRun run;
  bool barReleased = false;
  bool typeWithdrawnFirst = false;
  run.display.beforeInput = [&](std::size_t) {
    valtaro::Menü::implicitInstance->Append(std::make_shared<ReleaseProbe>([&] {
      barReleased = true;
      typeWithdrawnFirst = fw::RegisteredFileTypes().empty() && !valtaro::FileTypes::pSpecialAny;
    }));
  };
  run.display.PressButton("", "btn_quit");
  // This test holds no window, so that the bar goes with its last global.
  run.display.onWindowOpened = nullptr;

  EXPECT_EQ(run.Run(), 0);
  EXPECT_TRUE(barReleased);
  EXPECT_TRUE(typeWithdrawnFirst);
  EXPECT_EQ(valtaro::FileTypes::pSpecialAny, nullptr);
  EXPECT_EQ(valtaro::Menü::implicitInstance, nullptr);
  EXPECT_TRUE(fw::RegisteredFileTypes().empty());
}

TEST(ShutdownTest, AnExceptionOutOfTheEventLoopIsReportedOnceAndShutDownStillRuns) {
  ProgramRun run;
  run.display.PressButton("", "kein_knopf");  // raises out of the loop
  run.display.PressButton("", "btn_quit");

  EXPECT_EQ(run.Run(), 1);
  ASSERT_EQ(run.display.Messages().size(), 1u);
  EXPECT_NE(run.display.Messages()[0].find("ScriptedDisplayError"), std::string::npos);
  EXPECT_EQ(run.display.PendingActions(), 1u);
  EXPECT_EQ(valtaro::FileTypes::pSpecialAny, nullptr);
  EXPECT_EQ(valtaro::Menü::implicitInstance, nullptr);
  EXPECT_TRUE(fw::OpenWindows().empty());
}

// Setting the application's menu bar is the fourth step of creating the application object; a
// failure there ends start-up before the application is registered and the main window exists.
TEST(ShutdownTest, AnExceptionOutOfStartUpIsReportedTheLoopNeverStartsAndShutDownStillRuns) {
  ProgramRun run;
  run.display.onMenuBarChanged = [] { throw fw::RuntimeException(fw::Text("Menüleiste kaputt")); };
  run.display.onWindowChanged = [&](fw::Window&) { ADD_FAILURE() << "a window was set up"; };
  run.display.PressButton("", "btn_quit");

  EXPECT_EQ(run.Run(), 1);
  ASSERT_EQ(run.display.Messages().size(), 1u);
  EXPECT_NE(run.display.Messages()[0].find("Menüleiste kaputt"), std::string::npos);
  // The loop never ran: the queued press is still pending and nobody asked for the accounts.
  EXPECT_EQ(run.display.PendingActions(), 1u);
  EXPECT_TRUE(run.host.Runs().empty());
  EXPECT_EQ(run.mainWindow, nullptr);
  EXPECT_EQ(valtaro::FileTypes::pSpecialAny, nullptr);
  EXPECT_EQ(valtaro::Menü::implicitInstance, nullptr);
  EXPECT_TRUE(fw::RegisteredFileTypes().empty());
}

void ReturnsNormally(void* argument) { *static_cast<int*>(argument) += 1; }
void RaisesRuntimeException(void* argument) {
  std::rethrow_exception(*static_cast<std::exception_ptr*>(argument));
}
void RaisesOtherObject(void*) { throw 42; }

TEST(ExceptionHelperTest, ReturnsNoneTheVeryRuntimeExceptionOrRaisesAnythingElseAgain) {
  int calls = 0;
  EXPECT_EQ(valtaro::CallFunctionWithExceptionHandling(&ReturnsNormally, &calls), nullptr);
  EXPECT_EQ(calls, 1);

  std::exception_ptr raised = std::make_exception_ptr(fw::NilObjectException());
  std::exception_ptr returned =
      valtaro::CallFunctionWithExceptionHandling(&RaisesRuntimeException, &raised);
  EXPECT_EQ(returned, raised);
  EXPECT_THROW(std::rethrow_exception(returned), fw::NilObjectException);

  EXPECT_THROW(valtaro::CallFunctionWithExceptionHandling(&RaisesOtherObject, nullptr), int);
}

}  // namespace
}  // namespace integration
