#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ExpectAnswers;
using testing::ExpectKinds;

class FinancialFunctions : public EngineTest {};

// The expected answers come from FinancialReference.py: the spreadsheet
// formulas evaluated independently at 50 digits with mpmath, shown to the
// calculator's 13 significant digits. Whole answers are integers.
TEST_F(FinancialFunctions, AnnuitiesAgreeWithTheSpreadsheetFormulas) {
  ExpectAnswers(Parser, {
      {"FVal(0; 10; -100; 0; 0)", "1000"},
      {"FVal(10; 2; -100; 0; 0)", "210"},
      {"FVal(5; 10; -100; -1000; 0)", "2886.683880332"},
      {"FVal(5; 10; -100; -1000; 1)", "2949.57334301"},
      {"FVal(5; 10; -100; -1000; 2)", "2886.683880332"},
      {"FVal(5; 10; -100; -1000; 257)", "2949.57334301"},
      {"FVal(5; 10; -100; -1000; -255)", "2949.57334301"},
      {"FVal(0.5; 360; -500; 0; 0)", "502257.5212263"},
      {"FVal(-5; 10; -100; 1000; 0)", "203.7891822849"},
      {"FVal(5; -3; -100; -1000; 0)", "591.5127955944"},
      {"FVal(5; 4294967306; -100; -1000; 0)", "2886.683880332"},
      {"FVal(1/3; 120; -50; 0; 1)", "7387.031870395"},
      {"FVal(0.007; 500; -100; 0; 0)", "50883.48603637"},
      {"FVal(100; 53; -1; 0; 0)", "9007199254740991"},
      {"PVAL(10; 2; -576.1904761904762; 0; 0)", "1000"},
      {"PVAL(5; 10; -100; 1000; 0)", "158.2602393777"},
      {"PVAL(5; 10; -100; 1000; 1)", "196.8689140236"},
      {"PVAL(0; 10; -100; 0; 0)", "1000"},
      {"PVAL(0.75; 240; -1500; 0; 0)", "166717.4310407"},
      {"PVAL(-20; 5; -100; 0; 0)", "1025.87890625"},
      {"PVAL(10; 400; -100; 0; 0)", "1000"},
      {"PVAL(10; 400; -100; 0; 1)", "1100"},
      {"PVAL(100; 60; -100; 5; 0)", "100"},
      {"Paymt(10; 2; 1000; 0; 0)", "-576.1904761905"},
      {"Paymt(0; 10; 1000; 0; 0)", "-100"},
      {"Paymt(0.5; 360; 200000; 0; 0)", "-1199.101050306"},
      {"Paymt(5; 10; 1000; 500; 1)", "-161.1970118554"},
      {"Paymt(5; 10; 1000; 500; 3)", "-169.2568624482"},
      {"Paymt(-5; 10; 1000; 0; 0)", "-74.60653593455"},
      {"Paymt(100; 60; 1000; 0; 0)", "-1000"},
      {"Paymt(100; 60; 1000; 0; 1)", "-500"},
      {"Paymt(100; 60; 1000; 0; 2)", "-1000"},
      {"IPaymt(10; 1; 2; 1000; 0; 0)", "-100"},
      {"IPaymt(10; 2; 2; 1000; 0; 0)", "-52.38095238095"},
      {"PPaymt(10; 1; 2; 1000; 0; 0)", "-476.1904761905"},
      {"PPaymt(10; 2; 2; 1000; 0; 0)", "-523.8095238095"},
      {"IPaymt(5; 3; 10; 1000; 500; 0)", "-37.77617159906"},
      {"PPaymt(5; 3; 10; 1000; 500; 0)", "-131.4806908491"},
      {"IPaymt(0.5; 360; 360; 200000; 0; 0)", "-5.965676867192"},
      {"PPaymt(0.5; 1; 360; 200000; 0; 0)", "-199.1010503055"},
      {"IPaymt(0; 3; 10; 1000; 0; 0)", "0"},
      {"PPaymt(0; 3; 10; 1000; 0; 0)", "-100"},
      {"IPaymt(5; 3; 10; 1000; 500; 2)", "-37.77617159906"},
      {"NPer(0; -100; 1000; 0; 0)", "10"},
      {"NPer(10; -576.1904761905; 1000; 0; 0)", "2"},
      {"NPer(0.5; -1199.1; 200000; 0; 0)", "360"},
      {"NPer(5; -100; 1000; 0; 1)", "13"},
      {"NPer(5; -100; 1000; 0; 0)", "14"},
      {"NPer(5; -100; 1000; -500; 0)", "8"},
      {"NPer(-5; -100; 1000; 0; 0)", "8"},
  });
}

