// Reading the text the user has selected in the foreground application.
#pragma once

#include <string>

#include "MonitorBinding.h"
#include "SystemApi.h"

namespace talvex {

// Which hotkey started the capture, so the modifier the user still holds can
// be taken out of the copy keystroke and pressed again after it.
struct THotkeyFlags {
  bool IsHotkey1 = false;  // Ctrl held
  bool IsHotkey2 = false;  // Shift held
};

// The selection of the focus window that the monitor recorded, read with
// window messages; through the clipboard when no window or no text is known.
std::string CaptureSelection(ISystemApi& Sys, TMonitorBinding& Monitor, THotkeyFlags Hotkeys);

// Ctrl+Insert into the foreground application, then the clipboard's text;
// the clipboard holds again what it held before.
std::string CaptureViaClipboard(ISystemApi& Sys, THotkeyFlags Hotkeys);

}  // namespace talvex
