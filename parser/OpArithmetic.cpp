// + - * / ^ and the prefix signs: exact for integers and fractions, typed for
// dates, times, angles and percentages, 80-bit real for the rest.
#include <cmath>

#include "ParserLib/Exact.h"
#include "ParserLib/Messages.h"
#include "ParserLib/RealMath.h"
#include "parser/NumericStep.h"
#include "parser/Operators.h"

namespace talvex {
namespace {

bool Is(const TCalcValue& V, TValueKind Kind) { return V.Kind == Kind; }

double CheckDays(double D) {
  if (!std::isfinite(D)) throw EOverflow();
  return D;
}

void SetRealChecked(TCalcValue& Result, Extended X) { SetReal(Result, CheckReal(X)); }

// Whole seconds of arc, ties to even.
int64_t ArcSecondsOf(Extended X) { return RoundToInt64(CheckReal(X)); }

// Seconds of arc beyond the 64-bit range are an overflow, as a product's are.
int64_t ArcSecondsSum(int64_t A, int64_t B, bool Subtract) {
  int64_t Seconds = 0;
  if (Subtract ? __builtin_sub_overflow(A, B, &Seconds) : __builtin_add_overflow(A, B, &Seconds)) throw EOverflow();
  return Seconds;
}

// L + R, L - R and L * R of two integral values (fractions: two integers
// take the numeric step): exact while the fraction fits, else real.
void SetIntegralSum(TCalcValue& Result, const TCalcValue& L, const TCalcValue& R, bool Subtract) {
  int64_t N = 0, D = 1;
  if (FractionSum(L.Numerator, L.Denominator, R.Numerator, R.Denominator, Subtract, N, D)) return SetFraction(Result, N, D);
  const auto [A, B] = RealsInOrder(L, R);
  SetRealChecked(Result, Subtract ? A - B : A + B);
}

void SetIntegralProduct(TCalcValue& Result, const TCalcValue& L, const TCalcValue& R) {
  int64_t N = 0, D = 1;
  if (FractionProduct(L.Numerator, L.Denominator, R.Numerator, R.Denominator, N, D)) return SetFraction(Result, N, D);
  const auto [A, B] = RealsInOrder(L, R);
  SetRealChecked(Result, A * B);
}

}  // namespace

TALVEX_PROC(OpAdd) {
  const TCalcValue &L = Args[0], &R = Args[1];
  if (NumericStep(TNumericStep::Add, L, R, Result, IntegerOverflowOf(Op))) return;
  if (Is(L, vkString) && Is(R, vkString)) {
    // The texts as they are: a quote character in a string is data (a
    // literal's own quotes are never part of its value).
    std::string Joined(L.StrValue.View());
    Joined += R.StrValue.View();
    SetString(Result, Joined);
  } else if (Is(L, vkDateTime) && Is(R, vkTime)) {
    SetDateTime(Result, CheckDays(AsDateTime(L) + AsTime(R)));
  } else if (Is(L, vkTime) && Is(R, vkDateTime)) {
    SetDateTime(Result, CheckDays(AsTime(L) + AsDateTime(R)));
  } else if (Is(L, vkDate) && Is(R, vkInteger)) {
    SetDate(Result, CheckDays(AsDate(L) + static_cast<double>(R.Numerator)));
  } else if (Is(L, vkInteger) && Is(R, vkDate)) {
    SetDate(Result, std::trunc(CheckDays(static_cast<double>(L.Numerator) + AsDate(R))));
  } else if (Is(L, vkDate) && Is(R, vkTime)) {
    SetDateTime(Result, CheckDays(AsDate(L) + AsTime(R)));
  } else if (Is(L, vkTime) && Is(R, vkDate)) {
    SetDateTime(Result, CheckDays(AsTime(L) + AsDate(R)));
  } else if (Is(L, vkTime)) {
    SetDateTime(Result, CheckDays(AsTime(L) + AsTime(R)));
  } else if (Is(L, vkDegrees)) {
    SetDegrees(Result, ArcSecondsSum(L.ArcSeconds, AsDegrees(R), false));
  } else if (IsIntegral(L) && IsIntegral(R)) {
    SetIntegralSum(Result, L, R, false);
  } else if (Is(R, vkPercent) && IsNumeric(L)) {
    // P per cent of the magnitude of L: -200 + 10% is -180, 200 + -10% is 180.
    const Extended X = AsReal(L);
    SetRealChecked(Result, X + std::fabs(X) * R.RealValue / 100);
  } else if (Is(L, vkPercent)) {
    SetPercent(Result, CheckReal(AsPercent(L) + AsPercent(R)));
  } else {
    const auto [A, B] = RealsInOrder(L, R);
    SetRealChecked(Result, A + B);
  }
}

TALVEX_PROC(OpUnaryPlus) { NumericStep(TNumericStep::Plus, Args[0], Result); }

TALVEX_PROC(OpSubtract) {
  const TCalcValue &L = Args[0], &R = Args[1];
  if (NumericStep(TNumericStep::Subtract, L, R, Result, IntegerOverflowOf(Op))) return;
  if (Is(L, vkTime) && Is(R, vkTime)) {
    // Only the fraction of a day remains: a difference on a 24-hour clock.
    SetTime(Result, AsTime(L) + 10 - AsTime(R));
  } else if (Is(L, vkDateTime) && Is(R, vkTime)) {
    SetDateTime(Result, CheckDays(AsDateTime(L) - AsTime(R)));
  } else if (Is(L, vkTime) && Is(R, vkDateTime)) {
    SetDateTime(Result, CheckDays(AsTime(L) - AsDateTime(R)));
  } else if (Is(L, vkDate) && Is(R, vkInteger)) {
    SetDate(Result, CheckDays(AsDate(L) - static_cast<double>(R.Numerator)));
  } else if (Is(L, vkInteger) && Is(R, vkDate)) {
    SetDate(Result, std::trunc(CheckDays(static_cast<double>(L.Numerator) - AsDate(R))));
  } else if (Is(L, vkTime)) {
    AsTime(R);  // a time minus anything but a time is refused with R's kind
    RaiseKindError(R);
  } else if (IsIntegral(L) && IsIntegral(R)) {
    SetIntegralSum(Result, L, R, true);
  } else if (Is(L, vkDegrees)) {
    SetDegrees(Result, ArcSecondsSum(L.ArcSeconds, AsDegrees(R), true));
  } else if (Is(R, vkPercent) && IsNumeric(L)) {
    const Extended X = AsReal(L);
    SetRealChecked(Result, X - std::fabs(X) * R.RealValue / 100);
  } else if (Is(L, vkPercent)) {
    SetPercent(Result, CheckReal(AsPercent(L) - AsPercent(R)));
  } else {
    const auto [A, B] = RealsInOrder(L, R);
    SetRealChecked(Result, A - B);
  }
}

TALVEX_PROC(OpNegate) {
  const TCalcValue& V = Args[0];
  if (NumericStep(TNumericStep::Negate, V, Result)) return;
  switch (V.Kind) {
    case vkDegrees: SetDegrees(Result, ArcSecondsSum(0, V.ArcSeconds, true)); break;
    case vkFraction:
      // -2^63 has no positive counterpart; the fraction's denominator is odd then.
      if (V.Numerator == INT64_MIN) SetReal(Result, -AsReal(V));
      else SetFraction(Result, -V.Numerator, V.Denominator);
      break;
    case vkPercent: SetPercent(Result, -V.RealValue); break;
    default: SetReal(Result, -AsReal(V)); break;
  }
}

TALVEX_PROC(OpMultiply) {
  const TCalcValue &L = Args[0], &R = Args[1];
  if (NumericStep(TNumericStep::Multiply, L, R, Result, IntegerOverflowOf(Op))) return;
  if (Is(L, vkDegrees)) {
    SetDegrees(Result, ArcSecondsOf(static_cast<Extended>(L.ArcSeconds) * AsReal(R)));
  } else if (Is(L, vkTime) && (Is(R, vkReal) || Is(R, vkInteger))) {
    SetTime(Result, CheckDays(AsTime(L) * static_cast<double>(AsReal(R))));
  } else if (IsIntegral(L) && IsIntegral(R)) {
    SetIntegralProduct(Result, L, R);
  } else if (Is(R, vkPercent) && IsNumeric(L)) {
    SetRealChecked(Result, AsReal(L) * R.RealValue / 100);
  } else {
    const auto [A, B] = RealsInOrder(L, R);
    SetRealChecked(Result, A * B);
  }
}

TALVEX_PROC(OpDivide) {
  const TCalcValue &L = Args[0], &R = Args[1];
  const TOutputFormat Format = Op.Parser->OutputFormat;
  // In the C syntax a quotient shown in a radix is the integer quotient.
  const bool IntegerQuotient = Op.Parser->Syntax == smC && Is(L, vkInteger) && Is(R, vkInteger) &&
                               (Format == ofHex || Format == ofOctal || Format == ofBinary);
  if (!IntegerQuotient && NumericStep(TNumericStep::Divide, L, R, Result, IntegerOverflowOf(Op))) return;
  if (AsReal(R, true, Op.Parser->Settings) == 0) throw EParserException::Create(msg::DivisionByZero);
  if (IntegerQuotient) {
    // INT64_MIN / -1 wraps, as every integer result does.
    SetInteger(Result, R.Numerator == -1 ? WrapNeg(L.Numerator) : L.Numerator / R.Numerator);
  } else if (Is(L, vkDegrees)) {
    SetDegrees(Result, ArcSecondsOf(static_cast<Extended>(L.ArcSeconds) / AsReal(R)));
  } else if (Is(L, vkTime) && (Is(R, vkReal) || Is(R, vkInteger))) {
    SetTime(Result, CheckDays(AsTime(L) / static_cast<double>(AsReal(R))));
  } else if (IsNumeric(L) && Is(R, vkPercent)) {
    SetPercent(Result, CheckReal(AsReal(L) / R.RealValue * 100));
  } else if (Is(L, vkInteger) && Is(R, vkInteger)) {
    SetFraction(Result, L.Numerator, R.Numerator);
  } else {
    const auto [A, B] = RealsInOrder(L, R);
    SetRealChecked(Result, A / B);
  }
}

TALVEX_PROC(OpPower) {
  if (NumericStep(TNumericStep::Power, Args[0], Args[1], Result, IntegerOverflowOf(Op))) return;
  const auto [Base, Exponent] = RealsInOrder(Args[0], Args[1]);
  SetRealChecked(Result, Power(Base, Exponent));
}

}  // namespace talvex