TEST_F(FinancialFunctions, RatesAndPresentValuesAgreeWithTheSpreadsheetFormulas) {
  ExpectAnswers(Parser, {
      {"IRate(2; -576; 1000; 0; 0)", "9.975365721381"},
      {"IRate(360; -1199; 200000; 0; 0)", "0.4999345095345"},
      {"IRate(12; -100; 1000; 0; 1)", "3.503153036228"},
      {"IRate(12; -100; 1000; 0; 2)", "3.503153036228"},
      {"IRate(10; 0; -1000; 2000; 0)", "7.177346253629"},
      {"IRate(10; -100; 1000; -500; 0)", "6.251105709036"},
      {"IRate(10; 100; 1000; -3000; 0)", "5.519428850933"},
      {"IRate(12; -83; 1000; 0; 0)", "-0.06160806807604"},
      {"IRate(10; -100; 999.999; 0; 0)", "0.00001818183140497"},
      {"IRate(1000; -60; 1000; 0; 0)", "6"},
      {"IRate(1000; 100; 1000; -1E30; 0)", "6.313328593539"},
      {"IRate(100; -1; 1E20; 0; 0)", "-36.26094671559"},
      {"IRR(10; -100; 110)", "10"},
      {"IRR(10; -1000; 300; 400; 500)", "8.896339469335"},
      {"IRR(-10; -1000; 300; 400; 500)", "8.896339469335"},
      {"IRR(10; -1000; 100; 100; 100)", "-42.44174438316"},
      {"IRR(10; 1000; -300; -400; -500)", "8.896339469335"},
      {"IRR(5; -500; -500; 300; 400; 500)", "7.113404836422"},
      {"IRR(25; -100; 230; -132)", "20"},
      {"NPV(10; 0; 100; 100)", "173.5537190083"},
      {"NPV(10; 1; 100; 100)", "190.9090909091"},
      {"NPV(10; 2; 100; 100)", "190.9090909091"},
      {"NPV(8; 0; -1000; 300; 400; 500)", "16.3235429709"},
      {"NPV(0; 0; -1000; 300; 400; 500)", "200"},
      {"NPV(-50; 0; 1; 1; 1)", "14"},
      {"NPV(5; 0; 0.1; 0.2; -0.3)", "0.01749271137026"},
  });
}

TEST_F(FinancialFunctions, DepreciationAgreesWithTheSpreadsheetFormulas) {
  ExpectAnswers(Parser, {
      {"SLN(1000; 100; 9)", "100"},
      {"SLN(1000; 100; 4294967305)", "100"},
      {"SYD(1000; 100; 5; 1)", "300"},
      {"SYD(1000; 100; 5; 5)", "60"},
      {"SYD(30000; 7500; 10; 3)", "3272.727272727"},
      {"SYD(1000000; 0; 100000; 1)", "19.999800002"},
      {"SYD(1000000; 0; 2147483647; 2147483647)", "4.336808691962E-13"},
      {"DDB(1000; 100; 5; 1)", "400"},
      {"DDB(1000; 100; 5; 3)", "144"},
      {"DDB(1000; 100; 5; 4)", "86.4"},
      {"DDB(1000; 100; 5; 5)", "29.6"},
      {"DDB(2400; 300; 10; 2)", "384"},
      {"DDB(2400; 300; 120; 10)", "34.38482692336"},
      {"DDB(1000; 100; 2147483647; 2147483647)", "1.260408044789E-7"},
      {"DDB(1000; 500; 5; 3)", "0"},
      {"DDB(1000; 100; 1; 1)", "900"},
      {"DDB(1000; 100; 3; 3)", "11.11111111111"},
  });
}

