// The command line of talvex-calc.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ParserLib/FormatSettings.h"
#include "cli/ToolMessages.h"
#include "edge/Language.h"
#include "parser/MathParser.h"

namespace talvex::cli {

// The argument that stands for standard input among the expressions.
inline constexpr std::string_view StandardInputArgument = "-";

struct TOptions {
  std::string Locale;  // --locale; empty: the system's
  std::optional<TLanguage> Messages;  // --messages
  // Separator and picture options (name without "--", value as UTF-8), applied
  // over the locale whatever their order.
  std::vector<std::pair<std::string, std::string>> Separators;
  TAngleUnit AngleUnit = auRadians;  // as in the program
  TSyntaxMode Syntax = smDefault;
  TOutputFormat Output = ofDefault;
  int FixedDigits = 2;
  int ExpDigits = 2;
  bool AutoSyntax = false;
  bool Help = false;
  bool Version = false;
  std::vector<std::string> Expressions;  // UTF-8; "-" reads standard input there
};

// Arguments are UTF-8. False with Error for the first bad option; the rest
// are read all the same, so a later --messages chooses the language of Error.
bool ParseOptions(const std::vector<std::string>& Args, TOptions& Options, TToolMessage& Error);

// The separator and picture options applied over Settings. The list separator
// follows a changed decimal symbol by the Windows rule unless given too, and
// a digit-group mark that now clashes becomes the backquote unless given.
bool ApplySeparators(const TOptions& Options, TFormatSettings& Settings, TToolMessage& Error);

extern const char* const UsageText;
extern const char* const VersionText;

}  // namespace talvex::cli
