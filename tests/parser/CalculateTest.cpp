#include "ParserLib/Messages.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;

class Output : public EngineTest {
 protected:
  void In(TOutputFormat Format, TSyntaxMode Mode, std::initializer_list<testing::TCase> Cases) {
    Parser.SetSyntax(Mode);
    Parser.OutputFormat = Format;
    ExpectAnswers(Parser, Cases);
  }
};

TEST_F(Output, DefaultFormat) {
  In(ofDefault, smDefault, {
      {"2+2", "4"},
      {"7/2", "3.5"},
      {"10/4", "2.5"},
      {"6/3", "2"},
      {"1/3", "0.3333333333333"},
      {"2/3", "0.6666666666667"},
      {"0.1+0.2", "0.3"},
      {"PI", "3.14159265359"},
      {"2>1", "True"},
      {"\"abc\"", "\"abc\""},
      {"x := 5", ""},
      {"12:30", "{12:30:00}"},
      {"3D30'", "3D30'0''"},
      {"50%", "50%"},
      {"1E20", "1E20"},
      {"0.000001", "1E-6"},
      {"123456789012345.0", "123456789012345"},
      {"123456789012345.5", "123456789012300"},
      {"1E-14 + 0", "0"},
      {"9223372036854775806+1", "9223372036854775807"},
  });
}

TEST_F(Output, RadixFormats) {
  In(ofHex, smDefault, {{"255", "FF"}, {"-1", "FFFFFFFFFFFFFFFF"}, {"0", "0"},
                        {"2.5", "error: Вещественный тип неприменим"}, {"TRUE", "True"},
                        {"\"s\"", "\"s\""}, {"1D", "error: Константа времени не применима"}});
  In(ofHex, smPascal, {{"255", "$FF"}});
  In(ofHex, smC, {{"255", "0xFF"}});
  In(ofHex, smBasic, {{"255", "&HFF"}});
  In(ofOctal, smDefault, {{"8", "10"}, {"-1", "1777777777777777777777"}, {"1D", "7020"}});
  In(ofOctal, smPascal, {{"8", "10o"}});
  In(ofOctal, smC, {{"8", "010"}});
  In(ofOctal, smBasic, {{"8", "&O10"}});
  In(ofBinary, smDefault, {{"5", "101"}, {"0", "0"}, {"1D", "111000010000"}});
  In(ofBinary, smPascal, {{"5", "101B"}});
  In(ofBinary, smC, {{"5", "0b101"}});
  In(ofBinary, smBasic, {{"5", "&B101"}});
}

TEST_F(Output, FixedExponentRomanFraction) {
  In(ofFixed, smDefault, {{"1234.567", "1`234.57"}, {"5", "5.00"}, {"-1234567.891", "-1`234`567.89"},
                          {"\"1\"", "\"1\""}, {"12:00", "error: Константа времени не применима"}});
  Parser.FixedDigits = 0;
  ExpectAnswers(Parser, {{"2.5", "3"}});
  In(ofExponent, smDefault, {{"1234.5", "1.23E+003"}, {"0", "0.00E+000"}, {"-0.00012", "-1.20E-004"}});
  In(ofRoman, smDefault, {
      {"1994", "MCMXCIV"}, {"0", ""}, {"-5", ""}, {"3999", "MMMCMXCIX"},
      {"30000", "error: Слишком большое число для представления в римском формате"},
      {"2.5", "error: Вещественный тип неприменим"},
  });
  EXPECT_EQ(Calc("29999"), std::string(29, 'M') + "CMXCIX");
  In(ofFraction, smDefault, {{"0.75", "3/4"}, {"1/2+1/3", "5/6"}, {"1.5", "1+1/2"}, {"5", "5"},
                             {"2>1", "True"}, {"-2.75", "-2+-3/4"}});
}

TEST_F(Output, AutoSyntaxRetriesAndKeepsTheMode) {
  Parser.AutoSyntax = true;
  ExpectAnswers(Parser, {{"2+2", "4"}, {"FF", "255"}});
  EXPECT_EQ(Parser.Syntax, smHex);
  ExpectAnswers(Parser, {{"10", "16"}});
  Parser.SetSyntax(smDefault);
  ExpectAnswers(Parser, {{"0X10 + 1", "17"}});
  EXPECT_EQ(Parser.Syntax, smC);
  Parser.SetSyntax(smDefault);
  ExpectAnswers(Parser, {{"1 +", "2"},
                         {"@", "error: Позиция 1:  Неизвестный идентификатор \"@\" или неправильный формат чисел в выражении"}});
  EXPECT_EQ(Parser.Syntax, smDefault);
  Parser.OutputFormat = ofHex;
  ExpectAnswers(Parser, {{"2.5", "2.5"}});
  EXPECT_EQ(Parser.OutputFormat, ofDefault);
}

