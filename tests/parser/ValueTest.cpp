#include <cmath>
#include <cstdint>
#include <limits>

#include "ParserLib/Messages.h"
#include "ParserLib/ParserException.h"
#include "parser/Value.h"
#include "support/EngineFixture.h"

namespace talvex {
namespace {

using testing::ToUtf8;

TCalcValue Make(TValueKind Kind) {
  TCalcValue V;
  switch (Kind) {
    case vkBoolean: SetBoolean(V, true); break;
    case vkInteger: SetInteger(V, 7); break;
    case vkReal: SetReal(V, 2.5L); break;
    case vkString: SetString(V, "12"); break;
    case vkTime: SetTime(V, 0.25); break;
    case vkDate: SetDate(V, 36526); break;
    case vkDateTime: SetDateTime(V, 36526.5); break;
    case vkDegrees: SetDegrees(V, 3600); break;
    case vkFraction: SetFraction(V, 1, 2); break;
    case vkPercent: SetPercent(V, 5); break;
    case vkNull: SetNull(V); break;
    default: break;
  }
  return V;
}

std::string KindMessage(const TCalcValue& V) {
  try {
    RaiseKindError(V);
  } catch (const EParserException& E) {
    EXPECT_EQ(E.Position(), -1);
    return ToUtf8(E.Message());
  }
  return "no exception";
}

TEST(Value, SetRealKeepsWholeNumbersAsIntegers) {
  struct Case { long double X; TValueKind Kind; } const Cases[] = {
      {3.0L, vkInteger}, {3.5L, vkReal}, {1E30L, vkReal}, {-0.0L, vkInteger},
      {9223372036854775806.0L, vkInteger}, {9223372036854775807.0L, vkReal},
      {-9223372036854775807.0L, vkReal}, {1E-4000L, vkReal}};
  for (const auto& C : Cases) {
    TCalcValue V;
    SetReal(V, C.X);
    EXPECT_EQ(V.Kind, C.Kind) << static_cast<double>(C.X);
    if (V.Kind == vkInteger) {
      EXPECT_EQ(V.Denominator, 1);
    }
  }
}

TEST(Value, SetFractionReducesAndNormalisesSigns) {
  struct Case { int64_t Num, Den; TValueKind Kind; int64_t N, D; } const Cases[] = {
      {6, 3, vkInteger, 2, 1},
      {3, 6, vkFraction, 1, 2},
      {3, -6, vkFraction, -1, 2},
      {-3, -6, vkFraction, 1, 2},
      {0, 5, vkInteger, 0, 1},
      {INT64_MIN, 2, vkInteger, INT64_MIN / 2, 1},
      {INT64_MIN, INT64_MIN, vkInteger, 1, 1},
      {INT64_MAX, INT64_MAX - 1, vkFraction, INT64_MAX, INT64_MAX - 1},
      // -1 / 2^63 cannot keep a positive 64-bit denominator: an exact real instead.
      {-1, INT64_MIN, vkReal, 0, 0},
  };
  for (const auto& C : Cases) {
    TCalcValue V;
    SetFraction(V, C.Num, C.Den);
    EXPECT_EQ(V.Kind, C.Kind) << C.Num << "/" << C.Den;
    if (V.Kind == vkReal) {
      EXPECT_EQ(V.RealValue, std::ldexp(1.0L, -63));
      continue;
    }
    EXPECT_EQ(V.Numerator, C.N) << C.Num << "/" << C.Den;
    EXPECT_EQ(V.Denominator, C.D) << C.Num << "/" << C.Den;
  }
}

TEST(Value, FractionText) {
  struct Case { int64_t N, D; const char* Text; } const Cases[] = {
      {3, 4, "3/4"}, {-3, 4, "-3/4"}, {3, 2, "1+1/2"}, {-3, 2, "-1+-1/2"},
      {INT64_MAX, 2, "4611686018427387903+1/2"}};
  for (const auto& C : Cases) EXPECT_EQ(FractionText(C.N, C.D), C.Text);
}

TEST(Value, KindErrorsNameTheOfferedKind) {
  struct Case { TValueKind Kind; const char* Message; } const Cases[] = {
      {vkBoolean, "Логический тип неприменим"}, {vkInteger, "Целый тип неприменим"},
      {vkReal, "Вещественный тип неприменим"}, {vkFraction, "Вещественный тип неприменим"},
      {vkString, "Строковый тип неприменим"}, {vkTime, "Константа времени не применима"},
      {vkDate, "Константа времени не применима"}, {vkDateTime, "Константа времени не применима"},
      {vkDegrees, "Константа времени не применима"}, {vkPercent, "Проценты не применимы"},
      {vkNone, "Пустое значение!"}, {vkNull, "Пустое значение!"}};
  for (const auto& C : Cases) EXPECT_EQ(KindMessage(Make(C.Kind)), C.Message) << int(C.Kind);
}

// Which kinds each accessor takes, strictly and with conversion. The cell
// holds 'A' (always), 'C' (with Convert only), '-' (refused with the kind's
// message) or '?' (a non-whole real read as an integer: covered elsewhere).
// Columns follow the kind codes 1..11.
TEST(Value, AccessorConversionTable) {
  struct Row { const char* Name; const char* Accepts; void (*Read)(const TCalcValue&, bool); } const Rows[] = {
      //                    B I R S T D X G F P N
      {"AsInteger", "CA?C---C?--", [](const TCalcValue& V, bool C) { AsInteger(V, C); }},
      {"AsBoolean", "AC?C----?--", [](const TCalcValue& V, bool C) { AsBoolean(V, C); }},
      {"AsReal", "CAACCCCCAC-", [](const TCalcValue& V, bool C) { AsReal(V, C); }},
      {"AsString", "CCCACCCCCCC", [](const TCalcValue& V, bool C) { AsString(V, C); }},
      {"AsDate", "-CCC-AA-C--", [](const TCalcValue& V, bool C) { AsDate(V, C); }},
      {"AsTime", "-CCCA-A-C--", [](const TCalcValue& V, bool C) { AsTime(V, C); }},
      {"AsDateTime", "-CCC--A-C--", [](const TCalcValue& V, bool C) { AsDateTime(V, C); }},
      {"AsDegrees", "-C-C---A---", [](const TCalcValue& V, bool C) { AsDegrees(V, C); }},
      {"AsPercent", "-CCC----CA-", [](const TCalcValue& V, bool C) { AsPercent(V, C); }},
  };
  FormatSettings() = EnglishFormatSettings();
  for (const Row& R : Rows) {
    for (int Kind = vkBoolean; Kind <= vkNull; ++Kind) {
      TCalcValue V = Make(static_cast<TValueKind>(Kind));
      // Strings that parse for the accessor at hand.
      if (Kind == vkString) {
        const std::string_view Name = R.Name;
        SetString(V, Name == "AsBoolean" ? "true" : Name == "AsDate" ? "1/2/2003"
                   : Name == "AsTime" ? "12:30" : Name == "AsDateTime" ? "1/2/2003 12:30"
                   : Name == "AsDegrees" ? "10D30'" : Name == "AsReal" || Name == "AsPercent" ? "2.5" : "12");
      }
      const char Cell = R.Accepts[Kind - 1];
      const auto Accepts = [&](bool Convert) {
        try {
          R.Read(V, Convert);
          return true;
        } catch (const EParserException& E) {
          EXPECT_EQ(ToUtf8(E.Message()), KindMessage(V)) << R.Name << " kind " << Kind;
          return false;
        }
      };
      if (Cell == '?') continue;
      EXPECT_EQ(Accepts(false), Cell == 'A') << R.Name << " kind " << Kind;
      EXPECT_EQ(Accepts(true), Cell != '-') << R.Name << " kind " << Kind << " with Convert";
    }
  }
}

TEST(Value, ConvertedReadings) {
  FormatSettings() = EnglishFormatSettings();
  TCalcValue V;
  SetString(V, "TrUe");
  EXPECT_TRUE(AsBoolean(V, true));
  SetString(V, "yes");
  EXPECT_THROW(AsBoolean(V, true), EParserException);
  SetInteger(V, 256);
  EXPECT_FALSE(AsBoolean(V, true));  // only the lowest 8 bits count
  SetInteger(V, 257);
  EXPECT_TRUE(AsBoolean(V, true));
  SetDegrees(V, 3600);
  EXPECT_EQ(AsReal(V, true), 3600);
  SetPercent(V, 5);
  EXPECT_EQ(AsReal(V, true), 5);
  SetReal(V, 2.5L);
  EXPECT_THROW(AsInteger(V), EParserException);
  SetFraction(V, 6, 3);
  EXPECT_EQ(AsInteger(V), 2);
  SetBoolean(V, true);
  EXPECT_EQ(AsInteger(V, true), 1);
  SetNull(V);
  EXPECT_EQ(AsString(V, true), "");
  SetString(V, "12x");
  EXPECT_THROW(AsInteger(V, true), EConvertError);
  SetDate(V, 36526.75);
  EXPECT_EQ(AsDate(V), 36526);
  SetTime(V, 1.75);
  EXPECT_EQ(V.DateTimeValue, 0.75);
  SetDateTime(V, 0.25);
  EXPECT_EQ(V.Kind, vkTime);
  SetDateTime(V, 1.25);
  EXPECT_EQ(V.Kind, vkDateTime);
}

TEST(Value, StringsAreCutAt255Bytes) {
  TCalcValue V;
  const std::string Long(300, 'x');
  SetString(V, Long);
  EXPECT_EQ(AsString(V), std::string(255, 'x'));
}

TEST(Value, RealToFractionKeepsSevenDigits) {
  FormatSettings() = EnglishFormatSettings();
  struct Case { long double X; const char* Text; } const Cases[] = {
      {2.75L, "2+3/4"}, {-2.75L, "-2+-3/4"}, {1.0L / 3, "3333333/10000000"},
      {0.5L, "1/2"}, {0.0000001L, "1/10000000"}, {0.00000001L, "0"},
      // Beyond 32 bits the numerator still comes out right.
      {300000.25L, "300000+1/4"}, {5000000000.5L, "5000000000+1/2"},
      {0.99999999999999999L, "1"}};
  for (const auto& C : Cases) {
    TCalcValue V;
    RealToFraction(V, C.X);
    EXPECT_EQ(AsString(V, true), C.Text) << static_cast<double>(C.X);
  }
}

}  // namespace
}  // namespace talvex
