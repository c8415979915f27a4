#pragma once

#include <cstdint>
#include <vector>

#include "framework/text/Text.h"

namespace fw {

// The text functions of the framework. Positions, lengths and field numbers count characters,
// from 1. Searching ignores letter case, like text equality. The forms that take a `Text&&` give
// the same results and, where they can, change the bytes of the given text in place.

// Position of the first `part` in `text` at or after position `start` (0 and 1 both mean the
// beginning); 0 when absent or when `part` is empty.
std::int32_t InStr(std::int32_t start, const Text& text, const Text& part);

// The number of occurrences of `separator` plus one; 1 for an empty separator.
std::int32_t CountFields(const Text& text, const Text& separator);
// Field `n` (from 1) between separators, unchanged; the empty text past the last field.
Text NthField(const Text& text, const Text& separator, std::int32_t n);
// All fields at once, the same as NthField for 1 to CountFields.
std::vector<Text> SplitFields(const Text& text, const Text& separator);

// The one-character text of a Unicode code point, in UTF-8.
Text Chr(std::int32_t code);
std::int32_t Len(const Text& text);
// The first or last `count` characters (all of them when `count` is larger, none when below 1).
Text Left(const Text& text, std::int32_t count);
Text Right(const Text& text, std::int32_t count);
// Without trailing blanks, tabs, CR, LF, VT and FF.
Text RTrim(const Text& text);
Text RTrim(Text&& text);
// `text` with its first, or every, occurrence of `old` replaced.
Text Replace(const Text& text, const Text& old, const Text& replacement);
Text Replace(Text&& text, const Text& old, const Text& replacement);
Text ReplaceAll(const Text& text, const Text& old, const Text& replacement);
Text ReplaceAll(Text&& text, const Text& old, const Text& replacement);

// The same characters in another encoding; a character that the target lacks becomes "?".
Text ConvertEncoding(const Text& text, TextEncoding encoding);
Text ConvertEncoding(Text&& text, TextEncoding encoding);

// The number at the start of the text (after leading blanks), 0 when there is none.
double Val(const Text& text);
// The decimal text of an integer. Only the empty format is known: plain digits, a "-" when
// negative, no leading zeros.
Text Str(std::int32_t value, const Text& format);
// A number by a mask of "0" (a digit that is always shown), "#" (a digit shown when
// significant), "." (the decimal point) and "," (thousands grouping). "00" gives at least two
// digits.
Text Format(double number, const Text& mask);

}  // namespace fw
