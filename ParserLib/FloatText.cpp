#include "ParserLib/FloatText.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "ParserLib/BigNatural.h"
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

template <uint64_t Base, int Count>
constexpr std::array<uint64_t, Count> Powers() {
  std::array<uint64_t, Count> P{};
  P[0] = 1;
  for (int I = 1; I < Count; ++I) P[static_cast<std::size_t>(I)] = P[static_cast<std::size_t>(I - 1)] * Base;
  return P;
}
constexpr std::array<uint64_t, 20> PowersOf10 = Powers<10, 20>();
constexpr std::array<uint64_t, 28> PowersOf5 = Powers<5, 28>();

// 10^N for N in 0..19.
constexpr uint64_t Pow10(int N) { return PowersOf10[static_cast<std::size_t>(N)]; }

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

// Up to 128 bits in two halves, for the common magnitudes: the same integer
// arithmetic as TOutputNatural, without its limb loops. Portable (the 32-bit
// target has no 128-bit type).
struct TWide {
  uint64_t High = 0, Low = 0;

  static TWide Product(uint64_t A, uint64_t B) {
#ifdef __SIZEOF_INT128__
    // One instruction where the target has the type; the same integer either way.
    __extension__ using TUint128 = unsigned __int128;
    const TUint128 P = static_cast<TUint128>(A) * B;
    return {static_cast<uint64_t>(P >> 64), static_cast<uint64_t>(P)};
#else
    const uint64_t A0 = A & 0xFFFFFFFFu, A1 = A >> 32, B0 = B & 0xFFFFFFFFu, B1 = B >> 32;
    const uint64_t P00 = A0 * B0, P01 = A0 * B1, P10 = A1 * B0, P11 = A1 * B1;
    const uint64_t Middle = (P00 >> 32) + (P01 & 0xFFFFFFFFu) + (P10 & 0xFFFFFFFFu);
    return {P11 + (P01 >> 32) + (P10 >> 32) + (Middle >> 32), (P00 & 0xFFFFFFFFu) | (Middle << 32)};
#endif
  }
  int BitLength() const {
    if (High != 0) return 128 - std::countl_zero(High);
    return 64 - std::countl_zero(Low);
  }
  void ShiftLeft(int N) {  // the caller keeps the result inside 128 bits
    if (N == 0) return;
    if (N >= 64) {
      High = Low << (N - 64);
      Low = 0;
    } else {
      High = (High << N) | (Low >> (64 - N));
      Low <<= N;
    }
  }
  void ShiftRight(int N) {
    if (N == 0) return;
    if (N >= 128) {
      High = Low = 0;
    } else if (N >= 64) {
      Low = High >> (N - 64);
      High = 0;
    } else {
      Low = (Low >> N) | (High << (64 - N));
      High >>= N;
    }
  }
  // With a constant divisor the inlined divisions become multiplications.
  template <uint32_t D>
  uint32_t DivBy() {
    return DivSmall(D);
  }
  uint32_t DivSmall(uint32_t D) {
    const uint64_t R = High % D;
    High /= D;
    const uint64_t T1 = (R << 32) | (Low >> 32);
    const uint64_t T0 = ((T1 % D) << 32) | (Low & 0xFFFFFFFFu);
    Low = ((T1 / D) << 32) | (T0 / D);
    return static_cast<uint32_t>(T0 % D);
  }
  bool Below(uint64_t V) const { return High == 0 && Low < V; }
};

// ScaledFloor into either number the scaled value is formed in: 128 bits for
// the common magnitudes (false where the value or a step would not fit),
// TOutputNatural for the rest.
bool ScaledFloorInto(uint64_t Mantissa, int Exponent, int Shift, TWide& Q) {
  if (Shift >= 0) {
    if (Shift > 27) return false;
    Q = TWide::Product(Mantissa, PowersOf5[static_cast<std::size_t>(Shift)]);
    const int Twos = Exponent + Shift;
    if (Twos >= 0) {
      if (Q.BitLength() + Twos > 128) return false;
      Q.ShiftLeft(Twos);
    } else {
      Q.ShiftRight(-Twos);
    }
    return true;
  }
  Q = {0, Mantissa};
  if (Exponent >= 0) {
    if (Q.BitLength() + Exponent > 128) return false;
    Q.ShiftLeft(Exponent);
  } else {
    Q.ShiftRight(-Exponent);
  }
  int Tens = -Shift;
  for (; Tens >= 9; Tens -= 9) Q.DivBy<1000000000u>();
  if (Tens > 0) Q.DivSmall(static_cast<uint32_t>(Pow10(Tens)));
  return true;
}

bool ScaledFloorInto(uint64_t Mantissa, int Exponent, int Shift, TOutputNatural& Q) {
  ScaledFloor(Mantissa, Exponent, Shift, Q);
  return true;
}
bool Below(const TWide& Q, uint64_t V) { return Q.Below(V); }
bool Below(const TOutputNatural& Q, uint64_t V) { return Q.CompareUint64(V) < 0; }
// Mostly one digit too many at most, divided off in 64 bits where it fits.
void DivideByTen(TWide& Q) {
  if (Q.High == 0)
    Q.Low /= 10;
  else
    Q.DivBy<10>();
}
void DivideByTen(TOutputNatural& Q) { Q.DivSmall(10); }
uint64_t Low64(const TWide& Q) { return Q.Low; }
uint64_t Low64(const TOutputNatural& Q) { return Q.Low64(); }

