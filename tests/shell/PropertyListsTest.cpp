#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "shell/PropertyListBuilder.h"
#include "shell/PropertyLists.h"

namespace valtaro {
namespace {

// A reader written apart from the builder: it knows only the declared type of every property the
// lists may name, and walks a list entry by entry from its first byte, as the property setter does.
enum class Type { kInt32, kBoolean, kColor, kString };

using Rgb = std::array<std::uint8_t, 3>;
using Value = std::variant<std::int32_t, bool, Rgb, std::string>;

struct Entry {
  std::string name;  // as the list spells it
  Value value;
};

const std::map<std::string, Type>& DeclaredTypes() {
  static const std::map<std::string, Type> types = {
      {"placement", Type::kInt32},
      {"width", Type::kInt32},
      {"height", Type::kInt32},
      {"minwidth", Type::kInt32},
      {"minheight", Type::kInt32},
      {"maxwidth", Type::kInt32},
      {"maxheight", Type::kInt32},
      {"frame", Type::kInt32},
      {"composite", Type::kBoolean},
      {"hasbackcolor", Type::kBoolean},
      {"backcolor", Type::kColor},
      {"title", Type::kString},
      {"visible", Type::kBoolean},
      {"fullscreen", Type::kBoolean},
      {"menubarvisible", Type::kBoolean},
      {"closebutton", Type::kBoolean},
      {"maximizebutton", Type::kBoolean},
      {"minimizebutton", Type::kBoolean},
      {"resizeable", Type::kBoolean},
      {"liveresize", Type::kBoolean},
      {"macprocid", Type::kInt32},
      {"name", Type::kString},
      {"index", Type::kInt32},
      {"tabpanelindex", Type::kInt32},
      {"left", Type::kInt32},
      {"top", Type::kInt32},
      {"lockleft", Type::kBoolean},
      {"locktop", Type::kBoolean},
      {"lockright", Type::kBoolean},
      {"lockbottom", Type::kBoolean},
      {"tabindex", Type::kInt32},
      {"tabstop", Type::kBoolean},
      {"enabled", Type::kBoolean},
      {"helptag", Type::kString},
      {"autodeactivate", Type::kBoolean},
      {"initialparent", Type::kString},
      {"caption", Type::kString},
      {"default", Type::kBoolean},
      {"cancel", Type::kBoolean},
      {"buttonstyle", Type::kInt32},
      {"text", Type::kString},
      {"textalign", Type::kInt32},
      {"textcolor", Type::kColor},
      {"multiline", Type::kBoolean},
      {"selectable", Type::kBoolean},
      {"transparent", Type::kBoolean},
      {"initialvalue", Type::kString},
      {"listindex", Type::kInt32},
      {"textfont", Type::kString},
      {"bold", Type::kBoolean},
      {"italic", Type::kBoolean},
      {"underline", Type::kBoolean},
      {"datasource", Type::kString},
      {"datafield", Type::kString},
  };
  return types;
}

std::string Lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}

  std::vector<Entry> ReadAll() {
    std::vector<Entry> entries;
    while (position_ < bytes_.size()) entries.push_back(ReadEntry());
    return entries;
  }

 private:
  Entry ReadEntry() {
    const std::size_t space = bytes_.find(' ', position_);
    if (space == std::string::npos) throw std::runtime_error("name without its space");
    Entry entry{bytes_.substr(position_, space - position_), {}};
    position_ = space + 1;
    const auto type = DeclaredTypes().find(Lowercase(entry.name));
    if (type == DeclaredTypes().end()) throw std::runtime_error("undeclared: " + entry.name);
    switch (type->second) {
      case Type::kInt32:
        entry.value = static_cast<std::int32_t>(ReadUnsigned32());
        break;
      case Type::kBoolean: {
        const std::uint8_t flag = ReadByte();
        if (flag > 1) throw std::runtime_error("Boolean byte other than 0 or 1");
        entry.value = flag == 1;
        break;
      }
      case Type::kColor:
        entry.value = Rgb{ReadByte(), ReadByte(), ReadByte()};
        break;
      case Type::kString: {
        const std::uint32_t count = ReadUnsigned32();
        Need(count);
        entry.value = bytes_.substr(position_, count);
        position_ += count;
        break;
      }
    }
    return entry;
  }

