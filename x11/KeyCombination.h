// The two hotkeys' keys: a combination such as Ctrl+Shift+F7 as the user
// writes it, and the pairs that Talvex.exe offers, under the same names in
// the settings file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "x11/XTypes.h"

namespace talvex::x11 {

// What a hotkey types back.
enum class THotkey : std::uint8_t {
  hkExpression,  // the expression, "=" and the result
  hkResult,      // the result alone
};
inline constexpr std::size_t HotkeyCount = 2;
constexpr std::size_t IndexOf(THotkey Hotkey) { return static_cast<std::size_t>(Hotkey); }

struct THotkeyKeys {
  unsigned Modifiers = 0;  // of ModShift, ModControl, ModAlt, ModSuper
  TKeysym Keysym = NoKeysym;
  std::string Name;  // "Ctrl+Shift+F7"

  bool operator==(const THotkeyKeys&) const = default;
};
using THotkeyPair = std::array<THotkeyKeys, HotkeyCount>;  // by THotkey

// The pairs by their settings names; the first is the default. Laptop
// keyboards have the function keys, and desktops leave Ctrl+Shift with them
// free.
struct TNamedPair {
  const char* SettingName;
  const char* Keys[HotkeyCount];
};
inline constexpr TNamedPair NamedPairs[] = {
    {"ctrl-shift-f7-f8", {"Ctrl+Shift+F7", "Ctrl+Shift+F8"}},
    {"ctrl-shift-f10-f11", {"Ctrl+Shift+F10", "Ctrl+Shift+F11"}},
    {"numlock", {"Ctrl+NumLock", "Shift+NumLock"}},
};

// "Ctrl+Shift+F7", "alt+super+c", "Ctrl+Pause": modifiers (Ctrl, Shift,
// Alt, Super) and one key, in any letter case; the name comes back in the
// canonical spelling. Nothing for an unknown name, and for a key that types a
// character with no modifier but Shift, which would take it from every program.
std::optional<THotkeyKeys> ParseCombination(std::string_view Text);

// A pair by its settings name, or as two different combinations with a comma
// between them: "Ctrl+Alt+E,Ctrl+Alt+R".
std::optional<THotkeyPair> ParseKeys(std::string_view Text);

THotkeyPair DefaultPair();

}  // namespace talvex::x11
