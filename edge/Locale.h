// Which locale talvex-calc and talvex-x11 calculate in: the name the
// environment gives each half of the settings, and a name's settings from the
// system's installed locales or else the built-in table.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ParserLib/FormatSettings.h"
#include "edge/LocaleTable.h"

namespace talvex {

// The system's installed locales, asked by name.
class ILocaleSource {
 public:
  virtual ~ILocaleSource() = default;
  // False when the system has no locale of that name.
  virtual bool Read(const std::string& Name, TLocaleFacts& Facts) const = 0;
};

using TGetenv = std::function<const char*(const char*)>;

// The language of a locale name (language[_territory][.codeset][@modifier]),
// in lower case: "ru" for "RU_ru.UTF-8".
std::string LocaleLanguage(std::string_view Name);

// The locale name that governs Category ("LC_NUMERIC" or "LC_TIME"): LC_ALL,
// then the category's own variable, then LANG; empty ones do not count.
std::string LocaleNameFor(const char* Category, const TGetenv& Getenv);

// The settings of Name. "ru" and "en" are the tool's own two locales; "C",
// "POSIX" (with any codeset) and the empty name are "en"; any other name is
// read from Source (as given, then with ".UTF-8" when it names no codeset),
// then from the built-in table by language and territory, then by language.
// False when nothing knows the name.
bool NamedLocaleSettings(const std::string& Name, const ILocaleSource& Source, TFormatSettings& Settings);

// The settings of the environment: the numeric half by LC_NUMERIC's order,
// the time half by LC_TIME's; a name nothing knows counts as "en", as the C
// library falls back to its own locale.
TFormatSettings EnvironmentLocaleSettings(const TGetenv& Getenv, const ILocaleSource& Source);

}  // namespace talvex
