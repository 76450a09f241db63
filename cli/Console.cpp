#include "cli/Console.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ParserLib/Cp1251.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace talvex::cli {

#ifdef _WIN32

namespace {

std::string ToUtf8(const wchar_t* Text) {
  const int Size = WideCharToMultiByte(CP_UTF8, 0, Text, -1, nullptr, 0, nullptr, nullptr);
  if (Size <= 1) return std::string();
  std::string Out(static_cast<std::size_t>(Size - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, Text, -1, Out.data(), Size, nullptr, nullptr);
  return Out;
}

}  // namespace

// The narrow argv of Windows is in the ANSI code page; the wide command line
// carries every character.
std::vector<std::string> Utf8Arguments(int, char**) {
  std::vector<std::string> Args;
  int Count = 0;
  wchar_t** Wide = CommandLineToArgvW(GetCommandLineW(), &Count);
  if (!Wide) return Args;
  for (int I = 1; I < Count; ++I) Args.push_back(ToUtf8(Wide[I]));
  LocalFree(Wide);
  return Args;
}

void UseBinaryStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  if (_isatty(_fileno(stdout))) SetConsoleOutputCP(CP_UTF8);
  if (_isatty(_fileno(stdin))) SetConsoleCP(CP_UTF8);
}

bool InputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

std::vector<std::string> WindowsLocaleOptions(const TFormatSettings& S) {
  const auto Option = [](const char* Name, std::string_view Cp1251Value) {
    return std::string(Name) + "=" + Cp1251ToUtf8(Cp1251Value);
  };
  return {Option("--decimal", {&S.DecimalSeparator, 1}),   Option("--thousand", {&S.ThousandSeparator, 1}),
          Option("--list", {&S.ListSeparator, 1}),         Option("--date-sep", {&S.DateSeparator, 1}),
          Option("--time-sep", {&S.TimeSeparator, 1}),     Option("--short-date", S.ShortDateFormat),
          Option("--long-time", S.LongTimeFormat)};
}

#else

std::vector<std::string> Utf8Arguments(int Argc, char** Argv) {
  return std::vector<std::string>(Argv + 1, Argv + Argc);
}

void UseBinaryStreams() {}

bool InputIsTerminal() { return isatty(0) != 0; }

#endif

std::string LocaleEnvironment() {
  for (const char* Name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* Value = std::getenv(Name);
    if (Value && *Value) return Value;
  }
  return std::string();
}

bool HasLocaleOption(const std::vector<std::string>& Args) {
  for (const std::string& Arg : Args) {
    if (Arg == "--") return false;
    if (Arg.rfind("--locale=", 0) == 0) return true;
  }
  return false;
}

}  // namespace talvex::cli
