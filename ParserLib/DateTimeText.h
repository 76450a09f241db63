// Date and time text by the locale's pictures (Windows notation), both ways.
#pragma once

#include <string>
#include <string_view>

#include "ParserLib/FormatSettings.h"

namespace talvex {

// Picture letters: d dd (day), M MM (month), yy yyyy (year; y and yyy read as yy
// and yyyy), h hh (12-hour), H HH (24-hour), m mm (minute), s ss (second), t
// (first letter of the AM/PM text), tt (the AM/PM text), "/" (the DateSeparator),
// ":" (the TimeSeparator), 'quoted' and "quoted" literals (a doubled quote is the
// quote itself); anything else is copied. Longer runs of d, M, h, H, m, s and t
// print like their two-letter forms (ddd and MMM as numbers too: the settings
// carry no day or month names). Values outside the calendar print their parts as 0.
//
// The parsers below leave Value untouched when they return false.
std::string FormatDateTime(std::string_view Picture, double Value, const TFormatSettings& Settings);

// Time text: hours, then optionally minutes and seconds, separated by the
// TimeSeparator, optionally a fraction of the second after the DecimalSeparator
// (one to three digits, so 12:00:00,5 is half a second past noon), and an
// optional AM/PM marker (the settings' texts or AM/PM/A/P, any case), blanks
// before it optional; blanks around the text are allowed. With a marker the
// hour is 1..12 and 12 AM is 0 hours. False for anything else or for a part out
// of range. Value is the fraction of a day.
bool TryStrToTime(std::string_view Text, const TFormatSettings& Settings, double& Value);

// Date text: two or three numbers separated by the DateSeparator, in the order of
// the ShortDateFormat picture (day-month-year, month-day-year or
// year-month-day); two numbers are day and month (or month and day) of the
// current year of the clock. A year of one or two digits means 2000-2049 for
// 0..49 and 1950-1999 for 50..99. False for anything else or an invalid date.
bool TryStrToDate(std::string_view Text, const TFormatSettings& Settings, double& Value);

// A date, optionally followed by blanks and a time. Before day 0 the time is
// subtracted, so the value decodes to that date and time.
bool TryStrToDateTime(std::string_view Text, const TFormatSettings& Settings, double& Value);

}  // namespace talvex
