#include "ParserFunctions/SineCosine.h"

#include <cmath>
#include <cstdint>
#include <iterator>

#include "ParserFunctions/WideReal.h"
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

// Beyond this the quotient by pi/2 no longer fits 32 bits; the instructions'
// own reduction takes over (and the instructions give 0 from 2^63 on).
constexpr long double ReductionLimit = 4294967296.0L;

struct TReduced {
  TWideReal R;       // X - K * pi/2, |R| <= pi/4 (give or take an ulp)
  unsigned Quadrant;  // K mod 4
};

TReduced Reduce(long double X) {
  const long double K = x87::RoundInt(X * TwoOverPi);
  // X and K * (first piece) are within a factor of two: the first difference is exact.
  TWideReal R{X - K * HalfPiPieces[0], 0};
  for (std::size_t I = 1; I < std::size(HalfPiPieces); ++I) {
    const TWideReal S = TwoSum(R.Hi, -(K * HalfPiPieces[I]));
    R = {S.Hi, R.Lo + S.Lo};
  }
  R = FastTwoSum(R.Hi, R.Lo);
  const auto Quadrant = static_cast<unsigned>(static_cast<int64_t>(K) & 3);
  return {R, Quadrant};
}

// sin(Hi + Lo) and cos(Hi + Lo) for |Hi| <= pi/4, Lo below half an ulp of Hi.
long double SinOfSum(TWideReal R) { return x87::Sin(R.Hi) + R.Lo * x87::Cos(R.Hi); }
long double CosOfSum(TWideReal R) { return x87::Cos(R.Hi) - R.Lo * x87::Sin(R.Hi); }

}  // namespace

long double SineOfRadians(long double X) {
  const long double A = std::fabs(X);
  if (A <= PiOver4) return x87::Sin(X);
  if (!(A < ReductionLimit)) return x87::Sin(X);
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
  if (A <= PiOver4) return x87::Cos(X);
  if (!(A < ReductionLimit)) return x87::Cos(X);
  const TReduced T = Reduce(X);
  switch (T.Quadrant) {
    case 0: return CosOfSum(T.R);
    case 1: return -SinOfSum(T.R);
    case 2: return -CosOfSum(T.R);
    default: return SinOfSum(T.R);
  }
}

}  // namespace talvex
