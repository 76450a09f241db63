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
  bool Own = false;          // the foreground window is this program's
  std::uint32_t Thread = 0;
  std::uint32_t Process = 0;
  TWindowHandle Focus = 0;  // the focus window of that thread; 0 when none is known
  // The focus window's process, when it is another than the foreground
  // window's (content hosted in a frame of another program); else 0.
  std::uint32_t FocusProcess = 0;
  // Runs at a higher integrity level (as administrator): Windows drops this
  // program's messages and input to it without a word.
  bool Elevated = false;

  // A window of either process: the clipboard owner of the target's copy.
  bool IsTargetProcess(std::uint32_t Id) const { return Id != 0 && (Id == Process || Id == FocusProcess); }
};

// The focus window is the system's answer (GetGUIThreadInfo). Only where the
// system cannot answer does the monitor's record count, and only when it
// belongs to the foreground thread: Windows loads a hook library only into
// processes of its own bitness, so the record may be a window of another
// application the user left.
TForegroundTarget FindForegroundTarget(ISystemApi& Sys, TMonitorBinding& Monitor);

}  // namespace talvex
