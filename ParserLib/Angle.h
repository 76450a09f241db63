#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// Degrees before the first "D", minutes before the first "'" (that does not start
// the first "''"), seconds before the first "''"; each part a 32-bit integer read
// by StrToInt32 (EConvertError for bad text, also for an empty part before its
// mark); missing parts count 0. Parts are combined in 64-bit arithmetic, so
// large parts never wrap. 10D30'15'' is 37815, -10D30' is -34200.
int64_t AngleTextToSeconds(std::string_view Text);

// D "D" M "'" S "''" with D = S div 3600, M = (S mod 3600) div 60, S mod 60,
// truncating toward zero: 37815 gives 10D30'15'', -37800 gives -10D-30'0''.
std::string SecondsToAngleText(int64_t Seconds);

}  // namespace talvex
