#include "parser/Value.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <utility>

#include "ParserLib/Angle.h"
#include "ParserLib/Calendar.h"
#include "ParserLib/DateTimeText.h"
#include "ParserLib/Exact.h"
#include "ParserLib/FloatText.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/ParserException.h"
#include "ParserLib/RealText.h"

namespace talvex {
namespace {

constexpr Extended Int64Limit = 9223372036854775807.0L;

// A real read as days: beyond the double range there is no date to speak of.
double ToDays(Extended X) {
  const double D = static_cast<double>(X);
  if (!std::isfinite(D)) throw EOverflow();
  return D;
}

Extended FractionToReal(const TCalcValue& V) {
  return static_cast<Extended>(V.Numerator) / static_cast<Extended>(V.Denominator);
}

int64_t WholeOrRaise(Extended X) {
  if (!IsWholeInt64(X)) throw EParserException::Create(msg::RealKind);
  return static_cast<int64_t>(X);
}

// Gcd64 by Stein's algorithm: shifts and subtractions instead of divisions,
// the same greatest common divisor.
uint64_t GcdOfMagnitudes(int64_t X, int64_t Y) {
  uint64_t A = X < 0 ? 0 - static_cast<uint64_t>(X) : static_cast<uint64_t>(X);
  uint64_t B = Y < 0 ? 0 - static_cast<uint64_t>(Y) : static_cast<uint64_t>(Y);
  if (A == 0) return B;
  if (B == 0) return A;
  const int Shift = std::countr_zero(A | B);
  A >>= std::countr_zero(A);
  do {
    B >>= std::countr_zero(B);
    if (A > B) std::swap(A, B);
    B -= A;
  } while (B != 0);
  return A << Shift;
}

std::string Braced(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size() + 2);
  Out += '{';
  Out += Text;
  Out += '}';
  return Out;
}

}  // namespace

void SetString(TCalcValue& V, std::string_view S) {
  V.Kind = vkString;
  V.StrValue.Assign(S);
}

void SetDate(TCalcValue& V, double D) {
  V.Kind = vkDate;
  V.DateTimeValue = D;
}

void SetTime(TCalcValue& V, double T) {
  V.Kind = vkTime;
  V.DateTimeValue = T - std::trunc(T);
}

void SetDateTime(TCalcValue& V, double DT) {
  V.Kind = std::trunc(DT) == 0 ? vkTime : vkDateTime;
  V.DateTimeValue = DT;
}

void SetDegrees(TCalcValue& V, int64_t Seconds) {
  V.Kind = vkDegrees;
  V.ArcSeconds = Seconds;
}

bool ReduceFraction(int64_t& Num, int64_t& Den) {
  // On magnitudes and a sign: -2^63 has no signed magnitude.
  const bool Negative = (Num < 0) != (Den < 0);
  const auto Magnitude = [](int64_t X) { return X < 0 ? 0 - static_cast<uint64_t>(X) : static_cast<uint64_t>(X); };
  uint64_t N = Magnitude(Num), D = Magnitude(Den);
  if (const uint64_t G = GcdOfMagnitudes(Num, Den); G > 1) {
    N /= G;
    D /= G;
  }
  constexpr uint64_t Limit = uint64_t{1} << 63;
  if (D >= Limit || N > Limit || (N == Limit && !Negative)) return false;
  Num = static_cast<int64_t>(Negative ? 0 - N : N);
  Den = static_cast<int64_t>(D);
  return true;
}

void SetFraction(TCalcValue& V, int64_t Num, int64_t Den) {
  if (Den == 0) throw EZeroDivide();
  const int64_t N = Num, D = Den;
  if (!ReduceFraction(Num, Den)) {
    // +2^63 or a denominator of 2^63 has no 64-bit place: one rounding of the quotient.
    SetReal(V, static_cast<Extended>(N) / static_cast<Extended>(D));
  } else if (Den == 1) {
    SetInteger(V, Num);
  } else {
    V.Kind = vkFraction;
    V.Numerator = Num;
    V.Denominator = Den;
  }
}

void SetPercent(TCalcValue& V, Extended X) {
  V.Kind = vkPercent;
  V.RealValue = X;
}

void SetNull(TCalcValue& V) { V.Kind = vkNull; }

