#include "ParserLib/Calendar.h"

#include <cmath>

namespace talvex {
namespace {

constexpr int64_t MsPerDay = 86400000;
// Day numbers of 1 January 1 and 31 December 9999.
constexpr int64_t FirstDay = -693593;
constexpr int64_t LastDay = 2958465;

constexpr int DaysPer400Years = 146097;
constexpr int DaysPer100Years = 36524;
constexpr int DaysPer4Years = 1461;

constexpr int MonthDays[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Whole milliseconds in a non-negative, finite Product below 2^63, halves to
// even. Done by hand so the result never depends on the rounding mode.
uint64_t RoundMilliseconds(double Product) {
  const double Whole = std::floor(Product);
  const double Rest = Product - Whole;  // exact: Whole is 0 or at least Product / 2
  auto Count = static_cast<uint64_t>(Whole);
  if (Rest > 0.5 || (Rest == 0.5 && (Count & 1) != 0)) ++Count;
  return Count;
}

// Year, month and day of a day number within the calendar, by whole cycles of
// 400, 100, 4 and 1 years counted from 1 January 1.
void DecodeDay(int64_t DayNumber, TDecodedDateTime& Out) {
  auto Days = static_cast<int>(DayNumber - FirstDay);
  int Year = 1;
  Year += Days / DaysPer400Years * 400;
  Days %= DaysPer400Years;
  int Centuries = Days / DaysPer100Years;
  if (Centuries == 4) Centuries = 3;  // the last day of a 400-year cycle
  Year += Centuries * 100;
  Days -= Centuries * DaysPer100Years;
  Year += Days / DaysPer4Years * 4;
  Days %= DaysPer4Years;
  int Years = Days / 365;
  if (Years == 4) Years = 3;  // the last day of a leap year
  Year += Years;
  Days -= Years * 365;

  const auto& Lengths = MonthDays[IsLeapYear(static_cast<uint16_t>(Year)) ? 1 : 0];
  int Month = 0;
  while (Days >= Lengths[Month]) Days -= Lengths[Month++];
  Out.Year = Year;
  Out.Month = Month + 1;
  Out.Day = Days + 1;
  // Day 0 was a Saturday.
  Out.DayOfWeek = static_cast<int>(((DayNumber % 7 + 7) % 7 + 6) % 7) + 1;
}

}  // namespace

bool IsLeapYear(uint16_t Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(uint16_t Year, uint16_t Month) {
  if (Month < 1 || Month > 12) return 0;
  return MonthDays[IsLeapYear(Year) ? 1 : 0][Month - 1];
}

bool TryEncodeDate(uint16_t Year, uint16_t Month, uint16_t Day, double& Date) {
  if (Year < 1 || Year > 9999 || Day < 1 || Day > DaysInMonth(Year, Month)) return false;
  const auto& Lengths = MonthDays[IsLeapYear(Year) ? 1 : 0];
  int Count = Day;
  for (int M = 0; M + 1 < Month; ++M) Count += Lengths[M];
  const int Y = Year - 1;
  Date = static_cast<double>(Y * 365 + Y / 4 - Y / 100 + Y / 400 + Count - 693594);
  return true;
}

bool TryEncodeTime(uint16_t Hour, uint16_t Minute, uint16_t Second, uint16_t Millisecond,
                   double& Time) {
  if (Hour > 23 || Minute > 59 || Second > 59 || Millisecond > 999) return false;
  const int32_t Ms = Hour * 3600000 + Minute * 60000 + Second * 1000 + Millisecond;
  Time = static_cast<double>(Ms) / static_cast<double>(MsPerDay);
  return true;
}

TDecodedDateTime DecodeDateTime(double Value) {
  TDecodedDateTime Out;
  const double Magnitude = std::fabs(Value);
  // Also false for NaN; 2^63 keeps the conversion to an integer defined.
  if (!(Magnitude * static_cast<double>(MsPerDay) < 0x1p63)) return Out;
  const uint64_t Count = RoundMilliseconds(Magnitude * static_cast<double>(MsPerDay));

  auto TimeOfDay = static_cast<int>(Count % MsPerDay);
  Out.Millisecond = TimeOfDay % 1000;
  TimeOfDay /= 1000;
  Out.Second = TimeOfDay % 60;
  TimeOfDay /= 60;
  Out.Minute = TimeOfDay % 60;
  Out.Hour = TimeOfDay / 60;

  // Below 2^63 / 86400000, so the day count fits comfortably in int64.
  auto DayNumber = static_cast<int64_t>(Count / MsPerDay);
  if (Value < 0) DayNumber = -DayNumber;
  if (DayNumber >= FirstDay && DayNumber <= LastDay) DecodeDay(DayNumber, Out);
  return Out;
}

}  // namespace talvex
