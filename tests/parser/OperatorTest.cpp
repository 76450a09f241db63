#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class Operators : public EngineTest {};

TEST_F(Operators, ExactIntegerAndFractionArithmetic) {
  ExpectKinds(Parser, {
      {"2 + 3", "integer 5"},
      {"0.5 + 0.5", "integer 1"},
      {"1/2 + 1/3", "fraction 5/6"},
      {"1/2 + 0.5", "integer 1"},
      {"7 / 2", "fraction 3+1/2"},
      {"6 / 3", "integer 2"},
      {"-1 / 3", "fraction -1/3"},
      {"(1/2) / (1/4)", "integer 2"},
      {"1/2 * 2/3", "fraction 1/3"},
      {"1/2 - 1/2", "integer 0"},
      {"2.5 * 2", "integer 5"},
      {"-(1/2)", "fraction -1/2"},
      {"9223372036854775807", "real 9.223372036855E18"},
      {"-7 div 2", "integer -3"},
      {"-7 mod 2", "integer -1"},
      {"7 mod -2", "integer 1"},
      {"5 div 0", "error: Позиция 8:  Деление на ноль"},
      {"5 mod 0", "error: Позиция 8:  Недопустимый аргумент в операции \"mod\""},
      {"1 / \"0\"", "error: Позиция 8:  Деление на ноль"},
      {"1 / \"x\"", "error: Позиция 8:  Недопустимый аргумент в операции \"/\""},
  });
}

// The edges of the numeric step that the operator procedures and the one pass
// share, as exact answers: a change of the step itself shows here, which a
// comparison of the two paths cannot see.
TEST_F(Operators, NumericStepBoundaries) {
  Calc("top := 922337203685477580*10+7");
  Calc("bottom := -922337203685477580*10-7");
  Calc("big := 1E4000");
  ExpectKinds(Parser, {
      {"-top", "real -9.223372036855E18"},
      {"-bottom", "real 9.223372036855E18"},
      {"-(bottom+1)", "integer 9223372036854775806"},
      {"-(top-1)", "integer -9223372036854775806"},
      {"-(bottom-1)", "real 9.223372036855E18"},
      {"-(-0.5)", "real 0.5"},
      {"top*top", "real 8.507059173023E37"},
      {"top+1", "real 9.223372036855E18"},
      {"0.1*3", "real 0.3"},
      {"big*big", "error: Позиция 8:  Недопустимый аргумент в операции \"*\""},
      {"big+big", "real 2E4000"},
      {"big*10", "real 1E4001"},
      {"-big-big", "real -2E4000"},
      {"big/(1/big)", "error: Позиция 12:  Недопустимый аргумент в операции \"/\""},
      {"big^2", "error: Позиция 6:  Недопустимый аргумент в операции \"^\""},
      {"1E300*1E300*1E300", "real 1E900"},
      {"2^62", "integer 4611686018427387904"},
      {"2^63", "real 9.223372036855E18"},
      {"(-2)^63", "real -9.223372036855E18"},
      {"3^39", "integer 4052555153018976267"},
      {"3^40", "real 1.215766545906E19"},
      {"7/-14", "fraction -1/2"},
      {"5/(bottom-1)", "real 0"},
  });
}

