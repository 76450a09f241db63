#include "cli/Options.h"

#include <getopt.h>

#include <array>
#include <cstring>
#include <iterator>

#include "ParserLib/Cp1251.h"
#include "edge/LocaleSettings.h"

#ifndef TALVEX_VERSION
#error "TALVEX_VERSION comes from the build"
#endif

namespace talvex::cli {
namespace {

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

// The long options, in the order an ambiguous prefix lists them; each one's
// getopt code is LongCode plus its place here.
constexpr int LongCode = 256;
constexpr struct {
  const char* Name;
  bool TakesValue;
} LongOptions[] = {
    {"help", false},       {"version", false},     {"locale", true},     {"messages", true},
    {"decimal", true},     {"thousand", true},     {"list", true},       {"date-sep", true},
    {"time-sep", true},    {"short-date", true},   {"long-time", true},  {"angle", true},
    {"syntax", true},      {"output", true},       {"fixed-digits", true}, {"exp-digits", true},
    {"auto-syntax", false},
};
constexpr std::size_t LongOptionCount = std::size(LongOptions);

// The option table of getopt_long, ended by a row of zeros.
const option* GetoptTable() {
  static const auto Table = [] {
    std::array<option, LongOptionCount + 1> Rows{};
    for (std::size_t I = 0; I < LongOptionCount; ++I)
      Rows[I] = {LongOptions[I].Name, LongOptions[I].TakesValue ? required_argument : no_argument, nullptr,
                 LongCode + static_cast<int>(I)};
    return Rows;
  }();
  return Table.data();
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

// A dash and a letter is an option; any other text after a single dash
// (-5+1, -(2)) is an expression.
bool IsDashExpression(const std::string& Arg) {
  if (Arg.size() < 2 || Arg[0] != '-' || Arg[1] == '-') return false;
  const char C = Arg[1];
  return !((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'));
}

// The message for a long option getopt_long refused without naming one: no
// option has that name, or it is the beginning of several.
TToolMessage UnknownLongOption(std::string_view Arg) {
  const std::string_view Name = Arg.substr(2, Arg.find('=') - 2);  // npos - 2 still takes the rest
  std::string Candidates;
  int Count = 0;
  for (const auto& Long : LongOptions)
    if (std::string_view(Long.Name).starts_with(Name))
      Candidates += std::string(Count++ == 0 ? "'--" : " '--") + Long.Name + "'";
  if (Count > 1) return {TToolMessageId::AmbiguousOption, {"--" + std::string(Name), Candidates}};
  return {TToolMessageId::UnknownOption, {std::string(Arg)}};
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
    "Long options may be shortened to any unambiguous beginning (--he);\n"
    "short ones may be bundled (-hV).\n"
    "\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and the licence and exit\n"
    "  --locale=NAME          separators and date/time pictures of a locale\n"
    "                         (de_DE, fr_FR.UTF-8, ...), or ru (2,5 and\n"
    "                         31.12.1999) or en (2.5 and 12/31/1999), the\n"
    "                         calculator's own Russian and English settings;\n"
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
    "On a terminal, control characters in results and messages show as \\xHH.\n"
    "Exit status: 0 all succeeded, 1 some failed or a write failed, 2 bad options.\n"
    "The expression language: man talvex-calc\n";

// getopt_long of the C library reads the options: unambiguous prefixes of
// the long ones, bundles of the short ones, values after "=" or as the next
// argument, and "--". Expressions and options keep their order (the leading
// "-" of the option string), and getopt writes no messages: the tool words
// them in the language of the messages, which a later --messages may choose.
bool ParseOptions(const std::vector<std::string>& Args, TOptions& Options, TToolMessage& Error) {
  bool Failed = false;
  const auto Fail = [&](TToolMessage Message) {
    if (!Failed) Error = std::move(Message);
    Failed = true;
  };
  // An expression that starts with a dash reaches getopt as a text of its own
  // that is no option, and comes back by its place.
  std::vector<std::string> Texts{"talvex-calc"};
  for (const std::string& Arg : Args) Texts.push_back(IsDashExpression(Arg) ? "expression" : Arg);
  std::vector<char*> Argv;
  for (std::string& Text : Texts) Argv.push_back(Text.data());
  Argv.push_back(nullptr);
  const int Argc = static_cast<int>(Texts.size());
  // The original of the argument getopt handed back as Text.
  const auto Original = [&](const char* Text) -> const std::string& {
    for (std::size_t I = 1; I < Texts.size(); ++I)
      if (Argv[I] == Text) return Args[I - 1];
    static const std::string None;
    return None;
  };

  opterr = 0;
  optind = 0;  // starts afresh, also for the BSD getopt of mingw-w64
  for (;;) {
    const int Before = optind == 0 ? 1 : optind;
    const int Code = getopt_long(Argc, Argv.data(), "-hV", GetoptTable(), nullptr);
    if (Code == -1) {
      // "--" ends the options; a getopt that stops at the first expression
      // (the BSD one, with POSIXLY_CORRECT set) is led past it.
      if (optind == Before + 1 && std::strcmp(Argv[Before], "--") == 0) break;
      if (optind >= Argc) break;
      Options.Expressions.push_back(Original(Argv[optind++]));
      continue;
    }
    if (Code == 1) {
      Options.Expressions.push_back(Original(optarg));
    } else if (Code == 'h') {
      Options.Help = true;
    } else if (Code == 'V') {
      Options.Version = true;
    } else if (Code >= LongCode && Code < LongCode + static_cast<int>(LongOptionCount)) {
      const std::string Name = LongOptions[Code - LongCode].Name;
      if (Name == "help") Options.Help = true;
      else if (Name == "version") Options.Version = true;
      else if (Name == "auto-syntax") Options.AutoSyntax = true;
      else if (const std::string Value = optarg == Argv[optind - 1] ? Original(optarg) : optarg;
               !ReadValue(Name, Value, Options))
        Fail({TToolMessageId::BadValue, {Value, Name}});
    } else if (optopt >= LongCode && optopt < LongCode + static_cast<int>(LongOptionCount)) {
      // A value given to a flag, or none given to an option that needs one.
      const auto& Long = LongOptions[optopt - LongCode];
      Fail({Long.TakesValue ? TToolMessageId::NeedsValue : TToolMessageId::TakesNoValue, {Long.Name}});
    } else if (optopt == 0) {
      Fail(UnknownLongOption(Argv[Before]));
    } else {
      Fail({TToolMessageId::InvalidOption, {std::string(1, static_cast<char>(optopt))}});
    }
  }
  for (int I = optind; I < Argc; ++I) Options.Expressions.push_back(Original(Argv[I]));
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
