// The procedures behind the operator rows and behind abs, SQR, SQRT, round,
// trunc and Int. What an operator does is decided by the kinds of its operands.
#pragma once

#include <utility>

#include "parser/MathParser.h"
#include "parser/NumericStep.h"

namespace talvex {

// The two operands as reals, the left one read first: with two unusable kinds
// the left operand's error is the one raised (C++ leaves the order in which a
// call's arguments or a sum's terms are evaluated open).
inline std::pair<Extended, Extended> RealsInOrder(const TCalcValue& L, const TCalcValue& R) {
  const Extended A = AsReal(L);
  return {A, AsReal(R)};
}

// C and the radix syntaxes keep two's-complement integers; the decimal
// syntaxes give the real result of an integer operation that leaves 64 bits.
inline TIntegerOverflow IntegerOverflowOf(const TOperator& Op) {
  switch (Op.Parser->Syntax) {
    case smC:
    case smHex:
    case smOctal:
    case smBinary: return TIntegerOverflow::Wrap;
    default: return TIntegerOverflow::Real;
  }
}

#define TALVEX_PROC(Name) \
  void Name([[maybe_unused]] std::span<const TCalcValue> Args, [[maybe_unused]] TOperator& Op, \
            [[maybe_unused]] TCalcValue& Result)

TALVEX_PROC(OpAdd);
TALVEX_PROC(OpUnaryPlus);
TALVEX_PROC(OpSubtract);
TALVEX_PROC(OpNegate);
TALVEX_PROC(OpMultiply);
TALVEX_PROC(OpDivide);
TALVEX_PROC(OpPower);

TALVEX_PROC(OpEqual);
TALVEX_PROC(OpNotEqual);
TALVEX_PROC(OpGreater);
TALVEX_PROC(OpGreaterEqual);
TALVEX_PROC(OpLess);
TALVEX_PROC(OpLessEqual);

TALVEX_PROC(OpAnd);
TALVEX_PROC(OpOr);
TALVEX_PROC(OpXor);
TALVEX_PROC(OpNot);
TALVEX_PROC(OpBitAnd);
TALVEX_PROC(OpBitOr);
TALVEX_PROC(OpBitXor);
TALVEX_PROC(OpBitNot);
TALVEX_PROC(OpShl);
TALVEX_PROC(OpShr);
TALVEX_PROC(OpIntDiv);
TALVEX_PROC(OpMod);

TALVEX_PROC(FnAbs);
TALVEX_PROC(FnSqr);
TALVEX_PROC(FnSqrt);
TALVEX_PROC(FnRound);
TALVEX_PROC(FnTrunc);

}  // namespace talvex
