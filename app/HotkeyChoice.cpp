#include "app/HotkeyChoice.h"

#include "ParserLib/Cp1251.h"
#include "app/UserMessages.h"

namespace talvex {

namespace {

constexpr std::string_view HotkeysKey = "hotkeys";
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view Text) {
  const auto First = Text.find_first_not_of(" \t\r");
  if (First == std::string_view::npos) return {};
  const auto Last = Text.find_last_not_of(" \t\r");
  return Text.substr(First, Last - First + 1);
}

std::optional<std::size_t> PairNamed(std::string_view Name) {
  for (std::size_t I = 0; I < HotkeyPairs.size(); ++I)
    if (SameTextCp1251(Name, HotkeyPairs[I].SettingName)) return I;
  return std::nullopt;
}

}  // namespace

std::optional<std::size_t> PairOfSettings(std::string_view Text) {
  if (Text.size() > MaxSettingsBytes) return std::nullopt;
  if (Text.substr(0, Utf8Bom.size()) == Utf8Bom) Text.remove_prefix(Utf8Bom.size());
  std::optional<std::size_t> Pair;
  while (!Text.empty()) {
    const std::size_t End = Text.find('\n');
    const std::string_view Line = Trimmed(Text.substr(0, End));
    Text.remove_prefix(End == std::string_view::npos ? Text.size() : End + 1);
    const std::size_t Equals = Line.find('=');
    if (Line.empty() || Line.front() == '#' || Equals == std::string_view::npos) continue;
    if (!SameTextCp1251(Trimmed(Line.substr(0, Equals)), HotkeysKey)) continue;
    // A later line wins, as when the file is edited by appending.
    Pair = PairNamed(Trimmed(Line.substr(Equals + 1)));
  }
  return Pair;
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
