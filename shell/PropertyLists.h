#pragma once

#include <string>

// The twelve constant property lists that give the program's two windows and their ten controls
// their initial properties. Each is a byte string in the format that PropertyListBuilder writes,
// built once on first use and shared for the rest of the program; none is ever changed.
//
// Main window `Fenster1`, in the order in which its window and controls are set up:
//   Fenster1Window()   the window (21 entries)
//   btn_quit(), btn_save(), btn_datei()                         push buttons (26 entries each)
//   StaticText1(), StaticText3(), StaticText5()                 labels (29 entries each)
//   pop_konten()                                                the account popup (26 entries)
//   StaticText2()                                               label (29 entries)
// Confirmation window `wBestaetigung`:
//   wBestaetigungWindow()         the window (21 entries)
//   wBestaetigung_StaticText1()   its label (28 entries)
//   pbOK()                        its push button (25 entries)
namespace valtaro::PropertyLists {

const std::string& Fenster1Window();
const std::string& btn_quit();
const std::string& btn_save();
const std::string& btn_datei();
const std::string& StaticText1();
const std::string& StaticText3();
const std::string& StaticText5();
const std::string& pop_konten();
const std::string& StaticText2();

const std::string& wBestaetigungWindow();
const std::string& wBestaetigung_StaticText1();
const std::string& pbOK();

}  // namespace valtaro::PropertyLists
