// The cheaper replacements of x87 instructions must give the instructions' bits.
#include "ParserLib/X87.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace talvex {
namespace {

#if defined(__i386__) || defined(__x86_64__)

long double Frndint(long double X) {
  long double R;
  __asm__("frndint" : "=t"(R) : "0"(X));
  return R;
}

bool SameBits(long double A, long double B) { return std::memcmp(&A, &B, 10) == 0; }

TEST(X87, RoundIntIsFrndint) {
  const long double Inf = std::numeric_limits<long double>::infinity();
  for (long double X : {0.0L, -0.0L, 0.5L, -0.5L, 1.5L, -1.5L, 2.5L, -2.5L, -0.3L, 0.49999999999999999995L,
                        9223372036854775807.5L, -9223372036854775807.5L, 4611686018427387903.5L, 0x1p63L,
                        -0x1p63L, 1e30L, 0x1p-16445L, -0x1p-16445L, Inf, -Inf})
    EXPECT_TRUE(SameBits(x87::RoundInt(X), Frndint(X))) << static_cast<double>(X);
  uint64_t State = 2463534242u;
  for (int I = 0; I < 100000; ++I) {
    State ^= State << 13, State ^= State >> 7, State ^= State << 17;
    const long double X = std::ldexp(static_cast<long double>(State), static_cast<int>(State % 80) - 100) *
                          ((State >> 33) & 1 ? -1 : 1);
    ASSERT_TRUE(SameBits(x87::RoundInt(X), Frndint(X))) << static_cast<double>(X);
  }
  EXPECT_TRUE(std::isnan(x87::RoundInt(std::numeric_limits<long double>::quiet_NaN())));
}

#endif

}  // namespace
}  // namespace talvex
