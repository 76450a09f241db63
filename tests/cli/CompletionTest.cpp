#include "cli/Completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/Cp1251.h"

namespace talvex::cli {
namespace {

std::string Joined(const std::vector<std::string>& Words) {
  std::string Out;
  for (const std::string& Word : Words) Out += (Out.empty() ? "" : " ") + Word;
  return Out;
}

TEST(Completion, NamesInTheSpellingTyped) {
  TVariableList Variables;
  TCalcValue One;
  SetInteger(One, 1);
  std::string Cyrillic;
  std::size_t Offset = 0;
  ASSERT_TRUE(Utf8ToCp1251("ПРИВЕТ", Cyrillic, Offset));
  for (const std::string& Name : {std::string("PI"), std::string("MYVAR"), std::string("ANS"), Cyrillic})
    SetVariable(Variables, Name, One);
  const struct {
    const char* Beginning;
    const char* Expected;
  } Cases[] = {
      {"sq", "sqr( sqrt("},
      {"SQ", "SQR( SQRT("},
      {"sqrt", "sqrt("},
      {"Deg", "Degrees( DegToDMS( DegToGrad( DegToRad("},
      {"degtor", "degtorad("},
      {"dEGtOr", "DegToRad("},
      {"no", "norm( now"},  // a function without arguments takes no bracket
      {"my", "myvar"},
      {"a", "abs( ans arccos( arccosec( arccosh( arcsec( arcsin( arcsinh( arctan( arctanh( avg("},
      {"qu", "quit"},
      {"ex", "exit exp("},
      {"p", "paymt( pi pos( ppaymt( pval("},
      {"при", "привет"},
      {"x", ""},
      {"\xff", ""},  // no UTF-8
  };
  for (const auto& C : Cases)
    EXPECT_EQ(Joined(Completions(BuiltinFunctions(), Variables, C.Beginning)), C.Expected) << C.Beginning;
}

TEST(Completion, SharedBeginningKeepsWholeCharacters) {
  const struct {
    std::vector<std::string> Words;
    const char* Shared;
  } Cases[] = {
      {{"sqr(", "sqrt("}, "sqr"},
      {{"SQR(", "sqr("}, "SQR("},
      {{"привет", "прима"}, "при"},
      {{"пра", "прб"}, "пр"},  // а and б differ in their second byte
      {{"abs(", "ans"}, "a"},
      {{}, ""},
  };
  for (const auto& C : Cases) EXPECT_EQ(SharedBeginning(C.Words), C.Shared) << C.Shared;
}

}  // namespace
}  // namespace talvex::cli
