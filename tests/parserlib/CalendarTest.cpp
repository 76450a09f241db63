#include "ParserLib/Calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace talvex {
namespace {

// Days since 1 January 1970 by Howard Hinnant's era arithmetic: a count built
// differently from the code under test, shifted to the 1899 epoch.
int64_t ReferenceDaysFromCivil(int64_t Y, int64_t M, int64_t D) {
  Y -= M <= 2;
  const int64_t Era = (Y >= 0 ? Y : Y - 399) / 400;
  const int64_t YearOfEra = Y - Era * 400;
  const int64_t DayOfYear = (153 * (M > 2 ? M - 3 : M + 9) + 2) / 5 + D - 1;
  const int64_t DayOfEra = YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear;
  return Era * 146097 + DayOfEra - 719468 + 25569;
}

struct TParts {
  int Year, Month, Day, Hour, Minute, Second, Millisecond, DayOfWeek;
};

void ExpectParts(double Value, const TParts& Want) {
  const TDecodedDateTime Got = DecodeDateTime(Value);
  EXPECT_EQ(Got.Year, Want.Year) << Value;
  EXPECT_EQ(Got.Month, Want.Month) << Value;
  EXPECT_EQ(Got.Day, Want.Day) << Value;
  EXPECT_EQ(Got.Hour, Want.Hour) << Value;
  EXPECT_EQ(Got.Minute, Want.Minute) << Value;
  EXPECT_EQ(Got.Second, Want.Second) << Value;
  EXPECT_EQ(Got.Millisecond, Want.Millisecond) << Value;
  EXPECT_EQ(Got.DayOfWeek, Want.DayOfWeek) << Value;
}

TEST(Calendar, LeapYearsHave366DaysByAnIndependentCount) {
  for (int Year = 1; Year <= 9999; ++Year) {
    const bool Long = ReferenceDaysFromCivil(Year + 1, 1, 1) - ReferenceDaysFromCivil(Year, 1, 1) == 366;
    ASSERT_EQ(IsLeapYear(static_cast<uint16_t>(Year)), Long) << Year;
    ASSERT_EQ(DaysInMonth(static_cast<uint16_t>(Year), 2), Long ? 29 : 28) << Year;
  }
  const struct { uint16_t Year; bool Leap; } Cases[] = {
      {1900, false}, {2000, true}, {2004, true}, {2001, false}, {1600, true}, {1700, false}, {4, true}};
  for (const auto& C : Cases) EXPECT_EQ(IsLeapYear(C.Year), C.Leap) << C.Year;
}

TEST(Calendar, MonthLengths) {
  const struct { uint16_t Year, Month; int Days; } Cases[] = {
      {2001, 1, 31}, {2001, 4, 30}, {2001, 6, 30}, {2001, 7, 31}, {2001, 8, 31},
      {2001, 9, 30}, {2001, 11, 30}, {2001, 12, 31}, {2001, 0, 0}, {2001, 13, 0}, {2001, 65535, 0}};
  for (const auto& C : Cases) EXPECT_EQ(DaysInMonth(C.Year, C.Month), C.Days) << C.Month;
}

TEST(Calendar, EveryFirstOfAMonthMatchesTheReferenceCount) {
  for (int Year = 1; Year <= 9999; ++Year) {
    for (int Month = 1; Month <= 12; ++Month) {
      double Date = -1e9;
      ASSERT_TRUE(TryEncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month), 1, Date));
      ASSERT_EQ(Date, static_cast<double>(ReferenceDaysFromCivil(Year, Month, 1))) << Year << "-" << Month;
    }
  }
}

