#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ParserLib/CharClasses.h"
#include "ParserLib/Cp1251.h"
#include "edge/Language.h"
#include "edge/Locale.h"
#include "edge/LocaleSettings.h"

namespace talvex {
namespace {

using TEnvironment = std::map<std::string, std::string>;

TGetenv GetenvOf(const TEnvironment& Environment) {
  return [&Environment](const char* Name) -> const char* {
    const auto It = Environment.find(Name);
    return It == Environment.end() ? nullptr : It->second.c_str();
  };
}

// Installed locales of a made-up system; their facts differ from the
// built-in table's so a test can tell which one answered.
class TFakeLocales final : public ILocaleSource {
 public:
  bool Read(const std::string& Name, TLocaleFacts& Facts) const override {
    if (Name == "de_DE.UTF-8") Facts = {",", "\u2019", "%Y-%m-%d", "%H.%M", "", "", ""};
    else if (Name == "fi_FI.UTF-8") Facts = {",", " ", "%d.%m.%Y", "%H.%M.%S", "", "", ""};
    else return false;
    return true;
  }
};

TEST(LocaleName, EnvironmentVariablesInTheCLibrarysOrder) {
  struct TCase {
    TEnvironment Environment;
    const char* Numeric;
    const char* Time;
  };
  const TCase Cases[] = {
      {{}, "", ""},
      {{{"LANG", "de_DE.UTF-8"}}, "de_DE.UTF-8", "de_DE.UTF-8"},
      {{{"LANG", "de_DE"}, {"LC_NUMERIC", "fr_FR"}}, "fr_FR", "de_DE"},
      {{{"LANG", "de_DE"}, {"LC_TIME", "en_GB"}}, "de_DE", "en_GB"},
      {{{"LANG", "de_DE"}, {"LC_NUMERIC", "fr_FR"}, {"LC_ALL", "ru_RU"}}, "ru_RU", "ru_RU"},
      {{{"LANG", "de_DE"}, {"LC_ALL", ""}, {"LC_NUMERIC", ""}}, "de_DE", "de_DE"},
      {{{"LC_MESSAGES", "ja_JP"}, {"LC_MONETARY", "ja_JP"}}, "", ""},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(LocaleNameFor("LC_NUMERIC", GetenvOf(C.Environment)), C.Numeric);
    EXPECT_EQ(LocaleNameFor("LC_TIME", GetenvOf(C.Environment)), C.Time);
  }
}

TEST(LocaleName, MessageLanguageFromOptionsThenTheMessagesLocale) {
  constexpr TLanguage En = TLanguage::English, Ru = TLanguage::Russian;
  struct TCase {
    TEnvironment Environment;
    std::optional<TLanguage> Messages;
    const char* Locale;
    TLanguage Expected;
  };
  const TCase Cases[] = {
      {{}, {}, "", En},
      {{{"LANG", "ru_RU.UTF-8"}}, {}, "", Ru},
      {{{"LANG", "RU"}}, {}, "", Ru},
      {{{"LANG", "ru_UA@latin"}}, {}, "", Ru},
      {{{"LANG", "uk_UA.UTF-8"}}, {}, "", En},
      {{{"LANG", "rus"}}, {}, "", En},
      {{{"LANG", "ru_RU"}, {"LC_MESSAGES", "C.UTF-8"}}, {}, "", En},
      {{{"LANG", "en_US"}, {"LC_MESSAGES", "ru_RU"}}, {}, "", Ru},
      {{{"LC_MESSAGES", "ru_RU"}, {"LC_ALL", "POSIX"}}, {}, "", En},
      {{{"LANG", "ru_RU"}, {"LC_ALL", ""}, {"LC_MESSAGES", ""}}, {}, "", Ru},
      // The numeric and time categories do not choose the messages.
      {{{"LC_NUMERIC", "ru_RU"}, {"LC_TIME", "ru_RU"}}, {}, "", En},
      // --locale over the environment, --messages over both.
      {{{"LANG", "ru_RU"}}, {}, "en", En},
      {{{"LANG", "de_DE"}}, {}, "ru", Ru},
      {{{"LANG", "ru_RU"}}, En, "ru", En},
      {{}, Ru, "de_DE", Ru},
  };
  for (const TCase& C : Cases) {
    const TLanguage Environment = EnvironmentLanguage(GetenvOf(C.Environment));
    EXPECT_EQ(MessageLanguage(C.Messages, C.Locale, Environment), C.Expected)
        << (C.Environment.empty() ? "" : C.Environment.begin()->second) << " " << C.Locale;
  }
}

struct TExpected {
  char Decimal, Thousand, List, Date, Time;
  const char* ShortDate;
  const char* LongTime;
};

void ExpectSettings(const TFormatSettings& S, const TExpected& E, const std::string& Label) {
  EXPECT_EQ(S.DecimalSeparator, E.Decimal) << Label;
  EXPECT_EQ(S.ThousandSeparator, E.Thousand) << Label;
  EXPECT_EQ(S.ListSeparator, E.List) << Label;
  EXPECT_EQ(S.DateSeparator, E.Date) << Label;
  EXPECT_EQ(S.TimeSeparator, E.Time) << Label;
  EXPECT_EQ(S.ShortDateFormat, E.ShortDate) << Label;
  EXPECT_EQ(S.LongTimeFormat, E.LongTime) << Label;
}

TEST(LocaleName, InstalledLocalesFirstThenTheBuiltInTable) {
  struct TCase {
    const char* Name;
    TExpected Expected;
  };
  const TCase Cases[] = {
      // Installed: the system's facts win over the table's.
      {"de_DE.UTF-8", {',', '\x92', ';', '-', '.', "yyyy-MM-dd", "HH.mm"}},
      {"de_DE", {',', '\x92', ';', '-', '.', "yyyy-MM-dd", "HH.mm"}},
      {"fi_FI", {',', '`', ';', '.', '.', "dd.MM.yyyy", "HH.mm.ss"}},
      // Missing: the table by language and territory, then by language.
      {"de_DE.ISO-8859-1", {',', '.', ';', '.', ':', "dd.MM.yyyy", "HH:mm:ss"}},
      {"de_AT.UTF-8@euro", {',', '.', ';', '.', ':', "dd.MM.yyyy", "HH:mm:ss"}},
      {"en_GB.UTF-8", {'.', '`', ',', '/', ':', "dd/MM/yy", "HH:mm:ss"}},
      {"en_AU", {'.', '`', ',', '/', ':', "MM/dd/yyyy", "hh:mm:ss tt"}},
      {"pt", {',', '.', ';', '/', ':', "dd/MM/yyyy", "HH:mm:ss"}},
      // The tool's own names, and the C library's own locale.
      {"ru", {',', '`', ';', '.', ':', "dd.MM.yyyy", "H:mm:ss"}},
      {"en", {'.', '`', ',', '/', ':', "M/d/yyyy", "h:mm:ss tt"}},
      {"C.UTF-8", {'.', '`', ',', '/', ':', "M/d/yyyy", "h:mm:ss tt"}},
      {"POSIX", {'.', '`', ',', '/', ':', "M/d/yyyy", "h:mm:ss tt"}},
  };
  for (const TCase& C : Cases) {
    TFormatSettings S;
    ASSERT_TRUE(NamedLocaleSettings(C.Name, TFakeLocales(), S)) << C.Name;
    ExpectSettings(S, C.Expected, C.Name);
  }
  TFormatSettings S;
  EXPECT_FALSE(NamedLocaleSettings("xx_YY.UTF-8", TFakeLocales(), S));
  EXPECT_FALSE(NamedLocaleSettings("klingon", TFakeLocales(), S));
}

TEST(LocaleName, EnvironmentHalvesAndUnknownNames) {
  struct TCase {
    TEnvironment Environment;
    TExpected Expected;
  };
  const TCase Cases[] = {
      {{{"LANG", "es_ES.UTF-8"}}, {',', '.', ';', '/', ':', "dd/MM/yy", "HH:mm:ss"}},
      {{{"LANG", "sv_SE.UTF-8"}, {"LC_TIME", "en_US.UTF-8"}}, {',', '`', ';', '/', ':', "MM/dd/yyyy", "hh:mm:ss tt"}},
      {{{"LANG", "en_US.UTF-8"}, {"LC_TIME", "sv_SE.UTF-8"}}, {'.', '`', ',', '-', ':', "yyyy-MM-dd", "HH:mm:ss"}},
      // A decimal point that is also the time separator moves the time to ":".
      {{{"LC_NUMERIC", "en_US"}, {"LC_TIME", "fi_FI"}}, {'.', '`', ',', '.', ':', "dd.MM.yyyy", "HH:mm:ss"}},
      {{{"LANG", "xx_YY.UTF-8"}}, {'.', '`', ',', '/', ':', "M/d/yyyy", "h:mm:ss tt"}},
      {{}, {'.', '`', ',', '/', ':', "M/d/yyyy", "h:mm:ss tt"}},
  };
  for (const TCase& C : Cases) {
    const std::string Label = C.Environment.empty() ? "(empty)" : C.Environment.begin()->second;
    ExpectSettings(EnvironmentLocaleSettings(GetenvOf(C.Environment), TFakeLocales()), C.Expected, Label);
  }
}

TEST(LocaleSettings, StrftimeFormatsAsWindowsPictures) {
  const struct {
    const char* Format;
    const char* AmPm;
    const char* Picture;
  } Cases[] = {
      {"%d.%m.%Y", "", "dd.MM.yyyy"},
      {"%e/%-m/%y", "", "d/M/yy"},
      {"%r", "%I:%M:%S %p", "hh:mm:ss tt"},
      {"%r", "", "hh:mm:ss tt"},
      {"%T", "", "HH:mm:ss"},
      {"%R", "", "HH:mm"},
      {"%D", "", "MM/dd/yy"},
      {"%F", "", "yyyy-MM-dd"},
      {"%k.%M", "", "H.mm"},
      {"%l:%M %P", "", "h:mm tt"},
      {"%Ey-%OH", "", "yy-HH"},
      {"%A %d %B %Y", "", "dd  yyyy"},
      {"%H h %M", "", "HH' h 'mm"},
      {"%H:%M:%S %Z", "", "HH:mm:ss"},
      {"%Y'%m", "", "yyyy''''MM"},
      {"100%%", "", "100%"},
      {"%r", "%r", ""},
  };
  for (const auto& C : Cases) EXPECT_EQ(WindowsPicture(C.Format, C.AmPm), C.Picture) << C.Format;
}

TEST(LocaleSettings, WhatTheEngineCannotUseFallsBack) {
  const struct {
    TLocaleFacts Facts;
    TExpected Expected;
    const char* Am;
  } Cases[] = {
      // Pictures outside code page 1251 keep their fields in their order.
      {{".", ",", "%Y年%m月%d日", "%H時%M分%S秒", "", "午前", "午後"},
       {'.', '`', ',', '/', ':', "yyyy/MM/dd", "HH:mm:ss"}, "AM"},
      // A decimal symbol the code page lacks, no-break spaces between digit groups.
      {{"\xD9\xAB", "\xC2\xA0", "%d.%m.%Y", "%T", "", "", ""},
       {'.', '`', ',', '.', ':', "dd.MM.yyyy", "HH:mm:ss"}, "AM"},
      {{",", " ", "%d %m %Y", "%H %M", "", "vorm.", "nachm."},
       {',', '`', ';', '/', ':', "dd/MM/yyyy", "HH:mm"}, "vorm."},
      {{",", ".", "", "", "", "", ""}, {',', '.', ';', '/', ':', "MM/dd/yyyy", "HH:mm:ss"}, "AM"},
  };
  for (const auto& C : Cases) {
    const TFormatSettings S = SettingsFromFacts(C.Facts);
    ExpectSettings(S, C.Expected, C.Facts.DateFormat);
    EXPECT_EQ(S.TimeAMString, C.Am);
  }
}

TEST(LocaleSettings, ListSeparatorAndDigitGroupRule) {
  const struct {
    char Decimal, Thousand, Time, List, SettledThousand;
  } Cases[] = {
      {',', '.', ':', ';', '.'}, {'.', ',', ':', ',', '`'}, {',', ';', ':', ';', '`'},
      {'.', '.', ':', ',', '`'}, {',', '.', '.', ';', '`'}, {',', 'x', ':', ';', '`'},
      {',', ' ', ':', ';', '`'}, {',', '\'', ':', ';', '`'},  // 1'30 is an angle
  };
  for (const auto& C : Cases) {
    TFormatSettings S;
    S.DecimalSeparator = C.Decimal;
    S.ThousandSeparator = C.Thousand;
    S.TimeSeparator = C.Time;
    SettleSeparators(S, false, false);
    EXPECT_EQ(S.ListSeparator, C.List) << C.Decimal << C.Thousand;
    EXPECT_EQ(S.ThousandSeparator, C.SettledThousand) << C.Decimal << C.Thousand;
  }
}

TEST(LocaleSettings, EveryBuiltInLocaleSuitsTheEngine) {
  for (const TBuiltInLocale& Row : BuiltInLocales()) {
    const TFormatSettings S = SettingsFromFacts(Row.Facts);
    EXPECT_NO_THROW(CheckLocaleSeparators(S)) << Row.Name;
    EXPECT_FALSE(S.ShortDateFormat.empty() || S.LongTimeFormat.empty()) << Row.Name;
  }
}

}  // namespace
}  // namespace talvex