// Where the engine's algorithm and the spreadsheet's part ways on purpose.
TEST_F(FinancialFunctions, DifferFromTheSpreadsheetByDesign) {
  ExpectAnswers(Parser, {
      // Below a rate of 6.1e-5 the annuity factor is n (1 + (n - 1) r / 2):
      // 10024.75, where the exact factor gives 10024.75811...
      {"FVal(0.005; 100; -100; 0; 0)", "10024.75"},
      // Payments at the start: the interest and principal parts are those of
      // payments at the end divided by 1 + r (the spreadsheet puts no
      // interest in the first payment); their sum is still the payment.
      {"IPaymt(10; 1; 2; 1000; 0; 1)", "-90.90909090909"},
      {"PPaymt(10; 1; 2; 1000; 0; 1)", "-432.9004329004"},
      {"IPaymt(10; 2; 2; 1000; 0; 1)", "-47.61904761905"},
      {"PPaymt(10; 2; 2; 1000; 0; 1)", "-476.1904761905"},
      {"Paymt(10; 2; 1000; 0; 1)", "-523.8095238095"},
      // The number of periods is rounded to a whole number, halves to even.
      {"NPer(0; -100; 250; 0; 0)", "2"},
      {"NPer(0; -100; 350; 0; 0)", "4"},
      // A double root at 0 % halves Newton's step each time: 15 steps do not settle.
      {"IRR(10; -100; 200; -100)", "error: Позиция 1:  Недопустимый аргумент в функции \"IRR\""},
      // Saving from nothing: the first flow is 0, which the iteration refuses.
      {"IRate(10; -100; 0; 1200; 0)", "error: Позиция 28:  Недопустимый аргумент в функции \"IRate\""},
      // So close to 0 % the last bit of the iterate is a unit in the 13th digit
      // of the rate: 9.99999999749E-6 for the flows as doubles.
      {"IRR(10; -1000; 1000.0001)", "9.999999997487E-6"},
  });
}

// 1 alone means the start of the period for the annuity functions; anything
// but 0 does for IRate and NPV; only the low 8 bits count (2, 3, 257 and -255
// are in the tables above).
TEST_F(FinancialFunctions, PaymentTimeFlag) {
  ExpectAnswers(Parser, {
      {"FVal(5; 10; -100; -1000; 256) = FVal(5; 10; -100; -1000; 0)", "True"},
      {"Paymt(5; 10; 1000; 0; -1) = Paymt(5; 10; 1000; 0; 0)", "True"},
      {"NPV(10; -1; 100; 100)", "190.9090909091"},
      {"NPV(10; 256; 100; 100)", "173.5537190083"},
      {"IRate(12; -100; 1000; 0; 256)", "2.922854076913"},
  });
}