TEST_F(Output, LocaleSeparatorsAreCheckedOnEveryBuild) {
  TFormatSettings Bad = testing::TestSettings();
  Bad.ListSeparator = '.';
  Use(Bad);
  const std::string Message = "error: " + testing::ToUtf8(msg::DecimalEqualsList);
  EXPECT_EQ(Calc("1+1"), Message);
  EXPECT_EQ(Calc("1+1"), Message);  // the table stays empty: checked again
  EXPECT_TRUE(Parser.Operators.empty());
  FormatSettings() = testing::TestSettings();
  EXPECT_EQ(Calc("1+1"), "2");
}

// Each parser keeps the quote, the operator characters and the separators of
// its own syntax mode and locale, whatever the others built after it.
TEST_F(Output, ParsersOfDifferentModesAndLocalesLiveSideBySide) {
  TCalcParser Pascal{BuiltinFunctions()}, C{BuiltinFunctions()}, English{BuiltinFunctions()};
  Pascal.SetSyntax(smPascal);
  C.SetSyntax(smC);
  FormatSettings() = EnglishFormatSettings();
  English.SetSyntax(smBasic);
  FormatSettings() = testing::TestSettings();
  Calc("0");
  struct TSide {
    TCalcParser& Parser;
    testing::TCase Case;
  } const Sides[] = {
      {Parser, {"\"a\" + \"b\"", "\"ab\""}},
      {Pascal, {"'a' + 'b'", "'ab'"}},
      {C, {"7 % 3 == 1", "1"}},
      {English, {"max(1.5, 2) + &H10", "18"}},
      {Parser, {"max(1.5; 2) = 2", "True"}},
      {Pascal, {"\"a\"", "error: Позиция 1:  Неизвестный идентификатор \"\"a\"\" или неправильный формат чисел в выражении"}},
      {C, {"1 = 1", "error: Позиция 4:  Неизвестный оператор \"=\" или неправильный формат чисел в выражении"}},
  };
  for (int Round = 0; Round < 2; ++Round)
    for (const TSide& Side : Sides)
      EXPECT_EQ(testing::Answer(Side.Parser, Side.Case.Expression), Side.Case.Expected) << Side.Case.Expression;
}

TEST(LocaleCheck, ChecksRunInTheirOrder) {
  struct Case { char Decimal, Thousand, List, Time, Date; TMessage Message; } const Cases[] = {
      {'.', '.', ';', ':', '/', msg::DecimalEqualsThousand},
      {',', '`', ',', ':', '/', msg::DecimalEqualsList},
      {' ', ' ', ' ', ' ', ' ', msg::DecimalEqualsThousand},
      {' ', '`', ';', ':', '/', msg::DecimalIsSpace},
      {'.', '`', '`', ':', '/', msg::ListEqualsThousand},
      {'.', ' ', ';', ' ', ' ', msg::ThousandIsSpace},
      {'.', '`', ' ', ' ', ' ', msg::ListIsSpace},
      {'.', '`', ';', ' ', ' ', msg::TimeIsSpace},
      {'.', '`', ';', '.', ' ', msg::TimeEqualsDecimal},
      {'.', '`', ';', ':', ' ', msg::DateIsSpace},
  };
  for (const auto& C : Cases) {
    TFormatSettings S;
    S.DecimalSeparator = C.Decimal;
    S.ThousandSeparator = C.Thousand;
    S.ListSeparator = C.List;
    S.TimeSeparator = C.Time;
    S.DateSeparator = C.Date;
    try {
      CheckLocaleSeparators(S);
      ADD_FAILURE() << "accepted";
    } catch (const EWindowsOptionsException& E) {
      EXPECT_EQ(E.Message(), C.Message.Text);
      EXPECT_EQ(E.Id(), C.Message.Id);
    }
  }
  TFormatSettings Good = testing::TestSettings();
  EXPECT_NO_THROW(CheckLocaleSeparators(Good));
}

}  // namespace
}  // namespace talvex
