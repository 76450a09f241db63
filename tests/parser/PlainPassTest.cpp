// The one pass over plain expressions must give exactly what the general
// evaluation gives: the same parser answers every text both ways (the pass
// switched on and off), and the answer texts and messages must be equal.
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "TypicalSelections.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::Answer;

class PlainPass : public testing::EngineTest {
 protected:
  // The answer with the pass; the answer without it must be the same.
  std::string BothWays(const std::string& Text) {
    Parser.UsePlainPass = true;
    const std::string Plain = Answer(Parser, Text);
    Parser.UsePlainPass = false;
    EXPECT_EQ(Plain, Answer(Parser, Text)) << Text;
    Parser.UsePlainPass = true;
    return Plain;
  }
  // Variables and cells of every kind an operand may name.
  void DefineNames() {
    for (const char* Assignment : {"x := 3", "y := 0.25", "big := 1E4000", "top := 922337203685477580*10+7",
                                   "bottom := -(922337203685477580*10+7)", "third := 1/3", "pct := 50%",
                                   "word := \"7\""})
      EXPECT_EQ(Calc(Assignment), "") << Assignment;
    SetInteger(Parser.Cells[1], 5);
    SetFraction(Parser.Cells[2], 2, 3);
  }
};

// Random expressions over numbers, names, cells, percentages, fractions, the
// five operators, prefix signs, brackets and calls of every function the
// table marks as computing.
class TGenerator {
 public:
  explicit TGenerator(uint32_t Seed) : Random(Seed) {
    for (const TFunctionRow& Row : BuiltinFunctions())
      if (Row.Computing) Computing.push_back(&Row);
  }

  std::string Expression(int Depth) {
    std::string Text;
    const int Terms = 1 + static_cast<int>(Next(Depth == 0 ? 6 : 3));
    for (int I = 0; I < Terms; ++I) {
      if (I > 0) Text += Pick({"+", "-", "*", "/", "^", " + ", "*-", " / ", "- -"});
      Text += Operand(Depth);
    }
    return Text;
  }

 private:
  std::string Operand(int Depth) {
    std::string Signs = Next(6) == 0 ? Pick({"-", "+", "--", "- ", "+-"}) : "";
    switch (Next(Depth < 3 ? 12 : 8)) {
      case 0:
      case 1: return Signs + Pick({"0", "1", "2", "7", "12", "255", "999999999999999999", "1234567890123456789"});
      case 2:
      case 3: return Signs + Pick({"0.5", "2.25", "3.", ".5", "0.001", "1.10", "123456789.123456789", "1E300"});
      case 4: return Signs + Pick({"x", "Y", "big", "top", "bottom", "third", "PI", "M1", "m2"});
      // Names, cells and literals the pass leaves to the general evaluation.
      case 5: return Signs + Pick({"pct", "word", "TRUE", "zz", "M3", "M100", "10%", "50%", "(1/3)", "7/2", "1/0"});
      case 6:
      case 7: return Signs + Pick({"3", "4", "10", "0.75", "1.5"});
      case 8:
      case 9:
      case 10: return Signs + Call(Depth);
      default: return Signs + "(" + Expression(Depth + 1) + ")";
    }
  }

  std::string Call(int Depth) {
    const TFunctionRow& F = *Computing[Next(Computing.size())];
    const int Count = F.ArgCount >= 0 ? F.ArgCount : 1 + static_cast<int>(Next(4));
    std::string Text = Next(3) == 0 ? UpperCase(F.Name) : F.Name;
    Text += '(';
    for (int I = 0; I < Count; ++I) {
      if (I > 0) Text += Pick({";", "; "});
      Text += Expression(Depth + 1);
    }
    return Text + ")";
  }

  std::string Pick(std::initializer_list<const char*> Items) { return Items.begin()[Next(Items.size())]; }
  // The generator's own numbers: mt19937 is the same on every platform.
  std::size_t Next(std::size_t Bound) { return Random() % Bound; }

  std::mt19937 Random;
  std::vector<const TFunctionRow*> Computing;
};

TEST_F(PlainPass, SameAnswerBothWaysOnGeneratedExpressions) {
  DefineNames();
  TGenerator Generator(7);
  for (TAngleUnit Unit : {auDegrees, auRadians, auGrads}) {
    Parser.AngleUnit = Unit;
    const uint64_t Before = Parser.PlainEvaluations;
    for (int Case = 0; Case < 1500; ++Case) BothWays(Generator.Expression(0));
    // A good part of them is plain, so the comparison is not idle.
    EXPECT_GT(Parser.PlainEvaluations - Before, 400u);
  }
}