// Walks the calendar one day at a time from 1 January 1 and checks every day
// both ways, with a time of day that changes from day to day.
TEST(Calendar, EveryDayEncodesAndDecodesInStep) {
  const int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int Year = 1, Month = 1, Day = 1;
  int WeekDay = 2;  // 1 January 1 was a Monday
  for (int64_t Number = -693593; Number <= 2958465; ++Number) {
    double Date = 0;
    ASSERT_TRUE(TryEncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month),
                              static_cast<uint16_t>(Day), Date));
    ASSERT_EQ(Date, static_cast<double>(Number));

    const int Seconds = static_cast<int>((Number % 86400 + 86400) % 86400);
    const double Time = Seconds / 86400.0;
    const TDecodedDateTime D = DecodeDateTime(Number < 0 ? Date - Time : Date + Time);
    ASSERT_TRUE(D.Year == Year && D.Month == Month && D.Day == Day && D.DayOfWeek == WeekDay)
        << Number << ": " << D.Year << "-" << D.Month << "-" << D.Day << " weekday " << D.DayOfWeek;
    ASSERT_EQ(D.Hour * 3600 + D.Minute * 60 + D.Second, Seconds) << Number;
    ASSERT_EQ(D.Millisecond, 0) << Number;

    WeekDay = WeekDay % 7 + 1;
    const bool Leap = Year % 400 == 0 || (Year % 4 == 0 && Year % 100 != 0);
    if (++Day > Lengths[Month - 1] + (Month == 2 && Leap ? 1 : 0)) {
      Day = 1;
      if (++Month > 12) {
        Month = 1;
        ++Year;
      }
    }
  }
  EXPECT_EQ(Year, 10000);
}

TEST(Calendar, KnownDays) {
  const struct { uint16_t Year, Month, Day; double Number; int WeekDay; } Cases[] = {
      {1899, 12, 30, 0, 7},      {1899, 12, 31, 1, 1},   {1900, 1, 1, 2, 2},
      {1999, 12, 31, 36525, 6},  {2000, 1, 1, 36526, 7}, {2000, 2, 29, 36585, 3},
      {1, 1, 1, -693593, 2},     {9999, 12, 31, 2958465, 6}};
  for (const auto& C : Cases) {
    double Date = 0;
    ASSERT_TRUE(TryEncodeDate(C.Year, C.Month, C.Day, Date));
    EXPECT_EQ(Date, C.Number);
    EXPECT_EQ(DecodeDateTime(C.Number).DayOfWeek, C.WeekDay) << C.Number;
  }
}

TEST(Calendar, InvalidDatesAreRefusedAndLeaveTheResultAlone) {
  const struct { uint16_t Year, Month, Day; } Cases[] = {
      {0, 1, 1},     {10000, 1, 1}, {65535, 1, 1}, {2001, 0, 1},  {2001, 13, 1}, {2001, 1, 0},
      {2001, 2, 29}, {1900, 2, 29}, {2000, 2, 30}, {2001, 4, 31}, {2001, 1, 32}, {2001, 1, 65535}};
  for (const auto& C : Cases) {
    double Date = 123;
    EXPECT_FALSE(TryEncodeDate(C.Year, C.Month, C.Day, Date)) << C.Year << "-" << C.Month << "-" << C.Day;
    EXPECT_EQ(Date, 123);
  }
}

TEST(Calendar, EncodesTimesAsFractionsOfADay) {
  const struct { uint16_t H, M, S, Ms; bool Valid; double Fraction; } Cases[] = {
      {0, 0, 0, 0, true, 0},
      {12, 0, 0, 0, true, 0.5},
      {6, 0, 0, 0, true, 0.25},
      {23, 59, 59, 999, true, 86399999.0 / 86400000.0},
      {24, 0, 0, 0, false, 0},
      {23, 60, 0, 0, false, 0},
      {23, 0, 60, 0, false, 0},
      {23, 0, 0, 1000, false, 0},
      {65535, 0, 0, 0, false, 0},
  };
  for (const auto& C : Cases) {
    double Time = -7;
    EXPECT_EQ(TryEncodeTime(C.H, C.M, C.S, C.Ms, Time), C.Valid) << C.H << ":" << C.M << ":" << C.S;
    EXPECT_EQ(Time, C.Valid ? C.Fraction : -7);
  }
}

TEST(Calendar, EveryMillisecondOfSomeSecondsAndEverySecondOfADayRoundTrips) {
  for (int Second = 0; Second < 86400; ++Second) {
    const auto H = static_cast<uint16_t>(Second / 3600), M = static_cast<uint16_t>(Second / 60 % 60),
               S = static_cast<uint16_t>(Second % 60);
    const int MsList[] = {0, 1, 499, 500, 501, 999, Second % 1000};
    for (int Ms : MsList) {
      double Time = 0;
      ASSERT_TRUE(TryEncodeTime(H, M, S, static_cast<uint16_t>(Ms), Time));
      // On the first and last days of the calendar as well as on day 0.
      for (double Value : {Time, 2958465 + Time, -693593 - Time}) {
        const TDecodedDateTime D = DecodeDateTime(Value);
        ASSERT_TRUE(D.Hour == H && D.Minute == M && D.Second == S && D.Millisecond == Ms)
            << Value << " gave " << D.Hour << ":" << D.Minute << ":" << D.Second << "." << D.Millisecond;
        ASSERT_NE(D.Year, 0) << Value;
      }
    }
  }
}

