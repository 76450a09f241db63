#include "app/TrayTexts.h"

namespace talvex {

namespace {

bool IsLeadSurrogate(wchar_t W) { return W >= 0xD800 && W <= 0xDBFF; }

// At most Chars characters, never half of a surrogate pair.
std::wstring_view Head(std::wstring_view Text, std::size_t Chars) {
  if (Text.size() <= Chars) return Text;
  if (Chars > 0 && IsLeadSurrogate(Text[Chars - 1])) --Chars;
  return Text.substr(0, Chars);
}

}  // namespace

TTrayAbilities TrayAbilitiesOf(std::optional<TShellVersion> Shell) {
  TTrayAbilities Abilities;
  if (!Shell || Shell->Major < 5) return Abilities;
  Abilities.TooltipChars = LargerLayoutTooltipChars;
  Abilities.Balloons = true;
  Abilities.SilentBalloons = Shell->Major >= 6;
  return Abilities;
}

std::wstring CutTooltip(std::wstring_view Text, std::size_t Chars) { return std::wstring(Head(Text, Chars)); }

std::wstring CutBalloon(std::wstring_view Text) {
  if (Text.size() <= BalloonChars) return std::wstring(Text);
  return std::wstring(Head(Text, BalloonChars - 1)) + L'\u2026';
}

}  // namespace talvex