  void Need(std::size_t count) const {
    if (bytes_.size() - position_ < count) throw std::runtime_error("value runs past the end");
  }
  std::uint8_t ReadByte() {
    Need(1);
    return static_cast<std::uint8_t>(bytes_[position_++]);
  }
  std::uint32_t ReadUnsigned32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | ReadByte();
    return value;
  }

  const std::string& bytes_;
  std::size_t position_ = 0;
};

std::vector<Entry> Decode(const std::string& list) { return Reader(list).ReadAll(); }

std::vector<std::string> NamesOf(const std::vector<Entry>& entries) {
  std::vector<std::string> names;
  for (const Entry& entry : entries) names.push_back(entry.name);
  return names;
}

// The value of the one entry of that name (exact spelling); fails the test if it is missing or
// named twice.
const Value& ValueOf(const std::vector<Entry>& entries, const std::string& name) {
  const Value* found = nullptr;
  for (const Entry& entry : entries) {
    if (entry.name == name) {
      if (found != nullptr) throw std::runtime_error("named twice: " + name);
      found = &entry.value;
    }
  }
  if (found == nullptr) throw std::runtime_error("not named: " + name);
  return *found;
}

std::int32_t IntOf(const std::vector<Entry>& e, const std::string& n) {
  return std::get<std::int32_t>(ValueOf(e, n));
}
bool FlagOf(const std::vector<Entry>& e, const std::string& n) {
  return std::get<bool>(ValueOf(e, n));
}
std::string TextOf(const std::vector<Entry>& e, const std::string& n) {
  return std::get<std::string>(ValueOf(e, n));
}
Rgb ColorOf(const std::vector<Entry>& e, const std::string& n) {
  return std::get<Rgb>(ValueOf(e, n));
}

struct ListCase {
  const char* label;
  std::function<const std::string&()> list;
  std::size_t entries;
  std::size_t bytes;
  const char* first;
  const char* last;
};

// Byte lengths. A push button of the main window is 292 bytes plus its name's and caption's bytes;
// a label is 339 plus its name's and text's bytes, so StaticText3 (name 11, empty text) is 350, by
// entry: Name 20, Index 10, Left 9, Top 8, Width 10, Height 11, LockLeft 10, LockTop 9, LockRight
// 11, LockBottom 12, TabPanelIndex 18, TabIndex 13, Text 9, TextAlign 14, TextColor 13, Multiline
// 11, Enabled 9, Visible 9, Selectable 12, Transparent 13, HelpTag 12, AutoDeactivate 16, TextFont
// 19, Bold 6, Italic 8, Underline 11, DataSource 15, DataField 14, InitialParent 18.
const std::vector<ListCase>& AllLists() {
  static const std::vector<ListCase> cases = {
      {"Fenster1", PropertyLists::Fenster1Window, 21, 287, "Placement", "MacProcID"},
      {"btn_quit", PropertyLists::btn_quit, 26, 307, "Name", "InitialParent"},
      {"btn_save", PropertyLists::btn_save, 26, 317, "Name", "InitialParent"},
      {"btn_datei", PropertyLists::btn_datei, 26, 317, "Name", "InitialParent"},
      {"StaticText1", PropertyLists::StaticText1, 29, 383, "Name", "InitialParent"},
      {"StaticText3", PropertyLists::StaticText3, 29, 350, "Name", "InitialParent"},
      {"StaticText5", PropertyLists::StaticText5, 29, 599, "Name", "InitialParent"},
      {"pop_konten", PropertyLists::pop_konten, 26, 427, "Name", "InitialParent"},
      {"StaticText2", PropertyLists::StaticText2, 29, 379, "Name", "InitialParent"},
      {"wBestaetigung", PropertyLists::wBestaetigungWindow, 21, 279, "Placement", "MacProcID"},
      {"wBestaetigung.StaticText1", PropertyLists::wBestaetigung_StaticText1, 28, 352, "TabStop",
       "Name"},
      {"pbOK", PropertyLists::pbOK, 25, 282, "TabStop", "Name"},
  };
  return cases;
}

