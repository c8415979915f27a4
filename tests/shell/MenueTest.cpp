#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app/EventLoop.h"
#include "framework/ui/PersonActions.h"
#include "shell/Menue.h"

namespace valtaro {
namespace {

struct Row {
  const char* name;
  const fw::ClassTable* itemClass;
  const char* text;
  const char* shortcut;  // null: never assigned
  bool autoEnable;
};

void ExpectChildren(const fw::MenuItem& menu, const std::vector<Row>& rows) {
  ASSERT_EQ(menu.Count(), static_cast<std::int32_t>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    const fw::MenuItem& item = *menu.Item(static_cast<std::int32_t>(i));
    SCOPED_TRACE(row.name);
    EXPECT_EQ(item.Name().ToUTF8(), row.name);
    EXPECT_EQ(&item.Class(), row.itemClass);
    EXPECT_EQ(item.Text().ToUTF8(), row.text);
    EXPECT_EQ(item.AutoEnable(), row.autoEnable);
    if (row.shortcut == nullptr) {
      EXPECT_FALSE(item.KeyboardShortcutAssigned());
    } else {
      EXPECT_TRUE(item.KeyboardShortcutAssigned());
      EXPECT_EQ(item.KeyboardShortcut().ToUTF8(), row.shortcut);
    }
  }
}

class MenueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw::RuntimeInit();
    Menü::implicitInstanceExit();
  }
  void TearDown() override { Menü::implicitInstanceExit(); }
};

TEST_F(MenueTest, BuildsTheTwoMenusWithTheirEntriesInOrder) {
  std::shared_ptr<Menü::MenüClass> bar = Menü::Menü();
  const fw::ClassTable* item = &fw::MenuItem::Lookup();
  ExpectChildren(*bar, {{"UntitledMenu2", item, "Ablage", "", false},
                        {"UntitledMenu0", item, "Bearbeiten", "", false}});
  ExpectChildren(*bar->Item(0),
                 {{"FileQuit", &fw::QuitMenuItem::Lookup(), "Beenden", "Cmd+Q", true}});
  ExpectChildren(*bar->Item(1), {{"EditUndo", item, "Undo", "Cmd+Z", false},
                                 {"UntitledMenu1", item, "-", nullptr, false},
                                 {"EditCut", item, "Ausschneiden", "Cmd+X", false},
                                 {"EditCopy", item, "Kopieren", "Cmd+C", false},
                                 {"EditPaste", item, "Einfügen", "Cmd+V", false},
                                 {"EditClear", item, "Löschen", "", false}});
}

TEST_F(MenueTest, TheAccessorCreatesOnceAndBuildsNothingTheSecondTime) {
  EXPECT_EQ(Menü::implicitInstance, nullptr);
  auto first = Menü::Menü();
  EXPECT_EQ(Menü::implicitInstance, first);
  auto second = Menü::Menü();
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->Count(), 2);
  EXPECT_EQ(second->Item(1)->Count(), 6);
}

TEST_F(MenueTest, LookupFindsItemsTwoLevelsDownAndNothingForAnUnknownName) {
  auto bar = Menü::Menü();
  EXPECT_EQ(bar->Lookup(fw::Text("EditPaste"))->Text().ToUTF8(), "Einfügen");
  EXPECT_EQ(bar->Lookup(fw::Text("FileQuit"))->Text().ToUTF8(), "Beenden");
  EXPECT_EQ(bar->Lookup(fw::Text("UntitledMenu0"))->Text().ToUTF8(), "Bearbeiten");
  EXPECT_EQ(bar->Lookup(fw::Text("UntitledMenu3")), nullptr);
}

TEST_F(MenueTest, ReleaseAtShutDownEmptiesTheInstanceAndDestroysTheBar) {
  std::weak_ptr<Menü::MenüClass> watch = Menü::Menü();
  Menü::implicitInstanceExit();
  EXPECT_EQ(Menü::implicitInstance, nullptr);
  EXPECT_TRUE(watch.expired());
}

TEST_F(MenueTest, ChoosingTheQuitItemQuitsAndTheEditItemsDoNothing) {
  auto bar = Menü::Menü();
  fw::ChooseMenuItem(*bar->Lookup(fw::Text("EditCut")));
  EXPECT_FALSE(fw::QuitRequested());
  fw::ChooseMenuItem(*bar->Lookup(fw::Text("FileQuit")));
  EXPECT_TRUE(fw::QuitRequested());
  EXPECT_EQ(fw::RuntimeExit(), 0);
}

TEST_F(MenueTest, TheClassIsRegisteredWithItsMethodsAndAttributes) {
  const fw::ClassTable& table = Menü::MenüClass::Lookup();
  Menü::MenüClass::ctblinit();  // a second registration changes nothing
  EXPECT_EQ(&Menü::MenüClass::Lookup(), &table);
  EXPECT_EQ(table.fullName, "Menü.Menü");
  EXPECT_EQ(table.base, &fw::MenuBar::Lookup());
  EXPECT_EQ(*table.attributes, (fw::AttributeList{{"__Scope", "Public"}}));
  ASSERT_EQ(table.methods.size(), 3u);
  const char* names[] = {"Untitled1", "Untitled2", "Constructor"};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(table.methods[i]->name, names[i]);
    EXPECT_EQ(table.methods[i]->signature, "%%");
    EXPECT_EQ(table.methods[i]->attributes, (fw::AttributeList{{"__Scope", "Public"}}));
  }
  // The own Constructor takes the place of the item's; Untitled1 and Untitled2 come last.
  EXPECT_EQ(table.VirtualMethod("Constructor"), table.methods[2].get());
  EXPECT_EQ(table.vtable.size(), fw::MenuBar::Lookup().vtable.size() + 2);
  EXPECT_EQ(table.vtable.back()->name, "Untitled2");
}

}  // namespace
}  // namespace valtaro
