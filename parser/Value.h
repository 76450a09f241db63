// The engine's value: a kind tag and one payload field per representation,
// copied whole everywhere. Setters keep the invariants (reduced fractions,
// whole reals stored as integers) so no caller has to re-check them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "ParserLib/FormatSettings.h"
#include "ParserLib/ShortString.h"
#include "ParserLib/X87.h"

namespace talvex {

using Extended = long double;

// The codes are fixed: kinds are compared and stored as bytes, and a memory
// cell is empty exactly when its kind is 0.
enum TValueKind : uint8_t {
  vkNone = 0,
  vkBoolean = 1,
  vkInteger = 2,
  vkReal = 3,
  vkString = 4,
  vkTime = 5,
  vkDate = 6,
  vkDateTime = 7,
  vkDegrees = 8,
  vkFraction = 9,
  vkPercent = 10,
  vkNull = 11,
};

struct TCalcValue {
  TValueKind Kind = vkNone;
  bool BoolValue = false;
  int64_t Numerator = 0;
  int64_t Denominator = 1;
  Extended RealValue = 0;
  double DateTimeValue = 0;  // days since 30 December 1899
  int64_t ArcSeconds = 0;
  TShortString StrValue;

  TCalcValue() = default;
  // A copy is whole, but of the string only the characters in use: the
  // evaluator copies values at every operator, and most hold no string.
  TCalcValue(const TCalcValue& Other) { CopyFrom(Other); }
  TCalcValue& operator=(const TCalcValue& Other) {
    if (this != &Other) CopyFrom(Other);
    return *this;
  }

 private:
  void CopyFrom(const TCalcValue& Other) {
    Kind = Other.Kind;
    BoolValue = Other.BoolValue;
    Numerator = Other.Numerator;
    Denominator = Other.Denominator;
    RealValue = Other.RealValue;
    DateTimeValue = Other.DateTimeValue;
    ArcSeconds = Other.ArcSeconds;
    StrValue.Length = Other.StrValue.Length;
    if (StrValue.Length) std::memcpy(StrValue.Chars, Other.StrValue.Chars, StrValue.Length);
  }
};

inline void SetBoolean(TCalcValue& V, bool B) {
  V.Kind = vkBoolean;
  V.BoolValue = B;
}
template <class TNumeric>
inline void SetInteger(TNumeric& V, int64_t N) {
  V.Kind = vkInteger;
  V.Numerator = N;
  V.Denominator = 1;
}
// Whole numbers below 9223372036854775807 in magnitude are integers: N.
// Added to 2^63, such a magnitude keeps no bits below the units, so the sum
// gives it back exactly when it is whole (in every rounding mode); the test
// stays in the x87 registers, where reading the bits would go through memory.
inline bool IsStoredAsInteger(Extended X, int64_t& N) {
  const Extended Magnitude = X < 0 ? -X : X;
  if (!(Magnitude < 9223372036854775807.0L && (Magnitude + 0x1p63L) - 0x1p63L == Magnitude)) return false;
  N = x87::WholeToInt64(X);
  return true;
}
// Also for the one pass's smaller number, which keeps numbers in the same fields.
template <class TNumeric>
[[gnu::always_inline]] inline void SetReal(TNumeric& V, Extended X) {
  int64_t N;
  if (IsStoredAsInteger(X, N)) {
    SetInteger(V, N);
    return;
  }
  V.Kind = vkReal;
  V.RealValue = X;
}
void SetString(TCalcValue& V, std::string_view S);
void SetDate(TCalcValue& V, double D);
void SetTime(TCalcValue& V, double T);
void SetDateTime(TCalcValue& V, double DT);
void SetDegrees(TCalcValue& V, int64_t Seconds);
// Reduced; a denominator that reduces to 1 gives vkInteger. Den must not be 0.
void SetFraction(TCalcValue& V, int64_t Num, int64_t Den);
// Num/Den (Den not 0) in lowest terms with a positive denominator; false,
// nothing written, when the numerator would be +2^63 or the denominator 2^63.
bool ReduceFraction(int64_t& Num, int64_t& Den);
void SetPercent(TCalcValue& V, Extended X);
void SetNull(TCalcValue& V);
// The decimal expansion of X (at most 7 digits after the point) as a fraction.
void RealToFraction(TCalcValue& V, Extended X);

bool IsIntegral(const TCalcValue& V);
bool IsNumeric(const TCalcValue& V);

// Accessors: the value read as the wanted kind. Kinds a strict read (Convert
// false) refuses raise RaiseKindError, whose message names the offered kind.
// A lenient read of text (and the text of dates and reals) follows Settings:
// the parser passes its own, other callers get the host's.
int64_t AsInteger(const TCalcValue& V, bool Convert = false);
bool AsBoolean(const TCalcValue& V, bool Convert = false);
Extended AsRealOfOtherKinds(const TCalcValue& V, bool Convert, const TFormatSettings& Settings);
// Inline for the two kinds nearly every function reads.
inline Extended AsReal(const TCalcValue& V, bool Convert, const TFormatSettings& Settings) {
  if (V.Kind == vkReal) return V.RealValue;
  if (V.Kind == vkInteger) return static_cast<Extended>(V.Numerator);
  return AsRealOfOtherKinds(V, Convert, Settings);
}
inline Extended AsReal(const TCalcValue& V, bool Convert = false) {
  if (V.Kind == vkReal) return V.RealValue;
  if (V.Kind == vkInteger) return static_cast<Extended>(V.Numerator);
  return AsRealOfOtherKinds(V, Convert, FormatSettings());
}
std::string AsString(const TCalcValue& V, bool Convert = false, const TFormatSettings& Settings = FormatSettings());
double AsDate(const TCalcValue& V, bool Convert = false, const TFormatSettings& Settings = FormatSettings());
double AsTime(const TCalcValue& V, bool Convert = false, const TFormatSettings& Settings = FormatSettings());
double AsDateTime(const TCalcValue& V, bool Convert = false, const TFormatSettings& Settings = FormatSettings());
int64_t AsDegrees(const TCalcValue& V, bool Convert = false);
Extended AsPercent(const TCalcValue& V, bool Convert = false, const TFormatSettings& Settings = FormatSettings());

[[noreturn]] void RaiseKindError(const TCalcValue& V);

// W "+" R "/" D, or R "/" D when the whole part is 0 (-3/2 is -1+-1/2).
std::string FractionText(int64_t Numerator, int64_t Denominator);

}  // namespace talvex
