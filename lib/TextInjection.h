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

}  // namespace talvex
