// The fields of an 80-bit x87 real, read and written through its ten significant
// bytes only: on i686 mingw the type is padded to 12 bytes, on x86-64 to 16,
// and the padding is never looked at.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace talvex {

static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "reals are 80-bit x87 extended precision");

// Exponents of the least significant mantissa bit: of the smallest subnormal
// (also of every subnormal and of the smallest normal) and of the largest real.
constexpr int MinRealExponent = -16445;
constexpr int MaxRealExponent = 16320;

// |X| = Mantissa * 2^Exponent for a finite X.
struct TRealParts {
  bool Negative = false;
  uint64_t Mantissa = 0;
  int Exponent = 0;
};

inline TRealParts DecomposeReal(long double X) {
  // Both targets are little-endian: the mantissa's eight bytes come first.
  TRealParts Parts;
  uint16_t SignExponent = 0;
  std::memcpy(&Parts.Mantissa, &X, sizeof Parts.Mantissa);
  std::memcpy(&SignExponent, reinterpret_cast<const unsigned char*>(&X) + 8, sizeof SignExponent);
  const int Biased = static_cast<int>(SignExponent & 0x7FFF);
  Parts.Negative = (SignExponent & 0x8000) != 0;
  // Subnormals share the scale of the smallest normal exponent.
  Parts.Exponent = (Biased == 0 ? 1 : Biased) - 16383 - 63;
  return Parts;
}

// The real Mantissa * 2^Exponent, given either normalized (top bit set,
// Exponent in MinRealExponent..MaxRealExponent) or subnormal (top bit clear,
// Exponent = MinRealExponent); Mantissa 0 gives a zero of the given sign.
inline long double ComposeReal(bool Negative, uint64_t Mantissa, int Exponent) {
  unsigned char Bytes[10];
  for (int I = 0; I < 8; ++I) Bytes[I] = static_cast<unsigned char>(Mantissa >> (8 * I));
  const unsigned Biased = (Mantissa >> 63) != 0 ? static_cast<unsigned>(Exponent + 16383 + 63) : 0;
  const unsigned SignExponent = Biased | (Negative ? 0x8000u : 0u);
  Bytes[8] = static_cast<unsigned char>(SignExponent);
  Bytes[9] = static_cast<unsigned char>(SignExponent >> 8);
  long double X = 0.0L;
  std::memcpy(&X, Bytes, sizeof Bytes);
  return X;
}

}  // namespace talvex
