#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "x11/Options.h"

namespace talvex::x11::testing {
namespace {

bool Parse(std::vector<std::string> Args, TOptions& Options, TOptionError& Error) {
  Args.insert(Args.begin(), "talvex-x11");
  std::vector<char*> Argv;
  for (std::string& Arg : Args) Argv.push_back(Arg.data());
  Argv.push_back(nullptr);
  return ParseOptions(static_cast<int>(Args.size()), Argv.data(), Options, Error);
}

TEST(Options, GetoptLongRulesAndTheProgramsMessages) {
  const struct {
    std::vector<std::string> Args;
    std::string Error;  // English, as the user reads it; empty when they are good
  } Cases[] = {
      {{}, ""},
      {{"--oneshot", "result", "--keys=numlock", "--messages=ru", "--locale", "de_DE", "--notify-results"}, ""},
      {{"--one=expression", "--no", "--mess=en"}, ""},  // unambiguous prefixes
      {{"-nk", "Ctrl+Alt+E,Ctrl+Alt+R", "-oresult"}, ""},  // bundled short options
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--bogus=1", "--help"}, "unknown option '--bogus'"},
      {{"-x"}, "unknown option '-x'"},
      {{"-nx"}, "unknown option '-x'"},
      {{"--help=yes"}, "option '--help' takes no value"},
      {{"--keys"}, "option '--keys' needs a value"},
      {{"-k"}, "option '-k' needs a value"},
      {{"--oneshot=both"}, "bad value 'both' for option '--oneshot'"},
      {{"--keys=Ctrl+Q,Ctrl+Q"}, "bad value 'Ctrl+Q,Ctrl+Q' for option '--keys'"},
      {{"--messages=de"}, "bad value 'de' for option '--messages'"},
      {{"--locale="}, "bad value '' for option '--locale'"},
      {{"2+3"}, "unexpected argument '2+3'"},
  };
  for (const auto& C : Cases) {
    TOptions Options;
    TOptionError Error;
    const bool Good = Parse(C.Args, Options, Error);
    EXPECT_EQ(Good, C.Error.empty()) << C.Args.size();
    if (Good) continue;
    std::string Text;
    if (Error.Args.size() == 1) Text = x11::Text(Error.Key, TLanguage::English, {Error.Args[0]});
    if (Error.Args.size() == 2) Text = x11::Text(Error.Key, TLanguage::English, {Error.Args[0], Error.Args[1]});
    EXPECT_EQ(Text, C.Error);
  }
  TOptions Options;
  TOptionError Error;
  ASSERT_TRUE(Parse({"-nk", "Ctrl+Alt+E,Ctrl+Alt+R", "--one=result", "--mess=ru", "--locale=de_DE"}, Options, Error));
  EXPECT_TRUE(Options.NotifyResults);
  EXPECT_EQ(Options.OneShot, THotkey::hkResult);
  EXPECT_EQ((*Options.Keys)[1].Name, "Ctrl+Alt+R");
  EXPECT_EQ(Options.Messages, TLanguage::Russian);
  EXPECT_EQ(Options.Locale, "de_DE");
}

TEST(Messages, EveryMessageTakesTheSameArgumentsInBothLanguages) {
  const auto Count = [](std::string_view Text) {
    std::size_t N = 0;
    for (std::size_t At = Text.find("%s"); At != std::string_view::npos; At = Text.find("%s", At + 2)) ++N;
    return N;
  };
  for (const TBilingualText& Message : MessageTexts) {
    EXPECT_FALSE(Message.Russian.empty()) << Message.English;
    EXPECT_EQ(Count(Message.English), Count(Message.Russian)) << Message.English;
  }
}

}  // namespace
}  // namespace talvex::x11::testing
