#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/app/EventLoop.h"
#include "framework/app/FileType.h"
#include "framework/display/ScriptedDisplay.h"
#include "framework/files/FolderItem.h"
#include "framework/runtime/Delegate.h"
#include "framework/ui/PersonActions.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw {
namespace {

std::vector<std::string>& Trace() {
  static std::vector<std::string> trace;
  return trace;
}

// The event glue, as a program writes it, for handlers taking the control.
using Handler = void (*)(Object& window, Control& control);
void Invoke(Delegate& delegate, Control& control) {
  ObjectRef window = delegate.Target();
  delegate.FunctionAs<Handler>()(*window, control);
}
void Stub15(Control& control) {
  auto delegate = control.EventDelegate(15);
  delegate->InvokerAs<void (*)(Delegate&, Control&)>()(*delegate, control);
}

// A window whose events leave a trace; its CreateControls adds the buttons named in `buttons`.
class TraceWindow : public Window {
 public:
  static const ClassTable& Lookup() {
    static const ClassTable& table = []() -> ClassTable& {
      ClassTable& t = RuntimeNewClass("Test.TraceWindow", &Window::Lookup(), {}, {},
                                      [] { return new TraceWindow(); });
      RuntimeNewVtable(t, {});
      t.implementedEvents = {EventImpl<&TraceWindow::Layout>("Layout"),
                             EventImpl<&TraceWindow::CreateControls>("CreateControls"),
                             EventImpl<&TraceWindow::EventOpen>("Open")};
      return t;
    }();
    return table;
  }

  void Layout() {
    Title(Text(title));
    Trace().push_back(title + " Layout");
  }
  void CreateControls() {
    Trace().push_back(title + " CreateControls");
    for (auto& [name, handler] : buttons) {
      ObjectRef button = New(PushButton::Lookup());
      RuntimeCheckCast<PushButton>(button, PushButton::Lookup())->Constructor();
      AddControl(Text(name), button);
      RuntimeAddEventHandler(
          ControlByName(Text(name)), 15, Stub15,
          RuntimeCreateDelegate(&Invoke, handler, shared_from_this(), "( PushButton )", 1));
    }
  }
  void EventOpen() {
    Trace().push_back(title + " Open");
    if (quitOnOpen) Quit(0);
  }

  // Set before the constructor runs, as a class of the program would fix them.
  static inline std::string nextTitle;
  static inline std::vector<std::pair<std::string, Handler>> nextButtons;
  static inline bool nextQuitOnOpen = false;

  std::string title = nextTitle;
  std::vector<std::pair<std::string, Handler>> buttons = nextButtons;
  bool quitOnOpen = nextQuitOnOpen;
};

std::shared_ptr<TraceWindow> OpenTraceWindow(std::string title,
                                             std::vector<std::pair<std::string, Handler>> buttons,
                                             bool quitOnOpen = false) {
  TraceWindow::nextTitle = std::move(title);
  TraceWindow::nextButtons = std::move(buttons);
  TraceWindow::nextQuitOnOpen = quitOnOpen;
  auto window = New<TraceWindow>();
  window->Constructor();
  return window;
}

void Record(Object&, Control& control) {
  Trace().push_back("pressed " + static_cast<PushButton&>(control).Name().ToUTF8());
}
void Fail(Object&, Control&) { throw OutOfBoundsException(Text("Index 3 außerhalb")); }
void CloseWindow(Object& window, Control&) { static_cast<Window&>(window).Close(); }
void ShowDialog(Object&, Control&) {
  auto dialog = OpenTraceWindow("Dialog", {{"pbOK", CloseWindow}});
  Trace().push_back("modal begins");
  dialog->ShowModal();
  Trace().push_back("modal returned");
}

class WindowLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RuntimeInit();
    Trace().clear();
  }
  void TearDown() override { RuntimeInit(); }
  ScriptedDisplay display_;
};

