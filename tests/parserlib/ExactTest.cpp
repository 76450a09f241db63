#include "ParserLib/Exact.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ParserLib/RuntimeErrors.h"

namespace talvex {
namespace {

constexpr long double Inf = std::numeric_limits<long double>::infinity();
constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double TwoTo63 = 9223372036854775808.0L;

bool Same(long double A, long double B) { return A == B && std::signbit(A) == std::signbit(B); }

TEST(Gcd64, WorksOnMagnitudes) {
  struct Case { int64_t A, B; uint64_t Gcd; };
  const Case Cases[] = {
      {12, 18, 6},   {-12, 18, 6},        {12, -18, 6},         {0, 0, 0},
      {5, 0, 5},     {0, -7, 7},          {17, 5, 1},           {INT64_MIN, 0, uint64_t{1} << 63},
      {INT64_MIN, INT64_MIN, uint64_t{1} << 63}, {INT64_MIN, 6, 2}, {INT64_MAX, INT64_MIN, 1},
  };
  for (const auto& C : Cases) EXPECT_EQ(Gcd64(C.A, C.B), C.Gcd) << C.A << " " << C.B;
}

TEST(IsWholeInt64, NeedsAWholeValueBelowTheLimit) {
  struct Case { long double X; bool Whole; };
  const Case Cases[] = {
      {3, true},           {-0.0L, true},        {3.5L, false},       {1e-4000L, false},
      {9223372036854775806.0L, true},           {-9223372036854775806.0L, true},
      {9223372036854775807.0L, false},          {-9223372036854775807.0L, false},
      {TwoTo63, false},    {1e30L, false},       {Inf, false},        {NaN, false},
      {4611686018427387903.5L, false},
  };
  for (const auto& C : Cases) EXPECT_EQ(IsWholeInt64(C.X), C.Whole) << static_cast<double>(C.X);
}

TEST(TruncAndFrac, SplitExactly) {
  struct Case { long double X, Trunc, Frac; };
  const Case Cases[] = {
      {2.75L, 2, 0.75L},
      {-2.75L, -2, -0.75L},
      {-0.5L, -0.0L, -0.5L},
      {1e30L, 1e30L, 0},
      {4611686018427387903.75L, 4611686018427387903.0L, 0.75L},
      {-TwoTo63, -TwoTo63, 0},
      {9223372036854775807.5L, 9223372036854775807.0L, 0.5L},  // the sum with 2^63 rounds up
      {-4.5L, -4, -0.5L},
      {3.5L, 3, 0.5L},
      {0x1p-16445L, 0, 0x1p-16445L},
      {0.999999999999999999946L, 0, 0.999999999999999999946L},
  };
  for (const auto& C : Cases) {
    EXPECT_TRUE(Same(TruncReal(C.X), C.Trunc)) << static_cast<double>(C.X);
    EXPECT_TRUE(Same(FracReal(C.X), C.Frac)) << static_cast<double>(C.X);
  }
  EXPECT_TRUE(std::isnan(FracReal(Inf)));
  EXPECT_TRUE(Same(TruncReal(-Inf), -Inf));
}

// Against the conversion to a 64-bit integer, across the magnitudes below 2^63.
TEST(TruncAndFrac, AgreeWithTheIntegerConversion) {
  uint64_t State = 88172645463325252u;
  for (int I = 0; I < 200000; ++I) {
    State ^= State << 13, State ^= State >> 7, State ^= State << 17;
    const int Bits = static_cast<int>(State % 64);
    const long double X = std::ldexp(static_cast<long double>(State | 1), Bits - 64) * ((State >> 40) & 1 ? -1 : 1);
    const auto Whole = static_cast<long double>(static_cast<int64_t>(X));
    ASSERT_TRUE(Same(TruncReal(X), std::signbit(X) ? -std::fabs(Whole) : Whole)) << static_cast<double>(X);
  }
}

TEST(RoundHalfEven, SendsTiesToEven) {
  struct Case { long double X, Rounded; };
  const Case Cases[] = {
      {0.5L, 0},        {1.5L, 2},          {2.5L, 2},           {-2.5L, -2},
      {-3.5L, -4},      {0x9fffffffffffffffp-62L, 2},            {0xa000000000000001p-62L, 3},  // 2.5 -+ one unit
      {-0.4L, -0.0L},   {4611686018427387903.5L, 4611686018427387904.0L},
      {1e30L, 1e30L},
  };
  for (const auto& C : Cases) EXPECT_TRUE(Same(RoundHalfEven(C.X), C.Rounded)) << static_cast<double>(C.X);
}

TEST(CheckedConversions, RefuseValuesOutsideInt64) {
  EXPECT_EQ(TruncToInt64(-TwoTo63), INT64_MIN);
  EXPECT_EQ(TruncToInt64(9223372036854775807.5L), INT64_MAX);
  EXPECT_EQ(TruncToInt64(-2.9L), -2);
  EXPECT_EQ(RoundToInt64(2.5L), 2);
  EXPECT_EQ(RoundToInt64(-9223372036854775807.5L), INT64_MIN);
  EXPECT_EQ(RoundToInt64(-2.6L), -3);
  for (long double X : {TwoTo63, -TwoTo63 - 2, 1e30L, Inf, -Inf, NaN}) {
    EXPECT_THROW(TruncToInt64(X), EInvalidOp) << static_cast<double>(X);
    EXPECT_THROW(RoundToInt64(X), EInvalidOp) << static_cast<double>(X);
  }
  // Rounds to 2^63, one past the largest Int64.
  EXPECT_THROW(RoundToInt64(9223372036854775807.5L), EInvalidOp);
}

TEST(CheckReal, TurnsNonFiniteResultsIntoErrors) {
  EXPECT_EQ(CheckReal(1.5L), 1.5L);
  EXPECT_THROW(CheckReal(NaN), EInvalidOp);
  EXPECT_THROW(CheckReal(Inf), EOverflow);
  EXPECT_THROW(CheckReal(-Inf), EOverflow);
}

TEST(DeleteChar, RemovesEveryOccurrence) {
  EXPECT_EQ(DeleteChar("1`234`567", '`'), "1234567");
  EXPECT_EQ(DeleteChar("aaa", 'a'), "");
  EXPECT_EQ(DeleteChar("", 'a'), "");
  EXPECT_EQ(DeleteChar("1 234,5", ' '), "1234,5");
}

}  // namespace
}  // namespace talvex
