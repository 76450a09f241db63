// The proleptic Gregorian calendar of years 1 to 9999 over date-time values:
// days since 30 December 1899 (day 0), the fraction of a day being the time.
#pragma once

#include <cstdint>

namespace talvex {

bool IsLeapYear(uint16_t Year);
int DaysInMonth(uint16_t Year, uint16_t Month);  // 0 for a month outside 1..12

// False for a year outside 1..9999, a month outside 1..12 or a day beyond the month.
bool TryEncodeDate(uint16_t Year, uint16_t Month, uint16_t Day, double& Date);
// False for hours above 23, minutes or seconds above 59, milliseconds above 999.
bool TryEncodeTime(uint16_t Hour, uint16_t Minute, uint16_t Second, uint16_t Millisecond,
                   double& Time);

struct TDecodedDateTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
  int DayOfWeek = 0;  // 1 Sunday .. 7 Saturday; 0 when the date is outside the calendar
};

// Value times 86400000 rounded to whole milliseconds (halves to even); the day is
// that count div 86400000, the time of day the rest. Negative values count back
// from day 0 on the magnitude. A day outside 1 January 1 .. 31 December 9999, or a
// value too large to count in milliseconds, decodes with year, month, day and
// day of week all 0 (the time of day is still decoded when it can be).
TDecodedDateTime DecodeDateTime(double Value);

}  // namespace talvex
