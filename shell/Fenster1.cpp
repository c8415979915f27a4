#include "shell/Fenster1.h"

#include "booking/AccountQuery.h"
#include "booking/BookingConversion.h"
#include "booking/Laden.h"
#include "framework/app/EventLoop.h"
#include "framework/core/Deref.h"
#include "framework/files/FolderItem.h"
#include "framework/runtime/MassPropertySetter.h"
#include "framework/runtime/Registration.h"
#include "framework/ui/MsgBox.h"
#include "shell/ControlCreation.h"
#include "shell/Menue.h"
#include "shell/PropertyLists.h"
#include "shell/wBestaetigung.h"

namespace valtaro::Fenster1 {

namespace {

const char* const kFullName = "Fenster1.Fenster1";

}  // namespace

void Fenster1Class::ctblinit() {
  if (fw::RuntimeFindClass(kFullName) != nullptr) return;
  using F = Fenster1Class;
  fw::ClassTable& table = fw::RuntimeNewClass(
      kFullName, &fw::Window::Lookup(),
      [](fw::Object& self) { fw::detail::SelfAs<F>(self).Init(); },
      [](fw::Object& self) { fw::detail::SelfAs<F>(self).Exit(); }, [] { return new F(); });
  fw::RuntimeNewVtable(
      table,
      {
          fw::Method<&F::Layout>("Layout", "%%"),
          fw::Method<&F::CreateControls>("CreateControls", "%%"),
          fw::Method<&F::CreateControls0>("_CreateControls0", "%%", {fw::Public(), fw::Hidden()}),
          fw::Method<&F::btn_quit>("btn_quit", "%o<PushButton>%"),
          fw::Method<&F::btn_save>("btn_save", "%o<PushButton>%"),
          fw::Method<&F::btn_datei>("btn_datei", "%o<PushButton>%"),
          fw::Method<&F::StaticText1>("StaticText1", "%o<Label>%"),
          fw::Method<&F::StaticText3>("StaticText3", "%o<Label>%"),
          fw::Method<&F::StaticText5>("StaticText5", "%o<Label>%"),
          fw::Method<&F::pop_konten>("pop_konten", "%o<PopupMenu>%"),
          fw::Method<&F::StaticText2>("StaticText2", "%o<Label>%"),
          fw::Method<&F::btn_quit_Action>("btn_quit_Action", "%%o<PushButton>"),
          fw::Method<&F::btn_save_Action>("btn_save_Action", "%%o<PushButton>"),
          fw::Method<&F::btn_datei_Action>("btn_datei_Action", "%%o<PushButton>"),
          fw::Method<&F::pop_konten_Change>("pop_konten_Change", "%%o<PopupMenu>"),
          fw::Method<&F::UntitledMenu0>("UntitledMenu0", "%o<MenuItem>%"),
          fw::Method<&F::EditClear>("EditClear", "%o<MenuItem>%"),
          fw::Method<&F::EditPaste>("EditPaste", "%o<MenuItem>%"),
          fw::Method<&F::EditCopy>("EditCopy", "%o<MenuItem>%"),
          fw::Method<&F::EditCut>("EditCut", "%o<MenuItem>%"),
          fw::Method<&F::UntitledMenu1>("UntitledMenu1", "%o<MenuItem>%"),
          fw::Method<&F::EditUndo>("EditUndo", "%o<MenuItem>%"),
          fw::Method<&F::UntitledMenu2>("UntitledMenu2", "%o<MenuItem>%"),
          fw::Method<&F::FileQuit>("FileQuit", "%o<QuitMenuItem>%"),
          fw::Method<&F::UntitledMenu3>("UntitledMenu3", "%o<MenuItem>%"),
          fw::Method<&F::Event_Open>("Event_Open", "%%"),
          fw::Method<&F::Laden>("Laden", "%%"),
          fw::Method<&F::buchung_erzeugen>("buchung_erzeugen", "%%"),
      });
  table.implementedEvents = {fw::EventImpl<&F::Layout>("Layout"),
                             fw::EventImpl<&F::CreateControls>("CreateControls"),
                             fw::EventImpl<&F::Event_Open>("Open")};
  table.properties = {fw::Field<&F::f>("f", "o<FolderItem>"), fw::Field<&F::Anzahl>("Anzahl", "i4"),
                      fw::Field<&F::zeilen>("zeilen", "A1s"),
                      fw::Field<&F::anz_zeilen>("anz_zeilen", "i4"),
                      fw::Field<&F::kontoname>("kontoname", "s")};
  table.attributes = fw::RuntimeAllocateAttributeTable({fw::Public()});
}

const fw::ClassTable& Fenster1Class::Lookup() {
  ctblinit();
  return *fw::RuntimeFindClass(kFullName);
}

// --- Layout and controls ---

void Fenster1Class::Layout() {
  std::shared_ptr<Menü::MenüClass> bar = Menü::Menü();
  MenuBar(bar);
  fw::SetProperties(shared_from_this(), fw::Text(PropertyLists::Fenster1Window()));
}

void Fenster1Class::CreateControls() { CreateControls0(); }

void Fenster1Class::CreateControls0() {
  using fw::Label;
  using fw::PopupMenu;
  using fw::PushButton;
  CreateControl<PushButton>(*this, {"btn_quit", 12.0f, true, PropertyLists::btn_quit(),
                                    PushButtonHandler("btn_quit_Action")});
  CreateControl<PushButton>(*this, {"btn_save", 12.0f, true, PropertyLists::btn_save(),
                                    PushButtonHandler("btn_save_Action")});
  CreateControl<PushButton>(*this, {"btn_datei", 12.0f, true, PropertyLists::btn_datei(),
                                    PushButtonHandler("btn_datei_Action")});
  CreateControl<Label>(*this, {"StaticText1", 12.0f, true, PropertyLists::StaticText1(), {}});
  CreateControl<Label>(*this, {"StaticText3", 12.0f, true, PropertyLists::StaticText3(), {}});
  CreateControl<Label>(*this, {"StaticText5", 9.0f, true, PropertyLists::StaticText5(), {}});
  CreateControl<PopupMenu>(*this, {"pop_konten", std::nullopt, true, PropertyLists::pop_konten(),
                                   PopupMenuHandler("pop_konten_Change")});
  CreateControl<Label>(*this, {"StaticText2", 12.0f, true, PropertyLists::StaticText2(), {}});
}

std::shared_ptr<fw::PushButton> Fenster1Class::btn_quit() {
  return ControlOf<fw::PushButton>(*this, "btn_quit");
}
std::shared_ptr<fw::PushButton> Fenster1Class::btn_save() {
  return ControlOf<fw::PushButton>(*this, "btn_save");
}
std::shared_ptr<fw::PushButton> Fenster1Class::btn_datei() {
  return ControlOf<fw::PushButton>(*this, "btn_datei");
}
std::shared_ptr<fw::Label> Fenster1Class::StaticText1() {
  return ControlOf<fw::Label>(*this, "StaticText1");
}
std::shared_ptr<fw::Label> Fenster1Class::StaticText3() {
  return ControlOf<fw::Label>(*this, "StaticText3");
}
std::shared_ptr<fw::Label> Fenster1Class::StaticText5() {
  return ControlOf<fw::Label>(*this, "StaticText5");
}
std::shared_ptr<fw::PopupMenu> Fenster1Class::pop_konten() {
  return ControlOf<fw::PopupMenu>(*this, "pop_konten");
}
std::shared_ptr<fw::Label> Fenster1Class::StaticText2() {
  return ControlOf<fw::Label>(*this, "StaticText2");
}

// --- Handlers ---

void Fenster1Class::btn_quit_Action(const std::shared_ptr<fw::PushButton>& /*button*/) {
  fw::Quit(0);
}

void Fenster1Class::btn_save_Action(const std::shared_ptr<fw::PushButton>& /*button*/) {
  if (fw::Deref(pop_konten()).Text() == fw::Text()) {
    fw::MsgBox("Zuerst Kontonamen eingeben!");
    return;
  }
  // A file whose lines could not be read counts as no file: there is nothing to send.
  if (!f || !f->Exists() || fw::Deref(zeilen).UBound() < 0) {
    fw::MsgBox("Zuerst Datei auswählen");
    return;
  }
  buchung_erzeugen();
  fw::Deref(wBestaetigung::wBestaetigung()).ShowModal();
}

void Fenster1Class::btn_datei_Action(const std::shared_ptr<fw::PushButton>& /*button*/) {
  f = fw::GetOpenFolderItem("special/any");
  if (!f) return;
  fw::Deref(StaticText3()).Text(f->Name());
  Laden();
}

void Fenster1Class::pop_konten_Change(const std::shared_ptr<fw::PopupMenu>& /*popup*/) {}

// --- Menu items ---

template <class C>
std::shared_ptr<C> Fenster1Class::MenuItemNamed(const char* name) {
  std::shared_ptr<fw::MenuBar> bar = MenuBar();
  std::shared_ptr<fw::MenuItem> item = fw::Deref(bar).Lookup(fw::Text(name));
  return fw::RuntimeCheckCast<C>(item, C::Lookup());
}

std::shared_ptr<fw::MenuItem> Fenster1Class::UntitledMenu0() {
  return MenuItemNamed<fw::MenuItem>("UntitledMenu0");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::EditClear() {
  return MenuItemNamed<fw::MenuItem>("EditClear");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::EditPaste() {
  return MenuItemNamed<fw::MenuItem>("EditPaste");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::EditCopy() {
  return MenuItemNamed<fw::MenuItem>("EditCopy");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::EditCut() {
  return MenuItemNamed<fw::MenuItem>("EditCut");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::UntitledMenu1() {
  return MenuItemNamed<fw::MenuItem>("UntitledMenu1");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::EditUndo() {
  return MenuItemNamed<fw::MenuItem>("EditUndo");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::UntitledMenu2() {
  return MenuItemNamed<fw::MenuItem>("UntitledMenu2");
}
std::shared_ptr<fw::QuitMenuItem> Fenster1Class::FileQuit() {
  return MenuItemNamed<fw::QuitMenuItem>("FileQuit");
}
std::shared_ptr<fw::MenuItem> Fenster1Class::UntitledMenu3() {
  return MenuItemNamed<fw::MenuItem>("UntitledMenu3");
}

// --- The booking import's operations on the window ---

void Fenster1Class::Event_Open() {
  valtaro::Event_Open([this] { return pop_konten(); });
}

void Fenster1Class::Laden() { valtaro::Laden(*this); }

void Fenster1Class::buchung_erzeugen() {
  valtaro::buchung_erzeugen(*this, [this] { return fw::Deref(pop_konten()).Text(); });
}

// --- Shared instance ---

std::shared_ptr<Fenster1Class> Fenster1() {
  fw::ObjectRef window = fw::GetImplicitWindow(fw::Text(kFullName));
  if (!window) {
    window = fw::RuntimeNewObject(Fenster1Class::Lookup());
    fw::Deref(fw::RuntimeCheckCast<Fenster1Class>(window, Fenster1Class::Lookup())).Constructor();
  }
  return fw::RuntimeCheckCast<Fenster1Class>(window, Fenster1Class::Lookup());
}

}  // namespace valtaro::Fenster1
