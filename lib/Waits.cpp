#include "Waits.h"

#include <algorithm>

#include "KeyEvents.h"

namespace talvex {

bool WaitUntil(ISystemApi& Sys, const std::function<bool()>& Done, std::uint32_t Timeout) {
  const std::uint32_t Start = Sys.TickCount();
  for (;;) {
    ProcessPendingMessages(Sys);
    if (Done()) return true;
    // Unsigned differences stay right when the tick count wraps after 49.7 days.
    const std::uint32_t Elapsed = Sys.TickCount() - Start;
    if (Elapsed >= Timeout) return false;
    Sys.WaitForMessage(std::min(Timeout - Elapsed, PollInterval));
  }
}

}  // namespace talvex
