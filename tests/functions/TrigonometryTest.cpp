#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class Trigonometry : public EngineTest {};

// The zero rules give the integer 0 wherever the radian value over pi is
// whole, and only there; the poles of tan, sec and cosec follow from them.
TEST_F(Trigonometry, ZeroRulesInRadians) {
  ExpectKinds(Parser, {
      {"sin(0)", "integer 0"},
      {"sin(PI)", "integer 0"},
      {"sin(-PI)", "integer 0"},
      {"sin(2*PI)", "integer 0"},
      {"sin(1E4000)", "integer 0"},
      {"sin(PI/2)", "integer 1"},
      {"cos(PI/2)", "integer 0"},
      {"cos(-PI/2)", "integer 0"},
      {"cos(3*PI/2)", "integer 0"},
      {"cos(0)", "integer 1"},
      {"cos(PI)", "integer -1"},
      {"sin(3.14159265358979)", "real 0"},
      // Around the magnitudes where the rule is known not to apply.
      {"sin(4E-4951)", "integer 0"},  // the quotient by pi vanishes
      {"sin(1E-4940)", "real 0"},
      {"sin(-2.9999999999)", "real -0.1411200081589"},
      {"cos(-0.9999999)", "real 0.5403023900152"},
      {"tan(0)", "integer 0"},
      {"tan(PI)", "integer 0"},
  });
  ExpectAnswers(Parser, {
      {"tan(PI/2)", "error: Позиция 10:  Деление на ноль"},
      {"tan(-PI/2)", "error: Позиция 11:  Деление на ноль"},
      {"sec(PI/2)", "error: Позиция 10:  Деление на ноль в функции sec"},
      {"cosec(PI)", "error: Позиция 10:  Деление на ноль в функции cosec"},
      {"cosec(0)", "error: Позиция 9:  Деление на ноль в функции cosec"},
      {"sec(0)", "1"},
      {"cot := 1 / tan(PI/2)", "error: Позиция 21:  Деление на ноль"},
  });
}

TEST_F(Trigonometry, ZeroRulesInDegrees) {
  Parser.AngleUnit = auDegrees;
  ExpectKinds(Parser, {
      {"sin(180)", "integer 0"},
      {"sin(360)", "integer 0"},
      {"sin(-540)", "integer 0"},
      {"cos(90)", "integer 0"},
      {"cos(270)", "integer 0"},
      {"cos(-90)", "integer 0"},
      {"sin(90)", "integer 1"},
      {"sin(30)", "real 0.5"},
      {"cos(60)", "real 0.5"},
      {"tan(180)", "integer 0"},
  });
  ExpectAnswers(Parser, {
      {"tan(90)", "error: Позиция 8:  Деление на ноль"},
      {"tan(270)", "error: Позиция 9:  Деление на ноль"},
      {"sec(90)", "error: Позиция 8:  Деление на ноль в функции sec"},
      {"cosec(180)", "error: Позиция 11:  Деление на ноль в функции cosec"},
      {"tan(45)", "1"},
      {"sec(60)", "2"},
      {"cosec(30)", "2"},
  });
}

// Every angle argument is read in the parser's unit, except a degrees value,
// which is degrees whatever the unit; every angle result is given in the unit.
TEST_F(Trigonometry, AngleUnits) {
  struct TUnitCase {
    int Unit;
    const char* Expression;
    const char* Expected;
  };
  const TUnitCase Cases[] = {
      {0, "sin(1)", "0.01745240643728"},
      {1, "sin(1)", "0.8414709848079"},
      {2, "sin(1)", "0.01570731731182"},
      {0, "sin(1D)", "0.01745240643728"},
      {1, "sin(1D)", "0.01745240643728"},
      {2, "sin(1D)", "0.01745240643728"},
      {1, "cos(60D)", "0.5"},
      {2, "cos(60)", "0.5877852522925"},
      {2, "tan(30)", "0.5095254494944"},
      {0, "arcsin(1)", "90"},
      {1, "arcsin(1)", "1.570796326795"},
      {2, "arcsin(1)", "100"},
      {0, "arctan(1)", "45"},
      {2, "arctan(1)", "50"},
      {0, "arccos(-1)", "180"},
      {2, "arccos(-1)", "200"},
      // The unit conversion and the RadToGrad function use the same correctly
      // rounded factor, so the two agree to the last bit.
      {2, "arccos(-1) = RadToGrad(PI)", "True"},
      {0, "arccos(-1) = RadToDeg(PI)", "True"},
      {1, "arccos(0.5)", "1.047197551197"},
      {0, "arcsec(2)", "60"},
      {0, "arccosec(2)", "30"},
      {0, "arctan(2)", "63.43494882292"},
      // The hyperbolic functions take and give angles too.
      {0, "sinh(180)", "11.54873935726"},
      {1, "sinh(PI)", "11.54873935726"},
      {2, "sinh(200)", "11.54873935726"},
      {0, "arcsinh(1)", "50.49898671053"},
      {2, "arcsinh(1)", "56.10998523392"},
      {1, "arcsinh(1)", "0.8813735870195"},
  };
  for (const TUnitCase& C : Cases) {
    Parser.AngleUnit = static_cast<TAngleUnit>(C.Unit);
    EXPECT_EQ(Calc(C.Expression), C.Expected) << C.Expression << " in unit " << C.Unit;
  }
}

