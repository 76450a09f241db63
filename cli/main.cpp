// talvex-calc: the expression engine on the command line. One parser serves
// every expression of a run, so variables persist from line to line.
#include <cstdio>
#include <iostream>
#include <string>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/CharClasses.h"
#include "cli/Console.h"
#include "cli/LineReader.h"
#include "cli/Locale.h"
#include "cli/Options.h"
#include "cli/Session.h"
#include "cli/SystemLocale.h"
#include "parser/CalcParser.h"

namespace {

using namespace talvex;

#ifdef _WIN32
constexpr const char* EndOfInputKeys = "Ctrl-Z and Enter";
#else
constexpr const char* EndOfInputKeys = "Ctrl-D";
#endif

int BadOptions(const std::string& Error) {
  std::fprintf(stderr, "%s\n%s", Error.c_str(), cli::TryHelpText);
  return 2;
}

// The locale named by --locale, else the system's, then the single settings
// given as options.
bool ResolveSettings(const cli::TOptions& Options, TFormatSettings& Settings, std::string& Error) {
  if (Options.Locale.empty()) {
    Settings = cli::SystemFormatSettings();
  } else if (!cli::NamedLocaleSettings(Options.Locale, cli::TSystemLocales(), Settings)) {
    Error = "talvex-calc: unknown locale '" + Options.Locale + "'";
    return false;
  }
  return cli::ApplySeparators(Options, Settings, Error);
}

// Standard input, with a prompt and a banner when a person types at a
// terminal. False when quit or exit ended it.
bool RunStandardInput(cli::TSession& Session, bool& BannerShown) {
  const bool Interactive = cli::InputIsTerminal() && cli::OutputIsTerminal();
  if (Interactive && !BannerShown) {
    std::printf("talvex-calc %s: type an expression and Enter; ans is the last result.\n"
                "Leave with quit, exit or %s. The language: man talvex-calc.\n",
                TALVEX_VERSION, EndOfInputKeys);
    BannerShown = true;
  }
  const auto Reader = cli::OpenStandardInput(Interactive, cli::Environment);
  return Session.RunLines(*Reader);
}

}  // namespace

int main(int Argc, char** Argv) {
  cli::UseBinaryStreams();
  cli::TOptions Options;
  std::string Error;
  if (!cli::ParseOptions(cli::Utf8Arguments(Argc, Argv), Options, Error)) return BadOptions(Error);
  if (Options.Help) {
    std::fputs(cli::UsageText, stdout);
    return 0;
  }
  if (Options.Version) {
    std::fputs(cli::VersionText, stdout);
    return 0;
  }
  TFormatSettings Settings;
  if (!ResolveSettings(Options, Settings, Error)) return BadOptions(Error);

  FormatSettings() = Settings;
  TCalcParser Parser{BuiltinFunctions()};
  Parser.AngleUnit = static_cast<TAngleUnit>(Options.AngleUnit);
  Parser.OutputFormat = Options.Output;
  Parser.FixedDigits = Options.FixedDigits;
  Parser.ExpDigits = Options.ExpDigits;
  Parser.AutoSyntax = Options.AutoSyntax;
  try {
    Parser.SetSyntax(Options.Syntax);
  } catch (const EWindowsOptionsException&) {
    // Reported by the first expression, which retries the table.
  }

  cli::TSession Session(Parser, std::cout);
  if (Options.Expressions.empty()) Options.Expressions.emplace_back(cli::StandardInputArgument);
  bool BannerShown = false;
  for (const std::string& Expression : Options.Expressions) {
    if (Expression != cli::StandardInputArgument)
      Session.Evaluate(Expression);
    else if (!RunStandardInput(Session, BannerShown))
      break;
  }
  return Session.AllSucceeded() ? 0 : 1;
}
