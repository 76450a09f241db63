#include "bench/WorstCases.h"

#include <initializer_list>
#include <string_view>

namespace talvex::bench {
namespace {

std::string Repeat(std::string_view Part, std::size_t Count) {
  std::string Out;
  for (std::size_t I = 0; I < Count; ++I) Out += Part;
  return Out;
}

std::string Join(std::initializer_list<std::string_view> Parts) {
  std::string Out;
  for (std::string_view Part : Parts) Out += Part;
  return Out;
}

// Count one-digit terms 1, 2, ..., 9, 1, ... joined by Operator.
std::string Digits(std::size_t Count, char Operator) {
  std::string Out;
  for (std::size_t I = 0; I < Count; ++I) {
    if (I) Out += Operator;
    Out += static_cast<char>('1' + I % 9);
  }
  return Out;
}

TWorstCase Case(std::string Name, std::string Text, std::string Setup = {}, bool HasStrings = false) {
  return {std::move(Name), std::move(Text), std::move(Setup), HasStrings};
}

}  // namespace

std::vector<TWorstCase> WorstCases() {
  const std::string LongName = Repeat("Abcdefghij", 6);  // 60 letters
  return {
      Case("124 nested brackets around 1", Join({Repeat("(", 124), "1", Repeat(")", 124)})),
      Case("125 nested empty brackets", Join({Repeat("(", 125), Repeat(")", 125)})),
      Case("sum of 125 one-digit terms", Digits(125, '+')),
      Case("alternating priorities 1+2*3+2*3...", Join({"1", Repeat("+2*3", 62)})),
      Case("three priorities 1+2*3^2+2*3^2...", Join({"1", Repeat("+2*3^2", 41)})),
      Case("248 prefix minus signs", Join({Repeat("-", 248), "1"})),
      Case("41 nested sqrt calls", Join({Repeat("sqrt(", 41), "1", Repeat(")", 41)})),
      Case("31 function calls in a sum", Join({"1", Repeat("+sqrt(4)", 30)})),
      Case("sum of 49 fractions", Join({"1/2", Repeat("+1/3", 48)})),
      Case("4 long identifiers", Join({LongName, Repeat(Join({"+", LongName}), 3)}), Join({LongName, " := 2"})),
      Case("unknown 250-letter identifier", Repeat("Abcdefghij", 25)),
      Case("250-digit number", Repeat("1234567890", 25)),
      Case("unknown identifier at the end", Join({Repeat("1+", 123), "abc"})),
      Case("long string literal", Join({"\"", Repeat("a", 248), "\""}), {}, true),
      Case("250 quote characters", Repeat("\"", 250), {}, true),
      Case("string sum \"ab\"+\"ab\"+...", Join({"\"ab\"", Repeat("+\"ab\"", 49)}), {}, true),
      Case("250 apostrophes", Repeat("'", 250), {}, true),
  };
}

}  // namespace talvex::bench
