#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/core/Date.h"
#include "framework/core/DateParser.h"

namespace fw {
namespace {

struct DateCase {
  std::string text;
  std::optional<CalendarDay> expected;
};

class ParseDateTextTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(ParseDateTextTest, ReadsTheDayOrNothing) {
  const DateCase& c = GetParam();
  EXPECT_EQ(ParseDateText(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Understood, ParseDateTextTest,
                         ::testing::Values(DateCase{"05.03.2008", CalendarDay{2008, 3, 5}},
                                           DateCase{"5.3.2008", CalendarDay{2008, 3, 5}},
                                           DateCase{"31.12.1999", CalendarDay{1999, 12, 31}},
                                           DateCase{"5.3.08", CalendarDay{2008, 3, 5}},
                                           DateCase{"1.1.00", CalendarDay{2000, 1, 1}},
                                           DateCase{"1.1.49", CalendarDay{2049, 1, 1}},
                                           DateCase{"1.1.50", CalendarDay{1950, 1, 1}},
                                           DateCase{"31.12.99", CalendarDay{1999, 12, 31}},
                                           DateCase{"29.02.2008", CalendarDay{2008, 2, 29}},
                                           DateCase{"29.02.2000", CalendarDay{2000, 2, 29}},
                                           DateCase{"29.2.08", CalendarDay{2008, 2, 29}},
                                           DateCase{"2008-03-05", CalendarDay{2008, 3, 5}},
                                           DateCase{"2008-3-5", CalendarDay{2008, 3, 5}},
                                           DateCase{"2008-02-29", CalendarDay{2008, 2, 29}}));

INSTANTIATE_TEST_SUITE_P(
    NotUnderstood, ParseDateTextTest,
    ::testing::Values(DateCase{"", std::nullopt}, DateCase{"31.02.2008", std::nullopt},
                      DateCase{"29.02.2007", std::nullopt}, DateCase{"29.02.1900", std::nullopt},
                      DateCase{"29.2.07", std::nullopt}, DateCase{"1.13.2008", std::nullopt},
                      DateCase{"0.1.2008", std::nullopt}, DateCase{"1.0.2008", std::nullopt},
                      DateCase{"32.1.2008", std::nullopt}, DateCase{"31.04.2008", std::nullopt},
                      DateCase{"05.03.2008x", std::nullopt}, DateCase{"05.03.2008 ", std::nullopt},
                      DateCase{" 05.03.2008", std::nullopt}, DateCase{"05.03.2008.", std::nullopt},
                      DateCase{"05.03", std::nullopt}, DateCase{"05..2008", std::nullopt},
                      DateCase{"5.3.208", std::nullopt}, DateCase{"5.3.20080", std::nullopt},
                      DateCase{"005.3.2008", std::nullopt}, DateCase{"1.1.0000", std::nullopt},
                      DateCase{"-5.3.2008", std::nullopt}, DateCase{"5-3-2008", std::nullopt},
                      DateCase{"08-03-05", std::nullopt}, DateCase{"2008-13-01", std::nullopt},
                      DateCase{"2007-02-29", std::nullopt}, DateCase{"2008.03.05", std::nullopt},
                      DateCase{"2008-03-05T10:00", std::nullopt},
                      DateCase{"5.3.2008-1", std::nullopt}, DateCase{"heute", std::nullopt}));

class DateTest : public ::testing::Test {
 protected:
  void TearDown() override { Date::SetClock({}); }
};

TEST_F(DateTest, NewDateReadsTheClockThatTestsSet) {
  Date::SetClock([] { return Date(2011, 7, 14, 9, 30, 5); });
  const Date now;
  EXPECT_EQ(now.Year(), 2011);
  EXPECT_EQ(now.Month(), 7);
  EXPECT_EQ(now.Day(), 14);
  EXPECT_EQ(now.Hour(), 9);
  EXPECT_EQ(now.Minute(), 30);
  EXPECT_EQ(now.Second(), 5);
}

TEST_F(DateTest, WithoutASetClockANewDateIsToday) {
  const Date now;
  EXPECT_TRUE(IsCalendarDate(now.Year(), now.Month(), now.Day()));
  EXPECT_GE(now.Year(), 2024);
}

TEST_F(DateTest, ParseDateSetsTheDayOnlyWhenUnderstood) {
  Date date(2011, 7, 14, 9, 30, 5);
  EXPECT_TRUE(ParseDate(Text("5.3.08"), date));
  EXPECT_EQ(date.Year(), 2008);
  EXPECT_EQ(date.Month(), 3);
  EXPECT_EQ(date.Day(), 5);
  EXPECT_EQ(date.Hour(), 9);  // the time of day stays

  EXPECT_FALSE(ParseDate(Text("31.02.2008"), date));
  EXPECT_FALSE(ParseDate(Text(""), date));
  EXPECT_EQ(date.Year(), 2008);
  EXPECT_EQ(date.Month(), 3);
  EXPECT_EQ(date.Day(), 5);
}

TEST_F(DateTest, ParseDateReadsTextsOfEveryEncoding) {
  Date date(2000, 1, 1);
  EXPECT_TRUE(ParseDate(Text::FromBytes("24.12.2009", Encodings::MacRoman()), date));
  EXPECT_EQ(date.Day(), 24);
  EXPECT_FALSE(ParseDate(Text::FromBytes("24.12.2009\xA0", Encodings::ISOLatin1()), date));
  EXPECT_EQ(date.Year(), 2009);
}

}  // namespace
}  // namespace fw
