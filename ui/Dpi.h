// Dots per inch: of the monitor a window is on, and of the system, with what
// each Windows version offers (per window from Windows 10 1607, per monitor
// from 8.1, the system's alone before; XP reads none of the newer calls,
// which are looked up at run time).
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace talvex::ui {

inline constexpr UINT DefaultDpi = 96;  // 100 %
// Sent to a per-monitor aware window whose scale changed (winuser.h has it for Windows 8.1 on).
inline constexpr UINT DpiChangedMessage = 0x02E0;  // WM_DPICHANGED

// The scale of the desktop at log-on, which stock fonts and system metrics follow.
UINT SystemDpi();
// The scale of the monitor Window is on, as far as the system tells; the
// system's otherwise.
UINT DpiOfWindow(HWND Window);

}  // namespace talvex::ui
