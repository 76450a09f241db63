#include "ParserLib/Platform.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class TFixedClock final : public IClock {
 public:
  TSystemTime Local, Utc;
  TSystemTime LocalTime() override { return Local; }
  TSystemTime UtcTime() override { return Utc; }
};

TSystemTime At(uint16_t Year, uint16_t Month, uint16_t Day, uint16_t Hour, uint16_t Minute,
               uint16_t Second, uint16_t Milliseconds) {
  TSystemTime T;
  T.Year = Year;
  T.Month = Month;
  T.Day = Day;
  T.Hour = Hour;
  T.Minute = Minute;
  T.Second = Second;
  T.Milliseconds = Milliseconds;
  return T;
}

class DateTimeFunctions : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Clock.Local = At(2024, 2, 29, 13, 45, 30, 250);
    Clock.Utc = At(2024, 2, 29, 10, 45, 30, 250);
    SetClock(&Clock);
  }
  void TearDown() override {
    SetClock(nullptr);
    EngineTest::TearDown();
  }

  // A value no literal or operator makes, handed in as the variable D.
  void LetD(double DateTime) {
    TCalcValue V;
    SetDateTime(V, DateTime);
    SetVariable(Parser.Variables, "D", V);
  }

  double DaysOf(const char* Expression) {
    TCalcValue Result;
    Parser.Evaluate(Expression, Result);
    EXPECT_EQ(Result.Kind, vkDate) << Expression;
    return Result.DateTimeValue;
  }

  TFixedClock Clock;
};

TEST_F(DateTimeFunctions, SecondsAndTimes) {
  ExpectKinds(Parser, {
      {"SecToTime(3661)", "time {1:01:01}"},
      {"SecToTime(0)", "time {0:00:00}"},
      {"SecToTime(86399)", "time {23:59:59}"},
      {"SecToTime(86400)", "error: Позиция 17:  Недопустимый аргумент в функции \"SecToTime\""},
      {"SecToTime(-1)", "error: Позиция 14:  Недопустимый аргумент в функции \"SecToTime\""},
      {"SecToTime(-3600)", "error: Позиция 17:  Недопустимый аргумент в функции \"SecToTime\""},
      // The hours are a 16-bit part: 65536 hours wrap to 0.
      {"SecToTime(235929599)", "error: Позиция 21:  Недопустимый аргумент в функции \"SecToTime\""},
      {"SecToTime(235929600)", "time {0:00:00}"},
      {"SecToTime(235933261)", "time {1:01:01}"},
      {"SecToTime(9223372036854775806)", "error: Позиция 31:  Недопустимый аргумент в функции \"SecToTime\""},
      {"SecToTime(-9223372036854775806 - 2)", "error: Позиция 36:  Недопустимый аргумент в функции \"SecToTime\""},
      {"SecToTime(1.5)", "error: Позиция 15:  Вещественный тип неприменим"},
      {"TimeToSec(SecToTime(45296))", "integer 45296"},
      {"TimeToSec(12:30)", "integer 45000"},
      {"TimeToSec({01.02.2003 12:00})", "integer 43200"},
      {"TimeToSec(5)", "error: Позиция 13:  Целый тип неприменим"},
      {"TimeToSec(EncodeDate(1; 2; 2003))", "error: Позиция 34:  Константа времени не применима"},
      {"EncodeTime(23; 59; 59)", "time {23:59:59}"},
      {"EncodeTime(0; 0; 0)", "time {0:00:00}"},
      {"EncodeTime(24; 0; 0)", "error: Позиция 21:  Недопустимый аргумент в функции \"EncodeTime\""},
      {"EncodeTime(23; 60; 0)", "error: Позиция 22:  Недопустимый аргумент в функции \"EncodeTime\""},
      {"EncodeTime(23; 59; 60)", "error: Позиция 23:  Недопустимый аргумент в функции \"EncodeTime\""},
      {"EncodeTime(-1; 0; 0)", "error: Позиция 21:  Недопустимый аргумент в функции \"EncodeTime\""},
      {"EncodeTime(65537; 2; 3)", "time {1:02:03}"},
      {"Hours(13:14:15)", "integer 13"},
      {"Minutes(13:14:15)", "integer 14"},
      {"Seconds(13:14:15)", "integer 15"},
      {"Seconds(\"13:14:15\")", "error: Позиция 20:  Строковый тип неприменим"},
  });
}

