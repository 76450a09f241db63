// talvex-x11's settings file, $XDG_CONFIG_HOME/talvex/settings: the format
// and names of Talvex.exe's (hotkeys=ctrl-shift-f10-f11), read at start.
#pragma once

#include <optional>
#include <string>

#include "edge/Locale.h"
#include "x11/KeyCombination.h"

namespace talvex::x11 {

// Under $XDG_CONFIG_HOME when that is an absolute path, else under
// $HOME/.config; empty when neither is known.
std::string SettingsPath(const TGetenv& Getenv);

// Nothing when the file is missing or unreadable.
std::optional<std::string> ReadSettingsFile(const std::string& Path);

// The pair the file names; the default one without a file or a hotkeys
// line, and also for a line naming no keys, whose value is then Unknown.
THotkeyPair KeysOfSettings(const std::optional<std::string>& Text, std::string& Unknown);

}  // namespace talvex::x11
