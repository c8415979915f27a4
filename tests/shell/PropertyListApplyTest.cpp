#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/runtime/MassPropertySetter.h"
#include "framework/runtime/PropertyListReader.h"
#include "framework/ui/Label.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"
#include "shell/PropertyLists.h"

namespace valtaro {
namespace {

struct ListCase {
  const char* label;
  std::function<const std::string&()> list;
  const fw::ClassTable& (*table)();
  std::size_t entries;
  std::size_t bytes;  // 0 where no length is fixed for the list
};

const std::vector<ListCase>& Lists() {
  static const std::vector<ListCase> cases = {
      {"Fenster1", PropertyLists::Fenster1Window, fw::Window::Lookup, 21, 0},
      {"btn_quit", PropertyLists::btn_quit, fw::PushButton::Lookup, 26, 307},
      {"btn_save", PropertyLists::btn_save, fw::PushButton::Lookup, 26, 0},
      {"btn_datei", PropertyLists::btn_datei, fw::PushButton::Lookup, 26, 0},
      {"StaticText1", PropertyLists::StaticText1, fw::Label::Lookup, 29, 0},
      {"StaticText3", PropertyLists::StaticText3, fw::Label::Lookup, 29, 0},
      {"StaticText5", PropertyLists::StaticText5, fw::Label::Lookup, 29, 0},
      {"pop_konten", PropertyLists::pop_konten, fw::PopupMenu::Lookup, 26, 0},
      {"StaticText2", PropertyLists::StaticText2, fw::Label::Lookup, 29, 0},
      {"wBestaetigung", PropertyLists::wBestaetigungWindow, fw::Window::Lookup, 21, 279},
      {"wBestaetigung.StaticText1", PropertyLists::wBestaetigung_StaticText1, fw::Label::Lookup, 28,
       352},
      {"pbOK", PropertyLists::pbOK, fw::PushButton::Lookup, 25, 282},
  };
  return cases;
}

std::vector<fw::PropertyListEntry> Parse(const std::string& list, const fw::ClassTable& table) {
  fw::PropertyListReader reader(list, [&table](std::string_view name) {
    const fw::PropertyEntry* property = table.FindProperty(name);
    return property ? std::optional<fw::ValueKind>(property->Kind()) : std::nullopt;
  });
  std::vector<fw::PropertyListEntry> entries;
  while (!reader.AtEnd()) entries.push_back(reader.Next());
  return entries;
}

// Values of the four list kinds compared; anything else is not compared.
bool Same(const fw::PropertyValue& a, const fw::PropertyValue& b) {
  if (a.index() != b.index()) return false;
  if (std::holds_alternative<std::any>(a)) return true;
  return std::visit(
      [&b](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::any>) {
          return true;
        } else {
          return value == std::get<T>(b);
        }
      },
      a);
}

std::vector<const fw::PropertyEntry*> AllProperties(const fw::ClassTable& table) {
  std::vector<const fw::PropertyEntry*> all;
  for (const fw::ClassTable* c = &table; c != nullptr; c = c->base) {
    for (const auto& property : c->properties) all.push_back(&property);
  }
  return all;
}

TEST(PropertyListApplyTest, EachListParsesToItsLastByteWithItsEntryCount) {
  for (const ListCase& c : Lists()) {
    SCOPED_TRACE(c.label);
    const std::string& list = c.list();
    std::vector<fw::PropertyListEntry> entries;
    ASSERT_NO_THROW(entries = Parse(list, c.table()));
    EXPECT_EQ(entries.size(), c.entries);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().offset + entries.back().length, list.size());
    if (c.bytes != 0) {
      EXPECT_EQ(list.size(), c.bytes);
    }
  }
}

