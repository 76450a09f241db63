// Results against correctly rounded references (computed with 400-bit
// arithmetic from the exact 80-bit arguments): a few units of the last place at
// most, so the 13-digit display is right. Factorials are exact to the bit.
#include <cmath>

#include "ParserLib/RealBits.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::EngineTest;
using testing::ToCp;

struct TReference {
  const char* Expression;
  int AngleUnit;
  bool Negative;
  uint64_t Mantissa;
  int Exponent;
};

class Accuracy : public EngineTest {
 protected:
  // Distance of the expression's real result from the reference, in units of
  // the reference's last place.
  long double UlpsFrom(const TReference& R) {
    Parser.AngleUnit = static_cast<TAngleUnit>(R.AngleUnit);
    TCalcValue Result;
    Parser.Evaluate(ToCp(R.Expression), Result);
    const long double Expected = ComposeReal(R.Negative, R.Mantissa, R.Exponent);
    return std::fabs(AsReal(Result) - Expected) / std::ldexp(1.0L, R.Exponent);
  }
};

// Arguments chosen where a careless evaluation loses digits: next to multiples
// of pi and pi/2, far from 0, next to 1 for the inverses, near 0 for the
// hyperbolic functions, near the ends of the exponent range.
constexpr TReference Elementary[] = {
    {"sin(0.5)", 1, false, 0xf57743a2582f7f44ULL, -65},
    {"sin(3.14159265358979)", 1, false, 0xe95b13198a2e0370ULL, -112},
    {"sin(355)", 1, true, 0xfcde8183e8ef14edULL, -79},
    {"sin(103993)", 1, true, 0xa077ef8f5c6f3414ULL, -79},
    {"sin(1000000000)", 1, false, 0x8bbc65741e34d872ULL, -64},
    {"sin(4294967295)", 1, false, 0xfe4c790e7fbda2f8ULL, -65},
    {"sin(4294967296)", 1, true, 0xec89814467d8a27eULL, -65},
    {"sin(1E15)", 1, false, 0xdbb7c409b675ce4aULL, -64},
    {"cos(1E18)", 1, false, 0xf26d039603acd38cULL, -67},
    {"cos(-123456789012.345)", 1, true, 0xe90e1f51ae37fc8eULL, -64},
    {"sin(2.5E-10)", 1, false, 0x89705f4136b4a597ULL, -95},
    {"cos(1.5707963267949)", 1, true, 0xf39c76733ae8fe48ULL, -112},
    {"cos(0.7)", 1, false, 0xc3ccb294fcec930cULL, -64},
    {"cos(1000000000)", 1, false, 0xd67fc639b2119c0fULL, -64},
    {"cos(-22)", 1, true, 0xfffd6ec6a566d010ULL, -64},
    {"tan(1.5707963267948)", 1, false, 0x969c6bc1a1ef29f4ULL, -20},
    {"tan(355)", 1, false, 0xfcde8185d660b0beULL, -79},
    {"sec(4.4)", 1, true, 0xd03e468dd4a6b426ULL, -62},
    {"cosec(9.2)", 1, false, 0x8f9191d9d37cb914ULL, -61},
    {"arcsin(0.999999999)", 1, false, 0xc90e637bbdfd4858ULL, -63},
    {"arcsin(-0.1)", 1, true, 0xcd2493b01bc41e02ULL, -67},
    {"arccos(0.999999999999)", 1, false, 0xbdd00205e699b769ULL, -83},
    {"arccos(-0.3)", 1, false, 0xf01005de4b56bfa3ULL, -63},
    {"arctan(1E10)", 1, false, 0xc90fdaa1ea6f0281ULL, -63},
    {"arctan(0.2)", 1, false, 0xca220fc7b9305b2fULL, -66},
    {"arcsec(3)", 1, false, 0x9d90140417469dd8ULL, -63},
    {"arccosec(-3)", 1, true, 0xadff1a7828889172ULL, -65},
    {"sinh(1E-10)", 1, false, 0xdbe6fecebdedd5bfULL, -97},
    {"sinh(0.3)", 1, false, 0x9bea157aa5c932ffULL, -65},
    {"sinh(-20)", 1, true, 0xe758445b47401fcaULL, -36},
    {"sinh(11000)", 1, false, 0xc838961a26b2addaULL, 15805},
    {"cosh(0.001)", 1, false, 0x80000431bdee0aafULL, -63},
    {"cosh(-11000)", 1, false, 0xc838961a26b2addaULL, 15805},
    {"tanh(1E-10)", 1, false, 0xdbe6fecebdedd5bfULL, -97},
    {"tanh(0.3)", 1, false, 0x9526ed3ec8a7d089ULL, -65},
    {"tanh(-2)", 1, true, 0xf6ca82f0de1e9e9aULL, -64},
    {"arcsinh(1E-10)", 1, false, 0xdbe6fecebdedd5bfULL, -97},
    {"arcsinh(-2)", 1, true, 0xb8c90c189e84397cULL, -63},
    {"arcsinh(1E15)", 1, false, 0x8ced7d5faf455f3cULL, -58},
    {"arccosh(1.0000001)", 1, false, 0xea77fe0208179a2bULL, -75},
    {"arccosh(5)", 1, false, 0x92b73352451daf69ULL, -62},
    {"arccosh(1E12)", 1, false, 0xe297e58c3e8b7df0ULL, -59},
    {"arctanh(1E-10)", 1, false, 0xdbe6fecebdedd5bfULL, -97},
    {"arctanh(-0.999999)", 1, true, 0xe82375c5c55a53a2ULL, -61},
    {"ln(2)", 1, false, 0xb17217f7d1cf79acULL, -64},
    {"ln(1.000001)", 1, false, 0x8637b89fc940e57dULL, -83},
    {"ln(1E-300)", 1, true, 0xacb1a23fc3fda9abULL, -54},
    {"log10(2)", 1, false, 0x9a209a84fbcff799ULL, -65},
    {"log10(7E200)", 1, false, 0xc8d858585bc661f9ULL, -56},
    {"log2(10)", 1, false, 0xd49a784bcd1b8afeULL, -62},
    {"log(3; 10)", 1, false, 0x8623477ca9be0be5ULL, -62},
    {"exp(1)", 1, false, 0xadf85458a2bb4a9bULL, -62},
    {"exp(-0.001)", 1, false, 0xffbe7f2b78d4edd2ULL, -64},
    {"exp(11356)", 1, false, 0x97ae01b5ed4a38fcULL, 16320},
    {"exp(-11000)", 1, false, 0xa3a8bc537a427c0fULL, -15933},
    {"hypot(1E-3000; 3E-3000)", 1, false, 0xeb06c6273611247eULL, -10028},
    {"hypot(1.5; 2.5)", 1, false, 0xba97286d9d1d0d8eULL, -62},
    {"sin(30)", 0, false, 0x8000000000000000ULL, -64},
    {"cos(1)", 0, false, 0xfff604bfad7c4dcfULL, -64},
    {"tan(89.9)", 0, false, 0x8f3d42fbccfd7544ULL, -54},
    {"arctan(2)", 0, false, 0xfdbd63396788f0c0ULL, -58},
    {"arcsin(0.3)", 0, false, 0x8ba92bd397787ae9ULL, -59},
    {"sin(50)", 2, false, 0xb504f333f9de6484ULL, -64},
    {"cos(1)", 2, false, 0xfff7ea3c8b1890caULL, -64},
    {"arccos(0.3)", 2, false, 0xa1349045397afa4eULL, -57},
    {"sin(1D)", 2, false, 0x8ef8595c4ee8f2b0ULL, -69},
    {"DegToRad(33)", 1, false, 0x937206bb299116f3ULL, -64},
    {"RadToDeg(2)", 1, false, 0xe52ee0d31e0fbdc3ULL, -57},
    {"GradToRad(33)", 1, false, 0x84b36c753f0294a8ULL, -64},
    {"RadToGrad(2)", 1, false, 0xfea5dd5c5a4a6112ULL, -57},
    {"DegToGrad(33)", 1, false, 0x92aaaaaaaaaaaaabULL, -58},
    {"GradToDeg(33)", 1, false, 0xed9999999999999aULL, -59},
};

TEST_F(Accuracy, ElementaryFunctionsWithinAnUlpOrTwo) {
  for (const TReference& R : Elementary) EXPECT_LE(UlpsFrom(R), 2.0L) << R.Expression;
}

constexpr TReference Factorials[] = {
    {"fact(25)", 1, false, 0xcd4a0619fb0907bcULL, 20},
    {"fact(26)", 1, false, 0xa6cc24f51bf75649ULL, 25},
    {"fact(27)", 1, false, 0x8cbc3f2ecf98b0cdULL, 30},
    {"fact(100)", 1, false, 0xd984b2761caee120ULL, 461},
    {"fact(1000)", 1, false, 0xa8a9dccce25a6dd0ULL, 8466},
    {"fact(1754)", 1, false, 0x8848a7629507cc6fULL, 16315},
};

TEST_F(Accuracy, FactorialsAreCorrectlyRounded) {
  for (const TReference& R : Factorials) EXPECT_EQ(UlpsFrom(R), 0.0L) << R.Expression;
}

}  // namespace
}  // namespace talvex
