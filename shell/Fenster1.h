#pragma once

#include <memory>

#include "booking/ImportState.h"
#include "framework/runtime/ClassTable.h"
#include "framework/ui/Label.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Window.h"

// The main window "Valtaro-Import v1.02": it holds the import state, lays itself out with its
// eight controls, asks for the account names when it opens, and runs the three actions of the
// user (choose the file, send, quit).
namespace valtaro::Fenster1 {

// Registered as "Fenster1.Fenster1", base Window. Its fields are those of ImportState.
class Fenster1 : public fw::Window, public ImportState {
 public:
  // The class lookup (`__Lookup`): registers the class on first use.
  static const fw::ClassTable& Lookup();
  // The class registration (`__ctblinit`); a second call changes nothing.
  static void ctblinit();

  // The window's Layout and CreateControls events.
  virtual void Layout();
  virtual void CreateControls();
  virtual void CreateControls0();

  // The control accessors.
  virtual std::shared_ptr<fw::PushButton> btn_quit();
  virtual std::shared_ptr<fw::PushButton> btn_save();
  virtual std::shared_ptr<fw::PushButton> btn_datei();
  virtual std::shared_ptr<fw::Label> StaticText1();
  virtual std::shared_ptr<fw::Label> StaticText3();
  virtual std::shared_ptr<fw::Label> StaticText5();
  virtual std::shared_ptr<fw::PopupMenu> pop_konten();
  virtual std::shared_ptr<fw::Label> StaticText2();

  // The handlers of the three buttons and the popup.
  virtual void btn_quit_Action(const std::shared_ptr<fw::PushButton>& button);
  virtual void btn_save_Action(const std::shared_ptr<fw::PushButton>& button);
  virtual void btn_datei_Action(const std::shared_ptr<fw::PushButton>& button);
  virtual void pop_konten_Change(const std::shared_ptr<fw::PopupMenu>& popup);

  // The menu-item accessors: the item of that name below the window's menu bar.
  virtual std::shared_ptr<fw::MenuItem> UntitledMenu0();
  virtual std::shared_ptr<fw::MenuItem> EditClear();
  virtual std::shared_ptr<fw::MenuItem> EditPaste();
  virtual std::shared_ptr<fw::MenuItem> EditCopy();
  virtual std::shared_ptr<fw::MenuItem> EditCut();
  virtual std::shared_ptr<fw::MenuItem> UntitledMenu1();
  virtual std::shared_ptr<fw::MenuItem> EditUndo();
  virtual std::shared_ptr<fw::MenuItem> UntitledMenu2();
  virtual std::shared_ptr<fw::QuitMenuItem> FileQuit();
  virtual std::shared_ptr<fw::MenuItem> UntitledMenu3();

  // The Open event: the account-name query.
  virtual void Event_Open();
  // Loads the file in `f` into `zeilen`.
  virtual void Laden();
  // Sends one booking per data line of `zeilen` for the account chosen in the popup.
  virtual void buchung_erzeugen();

 private:
  template <class C>
  std::shared_ptr<C> MenuItemNamed(const char* name);
};

// The class, by a name that the accessor below does not hide.
using Fenster1Class = Fenster1;

// The shared-instance accessor: the open main window, or else a new one, constructed. It is named
// like its class, as every shared-instance accessor of a module is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
std::shared_ptr<Fenster1Class> Fenster1();
#pragma GCC diagnostic pop

}  // namespace valtaro::Fenster1
