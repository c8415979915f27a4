#include "shell/PropertyLists.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "shell/PropertyListBuilder.h"

namespace valtaro::PropertyLists {

namespace {

// No control of the program belongs to a control array.
constexpr std::int32_t kNoControlArray = std::numeric_limits<std::int32_t>::min();

struct Bounds {
  std::int32_t left;
  std::int32_t top;
  std::int32_t width;
  std::int32_t height;
};

// The entries that every control list of the main window begins with, up to its TabIndex.
void AppendMainWindowPlacement(PropertyListBuilder& list, std::string_view name, Bounds bounds,
                               bool lockLeftAndTop, std::int32_t tabIndex) {
  list.String("Name", name)
      .Int32("Index", kNoControlArray)
      .Int32("Left", bounds.left)
      .Int32("Top", bounds.top)
      .Int32("Width", bounds.width)
      .Int32("Height", bounds.height)
      .Boolean("LockLeft", lockLeftAndTop)
      .Boolean("LockTop", lockLeftAndTop)
      .Boolean("LockRight", false)
      .Boolean("LockBottom", false)
      .Int32("TabPanelIndex", 0)
      .Int32("TabIndex", tabIndex);
}

std::string MainWindowPushButton(std::string_view name, Bounds bounds, std::int32_t tabIndex,
                                 std::string_view caption) {
  PropertyListBuilder list;
  AppendMainWindowPlacement(list, name, bounds, false, tabIndex);
  list.Boolean("TabStop", true)
      .String("Caption", caption)
      .Boolean("Default", false)
      .Boolean("Cancel", false)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .Int32("ButtonStyle", 0)
      .String("TextFont", "System")
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("InitialParent", "");
  return list.Bytes();
}

enum class Lines { kSingle, kMultiple };

// The main window's label lists spell the flag "Multiline"; the setter matches names without
// regard to letter case.
std::string MainWindowLabel(std::string_view name, Bounds bounds, std::int32_t tabIndex,
                            std::string_view text, Lines lines = Lines::kSingle) {
  PropertyListBuilder list;
  AppendMainWindowPlacement(list, name, bounds, false, tabIndex);
  list.String("Text", text)
      .Int32("TextAlign", 0)
      .Color("TextColor", 0x00, 0x00, 0x00)
      .Boolean("Multiline", lines == Lines::kMultiple)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .Boolean("Selectable", false)
      .Boolean("Transparent", false)
      .String("HelpTag", "")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "System")
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return list.Bytes();
}

// The two window lists name the same 21 properties in the same order; only the size, the title
// and whether the person may resize or maximise the window differ.
struct WindowLook {
  std::int32_t width;
  std::int32_t height;
  std::string_view title;
  bool resizeable;
  bool maximizeButton;
};

std::string WindowList(const WindowLook& look) {
  PropertyListBuilder list;
  list.Int32("Placement", 0)
      .Int32("Width", look.width)
      .Int32("Height", look.height)
      .Int32("MinWidth", 64)
      .Int32("MinHeight", 64)
      .Int32("MaxWidth", 32000)
      .Int32("MaxHeight", 32000)
      .Int32("Frame", 0)
      .Boolean("Composite", false)
      .Boolean("HasBackColor", false)
      .Color("BackColor", 0xFF, 0xFF, 0xFF)
      .String("Title", look.title)
      .Boolean("Visible", true)
      .Boolean("FullScreen", false)
      .Boolean("MenuBarVisible", true)
      .Boolean("CloseButton", true)
      .Boolean("Resizeable", look.resizeable)
      .Boolean("LiveResize", false)
      .Boolean("MaximizeButton", look.maximizeButton)
      .Boolean("MinimizeButton", true)
      .Int32("MacProcID", 0);
  return list.Bytes();
}

std::string BuildPopKonten() {
  PropertyListBuilder list;
  AppendMainWindowPlacement(list, "pop_konten", {206, 101, 240, 20}, true, 9);
  list.Boolean("TabStop", true)
      .Boolean("Enabled", true)
      .String("InitialValue", "")
      .Int32("ListIndex", 0)
      .Boolean("Visible", true)
      .String("HelpTag",
              "Hier kann das Konto aus der geöffneten Ledrino-Kontenmappe ausgewählt werden, in "
              "das importiert werden soll.")
      .Boolean("AutoDeactivate", true)
      .String("TextFont", "System")
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return list.Bytes();
}

std::string BuildWBestaetigungStaticText1() {
  PropertyListBuilder list;
  list.Boolean("TabStop", true)
      .Int32("TabIndex", 0)
      .String("DataField", "")
      .String("DataSource", "")
      .Boolean("Enabled", true)
      .Boolean("MultiLine", false)
      .Color("TextColor", 0x00, 0x00, 0x00)
      .Int32("TextAlign", 1)
      .String("Text", "Script ausgeführt")
      .Boolean("Underline", false)
      .Boolean("Italic", false)
      .Boolean("Bold", false)
      .String("TextFont", "Geneva")
      .Boolean("LockBottom", false)
      .Boolean("LockRight", false)
      .Boolean("LockTop", false)
      .Boolean("LockLeft", false)
      .Boolean("AutoDeactivate", true)
      .String("HelpTag", "")
      .String("InitialParent", "")
      .Int32("Height", 30)
      .Int32("Width", 182)
      .Int32("Top", 19)
      .Int32("Left", 60)
      .Boolean("Visible", true)
      .Int32("TabPanelIndex", 0)
      .Int32("Index", kNoControlArray)
      .String("Name", "StaticText1");
  return list.Bytes();
}

std::string BuildPbOK() {
  PropertyListBuilder list;
  list.Boolean("TabStop", true)
      .Int32("TabIndex", 1)
      .Boolean("Enabled", true)
      .Boolean("Cancel", false)
      .Boolean("Default", true)
      .String("Caption", "OK")
      .Boolean("Underline", false)
      .Boolean("Italic", false)
      .Boolean("Bold", false)
      .String("TextFont", "Geneva")
      .Boolean("LockBottom", false)
      .Boolean("LockRight", false)
      .Boolean("LockTop", false)
      .Boolean("LockLeft", false)
      .Boolean("AutoDeactivate", true)
      .String("HelpTag", "")
      .String("InitialParent", "")
      .Int32("Height", 20)
      .Int32("Width", 69)
      .Int32("Top", 72)
      .Int32("Left", 116)
      .Boolean("Visible", true)
      .Int32("TabPanelIndex", 0)
      .Int32("Index", kNoControlArray)
      .String("Name", "pbOK");
  return list.Bytes();
}

}  // namespace

