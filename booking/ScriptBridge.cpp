#include "booking/ScriptBridge.h"

#include "framework/core/Deref.h"
#include "framework/script/ScriptRunner.h"

namespace valtaro {

namespace {

// Begins a run of the script and appends every element of the list: 32-bit integers as integer
// parameters, every other element as its text.
std::int32_t StartRunWithParameters(std::int32_t scriptNumber, const fw::List<fw::Variant>& list) {
  const std::int32_t handle = fw::StartParamScript(scriptNumber);
  for (std::int32_t index = 0; index <= list.UBound(); ++index) {
    const fw::Variant& element = list[index];
    if (fw::VarType(element) == fw::Variant::kInt32) {
      fw::AddIntegerScriptParam(handle, fw::VariantToInt32(element));
    } else {
      fw::AddStringScriptParam(handle, fw::VariantToString(element));
    }
  }
  return handle;
}

}  // namespace

void buchungViaRB3(const ParameterList& parameter) {
  const fw::List<fw::Variant>& list = fw::Deref(parameter);
  if (list.UBound() < 0) {
    fw::ScriptExecute(kBookingScript);
    return;
  }
  fw::CompleteParamScriptExecute(StartRunWithParameters(kBookingScript, list));
}

fw::Text Kontennamenermitteln(const ParameterList& parameter) {
  const fw::List<fw::Variant>& list = fw::Deref(parameter);
  if (list.UBound() < 0) return fw::ScriptFunction(kAccountNameScript);
  return fw::CompleteParamScriptFunction(StartRunWithParameters(kAccountNameScript, list));
}

}  // namespace valtaro
