#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// Roman numeral to integer in Value. A leading "-" negates; letters a..z are
// upper-cased; any character other than C D I L M V X gives 0. A smaller
// letter before a larger one subtracts (IM is 999, IIX is 10). The empty text
// is 0. False (no number) when the sum leaves the 64-bit range.
bool RomanToInt(std::string_view Text, int64_t& Value);

// Integer to Roman numeral; 0 and negative numbers give the empty text. No upper
// bound here (30000 is thirty M letters); callers refuse large values.
std::string IntToRoman(int32_t N);

}  // namespace talvex
