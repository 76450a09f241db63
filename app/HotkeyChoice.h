// Which pair of keys the two hotkeys have: the NumLock pair, or one that a
// keyboard without NumLock and Pause can press. The user picks it in the tray
// menu; it takes effect at once and is remembered in the settings file, which
// is written only when the user changes the choice.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/AppHost.h"
#include "app/HotkeyCycle.h"
#include "edge/SettingsText.h"

namespace talvex {

struct THotkeyPair {
  const char* SettingName;  // its value in the settings file
  THotkeyPairKeys Keys;     // by THotkey
};

inline constexpr std::uint32_t ModControlShift = ModControl | ModShift;

// Ctrl+Shift with a function key: no Windows, browser or office shortcut of
// note, no AltGr character (that is Ctrl+Alt), no Alt whose release would open
// the other application's menu bar. The first pair is the default.
inline constexpr std::array<THotkeyPair, 3> HotkeyPairs = {{
    {"numlock", DefaultHotkeys},
    {"ctrl-shift-f7-f8", {{{ModControlShift, VkF7, L"Ctrl+Shift+F7"}, {ModControlShift, VkF8, L"Ctrl+Shift+F8"}}}},
    {"ctrl-shift-f10-f11",
     {{{ModControlShift, VkF10, L"Ctrl+Shift+F10"}, {ModControlShift, VkF11, L"Ctrl+Shift+F11"}}}},
}};
inline constexpr std::size_t DefaultPair = 0;

// The pair a settings file names; nothing for a file that names none, or
// that is not a settings file at all.
std::optional<std::size_t> PairOfSettings(std::string_view Text);
std::string SettingsOfPair(std::size_t Pair);

// "Ctrl+NumLock и Shift+NumLock", as the menu offers a pair.
std::wstring MenuTextOf(const THotkeyPair& Pair);

class THotkeyChoice {
 public:
  THotkeyChoice(IAppHost& AppHost, THotkeyCycle& HotkeyCycle) : Host(AppHost), Cycle(HotkeyCycle) {}

  // Before the hotkeys are registered: the cycle gets the remembered pair,
  // or keeps the default one when there is no usable file.
  void Load();
  // The user picked Pair in the menu. The pair in use changes nothing.
  void Choose(std::size_t Pair);
  std::size_t Current() const { return Chosen; }

 private:
  IAppHost& Host;
  THotkeyCycle& Cycle;
  std::size_t Chosen = DefaultPair;
};

}  // namespace talvex
