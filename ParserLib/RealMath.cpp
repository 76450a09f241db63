#include "ParserLib/RealMath.h"

#include <array>
#include <cmath>

#include "ParserLib/Exact.h"
#include "ParserLib/RuntimeErrors.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

// ln 2 split so that N * Ln2High is exact for every |N| below 2^16.
constexpr long double Ln2High = 0xb17217f7d1cfp-48L;
constexpr long double Ln2Low = 0xf35793c7673007e6p-113L;
constexpr long double Log10Of2 = 0x9a209a84fbcff799p-65L;

// 2^K for K in 0..255, and 2^(256 J) for J in -64..63 (at J + 64).
constexpr std::array<long double, 256> SmallPowersOfTwo = [] {
  std::array<long double, 256> P{};
  long double V = 1;
  for (long double& Power : P) {
    Power = V;
    V *= 2;
  }
  return P;
}();
constexpr std::array<long double, 128> LargePowersOfTwo = [] {
  std::array<long double, 128> P{};
  long double Up = 1, Down = 1;
  for (int J = 0; J < 64; ++J) {
    P[static_cast<std::size_t>(64 + J)] = Up;
    if (J < 63) Up *= 0x1p256L;
    Down /= 0x1p256L;
    P[static_cast<std::size_t>(63 - J)] = Down;
  }
  return P;
}();

// X * 2^N for X in [1/2, 2] and a whole N: where the product is a normal
// number it is exact either way, and two multiplications are cheaper than
// fscale; elsewhere fscale rounds it.
long double ScaleByPowerOfTwo(long double X, long double N) {
  if (!(N >= -16300 && N <= 16300)) return x87::Scale(X, N);
  const int K = static_cast<int>(x87::WholeToInt64(N));
  return X * SmallPowersOfTwo[static_cast<std::size_t>(K & 255)] *
         LargePowersOfTwo[static_cast<std::size_t>((K >> 8) + 64)];
}

void CheckLogArgument(long double X) {
  if (std::isnan(X) || X < 0) throw EInvalidOp();
  if (X == 0) throw EZeroDivide();
}

}  // namespace

long double Ln(long double X) {
  CheckLogArgument(X);
  return CheckReal(x87::YLog2X(Ln2, X));
}

long double Log2(long double X) {
  CheckLogArgument(X);
  return CheckReal(x87::YLog2X(1.0L, X));
}

long double Log10(long double X) {
  CheckLogArgument(X);
  // The exact powers of ten give their exponent exactly: fyl2x rounds them to
  // it on some processors and misses by the last bit on others.
  long double Power = 1;
  for (int K = 0; K <= 27 && Power <= X; ++K, Power *= 10)
    if (Power == X) return K;
  return CheckReal(x87::YLog2X(Log10Of2, X));
}

long double Exp(long double X) {
  if (std::isnan(X)) throw EInvalidOp();
  if (X > 11357.3L) throw EOverflow();
  if (X < -11400.0L) return 0;
  // e^X = 2^N * 2^F with N the nearest whole number to X * log2 e; the
  // remainder is formed against a split ln 2 so large X keep all their digits.
  const long double N = x87::RoundInt(X * Log2E);
  const long double R = (X - N * Ln2High) - N * Ln2Low;
  const long double F = R * Log2E;
  return CheckReal(ScaleByPowerOfTwo(x87::Exp2M1(F) + 1.0L, N));
}

long double LnXP1(long double U) {
  if (std::isnan(U)) throw EInvalidOp();
  if (U >= 0 && U < 0.25L) return x87::YLog2XP1(Ln2, U);
  return Ln(1.0L + U);
}

long double IntPower(long double Base, long long N) {
  unsigned long long Bits = N < 0 ? 0ULL - static_cast<unsigned long long>(N) : static_cast<unsigned long long>(N);
  long double Result = 1.0L, Square = Base;
  while (Bits != 0) {
    if (Bits & 1) Result *= Square;
    Bits >>= 1;
    if (Bits != 0) Square *= Square;
  }
  if (N < 0) {
    // A power that overflows is an overflow, also where its reciprocal would
    // be small: 1/infinity is no answer.
    if (std::isinf(Result)) throw EOverflow();
    if (Result == 0) throw EZeroDivide();
    Result = 1.0L / Result;
  }
  return Result;
}

long double Power(long double Base, long double Exponent) {
  if (std::isnan(Base) || std::isnan(Exponent)) throw EInvalidOp();
  if (Exponent == 0) return 1.0L;
  if (Base == 0) {
    if (Exponent > 0) return 0;
    throw EZeroDivide();
  }
  if (FracReal(Exponent) == 0 && std::fabs(Exponent) <= 2147483647.0L)
    return CheckReal(IntPower(Base, static_cast<long long>(Exponent)));
  if (Base < 0) throw EInvalidOp();
  return Exp(Exponent * Ln(Base));
}

}  // namespace talvex