const std::string& Fenster1Window() {
  static const std::string list = WindowList({.width = 466,
                                              .height = 258,
                                              .title = "Valtaro-Import v1.02",
                                              .resizeable = false,
                                              .maximizeButton = false});
  return list;
}

const std::string& btn_quit() {
  static const std::string list =
      MainWindowPushButton("btn_quit", {377, 218, 69, 20}, 0, "Beenden");
  return list;
}

const std::string& btn_save() {
  static const std::string list =
      MainWindowPushButton("btn_save", {20, 218, 127, 20}, 1, "An Ledrino senden");
  return list;
}

const std::string& btn_datei() {
  static const std::string list =
      MainWindowPushButton("btn_datei", {20, 165, 127, 20}, 2, "Datei auswählen");
  return list;
}

const std::string& StaticText1() {
  static const std::string list =
      MainWindowLabel("StaticText1", {20, 14, 353, 20}, 3, "Import von Buchungen nach Ledrino");
  return list;
}

const std::string& StaticText3() {
  // Empty until a file is chosen; the file's name is shown here then.
  static const std::string list = MainWindowLabel("StaticText3", {159, 165, 212, 20}, 6, "");
  return list;
}

const std::string& StaticText5() {
  static const std::string list = MainWindowLabel(
      "StaticText5", {19, 36, 352, 53}, 8,
      "Die Daten müssen aus Valtaro im csv-Format exportiert werden und diese Datei dann mit "
      "\"Datei auswählen\" ausgewählt werden. Danach den Kontonamen so eingeben, wie er in der "
      "Kontenmappe in Ledrino angelegt wurde und auf \"An Ledrino senden\" klicken.",
      Lines::kMultiple);
  return list;
}

const std::string& pop_konten() {
  static const std::string list = BuildPopKonten();
  return list;
}

const std::string& StaticText2() {
  static const std::string list =
      MainWindowLabel("StaticText2", {19, 102, 179, 20}, 10, "Konto in Ledrino Kontenmappe:");
  return list;
}

const std::string& wBestaetigungWindow() {
  static const std::string list = WindowList({.width = 302,
                                              .height = 133,
                                              .title = "Bestätigung",
                                              .resizeable = true,
                                              .maximizeButton = true});
  return list;
}

const std::string& wBestaetigung_StaticText1() {
  static const std::string list = BuildWBestaetigungStaticText1();
  return list;
}

const std::string& pbOK() {
  static const std::string list = BuildPbOK();
  return list;
}

}  // namespace valtaro::PropertyLists
