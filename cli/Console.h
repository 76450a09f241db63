// The platform edge of the command-line tool: arguments as UTF-8, byte-exact
// standard streams, whether they are terminals, the system's locale.
#pragma once

#include <string>
#include <vector>

#include "ParserLib/FormatSettings.h"
#include "edge/Language.h"

namespace talvex::cli {

std::vector<std::string> Utf8Arguments(int Argc, char** Argv);
void UseBinaryStreams();
bool InputIsTerminal();
bool OutputIsTerminal();
bool ErrorIsTerminal();
const char* Environment(const char* Name);

// The settings when no --locale is given: on Windows the user's regional
// settings with the backquote for digit groups, as the program calculates
// (a locale's comma there would clash with its list separator); elsewhere the
// locale of the environment.
TFormatSettings SystemFormatSettings();

// The language of the messages when no option chooses one: on Windows
// Russian, as the program's messages are; elsewhere the environment's.
TLanguage SystemMessageLanguage();

}  // namespace talvex::cli
