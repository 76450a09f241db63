// + - * / ^ and the prefix signs: exact for integers and fractions, typed for
// dates, times, angles and percentages, 80-bit real for the rest.
#include <cmath>

#include "ParserLib/CharClasses.h"
#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "ParserLib/Messages.h"
#include "parser/Operators.h"

namespace talvex {
namespace {

bool Is(const TCalcValue& V, TValueKind Kind) { return V.Kind == Kind; }

// Two integers (denominator 1): where every integer sum, difference and product
// ends after the fraction arithmetic, taken directly.
bool BothIntegers(const TCalcValue& L, const TCalcValue& R) {
  return L.Kind == vkInteger && R.Kind == vkInteger && L.Denominator == 1 && R.Denominator == 1;
}

// A real with a real or an integer: every typed case passes them by, and they
// meet as 80-bit reals.
bool RealOperands(const TCalcValue& L, const TCalcValue& R, Extended& A, Extended& B) {
  const bool LeftNumber = L.Kind == vkReal || L.Kind == vkInteger;
  const bool RightNumber = R.Kind == vkReal || R.Kind == vkInteger;
  if (!LeftNumber || !RightNumber || (L.Kind == vkInteger && R.Kind == vkInteger)) return false;
  A = L.Kind == vkReal ? L.RealValue : static_cast<Extended>(L.Numerator);
  B = R.Kind == vkReal ? R.RealValue : static_cast<Extended>(R.Numerator);
  return true;
}

void SetFiniteReal(TCalcValue& Result, Extended X) { SetReal(Result, std::isfinite(X) ? X : CheckReal(X)); }

double CheckDays(double D) {
  if (!std::isfinite(D)) throw EOverflow();
  return D;
}

void SetRealChecked(TCalcValue& Result, Extended X) { SetReal(Result, CheckReal(X)); }

// Whole seconds of arc, ties to even.
int64_t ArcSecondsOf(Extended X) { return RoundToInt64(CheckReal(X)); }

}  // namespace

TALVEX_PROC(OpAdd) {
  const TCalcValue &L = Args[0], &R = Args[1];
  Extended A = 0, B = 0;
  if (BothIntegers(L, R)) {
    SetInteger(Result, WrapAdd(L.Numerator, R.Numerator));
  } else if (RealOperands(L, R, A, B)) {
    SetFiniteReal(Result, A + B);
  } else if (Is(L, vkString) && Is(R, vkString)) {
    const char Quote = Op.Parser->Classes.QuoteChar;
    std::string Joined = Unquote(L.StrValue.View(), Quote);
    Joined += Unquote(R.StrValue.View(), Quote);
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
    SetDegrees(Result, WrapAdd(L.ArcSeconds, AsDegrees(R)));
  } else if (IsIntegral(L) && IsIntegral(R)) {
    SetFraction(Result, WrapAdd(WrapMul(L.Numerator, R.Denominator), WrapMul(R.Numerator, L.Denominator)),
                WrapMul(L.Denominator, R.Denominator));
  } else if (Is(R, vkPercent) && IsNumeric(L)) {
    // The percentage is always added in magnitude: -200 + 10% is -180.
    const Extended X = AsReal(L);
    SetRealChecked(Result, X + std::fabs(X * R.RealValue / 100));
  } else if (Is(L, vkPercent)) {
    SetPercent(Result, CheckReal(AsPercent(L) + AsPercent(R)));
  } else {
    SetRealChecked(Result, AsReal(L) + AsReal(R));
  }
}

TALVEX_PROC(OpUnaryPlus) { Result = Args[0]; }

TALVEX_PROC(OpSubtract) {
  const TCalcValue &L = Args[0], &R = Args[1];
  Extended A = 0, B = 0;
  if (BothIntegers(L, R)) {
    SetInteger(Result, WrapSub(L.Numerator, R.Numerator));
  } else if (RealOperands(L, R, A, B)) {
    SetFiniteReal(Result, A - B);
  } else if (Is(L, vkTime) && Is(R, vkTime)) {
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
    SetFraction(Result, WrapSub(WrapMul(L.Numerator, R.Denominator), WrapMul(R.Numerator, L.Denominator)),
                WrapMul(L.Denominator, R.Denominator));
  } else if (Is(L, vkDegrees)) {
    SetDegrees(Result, WrapSub(L.ArcSeconds, AsDegrees(R)));
  } else if (Is(R, vkPercent) && IsNumeric(L)) {
    const Extended X = AsReal(L);
    SetRealChecked(Result, X - std::fabs(X) * R.RealValue / 100);
  } else if (Is(L, vkPercent)) {
    SetPercent(Result, CheckReal(AsPercent(L) - AsPercent(R)));
  } else {
    SetRealChecked(Result, AsReal(L) - AsReal(R));
  }
}

TALVEX_PROC(OpNegate) {
  const TCalcValue& V = Args[0];
  switch (V.Kind) {
    case vkDegrees: SetDegrees(Result, WrapNeg(V.ArcSeconds)); break;
    case vkFraction: SetFraction(Result, WrapNeg(V.Numerator), V.Denominator); break;
    case vkPercent: SetPercent(Result, -V.RealValue); break;
    default: SetReal(Result, -AsReal(V)); break;
  }
}

TALVEX_PROC(OpMultiply) {
  const TCalcValue &L = Args[0], &R = Args[1];
  Extended A = 0, B = 0;
  if (BothIntegers(L, R)) {
    SetInteger(Result, WrapMul(L.Numerator, R.Numerator));
  } else if (RealOperands(L, R, A, B)) {
    SetFiniteReal(Result, A * B);
  } else if (Is(L, vkDegrees)) {
    SetDegrees(Result, ArcSecondsOf(static_cast<Extended>(L.ArcSeconds) * AsReal(R)));
  } else if (Is(L, vkTime) && (Is(R, vkReal) || Is(R, vkInteger))) {
    SetTime(Result, CheckDays(AsTime(L) * static_cast<double>(AsReal(R))));
  } else if (IsIntegral(L) && IsIntegral(R)) {
    SetFraction(Result, WrapMul(L.Numerator, R.Numerator), WrapMul(L.Denominator, R.Denominator));
  } else if (Is(R, vkPercent) && IsNumeric(L)) {
    SetRealChecked(Result, AsReal(L) * R.RealValue / 100);
  } else {
    SetRealChecked(Result, AsReal(L) * AsReal(R));
  }
}

TALVEX_PROC(OpDivide) {
  const TCalcValue &L = Args[0], &R = Args[1];
  Extended A = 0, B = 0;
  if (RealOperands(L, R, A, B)) {
    if (B == 0) throw EParserException::Create(msg::DivisionByZero);
    SetFiniteReal(Result, A / B);
    return;
  }
  if (BothIntegers(L, R)) {
    // The general cases below, as they fall for two integers.
    if (R.Numerator == 0) throw EParserException::Create(msg::DivisionByZero);
    const TOutputFormat Format = Op.Parser->OutputFormat;
    if (Op.Parser->Syntax == smC && (Format == ofHex || Format == ofOctal || Format == ofBinary))
      SetInteger(Result, R.Numerator == -1 ? WrapNeg(L.Numerator) : L.Numerator / R.Numerator);
    else
      SetFraction(Result, L.Numerator, R.Numerator);
    return;
  }
  if (AsReal(R, true, Op.Parser->Settings) == 0) throw EParserException::Create(msg::DivisionByZero);
  const TOutputFormat Format = Op.Parser->OutputFormat;
  if (Op.Parser->Syntax == smC && Is(L, vkInteger) && Is(R, vkInteger) &&
      (Format == ofHex || Format == ofOctal || Format == ofBinary)) {
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
    SetRealChecked(Result, AsReal(L) / AsReal(R));
  }
}

TALVEX_PROC(OpPower) { SetRealChecked(Result, Power(AsReal(Args[0]), AsReal(Args[1]))); }

}  // namespace talvex
