#pragma once

#include <functional>

#include "booking/ImportState.h"
#include "framework/text/Text.h"

namespace valtaro {

// Turns the loaded export file into bookings: maps the header line (line 0 of `zeilen`) to its
// columns, then hands every data line, lines 1 to `anz_zeilen` in file order, to the booking
// script as its eight booking values. A line without content (empty, or nothing but ";" and
// blanks) is passed over: it sends nothing and leaves the carried-over date as it is. `popupText`
// gives the chosen account; it is read once, and every booking carries it. With no line loaded
// nothing is sent. A failing run raises out of here: the bookings before it stay sent, the lines
// after it are not sent.
void buchung_erzeugen(ImportState& state, const std::function<fw::Text()>& popupText);

}  // namespace valtaro
