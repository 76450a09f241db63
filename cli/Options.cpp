#include "cli/Options.h"

#include "ParserLib/Cp1251.h"
#include "edge/LocaleSettings.h"

#ifndef TALVEX_VERSION
#error "TALVEX_VERSION comes from the build"
#endif

namespace talvex::cli {
namespace {

bool StartsWith(std::string_view Text, std::string_view Prefix) {
  return Text.substr(0, Prefix.size()) == Prefix;
}

// One UTF-8 character that code page 1251 has.
bool ReadCharacter(std::string_view Value, char& Out) {
  const char Character = SingleCharacter(Value);
  if (Character == 0) return false;
  Out = Character;
  return true;
}

bool ReadPicture(std::string_view Value, std::string& Out) {
  std::size_t Offset = 0;
  return !Value.empty() && Utf8ToCp1251(Value, Out, Offset);
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

constexpr std::pair<const char*, TLanguage> MessagesChoices[] = {{"en", TLanguage::English}, {"ru", TLanguage::Russian}};
constexpr std::pair<const char*, TAngleUnit> AngleChoices[] = {{"deg", auDegrees}, {"rad", auRadians}, {"grad", auGrads}};
constexpr std::pair<const char*, TSyntaxMode> SyntaxChoices[] = {
    {"default", smDefault}, {"pascal", smPascal}, {"c", smC},        {"hex", smHex},
    {"octal", smOctal},     {"binary", smBinary}, {"basic", smBasic}};
constexpr std::pair<const char*, TOutputFormat> OutputChoices[] = {
    {"default", ofDefault}, {"hex", ofHex},           {"octal", ofOctal},
    {"binary", ofBinary},   {"fixed", ofFixed},       {"exponent", ofExponent},
    {"roman", ofRoman},     {"fraction", ofFraction}};

constexpr std::string_view FlagNames[] = {"help", "version", "auto-syntax"};
constexpr std::string_view SeparatorNames[] = {"decimal",  "thousand",   "list",     "date-sep",
                                               "time-sep", "short-date", "long-time"};
constexpr std::string_view ValueNames[] = {"locale", "messages",     "angle",     "syntax",
                                           "output", "fixed-digits", "exp-digits"};

template <std::size_t N>
bool IsOneOf(std::string_view Name, const std::string_view (&Names)[N]) {
  for (std::string_view Candidate : Names)
    if (Name == Candidate) return true;
  return false;
}

// A value option by its name without "--"; false for a value it does not take.
bool ReadValue(const std::string& Name, const std::string& Value, TOptions& Options) {
  if (Name == "locale") {
    Options.Locale = Value;
    return !Value.empty();
  }
  if (Name == "messages") {
    TLanguage Language{};
    if (!ReadChoice(Value, MessagesChoices, Language)) return false;
    Options.Messages = Language;
    return true;
  }
  if (Name == "angle") return ReadChoice(Value, AngleChoices, Options.AngleUnit);
  if (Name == "syntax") return ReadChoice(Value, SyntaxChoices, Options.Syntax);
  if (Name == "output") return ReadChoice(Value, OutputChoices, Options.Output);
  if (Name == "fixed-digits") return ReadCount(Value, Options.FixedDigits);
  if (Name == "exp-digits") return ReadCount(Value, Options.ExpDigits);
  Options.Separators.emplace_back(Name, Value);  // checked once the locale is known
  return true;
}

// A dash and a letter is an option; any other text after a dash (-5+1, -(2))
// is an expression.
bool IsShortOption(const std::string& Arg) {
  if (Arg.size() < 2 || Arg[0] != '-' || Arg[1] == '-') return false;
  const char C = Arg[1];
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}

}  // namespace

const char* const VersionText =
    "talvex-calc " TALVEX_VERSION "\n"
    "Copyright (c) 2026 The Talvex developers\n"
    "License: MIT. This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY. The licence text is in the file LICENSE of the sources\n"
    "and in /usr/share/doc/talvex-calc/copyright of the package.\n";

const char* const UsageText =
    "Usage: talvex-calc [OPTION]... [--] [EXPRESSION]...\n"
    "Evaluates each EXPRESSION, or each line of standard input, and prints one\n"
    "line per expression: the result, or 'error: ' and the message. Variables\n"
    "persist from one expression to the next; ans is the last result.\n"
    "On a terminal it edits lines and keeps a history; quit or exit leaves.\n"
    "\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and the licence and exit\n"
    "  --locale=NAME          separators and date/time pictures of a locale\n"
    "                         (de_DE, fr_FR.UTF-8, ...; ru and en as before);\n"
    "                         default: LC_ALL, LC_NUMERIC/LC_TIME, LANG\n"
    "  --messages=en|ru       language of the messages; default: that of\n"
    "                         --locale, else LC_ALL, LC_MESSAGES, LANG\n"
    "  --decimal=C --thousand=C --list=C --date-sep=C --time-sep=C\n"
    "  --short-date=PICTURE --long-time=PICTURE   override single settings\n"
    "  --angle=deg|rad|grad   unit of trigonometric functions (default rad)\n"
    "  --syntax=default|pascal|c|hex|octal|binary|basic\n"
    "  --output=default|hex|octal|binary|fixed|exponent|roman|fraction\n"
    "  --fixed-digits=N --exp-digits=N   digits after the point (0..18)\n"
    "  --auto-syntax          retry failing expressions in other syntaxes\n"
    "  --                     end of options: -x*2 after it is an expression\n"
    "  -                      read standard input at this place\n"
    "Standard input: blank lines and lines starting with # are skipped.\n"
    "Exit status: 0 all succeeded, 1 some failed, 2 bad options.\n"
    "The expression language: man talvex-calc\n";

bool ParseOptions(const std::vector<std::string>& Args, TOptions& Options, TToolMessage& Error) {
  bool Failed = false;
  const auto Fail = [&](TToolMessageId Id, std::vector<std::string> Texts) {
    if (!Failed) Error = {Id, std::move(Texts)};
    Failed = true;
  };
  bool OptionsEnded = false;
  for (std::size_t I = 0; I < Args.size(); ++I) {
    const std::string& Arg = Args[I];
    if (OptionsEnded || Arg == StandardInputArgument || (!StartsWith(Arg, "--") && !IsShortOption(Arg))) {
      Options.Expressions.push_back(Arg);
      continue;
    }
    if (Arg == "--") {
      OptionsEnded = true;
      continue;
    }
    if (Arg == "-h" || Arg == "-V") {
      (Arg == "-h" ? Options.Help : Options.Version) = true;
      continue;
    }
    const std::size_t Equals = Arg.find('=');
    const std::string Name = Arg.substr(2, Equals == std::string::npos ? std::string::npos : Equals - 2);
    const bool Long = StartsWith(Arg, "--");
    if (Long && IsOneOf(Name, FlagNames)) {
      if (Equals != std::string::npos) Fail(TToolMessageId::TakesNoValue, {Name});
      else if (Name == "help") Options.Help = true;
      else if (Name == "version") Options.Version = true;
      else Options.AutoSyntax = true;
      continue;
    }
    if (!Long || (!IsOneOf(Name, ValueNames) && !IsOneOf(Name, SeparatorNames))) {
      Fail(TToolMessageId::UnknownOption, {Arg.substr(0, Equals)});
      continue;
    }
    std::string Value;
    if (Equals != std::string::npos) {
      Value = Arg.substr(Equals + 1);
    } else if (I + 1 < Args.size()) {
      Value = Args[++I];
    } else {
      Fail(TToolMessageId::NeedsValue, {Name});
      continue;
    }
    if (!ReadValue(Name, Value, Options)) Fail(TToolMessageId::BadValue, {Value, Name});
  }
  return !Failed;
}

bool ApplySeparators(const TOptions& Options, TFormatSettings& S, TToolMessage& Error) {
  bool ListGiven = false, ThousandGiven = false, DecimalGiven = false;
  for (const auto& [Name, Value] : Options.Separators) {
    bool Ok = true;
    if (Name == "decimal") Ok = DecimalGiven = ReadCharacter(Value, S.DecimalSeparator);
    else if (Name == "thousand") Ok = ThousandGiven = ReadCharacter(Value, S.ThousandSeparator);
    else if (Name == "list") Ok = ListGiven = ReadCharacter(Value, S.ListSeparator);
    else if (Name == "date-sep") Ok = ReadCharacter(Value, S.DateSeparator);
    else if (Name == "time-sep") Ok = ReadCharacter(Value, S.TimeSeparator);
    else Ok = ReadPicture(Value, Name == "short-date" ? S.ShortDateFormat : S.LongTimeFormat);
    if (!Ok) {
      Error = {TToolMessageId::BadValue, {Value, Name}};
      return false;
    }
  }
  if (DecimalGiven) SettleSeparators(S, ListGiven, ThousandGiven);
  return true;
}

}  // namespace talvex::cli
