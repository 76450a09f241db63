#include "x11/KeyCombination.h"

#include <cctype>
#include <utility>
#include <vector>

namespace talvex::x11 {

namespace {

struct TNamedKey {
  const char* Name;  // canonical spelling
  TKeysym Keysym;
};

constexpr TKeysym KeysymF1 = 0xffbe;
constexpr int FunctionKeys = 35;

constexpr TNamedKey KeyNames[] = {
    {"NumLock", 0xff7f}, {"Pause", 0xff13},  {"ScrollLock", 0xff14}, {"Insert", 0xff63},
    {"Delete", 0xffff},  {"Home", 0xff50},   {"End", 0xff57},        {"PageUp", 0xff55},
    {"PageDown", 0xff56}, {"Print", 0xff61}, {"Menu", 0xff67},       {"Escape", 0xff1b},
    {"Tab", 0xff09},     {"Enter", 0xff0d},  {"Backspace", 0xff08},  {"Left", 0xff51},
    {"Up", 0xff52},      {"Right", 0xff53},  {"Down", 0xff54},       {"Space", 0x20},
};

struct TNamedModifier {
  const char* Name;
  unsigned Mask;
};
// In the order a name is written.
constexpr TNamedModifier ModifierNames[] = {
    {"Ctrl", ModControl}, {"Shift", ModShift}, {"Alt", ModAlt}, {"Super", ModSuper}};

constexpr std::pair<const char*, const char*> Aliases[] = {
    {"control", "ctrl"}, {"win", "super"}, {"return", "enter"}, {"esc", "escape"}, {"prior", "pageup"}, {"next", "pagedown"}};

std::string Lower(std::string_view Text) {
  std::string Out;
  for (const char C : Text) Out += static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  return Out;
}

// A part of a combination in lower case, other spellings of a name taken as it.
std::string NameOf(std::string_view Part) {
  std::string Name = Lower(Part);
  while (!Name.empty() && Name.front() == ' ') Name.erase(0, 1);
  while (!Name.empty() && Name.back() == ' ') Name.pop_back();
  for (const auto& [Alias, Canonical] : Aliases)
    if (Name == Alias) return Canonical;
  return Name;
}

std::vector<std::string_view> Split(std::string_view Text, char Separator) {
  std::vector<std::string_view> Parts;
  for (std::size_t At = Text.find(Separator);; At = Text.find(Separator)) {
    Parts.push_back(Text.substr(0, At));
    if (At == std::string_view::npos) return Parts;
    Text.remove_prefix(At + 1);
  }
}

std::optional<unsigned> ModifierNamed(const std::string& Name) {
  for (const auto& Row : ModifierNames)
    if (Lower(Row.Name) == Name) return Row.Mask;
  return std::nullopt;
}

// The key and its canonical name; letters and digits stand for themselves.
std::optional<TNamedKey> KeyNamed(const std::string& Name, std::string& Canonical) {
  if (Name.size() == 1 && std::isalnum(static_cast<unsigned char>(Name[0]))) {
    Canonical = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(Name[0]))));
    return TNamedKey{nullptr, static_cast<TKeysym>(Name[0])};
  }
  if (Name.size() >= 2 && Name[0] == 'f' && Name.size() <= 3 && std::isdigit(static_cast<unsigned char>(Name[1])) &&
      Name.find_first_not_of("0123456789", 1) == std::string::npos && Name[1] != '0') {
    const int N = std::stoi(Name.substr(1));
    if (N < 1 || N > FunctionKeys) return std::nullopt;
    Canonical = std::string(1, 'F') + std::to_string(N);
    return TNamedKey{nullptr, KeysymF1 + static_cast<TKeysym>(N - 1)};
  }
  for (const auto& Row : KeyNames)
    if (Lower(Row.Name) == Name) {
      Canonical = Row.Name;
      return Row;
    }
  return std::nullopt;
}

bool TypesACharacter(TKeysym Keysym) { return Keysym < 0x100; }

}  // namespace

std::optional<THotkeyKeys> ParseCombination(std::string_view Text) {
  const std::vector<std::string_view> Parts = Split(Text, '+');
  THotkeyKeys Keys;
  for (std::size_t I = 0; I + 1 < Parts.size(); ++I) {
    const std::optional<unsigned> Mask = ModifierNamed(NameOf(Parts[I]));
    if (!Mask || (Keys.Modifiers & *Mask)) return std::nullopt;
    Keys.Modifiers |= *Mask;
  }
  std::string KeyName;
  const std::optional<TNamedKey> Key = KeyNamed(NameOf(Parts.back()), KeyName);
  if (!Key) return std::nullopt;
  Keys.Keysym = Key->Keysym;
  if (TypesACharacter(Keys.Keysym) && (Keys.Modifiers & ~ModShift) == 0) return std::nullopt;
  for (const auto& Row : ModifierNames)
    if (Keys.Modifiers & Row.Mask) Keys.Name += std::string(Row.Name) + "+";
  Keys.Name += KeyName;
  return Keys;
}

std::optional<THotkeyPair> ParseKeys(std::string_view Text) {
  for (const auto& Pair : NamedPairs)
    if (NameOf(Text) == Pair.SettingName) return ParseKeys(std::string(Pair.Keys[0]) + "," + Pair.Keys[1]);
  const std::vector<std::string_view> Parts = Split(Text, ',');
  if (Parts.size() != HotkeyCount) return std::nullopt;
  const auto First = ParseCombination(Parts[0]);
  const auto Second = ParseCombination(Parts[1]);
  if (!First || !Second || (First->Modifiers == Second->Modifiers && First->Keysym == Second->Keysym))
    return std::nullopt;
  return THotkeyPair{*First, *Second};
}

THotkeyPair DefaultPair() { return *ParseKeys(NamedPairs[0].SettingName); }

}  // namespace talvex::x11
