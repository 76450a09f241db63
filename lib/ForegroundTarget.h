// The application the user is working in: the foreground window, the
// window with the keyboard focus in its thread, and whether this program may
// touch it at all. Asked of the system at the hotkey, never taken on trust.
#pragma once

#include <cstdint>

#include "MonitorBinding.h"
#include "SystemApi.h"

namespace talvex {

struct TForegroundTarget {
  TWindowHandle Window = 0;  // 0: no foreground window, or one of this program's own
  std::uint32_t Thread = 0;
  TWindowHandle Focus = 0;  // the focus window of that thread; 0 when the system tells none
  // Runs at a higher integrity level (as administrator): Windows drops this
  // program's messages and input to it without a word.
  bool Elevated = false;
};

// The focus window the monitor recorded counts only when it belongs to the
// foreground thread. Windows loads a hook library only into processes of its
// own bitness: the hooks of the 32-bit build record 32-bit applications only,
// those of the 64-bit build 64-bit ones, so the record may be a window of
// another application the user left. The system's answer serves the rest.
TForegroundTarget FindForegroundTarget(ISystemApi& Sys, TMonitorBinding& Monitor);

}  // namespace talvex