TEST_F(FinancialFunctions, ArgumentReading) {
  ExpectAnswers(Parser, {
      {"FVal(\"5\"; 10; -100; 0; 0)", "error: Позиция 26:  Строковый тип неприменим"},
      {"FVal(5%; 10; -100; 0; 0)", "error: Позиция 25:  Проценты не применимы"},
      {"FVal(5; 10; TRUE; 0; 0)", "error: Позиция 24:  Логический тип неприменим"},
      {"FVal(5; 10.5; -100; 0; 0)", "error: Позиция 26:  Вещественный тип неприменим"},
      {"FVal(5; 21/2; -100; 0; 0)", "error: Позиция 26:  Вещественный тип неприменим"},
      {"FVal(5; 20/2; -100; 0; 0)", "1257.789253555"},
      {"FVal(5; 10; -100; 0; 0.5)", "error: Позиция 26:  Вещественный тип неприменим"},
      // Counts keep their low 32 bits: 2^32 + 1 is period 1.
      {"IPaymt(10; 4294967297; 2; 1000; 0; 0)", "-100"},
      {"SLN(1000; 100; 4294967296)", "error: Позиция 27:  Недопустимый аргумент в функции \"SLN\""},
      // The payment of IRate must be whole.
      {"IRate(12; -100.5; 1000; 0; 0)", "error: Позиция 30:  Вещественный тип неприменим"},
      {"IRate(12; -201/2; 1000; 0; 0)", "error: Позиция 30:  Вещественный тип неприменим"},
      // The lists count their arguments before reading any, and report at the name.
      {"NPV(10; 0; 100)", "error: Позиция 1:  Недостаточно аргументов в функции NPV"},
      {"NPV(\"x\"; 0; 1)", "error: Позиция 1:  Недостаточно аргументов в функции NPV"},
      {"IRR(10; -100)", "error: Позиция 1:  Недостаточно аргументов в функции IRR"},
      {"IRR(\"x\"; 1)", "error: Позиция 1:  Недостаточно аргументов в функции IRR"},
      {"1 + IRR(10; -100)", "error: Позиция 5:  Недостаточно аргументов в функции IRR"},
      {"NPV(10; 0.5; 100; 100)", "error: Позиция 1:  Вещественный тип неприменим"},
      {"IRR(10; -100; \"110\")", "error: Позиция 1:  Строковый тип неприменим"},
      // Cash flows are stored as doubles: beyond their range is an overflow.
      {"NPV(10; 0; 1E400; 1)", "error: Позиция 1:  Недопустимый аргумент в функции \"NPV\""},
      {"IRR(10; -100; 1E400)", "error: Позиция 1:  Недопустимый аргумент в функции \"IRR\""},
  });
}

