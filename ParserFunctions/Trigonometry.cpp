// The circular functions, their inverses and reciprocals, in the parser's
// angle unit.
#include <cmath>

#include "ParserFunctions/FunctionSupport.h"
#include "ParserFunctions/Functions.h"
#include "ParserFunctions/SineCosine.h"
#include "ParserLib/Exact.h"
#include "ParserLib/Messages.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

constexpr Extended Pi = 3.1415926535897932385L;
constexpr Extended HalfPi = 1.5707963267948966193L;

// The zero rules are decided on the unreduced radian value: whenever it divided
// by pi is whole in 80-bit arithmetic the result is exactly 0, so the poles of
// tan, sec and cosec show up as an exact zero.
// (Between the smallest magnitudes, whose quotient by pi could vanish, and 3
// the quotient is a non-zero fraction and the rule cannot apply; likewise for
// the cosine's quotient below 1.)
Extended Sine(const TOperator& Op, const TCalcValue& X) {
  const Extended R = Radians(Op, X);
  const Extended A = std::fabs(R);
  if (!(A >= 0x1p-16000L && A < 3) && FracReal(R / Pi) == 0) return 0;
  return SineOfRadians(R);
}

Extended Cosine(const TOperator& Op, const TCalcValue& X) {
  const Extended R = Radians(Op, X);
  if (!(std::fabs(R) < 1) && FracReal((R + HalfPi) / Pi) == 0) return 0;
  return CosineOfRadians(R);
}

// sqrt(1 - x^2), formed as (1 - x)(1 + x) so that it keeps its digits next to |x| = 1.
Extended Cofactor(Extended X) {
  if (std::fabs(X) > 1) throw EInvalidOp();
  return std::sqrt((1 - X) * (1 + X));
}

void StoreArcSin(const TOperator& Op, Extended X, TCalcValue& Result) {
  StoreAngle(Op, x87::Atan2(X, Cofactor(X)), Result);
}

void StoreArcCos(const TOperator& Op, Extended X, TCalcValue& Result) {
  StoreAngle(Op, x87::Atan2(Cofactor(X), X), Result);
}

}  // namespace

TALVEX_PROC(FnSin) { SetReal(Result, Sine(Op, Args[0])); }

TALVEX_PROC(FnCos) { SetReal(Result, Cosine(Op, Args[0])); }

TALVEX_PROC(FnTan) {
  const Extended C = Cosine(Op, Args[0]);
  const Extended S = Sine(Op, Args[0]);
  if (C == 0) throw EParserException::Create(msg::DivisionByZero);
  SetReal(Result, CheckReal(S / C));
}

// The reciprocals name themselves in their messages with these fixed words.
TALVEX_PROC(FnSec) {
  const Extended C = Cosine(Op, Args[0]);
  if (C == 0) throw EParserException::CreateFmt(msg::DivisionByZeroIn, {"sec"});
  SetReal(Result, CheckReal(1 / C));
}

TALVEX_PROC(FnCosec) {
  const Extended S = Sine(Op, Args[0]);
  if (S == 0) throw EParserException::CreateFmt(msg::DivisionByZeroIn, {"cosec"});
  SetReal(Result, CheckReal(1 / S));
}

TALVEX_PROC(FnArcSin) { StoreArcSin(Op, AsReal(Args[0]), Result); }

TALVEX_PROC(FnArcCos) { StoreArcCos(Op, AsReal(Args[0]), Result); }

TALVEX_PROC(FnArcTan) { StoreAngle(Op, x87::Atan2(AsReal(Args[0]), 1), Result); }

TALVEX_PROC(FnArcSec) {
  const Extended X = AsReal(Args[0]);
  if (X == 0) throw EParserException::CreateFmt(msg::DivisionByZeroIn, {"Arcsec"});
  StoreArcCos(Op, 1 / X, Result);
}

TALVEX_PROC(FnArcCosec) {
  const Extended X = AsReal(Args[0]);
  if (X == 0) throw EParserException::CreateFmt(msg::DivisionByZeroIn, {"arccosec"});
  StoreArcSin(Op, 1 / X, Result);
}

}  // namespace talvex
