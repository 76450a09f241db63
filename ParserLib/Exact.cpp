#include "ParserLib/Exact.h"

#include <cmath>
#include <limits>

#include "ParserLib/RuntimeErrors.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

// 2^63: from here on every real is a whole number, and the first magnitude
// outside the signed 64-bit range.
constexpr long double TwoTo63 = 9223372036854775808.0L;

bool IsOdd(long double WholeBelowTwoTo63) {
  const int64_t N = static_cast<int64_t>(WholeBelowTwoTo63);
  return (static_cast<uint64_t>(N) & 1) != 0;
}

}  // namespace

uint64_t Gcd64(int64_t A, int64_t B) {
  uint64_t X = A < 0 ? 0 - static_cast<uint64_t>(A) : static_cast<uint64_t>(A);
  uint64_t Y = B < 0 ? 0 - static_cast<uint64_t>(B) : static_cast<uint64_t>(B);
  while (X != 0 && Y != 0) {
    if (X > Y)
      X %= Y;
    else
      Y %= X;
  }
  return X + Y;
}

bool IsWholeInt64(long double X) {
  return std::fabs(X) < 9223372036854775807.0L && FracReal(X) == 0;
}

long double TruncReal(long double X) {
  const long double A = std::fabs(X);
  if (!(A < TwoTo63)) return X;  // whole already, or not finite
  // The nearest whole number, one less where that is above: this spares the
  // conversion to an integer its two changes of the control word.
  long double T = x87::RoundInt(A);
  if (T > A) T -= 1;
  return std::signbit(X) ? -T : T;  // -0.5 truncates to -0
}

long double FracReal(long double X) {
  if (std::isinf(X)) return std::numeric_limits<long double>::quiet_NaN();
  return X - TruncReal(X);
}

long double RoundHalfEven(long double X) {
  if (!(std::fabs(X) < TwoTo63)) return X;
  const long double T = TruncReal(X);
  const long double F = std::fabs(X - T);
  const long double Step = std::signbit(X) ? -1.0L : 1.0L;
  if (F > 0.5L || (F == 0.5L && IsOdd(T))) return T + Step;
  return T;
}

int64_t TruncToInt64(long double X) {
  const long double T = TruncReal(X);
  if (!(T >= -TwoTo63 && T < TwoTo63)) throw EInvalidOp();
  return static_cast<int64_t>(T);
}

int64_t RoundToInt64(long double X) {
  const long double R = RoundHalfEven(X);
  if (!(R >= -TwoTo63 && R < TwoTo63)) throw EInvalidOp();
  return static_cast<int64_t>(R);
}

long double CheckReal(long double X) {
  if (std::isnan(X)) throw EInvalidOp();
  if (std::isinf(X)) throw EOverflow();
  return X;
}

bool FractionSum(int64_t N1, int64_t D1, int64_t N2, int64_t D2, bool Subtract, int64_t& N, int64_t& D) {
  // Every common divisor of two positive int64 values is one as well.
  const auto G = static_cast<int64_t>(Gcd64(D1, D2));
  int64_t Left = 0, Right = 0, T = 0;
  if (__builtin_mul_overflow(N1, D2 / G, &Left) || __builtin_mul_overflow(N2, D1 / G, &Right) ||
      (Subtract ? __builtin_sub_overflow(Left, Right, &T) : __builtin_add_overflow(Left, Right, &T)))
    return false;
  // What T shares with the denominator D1 / G * D2 it shares with G.
  const auto G2 = static_cast<int64_t>(Gcd64(T, G));
  int64_t Den = 0;
  if (__builtin_mul_overflow(D1 / G, D2 / G2, &Den)) return false;
  N = T / G2;
  D = Den;
  return true;
}

bool FractionProduct(int64_t N1, int64_t D1, int64_t N2, int64_t D2, int64_t& N, int64_t& D) {
  // Gcd64(0, D) is D, so a zero numerator gives 0/1.
  const auto G1 = static_cast<int64_t>(Gcd64(N1, D2)), G2 = static_cast<int64_t>(Gcd64(N2, D1));
  int64_t Num = 0, Den = 0;
  if (__builtin_mul_overflow(N1 / G1, N2 / G2, &Num) || __builtin_mul_overflow(D1 / G2, D2 / G1, &Den)) return false;
  N = Num;
  D = Den;
  return true;
}

std::string DeleteChar(std::string_view Text, char Ch) {
  std::string Result;
  Result.reserve(Text.size());
  for (char C : Text)
    if (C != Ch) Result += C;
  return Result;
}

}  // namespace talvex
