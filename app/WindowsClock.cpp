#include "app/WindowsClock.h"

#include <windows.h>

namespace talvex {
namespace {

TSystemTime FromSystemTime(const SYSTEMTIME& T) {
  TSystemTime S;
  S.Year = T.wYear;
  S.Month = T.wMonth;
  S.DayOfWeek = T.wDayOfWeek;
  S.Day = T.wDay;
  S.Hour = T.wHour;
  S.Minute = T.wMinute;
  S.Second = T.wSecond;
  S.Milliseconds = T.wMilliseconds;
  return S;
}

}  // namespace

TSystemTime TWindowsClock::LocalTime() {
  SYSTEMTIME T;
  GetLocalTime(&T);
  return FromSystemTime(T);
}

TSystemTime TWindowsClock::UtcTime() {
  SYSTEMTIME T;
  GetSystemTime(&T);
  return FromSystemTime(T);
}

}  // namespace talvex