// Beyond 64 bits an integer result is real in the decimal syntaxes and wraps
// in C and the radix syntaxes; fractions and angles never wrap.
TEST_F(Operators, IntegerOverflow) {
  const struct {
    TSyntaxMode Syntax;
    const char* Expression;
    const char* Expected;
  } Cases[] = {
      {smDefault, "9223372036854775806 + 1", "integer 9223372036854775807"},
      {smDefault, "9223372036854775806 + 1 + 1", "real 9.223372036855E18"},
      {smDefault, "-9223372036854775806 - 2", "integer -9223372036854775808"},
      {smDefault, "-9223372036854775806 - 2 - 1", "real -9.223372036855E18"},
      {smDefault, "-(-9223372036854775806 - 2)", "real 9.223372036855E18"},
      {smDefault, "abs(-9223372036854775806 - 2)", "real 9.223372036855E18"},
      {smDefault, "4611686018427387904 * 2", "real 9.223372036855E18"},
      {smDefault, "-4611686018427387904 * 2", "integer -9223372036854775808"},
      {smDefault, "3037000499 * 3037000499", "integer 9223372030926249001"},
      {smDefault, "3037000500 * 3037000500", "real 9.223372037E18"},
      {smDefault, "SQR(3037000500)", "real 9.223372037E18"},
      {smDefault, "1000000000000 * 1000000000", "real 1E21"},
      {smDefault, "2^62 * 4", "real 1.844674407371E19"},
      {smDefault, "(-2)^63", "real -9.223372036855E18"},
      {smDefault, "(-9223372036854775806 - 2) div -1", "real 9.223372036855E18"},
      {smDefault, "(-9223372036854775806 - 2) mod -1", "integer 0"},
      {smDefault, "(-9223372036854775806 - 2) / -2", "integer 4611686018427387904"},
      {smDefault, "(-9223372036854775806 - 2) / -3", "real 3.074457345618E18"},
      {smDefault, "6 / (-9223372036854775806 - 2)", "fraction -3/4611686018427387904"},
      {smDefault, "1/4294967296 + 1/4294967296", "fraction 1/2147483648"},
      {smDefault, "(2/3) * 9223372036854775806", "integer 6148914691236517204"},
      {smDefault, "(1/3037000500) * (1/3037000500) * 1E20", "real 10.84202172468"},
      {smDefault, "((1/9223372036854775806) - (1/9223372036854775805)) * 1E40", "real -117.5494350822"},
      {smDefault, "-((-9223372036854775806 - 2) / 3)", "real 3.074457345618E18"},
      {smDefault, "1 shl 63", "integer -9223372036854775808"},
      {smDefault, "not (9223372036854775806 + 1)", "integer -9223372036854775808"},
      {smPascal, "$7FFFFFFFFFFFFFFF + 1", "real 9.223372036855E18"},
      {smBasic, "&H7FFFFFFFFFFFFFFF * 2", "real 1.844674407371E19"},
      {smC, "0X7FFFFFFFFFFFFFFF + 1", "integer -9223372036854775808"},
      {smC, "-9223372036854775806 - 2 - 1", "integer 9223372036854775807"},
      {smC, "4611686018427387904 * 2", "integer -9223372036854775808"},
      {smC, "3037000500 * 3037000500", "integer -9223372036709301616"},
      {smC, "1000000000000 * 1000000000", "integer 3875820019684212736"},
      {smC, "-(-9223372036854775806 - 2)", "real 9.223372036855E18"},
      {smC, "(-9223372036854775806 - 2) / -1", "real 9.223372036855E18"},
      {smC, "1/4294967296 + 1/4294967296", "fraction 1/2147483648"},
      {smHex, "7FFFFFFFFFFFFFFF + 1", "integer -9223372036854775808"},
      {smOctal, "777777777777777777777 * 2", "integer -2"},
      {smBinary, "1 + 111111111111111111111111111111111111111111111111111111111111111", "integer -9223372036854775808"},
  };
  for (const auto& C : Cases) {
    Parser.SetSyntax(C.Syntax);
    EXPECT_EQ(testing::KindAndText(Parser, C.Expression), C.Expected) << C.Syntax << ": " << C.Expression;
  }
  Parser.SetSyntax(smDefault);
  Calc("angle := 1D * 2.5E15");
  EXPECT_EQ(Calc("angle + angle"), "error: Позиция 14:  Недопустимый аргумент в операции \"+\"");
}

TEST_F(Operators, Percentages) {
  ExpectKinds(Parser, {
      {"200 + 10%", "integer 220"},
      {"-200 + 10%", "integer -180"},
      {"200 + -10%", "integer 180"},
      {"-200 + -10%", "integer -220"},
      {"200 - 10%", "integer 180"},
      {"-200 - 10%", "integer -220"},
      {"200 * 10%", "integer 20"},
      {"50 / 200%", "percent 25%"},
      {"10%+5%", "percent 15%"},
      {"10%-15%", "percent -5%"},
      {"10%+5", "error: Позиция 6:  Целый тип неприменим"},
      {"-5%", "percent -5%"},
      {"10% + 5%", "error: Позиция 3:  Неизвестный формат числа или неверное выражение."},
      {"50%+1", "error: Позиция 6:  Целый тип неприменим"},
      {"5%3", "error: Позиция 2:  Неизвестный формат числа или неверное выражение."},
      {"50% + 1", "error: Позиция 3:  Неизвестный формат числа или неверное выражение."},
      {"200 + 10% * 2", "error: Позиция 9:  Неизвестный формат числа или неверное выражение."},
  });
}

