#include "shell/FileTypes.h"

#include "framework/core/Deref.h"

namespace valtaro::FileTypes {

std::shared_ptr<fw::FileType> pSpecialAny;

void Initialize() {
  const fw::ClassTable& table = fw::FileType::Lookup();
  pSpecialAny = fw::RuntimeCheckCast<fw::FileType>(fw::RuntimeNewObject(table), table);
  // Every setter withdraws a registration, so the type is registered only after the last one.
  fw::Deref(pSpecialAny).Name("special/any");
  fw::Deref(pSpecialAny).Extensions("");
  fw::Deref(pSpecialAny).MacType("????");
  fw::Deref(pSpecialAny).MacCreator("????");
  fw::Deref(pSpecialAny).Operator_Convert();
}

void pSpecialAnyExit() { pSpecialAny.reset(); }

}  // namespace valtaro::FileTypes
