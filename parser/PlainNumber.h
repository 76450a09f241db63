// The common decimal literal, shared by the number reader and the plain
// expression's tokens so the two can never read a number differently.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "parser/Value.h"

namespace talvex {

// The five arithmetic operators, as one bit test.
constexpr bool IsArithmetic(char C) {
  constexpr uint64_t Bits = (uint64_t{1} << ('*' - '*')) | (uint64_t{1} << ('+' - '*')) | (uint64_t{1} << ('-' - '*')) |
                            (uint64_t{1} << ('/' - '*')) | (uint64_t{1} << ('^' - '*'));
  const unsigned Offset = static_cast<unsigned char>(C) - unsigned{'*'};
  return Offset < 64 && ((Bits >> Offset) & 1);
}
constexpr bool IsLiteralEnd(char C) {
  return IsArithmetic(C) || C == ')' || C == '(' || static_cast<unsigned char>(C) <= ' ';
}

struct TPlainNumber {
  bool Whole = false;  // as SetReal would store it: an integer
  int64_t Integer = 0;
  Extended Real = 0;
};

// Digits with at most one decimal separator from Text[I] on, at most 19 digits
// in all, not followed by a character that would make the general readers
// read more ("E", a separator, "%"; with DefaultSyntax also "D", "'" or the
// time separator right after the leading digits, which would make it an angle
// or a time). Its value is then exact: an integer of up to 18 digits, or the
// digits over a power of ten of up to 10^19 in one correctly rounded division,
// which is what the text-to-real reader computes for such digits. On success
// I is just past the literal. The separators must be plain punctuation (see
// TMathParser::TSeparators::Plain).
inline bool ScanPlainNumber(std::string_view Text, std::size_t& I, char Decimal, char Thousand, char Time,
                            bool DefaultSyntax, TPlainNumber& Number) {
  static constexpr uint64_t PowersOfTen[] = {1u,
                                             10u,
                                             100u,
                                             1000u,
                                             10000u,
                                             100000u,
                                             1000000u,
                                             10000000u,
                                             100000000u,
                                             1000000000u,
                                             10000000000u,
                                             100000000000u,
                                             1000000000000u,
                                             10000000000000u,
                                             100000000000000u,
                                             1000000000000000u,
                                             10000000000000000u,
                                             100000000000000000u,
                                             1000000000000000000u,
                                             10000000000000000000u};
  static constexpr long double Powers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                           1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                           1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
  const std::size_t Size = Text.size();
  // The digit's value, 10 or more for anything else.
  const auto Digit = [&Text](std::size_t K) { return static_cast<unsigned>(static_cast<unsigned char>(Text[K])) - '0'; };
  std::size_t J = I;
  uint64_t Digits = 0;  // wraps harmlessly beyond 19 digits, which are refused
  for (unsigned D = 0; J < Size && (D = Digit(J)) <= 9; ++J) Digits = Digits * 10 + D;
  int Count = static_cast<int>(J - I), Decimals = -1;
  bool FractionDigit = false;  // a non-zero digit after the separator
  if (J < Size && Text[J] == Decimal) {
    const std::size_t First = ++J;
    for (unsigned D = 0; J < Size && (D = Digit(J)) <= 9; ++J) {
      FractionDigit = FractionDigit || D != 0;
      Digits = Digits * 10 + D;
    }
    Decimals = static_cast<int>(J - First);
    Count += Decimals;
  }
  if (Count == 0 || Count > 19) return false;
  // An operator, a bracket or a blank ends every literal (no separator is one).
  if (J < Size && !IsLiteralEnd(Text[J])) {
    const char Next = Text[J];
    if (Next == 'E' || Next == Decimal || Next == Thousand || Next == '%') return false;
    if (DefaultSyntax && Decimals < 0 && (Next == 'D' || Next == '\'' || Next == Time)) return false;
  }
  if (Decimals < 0) {
    if (Count > 18) return false;  // beyond the integers SetReal keeps
    Number.Whole = true;
    Number.Integer = static_cast<int64_t>(Digits);
  } else {
    // Digits / 10^Decimals is whole exactly when every digit after the
    // separator is 0: with at most 19 digits no other quotient rounds to a
    // whole real. As SetReal does, a whole value stays an integer below
    // 2^63 - 1.
    const uint64_t Whole = FractionDigit ? 0 : Digits / PowersOfTen[Decimals];
    if (!FractionDigit && Whole < 9223372036854775807u) {
      Number.Whole = true;
      Number.Integer = static_cast<int64_t>(Whole);
    } else {
      Number.Whole = false;
      Number.Real = Decimals > 0 ? static_cast<Extended>(Digits) / Powers[Decimals] : static_cast<Extended>(Digits);
    }
  }
  I = J;
  return true;
}

// The value as the readers store it (also into the one pass's TNumber).
template <class TNumeric>
inline void SetPlainNumber(TNumeric& V, const TPlainNumber& Number) {
  if (Number.Whole) {
    SetInteger(V, Number.Integer);
  } else {
    V.Kind = vkReal;
    V.RealValue = Number.Real;
  }
}

}  // namespace talvex
