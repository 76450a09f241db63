// The command line of talvex-x11, read with getopt_long: unambiguous
// prefixes of the long names, bundled short options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edge/Language.h"
#include "x11/KeyCombination.h"
#include "x11/Messages.h"

namespace talvex::x11 {

struct TOptions {
  std::optional<THotkey> OneShot;     // --oneshot; else resident
  std::optional<THotkeyPair> Keys;    // --keys; else the settings file's
  std::optional<TLanguage> Messages;  // --messages
  std::string Locale;                 // --locale; empty: the environment's
  bool NotifyResults = false;
  bool Help = false;
  bool Version = false;
};

struct TOptionError {
  TMessageKey Key = TMessageKey::UnknownOption;
  std::vector<std::string> Args;
};

// False with Error for the first bad option; the rest are read all the same,
// so that a later --messages chooses the language of Error.
bool ParseOptions(int Argc, char* const* Argv, TOptions& Options, TOptionError& Error);

extern const char* const UsageText;
extern const char* const VersionText;

}  // namespace talvex::x11
