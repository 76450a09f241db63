#include "ParserLib/FloatText.h"

#include <bit>
#include <cmath>

#include "ParserLib/BigNatural.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/RealBits.h"

namespace talvex {
namespace {

// Enough for the largest scaled value: the largest real times 10^65 needs
// 64 + 151 + 16385 bits, and the smallest subnormal scaled up to 19 digits
// needs 64 + 11560.
constexpr std::size_t OutputLimbs = 544;
using TOutputNatural = TBigNatural<OutputLimbs>;

// The most digits a fixed text can have: the largest real has 4933 integer
// digits, and FormatFixedField writes up to 64 decimals.
constexpr std::size_t MaxFixedDigits = 4933 + 64;

constexpr int MaxFixedFieldDigits = 64;
constexpr int MaxFormatDigits = 18;

constexpr uint64_t Pow10(int N) {
  uint64_t P = 1;
  while (N-- > 0) P *= 10;
  return P;
}

// Q = floor(Mantissa * 2^Exponent * 10^Shift), exactly.
void ScaledFloor(uint64_t Mantissa, int Exponent, int Shift, TOutputNatural& Q) {
  Q.Assign(Mantissa);
  if (Shift >= 0) {
    Q.MulPow5(static_cast<uint64_t>(Shift));
    const int Twos = Exponent + Shift;
    if (Twos >= 0)
      Q.ShiftLeft(static_cast<uint64_t>(Twos));
    else
      Q.ShiftRight(static_cast<uint64_t>(-Twos));
    return;
  }
  if (Exponent >= 0)
    Q.ShiftLeft(static_cast<uint64_t>(Exponent));
  else
    Q.ShiftRight(static_cast<uint64_t>(-Exponent));
  // floor(floor(x) / d) = floor(x / d), so the divisions may come one by one.
  int Tens = -Shift;
  for (; Tens >= 9; Tens -= 9) Q.DivSmall(1000000000u);
  if (Tens > 0) Q.DivSmall(static_cast<uint32_t>(Pow10(Tens)));
}

// The decimal digits of |X| rounded to Count significant digits, halves away
// from zero: |X| ~ Digits * 10^(Exponent10 - Count + 1), Digits of exactly
// Count digits.
struct TSignificant {
  uint64_t Digits = 0;
  int Exponent10 = 0;
};

TSignificant RoundSignificant(const TRealParts& Parts, int Count) {
  // floor(log2 |X|), then floor(log10 |X|) estimated from it; the loop below
  // corrects the estimate in either direction.
  const int Log2 = Parts.Exponent + 63 - std::countl_zero(Parts.Mantissa);
  int Exponent10 = static_cast<int>((static_cast<int64_t>(Log2) * 646456993) >> 31);
  const uint64_t Low = Pow10(Count), High = Pow10(Count + 1);
  TOutputNatural Q;
  // Q carries one digit more than wanted: the digit that decides the rounding.
  for (;;) {
    ScaledFloor(Parts.Mantissa, Parts.Exponent, Count - Exponent10, Q);
    if (Q.CompareUint64(Low) >= 0) break;
    --Exponent10;
  }
  while (Q.CompareUint64(High) >= 0) {
    Q.DivSmall(10);
    ++Exponent10;
  }
  const uint64_t Scaled = Q.Low64();
  uint64_t Digits = Scaled / 10;
  if (Scaled % 10 >= 5) ++Digits;
  if (Digits == Low) {
    Digits = Low / 10;
    ++Exponent10;
  }
  return {Digits, Exponent10};
}

// Round(|X| * 10^Decimals), halves away from zero.
void RoundFixed(const TRealParts& Parts, int Decimals, TOutputNatural& Q) {
  ScaledFloor(Parts.Mantissa, Parts.Exponent, Decimals + 1, Q);
  if (Q.DivSmall(10) >= 5) Q.AddSmall(1);
}

// Writes the decimal digits of Q (used up) right-aligned into Buffer[0, Size)
// and returns the number of digits; "0" for zero.
std::size_t WriteDecimal(TOutputNatural& Q, char* Buffer, std::size_t Size) {
  std::size_t Pos = Size;
  do {
    uint32_t Chunk = Q.DivSmall(1000000000u);
    // Inner chunks are always nine digits wide; the leading one has no zeros.
    for (int I = 0; I < 9 && (Chunk != 0 || !Q.IsZero()); ++I) {
      Buffer[--Pos] = static_cast<char>('0' + Chunk % 10);
      Chunk /= 10;
    }
  } while (!Q.IsZero());
  if (Pos == Size) Buffer[--Pos] = '0';
  return Size - Pos;
}

// Digits of a number below 10^19, without leading zeros; returns the count.
int WriteUint64(uint64_t V, char* Out) {
  char Tmp[20];
  int N = 0;
  do {
    Tmp[N++] = static_cast<char>('0' + V % 10);
    V /= 10;
  } while (V != 0);
  for (int I = 0; I < N; ++I) Out[I] = Tmp[N - 1 - I];
  return N;
}

const char* NonFiniteText(long double X) {
  if (std::isnan(X)) return "NAN";
  return X < 0 ? "-INF" : "INF";
}

// Fixed digits as text: Digits holds the integer and the Decimals fraction
// digits of the rounded magnitude (at least one digit).
std::string FixedText(bool Negative, const char* Digits, std::size_t Count, int Decimals, char DecimalSeparator,
                      char Thousand, bool Grouped, int Width) {
  const std::size_t Fraction = static_cast<std::size_t>(Decimals);
  // Leading zeros so that at least one integer digit stands before the point.
  const std::size_t Padded = Count > Fraction ? Count : Fraction + 1;
  const std::size_t Whole = Padded - Fraction;
  bool AllZero = true;
  for (std::size_t I = 0; I < Count; ++I) AllZero &= Digits[I] == '0';
  // A value that rounds to zero shows without a sign.
  const bool Minus = Negative && !AllZero;
  const std::size_t Groups = Grouped ? (Whole - 1) / 3 : 0;
  const std::size_t Length = (Minus ? 1 : 0) + Whole + Groups + (Fraction > 0 ? 1 + Fraction : 0);
  const std::size_t Field = Width > 0 && static_cast<std::size_t>(Width) > Length ? static_cast<std::size_t>(Width) : Length;
  std::string Text(Field, ' ');
  std::size_t Pos = Field - Length;
  if (Minus) Text[Pos++] = '-';
  const std::size_t Zeros = Padded - Count;
  for (std::size_t I = 0; I < Padded; ++I) {
    const char D = I < Zeros ? '0' : Digits[I - Zeros];
    if (I == Whole) Text[Pos++] = DecimalSeparator;
    if (I > 0 && I < Whole && Grouped && (Whole - I) % 3 == 0) Text[Pos++] = Thousand;
    Text[Pos++] = D;
  }
  return Text;
}

std::string FormatFixed(long double X, int Decimals, char DecimalSeparator, char Thousand, bool Grouped, int Width) {
  const TRealParts Parts = DecomposeReal(X);
  TOutputNatural Q;
  RoundFixed(Parts, Decimals, Q);
  char Buffer[MaxFixedDigits + 2];
  const std::size_t Count = WriteDecimal(Q, Buffer, sizeof Buffer);
  return FixedText(Parts.Negative, Buffer + sizeof Buffer - Count, Count, Decimals, DecimalSeparator, Thousand,
                   Grouped, Width);
}

void AppendExponent(std::string& Text, int Exponent10, bool Signed, int MinDigits) {
  if (Exponent10 < 0)
    Text += '-';
  else if (Signed)
    Text += '+';
  char Digits[20];
  const int N = WriteUint64(static_cast<uint64_t>(Exponent10 < 0 ? -Exponent10 : Exponent10), Digits);
  for (int I = N; I < MinDigits; ++I) Text += '0';
  Text.append(Digits, static_cast<std::size_t>(N));
}

}  // namespace

std::string FloatToText(long double X, char DecimalSeparator) {
  if (!std::isfinite(X)) return NonFiniteText(X);
  if (X == 0) return "0";
  const TRealParts Parts = DecomposeReal(X);
  constexpr int Shown = 13;
  const TSignificant R = RoundSignificant(Parts, Shown);
  // The rounded value is what is shown; below 1E-13 it is a residue and reads 0.
  if (R.Exponent10 < -13) return "0";
  char Digits[20];
  int Count = WriteUint64(R.Digits, Digits);
  while (Count > 1 && Digits[Count - 1] == '0') --Count;
  std::string Text;
  if (Parts.Negative) Text += '-';
  const int E = R.Exponent10;
  if (E >= -5 && E < 15) {
    if (E >= 0) {
      for (int I = 0; I <= E; ++I) Text += I < Count ? Digits[I] : '0';
      if (Count > E + 1) {
        Text += DecimalSeparator;
        Text.append(Digits + E + 1, static_cast<std::size_t>(Count - E - 1));
      }
    } else {
      Text += '0';
      Text += DecimalSeparator;
      Text.append(static_cast<std::size_t>(-E - 1), '0');
      Text.append(Digits, static_cast<std::size_t>(Count));
    }
    return Text;
  }
  Text += Digits[0];
  if (Count > 1) {
    Text += DecimalSeparator;
    Text.append(Digits + 1, static_cast<std::size_t>(Count - 1));
  }
  Text += 'E';
  AppendExponent(Text, E, false, 1);
  return Text;
}

std::string FloatToText(long double X) { return FloatToText(X, FormatSettings().DecimalSeparator); }

std::string FormatNumberFixed(long double X, int Digits, char DecimalSeparator, char Thousand) {
  if (!std::isfinite(X) || std::fabs(X) >= 1e18L) return FloatToText(X, DecimalSeparator);
  if (Digits < 0) Digits = 0;
  if (Digits > MaxFormatDigits) Digits = MaxFormatDigits;
  return FormatFixed(X, Digits, DecimalSeparator, Thousand, true, 0);
}

std::string FormatScientific(long double X, int Precision, char DecimalSeparator) {
  if (!std::isfinite(X)) return NonFiniteText(X);
  if (Precision < 1) Precision = 1;
  if (Precision > MaxFormatDigits) Precision = MaxFormatDigits;
  TSignificant R;
  const TRealParts Parts = DecomposeReal(X);
  if (X != 0) R = RoundSignificant(Parts, Precision);
  char Digits[20];
  if (X != 0)
    WriteUint64(R.Digits, Digits);
  else
    for (int I = 0; I < Precision; ++I) Digits[I] = '0';
  std::string Text;
  if (X != 0 && Parts.Negative) Text += '-';
  Text += Digits[0];
  if (Precision > 1) {
    Text += DecimalSeparator;
    Text.append(Digits + 1, static_cast<std::size_t>(Precision - 1));
  }
  Text += 'E';
  AppendExponent(Text, R.Exponent10, true, 3);
  return Text;
}

std::string FormatFixedField(long double X, int Digits, int Width) {
  if (!std::isfinite(X)) {
    std::string Text = NonFiniteText(X);
    if (Width > 0 && static_cast<std::size_t>(Width) > Text.size())
      Text.insert(0, static_cast<std::size_t>(Width) - Text.size(), ' ');
    return Text;
  }
  if (Digits < 0) Digits = 0;
  if (Digits > MaxFixedFieldDigits) Digits = MaxFixedFieldDigits;
  return FormatFixed(X, Digits, '.', '\0', false, Width);
}

}  // namespace talvex
