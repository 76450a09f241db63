#include "ParserLib/Radix.h"

namespace talvex {
namespace {

// Digits of the unsigned pattern in groups of BitsPerDigit, most significant first.
std::string PatternDigits(int64_t N, unsigned BitsPerDigit) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  uint64_t Pattern = static_cast<uint64_t>(N);
  char Buffer[64];
  std::size_t Pos = sizeof Buffer;
  const uint64_t Mask = (uint64_t{1} << BitsPerDigit) - 1;
  do {
    Buffer[--Pos] = Digits[Pattern & Mask];
    Pattern >>= BitsPerDigit;
  } while (Pattern != 0);
  return std::string(Buffer + Pos, sizeof Buffer - Pos);
}

}  // namespace

int64_t RadixTextToInt(std::string_view Text, int Radix) {
  uint64_t Sum = 0, Weight = 1;
  for (std::size_t I = Text.size(); I-- > 0;) {
    unsigned char C = static_cast<unsigned char>(Text[I]);
    if (C >= 'a' && C <= 'z') C = static_cast<unsigned char>(C - 'a' + 'A');
    const int64_t Digit = C <= 64 ? C - 48 : C - 55;
    Sum += static_cast<uint64_t>(Digit) * Weight;
    Weight *= static_cast<uint64_t>(static_cast<int64_t>(Radix));
  }
  return static_cast<int64_t>(Sum);
}

std::string IntToBinText(int64_t N) { return PatternDigits(N, 1); }
std::string IntToOctText(int64_t N) { return PatternDigits(N, 3); }
std::string IntToHexText(int64_t N) { return PatternDigits(N, 4); }

}  // namespace talvex
