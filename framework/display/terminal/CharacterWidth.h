#pragma once

namespace fw::terminal {

// True when a terminal draws the character in exactly one cell. East Asian wide and full-width
// characters and most emoji take two cells, combining marks and format characters none; the
// screen keeps one character a cell, so those would move everything after them on the row.
bool TakesOneCell(char32_t character);

}  // namespace fw::terminal
