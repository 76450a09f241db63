// The x87 instructions behind the elementary functions. Both targets run the
// same instructions on the same hardware, so results agree to the last bit;
// the C libraries of the two targets would not.
#pragma once

#include <cmath>
#include <cstdint>

namespace talvex::x87 {

#if defined(__i386__) || defined(__x86_64__)

// Y * log2(X).
inline long double YLog2X(long double Y, long double X) {
  long double R;
  __asm__("fyl2x" : "=t"(R) : "0"(X), "u"(Y) : "st(1)");
  return R;
}

// Y * log2(1 + X), accurate for |X| < 1 - sqrt(2)/2.
inline long double YLog2XP1(long double Y, long double X) {
  long double R;
  __asm__("fyl2xp1" : "=t"(R) : "0"(X), "u"(Y) : "st(1)");
  return R;
}

// 2^X - 1 for |X| <= 1.
inline long double Exp2M1(long double X) {
  long double R;
  __asm__("f2xm1" : "=t"(R) : "0"(X));
  return R;
}

// X * 2^trunc(N).
inline long double Scale(long double X, long double N) {
  long double R;
  __asm__("fscale" : "=t"(R) : "0"(X), "u"(N));
  return R;
}

// The angle of (X, Y) in (-pi, pi].
inline long double Atan2(long double Y, long double X) {
  long double R;
  __asm__("fpatan" : "=t"(R) : "0"(X), "u"(Y) : "st(1)");
  return R;
}

// Sine and cosine; the instructions refuse |X| >= 2^63 (C2 set), where 0 is returned.
inline long double Sin(long double X) {
  if (!(std::fabs(X) < 9223372036854775808.0L)) return 0;
  long double R;
  __asm__("fsin" : "=t"(R) : "0"(X));
  return R;
}

inline long double Cos(long double X) {
  if (!(std::fabs(X) < 9223372036854775808.0L)) return 0;
  long double R;
  __asm__("fcos" : "=t"(R) : "0"(X));
  return R;
}

// The nearest whole number, ties to even, as frndint gives it in the default
// rounding mode. Added to 2^63 a magnitude below it keeps no fraction, and
// the sum is taken back exactly; cheaper than the instruction.
inline long double RoundInt(long double X) {
  const long double A = X < 0 ? -X : X;
  if (!(A < 0x1p63L)) return X;  // whole already, infinite or NaN
  const long double R = (A + 0x1p63L) - 0x1p63L;
  return X < 0 ? -R : (X > 0 ? R : X);  // a zero keeps its sign
}

// A whole X of magnitude below 2^63 as an integer: exact in any rounding
// mode, and without the change of control word a C++ conversion makes.
inline int64_t WholeToInt64(long double X) {
  int64_t R;
  __asm__("fistpll %0" : "=m"(R) : "t"(X) : "st");
  return R;
}

#else

inline int64_t WholeToInt64(long double X) { return static_cast<int64_t>(X); }
inline long double YLog2X(long double Y, long double X) { return Y * std::log2(X); }
inline long double YLog2XP1(long double Y, long double X) { return Y * std::log1p(X) / std::log(2.0L); }
inline long double Exp2M1(long double X) { return std::expm1(X * std::log(2.0L)); }
inline long double Scale(long double X, long double N) { return std::scalbn(X, static_cast<int>(N)); }
inline long double Atan2(long double Y, long double X) { return std::atan2(Y, X); }
inline long double Sin(long double X) { return std::sin(X); }
inline long double Cos(long double X) { return std::cos(X); }
inline long double RoundInt(long double X) { return std::nearbyint(X); }

#endif

}  // namespace talvex::x87
