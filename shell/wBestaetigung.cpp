#include "shell/wBestaetigung.h"

#include "framework/core/Deref.h"
#include "framework/runtime/MassPropertySetter.h"
#include "framework/runtime/Registration.h"
#include "shell/ControlCreation.h"
#include "shell/PropertyLists.h"

namespace valtaro::wBestaetigung {

namespace {

const char* const kFullName = "wBestaetigung.wBestaetigung";

}  // namespace

void wBestaetigungClass::ctblinit() {
  if (fw::RuntimeFindClass(kFullName) != nullptr) return;
  using W = wBestaetigungClass;
  fw::ClassTable& table = fw::RuntimeNewClass(kFullName, &fw::Window::Lookup(), {}, {},
                                              [] { return new wBestaetigungClass(); });
  fw::RuntimeNewVtable(table, {fw::Method<&W::Layout>("Layout", "%%"),
                               fw::Method<&W::CreateControls>("CreateControls", "%%"),
                               fw::Method<&W::CreateControls0>("_CreateControls0", "%%",
                                                               {fw::Public(), fw::Hidden()}),
                               fw::Method<&W::StaticText1>("StaticText1", "%o<Label>%"),
                               fw::Method<&W::pbOK>("pbOK", "%o<PushButton>%"),
                               fw::Method<&W::pbOK_Action>("pbOK_Action", "%%o<PushButton>")});
  table.implementedEvents = {fw::EventImpl<&W::Layout>("Layout"),
                             fw::EventImpl<&W::CreateControls>("CreateControls")};
  table.attributes = fw::RuntimeAllocateAttributeTable({fw::Public()});
}

const fw::ClassTable& wBestaetigungClass::Lookup() {
  ctblinit();
  return *fw::RuntimeFindClass(kFullName);
}

void wBestaetigungClass::Layout() {
  fw::SetProperties(shared_from_this(), fw::Text(PropertyLists::wBestaetigungWindow()));
}

void wBestaetigungClass::CreateControls() { CreateControls0(); }

void wBestaetigungClass::CreateControls0() {
  CreateControl<fw::Label>(
      *this, {"StaticText1", 16.0f, false, PropertyLists::wBestaetigung_StaticText1(), {}});
  CreateControl<fw::PushButton>(
      *this, {"pbOK", 10.0f, false, PropertyLists::pbOK(), PushButtonHandler("pbOK_Action")});
}

std::shared_ptr<fw::Label> wBestaetigungClass::StaticText1() {
  return ControlOf<fw::Label>(*this, "StaticText1");
}

std::shared_ptr<fw::PushButton> wBestaetigungClass::pbOK() {
  return ControlOf<fw::PushButton>(*this, "pbOK");
}

void wBestaetigungClass::pbOK_Action(const std::shared_ptr<fw::PushButton>& /*button*/) { Close(); }

std::shared_ptr<wBestaetigungClass> wBestaetigung() {
  fw::ObjectRef window = fw::GetImplicitWindow(fw::Text(kFullName));
  if (!window) {
    window = fw::RuntimeNewObject(wBestaetigungClass::Lookup());
    fw::Deref(fw::RuntimeCheckCast<wBestaetigungClass>(window, wBestaetigungClass::Lookup()))
        .Constructor();
  }
  return fw::RuntimeCheckCast<wBestaetigungClass>(window, wBestaetigungClass::Lookup());
}

}  // namespace valtaro::wBestaetigung
