// Elementary real functions in 80-bit arithmetic, on the x87 instructions.
// Every function is total: a finite result, or EInvalidOp / EZeroDivide /
// EOverflow exactly where the processor's exceptions would have been raised.
#pragma once

namespace talvex {

inline constexpr long double Ln2 = 0xb17217f7d1cf79acp-64L;
inline constexpr long double Log2E = 0xb8aa3b295c17f0bcp-63L;

// The angle unit factors, each the exact ratio rounded to 64 bits.
inline constexpr long double DegreesToRadians = 0x8efa351294e9c8aep-69L;  // pi/180
inline constexpr long double RadiansToDegrees = 0xe52ee0d31e0fbdc3p-58L;  // 180/pi
inline constexpr long double GradsToRadians = 0x80adfc90b938ce36p-69L;    // pi/200
inline constexpr long double RadiansToGrads = 0xfea5dd5c5a4a6112p-58L;    // 200/pi

long double Ln(long double X);     // EZeroDivide at 0, EInvalidOp below
long double Log2(long double X);
long double Log10(long double X);
long double Exp(long double X);    // EOverflow above about 11356.5; 0 far below
// ln(1 + U): the processor's log2(1 + u) for 0 <= U < 0.25, else of the formed sum.
long double LnXP1(long double U);
// Base ^ Exponent: 1 for exponent 0; whole exponents up to 2^31 - 1 in magnitude
// by repeated squaring; otherwise exp(exponent * ln(base)).
long double Power(long double Base, long double Exponent);
// Base ^ N by repeated squaring; a negative N gives the reciprocal, and
// EOverflow when the power it is the reciprocal of overflows (a positive N
// leaves the infinity to its caller).
long double IntPower(long double Base, long long N);

}  // namespace talvex