// Every function the table marks as computing is called by the pass itself.
TEST_F(PlainPass, TakesEveryComputingFunction) {
  for (const TFunctionRow& Row : BuiltinFunctions()) {
    if (!Row.Computing) continue;
    bool Taken = false;
    for (const char* Argument : {"0.5", "2"}) {
      std::string Text = std::string(Row.Name) + "(" + Argument;
      for (int I = 1; I < (Row.ArgCount < 0 ? 3 : Row.ArgCount); ++I) Text += std::string(";") + Argument;
      Text += ")";
      const uint64_t Before = Parser.PlainEvaluations;
      BothWays(Text);
      Taken = Taken || Parser.PlainEvaluations == Before + 1;
    }
    EXPECT_TRUE(Taken) << Row.Name;
  }
}

// The selections the benchmark times are the ones the pass is for.
TEST_F(PlainPass, TakesTheTypicalSelectionsOfTheBenchmark) {
  Parser.UsePlainPass = true;
  std::istringstream Lines(TypicalSelectionsText);
  int Count = 0;
  for (std::string Line; std::getline(Lines, Line);) {
    if (Line.empty() || Line[0] == '#') continue;
    std::string Text = Line.substr(0, Line.find('|'));
    while (!Text.empty() && Text.back() == ' ') Text.pop_back();
    const uint64_t Before = Parser.PlainEvaluations;
    EXPECT_NE(Calc(Text).substr(0, 6), "error:") << Text;
    EXPECT_EQ(Parser.PlainEvaluations, Before + 1) << Text;
    ++Count;
  }
  EXPECT_GT(Count, 20);
}

TEST_F(PlainPass, BoundariesOfTheTokenForms) {
  DefineNames();
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
           "2^64", "0^5", "5^0", "10^18", "10^19", "2^-1", "(2^31)^2", "-2^2", " 1 + 2 ", "\r\n1\n+\r2", "PI", "TRUE+1",
           "-top", "-bottom", "-(top)", "--bottom", "big*big", "big*10", "-big*big", "big+big", "big^2", "big/0.1",
           "third*3", "M2*3", "pct*2", "2^-16384*2^16383*2", "2^16384", "0.5^-16384"}) {
    BothWays(Text);
  }
}

// Around the deepest nesting the loop allows: brackets, prefix signs, and
// operands read again one level deeper because a tighter operator follows.
TEST_F(PlainPass, NestingLimits) {
  const auto Repeat = [](std::string_view Part, int N) {
    std::string Text;
    for (int I = 0; I < N; ++I) Text += Part;
    return Text;
  };
  for (int N : {60, 83, 84, 85, 120, 124, 125, 126, 127, 128, 130, 200}) {
    BothWays(Repeat("(", N) + "1" + Repeat(")", N));
    BothWays("1+" + Repeat("(", N) + "2" + Repeat(")", N) + "^2");
    BothWays("1+" + Repeat("(1+", N) + "1" + Repeat(")^2", N));
    BothWays("1+2*" + Repeat("-(", N) + "3" + Repeat(")", N) + "^2");
    BothWays(Repeat("sqrt(", N) + "4" + Repeat(")", N));
  }
  for (int N : {60, 120, 250, 252, 253, 254, 255, 256, 257, 300}) {
    BothWays(Repeat("-", N) + "2");
    BothWays("1+" + Repeat("-", N) + "2^2");
    BothWays("1+2*" + Repeat("-", N) + "2^2");
  }
  BothWays("1" + Repeat("+1", 400));  // more than 256 tokens
  BothWays("sum(1" + Repeat(";2", 300) + ")");
}

TEST_F(PlainPass, OtherLocalesAndSeparators) {
  for (char Decimal : {',', '.', '#', '*', '/'}) {
    TFormatSettings S = testing::TestSettings();
    S.DecimalSeparator = Decimal;
    S.ListSeparator = ';';
    Use(S);
    for (const char* Text : {"1,5+2", "1.5+2", "2#5*2", "6/3", "2*3", "round(1,25;1)", "1;2"}) BothWays(Text);
  }
}

}  // namespace
}  // namespace talvex