TEST(PropertyListsTest, EveryListParsesToItsLastByteWithItsEntryCount) {
  for (const ListCase& c : AllLists()) {
    SCOPED_TRACE(c.label);
    const std::string& list = c.list();
    EXPECT_EQ(list.size(), c.bytes);
    std::vector<Entry> entries;
    ASSERT_NO_THROW(entries = Decode(list));
    ASSERT_EQ(entries.size(), c.entries);
    EXPECT_EQ(entries.front().name, c.first);
    EXPECT_EQ(entries.back().name, c.last);
    // No property is named twice, whatever its spelling.
    std::map<std::string, int> seen;
    for (const Entry& entry : entries) EXPECT_EQ(++seen[Lowercase(entry.name)], 1) << entry.name;
  }
}

TEST(PropertyListsTest, ListsAreBuiltOnceAndShared) {
  EXPECT_EQ(&PropertyLists::btn_quit(), &PropertyLists::btn_quit());
  EXPECT_EQ(&PropertyLists::pbOK(), &PropertyLists::pbOK());
}

TEST(PropertyListsTest, BtnQuitBeginsWithNameIndexLeft) {
  const std::string expected(
      "\x4E\x61\x6D\x65\x20\x00\x00\x00\x08\x62\x74\x6E\x5F\x71\x75\x69\x74"  // Name "btn_quit"
      "\x49\x6E\x64\x65\x78\x20\x80\x00\x00\x00"                              // Index lowest
      "\x4C\x65\x66\x74\x20\x00\x00\x01\x79",                                 // Left 377
      36);
  EXPECT_EQ(PropertyLists::btn_quit().substr(0, expected.size()), expected);
}

TEST(PropertyListsTest, PbOKEndsWithItsName) {
  const std::string expected("\x4E\x61\x6D\x65\x20\x00\x00\x00\x04\x70\x62\x4F\x4B", 13);
  const std::string& list = PropertyLists::pbOK();
  ASSERT_GE(list.size(), expected.size());
  EXPECT_EQ(list.substr(list.size() - expected.size()), expected);
}

TEST(PropertyListsTest, WindowListsNameTheSameEntriesInTheSameOrder) {
  const auto main = Decode(PropertyLists::Fenster1Window());
  const auto confirmation = Decode(PropertyLists::wBestaetigungWindow());
  EXPECT_EQ(NamesOf(main), NamesOf(confirmation));
  const std::vector<std::string> expected = {
      "Placement",   "Width",      "Height",     "MinWidth",       "MinHeight",
      "MaxWidth",    "MaxHeight",  "Frame",      "Composite",      "HasBackColor",
      "BackColor",   "Title",      "Visible",    "FullScreen",     "MenuBarVisible",
      "CloseButton", "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton",
      "MacProcID"};
  EXPECT_EQ(NamesOf(main), expected);
}

