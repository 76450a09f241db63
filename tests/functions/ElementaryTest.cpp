#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class Elementary : public EngineTest {};

TEST_F(Elementary, LogarithmsAndExponential) {
  ExpectKinds(Parser, {
      {"ln(1)", "integer 0"},
      {"ln(2.718281828459045)", "real 1"},
      {"log10(1000)", "integer 3"},
      {"log10(1E27)", "integer 27"},
      {"log10(0.001)", "real -3"},
      {"log2(1024)", "integer 10"},
      {"log2(0.5)", "integer -1"},
      {"log(2; 8)", "integer 3"},
      {"log(8; 2)", "real 0.3333333333333"},
      {"log(10; 1000)", "real 3"},
      {"exp(0)", "integer 1"},
      {"exp(1)", "real 2.718281828459"},
      {"exp(-1)", "real 0.3678794411714"},
      {"exp(11356)", "real 7.049145799986E4931"},
      {"exp(-100000)", "integer 0"},
  });
  ExpectAnswers(Parser, {
      {"ln(0)", "error: Позиция 6:  Недопустимый аргумент в функции \"ln\""},
      {"LN(-1)", "error: Позиция 7:  Недопустимый аргумент в функции \"ln\""},
      {"log10(-5)", "error: Позиция 10:  Недопустимый аргумент в функции \"log10\""},
      {"log2(0)", "error: Позиция 8:  Недопустимый аргумент в функции \"log2\""},
      {"log(1; 5)", "error: Позиция 10:  Недопустимый аргумент в функции \"log\""},
      {"log(1; 1)", "error: Позиция 10:  Недопустимый аргумент в функции \"log\""},
      {"log(-2; 8)", "error: Позиция 11:  Недопустимый аргумент в функции \"log\""},
      {"log(2; 0)", "error: Позиция 10:  Недопустимый аргумент в функции \"log\""},
      {"exp(11357)", "error: Позиция 11:  Недопустимый аргумент в функции \"exp\""},
      {"exp(100000)", "error: Позиция 12:  Недопустимый аргумент в функции \"exp\""},
      {"ln(\"1\")", "error: Позиция 8:  Строковый тип неприменим"},
      {"exp(1D)", "error: Позиция 8:  Константа времени не применима"},
  });
}

TEST_F(Elementary, Hypot) {
  ExpectKinds(Parser, {
      {"hypot(3; 4)", "integer 5"},
      {"hypot(-3; -4)", "integer 5"},
      {"hypot(0; 0)", "integer 0"},
      {"hypot(0; -7)", "integer 7"},
      {"hypot(1; 1)", "real 1.414213562373"},
      {"hypot(1E4000; 1E4000)", "real 1.414213562373E4000"},
      {"hypot(1E-4000; 3E-4000) * 1E4000", "real 3.162277660168"},
  });
  ExpectAnswers(Parser, {
      {"hypot(1E4932; 1E4932)", "error: Позиция 22:  Недопустимый аргумент в функции \"hypot\""},
  });
}

// The product is an integer exactly while it stays below 2^63 - 1; only the low
// 32 bits of the argument count, as a signed number.
TEST_F(Elementary, Factorial) {
  ExpectKinds(Parser, {
      {"fact(0)", "integer 1"},
      {"fact(1)", "integer 1"},
      {"fact(-3)", "integer 1"},
      {"fact(5)", "integer 120"},
      {"fact(20)", "integer 2432902008176640000"},
      {"fact(21)", "real 5.109094217171E19"},
      {"fact(170)", "real 7.257415615308E306"},
      {"fact(1754)", "real 1.979261890105E4930"},
      {"fact(4294967301)", "integer 120"},
      {"fact(2147483648)", "integer 1"},
      {"fact(-4294967295)", "integer 1"},
      {"fact(6.0)", "integer 720"},
      {"fact(12/2)", "integer 720"},
      {"fact(20) - 2432902008176640000", "integer 0"},
  });
  ExpectAnswers(Parser, {
      {"fact(1755)", "error: Позиция 11:  Недопустимый аргумент в функции \"fact\""},
      {"fact(2147483647)", "error: Позиция 17:  Недопустимый аргумент в функции \"fact\""},
      {"fact(1000000000)", "error: Позиция 17:  Недопустимый аргумент в функции \"fact\""},
      {"fact(2.5)", "error: Позиция 10:  Вещественный тип неприменим"},
      {"fact(1E4000)", "error: Позиция 13:  Вещественный тип неприменим"},
      {"fact(\"5\")", "error: Позиция 10:  Строковый тип неприменим"},
      {"fact(TRUE)", "error: Позиция 11:  Логический тип неприменим"},
  });
}

// The conversions ignore the parser's angle unit. DegToGrad and GradToDeg go
// through radians, so their whole results come back as (very nearly whole) reals.
TEST_F(Elementary, AngleConversions) {
  for (const TAngleUnit Unit : {auDegrees, auRadians, auGrads}) {
    Parser.AngleUnit = Unit;
    ExpectKinds(Parser, {
        {"DegToRad(180)", "real 3.14159265359"},
        {"RadToDeg(PI)", "integer 180"},
        {"GradToRad(200)", "real 3.14159265359"},
        {"RadToGrad(1)", "real 63.66197723676"},
        {"DegToGrad(90)", "real 100"},
        {"GradToDeg(100)", "real 90"},
        {"DegToGrad(-45)", "real -50"},
        {"RadToDeg(0)", "integer 0"},
        {"DMSToDeg(1D30')", "real 1.5"},
        {"DMSToDeg(-10D30')", "real -10.5"},
        {"DMSToDeg(0D0'1'')", "real 0.0002777777777778"},
        {"DegToDMS(1.5)", "degrees 1D30'0''"},
        {"DegToDMS(-0.5)", "degrees 0D-30'0''"},
        {"DMSToDeg(DegToDMS(1.5))", "real 1.5"},
        {"DegToDMS(1/7200)", "degrees 0D0'0''"},
        {"DegToDMS(3/7200)", "degrees 0D0'2''"},
        {"DegToDMS(-3/7200)", "degrees 0D0'-2''"},
        {"DegToDMS(2)", "degrees 2D0'0''"},
    });
  }
  ExpectAnswers(Parser, {
      {"DegToRad(1D)", "error: Позиция 13:  Константа времени не применима"},
      {"RadToGrad(\"1\")", "error: Позиция 15:  Строковый тип неприменим"},
      {"DMSToDeg(1.5)", "error: Позиция 14:  Вещественный тип неприменим"},
      {"DMSToDeg(1)", "error: Позиция 12:  Целый тип неприменим"},
      {"DegToDMS(1D)", "error: Позиция 13:  Константа времени не применима"},
      {"DegToDMS(1E20)", "error: Позиция 15:  Недопустимый аргумент в функции \"DegToDMS\""},
      {"RadToDeg(1E4931)", "error: Позиция 17:  Недопустимый аргумент в функции \"RadToDeg\""},
  });
}

}  // namespace
}  // namespace talvex
