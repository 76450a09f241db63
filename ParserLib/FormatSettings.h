// The locale settings the engine reads: separators and the date and time
// pictures. The host fills in one value (from GetLocaleInfoA on Windows, from
// options or the environment in the command-line tool); a parser takes a copy
// of it whenever it builds its table, so a change reaches a parser with its
// next table. The engine never asks the C library's locale.
#pragma once

#include <string>

namespace talvex {

struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char ListSeparator = ',';
  char TimeSeparator = ':';
  char DateSeparator = '/';
  // Windows notation: d dd M MM yy yyyy h hh H HH m mm s ss t tt and 'quoted' or
  // "quoted" literals. The date separator is written as itself or as "/".
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongTimeFormat = "h:mm:ss tt";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
};

// The host's settings.
inline TFormatSettings& FormatSettings() {
  static TFormatSettings Settings;
  return Settings;
}

// The settings of the two named locales of the command-line tool.
TFormatSettings RussianFormatSettings();
TFormatSettings EnglishFormatSettings();

}  // namespace talvex
