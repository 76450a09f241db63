// The platform edge of the command-line tool: arguments as UTF-8, byte-exact
// standard streams, whether input comes from a terminal.
#pragma once

#include <string>
#include <vector>

namespace talvex::cli {

std::vector<std::string> Utf8Arguments(int Argc, char** Argv);
void UseBinaryStreams();
bool InputIsTerminal();
std::string LocaleEnvironment();

}  // namespace talvex::cli