TEST_F(WindowLoopTest, LayoutAndCreateControlsDuringConstructionOpenWhenTheLoopRunsBeforeInput) {
  auto window = OpenTraceWindow("Main", {{"btn", Record}});
  EXPECT_EQ(Trace(), (std::vector<std::string>{"Main Layout", "Main CreateControls"}));
  EXPECT_EQ(GetImplicitWindow(Text("Test.TraceWindow")), window);
  EXPECT_FALSE(window->ContentsChanged());
  display_.PressButton("Main", "btn");
  RuntimeRun();
  EXPECT_EQ(Trace(), (std::vector<std::string>{"Main Layout", "Main CreateControls", "Main Open",
                                               "pressed btn"}));
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(WindowLoopTest, AQuitInOpenEndsTheLoopBeforeAnyInput) {
  OpenTraceWindow("Main", {{"btn", Record}}, true);
  display_.PressButton("Main", "btn");
  RuntimeRun();
  EXPECT_EQ(Trace().back(), "Main Open");
  EXPECT_EQ(display_.PendingActions(), 1u);
}

TEST_F(WindowLoopTest, AClosedWindowIsNotFoundAgainAndClosingTheLastEndsTheApplication) {
  auto window = OpenTraceWindow("Main", {{"btn", Record}});
  display_.CloseWindow("Main").PressButton("Main", "btn");
  RuntimeRun();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_EQ(GetImplicitWindow(Text("Test.TraceWindow")), nullptr);
  EXPECT_EQ(display_.PendingActions(), 1u);
  EXPECT_TRUE(QuitRequested());
}

TEST_F(WindowLoopTest, ShowModalRunsANestedLoopUntilTheWindowCloses) {
  OpenTraceWindow("Main", {{"btn_save", ShowDialog}, {"btn", Record}});
  display_.PressButton("Main", "btn_save").PressButton("Dialog", "pbOK").PressButton("", "btn");
  RuntimeRun();
  EXPECT_EQ(Trace(),
            (std::vector<std::string>{"Main Layout", "Main CreateControls", "Main Open",
                                      "Dialog Layout", "Dialog CreateControls", "modal begins",
                                      "Dialog Open", "modal returned", "pressed btn"}));
  ASSERT_EQ(OpenWindows().size(), 1u);
  EXPECT_EQ(GetImplicitWindow(Text("Test.TraceWindow"))->Class().fullName, "Test.TraceWindow");
}

TEST_F(WindowLoopTest, AnExceptionOfAHandlerIsReportedAndTheLoopGoesOn) {
  static int helperCalls = 0;
  helperCalls = 0;
  RuntimeSetExceptionHelper([](void (*routine)(void*), void* argument) -> std::exception_ptr {
    ++helperCalls;
    try {
      routine(argument);
    } catch (const RuntimeException&) {
      return std::current_exception();
    }
    return nullptr;
  });
  OpenTraceWindow("Main", {{"bad", Fail}, {"btn", Record}});
  display_.PressButton("Main", "bad").PressButton("Main", "btn");
  RuntimeRun();
  EXPECT_EQ(
      display_.Messages(),
      std::vector<std::string>{"Unbehandelte Ausnahme OutOfBoundsException: Index 3 außerhalb"});
  EXPECT_EQ(Trace().back(), "pressed btn");
  EXPECT_EQ(helperCalls, 5);  // Layout, CreateControls, Open and the two buttons
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(WindowLoopTest, AnExceptionEndingStartUpMakesTheExitCodeOne) {
  UnhandledException(std::make_exception_ptr(NilObjectException()));
  EXPECT_EQ(display_.Messages().size(), 1u);
  EXPECT_NE(display_.Messages()[0].find("NilObjectException"), std::string::npos);
  EXPECT_EQ(RuntimeExit(), 1);
}

TEST_F(WindowLoopTest, CmdQChoosesTheQuitItemOfTheApplicationsMenuBar) {
  auto app = New<Application>();
  auto bar = New<MenuBar>();
  auto menu = New<MenuItem>();
  auto quit = New<QuitMenuItem>();
  quit->KeyboardShortcut(Text("Cmd+Q"));
  menu->Append(quit);
  bar->Append(menu);
  app->MenuBar(bar);
  RuntimeRegisterAppObject(app);
  OpenTraceWindow("Main", {{"btn", Record}});
  display_.PressCmdQ().PressButton("Main", "btn");
  RuntimeRun();
  EXPECT_EQ(display_.PendingActions(), 1u);
  EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(WindowLoopTest, PickingAPopupRowSelectsItAndRaisesChange) {
  auto window = OpenTraceWindow("Main", {});
  auto popup = New<PopupMenu>();
  window->AddControl(Text("pop"), popup);
  static int changes = 0;
  changes = 0;
  RuntimeAddEventHandler(
      popup, 15, [](Control&) { ++changes; }, nullptr);
  popup->ListIndex(0);  // no row yet: nothing is selected
  EXPECT_TRUE(popup->Text().IsEmpty());
  popup->AddRow(Text("Giro"));
  popup->AddRow(Text("Kasse"));
  EXPECT_EQ(popup->Text(), Text("Giro"));
  EXPECT_EQ(changes, 0);
  display_.PickPopupRow("Main", "pop", 1);
  RuntimeRun();
  EXPECT_EQ(popup->ListIndex(), 1);
  EXPECT_EQ(popup->Text(), Text("Kasse"));
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(PickPopupRow(*popup, 2), OutOfBoundsException);
}

TEST_F(WindowLoopTest, TheLoopEndsWhenInputEnds) {
  OpenTraceWindow("Main", {});
  RuntimeRun();
  EXPECT_FALSE(QuitRequested());
  EXPECT_TRUE(LoopShouldEnd());
}

TEST(FileTypeTest, SettersWithdrawConversionRegistersOnceReleaseWithdraws) {
  RuntimeInit();
  auto type = New<FileType>();
  type->Name(Text("special/any"));
  type->Extensions(Text(""));
  type->MacType(Text("????"));
  type->MacCreator(Text("????"));
  EXPECT_TRUE(RegisteredFileTypes().empty());
  EXPECT_EQ(type->Operator_Convert(), Text("special/any"));
  type->Operator_Convert();
  ASSERT_EQ(RegisteredFileTypes().size(), 1u);
  EXPECT_EQ(FileTypeRegistrationCount(), 1);
  EXPECT_EQ(RegisteredFileTypes()[0].macCreator, Text("????"));
  type->MacType(Text("TEXT"));
  EXPECT_TRUE(RegisteredFileTypes().empty());
  type->Operator_Convert();
  EXPECT_EQ(RegisteredFileTypes().size(), 1u);
  type.reset();
  EXPECT_TRUE(RegisteredFileTypes().empty());
}

}  // namespace
}  // namespace fw

namespace fw {
namespace {

TEST(ScriptedDisplayTest, AnswersDialogsInQueueOrderAndRecordsWhatIsShown) {
  RuntimeInit();
  ScriptedDisplay display;
  display.DismissMessage().AnswerFile("/tmp/export.csv").CancelFile();
  CurrentDisplay().ShowMessage(Text("Zuerst Datei auswählen"));
  EXPECT_EQ(display.PendingActions(), 2u);
  auto chosen = CurrentDisplay().ChooseFile(Text("special/any"));
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->Name(), Text("export.csv"));
  EXPECT_EQ(CurrentDisplay().ChooseFile(Text("special/any")), nullptr);
  EXPECT_EQ(CurrentDisplay().ChooseFile(Text("special/any")), nullptr);  // nothing queued: cancel
  EXPECT_EQ(display.Messages(), std::vector<std::string>{"Zuerst Datei auswählen"});
  EXPECT_EQ(display.FileTypeRequests().size(), 3u);
  EXPECT_FALSE(display.HandleNextInput());
}

TEST(ScriptedDisplayTest, AnActionOnAMissingControlIsAScriptFault) {
  RuntimeInit();
  ScriptedDisplay display;
  display.PressButton("Nirgends", "btn");
  EXPECT_THROW(display.HandleNextInput(), ScriptedDisplayError);
}

}  // namespace
}  // namespace fw
