// A locale's numeric and time facts as the C library states them (UTF-8, in
// the strftime notation), and the built-in copy of them for the locales a
// user is most likely to have when the system has not generated them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

struct TLocaleFacts {
  std::string Decimal;         // decimal_point
  std::string Thousands;       // thousands_sep
  std::string DateFormat;      // d_fmt
  std::string TimeFormat;      // t_fmt
  std::string TimeFormatAmPm;  // t_fmt_ampm, what %r stands for
  std::string Am;              // am_pm
  std::string Pm;

  bool operator==(const TLocaleFacts&) const = default;
};

struct TBuiltInLocale {
  std::string Name;  // language_TERRITORY
  TLocaleFacts Facts;
};

const std::vector<TBuiltInLocale>& BuiltInLocales();

// The row of Language_Territory, else the first row of Language (the table
// lists a language's main territory first), else null.
const TBuiltInLocale* FindBuiltInLocale(std::string_view Language, std::string_view Territory);

}  // namespace talvex
