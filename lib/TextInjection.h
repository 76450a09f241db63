// Typing text into the foreground application with synthesised input.
#pragma once

#include <string_view>
#include <vector>

#include "ModifierKeys.h"
#include "SystemApi.h"

namespace talvex {

// The keys that type Text. On the NT family each character goes as Unicode
// input, so neither the keyboard layout of the target nor CapsLock changes
// what arrives. On the Windows 95 family, which has no Unicode input, the
// characters are key presses of the current layout with CapsLock off
// meanwhile; one that no plain or shifted key gives is left out.
std::vector<TKeyInput> KeysOfText(ISystemApi& Sys, std::wstring_view Text);

enum class TTyping {
  tgTyped,          // every key went out (or there was nothing to type)
  tgWindowChanged,  // another window is in front: nothing went out
  tgIncomplete,     // the system took only part of the keys
};

// Types Text into Window, with every held modifier out of the way in the same
// SendInput call. Whether Window is still in front is the last thing asked
// before the keys go: no message is dispatched between the two.
TTyping TypeInto(ISystemApi& Sys, const TUserKeyWatch& Watch, TWindowHandle Window, std::wstring_view Text);

}  // namespace talvex
