#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fw {

// A day of the calendar: year, month (1-12) and day of the month.
struct CalendarDay {
  std::int32_t year = 0;
  std::int32_t month = 0;
  std::int32_t day = 0;

  friend bool operator==(const CalendarDay&, const CalendarDay&) = default;
};

// True when year, month and day name a real day of the Gregorian calendar (years 1 to 9999).
bool IsCalendarDate(std::int32_t year, std::int32_t month, std::int32_t day);

// Reads a date from the bytes of a text: "d.m.yyyy", "d.m.yy" (00-49 are 2000-2049, 50-99 are
// 1950-1999) or "yyyy-mm-dd", day and month of one or two digits. Anything else, a day that the
// calendar lacks included, gives none. The digits and separators are ASCII, which reads the
// same in all three encodings, so the bytes of a text in any of them can be passed.
std::optional<CalendarDay> ParseDateText(std::string_view bytes);

}  // namespace fw