TEST_F(DateTimeFunctions, DecodingRoundsToWholeMilliseconds) {
  // 13:14:15 and 999.6 ms is 13:14:16; 999.4 ms stays within the second.
  LetD((47655999.6 / 86400000) + 36526);
  ExpectAnswers(Parser, {{"Seconds(D)", "16"}, {"TimeToSec(D)", "47656"}, {"Day(D)", "1"}});
  LetD((47655999.4 / 86400000) + 36526);
  ExpectAnswers(Parser, {{"Seconds(D)", "15"}, {"TimeToSec(D)", "47655"}});
  // The last half millisecond of a day rounds into the next one.
  LetD(36526 + 86399999.6 / 86400000);
  ExpectAnswers(Parser, {{"Day(D)", "2"}, {"Hours(D)", "0"}, {"TimeToSec(D)", "0"}, {"DayOfWeek(D)", "1"}});
  // Before day 0 the time of day counts away from it: -1.25 is 29.12.1899 6:00.
  LetD(-1.25);
  ExpectAnswers(Parser, {{"Day(D)", "29"}, {"Hours(D)", "6"}, {"DayOfWeek(D)", "6"}});
}

TEST_F(DateTimeFunctions, DatesOutsideTheCalendarDecodeAsZeros) {
  LetD(2958466.5);  // 1 January 10000, noon
  ExpectAnswers(Parser, {{"Year(D)", "0"}, {"Mon(D)", "0"}, {"Day(D)", "0"}, {"DayOfWeek(D)", "0"},
                         {"Hours(D)", "12"}});
  LetD(-693594.25);  // 31 December of year 0, 6:00
  ExpectAnswers(Parser, {{"Year(D)", "0"}, {"Day(D)", "0"}, {"Hours(D)", "6"}});
  LetD(1e300);
  ExpectAnswers(Parser, {{"Year(D)", "0"}, {"TimeToSec(D)", "0"}});
}

TEST_F(DateTimeFunctions, EncodeDate) {
  ExpectKinds(Parser, {
      {"EncodeDate(31; 12; 1999)", "date {31.12.1999}"},
      {"EncodeDate(29; 2; 2000)", "date {29.02.2000}"},
      {"EncodeDate(29; 2; 2001)", "error: Позиция 24:  Недопустимый аргумент в функции \"EncodeDate\""},
      {"EncodeDate(29; 2; 1900)", "error: Позиция 24:  Недопустимый аргумент в функции \"EncodeDate\""},
      {"EncodeDate(1; 1; 0)", "error: Позиция 20:  Недопустимый аргумент в функции \"EncodeDate\""},
      {"EncodeDate(1; 1; 10000)", "error: Позиция 24:  Недопустимый аргумент в функции \"EncodeDate\""},
      {"EncodeDate(0; 1; 2000)", "error: Позиция 23:  Недопустимый аргумент в функции \"EncodeDate\""},
      {"EncodeDate(1; 13; 2000)", "error: Позиция 24:  Недопустимый аргумент в функции \"EncodeDate\""},
      // Parts are 16 bits wide: 67536 and -63536 are both the year 2000.
      {"EncodeDate(1; 1; 67536)", "date {01.01.2000}"},
      {"EncodeDate(1; 1; -63536)", "date {01.01.2000}"},
      {"EncodeDate(65537; 65537; 2000)", "date {01.01.2000}"},
      {"EncodeDate(1.5; 1; 2000)", "error: Позиция 25:  Вещественный тип неприменим"},
      {"EncodeDate(\"1\"; 1; 2000)", "error: Позиция 25:  Строковый тип неприменим"},
      // A pure date is not a time: the decoders refuse it.
      {"Day(EncodeDate(31; 12; 1999))", "error: Позиция 30:  Константа времени не применима"},
  });
}

