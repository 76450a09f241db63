// SecToTime, TimeToSec, DayOfWeek, Day, Mon, Year, Now, EncodeDate,
// EncodeTime, Hours, Minutes, Seconds, Random and IsLeapYear over the calendar
// of ParserLib/Calendar.h and the clock of ParserLib/Platform.h.
#include "ParserFunctions/Functions.h"
#include "ParserLib/Calendar.h"
#include "ParserLib/Platform.h"
#include "ParserLib/RuntimeErrors.h"

namespace talvex {
namespace {

// The encoders take 16-bit parts: a larger number wraps before it is checked.
uint16_t Part(int64_t N) { return static_cast<uint16_t>(static_cast<uint64_t>(N)); }

double EncodedDate(uint16_t Year, uint16_t Month, uint16_t Day) {
  double Date = 0;
  if (!TryEncodeDate(Year, Month, Day, Date)) throw EConvertError("Invalid date");
  return Date;
}

double EncodedTime(uint16_t Hour, uint16_t Minute, uint16_t Second, uint16_t Millisecond) {
  double Time = 0;
  if (!TryEncodeTime(Hour, Minute, Second, Millisecond, Time)) throw EConvertError("Invalid time");
  return Time;
}

TDecodedDateTime Decoded(const TCalcValue& V) { return DecodeDateTime(AsTime(V)); }

// Reseeded from the clock on every call, so it is state only in name; kept
// process-wide as the one generator of the program.
uint32_t RandomSeed = 0;

}  // namespace

TALVEX_PROC(FnSecToTime) {
  const int64_t N = AsInteger(Args[0]);
  SetTime(Result, EncodedTime(Part(N / 3600), Part(N % 3600 / 60), Part(N % 60), 0));
}

TALVEX_PROC(FnTimeToSec) {
  const TDecodedDateTime D = Decoded(Args[0]);
  SetInteger(Result, D.Hour * 3600 + D.Minute * 60 + D.Second);
}

TALVEX_PROC(FnDayOfWeek) { SetInteger(Result, Decoded(Args[0]).DayOfWeek); }
TALVEX_PROC(FnDay) { SetInteger(Result, Decoded(Args[0]).Day); }
TALVEX_PROC(FnMon) { SetInteger(Result, Decoded(Args[0]).Month); }
TALVEX_PROC(FnYear) { SetInteger(Result, Decoded(Args[0]).Year); }
TALVEX_PROC(FnHours) { SetInteger(Result, Decoded(Args[0]).Hour); }
TALVEX_PROC(FnMinutes) { SetInteger(Result, Decoded(Args[0]).Minute); }
TALVEX_PROC(FnSeconds) { SetInteger(Result, Decoded(Args[0]).Second); }

TALVEX_PROC(FnNow) {
  const TSystemTime T = Clock().LocalTime();
  const double Date = EncodedDate(T.Year, T.Month, T.Day);
  const double Time = EncodedTime(T.Hour, T.Minute, T.Second, T.Milliseconds);
  // Before 30 December 1899 the time of day counts away from day 0 too.
  SetDateTime(Result, Date < 0 ? Date - Time : Date + Time);
}

TALVEX_PROC(FnEncodeDate) {
  const int64_t Day = AsInteger(Args[0]), Month = AsInteger(Args[1]), Year = AsInteger(Args[2]);
  SetDate(Result, EncodedDate(Part(Year), Part(Month), Part(Day)));
}

TALVEX_PROC(FnEncodeTime) {
  const int64_t Hour = AsInteger(Args[0]), Minute = AsInteger(Args[1]), Second = AsInteger(Args[2]);
  SetTime(Result, EncodedTime(Part(Hour), Part(Minute), Part(Second), 0));
}

TALVEX_PROC(FnRandom) {
  const auto Range = static_cast<uint32_t>(static_cast<uint64_t>(AsInteger(Args[0])));
  const TSystemTime T = Clock().UtcTime();
  RandomSeed = ((T.Hour * 60u + T.Minute) * 60u + T.Second) * 1000u + T.Milliseconds;
  RandomSeed = RandomSeed * 134775813u + 1u;
  const auto High = static_cast<uint32_t>((uint64_t{RandomSeed} * Range) >> 32);
  SetInteger(Result, static_cast<int32_t>(High));
}

TALVEX_PROC(FnIsLeapYear) { SetBoolean(Result, IsLeapYear(Part(AsInteger(Args[0])))); }

}  // namespace talvex
