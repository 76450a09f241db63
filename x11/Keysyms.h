// Keysyms and the characters they type: the Latin-1 and Unicode keysyms by
// rule, the older Cyrillic and punctuation ones that layouts still use by
// table. Only what a layout can give and an answer can hold is here.
#pragma once

#include "x11/XTypes.h"

namespace talvex::x11 {

inline constexpr TKeysym KeysymTab = 0xff09;
inline constexpr TKeysym KeysymReturn = 0xff0d;
inline constexpr TKeysym KeysymNumLock = 0xff7f;
inline constexpr TKeysym KeysymScrollLock = 0xff14;
inline constexpr TKeysym KeysymCapsLock = 0xffe5;
inline constexpr TKeysym KeysymShiftLock = 0xffe6;
inline constexpr TKeysym KeysymLevel3Shift = 0xfe03;  // AltGr in most layouts

// The character Keysym types, or 0 for none (function keys, the keypad,
// dead keys). Tab and Return type "\t" and "\n".
char32_t UnicodeOfKeysym(TKeysym Keysym);

// The keysym to put on a borrowed key so that it types Character: the one
// layouts use for it where there is one, else its Unicode keysym.
TKeysym KeysymOfUnicode(char32_t Character);

}  // namespace talvex::x11
