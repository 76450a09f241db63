#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class TextFunctions : public EngineTest {};

TEST_F(TextFunctions, CharactersAndCodes) {
  ExpectKinds(Parser, {
      {"Chr(65)", "string A"},
      {"Len(Chr(0))", "integer 1"},
      {"Ord(Chr(0))", "integer 0"},
      {"Ord(Chr(255))", "integer 255"},
      {"Chr(192)", "string А"},
      {"Ord(\"я\")", "integer 255"},
      {"Ord(\"A\")", "integer 65"},
      {"Chr(65.0)", "string A"},
  });
  ExpectAnswers(Parser, {
      {"Chr(256)", "error: Позиция 9:  Неправильный код символа"},
      {"Chr(-1)", "error: Позиция 8:  Неправильный код символа"},
      {"Chr(4294967361)", "error: Позиция 16:  Неправильный код символа"},
      {"Chr(65.5)", "error: Позиция 10:  Вещественный тип неприменим"},
      {"Chr(\"A\")", "error: Позиция 9:  Строковый тип неприменим"},
      {"Ord(\"AB\")", "error: Позиция 10:  Ожидался символ"},
      {"Ord(\"\")", "error: Позиция 8:  Недопустимый аргумент в функции \"Ord\""},
      {"ORD(\"\")", "error: Позиция 8:  Недопустимый аргумент в функции \"Ord\""},
      {"Ord(65)", "error: Позиция 8:  Целый тип неприменим"},
  });
}

TEST_F(TextFunctions, LengthAndPosition) {
  ExpectKinds(Parser, {
      {"Len(\"\")", "integer 0"},
      {"LEN(\"abc\")", "integer 3"},
      {"Lenght(\"abc\")", "integer 3"},
      {"lenght(\"abc\" + \"de\")", "integer 5"},
      {"Pos(\"bc\"; \"abcbc\")", "integer 2"},
      {"Pos(\"a\"; \"abc\")", "integer 1"},
      {"Pos(\"c\"; \"abc\")", "integer 3"},
      {"Pos(\"\"; \"abc\")", "integer 0"},
      {"Pos(\"a\"; \"\")", "integer 0"},
      {"Pos(\"\"; \"\")", "integer 0"},
      {"Pos(\"B\"; \"abc\")", "integer 0"},
      {"Pos(\"abcd\"; \"abc\")", "integer 0"},
  });
  ExpectAnswers(Parser, {
      {"Len(5)", "error: Позиция 7:  Целый тип неприменим"},
      {"Lenght(TRUE)", "error: Позиция 13:  Логический тип неприменим"},
      {"Pos(1; \"1\")", "error: Позиция 12:  Целый тип неприменим"},
  });
}

class TypeFunctions : public EngineTest {};

TEST_F(TypeFunctions, Conversions) {
  ExpectKinds(Parser, {
      {"String(5)", "string 5"},
      {"String(-5)", "string -5"},
      {"String(TRUE)", "string True"},
      {"String(2.5)", "string 2.5"},
      {"String(3/2)", "string 1+1/2"},
      {"String(1D30')", "string 1D30'0''"},
      {"String(5%)", "string 5%"},
      {"String(NULL)", "string "},
      {"String(12:30)", "string {12:30:00}"},
      {"String(\"x\")", "string x"},
      {"Integer(2.0)", "integer 2"},
      {"Integer(TRUE)", "integer 1"},
      {"Integer(\"42\")", "integer 42"},
      {"Integer(\"$FF\")", "integer 255"},
      {"Integer(1D)", "integer 3600"},
      {"Integer(6/3)", "integer 2"},
      {"Real(5)", "integer 5"},
      {"Real(2.5)", "real 2.5"},
      {"Real(\"2.5\")", "real 2.5"},
      {"Real(5%)", "integer 5"},
      {"Real(1D)", "integer 3600"},
      {"Real(FALSE)", "integer 0"},
      {"Real(12:00)", "real 0.5"},
      {"Boolean(\"true\")", "boolean True"},
      {"Boolean(\"FaLsE\")", "boolean False"},
      {"Boolean(1)", "boolean True"},
      {"Boolean(256)", "boolean False"},
      {"Degrees(3600)", "degrees 1D0'0''"},
      {"Degrees(\"1D30'\")", "degrees 1D30'0''"},
      {"Degrees(1D)", "degrees 1D0'0''"},
      {"Time(1.75)", "time {18:00:00}"},
      {"Time(\"10:30\")", "time {10:30:00}"},
      {"Date(2)", "date {01.01.1900}"},
      {"Date(\"01.02.2003\")", "date {01.02.2003}"},
      {"Real(Date(2.5))", "real 2.5"},
  });
  ExpectAnswers(Parser, {
      {"Integer(2.5)", "error: Позиция 13:  Вещественный тип неприменим"},
      {"Integer(\"x\")", "error: Позиция 13:  Недопустимый аргумент в функции \"Integer\""},
      {"Integer(12:00)", "error: Позиция 15:  Константа времени не применима"},
      {"Integer(NULL)", "error: Позиция 14:  Пустое значение!"},
      {"Real(\"x\")", "error: Позиция 10:  Недопустимый аргумент в функции \"Real\""},
      {"Boolean(\"yes\")", "error: Позиция 15:  Строковый тип неприменим"},
      {"Boolean(2.5)", "error: Позиция 13:  Вещественный тип неприменим"},
      {"Degrees(2.5)", "error: Позиция 13:  Вещественный тип неприменим"},
      {"Time(TRUE)", "error: Позиция 11:  Логический тип неприменим"},
      {"Date(1D)", "error: Позиция 9:  Константа времени не применима"},
  });
}