TEST_F(Operators, TimesAndAngles) {
  ExpectKinds(Parser, {
      {"08:30 - 10:00", "time {22:30:00}"},
      {"10:00 - 08:30", "time {1:30:00}"},
      {"23:00 + 02:00", "datetime {31.12.1899 1:00:00}"},
      {"08:00 * 2", "time {16:00:00}"},
      {"08:00 * 4", "time {8:00:00}"},
      {"12:00 / 2", "time {6:00:00}"},
      {"12:00 - 1", "error: Позиция 10:  Целый тип неприменим"},
      {"10D * 2", "degrees 20D0'0''"},
      {"2 * 10D", "error: Позиция 8:  Константа времени не применима"},
      {"10D + 30'", "degrees 10D30'0''"},
      {"10D + 5", "error: Позиция 8:  Целый тип неприменим"},
      {"10D / 3", "degrees 3D20'0''"},
      {"1D30' * 1.5", "degrees 2D15'0''"},
      {"1'' * 2.5", "degrees 0D0'2''"},
      {"1'' * 3.5", "degrees 0D0'4''"},
      {"-10D30'", "degrees -10D-30'0''"},
      {"10D - 10D30'", "degrees 0D-30'0''"},
  });
}

TEST_F(Operators, StringsJoinAndCompare) {
  ExpectKinds(Parser, {
      {"\"ab\" + \"cd\"", "string abcd"},
      {"\"a\" < \"B\"", "boolean False"},
      {"\"B\" < \"a\"", "boolean True"},
      {"\"ab\" > \"a\"", "boolean True"},
      {"\"a\" = \"a\"", "boolean True"},
      {"\"\" < \"a\"", "boolean True"},
      {"\"a\" + 1", "error: Позиция 8:  Строковый тип неприменим"},
      // Quote characters inside a string are data.
      {"Len(Chr(34) + \"a\" + Chr(34))", "integer 3"},
      {"Chr(34) + Chr(34) + \"b\"", "string \"\"b"},
  });
  const std::string Long = "\"" + std::string(200, 'x') + "\"";
  EXPECT_EQ(testing::KindAndText(Parser, Long + "+" + Long), "string " + std::string(255, 'x'));
}

TEST_F(Operators, ComparisonsOfEveryKind) {
  ExpectKinds(Parser, {
      {"1 = 1", "boolean True"},
      {"1 <> 1.5", "boolean True"},
      {"2 >= 2", "boolean True"},
      {"1/2 = 0.5", "boolean True"},
      {"1/3 < 1/2", "boolean True"},
      {"10%=10%", "boolean True"},
      {"10%<20", "boolean True"},
      {"10D = 10D", "boolean True"},
      {"10D > 5D", "boolean True"},
      {"10D = 36000", "error: Позиция 12:  Целый тип неприменим"},
      {"TRUE > FALSE", "boolean True"},
      {"1 = TRUE", "error: Позиция 9:  Логический тип неприменим"},
      {"12:00 > 11:00", "boolean True"},
      {"NULL = 1", "error: Позиция 9:  Пустое значение!"},
  });
}

TEST_F(Operators, WordSetLogic) {
  ExpectKinds(Parser, {
      {"TRUE and 5", "error: Позиция 11:  Целый тип неприменим"},
      {"FALSE and 5", "boolean False"},
      {"TRUE or 5", "boolean True"},
      {"FALSE or TRUE", "boolean True"},
      {"TRUE xor TRUE", "boolean False"},
      {"6 and 3", "integer 2"},
      {"6 or 3", "integer 7"},
      {"5 xor 3", "integer 6"},
      {"not 0", "integer -1"},
      {"not TRUE", "boolean False"},
      {"2.5 and 1", "error: Позиция 10:  Вещественный тип неприменим"},
      {"\"a\" and 1", "error: Позиция 10:  Строковый тип неприменим"},
      {"1/2 or 1", "error: Позиция 9:  Вещественный тип неприменим"},
      {"1 shl 70", "integer 0"},
      {"1 shl 63", "integer -9223372036854775808"},
      {"-8 shr 1", "integer 9223372036854775804"},
      {"1 shl -1", "integer 0"},
      {"256 shr 8", "integer 1"},
  });
}

// With two unusable operands the left one's kind is named (the shifts, div and
// mod read the right one first).
TEST_F(Operators, TheLeftOperandIsReadFirst) {
  ExpectKinds(Parser, {
      {"TRUE ^ \"2\"", "error: Позиция 11:  Логический тип неприменим"},
      {"TRUE + \"2\"", "error: Позиция 11:  Логический тип неприменим"},
      {"TRUE - \"2\"", "error: Позиция 11:  Логический тип неприменим"},
      {"TRUE * \"2\"", "error: Позиция 11:  Логический тип неприменим"},
      {"TRUE / 1D", "error: Позиция 10:  Логический тип неприменим"},
      {"\"2\" shl TRUE", "error: Позиция 13:  Логический тип неприменим"},
      {"\"2\" div TRUE", "error: Позиция 13:  Логический тип неприменим"},
      {"\"2\" mod TRUE", "error: Позиция 13:  Логический тип неприменим"},
  });
}

