// The Win32 numbers the logic needs, named once. Spelt in mixed case so that
// they never meet windows.h's macros of the same meaning.
#pragma once

#include <cstdint>

namespace talvex {

// Virtual-key codes.
inline constexpr std::uint8_t VkShift = 0x10;
inline constexpr std::uint8_t VkControl = 0x11;
inline constexpr std::uint8_t VkMenu = 0x12;
inline constexpr std::uint8_t VkCapital = 0x14;
inline constexpr std::uint8_t VkInsert = 0x2D;
inline constexpr std::uint8_t VkDelete = 0x2E;
inline constexpr std::uint8_t VkC = 0x43;
inline constexpr std::uint8_t VkX = 0x58;
inline constexpr std::uint8_t VkF7 = 0x76;
inline constexpr std::uint8_t VkF8 = 0x77;
inline constexpr std::uint8_t VkF10 = 0x79;
inline constexpr std::uint8_t VkF11 = 0x7A;
inline constexpr std::uint8_t VkNumLock = 0x90;
inline constexpr std::uint8_t VkLShift = 0xA0;
inline constexpr std::uint8_t VkRShift = 0xA1;
inline constexpr std::uint8_t VkLControl = 0xA2;
inline constexpr std::uint8_t VkRControl = 0xA3;
inline constexpr std::uint8_t VkLMenu = 0xA4;
inline constexpr std::uint8_t VkRMenu = 0xA5;

// keybd_event and SendInput flags.
inline constexpr std::uint32_t KeyEventExtendedKey = 0x1;
inline constexpr std::uint32_t KeyEventKeyUp = 0x2;
inline constexpr std::uint32_t KeyEventUnicode = 0x4;

// GetVersionExA platform identifiers.
inline constexpr std::uint32_t PlatformWin32Windows = 1;
inline constexpr std::uint32_t PlatformWin32Nt = 2;

// Clipboard formats.
inline constexpr std::uint32_t ClipboardUnicodeText = 13;  // CF_UNICODETEXT

// Hotkeys: RegisterHotKey's modifiers and the keys.
inline constexpr std::uint32_t ModControl = 0x2;
inline constexpr std::uint32_t ModShift = 0x4;
inline constexpr std::uint32_t ModNoRepeat = 0x4000;  // Windows 7 and later
inline constexpr std::uint8_t VkPause = 0x13;  // NumLock as the keyboard reports it with Ctrl held

}  // namespace talvex
