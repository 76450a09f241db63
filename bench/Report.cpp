#include "bench/Report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace talvex::bench {
namespace {

std::string Trim(std::string_view S) {
  const auto First = S.find_first_not_of(" \t\r");
  if (First == std::string_view::npos) return {};
  const auto Last = S.find_last_not_of(" \t\r");
  return std::string(S.substr(First, Last - First + 1));
}

}  // namespace

std::string Fixed(double X, int Decimals) {
  if (std::isnan(X)) return "nan";
  const bool Negative = X < 0;
  int64_t Scale = 1;
  for (int I = 0; I < Decimals; ++I) Scale *= 10;
  const double Scaled = std::fabs(X) * static_cast<double>(Scale);
  if (!(Scaled < 9e18)) return Negative ? "-huge" : "huge";
  const auto N = static_cast<int64_t>(std::llround(Scaled));
  std::string Out = Negative && N != 0 ? "-" : "";
  Out += std::to_string(N / Scale);
  if (Decimals > 0) {
    std::string Fraction = std::to_string(N % Scale);
    Out += '.';
    Out.append(static_cast<std::size_t>(Decimals) - Fraction.size(), '0');
    Out += Fraction;
  }
  return Out;
}

std::string Duration(double Nanoseconds) {
  std::string Out = Nanoseconds < 10000 ? Fixed(Nanoseconds, 0) : Fixed(Nanoseconds / 1000, 1);
  Out += Nanoseconds < 10000 ? " ns" : " us";
  return Out;
}

double Median(std::vector<double> Values) {
  if (Values.empty()) return NAN;
  std::sort(Values.begin(), Values.end());
  const std::size_t Mid = Values.size() / 2;
  return Values.size() % 2 ? Values[Mid] : (Values[Mid - 1] + Values[Mid]) / 2;
}

std::string Column(std::string_view Text, std::size_t Width) {
  std::string Out(Text.substr(0, Text.size() > Width ? Width - 3 : Text.size()));
  if (Text.size() > Width) Out += "...";
  // Pad by characters, not bytes: UTF-8 continuation bytes take no column.
  std::size_t Columns = 0;
  for (unsigned char C : Out) Columns += (C & 0xC0) != 0x80;
  if (Columns < Width) Out += std::string(Width - Columns, ' ');
  return Out;
}

std::vector<TTypical> ReadTypical(const std::string& Path) {
  std::ifstream File(Path);
  if (!File) throw std::runtime_error("cannot read " + Path);
  std::vector<TTypical> Rows;
  std::string Line;
  while (std::getline(File, Line)) {
    if (Trim(Line).empty() || Trim(Line)[0] == '#') continue;
    std::vector<std::string> Parts;
    std::size_t Start = 0;
    for (;;) {
      const std::size_t Bar = Line.find('|', Start);
      Parts.push_back(Trim(std::string_view(Line).substr(Start, Bar == std::string::npos ? std::string::npos : Bar - Start)));
      if (Bar == std::string::npos) break;
      Start = Bar + 1;
    }
    TTypical Row;
    Row.Talvex = Parts[0];
    Row.MuParser = Parts.size() > 1 && !Parts[1].empty() ? Parts[1] : Row.Talvex;
    Row.Qalculate = Parts.size() > 2 && !Parts[2].empty() ? Parts[2] : Row.Talvex;
    Rows.push_back(std::move(Row));
  }
  return Rows;
}

}  // namespace talvex::bench
