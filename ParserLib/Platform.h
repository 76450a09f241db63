// The clock, the one other thing the engine needs from its host. Tests fix it;
// the Windows program fills it with GetLocalTime and GetSystemTime.
#pragma once

#include <cstdint>

namespace talvex {

struct TSystemTime {
  uint16_t Year = 0;
  uint16_t Month = 0;
  uint16_t DayOfWeek = 0;  // 0 Sunday .. 6 Saturday
  uint16_t Day = 0;
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  uint16_t Milliseconds = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  virtual TSystemTime LocalTime() = 0;
  virtual TSystemTime UtcTime() = 0;
};

// The clock in use; the portable default reads the standard library's clocks.
IClock& Clock();
// Installs a host's clock (not owned); nullptr restores the default.
void SetClock(IClock* NewClock);

}  // namespace talvex
