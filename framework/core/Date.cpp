#include "framework/core/Date.h"

#include <ctime>
#include <utility>

namespace fw {

namespace {

Date::Clock& InstalledClock() {
  static Date::Clock clock;
  return clock;
}

Date SystemNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
              local.tm_sec);
}

}  // namespace

Date::Date() : Date(InstalledClock() ? InstalledClock()() : SystemNow()) {}

Date::Date(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
           std::int32_t minute, std::int32_t second)
    : year_(year), month_(month), day_(day), hour_(hour), minute_(minute), second_(second) {}

void Date::SetDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  year_ = year;
  month_ = month;
  day_ = day;
}

void Date::SetClock(Clock clock) { InstalledClock() = std::move(clock); }

bool ParseDate(const Text& text, Date& date) { return ParseDateBytes(text.Bytes(), date); }

bool ParseDateBytes(std::string_view bytes, Date& date) {
  const auto day = ParseDateText(bytes);
  if (!day) return false;
  date.SetDate(day->year, day->month, day->day);
  return true;
}

}  // namespace fw
