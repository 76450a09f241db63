// Exact-arithmetic helpers: whole-number tests, checked conversions from reals,
// wrapping 64-bit integer arithmetic, and small text helpers. Every function is
// total: a result or an exception, never undefined behaviour.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// Greatest common divisor of |A| and |B| by Euclid's algorithm (on unsigned
// magnitudes, so INT64_MIN is fine); Gcd64(A, 0) = |A|, Gcd64(0, 0) = 0. The
// result is returned as unsigned because Gcd64(INT64_MIN, 0) is 2^63.
uint64_t Gcd64(int64_t A, int64_t B);

// |X| < 9223372036854775807 and X has no fractional part.
bool IsWholeInt64(long double X);

// Truncation toward zero and the fractional part X - Trunc(X), exact.
long double TruncReal(long double X);
long double FracReal(long double X);

// Nearest integer, halves to even, exact.
long double RoundHalfEven(long double X);

// Checked conversions: EInvalidOp when the (truncated or rounded) value lies
// outside the signed 64-bit range or X is not finite.
int64_t TruncToInt64(long double X);
int64_t RoundToInt64(long double X);

// A real result of an operation: EInvalidOp for a NaN, EOverflow for an infinity.
long double CheckReal(long double X);

// Wrapping 64-bit arithmetic (modulo 2^64).
inline int64_t WrapAdd(int64_t A, int64_t B) { return static_cast<int64_t>(static_cast<uint64_t>(A) + static_cast<uint64_t>(B)); }
inline int64_t WrapSub(int64_t A, int64_t B) { return static_cast<int64_t>(static_cast<uint64_t>(A) - static_cast<uint64_t>(B)); }
inline int64_t WrapMul(int64_t A, int64_t B) { return static_cast<int64_t>(static_cast<uint64_t>(A) * static_cast<uint64_t>(B)); }
inline int64_t WrapNeg(int64_t A) { return static_cast<int64_t>(0 - static_cast<uint64_t>(A)); }

// Exact fraction arithmetic on N1/D1 and N2/D2 with positive denominators:
// the sum (the difference with Subtract) and the product, with the common
// factors taken out before multiplying (Knuth, TAOCP 4.5.1), so that an exact
// result that fits is found however large the naive cross products are. The
// result is reduced when both operands are. False, nothing written, when a
// numerator or denominator would leave 64 bits.
bool FractionSum(int64_t N1, int64_t D1, int64_t N2, int64_t D2, bool Subtract, int64_t& N, int64_t& D);
bool FractionProduct(int64_t N1, int64_t D1, int64_t N2, int64_t D2, int64_t& N, int64_t& D);

// Text with every Ch removed.
std::string DeleteChar(std::string_view Text, char Ch);

}  // namespace talvex
