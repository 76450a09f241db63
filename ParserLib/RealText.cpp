#include "ParserLib/RealText.h"

#include "ParserLib/BigNatural.h"
#include "ParserLib/RealBits.h"
#include "ParserLib/RuntimeErrors.h"

namespace talvex {
namespace {

// Every halfway point between adjacent 80-bit reals has at most 11515
// significant decimal digits (the longest: odd multiples of 2^-16446 near the
// smallest normal). Digits beyond the first KeptDigits can therefore only tell
// "exactly these digits" from "a little more", and one appended 1 says the latter.
constexpr int64_t KeptDigits = 11520;

// Decimal exponents (of the first significant digit) outside these bounds are
// decided without arithmetic: beyond the largest real, or below half the
// smallest subnormal (about 1.8E-4951).
constexpr int64_t MaxDecimalExponent = 4932;
constexpr int64_t MinDecimalExponent = -4952;

// The largest operand: KeptDigits + 1 digits (38272 bits) against 5^16472
// (38248 bits) shifted to leave a 66-bit quotient.
constexpr std::size_t InputLimbs = 1232;
using TInputNatural = TBigNatural<InputLimbs>;

// Larger exponents are all the same to the bounds above.
constexpr int64_t ExponentLimit = 1000000000000000;

struct TDecimalNumber {
  bool Negative = false;
  std::string_view Whole, Fraction;  // the digit runs before and after the separator
  int64_t Exponent = 0;
};

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

std::size_t DigitRun(std::string_view Text, std::size_t I) {
  std::size_t J = I;
  while (J < Text.size() && IsDigit(Text[J])) ++J;
  return J - I;
}

bool ParseDecimal(std::string_view Text, char DecimalSeparator, TDecimalNumber& Number) {
  std::size_t I = 0;
  const std::size_t N = Text.size();
  while (I < N && Text[I] == ' ') ++I;
  if (I < N && (Text[I] == '+' || Text[I] == '-')) Number.Negative = Text[I++] == '-';
  std::size_t Run = DigitRun(Text, I);
  Number.Whole = Text.substr(I, Run);
  I += Run;
  if (I < N && Text[I] == DecimalSeparator) {
    ++I;
    Run = DigitRun(Text, I);
    Number.Fraction = Text.substr(I, Run);
    I += Run;
  }
  if (Number.Whole.empty() && Number.Fraction.empty()) return false;
  if (I < N && (Text[I] == 'E' || Text[I] == 'e')) {
    ++I;
    bool Minus = false;
    if (I < N && (Text[I] == '+' || Text[I] == '-')) Minus = Text[I++] == '-';
    Run = DigitRun(Text, I);
    if (Run == 0) return false;
    for (; Run > 0; --Run, ++I)
      if (Number.Exponent < ExponentLimit) Number.Exponent = Number.Exponent * 10 + (Text[I] - '0');
    if (Minus) Number.Exponent = -Number.Exponent;
  }
  while (I < N && Text[I] == ' ') ++I;
  return I == N;
}

// The significant digits of a number: Digits(I) for I in [First, First + Count)
// indexes Whole then Fraction as one run.
struct TDigitRun {
  const TDecimalNumber& Number;
  char operator()(std::size_t I) const {
    return I < Number.Whole.size() ? Number.Whole[I] : Number.Fraction[I - Number.Whole.size()];
  }
};

long double SignedZero(bool Negative) { return Negative ? -0.0L : 0.0L; }

// Digits * 10^Exponent, where neither the digits nor the power need rounding,
// so one correctly rounded multiplication or division gives the result.
long double ExactQuotient(uint64_t Digits, int Exponent) {
  static constexpr long double Powers[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                                           1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                                           1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
  const long double D = static_cast<long double>(Digits);
  return Exponent >= 0 ? D * Powers[Exponent] : D / Powers[-Exponent];
}

// The real nearest to Digits * 10^Exponent (ties to even), for digit counts and
// exponents the exact quotient cannot take. False when it rounds beyond the
// largest real.
bool NearestReal(TInputNatural& A, int64_t Exponent, bool Negative, long double& Value) {
  // Value = A * 2^Exponent / B.
  TInputNatural B(1);
  if (Exponent >= 0)
    A.MulPow5(static_cast<uint64_t>(Exponent));
  else
    B.MulPow5(static_cast<uint64_t>(-Exponent));
  // Value lies in (2^(Log2 - 1), 2^(Log2 + 1)).
  const int64_t Log2 = static_cast<int64_t>(A.BitLength()) - static_cast<int64_t>(B.BitLength()) + Exponent;
  // Scale so the quotient has 65 or 66 bits (the mantissa, the rounding bit and
  // maybe one more), or, for subnormals, its rounding bit stands for 2^-16446.
  int64_t Scale = 65 - Log2;
  if (Scale > 1 - MinRealExponent) Scale = 1 - MinRealExponent;
  const int64_t Shift = Exponent + Scale;
  if (Shift >= 0)
    A.ShiftLeft(static_cast<uint64_t>(Shift));
  else
    B.ShiftLeft(static_cast<uint64_t>(-Shift));
  uint64_t High = 0, Low = 0;
  DivideShortQuotient(A, B, 66, High, Low);
  bool Sticky = !A.IsZero();
  if (High >= 2) {
    Sticky |= (Low & 1) != 0;
    Low = (Low >> 1) | (High << 63);
    High >>= 1;
    --Scale;
  }
  uint64_t Mantissa = (Low >> 1) | (High << 63);
  const bool Half = (Low & 1) != 0;
  int64_t Exponent2 = 1 - Scale;
  if (Half && (Sticky || (Mantissa & 1) != 0)) {
    if (Mantissa == UINT64_MAX) {
      Mantissa = uint64_t{1} << 63;
      ++Exponent2;
    } else {
      ++Mantissa;
    }
  }
  if (Exponent2 > MaxRealExponent) return false;
  Value = ComposeReal(Negative, Mantissa, static_cast<int>(Exponent2));
  return true;
}

bool DecimalToReal(const TDecimalNumber& Number, long double& Value) {
  const TDigitRun Digit{Number};
  const std::size_t Total = Number.Whole.size() + Number.Fraction.size();
  std::size_t First = 0;
  while (First < Total && Digit(First) == '0') ++First;
  if (First == Total) {
    Value = SignedZero(Number.Negative);
    return true;
  }
  std::size_t Last = Total - 1;
  while (Digit(Last) == '0') --Last;
  // The digit at index I weighs 10^(Whole - 1 - I + Exponent).
  const int64_t WholeCount = static_cast<int64_t>(Number.Whole.size());
  const int64_t Leading = WholeCount - 1 - static_cast<int64_t>(First) + Number.Exponent;
  if (Leading > MaxDecimalExponent) return false;
  if (Leading < MinDecimalExponent) {
    Value = SignedZero(Number.Negative);
    return true;
  }
  const int64_t Significant = static_cast<int64_t>(Last - First) + 1;
  const int64_t Kept = Significant < KeptDigits ? Significant : KeptDigits;
  int64_t Exponent = Leading - Kept + 1;
  if (Kept <= 19 && Exponent >= -27 && Exponent <= 27) {
    uint64_t Digits = 0;
    for (std::size_t I = First; I <= Last; ++I) Digits = Digits * 10 + static_cast<uint64_t>(Digit(I) - '0');
    const long double Magnitude = ExactQuotient(Digits, static_cast<int>(Exponent));
    Value = Number.Negative ? -Magnitude : Magnitude;
    return true;
  }
  TInputNatural A(0);
  uint32_t Chunk = 0, ChunkScale = 1;
  for (std::size_t I = First; I < First + static_cast<std::size_t>(Kept); ++I) {
    Chunk = Chunk * 10 + static_cast<uint32_t>(Digit(I) - '0');
    ChunkScale *= 10;
    if (ChunkScale == 1000000000u) {
      A.MulSmall(ChunkScale);
      A.AddSmall(Chunk);
      Chunk = 0;
      ChunkScale = 1;
    }
  }
  A.MulSmall(ChunkScale);
  A.AddSmall(Chunk);
  if (Kept < Significant) {
    // The dropped digits end in a non-zero one: the value lies strictly between
    // the kept digits and the next number of that length.
    A.MulSmall(10);
    A.AddSmall(1);
    --Exponent;
  }
  return NearestReal(A, Exponent, Number.Negative, Value);
}

// Decimal or hexadecimal digits into the magnitude's bit pattern; Bits is 64 or 32.
bool ParseInteger(std::string_view Text, unsigned Bits, bool& Negative, uint64_t& Magnitude) {
  std::size_t I = 0;
  const std::size_t N = Text.size();
  while (I < N && Text[I] == ' ') ++I;
  Negative = false;
  if (I < N && (Text[I] == '+' || Text[I] == '-')) Negative = Text[I++] == '-';
  bool Hex = false;
  if (I < N && Text[I] == '$') {
    Hex = true;
    ++I;
  } else if (I + 1 < N && Text[I] == '0' && (Text[I + 1] == 'x' || Text[I + 1] == 'X')) {
    Hex = true;
    I += 2;
  }
  if (I == N) return false;
  Magnitude = 0;
  if (Hex) {
    unsigned Significant = 0;
    for (; I < N; ++I) {
      const char C = Text[I];
      unsigned D;
      if (C >= '0' && C <= '9')
        D = static_cast<unsigned>(C - '0');
      else if (C >= 'A' && C <= 'F')
        D = static_cast<unsigned>(C - 'A' + 10);
      else if (C >= 'a' && C <= 'f')
        D = static_cast<unsigned>(C - 'a' + 10);
      else
        return false;
      if (Magnitude != 0 || D != 0) ++Significant;
      if (Significant > Bits / 4) return false;
      Magnitude = (Magnitude << 4) | D;
    }
    return true;
  }
  // The magnitude may reach 2^(Bits-1) for a negative number.
  const uint64_t Limit = (uint64_t{1} << (Bits - 1)) - (Negative ? 0 : 1);
  for (; I < N; ++I) {
    if (!IsDigit(Text[I])) return false;
    const uint64_t D = static_cast<uint64_t>(Text[I] - '0');
    if (Magnitude > (Limit - D) / 10) return false;
    Magnitude = Magnitude * 10 + D;
  }
  return true;
}

}  // namespace

bool TryTextToReal(std::string_view Text, char DecimalSeparator, long double& Value) {
  TDecimalNumber Number;
  if (!ParseDecimal(Text, DecimalSeparator, Number)) return false;
  long double Result = 0;
  if (!DecimalToReal(Number, Result)) return false;
  Value = Result;
  return true;
}

long double TextToReal(std::string_view Text, char DecimalSeparator) {
  long double Value = 0;
  if (!TryTextToReal(Text, DecimalSeparator, Value)) RaiseConvertError(Text, "floating point value");
  return Value;
}

bool TryStrToInt64(std::string_view Text, int64_t& Value) {
  bool Negative = false;
  uint64_t Magnitude = 0;
  if (!ParseInteger(Text, 64, Negative, Magnitude)) return false;
  // Hexadecimal is a bit pattern; negating it wraps like the hardware does.
  Value = static_cast<int64_t>(Negative ? 0 - Magnitude : Magnitude);
  return true;
}

bool TryStrToInt32(std::string_view Text, int32_t& Value) {
  bool Negative = false;
  uint64_t Magnitude = 0;
  if (!ParseInteger(Text, 32, Negative, Magnitude)) return false;
  const uint32_t Pattern = static_cast<uint32_t>(Magnitude);
  Value = static_cast<int32_t>(Negative ? 0u - Pattern : Pattern);
  return true;
}

int64_t StrToInt64(std::string_view Text) {
  int64_t Value = 0;
  if (!TryStrToInt64(Text, Value)) RaiseConvertError(Text, "integer value");
  return Value;
}

int32_t StrToInt32(std::string_view Text) {
  int32_t Value = 0;
  if (!TryStrToInt32(Text, Value)) RaiseConvertError(Text, "integer value");
  return Value;
}

}  // namespace talvex