void RealToFraction(TCalcValue& V, Extended X) {
  const Extended Whole = TruncReal(X);
  const Extended Fraction = std::fabs(X - Whole);
  // The fraction's digits after rounding to 15 significant digits, as in its
  // general text form; at most the first 7 of them count.
  uint64_t A = 0, B = 1;
  Extended Carry = 0;
  if (Fraction != 0) {
    const std::string Sci = FormatScientific(Fraction, 15, '.');  // d.ddddddddddddddE-xxx
    const std::size_t EPos = Sci.find('E');
    std::string Mantissa;
    for (std::size_t I = 0; I < EPos; ++I)
      if (Sci[I] != '.') Mantissa += Sci[I];
    const int Exponent = std::stoi(Sci.substr(EPos + 1));
    if (Exponent >= 0) {
      Carry = 1;  // rounded up to a whole unit
    } else {
      std::string Digits(static_cast<std::size_t>(-Exponent - 1), '0');
      Digits += Mantissa;
      Digits.resize(Digits.size() < 7 ? Digits.size() : 7);
      while (!Digits.empty() && Digits.back() == '0') Digits.pop_back();
      for (char C : Digits) {
        A = A * 10 + static_cast<uint64_t>(C - '0');
        B *= 10;
      }
    }
  }
  const Extended Magnitude = std::fabs(Whole) + Carry;
  // The whole part times B must fit 64 bits; beyond that no exact fraction exists.
  if (Magnitude >= Int64Limit / static_cast<Extended>(B)) {
    SetReal(V, X);
    return;
  }
  const uint64_t Numerator = A + B * static_cast<uint64_t>(Magnitude);
  const int64_t Signed = static_cast<int64_t>(Numerator);
  SetFraction(V, X < 0 ? -Signed : Signed, static_cast<int64_t>(B));
}

bool IsIntegral(const TCalcValue& V) { return V.Kind == vkInteger || V.Kind == vkFraction; }

bool IsNumeric(const TCalcValue& V) {
  return V.Kind == vkInteger || V.Kind == vkReal || V.Kind == vkFraction;
}

void RaiseKindError(const TCalcValue& V) {
  switch (V.Kind) {
    case vkBoolean: throw EParserException::Create(msg::BooleanKind);
    case vkInteger: throw EParserException::Create(msg::IntegerKind);
    case vkReal:
    case vkFraction: throw EParserException::Create(msg::RealKind);
    case vkString: throw EParserException::Create(msg::StringKind);
    case vkTime:
    case vkDate:
    case vkDateTime:
    case vkDegrees: throw EParserException::Create(msg::TimeKind);
    case vkPercent: throw EParserException::Create(msg::PercentKind);
    default: throw EParserException::Create(msg::EmptyValue);
  }
}

int64_t AsInteger(const TCalcValue& V, bool Convert) {
  switch (V.Kind) {
    case vkInteger: return V.Numerator;
    case vkReal: return WholeOrRaise(V.RealValue);
    case vkFraction: return WholeOrRaise(FractionToReal(V));
    default: break;
  }
  if (Convert) {
    switch (V.Kind) {
      case vkBoolean: return V.BoolValue ? 1 : 0;
      case vkString: return StrToInt64(V.StrValue.View());
      case vkDegrees: return V.ArcSeconds;
      default: break;
    }
  }
  RaiseKindError(V);
}

bool AsBoolean(const TCalcValue& V, bool Convert) {
  if (V.Kind == vkBoolean) return V.BoolValue;
  if (Convert) {
    switch (V.Kind) {
      case vkInteger: return (static_cast<uint64_t>(V.Numerator) & 0xFF) != 0;
      case vkReal: return (static_cast<uint64_t>(WholeOrRaise(V.RealValue)) & 0xFF) != 0;
      case vkFraction: return (static_cast<uint64_t>(WholeOrRaise(FractionToReal(V))) & 0xFF) != 0;
      case vkString: {
        const std::string Upper = UpperCase(V.StrValue.View());
        if (Upper == "TRUE") return true;
        if (Upper == "FALSE") return false;
        throw EParserException::Create(msg::StringKind);
      }
      default: break;
    }
  }
  RaiseKindError(V);
}

Extended AsRealOfOtherKinds(const TCalcValue& V, bool Convert, const TFormatSettings& S) {
  if (V.Kind == vkFraction) return FractionToReal(V);
  if (Convert) {
    switch (V.Kind) {
      case vkBoolean: return V.BoolValue ? 1 : 0;
      case vkString: return TextToReal(V.StrValue.View(), S.DecimalSeparator);
      case vkTime:
      case vkDate:
      case vkDateTime: return V.DateTimeValue;
      case vkDegrees: return static_cast<Extended>(V.ArcSeconds);
      case vkPercent: return V.RealValue;
      default: break;
    }
  }
  RaiseKindError(V);
}

