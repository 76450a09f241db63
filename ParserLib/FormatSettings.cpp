#include "ParserLib/FormatSettings.h"

namespace talvex {

TFormatSettings RussianFormatSettings() {
  TFormatSettings S;
  S.DecimalSeparator = ',';
  S.ThousandSeparator = '`';
  S.ListSeparator = ';';
  S.TimeSeparator = ':';
  S.DateSeparator = '.';
  S.ShortDateFormat = "dd.MM.yyyy";
  S.LongTimeFormat = "H:mm:ss";
  return S;
}

TFormatSettings EnglishFormatSettings() {
  TFormatSettings S;
  S.DecimalSeparator = '.';
  S.ThousandSeparator = '`';
  S.ListSeparator = ',';
  S.TimeSeparator = ':';
  S.DateSeparator = '/';
  S.ShortDateFormat = "M/d/yyyy";
  S.LongTimeFormat = "h:mm:ss tt";
  S.TimeAMString = "AM";
  S.TimePMString = "PM";
  return S;
}

}  // namespace talvex
