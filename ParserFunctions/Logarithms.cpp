// Logarithms, the exponential, hypot and fact.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ParserFunctions/Functions.h"
#include "ParserFunctions/WideReal.h"
#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

constexpr Extended Int64Limit = 9223372036854775807.0L;
// 1754! is the last factorial below the largest 80-bit real.
constexpr int32_t LargestFactorial = 1754;

// n! with the running product carried in about 128 bits and rounded once, so
// every factorial is the correctly rounded 80-bit value; the product is kept
// below 2^64 by a separate power of two, which keeps it clear of overflow until
// the end.
Extended Factorial(int32_t N) {
  if (N > LargestFactorial) throw EOverflow();
  TWideReal P{1, 0};
  int Exponent = 0;
  for (int32_t K = 2; K <= N; ++K) {
    P = P * TWideReal{static_cast<Extended>(K), 0};
    if (P.Hi >= 0x1p64L) {
      P = {P.Hi * 0x1p-64L, P.Lo * 0x1p-64L};
      Exponent += 64;
    }
  }
  return CheckReal(x87::Scale(Rounded(P), Exponent));
}

}  // namespace

TALVEX_PROC(FnLn) { SetReal(Result, Ln(AsReal(Args[0]))); }

TALVEX_PROC(FnLog10) { SetReal(Result, Log10(AsReal(Args[0]))); }

TALVEX_PROC(FnLog2) { SetReal(Result, Log2(AsReal(Args[0]))); }

// log(base; x): the first argument is the base.
TALVEX_PROC(FnLog) {
  const Extended Base = AsReal(Args[0]);
  const Extended X = AsReal(Args[1]);
  const Extended Numerator = Log2(X);
  const Extended Denominator = Log2(Base);
  if (Denominator == 0) {
    if (Numerator == 0) throw EInvalidOp();
    throw EZeroDivide();
  }
  SetReal(Result, CheckReal(Numerator / Denominator));
}

TALVEX_PROC(FnExp) { SetReal(Result, Exp(AsReal(Args[0]))); }

TALVEX_PROC(FnHypot) {
  const Extended X = std::fabs(AsReal(Args[0]));
  const Extended Y = std::fabs(AsReal(Args[1]));
  const Extended A = std::max(X, Y), B = std::min(X, Y);
  if (B == 0) {
    SetReal(Result, A);
    return;
  }
  const Extended Ratio = B / A;
  SetReal(Result, CheckReal(A * std::sqrt(1 + Ratio * Ratio)));
}

// Only the low 32 bits of the argument count, as a signed number; below 2 the
// product is empty.
TALVEX_PROC(FnFact) {
  const auto N = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(AsInteger(Args[0]))));
  const Extended Product = Factorial(N);
  if (Product < Int64Limit)
    SetInteger(Result, static_cast<int64_t>(Product));
  else
    SetReal(Result, Product);
}

}  // namespace talvex
