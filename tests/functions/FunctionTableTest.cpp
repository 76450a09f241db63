#include <string>

#include "ParserLib/Cp1251.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;

struct TRow {
  const char* Name;
  int ArgCount;
};

// The function rows in their registration order, which is also the order in
// which names are searched.
constexpr TRow Rows[] = {
    {"ClearCell", 1}, {"ClearCells", 2}, {"CellIsEmpty", 1}, {"DefineVar", 2}, {"DeleteVar", 1},
    {"abs", 1}, {"SQR", 1}, {"SQRT", 1}, {"round", 2}, {"trunc", 1}, {"sin", 1}, {"sinh", 1},
    {"arcsin", 1}, {"arcsinh", 1}, {"cos", 1}, {"cosh", 1}, {"arccos", 1}, {"arccosh", 1},
    {"tan", 1}, {"tanh", 1}, {"arctan", 1}, {"arctanh", 1}, {"cosec", 1}, {"arcsec", 1},
    {"arccosec", 1}, {"sec", 1}, {"ln", 1}, {"log10", 1}, {"log2", 1}, {"log", 2}, {"exp", 1},
    {"hypot", 2}, {"fact", 1}, {"DegToGrad", 1}, {"DegToRad", 1}, {"GradToRad", 1},
    {"GradToDeg", 1}, {"RadToDeg", 1}, {"RadToGrad", 1}, {"sum", -1}, {"sumsq", -1}, {"avg", -1},
    {"norm", -1}, {"min", -1}, {"max", -1}, {"std", -1}, {"stdp", -1}, {"varp", -1}, {"vars", -1},
    {"vart", -1}, {"count", -1}, {"mediana", -1}, {"SecToTime", 1}, {"TimeToSec", 1},
    {"DayOfWeek", 1}, {"Day", 1}, {"Mon", 1}, {"Year", 1}, {"Now", 0}, {"EncodeDate", 3},
    {"EncodeTime", 3}, {"Hours", 1}, {"Minutes", 1}, {"Seconds", 1}, {"Random", 1},
    {"IsLeapYear", 1}, {"DMSToDeg", 1}, {"DegToDMS", 1}, {"Chr", 1}, {"Ord", 1}, {"Len", 1},
    {"Lenght", 1}, {"Pos", 2}, {"String", 1}, {"Integer", 1}, {"Real", 1}, {"Boolean", 1},
    {"Degrees", 1}, {"Time", 1}, {"Date", 1}, {"Int", 1}, {"Frac", 1}, {"Odd", 1}, {"Sign", 1},
    {"FVal", 5}, {"IPaymt", 6}, {"IRate", 5}, {"DDB", 4}, {"NPer", 5}, {"IRR", -1}, {"NPV", -1},
    {"Paymt", 5}, {"PPaymt", 6}, {"PVAL", 5}, {"SLN", 3}, {"SYD", 4},
};

std::string LowerCase(std::string_view Text) {
  std::string Out(Text);
  for (char& C : Out)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Out;
}

class FunctionTable : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Parser.InitOperators();
  }
};

TEST_F(FunctionTable, EveryRowInOrderAfterTheOperators) {
  ASSERT_GE(Parser.Operators.size(), std::size(Rows));
  const std::size_t First = Parser.Operators.size() - std::size(Rows);
  for (std::size_t I = 0; I < First; ++I)
    EXPECT_NE(Parser.Operators[I]->OpKind, okFunction) << Parser.Operators[I]->Name;
  for (std::size_t I = 0; I < std::size(Rows); ++I) {
    const auto* Function = dynamic_cast<const TFunction*>(Parser.Operators[First + I].get());
    ASSERT_NE(Function, nullptr) << Rows[I].Name;
    EXPECT_EQ(Function->Name, Rows[I].Name);
    EXPECT_EQ(Function->ArgCount, Rows[I].ArgCount) << Rows[I].Name;
    EXPECT_EQ(Function->OpKind, Rows[I].ArgCount == 0 ? okConstFunction : okFunction) << Rows[I].Name;
    EXPECT_EQ(Function->Priority, 4) << Rows[I].Name;
  }
}

TEST_F(FunctionTable, NamesMatchInAnyLetterCase) {
  const std::size_t First = Parser.Operators.size() - std::size(Rows);
  for (std::size_t I = 0; I < std::size(Rows); ++I) {
    const std::string Name = Rows[I].Name;
    for (const std::string& Spelling : {Name, UpperCase(Name), LowerCase(Name)})
      EXPECT_EQ(Parser.IndexOfOperator(Spelling, okAny), static_cast<int>(First + I)) << Spelling;
  }
}

TEST_F(FunctionTable, SharedProcedures) {
  const auto Proc = [&](const char* Name) {
    return Parser.Operators[static_cast<std::size_t>(Parser.IndexOfOperator(Name, okFunction))]->Proc;
  };
  EXPECT_EQ(Proc("Len"), Proc("Lenght"));
  EXPECT_EQ(Proc("trunc"), Proc("Int"));
  ExpectAnswers(Parser, {
      {"LEN(\"abc\")", "3"},
      {"Lenght(\"abc\")", "3"},
      {"trunc(-2.7)", "-2"},
      {"INT(-2.7)", "-2"},
  });
}

// A fixed count is enforced while the call is read; a variadic function takes
// one argument or more.
TEST_F(FunctionTable, ArgumentCounts) {
  ExpectAnswers(Parser, {
      {"sin(1; 2)", "error: Позиция 6:  \")\" отсутствует"},
      {"log(2)", "error: Позиция 6:  \";\" отсутствует"},
      {"Pos(\"a\")", "error: Позиция 8:  \";\" отсутствует"},
      {"sum(5)", "5"},
      {"count(1; 2.5; 3)", "3"},
      {"Count(\"a\"; TRUE; NULL; 1D)", "4"},
  });
}

}  // namespace
}  // namespace talvex
