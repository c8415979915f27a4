#include <gtest/gtest.h>

#include <climits>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/runtime/MassPropertySetter.h"
#include "framework/runtime/PropertyListReader.h"
#include "framework/runtime/Registration.h"
#include "framework/ui/Label.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

namespace fw {
namespace {

using namespace std::string_literals;

TEST(MassPropertySetterTest, SetsNamedPropertiesIgnoringCaseAndLeavesTheOthers) {
  auto button = New<PushButton>();
  button->Top(33);
  std::string list = "caption \x00\x00\x00\x02OK"s + "LEFT \x80\x00\x00\x00"s + "dEfAuLt \x01"s +
                     "HelpTag \x00\x00\x00\x00"s + "Width \x00\x00\x01\xD2"s;
  SetProperties(button, Text(list));
  EXPECT_EQ(button->Caption(), Text("OK"));
  EXPECT_EQ(button->Left(), INT32_MIN);
  EXPECT_TRUE(button->Default());
  EXPECT_TRUE(button->HelpTag().IsEmpty());
  EXPECT_EQ(button->Width(), 466);
  EXPECT_EQ(button->Top(), 33);
  EXPECT_FALSE(button->Cancel());
}

TEST(MassPropertySetterTest, ColorsAndCountedUtf8Texts) {
  auto label = New<Label>();
  SetProperties(label,
                Text("TextColor \x01\x02\x03"s + "Text \x00\x00\x00\x10"s + "Datei auswählen"));
  EXPECT_EQ(label->TextColor(), (Color{1, 2, 3}));
  EXPECT_EQ(label->Text(), Text("Datei auswählen"));
}

TEST(MassPropertySetterTest, TheNearestDeclarationDecidesTheType) {
  // Window declares Width itself; a control's Width comes from RectControl.
  EXPECT_EQ(Window::Lookup().FindProperty("width")->typeText, "Int32");
  EXPECT_EQ(PushButton::Lookup().FindProperty("TEXTFONT"), &PushButton::Lookup().properties[4]);
  EXPECT_NE(Label::Lookup().FindProperty("TextFont"),
            PushButton::Lookup().FindProperty("TextFont"));
  EXPECT_EQ(Window::Lookup().FindProperty("MacProcID")->name, "MacProcId");
  EXPECT_EQ(Label::Lookup().FindProperty("Multiline")->name, "MultiLine");
}

struct MalformedCase {
  const char* cause;
  std::string list;
  std::size_t offset;
  std::string messagePart;
};

TEST(MassPropertySetterTest, MalformedListsRaiseWithTheOffsetAndKeepEarlierEntries) {
  const std::string left7 = "Left \x00\x00\x00\x07"s;  // 9 bytes, applied before the fault
  const std::vector<MalformedCase> cases = {
      {"name without its blank", left7 + "Caption", 9, "endet nicht mit einem Leerzeichen"},
      {"empty name", left7 + " \x01"s, 9, "der Name ist leer"},
      {"undeclared name", left7 + "Bogus \x00"s, 9, "kennt keine Eigenschaft \"Bogus\""},
      {"binary name", left7 + "\x01\xFF \x00"s, 9, "\"\\x01\\xFF\""},
      {"Int32 cut short", left7 + "Top \x00\x01"s, 13, "(4 Bytes erwartet, 2 vorhanden)"},
      {"String count cut short", left7 + "Caption \x00\x00"s, 17,
       "(4 Bytes erwartet, 2 vorhanden)"},
      {"String text cut short", left7 + "Caption \x00\x00\x00\x05"s + "ab", 21,
       "(5 Bytes erwartet, 2 vorhanden)"},
      {"huge String count", left7 + "Caption \xFF\xFF\xFF\xFF"s, 21, "4294967295 Bytes erwartet"},
      {"Boolean other than 0 and 1", left7 + "Default \x02"s, 17, "weder 0 noch 1"},
      {"type a list cannot carry", left7 + "TextSize \x00\x00\x00\x00"s, 9,
       "kann nicht aus einer Liste gesetzt werden"},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.cause);
    auto button = New<PushButton>();
    try {
      SetProperties(button, Text(c.list));
      ADD_FAILURE() << "no exception";
    } catch (const PropertyListException& e) {
      EXPECT_EQ(e.Offset(), c.offset);
      std::string message = e.Message().ToUTF8();
      EXPECT_NE(message.find("bei Byte " + std::to_string(c.offset)), std::string::npos) << message;
      EXPECT_NE(message.find(c.messagePart), std::string::npos) << message;
    }
    if (c.list.rfind("Left ", 0) == 0) {
      EXPECT_EQ(button->Left(), 7);
    }
  }
}

// A class whose property "Level" refuses values in each way a setter can: a framework exception,
// a standard-library exception, or some other raised object.
class Picky : public Object {
 public:
  static const ClassTable& Lookup() {
    static const ClassTable& table = []() -> ClassTable& {
      ClassTable& t = RuntimeNewClass("Test.Picky", nullptr, {}, {}, [] { return new Picky(); });
      t.properties = {Field<&Picky::width>("Width", "Int32"),
                      Property<Picky, std::int32_t>(
                          "Level", "Int32", [](Picky& p) { return p.level; },
                          [](Picky& p, std::int32_t value) { p.Level(value); })};
      return t;
    }();
    return table;
  }

