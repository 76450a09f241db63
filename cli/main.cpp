// talvex-calc: the expression engine on the command line. One parser serves
// every expression of a run, so variables persist from line to line.
#include <cstdio>
#include <iostream>
#include <string>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/CharClasses.h"
#include "cli/Console.h"
#include "cli/LineReader.h"
#include "cli/Options.h"
#include "cli/Session.h"
#include "cli/ToolMessages.h"
#include "edge/Locale.h"
#include "edge/SystemLocale.h"
#include "parser/CalcParser.h"

namespace {

using namespace talvex;

#ifdef _WIN32
constexpr cli::TToolMessageId EndOfInputKeys = cli::TToolMessageId::EndOfInputKeysWindows;
#else
constexpr cli::TToolMessageId EndOfInputKeys = cli::TToolMessageId::EndOfInputKeys;
#endif

int BadOptions(const cli::TToolMessage& Error, TLanguage Language) {
  const std::string Text = "talvex-calc: " + cli::ToolText(Error, Language) + "\n" +
                           cli::ToolText(cli::TToolMessageId::TryHelp, Language) + "\n";
  std::fputs(Text.c_str(), stderr);
  return 2;
}

// The locale named by --locale, else the system's, then the single settings
// given as options.
bool ResolveSettings(const cli::TOptions& Options, TFormatSettings& Settings, cli::TToolMessage& Error) {
  if (Options.Locale.empty()) {
    Settings = cli::SystemFormatSettings();
  } else if (!NamedLocaleSettings(Options.Locale, TSystemLocales(), Settings)) {
    Error = {cli::TToolMessageId::UnknownLocale, {Options.Locale}};
    return false;
  }
  return cli::ApplySeparators(Options, Settings, Error);
}

// Standard input, with a prompt and a banner when a person types at a
// terminal. False when quit or exit ended it.
bool RunStandardInput(cli::TSession& Session, TLanguage Language, bool& BannerShown) {
  const bool Interactive = cli::InputIsTerminal() && cli::OutputIsTerminal();
  if (Interactive && !BannerShown) {
    const std::string Keys = cli::ToolText(EndOfInputKeys, Language);
    const std::string Banner = cli::ToolText(cli::TToolMessageId::Banner, Language, {TALVEX_VERSION, Keys}) + "\n";
    std::fputs(Banner.c_str(), stdout);
    BannerShown = true;
  }
  const auto Reader = cli::OpenStandardInput(Interactive, cli::Environment);
  return Session.RunLines(*Reader);
}

}  // namespace

int main(int Argc, char** Argv) {
  cli::UseBinaryStreams();
  cli::TOptions Options;
  cli::TToolMessage Error;
  const bool OptionsRead = cli::ParseOptions(cli::Utf8Arguments(Argc, Argv), Options, Error);
  const TLanguage Language =
      MessageLanguage(Options.Messages, Options.Locale, cli::SystemMessageLanguage());
  if (!OptionsRead) return BadOptions(Error, Language);
  if (Options.Help) {
    std::fputs(cli::UsageText, stdout);
    return 0;
  }
  if (Options.Version) {
    std::fputs(cli::VersionText, stdout);
    return 0;
  }
  TFormatSettings Settings;
  if (!ResolveSettings(Options, Settings, Error)) return BadOptions(Error, Language);

  FormatSettings() = Settings;
  TCalcParser Parser{BuiltinFunctions()};
  Parser.AngleUnit = Options.AngleUnit;
  Parser.OutputFormat = Options.Output;
  Parser.FixedDigits = Options.FixedDigits;
  Parser.ExpDigits = Options.ExpDigits;
  Parser.AutoSyntax = Options.AutoSyntax;
  try {
    Parser.SetSyntax(Options.Syntax);
  } catch (const EWindowsOptionsException&) {
    // Reported by the first expression, which retries the table.
  }

  cli::TSession Session(Parser, std::cout, Language);
  if (Options.Expressions.empty()) Options.Expressions.emplace_back(cli::StandardInputArgument);
  bool BannerShown = false;
  for (const std::string& Expression : Options.Expressions) {
    if (Expression != cli::StandardInputArgument)
      Session.Evaluate(Expression);
    else if (!RunStandardInput(Session, Language, BannerShown))
      break;
  }
  return Session.AllSucceeded() ? 0 : 1;
}
