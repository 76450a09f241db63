// = <> < > <= >= (and == != of the C set). The left operand's kind chooses how
// both are read; the C set answers 1 or 0 instead of a Boolean.
#include "parser/Operators.h"

namespace talvex {
namespace {

enum class TRelation { Equal, NotEqual, Greater, GreaterEqual, Less, LessEqual };

// -1, 0 or 1.
template <typename T>
int Order(const T& A, const T& B) {
  return A < B ? -1 : (B < A ? 1 : 0);
}

// Read(L), then Read(R), in this order, compared.
template <typename TRead>
int OrderOf(const TRead& Read, const TCalcValue& L, const TCalcValue& R) {
  const auto A = Read(L);
  return Order(A, Read(R));
}

int CompareStrings(std::string_view A, std::string_view B) {
  const std::size_t N = A.size() < B.size() ? A.size() : B.size();
  for (std::size_t I = 0; I < N; ++I) {
    const auto X = static_cast<unsigned char>(A[I]), Y = static_cast<unsigned char>(B[I]);
    if (X != Y) return X < Y ? -1 : 1;
  }
  return Order(A.size(), B.size());
}

// A percentage on either side counts as its number; otherwise R reads strictly.
Extended NumberOf(const TCalcValue& V) { return V.Kind == vkPercent ? V.RealValue : AsReal(V); }

int CompareValues(const TCalcValue& L, const TCalcValue& R, bool CSet) {
  switch (L.Kind) {
    case vkBoolean:
      if (CSet) RaiseKindError(L);
      return OrderOf([](const TCalcValue& V) { return static_cast<int>(AsBoolean(V)); }, L, R);
    case vkInteger:
    case vkReal:
    case vkFraction:
      return OrderOf([](const TCalcValue& V) { return AsReal(V); }, L, R);
    case vkPercent:
      return Order(L.RealValue, NumberOf(R));
    case vkString:
      return CompareStrings(L.StrValue.View(), AsString(R));
    case vkDegrees:
      return Order(L.ArcSeconds, AsDegrees(R));
    case vkDate:
      if (CSet) RaiseKindError(L);
      return OrderOf([](const TCalcValue& V) { return AsDate(V); }, L, R);
    case vkTime:
      if (CSet) RaiseKindError(L);
      return OrderOf([](const TCalcValue& V) { return AsTime(V); }, L, R);
    case vkDateTime:
      if (CSet) RaiseKindError(L);
      return OrderOf([](const TCalcValue& V) { return AsDateTime(V); }, L, R);
    default:
      RaiseKindError(L);
  }
}

void Compare(std::span<const TCalcValue> Args, TOperator& Op, TCalcValue& Result, TRelation Relation) {
  const bool CSet = Op.Parser->Syntax == smC;
  const int C = CompareValues(Args[0], Args[1], CSet);
  bool Holds = false;
  switch (Relation) {
    case TRelation::Equal: Holds = C == 0; break;
    case TRelation::NotEqual: Holds = C != 0; break;
    case TRelation::Greater: Holds = C > 0; break;
    case TRelation::GreaterEqual: Holds = C >= 0; break;
    case TRelation::Less: Holds = C < 0; break;
    case TRelation::LessEqual: Holds = C <= 0; break;
  }
  if (CSet)
    SetInteger(Result, Holds ? 1 : 0);
  else
    SetBoolean(Result, Holds);
}

}  // namespace

TALVEX_PROC(OpEqual) { Compare(Args, Op, Result, TRelation::Equal); }
TALVEX_PROC(OpNotEqual) { Compare(Args, Op, Result, TRelation::NotEqual); }
TALVEX_PROC(OpGreater) { Compare(Args, Op, Result, TRelation::Greater); }
TALVEX_PROC(OpGreaterEqual) { Compare(Args, Op, Result, TRelation::GreaterEqual); }
TALVEX_PROC(OpLess) { Compare(Args, Op, Result, TRelation::Less); }
TALVEX_PROC(OpLessEqual) { Compare(Args, Op, Result, TRelation::LessEqual); }

}  // namespace talvex
