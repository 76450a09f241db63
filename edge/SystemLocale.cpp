#include "edge/SystemLocale.h"

#ifndef _WIN32
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <string_view>
#endif

namespace talvex {

#ifdef _WIN32

bool TSystemLocales::Read(const std::string&, TLocaleFacts&) const { return false; }

#else

namespace {

// Text of the locale's codeset as UTF-8; empty when it does not convert.
std::string ToUtf8(const char* Text, iconv_t Converter) {
  if (Converter == reinterpret_cast<iconv_t>(-1)) return Text;
  std::string In(Text);
  std::string Out(In.size() * 4 + 4, '\0');
  char* InPtr = In.data();
  std::size_t InLeft = In.size();
  char* OutPtr = Out.data();
  std::size_t OutLeft = Out.size();
  iconv(Converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(Converter, &InPtr, &InLeft, &OutPtr, &OutLeft) == static_cast<std::size_t>(-1)) return std::string();
  Out.resize(Out.size() - OutLeft);
  return Out;
}

}  // namespace

bool TSystemLocales::Read(const std::string& Name, TLocaleFacts& Facts) const {
  // The codeset belongs to LC_CTYPE, so that category is loaded too.
  locale_t Locale = newlocale(LC_CTYPE_MASK | LC_NUMERIC_MASK | LC_TIME_MASK, Name.c_str(), nullptr);
  if (!Locale) return false;
  const std::string_view Codeset = nl_langinfo_l(CODESET, Locale);
  const iconv_t Converter = Codeset == "UTF-8" ? reinterpret_cast<iconv_t>(-1)
                                               : iconv_open("UTF-8", std::string(Codeset).c_str());
  const auto Item = [&](nl_item Which) { return ToUtf8(nl_langinfo_l(Which, Locale), Converter); };
  Facts.Decimal = Item(RADIXCHAR);
  Facts.Thousands = Item(THOUSEP);
  Facts.DateFormat = Item(D_FMT);
  Facts.TimeFormat = Item(T_FMT);
  Facts.TimeFormatAmPm = Item(T_FMT_AMPM);
  Facts.Am = Item(AM_STR);
  Facts.Pm = Item(PM_STR);
  if (Converter != reinterpret_cast<iconv_t>(-1)) iconv_close(Converter);
  freelocale(Locale);
  return true;
}

#endif

}  // namespace talvex