TEST_F(Operators, PowerAndNumericFunctions) {
  ExpectKinds(Parser, {
      {"2 ^ 10", "integer 1024"},
      {"2 ^ -1", "real 0.5"},
      {"0 ^ 0", "integer 1"},
      {"0 ^ 2", "integer 0"},
      {"(-2) ^ 3", "integer -8"},
      {"(-8) ^ (1/3)", "error: Позиция 13:  Недопустимый аргумент в операции \"^\""},
      {"0 ^ -1", "error: Позиция 7:  Недопустимый аргумент в операции \"^\""},
      {"10 ^ 5000", "error: Позиция 10:  Недопустимый аргумент в операции \"^\""},
      // A power that overflows is no small reciprocal.
      {"2 ^ -16384", "error: Позиция 11:  Недопустимый аргумент в операции \"^\""},
      {"2 ^ -16383", "real 0"},
      {"2 ^ 0.5", "real 1.414213562373"},
      {"abs(-1/2)", "real 0.5"},
      {"abs(-3)", "integer 3"},
      {"SQR(3)", "integer 9"},
      {"SQR(1/2)", "real 0.25"},
      {"SQRT(16)", "integer 4"},
      {"round(2.7; 0)", "integer 3"},
      {"round(3.14159; 2)", "real 3.14"},
      {"round(1234.5678; 1)", "real 1234.6"},
      {"round(2.5; 0)", "integer 3"},
      {"round(-2.5; 0)", "integer -3"},
      {"round(2.5; 0.5)", "error: Позиция 16:  Вещественный тип неприменим"},
      {"trunc(-2.7)", "integer -2"},
      {"trunc(1E20)", "error: Позиция 12:  Недопустимый аргумент в функции \"trunc\""},
      {"Int(1E20)", "error: Позиция 10:  Недопустимый аргумент в функции \"Int\""},
  });
}

TEST_F(Operators, PrefixOperators) {
  ExpectKinds(Parser, {
      {"+\"text\"", "string text"},
      {"+TRUE", "boolean True"},
      {"-TRUE", "error: Позиция 1:  Логический тип неприменим"},
      {"--3", "integer 3"},
      {"-+-3", "integer 3"},
      {"not not 5", "integer 5"},
  });
}

class CSetOperators : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Parser.SetSyntax(smC);
  }
};

TEST_F(CSetOperators, Semantics) {
  ExpectKinds(Parser, {
      {"2 > 1", "integer 1"},
      {"2 < 1", "integer 0"},
      {"\"a\" == \"a\"", "integer 1"},
      {"256 && 1", "integer 0"},
      {"0 || 2", "integer 1"},
      {"!0", "integer 1"},
      {"!5", "integer 0"},
      {"~0", "integer -1"},
      {"6 ^ 3", "integer 5"},
      {"6 & 3", "integer 2"},
      {"6 | 3", "integer 7"},
      {"7 % 3", "integer 1"},
      {"7%3", "integer 1"},
      {"1 + 2 << 1", "integer 6"},
      {"1 | 2 == 2", "integer 1"},
      {"8 | 2 + 2 == 4", "integer 9"},
      {"1 == !0", "integer 1"},
      {"1==!0", "error: Позиция 5:  Неизвестный оператор \"==!\" или неправильный формат чисел в выражении"},
      {"TRUE == TRUE", "error: Позиция 13:  Логический тип неприменим"},
      {"1/2 == 0.5", "integer 1"},
      {"\"x\" && 1", "error: Позиция 9:  Строковый тип неприменим"},
      {"0X1F", "integer 31"},
      {"017", "integer 15"},
      {"0B101", "integer 5"},
      {"08", "integer 8"},
      {"0x1F", "error: Позиция 5:  Неизвестный оператор \"X1F\" или неправильный формат чисел в выражении"},
  });
}

TEST_F(CSetOperators, SingleEqualsAfterANameAssigns) {
  ExpectAnswers(Parser, {
      {"x = 5", ""},
      {"x * 2", "10"},
      {"x == 5", "1"},
      {"x =x+1", ""},
      {"x", "6"},
      {"a = 1", ""},
      {"b = 0", ""},
      {"a && !b", "1"},
      {"a&&!b", "error: Позиция 5:  Неизвестный оператор \"&&!\" или неправильный формат чисел в выражении"},
  });
}

TEST_F(CSetOperators, DivisionTruncatesWhenShownInARadix) {
  Parser.OutputFormat = ofHex;
  ExpectAnswers(Parser, {{"-7 / 2", "0xFFFFFFFFFFFFFFFD"}, {"7 / 2", "0x3"}});
  Parser.OutputFormat = ofDefault;
  ExpectAnswers(Parser, {{"7 / 2", "3.5"}});
}

}  // namespace
}  // namespace talvex