TEST(PropertyListsTest, WindowValues) {
  struct WindowCase {
    const char* label;
    const std::string& list;
    std::int32_t width, height;
    const char* title;
    bool resizeable, maximizeButton;
  };
  const WindowCase cases[] = {
      {"Fenster1", PropertyLists::Fenster1Window(), 466, 258, "Valtaro-Import v1.02", false, false},
      {"wBestaetigung", PropertyLists::wBestaetigungWindow(), 302, 133, "Bestätigung", true, true},
  };
  for (const WindowCase& c : cases) {
    SCOPED_TRACE(c.label);
    const auto e = Decode(c.list);
    EXPECT_EQ(IntOf(e, "Width"), c.width);
    EXPECT_EQ(IntOf(e, "Height"), c.height);
    EXPECT_EQ(TextOf(e, "Title"), c.title);
    EXPECT_EQ(FlagOf(e, "Resizeable"), c.resizeable);
    EXPECT_EQ(FlagOf(e, "MaximizeButton"), c.maximizeButton);
    EXPECT_EQ(IntOf(e, "MinWidth"), 64);
    EXPECT_EQ(IntOf(e, "MinHeight"), 64);
    EXPECT_EQ(IntOf(e, "MaxWidth"), 32000);
    EXPECT_EQ(IntOf(e, "MaxHeight"), 32000);
    EXPECT_EQ(ColorOf(e, "BackColor"), (Rgb{0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(FlagOf(e, "HasBackColor"));
    EXPECT_TRUE(FlagOf(e, "Visible"));
    EXPECT_TRUE(FlagOf(e, "MenuBarVisible"));
    EXPECT_TRUE(FlagOf(e, "CloseButton"));
    EXPECT_TRUE(FlagOf(e, "MinimizeButton"));
    EXPECT_EQ(IntOf(e, "MacProcID"), 0);
  }
  // "Bestätigung" is 11 characters and 12 bytes.
  EXPECT_EQ(TextOf(Decode(PropertyLists::wBestaetigungWindow()), "Title").size(), 12u);
}

struct ControlCase {
  const char* name;
  std::function<const std::string&()> list;
  std::int32_t left, top, width, height, tabIndex;
};

const std::vector<ControlCase>& MainWindowControls() {
  static const std::vector<ControlCase> cases = {
      {"btn_quit", PropertyLists::btn_quit, 377, 218, 69, 20, 0},
      {"btn_save", PropertyLists::btn_save, 20, 218, 127, 20, 1},
      {"btn_datei", PropertyLists::btn_datei, 20, 165, 127, 20, 2},
      {"StaticText1", PropertyLists::StaticText1, 20, 14, 353, 20, 3},
      {"StaticText3", PropertyLists::StaticText3, 159, 165, 212, 20, 6},
      {"StaticText5", PropertyLists::StaticText5, 19, 36, 352, 53, 8},
      {"pop_konten", PropertyLists::pop_konten, 206, 101, 240, 20, 9},
      {"StaticText2", PropertyLists::StaticText2, 19, 102, 179, 20, 10},
  };
  return cases;
}

TEST(PropertyListsTest, MainWindowControlsPlacementAndSharedValues) {
  for (const ControlCase& c : MainWindowControls()) {
    SCOPED_TRACE(c.name);
    const auto e = Decode(c.list());
    const bool isPopup = std::string(c.name) == "pop_konten";
    EXPECT_EQ(TextOf(e, "Name"), c.name);
    EXPECT_EQ(IntOf(e, "Index"), INT32_MIN);
    EXPECT_EQ(IntOf(e, "Left"), c.left);
    EXPECT_EQ(IntOf(e, "Top"), c.top);
    EXPECT_EQ(IntOf(e, "Width"), c.width);
    EXPECT_EQ(IntOf(e, "Height"), c.height);
    EXPECT_EQ(IntOf(e, "TabIndex"), c.tabIndex);
    EXPECT_EQ(IntOf(e, "TabPanelIndex"), 0);
    EXPECT_EQ(FlagOf(e, "LockLeft"), isPopup);
    EXPECT_EQ(FlagOf(e, "LockTop"), isPopup);
    EXPECT_FALSE(FlagOf(e, "LockRight"));
    EXPECT_FALSE(FlagOf(e, "LockBottom"));
    EXPECT_TRUE(FlagOf(e, "Enabled"));
    EXPECT_TRUE(FlagOf(e, "Visible"));
    EXPECT_TRUE(FlagOf(e, "AutoDeactivate"));
    EXPECT_EQ(TextOf(e, "TextFont"), "System");
    EXPECT_FALSE(FlagOf(e, "Bold"));
    EXPECT_FALSE(FlagOf(e, "Italic"));
    EXPECT_FALSE(FlagOf(e, "Underline"));
    EXPECT_EQ(TextOf(e, "InitialParent"), "");
    EXPECT_EQ(TextOf(e, "HelpTag").empty(), !isPopup);
  }
}

TEST(PropertyListsTest, MainWindowControlListsFollowTheirOrder) {
  const std::vector<std::string> placement = {
      "Name",     "Index",   "Left",      "Top",        "Width",         "Height",
      "LockLeft", "LockTop", "LockRight", "LockBottom", "TabPanelIndex", "TabIndex"};
  auto withPlacement = [&](std::vector<std::string> rest) {
    std::vector<std::string> names = placement;
    names.insert(names.end(), rest.begin(), rest.end());
    return names;
  };
  const auto button = withPlacement({"TabStop", "Caption", "Default", "Cancel", "Enabled",
                                     "Visible", "HelpTag", "AutoDeactivate", "ButtonStyle",
                                     "TextFont", "Bold", "Italic", "Underline", "InitialParent"});
  const auto label =
      withPlacement({"Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible",
                     "Selectable", "Transparent", "HelpTag", "AutoDeactivate", "TextFont", "Bold",
                     "Italic", "Underline", "DataSource", "DataField", "InitialParent"});
  const auto popup = withPlacement({"TabStop", "Enabled", "InitialValue", "ListIndex", "Visible",
                                    "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic",
                                    "Underline", "DataSource", "DataField", "InitialParent"});
  for (const auto& list :
       {PropertyLists::btn_quit, PropertyLists::btn_save, PropertyLists::btn_datei}) {
    EXPECT_EQ(NamesOf(Decode(list())), button);
  }
  for (const auto& list : {PropertyLists::StaticText1, PropertyLists::StaticText3,
                           PropertyLists::StaticText5, PropertyLists::StaticText2}) {
    EXPECT_EQ(NamesOf(Decode(list())), label);
  }
  EXPECT_EQ(NamesOf(Decode(PropertyLists::pop_konten())), popup);
}

TEST(PropertyListsTest, MainWindowPushButtons) {
  struct Case {
    const std::string& list;
    const char* caption;
    std::size_t captionBytes;
  };
  const Case cases[] = {
      {PropertyLists::btn_quit(), "Beenden", 7},
      {PropertyLists::btn_save(), "An Ledrino senden", 17},
      {PropertyLists::btn_datei(), "Datei auswählen", 16},  // 15 characters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    const auto e = Decode(c.list);
    EXPECT_EQ(TextOf(e, "Caption"), c.caption);
    EXPECT_EQ(TextOf(e, "Caption").size(), c.captionBytes);
    EXPECT_TRUE(FlagOf(e, "TabStop"));
    EXPECT_FALSE(FlagOf(e, "Default"));
    EXPECT_FALSE(FlagOf(e, "Cancel"));
    EXPECT_EQ(IntOf(e, "ButtonStyle"), 0);
  }
}

TEST(PropertyListsTest, MainWindowLabels) {
  struct Case {
    const std::string& list;
    const char* text;
    bool multiline;
  };
  const Case cases[] = {
      {PropertyLists::StaticText1(), "Import von Buchungen nach Ledrino", false},
      {PropertyLists::StaticText3(), "", false},
      {PropertyLists::StaticText5(),
       "Die Daten müssen aus Valtaro im csv-Format exportiert werden und diese Datei dann mit "
       "\"Datei auswählen\" ausgewählt werden. Danach den Kontonamen so eingeben, wie er in der "
       "Kontenmappe in Ledrino angelegt wurde und auf \"An Ledrino senden\" klicken.",
       true},
      {PropertyLists::StaticText2(), "Konto in Ledrino Kontenmappe:", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto e = Decode(c.list);
    EXPECT_EQ(TextOf(e, "Text"), c.text);
    EXPECT_EQ(FlagOf(e, "Multiline"), c.multiline);
    EXPECT_EQ(IntOf(e, "TextAlign"), 0);
    EXPECT_EQ(ColorOf(e, "TextColor"), (Rgb{0, 0, 0}));
    EXPECT_FALSE(FlagOf(e, "Selectable"));
    EXPECT_FALSE(FlagOf(e, "Transparent"));
    EXPECT_EQ(TextOf(e, "DataSource"), "");
    EXPECT_EQ(TextOf(e, "DataField"), "");
  }
  // 246 characters: three umlauts make 249 bytes, and four double quotes of its own.
  const std::string text = TextOf(Decode(PropertyLists::StaticText5()), "Text");
  EXPECT_EQ(text.size(), 249u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '"'), 4);
}

TEST(PropertyListsTest, AccountPopup) {
  const auto e = Decode(PropertyLists::pop_konten());
  EXPECT_EQ(TextOf(e, "HelpTag"),
            "Hier kann das Konto aus der geöffneten Ledrino-Kontenmappe ausgewählt werden, in das "
            "importiert werden soll.");
  EXPECT_TRUE(FlagOf(e, "LockLeft"));
  EXPECT_TRUE(FlagOf(e, "LockTop"));
  EXPECT_TRUE(FlagOf(e, "TabStop"));
  EXPECT_EQ(TextOf(e, "InitialValue"), "");
  EXPECT_EQ(IntOf(e, "ListIndex"), 0);
  EXPECT_EQ(TextOf(e, "DataSource"), "");
  EXPECT_EQ(TextOf(e, "DataField"), "");
}

TEST(PropertyListsTest, ConfirmationLabel) {
  const auto e = Decode(PropertyLists::wBestaetigung_StaticText1());
  const std::vector<std::string> expected = {
      "TabStop",   "TabIndex",      "DataField", "DataSource", "Enabled",  "MultiLine",
      "TextColor", "TextAlign",     "Text",      "Underline",  "Italic",   "Bold",
      "TextFont",  "LockBottom",    "LockRight", "LockTop",    "LockLeft", "AutoDeactivate",
      "HelpTag",   "InitialParent", "Height",    "Width",      "Top",      "Left",
      "Visible",   "TabPanelIndex", "Index",     "Name"};
  EXPECT_EQ(NamesOf(e), expected);
  EXPECT_EQ(TextOf(e, "Name"), "StaticText1");
  EXPECT_EQ(TextOf(e, "Text"), "Script ausgeführt");
  EXPECT_EQ(TextOf(e, "Text").size(), 18u);
  EXPECT_EQ(IntOf(e, "TextAlign"), 1);
  EXPECT_FALSE(FlagOf(e, "MultiLine"));
  EXPECT_TRUE(FlagOf(e, "TabStop"));
  EXPECT_EQ(IntOf(e, "TabIndex"), 0);
  EXPECT_EQ(TextOf(e, "TextFont"), "Geneva");
  EXPECT_EQ(IntOf(e, "Left"), 60);
  EXPECT_EQ(IntOf(e, "Top"), 19);
  EXPECT_EQ(IntOf(e, "Width"), 182);
  EXPECT_EQ(IntOf(e, "Height"), 30);
  EXPECT_EQ(IntOf(e, "Index"), INT32_MIN);
  for (const char* lock : {"LockLeft", "LockTop", "LockRight", "LockBottom"}) {
    EXPECT_FALSE(FlagOf(e, lock)) << lock;
  }
}

TEST(PropertyListsTest, ConfirmationButton) {
  const auto e = Decode(PropertyLists::pbOK());
  const std::vector<std::string> expected = {
      "TabStop",    "TabIndex",      "Enabled",       "Cancel",   "Default",
      "Caption",    "Underline",     "Italic",        "Bold",     "TextFont",
      "LockBottom", "LockRight",     "LockTop",       "LockLeft", "AutoDeactivate",
      "HelpTag",    "InitialParent", "Height",        "Width",    "Top",
      "Left",       "Visible",       "TabPanelIndex", "Index",    "Name"};
  EXPECT_EQ(NamesOf(e), expected);
  EXPECT_EQ(TextOf(e, "Caption"), "OK");
  EXPECT_TRUE(FlagOf(e, "Default"));
  EXPECT_FALSE(FlagOf(e, "Cancel"));
  EXPECT_EQ(IntOf(e, "TabIndex"), 1);
  EXPECT_EQ(TextOf(e, "TextFont"), "Geneva");
  EXPECT_EQ(IntOf(e, "Left"), 116);
  EXPECT_EQ(IntOf(e, "Top"), 72);
  EXPECT_EQ(IntOf(e, "Width"), 69);
  EXPECT_EQ(IntOf(e, "Height"), 20);
}

TEST(PropertyListBuilderTest, EncodesEachTypeAndRejectsNamesTheReaderCouldNotSplit) {
  PropertyListBuilder list;
  list.Int32("A", -2).Boolean("B", true).Color("C", 1, 2, 3).String("D", "").String("E", "ö");
  EXPECT_EQ(list.Bytes(), std::string("A \xFF\xFF\xFF\xFE"
                                      "B \x01"
                                      "C \x01\x02\x03"
                                      "D \x00\x00\x00\x00"
                                      "E \x00\x00\x00\x02\xC3\xB6",
                                      28));
  EXPECT_EQ(list.EntryCount(), 5u);
  EXPECT_THROW(list.Int32("Two words", 0), std::invalid_argument);
  EXPECT_THROW(list.Int32("", 0), std::invalid_argument);
  EXPECT_EQ(list.EntryCount(), 5u);
}

}  // namespace
}  // namespace valtaro