TEST(Calendar, MillisecondsRoundHalvesToEven) {
  // k / 2048 of a day is k * 42187.5 ms exactly, so these are true ties.
  ExpectParts(1.0 / 2048, {1899, 12, 30, 0, 0, 42, 188, 7});
  ExpectParts(3.0 / 2048, {1899, 12, 30, 0, 2, 6, 562, 7});
  ExpectParts(5.0 / 2048, {1899, 12, 30, 0, 3, 30, 938, 7});
  ExpectParts(1 + 1.0 / 2048, {1899, 12, 31, 0, 0, 42, 188, 1});
  ExpectParts(-1.0 / 2048, {1899, 12, 30, 0, 0, 42, 188, 7});
  ExpectParts(-1 - 3.0 / 2048, {1899, 12, 29, 0, 2, 6, 562, 6});
  // Less than half a millisecond before midnight belongs to the next day.
  ExpectParts(0.9999999999, {1899, 12, 31, 0, 0, 0, 0, 1});
  ExpectParts(0.99999999, {1899, 12, 30, 23, 59, 59, 999, 7});
}

TEST(Calendar, NegativeValuesCountBackFromDayZero) {
  ExpectParts(-0.5, {1899, 12, 30, 12, 0, 0, 0, 7});
  ExpectParts(-1.25, {1899, 12, 29, 6, 0, 0, 0, 6});
  ExpectParts(-1.0, {1899, 12, 29, 0, 0, 0, 0, 6});
  ExpectParts(-0.0, {1899, 12, 30, 0, 0, 0, 0, 7});
  ExpectParts(-36522.75, {1800, 1, 1, 18, 0, 0, 0, 4});
}

TEST(Calendar, ValuesOutsideTheCalendarDecodeWithoutADate) {
  const double Inf = std::numeric_limits<double>::infinity();
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  const TParts Zero = {0, 0, 0, 0, 0, 0, 0, 0};
  for (double Value : {NaN, -NaN, Inf, -Inf, 1e300, -1e300, 1.0675199117e11, -1.0675199117e11,
                       std::numeric_limits<double>::max()})
    ExpectParts(Value, Zero);

  // Just past either end of the calendar: the time of day is still there.
  ExpectParts(2958466.0, Zero);
  ExpectParts(std::nextafter(2958466.0, 0.0), Zero);  // rounds up to midnight of day 2958466
  ExpectParts(2958466.25, {0, 0, 0, 6, 0, 0, 0, 0});
  ExpectParts(-693594.0, Zero);
  ExpectParts(-693593.9999999999, Zero);
  ExpectParts(-693594.5, {0, 0, 0, 12, 0, 0, 0, 0});
  ExpectParts(-(693593 + 86399000 / 86400000.0), {1, 1, 1, 23, 59, 59, 0, 2});
  ExpectParts(2958465 + 86399999 / 86400000.0, {9999, 12, 31, 23, 59, 59, 999, 6});
  ExpectParts(1e10 + 0.5, {0, 0, 0, 12, 0, 0, 0, 0});
  ExpectParts(-1e10 - 0.75, {0, 0, 0, 18, 0, 0, 0, 0});

  // The largest values still counted in milliseconds give some time of day.
  for (double Value : {1.0675199116e11, -1.0675199116e11, std::nextafter(0x1p63 / 86400000, 0.0)}) {
    const TDecodedDateTime D = DecodeDateTime(Value);
    EXPECT_EQ(D.Year, 0);
    EXPECT_EQ(D.DayOfWeek, 0);
    EXPECT_TRUE(D.Hour >= 0 && D.Hour < 24 && D.Millisecond >= 0 && D.Millisecond < 1000) << Value;
  }
}

}  // namespace
}  // namespace talvex
