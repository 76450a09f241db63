#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// Digits weighted by powers of Radix, from the last character to the first, in
// 64-bit arithmetic that wraps (64 binary ones read back as -1). A character with
// code up to 64 counts as code - 48, a higher one (upper-cased) as code - 55.
// Digits are not validated: callers pass only characters of the radix.
int64_t RadixTextToInt(std::string_view Text, int Radix);

// Two's-complement digits of the 64-bit pattern, most significant first, no
// leading zeros; "0" for 0 (-1 gives 64 ones, or 1 and twenty-one 7s in octal).
std::string IntToBinText(int64_t N);
std::string IntToOctText(int64_t N);
// Upper-case hexadecimal digits of the pattern (-1 gives sixteen F).
std::string IntToHexText(int64_t N);

}  // namespace talvex
