#pragma once

#include <memory>

#include "framework/app/FileType.h"

// The program's one file type, "special/any", which the open dialog names as its filter.
namespace valtaro::FileTypes {

// The file type, or none before start-up and after shut-down.
extern std::shared_ptr<fw::FileType> pSpecialAny;

// `_Initialize`: creates the file type "special/any" (Mac type and creator "????", no
// extensions) and registers it with the framework.
void Initialize();

// `pSpecialAny.__Exit`: releases the file type, which withdraws its registration.
void pSpecialAnyExit();

}  // namespace valtaro::FileTypes
