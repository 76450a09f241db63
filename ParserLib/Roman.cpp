#include "ParserLib/Roman.h"

namespace talvex {
namespace {

// Letter values; 0 marks a character that is not a Roman letter.
int RomanValue(char C) {
  switch (C) {
    case 'C': return 100;
    case 'D': return 500;
    case 'I': return 1;
    case 'L': return 50;
    case 'M': return 1000;
    case 'V': return 5;
    case 'X': return 10;
    default: return 0;
  }
}

char UpperLatin(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

// One decimal place: Nine, Five and One are the letters for 9, 5 and 1 units of it.
void AppendPlace(std::string& Text, int Units, const char* Nine, char Five, const char* Four, char One) {
  if (Units == 9) {
    Text += Nine;
  } else if (Units >= 5) {
    Text += Five;
    Text.append(static_cast<std::size_t>(Units - 5), One);
  } else if (Units == 4) {
    Text += Four;
  } else {
    Text.append(static_cast<std::size_t>(Units), One);
  }
}

}  // namespace

bool RomanToInt(std::string_view Text, int64_t& Value) {
  std::size_t I = 0;
  const bool Negative = !Text.empty() && Text[0] == '-';
  if (Negative) I = 1;
  int64_t Sum = 0;
  Value = 0;
  while (I < Text.size()) {
    const int Current = RomanValue(UpperLatin(Text[I]));
    if (Current == 0) return true;
    const int Next = I + 1 < Text.size() ? RomanValue(UpperLatin(Text[I + 1])) : 0;
    const int Letters = Next > Current ? 2 : 1;
    if (__builtin_add_overflow(Sum, Letters == 2 ? Next - Current : Current, &Sum)) return false;
    I += static_cast<std::size_t>(Letters);
  }
  Value = Negative ? -Sum : Sum;
  return true;
}

std::string IntToRoman(int32_t N) {
  std::string Text;
  if (N <= 0) return Text;
  Text.append(static_cast<std::size_t>(N / 1000), 'M');
  N %= 1000;
  AppendPlace(Text, N / 100, "CM", 'D', "CD", 'C');
  AppendPlace(Text, N / 10 % 10, "XC", 'L', "XL", 'X');
  AppendPlace(Text, N % 10, "IX", 'V', "IV", 'I');
  return Text;
}

}  // namespace talvex
