#include <string>

#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class Statistics : public EngineTest {};

TEST_F(Statistics, SingleArgumentLists) {
  ExpectKinds(Parser, {
      {"sum(5)", "integer 5"},
      {"sumsq(5)", "integer 25"},
      {"avg(5)", "integer 5"},
      {"norm(-5)", "integer 5"},
      {"min(5)", "integer 5"},
      {"max(5)", "integer 5"},
      {"vart(5)", "integer 0"},
      {"varp(5)", "integer 0"},
      {"stdp(5)", "integer 0"},
      {"count(5)", "integer 1"},
      {"mediana(7)", "integer 7"},
  });
}

// std and vars check their count before reading any argument, and name
// themselves with fixed words; a variadic call's errors stand at its name.
TEST_F(Statistics, MinimumCounts) {
  ExpectAnswers(Parser, {
      {"std(5)", "error: Позиция 1:  Недостаточно аргументов в функции STD"},
      {"Std(\"x\")", "error: Позиция 1:  Недостаточно аргументов в функции STD"},
      {"vars(5)", "error: Позиция 1:  Недостаточно аргументов в функции VarS"},
      {"VARS(TRUE)", "error: Позиция 1:  Недостаточно аргументов в функции VarS"},
      {"1 + std(5)", "error: Позиция 5:  Недостаточно аргументов в функции STD"},
      {"std(1; 3)", "1.414213562373"},
      {"vars(1; 3)", "2"},
  });
}

TEST_F(Statistics, Formulas) {
  ExpectKinds(Parser, {
      {"sum(1; 2; 3.5)", "real 6.5"},
      {"sumsq(1; 2; 3)", "integer 14"},
      {"avg(2; 4; 9)", "integer 5"},
      {"avg(1; 2)", "real 1.5"},
      {"norm(3; 4)", "integer 5"},
      {"std(2; 4; 4; 4; 5; 5; 7; 9)", "real 2.138089935299"},
      {"std(2; 4; 4; 4; 5; 5; 7; 9) - SQRT(32/7)", "integer 0"},
      {"stdp(2; 4; 4; 4; 5; 5; 7; 9)", "integer 2"},
      {"varp(2; 4; 4; 4; 5; 5; 7; 9)", "integer 4"},
      {"vars(2; 4; 4; 4; 5; 5; 7; 9)", "real 4.571428571429"},
      {"vart(2; 4; 4; 4; 5; 5; 7; 9)", "integer 32"},
      {"vart(1; 2; 3; 4)", "integer 5"},
      {"count(1; 2.5; 3)", "integer 3"},
      {"count(\"a\"; \"b\"; \"c\")", "integer 3"},
      {"count(TRUE; NULL; 1D; 12:00)", "integer 4"},
  });
}

// Every argument is seen as a double first; the sums are then formed wide
// enough that cancellation does not eat the result.
TEST_F(Statistics, DoubleRoundedInputsAndWideSums) {
  ExpectKinds(Parser, {
      {"(sum(0.1; 0.2) - 0.3) * 1E20", "real 1664.250334765"},
      {"(sum(1/3; 1/3; 1/3) - 1) * 1E20", "real -5551.115123126"},
      {"sum(1E20; 1; -1E20)", "integer 1"},
      {"avg(1E20; 1; -1E20)", "real 0.3333333333333"},
      {"vart(1E10+1; 1E10+2; 1E10+3)", "integer 2"},
      {"vars(1E10+1; 1E10+2; 1E10+3)", "integer 1"},
      {"std(1E15+1; 1E15+3)", "real 1.414213562373"},
      {"std(0.1; 0.1; 0.1)", "integer 0"},
      {"stdp(1E300; 1E300)", "integer 0"},
      {"vart(-0.7; -0.7; -0.7; -0.7)", "integer 0"},
      {"sum(1E308; 1E308)", "real 2E308"},
      {"sumsq(1E200; 1E200)", "real 2E400"},
      {"sum(1E-320; 1E-320)", "real 0"},
  });
}

TEST_F(Statistics, MinMaxAndMedian) {
  ExpectKinds(Parser, {
      {"min(3; 1; 1)", "integer 1"},
      {"max(-1; -1)", "integer -1"},
      {"min(2; -0.5; 7)", "real -0.5"},
      {"max(2; -0.5; 7.25)", "real 7.25"},
      {"(min(0.1) - 0.1) * 1E20", "real 554.975987041"},
      {"mediana(1; 2)", "real 1.5"},
      {"mediana(1; 2; 3)", "integer 2"},
      {"mediana(3; 1; 2)", "integer 2"},
      {"mediana(4; 1; 3; 2)", "real 2.5"},
      {"mediana(1; 5; 2; 4)", "integer 3"},
      {"mediana(-1; 9; -7; 3; 0)", "integer 0"},
      {"mediana(2.5; 2.5; 1)", "real 2.5"},
  });
}

TEST_F(Statistics, KindsAndOverflow) {
  ExpectAnswers(Parser, {
      {"sum(1; \"2\")", "error: Позиция 1:  Строковый тип неприменим"},
      {"avg(1; TRUE)", "error: Позиция 1:  Логический тип неприменим"},
      {"max(1D; \"x\")", "error: Позиция 1:  Константа времени не применима"},
      {"mediana(5%)", "error: Позиция 1:  Проценты не применимы"},
      {"min(NULL)", "error: Позиция 1:  Пустое значение!"},
      {"sum(1E309)", "error: Позиция 1:  Недопустимый аргумент в функции \"sum\""},
      {"std(1; -1E4000)", "error: Позиция 1:  Недопустимый аргумент в функции \"std\""},
  });
}

// A hundred huge arguments: the result or the error, at once.
TEST_F(Statistics, LongListsOfHugeNumbers) {
  std::string Sum = "sum(", Finite = "sumsq(";
  for (int I = 0; I < 100; ++I) {
    Sum += I == 0 ? "1E4000" : "; 1E4000";
    Finite += I == 0 ? "1E300" : "; 1E300";
  }
  Sum += ")";
  Finite += ")";
  ExpectAnswers(Parser, {
      {Sum.c_str(), "error: Позиция 1:  Недопустимый аргумент в функции \"sum\""},
      {Finite.c_str(), "1E602"},
  });
}

}  // namespace
}  // namespace talvex
