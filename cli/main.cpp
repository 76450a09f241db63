// talvex-calc: the expression engine on the command line. One parser serves
// every expression of a run, so variables persist from line to line.
#include <cstdio>
#include <iostream>
#include <string>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/CharClasses.h"
#include "ParserLib/Cp1251.h"
#include "cli/Console.h"
#include "cli/Options.h"
#include "parser/CalcParser.h"

#ifdef _WIN32
#include "lib/WindowsLocale.h"
#endif

namespace {

using namespace talvex;

void WriteLine(const std::string& Utf8) {
  std::fwrite(Utf8.data(), 1, Utf8.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// One expression: its result line, or its error line. True on success.
bool Run(TCalcParser& Parser, const std::string& Utf8Expression) {
  std::string Expression;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Utf8Expression, Expression, Offset)) {
    WriteLine("error: character at byte " + std::to_string(Offset + 1) +
              " is not in code page 1251");
    return false;
  }
  try {
    WriteLine(Cp1251ToUtf8(Calculate(Parser, Expression)));
    return true;
  } catch (const EParserException& E) {
    WriteLine("error: " + Cp1251ToUtf8(E.Message()));
  } catch (const EWindowsOptionsException& E) {
    WriteLine("error: " + Cp1251ToUtf8(E.Message()));
  } catch (const Exception& E) {
    WriteLine("error: " + Cp1251ToUtf8(E.Message()));
  }
  return false;
}

void StripLineEnd(std::string& Line) {
  while (!Line.empty() && (Line.back() == '\n' || Line.back() == '\r')) Line.pop_back();
}

bool IsBlank(const std::string& Line) {
  return Line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

int main(int Argc, char** Argv) {
  cli::UseBinaryStreams();
  cli::TOptions Options;
  std::string Error;
  std::vector<std::string> Args = cli::Utf8Arguments(Argc, Argv);
#ifdef _WIN32
  // Without --locale the tool calculates as the program does: in the user's
  // Windows locale, with the backquote for digit groups (a locale's comma
  // there would clash with its list separator). Separator options given
  // still override it.
  const bool WindowsLocale = !cli::HasLocaleOption(Args);
  TFormatSettings Windows = ReadWindowsFormatSettings();
  Windows.ThousandSeparator = '`';
  if (WindowsLocale) {
    const std::vector<std::string> Locale = cli::WindowsLocaleOptions(Windows);
    Args.insert(Args.begin(), Locale.begin(), Locale.end());
  }
#endif
  if (!cli::ParseOptions(Args, cli::LocaleEnvironment(), Options, Error)) {
    std::fprintf(stderr, "%s\n%s", Error.c_str(), cli::UsageText);
    return 2;
  }
  if (Options.Help) {
    std::fputs(cli::UsageText, stdout);
    return 0;
  }
  if (Options.Version) {
    WriteLine(cli::VersionText);
    return 0;
  }

#ifdef _WIN32
  if (WindowsLocale) {
    Options.Settings.TimeAMString = Windows.TimeAMString;
    Options.Settings.TimePMString = Windows.TimePMString;
  }
#endif
  FormatSettings() = Options.Settings;
  TCalcParser Parser{BuiltinFunctions()};
  Parser.AngleUnit = static_cast<TAngleUnit>(Options.AngleUnit);
  Parser.OutputFormat = Options.Output;
  Parser.FixedDigits = Options.FixedDigits;
  Parser.ExpDigits = Options.ExpDigits;
  Parser.AutoSyntax = Options.AutoSyntax;
  bool AllOk = true;
  try {
    Parser.SetSyntax(Options.Syntax);
  } catch (const EWindowsOptionsException&) {
    // Reported by the first expression, which retries the table.
  }

  if (!Options.Expressions.empty()) {
    for (const std::string& Expression : Options.Expressions) AllOk = Run(Parser, Expression) && AllOk;
    return AllOk ? 0 : 1;
  }
  const bool Prompt = cli::InputIsTerminal();
  std::string Line;
  while (true) {
    if (Prompt) {
      std::fputs("> ", stdout);
      std::fflush(stdout);
    }
    if (!std::getline(std::cin, Line)) break;
    StripLineEnd(Line);
    if (IsBlank(Line)) continue;
    AllOk = Run(Parser, Line) && AllOk;
  }
  return AllOk ? 0 : 1;
}
