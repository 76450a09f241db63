// Text helpers of the benchmark's report: fixed-point figures without printf
// formatting of floating-point values, medians, and the typical file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex::bench {

// X with Decimals digits after the point, rounded half away from zero.
std::string Fixed(double X, int Decimals);
// Nanoseconds as "812 ns" or "12.3 us".
std::string Duration(double Nanoseconds);
double Median(std::vector<double> Values);
// Text cut to Width characters with "..." when longer; padded with blanks to Width.
std::string Column(std::string_view Text, std::size_t Width);

struct TTypical {
  std::string Talvex, MuParser, Qalculate;
};
// Lines "Talvex | muparser | libqalculate"; "#" starts a comment line; an empty
// or missing peer column repeats the Talvex text. Raises std::runtime_error
// when the file cannot be read.
std::vector<TTypical> ReadTypical(const std::string& Path);

}  // namespace talvex::bench
