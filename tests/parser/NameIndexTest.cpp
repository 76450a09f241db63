// The hashed name lookup must find what a walk from the first entry finds:
// any case (Latin and Cyrillic), the first registered of a name and kind,
// user functions ahead of the rebuilt table, variables as they are added.
#include <memory>
#include <string>

#include "ParserLib/Cp1251.h"
#include "parser/NameIndex.h"
#include "parser/Operators.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::ToCp;

TALVEX_PROC(ProcUserTwice) { SetInteger(Result, 2 * AsInteger(Args[0])); }

// The first descriptor of the name and kind, found the slow way.
int Walk(const TMathParser& Parser, std::string_view Name, TOperatorKind Kind) {
  for (std::size_t I = 0; I < Parser.Operators.size(); ++I) {
    const TOperator& Op = *Parser.Operators[I];
    if ((Kind == okAny || Op.OpKind == Kind) && SameTextCp1251(Op.UpperName, Name)) return static_cast<int>(I);
  }
  return -1;
}

class NameIndex : public testing::EngineTest {};

TEST(FoldTable, IsTheCodePageUpperCasing) {
  for (int B = 0; B < 256; ++B)
    EXPECT_EQ(FoldCp1251(static_cast<char>(B)), UpperCp1251(static_cast<unsigned char>(B))) << B;
}

TEST_F(NameIndex, FindsWhatTheWalkFinds) {
  Calc("1");  // builds the table
  const std::string Names[] = {"+",   "-",    "*",    "/",   "^",     "=",    "<>",   "<=",   "and",  "AND",
                               "Or",  "div",  "sin",  "SIN", "Sin",   "sqrt", "Sqr",  "now",  "NOW",  "sum",
                               "x",   "",     "abs1", "<",   "round", "Mod",  "shl",  "not",  "NOT",  "log10"};
  for (const std::string& Name : Names)
    for (TOperatorKind Kind : {okPrefix, okBinary, okFunction, okConstFunction, okAny})
      EXPECT_EQ(Parser.IndexOfOperator(Name, Kind), Walk(Parser, Name, Kind)) << Name << " " << int(Kind);
  // "+" is registered as binary before prefix: any kind finds the binary one.
  EXPECT_EQ(Parser.Operators[static_cast<std::size_t>(Parser.IndexOfOperator("+", okAny))]->OpKind, okBinary);
}

TEST_F(NameIndex, UserFunctionsStayFirstAcrossRebuilds) {
  Calc("1");
  const std::string Greeting = ToCp("Привет");
  Parser.AddOperator(std::make_unique<TUserFunction>(&Parser, "sin", 1, ProcUserTwice));
  Parser.AddOperator(std::make_unique<TUserFunction>(&Parser, Greeting, 1, ProcUserTwice));
  // Appended last: the built-in sin still wins, the new name is found in any case.
  EXPECT_EQ(Parser.IndexOfOperator("SIN", okFunction), Walk(Parser, "SIN", okFunction));
  EXPECT_FALSE(Parser.Operators[static_cast<std::size_t>(Parser.IndexOfOperator("SIN", okFunction))]->IsUserFunction());
  EXPECT_EQ(Parser.IndexOfOperator(ToCp("пРИВЕТ"), okFunction), Walk(Parser, Greeting, okFunction));
  EXPECT_EQ(testing::Answer(Parser, "привет(21)"), "42");
  EXPECT_NE(testing::Answer(Parser, "sin(4)"), "8");  // the built-in, remembered by the plain pass
  // A rebuild keeps the user functions in front of everything else.
  Parser.SetSyntax(smC);
  Parser.SetSyntax(smDefault);
  EXPECT_TRUE(Parser.Operators[0]->IsUserFunction());
  const int Sin = Parser.IndexOfOperator("sin", okFunction);
  EXPECT_EQ(Sin, Walk(Parser, "sin", okFunction));
  EXPECT_TRUE(Parser.Operators[static_cast<std::size_t>(Sin)]->IsUserFunction());
  EXPECT_EQ(testing::Answer(Parser, "SIN(4)"), "8");
  EXPECT_EQ(testing::Answer(Parser, "sin(4)"), "8");
  EXPECT_EQ(testing::Answer(Parser, "ПРИВЕТ(1)+1"), "3");
}

TEST_F(NameIndex, VariablesAsTheyAreAdded) {
  for (int I = 0; I < 500; ++I) {
    const std::string N = std::to_string(I);
    std::string Assignment = "v";
    Assignment += N;
    Assignment += " := ";
    Assignment += N;
    Calc(Assignment);
  }
  EXPECT_EQ(Calc("V0 + v499 + V250"), "749");
  Calc("елка := 7");
  EXPECT_EQ(Calc("ЕЛКА*2"), "14");
  EXPECT_EQ(IndexOfVariable(Parser.Variables, "pi"), 2);
  // Ё starts no name in expressions, but the list folds it like any letter.
  TCalcValue V;
  SetInteger(V, 1);
  SetVariable(Parser.Variables, ToCp("ёж"), V);
  EXPECT_EQ(IndexOfVariable(Parser.Variables, ToCp("ЁЖ")), static_cast<int>(Parser.Variables.size()) - 1);
  EXPECT_EQ(IndexOfVariable(Parser.Variables, "v5000"), -1);
  // Assigning again replaces the value and adds nothing.
  const std::size_t Count = Parser.Variables.size();
  Calc("V7 := 70");
  EXPECT_EQ(Parser.Variables.size(), Count);
  EXPECT_EQ(Calc("v7"), "70");
}

}  // namespace
}  // namespace talvex
