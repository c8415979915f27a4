#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/runtime/Delegate.h"
#include "framework/runtime/Object.h"
#include "framework/runtime/Registration.h"
#include "framework/ui/Label.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw {
namespace {

std::vector<std::string>& Trace() {
  static std::vector<std::string> trace;
  return trace;
}

// A small class pair whose field set-up and release leave a trace.
class Base : public Object {
 public:
  static const ClassTable& Lookup() {
    static const ClassTable& table = RuntimeNewClass(
        "Test.Base", nullptr, [](Object&) { Trace().push_back("init Base"); },
        [](Object&) { Trace().push_back("exit Base"); }, [] { return new Base(); });
    return table;
  }
};

class Derived : public Base {
 public:
  static const ClassTable& Lookup() {
    static const ClassTable& table = []() -> ClassTable& {
      ClassTable& t = RuntimeNewClass(
          "Test.Derived", &Base::Lookup(), [](Object&) { Trace().push_back("init Derived"); },
          [](Object&) { Trace().push_back("exit Derived"); }, [] { return new Derived(); });
      RuntimeNewVtable(t, {Method<&Derived::Twice>("Twice", "%i4%i4")});
      return t;
    }();
    return table;
  }
  std::int32_t Twice(std::int32_t value) { return 2 * value; }
};

TEST(RuntimeTest, NewObjectSetsUpBasesFirstAndReleasesTheClassFirst) {
  Trace().clear();
  {
    ObjectRef object = RuntimeNewObject(Derived::Lookup());
    EXPECT_EQ(Trace(), (std::vector<std::string>{"init Base", "init Derived"}));
    EXPECT_EQ(&object->Class(), &Derived::Lookup());
  }
  EXPECT_EQ(Trace(),
            (std::vector<std::string>{"init Base", "init Derived", "exit Derived", "exit Base"}));
}

TEST(RuntimeTest, CheckCastPassesInstancesAndNoneAndRaisesForOthers) {
  ObjectRef derived = RuntimeNewObject(Derived::Lookup());
  EXPECT_EQ(RuntimeCheckCast(derived, Base::Lookup()), derived);
  EXPECT_EQ(RuntimeCheckCast(nullptr, Derived::Lookup()), nullptr);
  ObjectRef base = RuntimeNewObject(Base::Lookup());
  EXPECT_THROW(RuntimeCheckCast(base, Derived::Lookup()), IllegalCastException);
  ObjectRef label = RuntimeNewObject(Label::Lookup());
  EXPECT_THROW(RuntimeCheckCast<PushButton>(label, PushButton::Lookup()), RuntimeException);
}

TEST(RuntimeTest, GenericInvokerCallsTheMethodWithConvertedArguments) {
  ObjectRef derived = RuntimeNewObject(Derived::Lookup());
  const MethodEntry* twice = Derived::Lookup().VirtualMethod("Twice");
  ASSERT_NE(twice, nullptr);
  EXPECT_EQ(twice->signature, "%i4%i4");
  EXPECT_EQ(std::any_cast<std::int32_t>(twice->invoker(*derived, {std::int32_t{21}})), 42);
  EXPECT_THROW(twice->invoker(*derived, {}), RuntimeException);
}

TEST(RuntimeTest, ARegisteredClassNameCannotBeRegisteredAgain) {
  Derived::Lookup();
  EXPECT_THROW(RuntimeNewClass("Test.Derived", nullptr), RuntimeException);
  EXPECT_EQ(RuntimeFindClass("Test.Derived"), &Derived::Lookup());
}

TEST(RuntimeTest, ControlEventsAreNumberedOverTheBasesSoFifteenIsTheClassesFirst) {
  EXPECT_EQ(Control::Lookup().EventCount(), 3);
  EXPECT_EQ(RectControl::Lookup().EventCount(), 15);
  EXPECT_EQ(PushButton::Lookup().EventNumber("Action"), 15);
  EXPECT_EQ(PopupMenu::Lookup().EventNumber("Change"), 15);
  EXPECT_EQ(PushButton::Lookup().EventByNumber(15)->name, "Action");
  EXPECT_EQ(PopupMenu::Lookup().EventByNumber(15)->name, "Change");
  EXPECT_EQ(Label::Lookup().EventByNumber(15), nullptr);
}

// The event glue as a program writes it: a trampoline for event 15 and an invoker for
// "( PushButton )" that calls a method of the target window.
std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

class HandlerWindow : public Window {
 public:
  void Pressed(const std::shared_ptr<PushButton>& button) {
    Calls().push_back("Pressed " + button->Name().ToUTF8());
  }
};

using Handler = void (HandlerWindow::*)(const std::shared_ptr<PushButton>&);

void InvokePushButton(Delegate& delegate, Control& control) {
  ObjectRef target = delegate.Target();
  auto window = std::dynamic_pointer_cast<HandlerWindow>(target);
  auto button = std::dynamic_pointer_cast<PushButton>(control.shared_from_this());
  ((*window).*delegate.FunctionAs<Handler>())(button);
}

void Stub15(Control& control) {
  std::shared_ptr<Delegate> delegate = control.EventDelegate(15);
  delegate->InvokerAs<void (*)(Delegate&, Control&)>()(*delegate, control);
}

const ClassTable& HandlerWindowClass() {
  static const ClassTable& table = RuntimeNewClass("Test.HandlerWindow", &Window::Lookup(), {}, {},
                                                   [] { return new HandlerWindow(); });
  return table;
}

TEST(DelegateTest, WeakTargetThatIsGoneRaisesInsteadOfCalling) {
  Calls().clear();
  ObjectRef window = RuntimeNewObject(HandlerWindowClass());
  auto button = New<PushButton>();
  button->Name("btn");
  RuntimeAddEventHandler(button, 15, Stub15,
                         RuntimeCreateDelegate(&InvokePushButton, &HandlerWindow::Pressed, window,
                                               "( PushButton )", 1));
  std::shared_ptr<Delegate> delegate = button->EventDelegate(15);
  ASSERT_TRUE(delegate->HoldsTargetWeakly());
  Stub15(*button);
  EXPECT_EQ(Calls(), std::vector<std::string>{"Pressed btn"});

  window.reset();  // the weak delegate does not keep the window
  EXPECT_THROW(Stub15(*button), NilObjectException);
  EXPECT_EQ(Calls().size(), 1u);
}

TEST(DelegateTest, StrongTargetIsKeptAlive) {
  ObjectRef window = RuntimeNewObject(HandlerWindowClass());
  std::weak_ptr<Object> watch = window;
  auto delegate = RuntimeCreateDelegate(&InvokePushButton, &HandlerWindow::Pressed, window,
                                        "( PushButton )", 0);
  window.reset();
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(delegate->Target(), watch.lock());
  delegate.reset();
  EXPECT_TRUE(watch.expired());
}

TEST(DelegateTest, TheRoutineIsReadBackAndAWrongTypeRaises) {
  auto delegate = RuntimeCreateDelegate(nullptr, &Stub15, nullptr, "(  )", 0);
  EXPECT_EQ(delegate->FunctionAs<void (*)(Control&)>(), &Stub15);
  EXPECT_EQ(delegate->Target(), nullptr);
  EXPECT_THROW(delegate->FunctionAs<int>(), RuntimeException);
}

}  // namespace
}  // namespace fw
