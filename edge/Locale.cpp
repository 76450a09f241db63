#include "edge/Locale.h"

#include <string_view>

#include "edge/LocaleSettings.h"

namespace talvex {
namespace {

// language[_territory][.codeset][@modifier], language in lower and territory
// in upper case as the table writes them.
struct TLocaleName {
  std::string Language;
  std::string Territory;
  bool HasCodeset = false;
};

TLocaleName SplitName(std::string_view Name) {
  TLocaleName Parts;
  const std::size_t Modifier = Name.find('@');
  Name = Name.substr(0, Modifier);
  const std::size_t Dot = Name.find('.');
  Parts.HasCodeset = Dot != std::string_view::npos;
  Name = Name.substr(0, Dot);
  const std::size_t Underscore = Name.find('_');
  for (char C : Name.substr(0, Underscore))
    Parts.Language += (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
  if (Underscore != std::string_view::npos)
    for (char C : Name.substr(Underscore + 1))
      Parts.Territory += (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C;
  return Parts;
}

bool IsPortableLocale(const std::string& Name) {
  const std::string_view Base = std::string_view(Name).substr(0, Name.find('.'));
  return Name.empty() || Base == "C" || Base == "POSIX";
}

}  // namespace

std::string LocaleLanguage(std::string_view Name) { return SplitName(Name).Language; }

std::string LocaleNameFor(const char* Category, const TGetenv& Getenv) {
  for (const char* Variable : {"LC_ALL", Category, "LANG"}) {
    const char* Value = Getenv(Variable);
    if (Value && *Value) return Value;
  }
  return std::string();
}

bool NamedLocaleSettings(const std::string& Name, const ILocaleSource& Source, TFormatSettings& Settings) {
  if (Name == "ru") {
    Settings = RussianFormatSettings();
    return true;
  }
  if (Name == "en" || IsPortableLocale(Name)) {
    Settings = EnglishFormatSettings();
    return true;
  }
  const TLocaleName Parts = SplitName(Name);
  TLocaleFacts Facts;
  if (Source.Read(Name, Facts) || (!Parts.HasCodeset && Source.Read(Name + ".UTF-8", Facts))) {
    Settings = SettingsFromFacts(Facts);
    return true;
  }
  if (const TBuiltInLocale* Row = FindBuiltInLocale(Parts.Language, Parts.Territory)) {
    Settings = SettingsFromFacts(Row->Facts);
    return true;
  }
  return false;
}

TFormatSettings EnvironmentLocaleSettings(const TGetenv& Getenv, const ILocaleSource& Source) {
  const auto Named = [&](const std::string& Name) {
    TFormatSettings Settings;
    if (!NamedLocaleSettings(Name, Source, Settings)) Settings = EnglishFormatSettings();
    return Settings;
  };
  const std::string NumericName = LocaleNameFor("LC_NUMERIC", Getenv), TimeName = LocaleNameFor("LC_TIME", Getenv);
  const TFormatSettings Numeric = Named(NumericName);
  // Mostly both halves name one locale, which is then read once.
  return CombineHalves(Numeric, TimeName == NumericName ? Numeric : Named(TimeName));
}

}  // namespace talvex
