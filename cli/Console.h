// The platform edge of the command-line tool: arguments as UTF-8, byte-exact
// standard streams, whether input comes from a terminal, the system's locale.
#pragma once

#include <string>
#include <vector>

#include "ParserLib/FormatSettings.h"

namespace talvex::cli {

std::vector<std::string> Utf8Arguments(int Argc, char** Argv);
void UseBinaryStreams();
bool InputIsTerminal();
std::string LocaleEnvironment();

// True when Args name a locale (--locale=...) before any "--".
bool HasLocaleOption(const std::vector<std::string>& Args);

#ifdef _WIN32
// The user's Windows locale as the separator and picture options that set it,
// to be placed before the user's own options, which then still override it.
std::vector<std::string> WindowsLocaleOptions(const TFormatSettings& Settings);
#endif

}  // namespace talvex::cli
