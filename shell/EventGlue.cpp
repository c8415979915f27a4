#include "shell/EventGlue.h"

#include "framework/core/Deref.h"
#include "framework/runtime/ClassTable.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"

namespace valtaro {

namespace {

template <class C>
void InvokeWithControl(fw::Delegate& delegate, fw::Control& control) {
  fw::ObjectRef window = delegate.Target();
  fw::Object& target = fw::Deref(window);
  // The handler takes the control typed as its class; the cast tests that it is one.
  fw::ObjectRef typed = fw::RuntimeCheckCast(control.shared_from_this(), C::Lookup());
  delegate.FunctionAs<fw::GenericInvoker>()(target, fw::Arguments{typed});
}

}  // namespace

void AddHandlerStub15(fw::Control& control) {
  std::shared_ptr<fw::Delegate> delegate = control.EventDelegate(15);
  fw::Delegate& stored = fw::Deref(delegate);
  stored.InvokerAs<DelegateInvoker>()(stored, control);
}

void DelegateInvokePushButton(fw::Delegate& delegate, fw::Control& control) {
  InvokeWithControl<fw::PushButton>(delegate, control);
}

void DelegateInvokePopupMenu(fw::Delegate& delegate, fw::Control& control) {
  InvokeWithControl<fw::PopupMenu>(delegate, control);
}

}  // namespace valtaro
