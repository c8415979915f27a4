#pragma once

#include "framework/runtime/Delegate.h"
#include "framework/ui/Control.h"

// The small routines that connect a control's event to a handler method of its window: the
// framework calls the trampoline with the control, the trampoline calls the delegate's invoker,
// and the invoker calls the window's method with the window and the control.
namespace valtaro {

// What a delegate's invoker is: given the delegate and the control that raised the event.
using DelegateInvoker = void (*)(fw::Delegate& delegate, fw::Control& control);

// `AddHandler.Stub.15`: the trampoline of event 15 (a push button's Action, a popup's Change).
void AddHandlerStub15(fw::Control& control);

// `Delegate.IM_Invoke` for the signatures "( PushButton )" and "( PopupMenu )". The delegate's
// function is the generic invoker of the window's handler method, as the window's class table
// gives it. A window that is gone raises NilObjectException and nothing is called.
void DelegateInvokePushButton(fw::Delegate& delegate, fw::Control& control);
void DelegateInvokePopupMenu(fw::Delegate& delegate, fw::Control& control);

}  // namespace valtaro