TEST_F(TypeFunctions, FracOddSign) {
  ExpectKinds(Parser, {
      {"Frac(2.75)", "real 0.75"},
      {"Frac(-2.75)", "real -0.75"},
      {"Frac(3)", "integer 0"},
      {"Frac(7/2)", "real 0.5"},
      {"Frac(1E30)", "integer 0"},
      {"Odd(-3)", "boolean True"},
      {"Odd(4)", "boolean False"},
      {"Odd(0)", "boolean False"},
      {"Odd(-9223372036854775806 - 2)", "boolean False"},
      {"Odd(9223372036854775806 + 1)", "boolean True"},
      {"Sign(-2.5)", "integer -1"},
      {"Sign(0)", "integer 0"},
      {"Sign(1E-4000)", "integer 1"},
      {"Sign(-1/3)", "integer -1"},
  });
  ExpectAnswers(Parser, {
      {"Frac(\"1\")", "error: Позиция 10:  Строковый тип неприменим"},
      {"Odd(2.5)", "error: Позиция 9:  Вещественный тип неприменим"},
      {"Odd(TRUE)", "error: Позиция 10:  Логический тип неприменим"},
      {"Sign(5%)", "error: Позиция 9:  Проценты не применимы"},
  });
}

class MemoryFunctions : public EngineTest {
 protected:
  void Store(int Index, int64_t Value) { SetInteger(Parser.Cells[static_cast<std::size_t>(Index)], Value); }
};

TEST_F(MemoryFunctions, ClearAndTestCells) {
  for (int I = 0; I < TCalcParser::CellCount; ++I) Store(I, I);
  ExpectKinds(Parser, {
      {"CellIsEmpty(7)", "boolean False"},
      {"ClearCell(7)", "null "},
      {"CellIsEmpty(7)", "boolean True"},
      {"CellIsEmpty(6) or CellIsEmpty(8)", "boolean False"},
      {"ClearCells(5; 3)", "null "},
      {"CellIsEmpty(5) or CellIsEmpty(4) or CellIsEmpty(3)", "boolean False"},
      {"ClearCells(97; 99)", "null "},
      {"CellIsEmpty(96)", "boolean False"},
      {"CellIsEmpty(97) and CellIsEmpty(98) and CellIsEmpty(99)", "boolean True"},
      {"ClearCells(0; 0)", "null "},
      {"CellIsEmpty(0)", "boolean True"},
      {"M1", "integer 1"},
      {"CELLISEMPTY(2.0)", "boolean False"},
  });
  ExpectAnswers(Parser, {
      {"M7", "error: Позиция 1:  Эта ячейка памяти пуста"},
      {"ClearCell(100)", "error: Позиция 15:  Неправильный индекс ячейки памяти"},
      {"ClearCell(-1)", "error: Позиция 14:  Неправильный индекс ячейки памяти"},
      {"ClearCell(4294967297)", "error: Позиция 22:  Неправильный индекс ячейки памяти"},
      {"ClearCells(10; 100)", "error: Позиция 20:  Неправильный индекс ячейки памяти"},
      {"ClearCells(-1; 10)", "error: Позиция 19:  Неправильный индекс ячейки памяти"},
      {"CellIsEmpty(100)", "error: Позиция 17:  Неправильный индекс ячейки памяти"},
      {"ClearCell(1.5)", "error: Позиция 15:  Вещественный тип неприменим"},
      {"ClearCell(\"1\")", "error: Позиция 15:  Строковый тип неприменим"},
  });
  // A rejected range touches no cell.
  EXPECT_EQ(Parser.Cells[10].Kind, vkInteger);
  EXPECT_EQ(Parser.Cells[1].Numerator, 1);
}

// DefineVar and DeleteVar evaluate their arguments and give no value, which the
// evaluator then reports as an operand it cannot read.
TEST_F(MemoryFunctions, VariableFunctionsGiveNoValue) {
  ExpectAnswers(Parser, {
      {"DefineVar(1; 2)", "error: Позиция 16:  Неизвестный идентификатор \"\" или неправильный формат чисел в выражении"},
      {"DeleteVar(zz)", "error: Позиция 11:  Неизвестный идентификатор \"ZZ\" или неправильный формат чисел в выражении"},
      {"DeleteVar(1/0)", "error: Позиция 14:  Деление на ноль"},
      {"zz := 5", ""},
      {"DeleteVar(zz)", "error: Позиция 14:  Неизвестный идентификатор \"\" или неправильный формат чисел в выражении"},
      {"zz", "5"},
  });
}

}  // namespace
}  // namespace talvex