TEST_F(DateTimeFunctions, PartsOfDatesAndTimes) {
  ExpectKinds(Parser, {
      {"DayOfWeek({01.01.2000})", "integer 7"},
      {"DayOfWeek({03.01.2000 23:59:59})", "integer 2"},
      {"Day({31.12.9999 23:59:59})", "integer 31"},
      {"Mon({31.12.9999})", "integer 12"},
      {"Year({01.01.0001})", "integer 1"},
      // A time of day lies on day 0, Saturday 30 December 1899.
      {"Day(12:00)", "integer 30"},
      {"Mon(12:00)", "integer 12"},
      {"Year(12:00)", "integer 1899"},
      {"DayOfWeek(12:00)", "integer 7"},
      {"Year(2000)", "error: Позиция 11:  Целый тип неприменим"},
  });
}

TEST_F(DateTimeFunctions, LeapYears) {
  ExpectKinds(Parser, {
      {"IsLeapYear(1900)", "boolean False"},
      {"IsLeapYear(2000)", "boolean True"},
      {"IsLeapYear(2004)", "boolean True"},
      {"IsLeapYear(2001)", "boolean False"},
      {"IsLeapYear(67436)", "boolean False"},  // 1900 in 16 bits
      {"IsLeapYear(65536)", "boolean True"},   // year 0
      {"IsLeapYear(2000.5)", "error: Позиция 19:  Вещественный тип неприменим"},
  });
}

// Day numbers and weekdays from python3's datetime: date.toordinal() -
// date(1899, 12, 30).toordinal(), and isoweekday() % 7 + 1 (Sunday is 1).
TEST_F(DateTimeFunctions, DayCountsAndWeekdaysAgreeWithPythonsCalendar) {
  const struct { int Day, Month, Year; double Number; int WeekDay; } Cases[] = {
      {1, 1, 1, -693593, 2},        {31, 12, 1, -693229, 2},       {29, 2, 4, -692439, 1},
      {28, 2, 100, -657376, 1},     {1, 3, 100, -657375, 2},       {29, 2, 400, -547803, 3},
      {4, 10, 1582, -115869, 2},    {15, 10, 1582, -115858, 6},    {14, 9, 1752, -53797, 5},
      {29, 12, 1899, -1, 6},        {30, 12, 1899, 0, 7},          {31, 12, 1899, 1, 1},
      {28, 2, 1900, 60, 4},         {1, 3, 1900, 61, 5},           {1, 1, 1970, 25569, 5},
      {29, 2, 2000, 36585, 3},      {29, 2, 2024, 45351, 5},       {19, 1, 2038, 50424, 3},
      {1, 3, 2100, 73110, 2},       {29, 2, 4000, 767070, 3},      {5, 5, 5555, 1335087, 5},
      {8, 8, 8888, 2552537, 1},     {1, 1, 9999, 2958101, 6},      {31, 12, 9999, 2958465, 6},
  };
  for (const auto& C : Cases) {
    const std::string Args = std::to_string(C.Day) + "; " + std::to_string(C.Month) + "; " + std::to_string(C.Year);
    EXPECT_EQ(DaysOf(("EncodeDate(" + Args + ")").c_str()), C.Number) << Args;
    LetD(C.Number < 0 ? C.Number - 0.75 : C.Number + 0.75);  // 18:00, away from day 0
    EXPECT_EQ(Calc("DayOfWeek(D)"), std::to_string(C.WeekDay)) << Args;
    EXPECT_EQ(Calc("Day(D) + 100 * Mon(D) + 10000 * Year(D)"),
              std::to_string(C.Day + 100 * C.Month + 10000 * C.Year)) << Args;
  }
}

