#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "framework/core/DateParser.h"
#include "framework/text/Text.h"

namespace fw {

// A calendar date with a time of day, in local time.
class Date {
 public:
  // The current local date and time, as the clock gives it.
  Date();
  Date(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour = 0,
       std::int32_t minute = 0, std::int32_t second = 0);

  std::int32_t Year() const { return year_; }
  std::int32_t Month() const { return month_; }
  std::int32_t Day() const { return day_; }
  std::int32_t Hour() const { return hour_; }
  std::int32_t Minute() const { return minute_; }
  std::int32_t Second() const { return second_; }

  // Sets the day and keeps the time of day.
  void SetDate(std::int32_t year, std::int32_t month, std::int32_t day);

  // Tests set the clock that new dates read; an empty function restores the system clock.
  using Clock = std::function<Date()>;
  static void SetClock(Clock clock);

 private:
  std::int32_t year_ = 0, month_ = 0, day_ = 0, hour_ = 0, minute_ = 0, second_ = 0;
};

// Understands the texts that ParseDateText reads. When the text is understood, `date` gets that
// day (its time of day stays) and the result is true; otherwise `date` is left as it was.
bool ParseDate(const Text& text, Date& date);
// The same on the bytes of a text in any of the three encodings.
bool ParseDateBytes(std::string_view bytes, Date& date);

}  // namespace fw