TEST(PropertyListApplyTest, ApplyingGivesNamedPropertiesTheirValuesAndLeavesTheOthers) {
  for (const ListCase& c : Lists()) {
    SCOPED_TRACE(c.label);
    const fw::ClassTable& table = c.table();
    fw::ObjectRef fresh = fw::RuntimeNewObject(table);
    fw::ObjectRef object = fw::RuntimeNewObject(table);
    fw::SetProperties(object, fw::Text(c.list()));

    std::set<const fw::PropertyEntry*> named;
    for (const fw::PropertyListEntry& entry : Parse(c.list(), table)) {
      const fw::PropertyEntry* property = table.FindProperty(entry.name);
      named.insert(property);
      EXPECT_TRUE(Same(property->getter(*object), entry.value)) << entry.name;
    }
    for (const fw::PropertyEntry* property : AllProperties(table)) {
      if (named.count(property) != 0) continue;
      EXPECT_TRUE(Same(property->getter(*object), property->getter(*fresh))) << property->name;
    }
  }
}

TEST(PropertyListApplyTest, ARowIndexThePopupRefusesRaisesTheListErrorAtItsEntry) {
  std::string list = PropertyLists::pop_konten();
  std::size_t at = 0;
  for (const fw::PropertyListEntry& entry : Parse(list, fw::PopupMenu::Lookup())) {
    if (entry.name == "ListIndex") at = entry.offset;
  }
  ASSERT_NE(at, 0u);
  list.replace(at + std::string("ListIndex ").size(), 4,
               std::string("\xFC\x00\x00\x00", 4));  // -67108864

  auto popup = fw::New<fw::PopupMenu>();
  try {
    fw::SetProperties(popup, fw::Text(list));
    ADD_FAILURE() << "no exception";
  } catch (const fw::PropertyListException& e) {
    EXPECT_EQ(e.Offset(), at);
    EXPECT_EQ(e.Message().ToUTF8(), "Fehlerhafte Eigenschaftsliste bei Byte " + std::to_string(at) +
                                        ": die Eigenschaft \"ListIndex\" lehnt den Wert ab: "
                                        "Ungültige Zeilennummer -67108864");
  }
  EXPECT_EQ(popup->Name(), fw::Text("pop_konten"));  // before the refused entry
  EXPECT_EQ(popup->TabIndex(), 9);
  EXPECT_EQ(popup->ListIndex(), -1);        // as a new popup has it
  EXPECT_TRUE(popup->HelpTag().IsEmpty());  // after the refused entry
}

TEST(PropertyListApplyTest, SpellingsOfTheListsReachTheDeclaredProperties) {
  auto label = fw::New<fw::Label>();
  fw::SetProperties(label, fw::Text(PropertyLists::StaticText5()));  // spells "Multiline"
  EXPECT_TRUE(label->MultiLine());
  auto confirmation = fw::New<fw::Label>();
  confirmation->MultiLine(true);
  fw::SetProperties(confirmation, fw::Text(PropertyLists::wBestaetigung_StaticText1()));
  EXPECT_FALSE(confirmation->MultiLine());  // spelled "MultiLine", value 0
  EXPECT_EQ(confirmation->TextAlign(), 1);

  auto window = fw::New<fw::Window>();
  window->MacProcId(5);
  fw::SetProperties(window, fw::Text(PropertyLists::Fenster1Window()));  // spells "MacProcID"
  EXPECT_EQ(window->MacProcId(), 0);
  EXPECT_EQ(window->Title(), fw::Text("Valtaro-Import v1.02"));
  EXPECT_EQ(window->Width(), 466);
  EXPECT_EQ(window->Height(), 258);

  auto quit = fw::New<fw::PushButton>();
  fw::SetProperties(quit, fw::Text(PropertyLists::btn_quit()));
  EXPECT_EQ(quit->Name(), fw::Text("btn_quit"));
  EXPECT_EQ(quit->Index(), INT32_MIN);
  EXPECT_EQ(quit->Left(), 377);
  EXPECT_EQ(quit->Caption(), fw::Text("Beenden"));
}

}  // namespace
}  // namespace valtaro