// Every refusal of a routine, and every arithmetic failure inside one, names
// the calculator function.
TEST_F(FinancialFunctions, RoutineErrorsNameTheFunction) {
  ExpectAnswers(Parser, {
      {"FVal(-100; 10; -100; 0; 0)", "error: Позиция 27:  Недопустимый аргумент в функции \"FVal\""},
      {"FVal(-150; 10; -100; 0; 0)", "error: Позиция 27:  Недопустимый аргумент в функции \"FVal\""},
      // (1 + r)^n beyond 1e16: 2^53 is still accepted, 2^54 is not.
      {"FVal(100; 54; -1; 0; 0)", "error: Позиция 24:  Недопустимый аргумент в функции \"FVal\""},
      {"PVAL(-100; 10; -100; 0; 0)", "error: Позиция 27:  Недопустимый аргумент в функции \"PVAL\""},
      // The compound factor underflows to 0 and the present value overflows.
      {"PVAL(-99.9999; 100000; -100; 0; 0)", "error: Позиция 35:  Недопустимый аргумент в функции \"PVAL\""},
      {"Paymt(10; 0; 1000; 0; 0)", "error: Позиция 25:  Недопустимый аргумент в функции \"Paymt\""},
      {"Paymt(0; 0; 1000; 0; 0)", "error: Позиция 24:  Недопустимый аргумент в функции \"Paymt\""},
      {"Paymt(-100; 10; 1000; 0; 0)", "error: Позиция 28:  Недопустимый аргумент в функции \"Paymt\""},
      {"IPaymt(10; 0; 2; 1000; 0; 0)", "error: Позиция 29:  Недопустимый аргумент в функции \"IPaymt\""},
      {"IPaymt(10; 3; 2; 1000; 0; 0)", "error: Позиция 29:  Недопустимый аргумент в функции \"IPaymt\""},
      {"IPaymt(-100; 1; 2; 1000; 0; 0)", "error: Позиция 31:  Недопустимый аргумент в функции \"IPaymt\""},
      {"PPaymt(10; 0; 2; 1000; 0; 0)", "error: Позиция 29:  Недопустимый аргумент в функции \"PPaymt\""},
      {"PPaymt(10; 3; 2; 1000; 0; 0)", "error: Позиция 29:  Недопустимый аргумент в функции \"PPaymt\""},
      // The interest eats the whole payment, or more: never repaid.
      {"NPer(10; -100; 1000; 0; 0)", "error: Позиция 27:  Недопустимый аргумент в функции \"NPer\""},
      {"NPer(10; -50; 1000; 0; 0)", "error: Позиция 26:  Недопустимый аргумент в функции \"NPer\""},
      {"NPer(0; 0; 1000; 0; 0)", "error: Позиция 23:  Недопустимый аргумент в функции \"NPer\""},
      {"NPer(-100; -100; 1000; 0; 0)", "error: Позиция 29:  Недопустимый аргумент в функции \"NPer\""},
      // 1e600 periods do not fit a 64-bit integer.
      {"NPer(0; -1E-300; 1E300; 0; 0)", "error: Позиция 30:  Недопустимый аргумент в функции \"NPer\""},
      {"IRate(0; -100; 1000; 0; 0)", "error: Позиция 27:  Недопустимый аргумент в функции \"IRate\""},
      {"IRate(-5; -100; 1000; 0; 0)", "error: Позиция 28:  Недопустимый аргумент в функции \"IRate\""},
      // Payments and loan of one sign: no rate makes them balance.
      {"IRate(10; 100; 1000; 0; 0)", "error: Позиция 27:  Недопустимый аргумент в функции \"IRate\""},
      {"IRR(-100; 100; -110)", "error: Позиция 1:  Недопустимый аргумент в функции \"IRR\""},
      {"IRR(10; 0; 0; 0)", "error: Позиция 1:  Недопустимый аргумент в функции \"IRR\""},
      {"NPV(-100; 0; 100; 100)", "error: Позиция 1:  Недопустимый аргумент в функции \"NPV\""},
      {"SLN(1000; 100; 0)", "error: Позиция 18:  Недопустимый аргумент в функции \"SLN\""},
      {"SLN(1000; 100; -5)", "error: Позиция 19:  Недопустимый аргумент в функции \"SLN\""},
      {"SLN(1E4932; -1E4932; 1)", "error: Позиция 24:  Недопустимый аргумент в функции \"SLN\""},
  });
}

TEST_F(FinancialFunctions, ResultsThatAreNotErrors) {
  ExpectKinds(Parser, {
      // Cash flows of one sign: the -100 % rate is the answer.
      {"IRR(10; 100; 110)", "integer -100"},
      {"IRR(10; -100; -110)", "integer -100"},
      // Lent at 0 %: the iteration starts on the answer.
      {"IRate(10; -100; 1000; 0; 0)", "integer 0"},
      {"IRate(10; -100; 1000; 0; 1)", "integer 0"},
      // No depreciation outside the life or below the salvage value.
      {"SYD(1000; 100; 5; 6)", "integer 0"},
      {"SYD(1000; 100; 5; 0)", "integer 0"},
      {"SYD(100; 100; 5; 1)", "integer 0"},
      {"DDB(1000; 100; 2; 1)", "integer 900"},
      {"DDB(1000; 100; 2; 2)", "integer 0"},
      {"DDB(1000; 100; 0; 1)", "integer 0"},
      {"DDB(1000; 100; 5; 6)", "integer 0"},
      {"DDB(100; 1000; 5; 1)", "integer 0"},
      {"NPer(0; -100; 1000; 0; 0)", "integer 10"},
      {"FVal(0; 10; -100; 0; 0)", "integer 1000"},
      {"FVal(5; 10; -100; 0; 0)", "real 1257.789253555"},
      {"FVal(10; 10; 1E4930; 0; 0)", "real -1.5937424601E4931"},
  });
}

}  // namespace
}  // namespace talvex
