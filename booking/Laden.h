#pragma once

#include "booking/ImportState.h"

namespace valtaro {

// Reads the export file `f` into `zeilen`, one cleaned line each (converted from ISO Latin-1 to
// Mac Roman, trailing white space removed, then every double quote deleted), and sets
// `anz_zeilen` to the index of the last line. A file that is gone is reported and changes
// nothing; a file that cannot be read is reported and leaves no line.
void Laden(ImportState& state);

}  // namespace valtaro
