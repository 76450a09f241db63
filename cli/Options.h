// The command line of talvex-calc.
#pragma once

#include <string>
#include <vector>

#include "ParserLib/FormatSettings.h"
#include "parser/MathParser.h"

namespace talvex::cli {

struct TOptions {
  TFormatSettings Settings;
  int AngleUnit = 1;  // radians, as in the program
  TSyntaxMode Syntax = smDefault;
  TOutputFormat Output = ofDefault;
  int FixedDigits = 2;
  int ExpDigits = 2;
  bool AutoSyntax = false;
  bool Help = false;
  bool Version = false;
  std::vector<std::string> Expressions;  // UTF-8
};

// Arguments are UTF-8. Environment is the process locale name (LC_ALL, LC_NUMERIC
// or LANG), used when no --locale is given. False with Error set for a bad option.
bool ParseOptions(const std::vector<std::string>& Args, const std::string& Environment,
                  TOptions& Options, std::string& Error);

extern const char* const UsageText;
extern const char* const VersionText;

}  // namespace talvex::cli
