// talvex-calc: the expression engine on the command line. One parser serves
// every expression of a run, so variables persist from line to line.
#include <cstdio>
#include <string>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/CharClasses.h"
#include "cli/Console.h"
#include "cli/LineReader.h"
#include "cli/Options.h"
#include "cli/Output.h"
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
  cli::TOutput Errors(stderr, cli::ErrorIsTerminal());
  Errors.WriteLine("talvex-calc: " + cli::ToolText(Error, Language));
  Errors.WriteLine(cli::ToolText(cli::TToolMessageId::TryHelp, Language));
  return 2;
}

// The exit status once everything is written: a result, the help or the
// version that did not reach standard output is a failure whatever came before.
int Finish(cli::TOutput& Out, int Status) {
  if (!Out.Close()) return cli::ReportWriteError(Out);
  return Status;
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
bool RunStandardInput(cli::TSession& Session, cli::TOutput& Out, TLanguage Language, bool& BannerShown,
                      const cli::TCompleter& Complete) {
  const bool Interactive = cli::InputIsTerminal() && cli::OutputIsTerminal();
  if (Interactive && !BannerShown) {
    const std::string Keys = cli::ToolText(EndOfInputKeys, Language);
    Out.WriteText(cli::ToolText(cli::TToolMessageId::Banner, Language, {TALVEX_VERSION, Keys}) + "\n");
    BannerShown = true;
  }
  const auto Reader = cli::OpenStandardInput(Interactive, cli::Environment, Complete);
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
  cli::TOutput Out(stdout, cli::OutputIsTerminal());
  if (Options.Help || Options.Version) {
    Out.WriteText(Options.Help ? cli::UsageText : cli::VersionText);
    return Finish(Out, 0);
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

  cli::TSession Session(Parser, Out, Language);
  if (Options.Expressions.empty()) Options.Expressions.emplace_back(cli::StandardInputArgument);
  const cli::TCompleter Complete = [&Parser](std::string_view Beginning) {
    return cli::Completions(BuiltinFunctions(), Parser.Variables, Beginning);
  };
  bool BannerShown = false;
  for (const std::string& Expression : Options.Expressions) {
    if (Session.WriteFailed()) break;
    if (Expression != cli::StandardInputArgument)
      Session.Evaluate(Expression);
    else if (!RunStandardInput(Session, Out, Language, BannerShown, Complete))
      break;
  }
  return Finish(Out, Session.AllSucceeded() ? 0 : 1);
}
