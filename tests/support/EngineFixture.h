// A parser with fixed locale settings, and helpers that speak UTF-8 so test
// tables stay readable while the engine works in code page 1251.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/FormatSettings.h"
#include "parser/CalcParser.h"

namespace talvex::testing {

inline std::string ToCp(std::string_view Utf8) {
  std::string Out;
  std::size_t Offset = 0;
  EXPECT_TRUE(Utf8ToCp1251(Utf8, Out, Offset)) << Utf8;
  return Out;
}

inline std::string ToUtf8(std::string_view Cp) { return Cp1251ToUtf8(Cp); }

// The answer text of Calculate, or the exception's message after "error: ".
inline std::string Answer(TCalcParser& Parser, std::string_view Utf8Expression) {
  try {
    return ToUtf8(Calculate(Parser, ToCp(Utf8Expression)));
  } catch (const Exception& E) {
    return "error: " + ToUtf8(E.Message());
  }
}

// Point for decimals, ";" between arguments, "`" between digit groups, and
// dd.MM.yyyy H:mm:ss: the settings most of the engine's tables are written in.
inline TFormatSettings TestSettings() {
  TFormatSettings S = RussianFormatSettings();
  S.DecimalSeparator = '.';
  return S;
}

// TALVEX_GENERAL_ONLY=1 runs the suites with the one pass over plain
// expressions switched off: every answer must stay the same.
inline bool GeneralOnly() {
  const char* Value = std::getenv("TALVEX_GENERAL_ONLY");
  return Value && *Value == '1';
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Saved = FormatSettings();
    FormatSettings() = TestSettings();
    Parser.AngleUnit = auRadians;
    Parser.UsePlainPass = !GeneralOnly();
  }
  void TearDown() override { FormatSettings() = Saved; }

  void Use(const TFormatSettings& Settings) {
    FormatSettings() = Settings;
    Parser.Operators.clear();  // rebuild the classes with the new separators
  }

  std::string Calc(std::string_view Utf8Expression) { return Answer(Parser, Utf8Expression); }

  TFormatSettings Saved;
  TCalcParser Parser{BuiltinFunctions()};
};

struct TCase {
  const char* Expression;
  const char* Expected;
};

// Runs a table through one parser (so assignments carry from row to row).
inline void ExpectAnswers(TCalcParser& Parser, std::initializer_list<TCase> Cases) {
  for (const TCase& C : Cases) EXPECT_EQ(Answer(Parser, C.Expression), C.Expected) << C.Expression;
}

}  // namespace talvex::testing

namespace talvex::testing {

inline const char* KindName(TValueKind Kind) {
  static const char* const Names[] = {"none", "boolean", "integer", "real", "string", "time",
                                      "date", "datetime", "degrees", "fraction", "percent", "null"};
  return Kind <= vkNull ? Names[Kind] : "?";
}

// "kind text" of the value an expression evaluates to, or "error: message".
inline std::string KindAndText(TCalcParser& Parser, std::string_view Utf8Expression) {
  try {
    TCalcValue Result;
    Parser.Evaluate(ToCp(Utf8Expression), Result);
    std::string Text = Result.Kind == vkNone ? "" : ToUtf8(AsString(Result, true));
    return std::string(KindName(Result.Kind)) + " " + Text;
  } catch (const Exception& E) {
    return "error: " + ToUtf8(E.Message());
  }
}

inline void ExpectKinds(TCalcParser& Parser, std::initializer_list<TCase> Cases) {
  for (const TCase& C : Cases) EXPECT_EQ(KindAndText(Parser, C.Expression), C.Expected) << C.Expression;
}

}  // namespace talvex::testing
