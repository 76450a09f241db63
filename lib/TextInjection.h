// Typing text into the foreground application with synthesised keystrokes.
#pragma once

#include <string_view>

#include "SystemApi.h"

namespace talvex {

// Types Text (ANSI code page) as key presses of the current layout, with
// CapsLock and any held modifier out of the way and restored afterwards.
// On the NT family a character the layout has no plain or shifted key for is
// sent as Unicode input; on the Windows 95 family it is left out.
void TypeText(ISystemApi& Sys, std::string_view Text);

// The same for text that may hold characters the ANSI code page lacks: a
// character the code page has is typed exactly as TypeText types it; one it
// lacks goes as Unicode input on the NT family and is left out on Windows 95.
void TypeWideText(ISystemApi& Sys, std::wstring_view Text);

}  // namespace talvex
