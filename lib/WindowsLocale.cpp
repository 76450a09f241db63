#include "lib/WindowsLocale.h"

#include <windows.h>

#include <string>

#include "lib/TextCodec.h"

namespace talvex {
namespace {

// A locale string of the thread's locale, converted to the engine's code page;
// Fallback when the locale does not answer.
std::string LocaleText(LCTYPE Type, const char* Fallback) {
  wchar_t Buffer[128];
  const int Length = GetLocaleInfoW(GetThreadLocale(), Type, Buffer, 128);
  if (Length <= 1) return Fallback;
  std::string Text = WideToCp1251(std::wstring(Buffer, static_cast<std::size_t>(Length - 1)));
  return Text.empty() ? std::string(Fallback) : Text;
}

char LocaleChar(LCTYPE Type, char Fallback) {
  const std::string Text = LocaleText(Type, "");
  return Text.empty() ? Fallback : Text[0];
}

}  // namespace

TFormatSettings ReadWindowsFormatSettings() {
  TFormatSettings S;
  S.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
  S.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
  S.ListSeparator = LocaleChar(LOCALE_SLIST, S.DecimalSeparator == ',' ? ';' : ',');
  S.TimeSeparator = LocaleChar(LOCALE_STIME, ':');
  S.DateSeparator = LocaleChar(LOCALE_SDATE, '/');
  S.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy");
  S.LongTimeFormat = LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt");
  S.TimeAMString = LocaleText(LOCALE_S1159, "AM");
  S.TimePMString = LocaleText(LOCALE_S2359, "PM");
  return S;
}

}  // namespace talvex