std::string AsString(const TCalcValue& V, bool Convert, const TFormatSettings& S) {
  if (V.Kind == vkString) return std::string(V.StrValue.View());
  if (Convert) {
    switch (V.Kind) {
      case vkBoolean: return V.BoolValue ? "True" : "False";
      case vkInteger: return std::to_string(V.Numerator);
      case vkReal: return FloatToText(V.RealValue, S.DecimalSeparator);
      case vkTime: return Braced(FormatDateTime(S.LongTimeFormat, V.DateTimeValue, S));
      case vkDate: return Braced(FormatDateTime(S.ShortDateFormat, V.DateTimeValue, S));
      case vkDateTime: {
        std::string Text = FormatDateTime(S.ShortDateFormat, V.DateTimeValue, S);
        // Exactly midnight as shown: a fraction that decodes to 00:00:00.000 counts too.
        const TDecodedDateTime Parts = DecodeDateTime(V.DateTimeValue);
        if (Parts.Hour != 0 || Parts.Minute != 0 || Parts.Second != 0 || Parts.Millisecond != 0) {
          Text += ' ';
          Text += FormatDateTime(S.LongTimeFormat, V.DateTimeValue, S);
        }
        return Braced(Text);
      }
      case vkDegrees: return SecondsToAngleText(V.ArcSeconds);
      case vkFraction: return FractionText(V.Numerator, V.Denominator);
      case vkPercent: return FloatToText(V.RealValue, S.DecimalSeparator) + "%";
      case vkNull: return std::string();
      default: break;
    }
  }
  RaiseKindError(V);
}

double AsDate(const TCalcValue& V, bool Convert, const TFormatSettings& S) {
  if (V.Kind == vkDate) return std::trunc(V.DateTimeValue);
  if (V.Kind == vkDateTime) return V.DateTimeValue;
  if (Convert) {
    if (IsNumeric(V)) return ToDays(AsReal(V));
    if (V.Kind == vkString) {
      double D = 0;
      if (!TryStrToDate(V.StrValue.View(), S, D)) RaiseConvertError(V.StrValue.View(), "date");
      return D;
    }
  }
  RaiseKindError(V);
}

double AsTime(const TCalcValue& V, bool Convert, const TFormatSettings& S) {
  if (V.Kind == vkTime) return V.DateTimeValue - std::trunc(V.DateTimeValue);
  if (V.Kind == vkDateTime) return V.DateTimeValue;
  if (Convert) {
    if (IsNumeric(V)) return ToDays(AsReal(V));
    if (V.Kind == vkString) {
      double T = 0;
      if (!TryStrToTime(V.StrValue.View(), S, T)) RaiseConvertError(V.StrValue.View(), "time");
      return T;
    }
  }
  RaiseKindError(V);
}

double AsDateTime(const TCalcValue& V, bool Convert, const TFormatSettings& S) {
  if (V.Kind == vkDateTime) return V.DateTimeValue;
  if (Convert) {
    if (IsNumeric(V)) return ToDays(AsReal(V));
    if (V.Kind == vkString) {
      double DT = 0;
      if (!TryStrToDateTime(V.StrValue.View(), S, DT))
        RaiseConvertError(V.StrValue.View(), "date and time");
      return DT;
    }
  }
  RaiseKindError(V);
}

int64_t AsDegrees(const TCalcValue& V, bool Convert) {
  if (V.Kind == vkDegrees) return V.ArcSeconds;
  if (Convert) {
    if (V.Kind == vkInteger) return V.Numerator;
    if (V.Kind == vkString) return AngleTextToSeconds(V.StrValue.View());
  }
  RaiseKindError(V);
}

Extended AsPercent(const TCalcValue& V, bool Convert, const TFormatSettings& S) {
  if (V.Kind == vkPercent) return V.RealValue;
  if (Convert) {
    if (IsNumeric(V)) return AsReal(V);
    if (V.Kind == vkString) return TextToReal(V.StrValue.View(), S.DecimalSeparator);
  }
  RaiseKindError(V);
}

std::string FractionText(int64_t Numerator, int64_t Denominator) {
  // Truncating division on a denominator above 1 cannot overflow.
  const int64_t W = Numerator / Denominator;
  const int64_t R = Numerator % Denominator;
  std::string Text;
  if (W != 0) {
    Text = std::to_string(W);
    Text += '+';
  }
  Text += std::to_string(R);
  Text += '/';
  Text += std::to_string(Denominator);
  return Text;
}

}  // namespace talvex
