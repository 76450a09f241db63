// The language the command-line programs write their messages in: Russian,
// as the engine's own texts are, or English. Their manuals, --help and
// --version are English only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "edge/Locale.h"

namespace talvex {

enum class TLanguage : uint8_t { English, Russian };

// Russian for a locale of the Russian language (ru, ru_RU.UTF-8, ru_UA@x),
// English for any other (C, POSIX, en_US, uk_UA) and for none.
TLanguage LanguageOfLocale(std::string_view Name);

// The language of the locale the C library reads messages in: LC_ALL, then
// LC_MESSAGES, then LANG, empty ones not counting. LANGUAGE is not read.
TLanguage EnvironmentLanguage(const TGetenv& Getenv);

// --messages, else the language of --locale when given, else System.
TLanguage MessageLanguage(std::optional<TLanguage> MessagesOption, const std::string& LocaleOption,
                          TLanguage System);

}  // namespace talvex