// The rounding to Count significant digits in the number TNatural; false
// where the scaled value does not fit it. Inlined, so that a constant Count
// folds into it.
template <class TNatural>
[[gnu::always_inline]] inline bool RoundSignificantIn(const TRealParts& Parts, int Count, TSignificant& Result) {
  // floor(log2 |X|), then floor(log10 |X|) estimated from it; the loop below
  // corrects the estimate in either direction.
  const int Log2 = Parts.Exponent + 63 - std::countl_zero(Parts.Mantissa);
  int Exponent10 = static_cast<int>((static_cast<int64_t>(Log2) * 646456993) >> 31);
  const uint64_t Low = Pow10(Count), High = Pow10(Count + 1);
  TNatural Q;
  // Q carries one digit more than wanted: the digit that decides the rounding.
  for (;;) {
    if (!ScaledFloorInto(Parts.Mantissa, Parts.Exponent, Count - Exponent10, Q)) return false;
    if (!Below(Q, Low)) break;
    --Exponent10;
  }
  while (!Below(Q, High)) {
    DivideByTen(Q);
    ++Exponent10;
  }
  const uint64_t Scaled = Low64(Q);
  uint64_t Digits = Scaled / 10;
  if (Scaled % 10 >= 5) ++Digits;
  if (Digits == Low) {
    Digits = Low / 10;
    ++Exponent10;
  }
  Result = {Digits, Exponent10};
  return true;
}

[[gnu::noinline]] TSignificant RoundSignificantLong(const TRealParts& Parts, int Count) {
  TSignificant Result;
  RoundSignificantIn<TOutputNatural>(Parts, Count, Result);
  return Result;
}

[[gnu::always_inline]] inline TSignificant RoundSignificant(const TRealParts& Parts, int Count) {
  TSignificant Fast;
  if (RoundSignificantIn<TWide>(Parts, Count, Fast)) return Fast;
  return RoundSignificantLong(Parts, Count);
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

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WritePair(uint32_t Pair, char* Out) { std::memcpy(Out, DigitPairs + 2 * Pair, 2); }

// Exactly eight (V below 10^8) or five (below 10^5) digits.
void WriteEight(uint32_t V, char* Out) {
  const uint32_t A = V / 10000, B = V % 10000;
  WritePair(A / 100, Out);
  WritePair(A % 100, Out + 2);
  WritePair(B / 100, Out + 4);
  WritePair(B % 100, Out + 6);
}
void WriteFive(uint32_t V, char* Out) {
  const uint32_t B = V % 10000;
  Out[0] = static_cast<char>('0' + V / 10000);
  WritePair(B / 100, Out + 1);
  WritePair(B % 100, Out + 3);
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

std::string FloatToText(const long double& X, char DecimalSeparator) {
  if (!std::isfinite(X)) return NonFiniteText(X);
  if (X == 0) return "0";
  const TRealParts Parts = DecomposeReal(X);
  constexpr int Shown = 13;
  const TSignificant R = RoundSignificant(Parts, Shown);
  // The rounded value is what is shown; below 1E-13 it is a residue and reads 0.
  if (R.Exponent10 < -13) return "0";
  // The Shown digits, then without their trailing zeros.
  // The Shown digits in 32-bit halves of five and eight (cheaper on both
  // targets), and how many remain without the trailing zeros.
  static_assert(Shown == 13);
  const uint32_t High = static_cast<uint32_t>(R.Digits / 100000000u);
  const uint32_t Low = static_cast<uint32_t>(R.Digits % 100000000u);
  char Digits[16];
  WriteFive(High, Digits);
  WriteEight(Low, Digits + 5);
  int Count = 0;
  if (Low == 0) {
    uint32_t Five = High;  // not below 10^4
    Count = 5;
    while (Five % 10 == 0) Five /= 10, --Count;
  } else {
    uint32_t Eight = Low;
    Count = 13;
    if (Eight % 10000 == 0) Eight /= 10000, Count -= 4;
    if (Eight % 100 == 0) Eight /= 100, Count -= 2;
    if (Eight % 10 == 0) Count -= 1;
  }
  // The length first, then the characters straight into the string (a short
  // one keeps them in place, with no copy).
  const int E = R.Exponent10;
  const int Sign = Parts.Negative ? 1 : 0;
  const bool Plain = E >= -5 && E < 15;
  const int Whole = E + 1;
  char ExponentDigits[8];
  int ExponentLength = 0;
  int Length = 0;
  if (Plain && E >= 0)
    Length = Sign + (Count > Whole ? Count + 1 : Whole);
  else if (Plain)
    Length = Sign + 1 - E + Count;  // "0", the point, -E - 1 zeros, the digits
  else {
    ExponentLength = WriteUint64(static_cast<uint64_t>(E < 0 ? -E : E), ExponentDigits);
    Length = Sign + (Count > 1 ? Count + 1 : 1) + 1 + (E < 0 ? 1 : 0) + ExponentLength;
  }
  std::string Text(static_cast<std::size_t>(Length), '0');
  char* Out = Text.data();
  if (Parts.Negative) *Out++ = '-';
  const auto Copy = [&Out](const char* From, int N) {
    for (int I = 0; I < N; ++I) *Out++ = From[I];
  };
  if (Plain && E >= 0) {
    // Zeros up to the point stand where the string was filled with them.
    Copy(Digits, Count < Whole ? Count : Whole);
    if (Count > Whole) {
      *Out++ = DecimalSeparator;
      Copy(Digits + Whole, Count - Whole);
    }
  } else if (Plain) {
    Out[1] = DecimalSeparator;
    Out += 1 - E;
    Copy(Digits, Count);
  } else {
    *Out++ = Digits[0];
    if (Count > 1) {
      *Out++ = DecimalSeparator;
      Copy(Digits + 1, Count - 1);
    }
    *Out++ = 'E';
    if (E < 0) *Out++ = '-';
    Copy(ExponentDigits, ExponentLength);
  }
  return Text;
}

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
