#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/app/Application.h"
#include "framework/runtime/ClassTable.h"
#include "framework/ui/Window.h"
#include "shell/App.h"
#include "shell/Fenster1.h"
#include "shell/wBestaetigung.h"

namespace valtaro {
namespace {

const fw::AttributeList kPublic = {{"__Scope", "Public"}};
const fw::AttributeList kPublicHidden = {{"__Scope", "Public"}, {"Hidden", std::nullopt}};

struct Member {
  std::string name;
  std::string signature;  // for a property: its type text
  fw::AttributeList attributes = kPublic;
};

struct ClassExpectation {
  const fw::ClassTable& (*lookup)();
  std::string fullName;
  const fw::ClassTable& (*base)();
  std::vector<Member> methods;
  std::vector<Member> properties;
  std::vector<std::string> events;
  fw::AttributeList classAttributes;
};

const std::vector<ClassExpectation>& Expectations() {
  static const std::vector<ClassExpectation> expectations = {
      {Fenster1::Fenster1Class::Lookup,
       "Fenster1.Fenster1",
       fw::Window::Lookup,
       {{"Layout", "%%"},
        {"CreateControls", "%%"},
        {"_CreateControls0", "%%", kPublicHidden},
        {"btn_quit", "%o<PushButton>%"},
        {"btn_save", "%o<PushButton>%"},
        {"btn_datei", "%o<PushButton>%"},
        {"StaticText1", "%o<Label>%"},
        {"StaticText3", "%o<Label>%"},
        {"StaticText5", "%o<Label>%"},
        {"pop_konten", "%o<PopupMenu>%"},
        {"StaticText2", "%o<Label>%"},
        {"btn_quit_Action", "%%o<PushButton>"},
        {"btn_save_Action", "%%o<PushButton>"},
        {"btn_datei_Action", "%%o<PushButton>"},
        {"pop_konten_Change", "%%o<PopupMenu>"},
        {"UntitledMenu0", "%o<MenuItem>%"},
        {"EditClear", "%o<MenuItem>%"},
        {"EditPaste", "%o<MenuItem>%"},
        {"EditCopy", "%o<MenuItem>%"},
        {"EditCut", "%o<MenuItem>%"},
        {"UntitledMenu1", "%o<MenuItem>%"},
        {"EditUndo", "%o<MenuItem>%"},
        {"UntitledMenu2", "%o<MenuItem>%"},
        {"FileQuit", "%o<QuitMenuItem>%"},
        {"UntitledMenu3", "%o<MenuItem>%"},
        {"Event_Open", "%%"},
        {"Laden", "%%"},
        {"buchung_erzeugen", "%%"}},
       {{"f", "o<FolderItem>"},
        {"Anzahl", "i4"},
        {"zeilen", "A1s"},
        {"anz_zeilen", "i4"},
        {"kontoname", "s"}},
       {"Layout", "CreateControls", "Open"},
       kPublic},
      {wBestaetigung::wBestaetigungClass::Lookup,
       "wBestaetigung.wBestaetigung",
       fw::Window::Lookup,
       {{"Layout", "%%"},
        {"CreateControls", "%%"},
        {"_CreateControls0", "%%", kPublicHidden},
        {"StaticText1", "%o<Label>%"},
        {"pbOK", "%o<PushButton>%"},
        {"pbOK_Action", "%%o<PushButton>"}},
       {},
       {"Layout", "CreateControls"},
       kPublic},
      {App::Lookup, "App", fw::Application::Lookup, {{"Constructor", "%%"}}, {}, {}, {}},
  };
  return expectations;
}

TEST(RegistrationTablesTest, ClassesAreRegisteredWithTheirMembersInOrder) {
  for (const ClassExpectation& expected : Expectations()) {
    SCOPED_TRACE(expected.fullName);
    const fw::ClassTable& table = expected.lookup();
    EXPECT_EQ(table.fullName, expected.fullName);
    EXPECT_EQ(table.base, &expected.base());
    EXPECT_EQ(fw::RuntimeFindClass(expected.fullName), &table);

    ASSERT_EQ(table.methods.size(), expected.methods.size());
    for (std::size_t i = 0; i < expected.methods.size(); ++i) {
      SCOPED_TRACE(expected.methods[i].name);
      EXPECT_EQ(table.methods[i]->name, expected.methods[i].name);
      EXPECT_EQ(table.methods[i]->signature, expected.methods[i].signature);
      EXPECT_EQ(table.methods[i]->attributes, expected.methods[i].attributes);
      EXPECT_TRUE(table.methods[i]->invoker);
    }
    ASSERT_EQ(table.properties.size(), expected.properties.size());
    for (std::size_t i = 0; i < expected.properties.size(); ++i) {
      SCOPED_TRACE(expected.properties[i].name);
      EXPECT_EQ(table.properties[i].name, expected.properties[i].name);
      EXPECT_EQ(table.properties[i].typeText, expected.properties[i].signature);
      EXPECT_EQ(table.properties[i].attributes, expected.properties[i].attributes);
    }
    std::vector<std::string> events;
    for (const auto& [name, implementation] : table.implementedEvents) events.push_back(name);
    EXPECT_EQ(events, expected.events);
    EXPECT_EQ(table.attributes ? *table.attributes : fw::AttributeList(), expected.classAttributes);

    // Every own method is the class's virtual operation of its name.
    for (const auto& method : table.methods) {
      EXPECT_EQ(table.VirtualMethod(method->name), method.get()) << method->name;
    }
  }
}

TEST(RegistrationTablesTest, ASecondRegistrationChangesNothing) {
  std::vector<std::size_t> before;
  for (const ClassExpectation& expected : Expectations()) {
    before.push_back(expected.lookup().methods.size() + expected.lookup().vtable.size());
  }
  Fenster1::Fenster1Class::ctblinit();
  wBestaetigung::wBestaetigungClass::ctblinit();
  App::ctblinit();
  for (std::size_t i = 0; i < Expectations().size(); ++i) {
    const fw::ClassTable& table = Expectations()[i].lookup();
    EXPECT_EQ(table.methods.size() + table.vtable.size(), before[i]) << table.fullName;
  }
}

// The registered properties of the main window read and write its import-state fields.
TEST(RegistrationTablesTest, MainWindowPropertiesReachItsFields) {
  const fw::ClassTable& table = Fenster1::Fenster1Class::Lookup();
  auto window = fw::RuntimeCheckCast<Fenster1::Fenster1Class>(fw::RuntimeNewObject(table), table);
  ASSERT_NE(window->zeilen, nullptr);  // the field set-up ran
  EXPECT_EQ(window->zeilen->UBound(), -1);

  const fw::PropertyEntry* anzZeilen = table.FindProperty("anz_zeilen");
  ASSERT_NE(anzZeilen, nullptr);
  anzZeilen->setter(*window, fw::PropertyValue(std::int32_t{7}));
  EXPECT_EQ(window->anz_zeilen, 7);
  EXPECT_EQ(std::get<std::int32_t>(anzZeilen->getter(*window)), 7);
  window->kontoname = fw::Text("Giro");
  EXPECT_EQ(std::get<fw::Text>(table.FindProperty("kontoname")->getter(*window)).ToUTF8(), "Giro");
}

}  // namespace
}  // namespace valtaro
