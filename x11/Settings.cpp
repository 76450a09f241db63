#include "x11/Settings.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "edge/SettingsText.h"

namespace talvex::x11 {

std::string SettingsPath(const TGetenv& Getenv) {
  const char* Config = Getenv("XDG_CONFIG_HOME");
  if (Config && Config[0] == '/') return std::string(Config) + "/talvex/settings";
  const char* Home = Getenv("HOME");
  if (Home && Home[0] == '/') return std::string(Home) + "/.config/talvex/settings";
  return {};
}

std::optional<std::string> ReadSettingsFile(const std::string& Path) {
  if (Path.empty()) return std::nullopt;
  const int File = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (File < 0) return std::nullopt;
  // One byte more than a settings file may have, so that a longer one is seen.
  std::string Text(MaxSettingsBytes + 1, '\0');
  std::size_t Filled = 0;
  while (Filled < Text.size()) {
    const ssize_t Read = read(File, Text.data() + Filled, Text.size() - Filled);
    if (Read < 0 && errno == EINTR) continue;
    if (Read <= 0) break;
    Filled += static_cast<std::size_t>(Read);
  }
  close(File);
  Text.resize(Filled);
  return Text;
}

THotkeyPair KeysOfSettings(const std::optional<std::string>& Text, std::string& Unknown) {
  const std::optional<std::string_view> Value = Text ? SettingValue(*Text, "hotkeys") : std::nullopt;
  if (!Value) return DefaultPair();
  if (const std::optional<THotkeyPair> Pair = ParseKeys(*Value)) return *Pair;
  Unknown = std::string(*Value);
  return DefaultPair();
}

}  // namespace talvex::x11
