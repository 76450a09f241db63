#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;

class Variables : public EngineTest {};

TEST_F(Variables, PredefinedConstantsAreOrdinaryVariables) {
  ExpectAnswers(Parser, {
      {"PI", "3.14159265359"},
      {"pi * 2", "6.28318530718"},
      {"TRUE", "True"},
      {"false", "False"},
      {"NULL", ""},
      {"PI := 3", ""},
      {"PI", "3"},
  });
}

TEST_F(Variables, AssignmentPersistsAcrossCalculations) {
  ExpectAnswers(Parser, {
      {"x := 7", ""},
      {"x+1", "8"},
      {"X*2", "14"},
      {"x := x + 1", ""},
      {"x", "8"},
      {"икс := 3", ""},
      {"ИКС + 1", "4"},
      {"IF(x > 0; b := 1; b := 2)", ""},
      {"b", "1"},
      {"1 + (y := 4)", "error: Позиция 13:  Пустое значение!"},
      {"y", "4"},
      {"a := 1/0", "error: Позиция 9:  Деление на ноль"},
      {"a", "error: Позиция 1:  Неизвестный идентификатор \"A\" или неправильный формат чисел в выражении"},
      {"s := \"text\"", ""},
      {"s + \"!\"", "\"text!\""},
      {"z :=", "error: Позиция 5:  Неожиданный конец выражения"},
  });
}

TEST_F(Variables, OperandsFollowedByATighterOperatorAreReadTwice) {
  // The precedence loop re-reads such an operand, so its assignment runs twice.
  ExpectAnswers(Parser, {{"n := 0", ""}, {"1 + (n := n + 1) * 0", "error: Позиция 21:  Пустое значение!"}, {"n", "2"}});
}

TEST_F(Variables, MemoryCells) {
  ExpectAnswers(Parser, {
      {"M0", "error: Позиция 1:  Эта ячейка памяти пуста"},
      {"m0", "error: Позиция 1:  Эта ячейка памяти пуста"},
      {"1 + M99", "error: Позиция 5:  Эта ячейка памяти пуста"},
  });
  SetInteger(Parser.Cells[5], 7);
  SetString(Parser.Cells[99], "s");
  ExpectAnswers(Parser, {
      {"M5 * 2", "14"},
      {"m99", "\"s\""},
      {"M100", "error: Позиция 1:  Неизвестный идентификатор \"M100\" или неправильный формат чисел в выражении"},
      {"M05", "error: Позиция 1:  Неизвестный идентификатор \"M05\" или неправильный формат чисел в выражении"},
      // A variable may be called M7, but reading M7 reads the cell.
      {"M7 := 1", ""},
      {"M7", "error: Позиция 1:  Эта ячейка памяти пуста"},
  });
}

TEST(VariableList, SetGetAndIndex) {
  TVariableList List;
  TCalcValue V;
  SetInteger(V, 1);
  SetVariable(List, "abc", V);
  SetInteger(V, 2);
  SetVariable(List, "ABC", V);
  ASSERT_EQ(List.size(), 1u);
  EXPECT_EQ(List[0].Name, "ABC");
  EXPECT_EQ(IndexOfVariable(List, "aBc"), 0);
  EXPECT_EQ(IndexOfVariable(List, "abcd"), -1);
  TCalcValue Out;
  GetVariable(List, "abc", true, Out);
  EXPECT_EQ(Out.Numerator, 2);
  GetVariable(List, "nope", false, Out);
  EXPECT_EQ(Out.Kind, vkNone);
  try {
    GetVariable(List, "nope", true, Out);
    ADD_FAILURE();
  } catch (const EParserException& E) {
    EXPECT_EQ(testing::ToUtf8(E.Message()), "Переменная nope не найдена!");
  }
  SetVariable(List, std::string(300, 'q'), V);
  EXPECT_EQ(List.back().Name, std::string(255, 'Q'));
}

TEST(CellNames, OnlyMFollowedByZeroToNinetyNine) {
  struct Case { const char* Name; int Index; } const Cases[] = {
      {"M0", 0}, {"M9", 9}, {"M10", 10}, {"M99", 99}, {"M", -1}, {"M100", -1},
      {"M00", -1}, {"M07", -1}, {"MA", -1}, {"X1", -1}, {"M-1", -1}};
  for (const auto& C : Cases) EXPECT_EQ(CellIndexOfName(C.Name), C.Index) << C.Name;
}

}  // namespace
}  // namespace talvex
