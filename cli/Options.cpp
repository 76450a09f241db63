#include "cli/Options.h"

#include <string_view>

#include "ParserLib/Cp1251.h"

namespace talvex::cli {
namespace {

bool StartsWith(std::string_view Text, std::string_view Prefix) {
  return Text.substr(0, Prefix.size()) == Prefix;
}

// One UTF-8 character that code page 1251 has.
bool ReadCharacter(std::string_view Value, char& Out) {
  std::string Converted;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Value, Converted, Offset) || Converted.size() != 1) return false;
  Out = Converted[0];
  return true;
}

bool ReadCount(std::string_view Value, int& Out) {
  if (Value.empty() || Value.size() > 2) return false;
  int N = 0;
  for (char C : Value) {
    if (C < '0' || C > '9') return false;
    N = N * 10 + (C - '0');
  }
  if (N > 18) return false;
  Out = N;
  return true;
}

template <typename T, std::size_t N>
bool ReadChoice(std::string_view Value, const std::pair<const char*, T> (&Choices)[N], T& Out) {
  for (const auto& [Name, Choice] : Choices)
    if (Value == Name) {
      Out = Choice;
      return true;
    }
  return false;
}

constexpr std::pair<const char*, int> AngleChoices[] = {{"deg", 0}, {"rad", 1}, {"grad", 2}};
constexpr std::pair<const char*, TSyntaxMode> SyntaxChoices[] = {
    {"default", smDefault}, {"pascal", smPascal}, {"c", smC},        {"hex", smHex},
    {"octal", smOctal},     {"binary", smBinary}, {"basic", smBasic}};
constexpr std::pair<const char*, TOutputFormat> OutputChoices[] = {
    {"default", ofDefault}, {"hex", ofHex},           {"octal", ofOctal},
    {"binary", ofBinary},   {"fixed", ofFixed},       {"exponent", ofExponent},
    {"roman", ofRoman},     {"fraction", ofFraction}};

TFormatSettings EnvironmentSettings(const std::string& Locale) {
  TFormatSettings S = StartsWith(Locale, "ru") ? RussianFormatSettings() : EnglishFormatSettings();
  // The list separator must differ from a decimal comma.
  S.ListSeparator = S.DecimalSeparator == ',' ? ';' : ',';
  return S;
}

}  // namespace

const char* const VersionText = "talvex-calc 2.0";

const char* const UsageText =
    "usage: talvex-calc [options] [--] [EXPRESSION...]\n"
    "Evaluates each EXPRESSION, or each non-blank line of standard input, and\n"
    "prints one line per expression: the result, or 'error: ' and the message.\n"
    "All expressions of a run share one parser (variables persist).\n"
    "\n"
    "  --locale=ru|en        separators and date/time pictures of a locale\n"
    "  --decimal=C --thousand=C --list=C --date-sep=C --time-sep=C\n"
    "  --short-date=PICTURE --long-time=PICTURE\n"
    "  --angle=deg|rad|grad  unit of trigonometric functions (default rad)\n"
    "  --syntax=default|pascal|c|hex|octal|binary|basic\n"
    "  --output=default|hex|octal|binary|fixed|exponent|roman|fraction\n"
    "  --fixed-digits=N --exp-digits=N   digits after the point (0..18)\n"
    "  --auto-syntax         retry failing expressions in other syntaxes\n"
    "  --help --version\n"
    "Exit status: 0 all succeeded, 1 some failed, 2 bad options.\n";

bool ParseOptions(const std::vector<std::string>& Args, const std::string& Environment,
                  TOptions& Options, std::string& Error) {
  Options.Settings = EnvironmentSettings(Environment);
  std::vector<std::pair<std::string, std::string>> Overrides;
  bool OptionsEnded = false;
  for (const std::string& Arg : Args) {
    if (OptionsEnded || !StartsWith(Arg, "--")) {
      Options.Expressions.push_back(Arg);
      continue;
    }
    if (Arg == "--") {
      OptionsEnded = true;
      continue;
    }
    const std::size_t Equals = Arg.find('=');
    const std::string Name = Arg.substr(0, Equals);
    const std::string Value = Equals == std::string::npos ? std::string() : Arg.substr(Equals + 1);
    const bool HasValue = Equals != std::string::npos;
    bool Ok = true;
    if (Name == "--help" && !HasValue) Options.Help = true;
    else if (Name == "--version" && !HasValue) Options.Version = true;
    else if (Name == "--auto-syntax" && !HasValue) Options.AutoSyntax = true;
    else if (Name == "--locale" && (Value == "ru" || Value == "en"))
      Options.Settings = Value == "ru" ? RussianFormatSettings() : EnglishFormatSettings();
    else if (Name == "--angle") Ok = ReadChoice(Value, AngleChoices, Options.AngleUnit);
    else if (Name == "--syntax") Ok = ReadChoice(Value, SyntaxChoices, Options.Syntax);
    else if (Name == "--output") Ok = ReadChoice(Value, OutputChoices, Options.Output);
    else if (Name == "--fixed-digits") Ok = ReadCount(Value, Options.FixedDigits);
    else if (Name == "--exp-digits") Ok = ReadCount(Value, Options.ExpDigits);
    else if (HasValue && (Name == "--decimal" || Name == "--thousand" || Name == "--list" ||
                          Name == "--date-sep" || Name == "--time-sep" || Name == "--short-date" ||
                          Name == "--long-time"))
      Overrides.emplace_back(Name, Value);  // applied after any --locale, whatever the order
    else Ok = false;
    if (!Ok) {
      Error = "talvex-calc: bad option '" + Arg + "'";
      return false;
    }
  }
  for (const auto& [Name, Value] : Overrides) {
    TFormatSettings& S = Options.Settings;
    bool Ok = true;
    if (Name == "--decimal") Ok = ReadCharacter(Value, S.DecimalSeparator);
    else if (Name == "--thousand") Ok = ReadCharacter(Value, S.ThousandSeparator);
    else if (Name == "--list") Ok = ReadCharacter(Value, S.ListSeparator);
    else if (Name == "--date-sep") Ok = ReadCharacter(Value, S.DateSeparator);
    else if (Name == "--time-sep") Ok = ReadCharacter(Value, S.TimeSeparator);
    else {
      std::string Picture;
      std::size_t Offset = 0;
      Ok = !Value.empty() && Utf8ToCp1251(Value, Picture, Offset);
      if (Ok) (Name == "--short-date" ? S.ShortDateFormat : S.LongTimeFormat) = Picture;
    }
    if (!Ok) {
      Error = "talvex-calc: bad option '" + Name + "=" + Value + "'";
      return false;
    }
  }
  return true;
}

}  // namespace talvex::cli
