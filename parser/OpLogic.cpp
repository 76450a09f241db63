// Logic, bitwise operators, shifts, div and mod. Integer work is done on the
// 64-bit patterns in unsigned arithmetic.
#include "ParserLib/Exact.h"
#include "ParserLib/Messages.h"
#include "parser/Operators.h"

namespace talvex {
namespace {

bool IsCSet(const TOperator& Op) { return Op.Parser->Syntax == smC; }

bool IsWholeKind(const TCalcValue& V) { return V.Kind == vkInteger || V.Kind == vkReal; }

uint64_t Bits(const TCalcValue& V) { return static_cast<uint64_t>(AsInteger(V)); }

void SetBits(TCalcValue& Result, uint64_t Pattern) { SetInteger(Result, static_cast<int64_t>(Pattern)); }

enum class TLogic { And, Or };

void WordLogic(std::span<const TCalcValue> Args, TCalcValue& Result, TLogic Kind) {
  const TCalcValue &L = Args[0], &R = Args[1];
  if (L.Kind == vkBoolean) {
    // Short circuit: the right operand is not examined at all.
    const bool Left = L.BoolValue;
    if (Kind == TLogic::And && !Left) return SetBoolean(Result, false);
    if (Kind == TLogic::Or && Left) return SetBoolean(Result, true);
    return SetBoolean(Result, AsBoolean(R));
  }
  if (!IsWholeKind(L)) RaiseKindError(L);
  const uint64_t A = Bits(L), B = Bits(R);
  SetBits(Result, Kind == TLogic::And ? (A & B) : (A | B));
}

void CLogic(std::span<const TCalcValue> Args, TCalcValue& Result, TLogic Kind) {
  const bool Left = AsBoolean(Args[0], true);
  if (Kind == TLogic::And && !Left) return SetInteger(Result, 0);
  if (Kind == TLogic::Or && Left) return SetInteger(Result, 1);
  SetInteger(Result, AsBoolean(Args[1], true) ? 1 : 0);
}

}  // namespace

TALVEX_PROC(OpAnd) {
  if (IsCSet(Op)) CLogic(Args, Result, TLogic::And); else WordLogic(Args, Result, TLogic::And);
}

TALVEX_PROC(OpOr) {
  if (IsCSet(Op)) CLogic(Args, Result, TLogic::Or); else WordLogic(Args, Result, TLogic::Or);
}

TALVEX_PROC(OpXor) {
  const TCalcValue &L = Args[0], &R = Args[1];
  if (L.Kind == vkBoolean) return SetBoolean(Result, L.BoolValue != AsBoolean(R));
  if (!IsWholeKind(L)) RaiseKindError(L);
  const uint64_t A = Bits(L);
  SetBits(Result, A ^ Bits(R));
}

TALVEX_PROC(OpNot) {
  const TCalcValue& V = Args[0];
  if (IsCSet(Op)) return SetInteger(Result, AsBoolean(V, true) ? 0 : 1);
  if (V.Kind == vkBoolean) return SetBoolean(Result, !V.BoolValue);
  if (!IsWholeKind(V)) RaiseKindError(V);
  SetBits(Result, ~Bits(V));
}

TALVEX_PROC(OpBitAnd) {
  if (!IsWholeKind(Args[0])) RaiseKindError(Args[0]);
  const uint64_t A = Bits(Args[0]);
  SetBits(Result, A & Bits(Args[1]));
}

TALVEX_PROC(OpBitOr) {
  if (!IsWholeKind(Args[0])) RaiseKindError(Args[0]);
  const uint64_t A = Bits(Args[0]);
  SetBits(Result, A | Bits(Args[1]));
}

TALVEX_PROC(OpBitXor) {
  const uint64_t A = Bits(Args[0]);
  SetBits(Result, A ^ Bits(Args[1]));
}

TALVEX_PROC(OpBitNot) {
  if (!IsWholeKind(Args[0])) RaiseKindError(Args[0]);
  SetBits(Result, ~Bits(Args[0]));
}

// Counts outside 0..63 shift every bit out.
TALVEX_PROC(OpShl) {
  const int64_t Count = AsInteger(Args[1]);
  const uint64_t Value = Bits(Args[0]);
  SetBits(Result, Count >= 0 && Count < 64 ? Value << Count : 0);
}

TALVEX_PROC(OpShr) {
  const int64_t Count = AsInteger(Args[1]);
  const uint64_t Value = Bits(Args[0]);
  SetBits(Result, Count >= 0 && Count < 64 ? Value >> Count : 0);
}

TALVEX_PROC(OpIntDiv) {
  const int64_t Divisor = AsInteger(Args[1]);
  if (Divisor == 0) throw EParserException::Create(msg::DivisionByZero);
  const int64_t Dividend = AsInteger(Args[0]);
  if (Divisor == -1 && Dividend == INT64_MIN && IntegerOverflowOf(Op) == TIntegerOverflow::Real)
    return SetReal(Result, 9223372036854775808.0L);
  SetInteger(Result, Divisor == -1 ? WrapNeg(Dividend) : Dividend / Divisor);
}

TALVEX_PROC(OpMod) {
  const int64_t Divisor = AsInteger(Args[1]);
  const int64_t Dividend = AsInteger(Args[0]);
  // No zero test of its own: the division error becomes the operator's message.
  if (Divisor == 0) throw EZeroDivide();
  SetInteger(Result, Divisor == -1 ? 0 : Dividend % Divisor);
}

}  // namespace talvex
