#include "framework/core/DateParser.h"

#include <array>
#include <cstddef>

namespace fw {

namespace {

bool IsLeapYear(std::int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::int32_t DaysInMonth(std::int32_t year, std::int32_t month) {
  static constexpr std::array<std::int32_t, 12> kDays = {31, 28, 31, 30, 31, 30,
                                                         31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[static_cast<std::size_t>(month - 1)];
}

// One number of a date: its value and how many digits it was written with.
struct Number {
  std::int32_t value = 0;
  std::size_t digits = 0;
};

// Splits the bytes at `separator` into exactly three numbers of decimal digits, each of at least
// one and at most four digits; anything else (a sign, a blank, a fourth part) gives none.
std::optional<std::array<Number, 3>> ThreeNumbers(std::string_view bytes, char separator) {
  std::array<Number, 3> numbers{};
  std::size_t part = 0;
  for (char c : bytes) {
    if (c == separator) {
      if (numbers[part].digits == 0 || ++part == numbers.size()) return std::nullopt;
    } else if (c >= '0' && c <= '9') {
      Number& number = numbers[part];
      if (++number.digits > 4) return std::nullopt;
      number.value = number.value * 10 + (c - '0');
    } else {
      return std::nullopt;
    }
  }
  if (part != 2 || numbers[2].digits == 0) return std::nullopt;
  return numbers;
}

bool IsDayOrMonth(const Number& number) { return number.digits <= 2; }

std::optional<CalendarDay> Checked(std::int32_t year, std::int32_t month, std::int32_t day) {
  if (!IsCalendarDate(year, month, day)) return std::nullopt;
  return CalendarDay{year, month, day};
}

// "d.m.yyyy" or "d.m.yy".
std::optional<CalendarDay> GermanDate(std::string_view bytes) {
  const auto numbers = ThreeNumbers(bytes, '.');
  if (!numbers) return std::nullopt;
  const auto& [day, month, year] = *numbers;
  if (!IsDayOrMonth(day) || !IsDayOrMonth(month)) return std::nullopt;
  std::int32_t fullYear = year.value;
  if (year.digits == 2) {
    fullYear += year.value < 50 ? 2000 : 1900;
  } else if (year.digits != 4) {
    return std::nullopt;
  }
  return Checked(fullYear, month.value, day.value);
}

// "yyyy-mm-dd".
std::optional<CalendarDay> IsoDate(std::string_view bytes) {
  const auto numbers = ThreeNumbers(bytes, '-');
  if (!numbers) return std::nullopt;
  const auto& [year, month, day] = *numbers;
  if (year.digits != 4 || !IsDayOrMonth(month) || !IsDayOrMonth(day)) return std::nullopt;
  return Checked(year.value, month.value, day.value);
}

}  // namespace

bool IsCalendarDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  return day <= DaysInMonth(year, month);
}

std::optional<CalendarDay> ParseDateText(std::string_view bytes) {
  if (auto german = GermanDate(bytes)) return german;
  return IsoDate(bytes);
}

}  // namespace fw
