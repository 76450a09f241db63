#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Options.h"

namespace talvex::cli {
namespace {

// The options in one line, only what differs from the defaults.
std::string Describe(const TOptions& O) {
  std::string Out;
  const auto Add = [&Out](const std::string& Part) { Out += (Out.empty() ? "" : " ") + Part; };
  if (O.Help) Add("help");
  if (O.Version) Add("version");
  if (O.AutoSyntax) Add("auto");
  if (!O.Locale.empty()) Add("locale=" + O.Locale);
  if (O.Messages) Add(*O.Messages == TLanguage::Russian ? "messages=ru" : "messages=en");
  for (const auto& [Name, Value] : O.Separators) Add(Name + "=" + Value);
  if (O.AngleUnit != auRadians) Add("angle=" + std::to_string(O.AngleUnit));
  if (O.Syntax != smDefault) Add("syntax=" + std::to_string(O.Syntax));
  if (O.Output != ofDefault) Add("output=" + std::to_string(O.Output));
  if (O.FixedDigits != 2 || O.ExpDigits != 2)
    Add("digits=" + std::to_string(O.FixedDigits) + "/" + std::to_string(O.ExpDigits));
  for (const std::string& E : O.Expressions) Add("[" + E + "]");
  return Out;
}

std::string Parse(const std::vector<std::string>& Args) {
  TOptions Options;
  TToolMessage Error;
  return ParseOptions(Args, Options, Error) ? Describe(Options) : ToolText(Error, TLanguage::English);
}

TEST(Options, ConventionalCommandLine) {
  const struct {
    std::vector<std::string> Args;
    const char* Expected;
  } Cases[] = {
      {{"-h"}, "help"},
      {{"--help"}, "help"},
      {{"-V"}, "version"},
      {{"--version", "2+2"}, "version [2+2]"},
      {{"--help=yes"}, "option '--help' doesn't allow an argument"},
      {{"--bogus"}, "unrecognized option '--bogus'"},
      {{"--bogus=1", "2"}, "unrecognized option '--bogus=1'"},
      {{"-v"}, "invalid option -- 'v'"},
      {{"-hv"}, "invalid option -- 'v'"},
      // Bundles of short options, unambiguous beginnings of long ones.
      {{"-hV"}, "help version"},
      {{"-Vh", "1"}, "help version [1]"},
      {{"--he", "--vers", "--auto"}, "help version auto"},
      {{"--loc", "de_DE", "--mess=ru", "--fix=3"}, "locale=de_DE messages=ru digits=3/2"},
      {{"--d=,"}, "option '--d' is ambiguous; possibilities: '--decimal' '--date-sep'"},
      {{"--l", "x"}, "option '--l' is ambiguous; possibilities: '--locale' '--list' '--long-time'"},
      {{"--dec=,", "--date=-"}, "decimal=, date-sep=-"},
      {{"--syn"}, "option '--syntax' requires an argument"},
      {{"--aut=1"}, "option '--auto-syntax' doesn't allow an argument"},
      // A dash before anything but a letter starts an expression.
      {{"-5+1", "-(2)", "-"}, "[-5+1] [-(2)] [-]"},
      {{"--", "-v", "--help", "-"}, "[-v] [--help] [-]"},
      {{"2", "--", "--", "-h"}, "[2] [--] [-h]"},
      {{"--exp-digits", "-1", "-(1)"}, "bad value '-1' for option '--exp-digits'"},
      {{"1", "--auto-syntax", "2"}, "auto [1] [2]"},
      // Values after "=" or as the next argument.
      {{"--locale=de_DE", "--locale", "fr_FR.UTF-8"}, "locale=fr_FR.UTF-8"},
      {{"--locale"}, "option '--locale' requires an argument"},
      {{"--locale="}, "bad value '' for option '--locale'"},
      {{"--angle", "deg", "--syntax=c", "--output", "hex"}, "angle=0 syntax=1 output=3"},
      {{"--angle=turns"}, "bad value 'turns' for option '--angle'"},
      {{"--fixed-digits=18", "--exp-digits", "0"}, "digits=18/0"},
      {{"--fixed-digits=19"}, "bad value '19' for option '--fixed-digits'"},
      {{"--exp-digits=-1"}, "bad value '-1' for option '--exp-digits'"},
      {{"--list", ";", "--decimal=,"}, "list=; decimal=,"},
      {{"--messages=ru", "--messages", "en"}, "messages=en"},
      {{"--messages=de"}, "bad value 'de' for option '--messages'"},
      // The first error is the one told; the rest are still read for --messages.
      {{"--bogus", "--angle=x", "--help=1"}, "unrecognized option '--bogus'"},
  };
  for (const auto& C : Cases) EXPECT_EQ(Parse(C.Args), C.Expected) << C.Args[0];
}

TEST(Options, SeparatorsOverTheLocale) {
  const struct {
    TFormatSettings Base;
    std::vector<std::string> Args;
    const char* Expected;  // decimal, digit groups, list, date, time, short date, long time; or the error
  } Cases[] = {
      {EnglishFormatSettings(), {"--decimal=,"}, ", ` ; / : M/d/yyyy h:mm:ss tt"},
      {EnglishFormatSettings(), {"--decimal=,", "--list=!"}, ", ` ! / : M/d/yyyy h:mm:ss tt"},
      {EnglishFormatSettings(), {"--list=!", "--decimal=,"}, ", ` ! / : M/d/yyyy h:mm:ss tt"},
      {RussianFormatSettings(), {"--thousand=.", "--date-sep=-"}, ", . ; - : dd.MM.yyyy H:mm:ss"},
      {RussianFormatSettings(), {"--short-date", "yyyy-MM-dd", "--long-time=HH:mm"},
       ", ` ; . : yyyy-MM-dd HH:mm"},
      {RussianFormatSettings(), {"--date-sep=ab"}, "bad value 'ab' for option '--date-sep'"},
      {RussianFormatSettings(), {"--long-time=中"}, "bad value '中' for option '--long-time'"},
      {RussianFormatSettings(), {"--time-sep="}, "bad value '' for option '--time-sep'"},
  };
  // A locale's digit-group mark that the new decimal symbol takes over gives way.
  TFormatSettings German = RussianFormatSettings();
  German.ThousandSeparator = '.';
  for (const auto& C : Cases) {
    TOptions Options;
    TToolMessage Error;
    ASSERT_TRUE(ParseOptions(C.Args, Options, Error));
    TFormatSettings S = C.Base;
    std::string Got;
    if (!ApplySeparators(Options, S, Error))
      Got = ToolText(Error, TLanguage::English);
    else
      Got = std::string{S.DecimalSeparator, ' ', S.ThousandSeparator, ' ', S.ListSeparator, ' ',
                        S.DateSeparator,    ' ', S.TimeSeparator,     ' '} +
            S.ShortDateFormat + " " + S.LongTimeFormat;
    EXPECT_EQ(Got, C.Expected) << C.Args[0];
  }
  TOptions Options;
  TToolMessage Error;
  ASSERT_TRUE(ParseOptions({"--decimal=."}, Options, Error));
  ASSERT_TRUE(ApplySeparators(Options, German, Error));
  EXPECT_EQ(German.ThousandSeparator, '`');
  EXPECT_EQ(German.ListSeparator, ',');
}

}  // namespace
}  // namespace talvex::cli