// Days since 30 December 1899 by Howard Hinnant's era arithmetic, built
// differently from the calendar under test.
int64_t DaysFromCivil(int64_t Y, int64_t M, int64_t D) {
  Y -= M <= 2;
  const int64_t Era = (Y >= 0 ? Y : Y - 399) / 400;
  const int64_t YearOfEra = Y - Era * 400;
  const int64_t DayOfYear = (153 * (M > 2 ? M - 3 : M + 9) + 2) / 5 + D - 1;
  return Era * 146097 + YearOfEra * 365 + YearOfEra / 4 - YearOfEra / 100 + DayOfYear - 693899;
}

// One day in every year from 1 to 9999, the day and month moving on each year.
TEST_F(DateTimeFunctions, EveryYearAgreesWithAnIndependentDayCount) {
  for (int Year = 1; Year <= 9999; ++Year) {
    const int Month = Year % 12 + 1, Day = Year % 28 + 1;
    const std::string Args = std::to_string(Day) + "; " + std::to_string(Month) + "; " + std::to_string(Year);
    const int64_t Number = DaysFromCivil(Year, Month, Day);
    ASSERT_EQ(DaysOf(("EncodeDate(" + Args + ")").c_str()), static_cast<double>(Number)) << Args;
    LetD(static_cast<double>(Number) + (Number < 0 ? -0.5 : 0.5));  // noon, counted away from day 0
    const int WeekDay = static_cast<int>(((Number % 7 + 7) % 7 + 6) % 7) + 1;  // day 0 was a Saturday
    ASSERT_EQ(Calc("DayOfWeek(D) * 100 + Hours(D)"), std::to_string(WeekDay * 100 + 12)) << Args;
  }
}

TEST_F(DateTimeFunctions, NowReadsTheLocalClock) {
  ExpectKinds(Parser, {
      {"Now", "datetime {29.02.2024 13:45:30}"},
      {"Year(Now)", "integer 2024"},
      {"Mon(Now)", "integer 2"},
      {"Day(Now)", "integer 29"},
      {"DayOfWeek(Now)", "integer 5"},
      {"TimeToSec(Now)", "integer 49530"},
      {"Now(1)", "error: Позиция 4:  Неизвестный формат числа или неверное выражение."},
  });
  Clock.Local = At(1800, 6, 15, 6, 0, 0, 0);
  ExpectAnswers(Parser, {{"Year(Now)", "1800"}, {"Day(Now)", "15"}, {"Hours(Now)", "6"}});
  Clock.Local = At(1899, 12, 30, 0, 0, 1, 0);
  ExpectKinds(Parser, {{"Now", "time {0:00:01}"}});
  Clock.Local = At(2024, 2, 30, 0, 0, 0, 0);
  ExpectAnswers(Parser, {{"Now", "error: Позиция 1:  Недопустимый аргумент в функции \"Now\""}});
}

// Expected values worked out in python3: seed = ms of the UTC day, times 134775813 plus 1
// modulo 2^32, then the upper half of seed * n.
TEST_F(DateTimeFunctions, RandomReseedsFromTheUtcClock) {
  ExpectKinds(Parser, {
      {"Random(10)", "integer 8"},
      {"Random(10)", "integer 8"},  // the same millisecond, the same number
      {"Random(100000)", "integer 89367"},
      {"Random(4294967306)", "integer 8"},  // the low 32 bits: 10
      {"Random(-1)", "integer -456652238"},
      {"Random(0)", "integer 0"},
      {"Random(1)", "integer 0"},
      {"Random(2.5)", "error: Позиция 12:  Вещественный тип неприменим"},
  });
  Clock.Utc.Milliseconds = 251;
  ExpectAnswers(Parser, {{"Random(100000)", "92505"}});
  Clock.Utc = At(2024, 2, 29, 23, 59, 59, 999);
  ExpectAnswers(Parser, {{"Random(1000)", "723"}, {"Random(-1)", "-1188608005"}});
}

}  // namespace
}  // namespace talvex
