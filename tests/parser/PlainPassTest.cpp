// The token loop for plain expressions must give exactly what the general
// evaluation gives. The Pascal syntax reads these texts (no quotes, angles or
// times in them) the same way but never takes the token loop, so the two
// parsers are compared on random texts and on the boundaries where the loop
// hands over.
#include <random>
#include <string>

#include "parser/CalcParser.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::Answer;

class PlainEvaluation : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    General.SetSyntax(smPascal);
    General.AngleUnit = 1;
  }
  void Define(const char* Name, std::string_view Expression) {
    Calc(std::string(Name) + " := " + std::string(Expression));
    Answer(General, std::string(Name) + " := " + std::string(Expression));
  }
  void ExpectSame(const std::string& Text) { EXPECT_EQ(Calc(Text), Answer(General, Text)) << Text; }

  TCalcParser General{BuiltinFunctions()};
};

// Numbers, names, the five operators, prefix signs, brackets, calls.
std::string RandomExpression(std::mt19937& Random, int Depth) {
  const auto Pick = [&](std::initializer_list<const char*> Items) {
    return std::string(Items.begin()[Random() % Items.size()]);
  };
  std::string Text;
  const int Terms = 1 + static_cast<int>(Random() % (Depth == 0 ? 6 : 3));
  for (int I = 0; I < Terms; ++I) {
    if (I > 0) Text += Pick({"+", "-", "*", "/", "^", " + ", "*-", " / "});
    switch (Random() % 9) {
      case 0: Text += Pick({"-", "+", "--", "- "}); [[fallthrough]];
      case 1:
      case 2: Text += Pick({"0", "1", "2", "7", "12", "255", "1000", "999999999999999999", "1234567890123456789"}); break;
      case 3: Text += Pick({"0.5", "2.25", "3.", ".5", "0.001", "1.10", "2.0", "123456789.123456789", "0.1"}); break;
      case 4: Text += Pick({"x", "Y", "PI", "M1", "TRUE", "zz"}); break;
      case 5:
        if (Depth < 3) {
          Text += '(';
          Text += RandomExpression(Random, Depth + 1);
          Text += ')';
          break;
        }
        [[fallthrough]];
      case 6:
        if (Depth < 3) {
          const std::string Function = Pick({"sqrt(", "abs(", "SQR(", "trunc(", "round("});
          Text += Function + RandomExpression(Random, Depth + 1);
          if (Function == "round(") Text += ";1";
          Text += ")";
          break;
        }
        [[fallthrough]];
      default: Text += Pick({"3", "4", "10", "0.75", "1.5"}); break;
    }
  }
  return Text;
}

TEST_F(PlainEvaluation, AgreesWithTheGeneralEvaluationOnRandomTexts) {
  Define("x", "3");
  Define("y", "0.25");
  Parser.Cells[1] = {};
  SetInteger(Parser.Cells[1], 5);
  SetInteger(General.Cells[1], 5);
  std::mt19937 Random(7);
  for (int Case = 0; Case < 3000; ++Case) ExpectSame(RandomExpression(Random, 0));
}

TEST_F(PlainEvaluation, BoundariesOfTheTokenForms) {
  for (const char* Text : {
           "999999999999999999+1", "9999999999999999999+1", "1234567890123456789.5", "12345678901234567890",
           "0.0000000000000000001", "1.00000000000000000001", "2.0*3", "10.50", "007", "00.5", "5.", ".5",
           "1.2.3", "1..2", "5%", "5%+1", "2E3", "1`000", "(1", "1)", ")", "()", "1 2",
           "2(3)", "-", "--5", "+-5", "*5", "5*", "1;2", "sqrt(1;2)", "round(2.5)", "round(2.55;1;2)", "sqrt()",
           "sqrt 4", "IF(1<2;3;4)", "x:=2", "x := 2+3", "M0", "M1", "M100", "qq", "ab(1)", "1/0",
           "0/0", "1/(2-2)", "2^0.5", "(-8)^(1/3)", "1E4000*1", "9223372036854775807*2", "-9223372036854775807-1",
           "sum(1;2;3)", "max(1;2", "1\t+2", "6/-4", "-6/-4", "6/4*2", "7/(2-2)",
           "3/(-922337203685477580*10-8)", "(-922337203685477580*10-8)/-1", "6/(-922337203685477580*10-8)", "0/-5",
           "2^62", "2^63", "(-2)^63", "(-2)^62", "3^39", "3^40", "(-3)^39", "7^22", "1^63", "(-1)^63",
           "2^64", "0^5", "5^0", "10^18", "10^19", "2^-1", "(2^31)^2", "-2^2", " 1 + 2 ", "\r\n1\n+\r2", "PI", "TRUE+1"}) {
    ExpectSame(Text);
  }
}

// Around the deepest nesting the loop allows: brackets, prefix signs, and
// operands read again one level deeper because a tighter operator follows.
TEST_F(PlainEvaluation, NestingLimits) {
  const auto Repeat = [](std::string_view Part, int N) {
    std::string Text;
    for (int I = 0; I < N; ++I) Text += Part;
    return Text;
  };
  for (int N : {60, 83, 84, 85, 120, 124, 125, 126, 127, 128, 130, 200}) {
    ExpectSame(Repeat("(", N) + "1" + Repeat(")", N));
    ExpectSame("1+" + Repeat("(", N) + "2" + Repeat(")", N) + "^2");
    ExpectSame("1+" + Repeat("(1+", N) + "1" + Repeat(")^2", N));
    ExpectSame("1+2*" + Repeat("-(", N) + "3" + Repeat(")", N) + "^2");
    ExpectSame(Repeat("sqrt(", N) + "4" + Repeat(")", N));
  }
  for (int N : {60, 120, 250, 252, 253, 254, 255, 256, 257, 300}) {
    ExpectSame(Repeat("-", N) + "2");
    ExpectSame("1+" + Repeat("-", N) + "2^2");
    ExpectSame("1+2*" + Repeat("-", N) + "2^2");
  }
  ExpectSame("1" + Repeat("+1", 400));  // more than 256 tokens
  ExpectSame("sum(1" + Repeat(";2", 300) + ")");
}

TEST_F(PlainEvaluation, OtherLocalesAndSeparators) {
  for (char Decimal : {',', '.', '#', '*', '/'}) {
    TFormatSettings S = testing::TestSettings();
    S.DecimalSeparator = Decimal;
    S.ListSeparator = ';';
    Use(S);
    General.Operators.clear();
    for (const char* Text : {"1,5+2", "1.5+2", "2#5*2", "6/3", "2*3", "round(1,25;1)", "1;2"}) ExpectSame(Text);
  }
}

}  // namespace
}  // namespace talvex
