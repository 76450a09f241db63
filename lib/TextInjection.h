// Typing text into the foreground application with synthesised input.
#pragma once

#include <string_view>

#include "SystemApi.h"

namespace talvex {

// Types Text with every held modifier out of the way (pressed again
// afterwards if the user still holds it). On the NT family each character
// goes as Unicode input, so neither the keyboard layout of the target nor
// CapsLock changes what arrives. On the Windows 95 family, which has no
// Unicode input, the characters are key presses of the current layout with
// CapsLock off meanwhile; one that no plain or shifted key gives is left out.
void TypeWideText(ISystemApi& Sys, std::wstring_view Text);

}  // namespace talvex
