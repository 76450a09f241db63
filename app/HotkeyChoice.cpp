#include "app/HotkeyChoice.h"

#include "ParserLib/Cp1251.h"
#include "app/UserMessages.h"
#include "edge/SettingsText.h"

namespace talvex {

namespace {

constexpr std::string_view HotkeysKey = "hotkeys";

std::optional<std::size_t> PairNamed(std::string_view Name) {
  for (std::size_t I = 0; I < HotkeyPairs.size(); ++I)
    if (SameTextCp1251(Name, HotkeyPairs[I].SettingName)) return I;
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> PairOfSettings(std::string_view Text) {
  const std::optional<std::string_view> Name = SettingValue(Text, HotkeysKey);
  return Name ? PairNamed(*Name) : std::nullopt;
}

std::string SettingsOfPair(std::size_t Pair) {
  return std::string(HotkeysKey) + "=" + HotkeyPairs[Pair].SettingName + "\r\n";
}

std::wstring MenuTextOf(const THotkeyPair& Pair) {
  return std::wstring(Pair.Keys[IndexOf(THotkey::hkExpression)].Name) + L" и " +
         Pair.Keys[IndexOf(THotkey::hkResult)].Name;
}

void THotkeyChoice::Load() {
  const std::optional<std::string> Text = Host.ReadSettings();
  const std::optional<std::size_t> Pair = Text ? PairOfSettings(*Text) : std::nullopt;
  Chosen = Pair.value_or(DefaultPair);
  Cycle.Keys = HotkeyPairs[Chosen].Keys;
}

void THotkeyChoice::Choose(std::size_t Pair) {
  if (Pair >= HotkeyPairs.size() || Pair == Chosen) return;
  Chosen = Pair;
  Cycle.ChangeKeys(HotkeyPairs[Pair].Keys);
  // The keys work either way; only the next start would not know them.
  if (!Host.WriteSettings(SettingsOfPair(Pair))) Host.ShowMessage(SettingsNotWrittenText(Host.SettingsPath()));
}

}  // namespace talvex
