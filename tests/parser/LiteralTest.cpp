#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectKinds;

class Literals : public EngineTest {
 protected:
  void InMode(TSyntaxMode Mode, std::initializer_list<testing::TCase> Cases) {
    Parser.SetSyntax(Mode);
    ExpectKinds(Parser, Cases);
  }
};

TEST_F(Literals, DefaultMode) {
  InMode(smDefault, {
      {"1`234.5", "real 1234.5"},
      {"1`000`000", "integer 1000000"},
      {"2E3", "integer 2000"},
      {"1.5E-3", "real 0.0015"},
      {".5", "real 0.5"},
      {"12:30", "time {12:30:00}"},
      {"{01.02.2003 12:00}", "datetime {01.02.2003 12:00:00}"},
      {"{01.02.2003}", "datetime {01.02.2003}"},
      {"10D30'15''", "degrees 10D30'15''"},
      {"30'", "degrees 0D30'0''"},
      {"XIV", "integer 14"},
      {"xiv", "integer 14"},
      {"MIX", "integer 1009"},
      {"IM", "integer 999"},
      {"D", "error: Позиция 1:  Неизвестный идентификатор \"D\" или неправильный формат чисел в выражении"},
      {"25:00", "error: Позиция 1:  Неизвестный идентификатор \"25:00\" или неправильный формат чисел в выражении"},
      {"5%", "percent 5%"},
      {"50% ", "percent 50%"},
      {"(5%)", "percent 5%"},
      {"\"abc\"", "string abc"},
      {"\"\"", "string "},
      {"\"abc", "error: Позиция 1:  Неизвестный идентификатор \"\"abc\" или неправильный формат чисел в выражении"},
      {"'abc'", "error: Позиция 1:  Неизвестный идентификатор \"'abc'\" или неправильный формат чисел в выражении"},
      {"1.2.3", "error: Позиция 1:  Неизвестный идентификатор \"1.2.3\" или неправильный формат чисел в выражении"},
      {"1E5000", "error: Позиция 1:  Неизвестный идентификатор \"1E5000\" или неправильный формат чисел в выражении"},
      {"2E", "error: Позиция 1:  Неизвестный идентификатор \"2E\" или неправильный формат чисел в выражении"},
  });
}

TEST_F(Literals, MixReadsAsAVariableOnceOneExists) {
  EXPECT_EQ(Calc("MIX"), "1009");
  EXPECT_EQ(Calc("mix := 5"), "");
  EXPECT_EQ(Calc("MIX"), "5");
}

// Millions of letters sum beyond 32 bits without wrapping to a negative number.
TEST_F(Literals, ALongRomanNumeralKeepsItsValue) {
  EXPECT_EQ(Calc(std::string(2200000, 'M') + "+1"), "2200000001");
}

TEST_F(Literals, PascalMode) {
  InMode(smPascal, {
      {"101B", "integer 5"},
      {"17O", "integer 15"},
      {"$FF", "integer 255"},
      {"0FFH", "integer 255"},
      {"$FFFFFFFFFFFFFFFF", "integer -1"},
      {"$10000000000000000", "error: Позиция 1:  Неизвестный идентификатор \"$10000000000000000\" или неправильный формат чисел в выражении"},
      {"1BH", "error: Позиция 4:  Неизвестный оператор \"H\" или неправильный формат чисел в выражении"},
      {"'abc'", "string abc"},
      {"12.5", "real 12.5"},
  });
}

TEST_F(Literals, RadixModes) {
  InMode(smHex, {{"FF", "integer 255"}, {"10 + A", "integer 26"},
                 {"ff", "error: Позиция 1:  Неизвестный идентификатор \"FF\" или неправильный формат чисел в выражении"}});
  InMode(smOctal, {{"777", "integer 511"}, {"8", "error: Позиция 1:  Неизвестный идентификатор \"8\" или неправильный формат чисел в выражении"}});
  InMode(smBinary, {{"101", "integer 5"},
                    {"1111111111111111111111111111111111111111111111111111111111111111", "integer -1"}});
  InMode(smBasic, {{"&B101", "integer 5"}, {"&O17 + 1", "integer 16"}, {"&HFF", "integer 255"}, {"1.5", "real 1.5"}});
}

TEST_F(Literals, RussianSeparators) {
  Use(RussianFormatSettings());
  ExpectKinds(Parser, {
      {"1,5 + 1", "real 2,5"},
      {"IF(1,5 > 1; 2; 3)", "integer 2"},
      {"round(2,375; 2)", "real 2,38"},
      {"{01.02.2003}", "datetime {01.02.2003}"},
  });
}

}  // namespace
}  // namespace talvex