TEST_F(Trigonometry, CircularValuesInRadians) {
  ExpectAnswers(Parser, {
      {"sin(1)", "0.8414709848079"},
      {"sin(-1)", "-0.8414709848079"},
      {"cos(1)", "0.5403023058681"},
      {"tan(1)", "1.557407724655"},
      {"sec(1)", "1.850815717681"},
      {"cosec(1)", "1.188395105778"},
      {"SIN(1000000000)", "0.5458434494487"},
      {"sin(4294967296)", "-0.4619865795138"},
      {"arcsin(0.5)", "0.5235987755983"},
      {"arcsin(-1)", "-1.570796326795"},
      {"arccos(1)", "0"},
      {"arccos(0)", "1.570796326795"},
      {"arctan(-1E30)", "-1.570796326795"},
      {"arcsec(-1)", "3.14159265359"},
      {"arccosec(1)", "1.570796326795"},
  });
}

TEST_F(Trigonometry, ReciprocalsNameThemselvesWithFixedWords) {
  ExpectAnswers(Parser, {
      {"arcsec(0)", "error: Позиция 10:  Деление на ноль в функции Arcsec"},
      {"ARCSEC(0)", "error: Позиция 10:  Деление на ноль в функции Arcsec"},
      {"arccosec(0.0)", "error: Позиция 14:  Деление на ноль в функции arccosec"},
      {"Sec(PI/2)", "error: Позиция 10:  Деление на ноль в функции sec"},
      {"COSEC(0)", "error: Позиция 9:  Деление на ноль в функции cosec"},
  });
}

TEST_F(Trigonometry, DomainErrorsNameTheFunction) {
  ExpectAnswers(Parser, {
      {"arcsin(2)", "error: Позиция 10:  Недопустимый аргумент в функции \"arcsin\""},
      {"ARCSIN(-1.0000001)", "error: Позиция 19:  Недопустимый аргумент в функции \"arcsin\""},
      {"arccos(1E4000)", "error: Позиция 15:  Недопустимый аргумент в функции \"arccos\""},
      {"arcsec(0.5)", "error: Позиция 12:  Недопустимый аргумент в функции \"arcsec\""},
      {"arccosec(0.5)", "error: Позиция 14:  Недопустимый аргумент в функции \"arccosec\""},
      {"sinh(12000)", "error: Позиция 12:  Недопустимый аргумент в функции \"sinh\""},
      {"sinh(-12000)", "error: Позиция 13:  Недопустимый аргумент в функции \"sinh\""},
      {"cosh(11357)", "error: Позиция 12:  Недопустимый аргумент в функции \"cosh\""},
      {"cosh(-1E4000)", "error: Позиция 14:  Недопустимый аргумент в функции \"cosh\""},
  });
}

TEST_F(Trigonometry, KindsOfArguments) {
  ExpectAnswers(Parser, {
      {"sin(\"a\")", "error: Позиция 9:  Строковый тип неприменим"},
      {"sin(TRUE)", "error: Позиция 10:  Логический тип неприменим"},
      {"cos(NULL)", "error: Позиция 10:  Пустое значение!"},
      {"tan(5%)", "error: Позиция 8:  Проценты не применимы"},
      {"sin(12:00)", "error: Позиция 11:  Константа времени не применима"},
      {"arcsin(1D)", "error: Позиция 11:  Константа времени не применима"},
      {"arctanh(\"0\")", "error: Позиция 13:  Строковый тип неприменим"},
      {"sin(1/2)", "0.4794255386042"},
      {"arctan(1/2)", "0.4636476090008"},
  });
}

TEST_F(Trigonometry, HyperbolicValuesAndThresholds) {
  ExpectKinds(Parser, {
      {"sinh(0)", "integer 0"},
      {"sinh(1)", "real 1.175201193644"},
      {"sinh(-1)", "real -1.175201193644"},
      {"sinh(1E-10)", "real 1E-10"},
      {"cosh(0)", "integer 1"},
      {"cosh(1)", "real 1.543080634815"},
      {"cosh(-1)", "real 1.543080634815"},
      {"tanh(0)", "integer 0"},
      {"tanh(1)", "real 0.7615941559558"},
      {"tanh(-1E-10)", "real -1E-10"},
      {"tanh(30)", "integer 1"},
      {"tanh(5678.2224944)", "integer 1"},
      {"tanh(5678.2225)", "integer 1"},
      {"tanh(-1E4000)", "integer -1"},
      {"arcsinh(0)", "integer 0"},
      {"arcsinh(2)", "real 1.443635475179"},
      {"arcsinh(-2)", "real -1.443635475179"},
      {"arcsinh(1E10)", "real 23.7189981105"},
      {"arcsinh(1.0000000001E10)", "real 23.7189981106"},
      {"arcsinh(-1E300)", "real -691.4686750788"},
      {"arccosh(1)", "integer 0"},
      {"arccosh(0.5)", "integer 0"},
      {"arccosh(-5)", "integer 0"},
      {"arccosh(2)", "real 1.316957896925"},
      {"arccosh(1E10)", "real 23.7189981105"},
      {"arccosh(1E300)", "real 691.4686750788"},
      {"arctanh(0)", "integer 0"},
      {"arctanh(0.5)", "real 0.5493061443341"},
      {"arctanh(-0.5)", "real -0.5493061443341"},
      {"arctanh(1)", "real 1.1E4932"},
      {"arctanh(-1)", "real -1.1E4932"},
      {"arctanh(1E10)", "real 1.1E4932"},
  });
  // Outside radians the stand-in for infinity cannot be converted.
  Parser.AngleUnit = auDegrees;
  ExpectAnswers(Parser, {
      {"arctanh(1)", "error: Позиция 11:  Недопустимый аргумент в функции \"arctanh\""},
      {"arctanh(0.5)", "31.47292373095"},
  });
}

}  // namespace
}  // namespace talvex
