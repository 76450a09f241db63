#include "cli/Console.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include "lib/WindowsLocale.h"
#else
#include <unistd.h>

#include "edge/Locale.h"
#include "edge/SystemLocale.h"
#endif

namespace talvex::cli {

const char* Environment(const char* Name) { return std::getenv(Name); }

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
  // Standard error too: a Russian option error reaches the console when only
  // the results are redirected.
  if (_isatty(_fileno(stdout)) || _isatty(_fileno(stderr))) SetConsoleOutputCP(CP_UTF8);
  if (_isatty(_fileno(stdin))) SetConsoleCP(CP_UTF8);
}

bool InputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }
bool OutputIsTerminal() { return _isatty(_fileno(stdout)) != 0; }
bool ErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

TFormatSettings SystemFormatSettings() {
  TFormatSettings Settings = ReadWindowsFormatSettings();
  Settings.ThousandSeparator = '`';
  return Settings;
}

TLanguage SystemMessageLanguage() { return TLanguage::Russian; }

#else

std::vector<std::string> Utf8Arguments(int Argc, char** Argv) {
  return std::vector<std::string>(Argv + 1, Argv + Argc);
}

void UseBinaryStreams() {}

bool InputIsTerminal() { return isatty(0) != 0; }
bool OutputIsTerminal() { return isatty(1) != 0; }
bool ErrorIsTerminal() { return isatty(2) != 0; }

TFormatSettings SystemFormatSettings() { return EnvironmentLocaleSettings(Environment, TSystemLocales()); }

TLanguage SystemMessageLanguage() { return EnvironmentLanguage(Environment); }

#endif

}  // namespace talvex::cli
