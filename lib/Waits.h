// Waiting on the GUI thread without blocking it: every wait of the cycle
// keeps dispatching the thread's messages (the hooks of 64-bit applications
// run on this thread, and so does the program's own keyboard watch), and
// every wait ends at a deadline.
#pragma once

#include <cstdint>
#include <functional>

#include "SystemApi.h"

namespace talvex {

// How often a condition that no message announces is looked at again.
inline constexpr std::uint32_t PollInterval = 10;

// Dispatches messages until Done holds or Timeout ms have passed; tells
// whether Done held. Done is asked at once, so a wait for what already
// holds costs nothing.
bool WaitUntil(ISystemApi& Sys, const std::function<bool()>& Done, std::uint32_t Timeout);

}  // namespace talvex
