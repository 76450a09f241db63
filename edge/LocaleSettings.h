// The engine's separators and date and time pictures from a locale's facts:
// the C library's strftime formats become the Windows pictures the engine
// reads, and every character becomes one the engine can use.
#pragma once

#include <string>
#include <string_view>

#include "ParserLib/FormatSettings.h"
#include "edge/LocaleTable.h"

namespace talvex {

// Format (a d_fmt or t_fmt) as a Windows picture, still UTF-8: %d is dd, %e d,
// %m MM, %y yy, %Y yyyy, %H HH, %k H, %I hh, %l h, %M mm, %S ss, %p tt, %T, %R,
// %D and %F their parts, %r the locale's AmPmFormat. Literal text with picture
// letters is quoted. Specifiers the engine cannot show (names of days and
// months, time zones) are left out.
std::string WindowsPicture(std::string_view Format, std::string_view AmPmFormat);

// The one code-page-1251 character that Utf8 holds, or 0.
char SingleCharacter(std::string_view Utf8);

// The settings of a locale's facts. What the engine cannot use falls back: a
// picture with characters outside code page 1251 keeps its fields in their
// order with "/" or ":" between them, a decimal symbol outside it becomes ".".
TFormatSettings SettingsFromFacts(const TLocaleFacts& Facts);

// The numeric half (decimal symbol, digit groups, list separator) of Numeric
// with the time half (date and time separators and pictures, AM and PM) of
// Time, as LC_NUMERIC and LC_TIME may name different locales.
TFormatSettings CombineHalves(const TFormatSettings& Numeric, const TFormatSettings& Time);

// The list separator by the Windows rule (";" where the decimal symbol is ",")
// unless KeepList, and the digit-group mark: the given one while it is a
// visible mark that no other separator uses, else the backquote, unless
// KeepThousand.
void SettleSeparators(TFormatSettings& Settings, bool KeepList, bool KeepThousand);

}  // namespace talvex