  void Level(std::int32_t value) {
    if (value == 1) throw OutOfBoundsException(Text("Stufe 1 gibt es nicht"));
    if (value == 2) throw std::length_error("level too long");
    if (value == 3) throw 3;
    level = value;
  }

  std::int32_t width = 0;
  std::int32_t level = 0;
};

TEST(MassPropertySetterTest, AValueItsSetterRefusesRaisesAtItsEntryAndKeepsEarlierEntries) {
  struct RefusalCase {
    char value;
    std::string reason;
  };
  const std::vector<RefusalCase> cases = {
      {'\x01', "Stufe 1 gibt es nicht"},
      {'\x02', "level too long"},
      {'\x03', "Fehler unbekannter Art"},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.reason);
    ObjectRef object = RuntimeNewObject(Picky::Lookup());
    auto& picky = static_cast<Picky&>(*object);
    const std::string list =
        "Width \x00\x00\x00\x07"s + "Level \x00\x00\x00"s + c.value + "Width \x00\x00\x00\x09"s;
    try {
      RuntimeMassPropertySetter(*object, list);
      ADD_FAILURE() << "no exception";
    } catch (const PropertyListException& e) {
      EXPECT_EQ(e.Offset(), 10u);
      EXPECT_EQ(e.Message().ToUTF8(),
                "Fehlerhafte Eigenschaftsliste bei Byte 10: die Eigenschaft "
                "\"Level\" lehnt den Wert ab: " +
                    c.reason);
      const auto* nested = dynamic_cast<const std::nested_exception*>(&e);
      ASSERT_NE(nested, nullptr);
      EXPECT_NE(nested->nested_ptr(), nullptr);
    }
    EXPECT_EQ(picky.width, 7);
    EXPECT_EQ(picky.level, 0);
  }
}

TEST(MassPropertySetterTest, AColorCutShortRaises) {
  auto label = New<Label>();
  try {
    SetProperties(label, Text("TextColor \x00\x00"s));
    ADD_FAILURE() << "no exception";
  } catch (const PropertyListException& e) {
    EXPECT_EQ(e.Offset(), 10u);
  }
}

TEST(MassPropertySetterTest, NoneRaisesNilObjectException) {
  EXPECT_THROW(SetProperties(nullptr, Text("Left \x00\x00\x00\x01"s)), NilObjectException);
}

TEST(PropertyListReaderTest, YieldsEntriesWithOffsetsAndLengths) {
  std::string list = "Name \x00\x00\x00\x04pbOK"s + "Bold \x00"s;
  PropertyListReader reader(list, [](std::string_view name) -> std::optional<ValueKind> {
    return name == "Name" ? ValueKind::kString : ValueKind::kBoolean;
  });
  PropertyListEntry first = reader.Next();
  EXPECT_EQ(first.name, "Name");
  EXPECT_EQ(first.offset, 0u);
  EXPECT_EQ(first.length, 13u);
  EXPECT_EQ(std::get<Text>(first.value), Text("pbOK"));
  PropertyListEntry second = reader.Next();
  EXPECT_EQ(second.offset, 13u);
  EXPECT_EQ(std::get<bool>(second.value), false);
  EXPECT_TRUE(reader.AtEnd());
}

}  // namespace
}  // namespace fw
