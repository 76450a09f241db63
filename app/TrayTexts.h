// What the tray icon can show, by the version of the shell, and the texts cut
// to fit: the first layout of the notification structure, which every shell
// takes, holds a tooltip of 63 characters; the larger one of shell 5.0
// (Windows 2000 and later) 127, and a balloon of 255 with a title.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

struct TShellVersion {
  unsigned Major = 0, Minor = 0;
};

inline constexpr std::size_t FirstLayoutTooltipChars = 63;
inline constexpr std::size_t LargerLayoutTooltipChars = 127;

struct TTrayAbilities {
  std::size_t TooltipChars = FirstLayoutTooltipChars;
  bool Balloons = false;
  // Shell 6.0 (Windows XP) on: the balloon can be kept from playing a sound of its own.
  bool SilentBalloons = false;
};

// Nothing when the shell does not tell its version (DllGetVersion is missing).
TTrayAbilities TrayAbilitiesOf(std::optional<TShellVersion> Shell);

inline constexpr const wchar_t* BalloonTitle = L"Talvex";
inline constexpr std::size_t BalloonChars = 255;

// The first Chars characters, as the tray shows them.
std::wstring CutTooltip(std::wstring_view Text, std::size_t Chars);
// The whole text when it fits; a longer one ends in an ellipsis at the limit.
std::wstring CutBalloon(std::wstring_view Text);

}  // namespace talvex
