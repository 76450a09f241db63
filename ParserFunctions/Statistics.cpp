// Statistics over argument lists. Every argument is first rounded to double
// precision; sums and quotients are then formed in 80-bit arithmetic or wider.
#include <algorithm>
#include <cmath>
#include <vector>

#include "ParserFunctions/Functions.h"
#include "ParserFunctions/WideReal.h"
#include "ParserLib/Exact.h"
#include "ParserLib/Messages.h"

namespace talvex {
namespace {

// Reals from here on round to infinity as doubles (half an ulp above DBL_MAX).
constexpr Extended DoubleOverflow = 0x1.fffffffffffff8p1023L;

double ToDouble(Extended X) {
  if (!(std::fabs(X) < DoubleOverflow)) throw EOverflow();
  return static_cast<double>(X);
}

std::vector<double> WorkingArray(std::span<const TCalcValue> Args) {
  std::vector<double> Values;
  Values.reserve(Args.size());
  for (const TCalcValue& Arg : Args) Values.push_back(ToDouble(AsReal(Arg)));
  return Values;
}

void RequireCount(std::span<const TCalcValue> Args, std::size_t Minimum, std::string_view Word) {
  if (Args.size() < Minimum) throw EParserException::CreateFmt(msg::NotEnoughArguments, {Word});
}

// S and Q accumulated in about 128 bits, so that T = Q - S^2/N keeps its digits
// however far the values lie from 0 (data around 1E10 with a spread of 1 would
// otherwise lose all of them).
struct TSums {
  TWideReal S, Q;
  Extended N = 0;
};

TSums SumsOf(const std::vector<double>& Values) {
  TSums Sums;
  for (const double X : Values) {
    Sums.S = Sums.S + TWideReal{X, 0};
    Sums.Q = Sums.Q + TwoProduct(X, X);
  }
  Sums.N = static_cast<Extended>(Values.size());
  return Sums;
}

// The total of squared deviations. Its true value is never negative; only
// rounding could make it so, and a list of equal values has none.
Extended TotalSquares(std::span<const TCalcValue> Args) {
  const TSums Sums = SumsOf(WorkingArray(Args));
  const TWideReal N{Sums.N, 0};
  const Extended T = CheckReal(Rounded(Sums.Q - Sums.S * Sums.S / N));
  return T < 0 ? 0 : T;
}

Extended Checked(TWideReal X) { return CheckReal(Rounded(X)); }

}  // namespace

TALVEX_PROC(FnSum) { SetReal(Result, Checked(SumsOf(WorkingArray(Args)).S)); }

TALVEX_PROC(FnSumSq) { SetReal(Result, Checked(SumsOf(WorkingArray(Args)).Q)); }

TALVEX_PROC(FnAvg) {
  const TSums Sums = SumsOf(WorkingArray(Args));
  SetReal(Result, Checked(Sums.S / TWideReal{Sums.N, 0}));
}

TALVEX_PROC(FnNorm) { SetReal(Result, std::sqrt(Checked(SumsOf(WorkingArray(Args)).Q))); }

// The chosen element itself; a later equal element does not replace it.
TALVEX_PROC(FnMin) {
  const std::vector<double> Values = WorkingArray(Args);
  double M = Values[0];
  for (const double X : Values)
    if (X < M) M = X;
  SetReal(Result, M);
}

TALVEX_PROC(FnMax) {
  const std::vector<double> Values = WorkingArray(Args);
  double M = Values[0];
  for (const double X : Values)
    if (X > M) M = X;
  SetReal(Result, M);
}

TALVEX_PROC(FnVarT) { SetReal(Result, TotalSquares(Args)); }

TALVEX_PROC(FnVarP) {
  SetReal(Result, TotalSquares(Args) / static_cast<Extended>(Args.size()));
}

TALVEX_PROC(FnVarS) {
  RequireCount(Args, 2, "VarS");
  SetReal(Result, TotalSquares(Args) / static_cast<Extended>(Args.size() - 1));
}

TALVEX_PROC(FnStdP) {
  SetReal(Result, std::sqrt(TotalSquares(Args) / static_cast<Extended>(Args.size())));
}

TALVEX_PROC(FnStd) {
  RequireCount(Args, 2, "STD");
  SetReal(Result, std::sqrt(TotalSquares(Args) / static_cast<Extended>(Args.size() - 1)));
}

TALVEX_PROC(FnCount) { SetInteger(Result, static_cast<int64_t>(Args.size())); }

// The median of the values: the middle one after sorting, or the mean of the
// two middle ones.
TALVEX_PROC(FnMediana) {
  std::vector<double> Values = WorkingArray(Args);
  std::sort(Values.begin(), Values.end());
  const std::size_t Middle = Values.size() / 2;
  if (Values.size() % 2 != 0)
    SetReal(Result, Values[Middle]);
  else
    SetReal(Result, (static_cast<Extended>(Values[Middle - 1]) + Values[Middle]) / 2);
}

}  // namespace talvex
