// Text to number: the runtime's readers for reals and 64/32-bit integers.
// Exact and independent of the C library's locale.
#pragma once

#include <cstdint>
#include <string_view>

namespace talvex {

// Decimal real: optional leading and trailing blanks (space), optional sign,
// digits with at most one DecimalSeparator (at least one digit before or after
// it), optional exponent ("E" or "e", optional sign, at least one digit).
// The value is the correctly rounded (to nearest, ties to even) 80-bit real;
// results that underflow become 0 (or the nearest subnormal). Texts of any
// length and exponents of any size are read without heap and in bounded time.
// Returns false for any other text and for values that round beyond the
// largest finite 80-bit real.
bool TryTextToReal(std::string_view Text, char DecimalSeparator, long double& Value);
// The same; EConvertError instead of false.
long double TextToReal(std::string_view Text, char DecimalSeparator);

// The runtime's integer reader: optional leading blanks, optional sign, then
// decimal digits, or "$" / "0x" / "0X" followed by hexadecimal digits (either
// case). Decimal must fit the type's range; hexadecimal is read as the bit
// pattern and may have at most 16 (or 8) significant digits, so $FFFFFFFFFFFFFFFF
// is -1. Nothing may follow the digits. EConvertError otherwise.
int64_t StrToInt64(std::string_view Text);
int32_t StrToInt32(std::string_view Text);
bool TryStrToInt64(std::string_view Text, int64_t& Value);
bool TryStrToInt32(std::string_view Text, int32_t& Value);

}  // namespace talvex
