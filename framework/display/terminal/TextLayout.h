#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw::terminal {

// Texts measured and laid out in character cells: one cell per code point.

// The characters of a UTF-8 text as they may be put on the screen: invalid bytes, control
// characters (which a terminal would obey rather than show) and characters that a terminal does
// not draw in exactly one cell (which would shift the rest of the row) become U+FFFD, a tab a
// blank.
std::u32string ToScreenCharacters(std::string_view utf8);

// The number of cells the text takes.
int CellCount(std::string_view utf8);

// The text cut to at most `width` cells; a cut text ends in "…" so that the cut shows.
std::string CutToWidth(std::string_view utf8, int width);

// The text broken into lines of at most `width` cells at blanks. Line breaks in the text (LF, CR,
// CR LF) start a new line; runs of blanks between words count as one blank; a word longer than the
// width is broken inside. An empty text gives no line.
std::vector<std::string> WrapWords(std::string_view utf8, int width);

}  // namespace fw::terminal
