// The arithmetic that the operator procedures share with the one pass over a
// plain expression: integers and reals meeting in + - * / ^ and the prefix
// signs, the quotient of two integers as a reduced fraction, and exact small
// whole powers. A step gives the result its procedure gives, or declines
// (false, nothing written); the procedure's typed cases then decide, errors
// included. (A step raises only where its procedure raises the same error.)
#pragma once

#include <cmath>
#include <cstdint>

#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "parser/Value.h"

namespace talvex {

// Which step an operator row takes; None for the rows without one.
enum class TNumericStep : uint8_t { None, Add, Subtract, Multiply, Divide, Power, Plus, Negate };

// What an integer sum, difference or product beyond the 64-bit range gives:
// the real result, or the result modulo 2^64 for the syntaxes in which
// programmers count on two's complement.
enum class TIntegerOverflow : uint8_t { Real, Wrap };

namespace step {

template <class TValue>
[[gnu::always_inline]] inline bool IsInteger(const TValue& V) {
  return V.Kind == vkInteger && V.Denominator == 1;
}

// A real with a real or an integer: every typed case of the procedures passes
// them by, and they meet as 80-bit reals.
template <class TValue>
[[gnu::always_inline]] inline bool RealOperands(const TValue& L, const TValue& R, Extended& A, Extended& B) {
  const bool LeftNumber = L.Kind == vkReal || L.Kind == vkInteger;
  const bool RightNumber = R.Kind == vkReal || R.Kind == vkInteger;
  if (!LeftNumber || !RightNumber || (L.Kind == vkInteger && R.Kind == vkInteger)) return false;
  A = L.Kind == vkReal ? L.RealValue : static_cast<Extended>(L.Numerator);
  B = R.Kind == vkReal ? R.RealValue : static_cast<Extended>(R.Numerator);
  return true;
}

template <class TValue>
[[gnu::always_inline]] inline bool StoreFinite(TValue& Out, Extended X) {
  if (!std::isfinite(X)) return false;  // the procedure raises the overflow
  SetReal(Out, X);
  return true;
}

// A nonzero integer to a power from 1 to 63 in integers: while the exact
// power stays below 2^63 - 1, every step of the real repeated squaring is
// exact as well, so this is the integer the real power would store.
inline bool ExactIntegerPower(int64_t Base, int64_t Exponent, int64_t& Power) {
  if (Base == 0 || Exponent < 1 || Exponent > 63) return false;
  Power = 1;
  for (int64_t K = 0; K < Exponent; ++K)
    if (__builtin_mul_overflow(Power, Base, &Power) || Power == INT64_MIN || Power == INT64_MAX ||
        Power == INT64_MIN + 1)
      return false;
  return true;
}

// Out of line, as Power: the sums and products are the steps taken most.
template <class TValue>
[[gnu::noinline]] bool Divide(const TValue& L, const TValue& R, TValue& Out) {
  Extended A = 0, B = 0;
  if (RealOperands(L, R, A, B)) return B != 0 && StoreFinite(Out, A / B);
  if (!IsInteger(L) || !IsInteger(R) || R.Numerator == 0) return false;
  int64_t Num = L.Numerator, Den = R.Numerator;
  // A quotient beyond the 64-bit fractions (-2^63 / -1, 1 / -2^63) is left to
  // the procedure, which makes a real of it.
  if (!ReduceFraction(Num, Den)) return false;
  Out.Kind = Den == 1 ? vkInteger : vkFraction;
  Out.Numerator = Num;
  Out.Denominator = Den;
  return true;
}

// A number to a whole power is the repeated squaring Power does for whole
// exponents; the zero base and every other exponent are left to Power.
template <class TValue>
[[gnu::noinline]] bool Power(const TValue& L, const TValue& R, TValue& Out) {
  if (!IsInteger(R) || R.Numerator == 0) return false;
  int64_t Exact = 0;
  if (IsInteger(L) && ExactIntegerPower(L.Numerator, R.Numerator, Exact)) {
    SetInteger(Out, Exact);
    return true;
  }
  if (!(L.Kind == vkReal || IsInteger(L)) || R.Numerator < -2147483647 || R.Numerator > 2147483647) return false;
  const Extended A = L.Kind == vkReal ? L.RealValue : static_cast<Extended>(L.Numerator);
  return A != 0 && StoreFinite(Out, IntPower(A, R.Numerator));
}

}  // namespace step

// Out := L Op R. Out may be L itself: both operands are read before it is written.
template <class TValue>
[[gnu::always_inline]] inline bool NumericStep(TNumericStep Op, const TValue& L, const TValue& R, TValue& Out,
                                               TIntegerOverflow Overflow) {
  if (Op == TNumericStep::Divide) return step::Divide(L, R, Out);
  if (Op == TNumericStep::Power) return step::Power(L, R, Out);
  Extended A = 0, B = 0;
  if (step::IsInteger(L) && step::IsInteger(R)) {
    int64_t N = 0;  // the builtins leave the result modulo 2^64 here
    bool Overflowed = false;
    switch (Op) {
      case TNumericStep::Add: Overflowed = __builtin_add_overflow(L.Numerator, R.Numerator, &N); break;
      case TNumericStep::Subtract: Overflowed = __builtin_sub_overflow(L.Numerator, R.Numerator, &N); break;
      case TNumericStep::Multiply: Overflowed = __builtin_mul_overflow(L.Numerator, R.Numerator, &N); break;
      default: return false;
    }
    if (!Overflowed || Overflow == TIntegerOverflow::Wrap) {
      SetInteger(Out, N);
      return true;
    }
    A = static_cast<Extended>(L.Numerator);
    B = static_cast<Extended>(R.Numerator);
  } else if (!step::RealOperands(L, R, A, B)) {
    return false;
  }
  switch (Op) {
    case TNumericStep::Add: return step::StoreFinite(Out, A + B);
    case TNumericStep::Subtract: return step::StoreFinite(Out, A - B);
    case TNumericStep::Multiply: return step::StoreFinite(Out, A * B);
    default: return false;
  }
}

// Out := Op V for the prefix signs. Out may be V itself.
template <class TValue>
[[gnu::always_inline]] inline bool NumericStep(TNumericStep Op, const TValue& V, TValue& Out) {
  if (Op == TNumericStep::Plus) {
    Out = V;
    return true;
  }
  if (Op != TNumericStep::Negate) return false;
  // -N is an integer again while |N| stays below 2^63 - 1, as SetReal keeps it.
  if (step::IsInteger(V) && V.Numerator > INT64_MIN + 1 && V.Numerator < INT64_MAX) {
    SetInteger(Out, -V.Numerator);
    return true;
  }
  if (V.Kind != vkReal) return false;
  SetReal(Out, -V.RealValue);
  return true;
}

}  // namespace talvex
