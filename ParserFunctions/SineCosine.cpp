#include "ParserFunctions/SineCosine.h"

#include <cmath>
#include <cstdint>
#include <iterator>

#include "ParserFunctions/WideReal.h"
#include "ParserLib/Exact.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

constexpr long double PiOver4 = 0xc90fdaa22168c235p-64L;
constexpr long double TwoOverPi = 0xa2f9836e4e44152ap-64L;

// pi/2 in pieces of at most 32 bits (the last of 64), about 224 bits in all:
// K * piece is exact for every |K| below 2^32, and the reduced value keeps its
// digits even next to a multiple of pi/2.
constexpr long double HalfPiPieces[] = {
    0xc90fdaa2p-31L, 0x85a308d3p-65L, 0x98cc5170p-100L,
    0xdc1cd129p-135L, 0x93822299p-173L, 0xf31d0082efa98ec5p-237L,
};

// From 2^63 on the instructions give 0, which is what the sine and cosine of
// such magnitudes are taken to be.
constexpr long double ReductionLimit = 9223372036854775808.0L;

struct TReduced {
  TWideReal R;        // X - K * pi/2, |R| <= pi/4
  unsigned Quadrant;  // K mod 4
};

// R - M * Scale * pi/2 with every product exact (|M| < 2^32, Scale a power of
// two). The rounding errors of the subtractions are summed in a pair of their
// own, so a large intermediate value leaves no trace in a small result.
void SubtractHalfPis(long double& Hi, TWideReal& Errors, long double M, long double Scale) {
  for (const long double Piece : HalfPiPieces) {
    const TWideReal S = TwoSum(Hi, -(M * (Scale * Piece)));
    Hi = S.Hi;
    Errors = Errors + TWideReal{S.Lo, 0};
  }
}

TWideReal Combined(long double Hi, TWideReal Errors) {
  const TWideReal S = TwoSum(Hi, Errors.Hi);
  return FastTwoSum(S.Hi, S.Lo + Errors.Lo);
}

TReduced Reduce(long double X) {
  long double K = x87::RoundInt(X * TwoOverPi);
  // A quotient of 2^32 or more is taken in two parts that each keep the products exact.
  const long double High = TruncReal(K * 0x1p-31L);
  const long double Low = K - High * 0x1p31L;
  long double Hi = X;
  TWideReal Errors;
  if (High != 0) SubtractHalfPis(Hi, Errors, High, 0x1p31L);
  SubtractHalfPis(Hi, Errors, Low, 1);
  TWideReal R = Combined(Hi, Errors);
  // X * 2/pi is rounded, so for large X the quotient can be one off.
  if (std::fabs(R.Hi) > PiOver4) {
    const long double Step = R.Hi > 0 ? 1 : -1;
    Hi = R.Hi;
    Errors = {R.Lo, 0};
    SubtractHalfPis(Hi, Errors, Step, 1);
    R = Combined(Hi, Errors);
    K += Step;
  }
  return {R, static_cast<unsigned>(static_cast<int64_t>(K) & 3)};
}

// sin(Hi + Lo) and cos(Hi + Lo) for |Hi| <= pi/4, Lo below half an ulp of Hi.
long double SinOfSum(TWideReal R) { return x87::Sin(R.Hi) + R.Lo * x87::Cos(R.Hi); }
long double CosOfSum(TWideReal R) { return x87::Cos(R.Hi) - R.Lo * x87::Sin(R.Hi); }

}  // namespace

long double SineOfRadians(long double X) {
  const long double A = std::fabs(X);
  if (A <= PiOver4 || !(A < ReductionLimit)) return x87::Sin(X);
  const TReduced T = Reduce(X);
  switch (T.Quadrant) {
    case 0: return SinOfSum(T.R);
    case 1: return CosOfSum(T.R);
    case 2: return -SinOfSum(T.R);
    default: return -CosOfSum(T.R);
  }
}

long double CosineOfRadians(long double X) {
  const long double A = std::fabs(X);
  if (A <= PiOver4 || !(A < ReductionLimit)) return x87::Cos(X);
  const TReduced T = Reduce(X);
  switch (T.Quadrant) {
    case 0: return CosOfSum(T.R);
    case 1: return -SinOfSum(T.R);
    case 2: return -CosOfSum(T.R);
    default: return SinOfSum(T.R);
  }
}

}  // namespace talvex
