#include "ParserLib/FloatText.h"

#include <gtest/gtest.h>

#include "support/Repeated.h"

#include <cfloat>
#include <limits>


// Expected texts come from exact rational arithmetic on the reals' binary values
// (Python's fractions), not from this code. "L" hex literals name reals exactly.
namespace talvex {
namespace {

using testing::Repeated;

constexpr long double Inf = std::numeric_limits<long double>::infinity();
constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double Pi = 3.14159265358979323846264338327950288L;

TEST(FloatToText, ShowsThirteenSignificantDigits) {
  struct Case { long double X; const char* Text; };
  const Case Cases[] = {
      {1.0L / 3, "0.3333333333333"},
      {2.0L / 3, "0.6666666666667"},
      {-2.0L / 3, "-0.6666666666667"},
      {0.1L + 0.2L, "0.3"},
      {0.1L, "0.1"},
      {Pi, "3.14159265359"},
      {123456789012345.0L, "123456789012300"},
      {12345678901235.0L, "12345678901240"},
      {-0.5L, "-0.5"},
      {100.0L, "100"},
      {1e14L, "100000000000000"},
      {1234.5L, "1234.5"},
      // Exact ties of the 13th digit go away from zero, not to even.
      {1234567890123.5L, "1234567890124"},
      {1234567890124.5L, "1234567890125"},
      {-1234567890124.5L, "-1234567890125"},
      {99999999999995.0L, "100000000000000"},
      // Carries out of the 13th digit.
      {9.99999999999995L, "10"},
      {9.9999999999999995L, "10"},
      // Just below a tie in binary: rounds down although the decimal literal is a tie.
      {0.000099999999999995L, "0.00009999999999999"},
  };
  for (const auto& C : Cases) EXPECT_EQ(FloatToText(C.X, '.'), C.Text) << static_cast<double>(C.X);
}

TEST(FloatToText, SwitchesToExponentAtTheBoundaries) {
  struct Case { long double X; const char* Text; };
  const Case Cases[] = {
      {1e20L, "1E20"},
      {1e15L, "1E15"},
      {999999999999999.0L, "1E15"},  // rounding to 13 digits reaches exponent 15
      {999999999999950.0L, "1E15"},
      {1.5e15L, "1.5E15"},
      {0.000001L, "1E-6"},
      {1.5e-6L, "1.5E-6"},
      {-2.5e-7L, "-2.5E-7"},
      {0.00001L, "0.00001"},
      {0.000009999999999L, "9.999999999E-6"},
      {0.0000099999999999999L, "0.00001"},  // rounds up into the fixed range
      {-0.00001L, "-0.00001"},
      {LDBL_MAX, "1.189731495357E4932"},
      {-LDBL_MAX, "-1.189731495357E4932"},
      {1e4000L, "1E4000"},
  };
  for (const auto& C : Cases) EXPECT_EQ(FloatToText(C.X, '.'), C.Text) << static_cast<double>(C.X);
}

TEST(FloatToText, ResiduesBelowOneE13ShowAsZero) {
  struct Case { long double X; const char* Text; };
  const Case Cases[] = {
      {1e-13L, "1E-13"},
      {-1e-13L, "-1E-13"},
      {9.9999999999999e-14L, "1E-13"},  // rounds up to the cut-off, so it stays
      {9.99999999999e-14L, "0"},
      {1e-14L, "0"},
      {0.00000000000005L, "0"},
      {-1e-14L, "0"},
      {LDBL_MIN, "0"},
      {LDBL_TRUE_MIN, "0"},
      {0.0L, "0"},
      {-0.0L, "0"},
  };
  for (const auto& C : Cases) EXPECT_EQ(FloatToText(C.X, '.'), C.Text) << static_cast<double>(C.X);
}

TEST(FloatToText, UsesTheGivenSeparatorAndNamesNonFiniteValues) {
  EXPECT_EQ(FloatToText(1.5L, ','), "1,5");
  EXPECT_EQ(FloatToText(-1.5e-7L, ','), "-1,5E-7");
  EXPECT_EQ(FloatToText(12.0L, ','), "12");
  EXPECT_EQ(FloatToText(Inf, '.'), "INF");
  EXPECT_EQ(FloatToText(-Inf, '.'), "-INF");
  EXPECT_EQ(FloatToText(NaN, '.'), "NAN");
}

TEST(FormatNumberFixed, GroupsAndRoundsHalvesAwayFromZero) {
  struct Case { long double X; int Digits; const char* Text; };
  const Case Cases[] = {
      {1234.567L, 2, "1`234.57"},
      {-1234.567L, 2, "-1`234.57"},
      {0.0L, 2, "0.00"},
      {-0.0L, 2, "0.00"},
      {-0.001L, 2, "0.00"},  // rounds to zero: no sign
      {-0.0051L, 2, "-0.01"},
      {-0.005L, 2, "0.00"},  // stored a little above -0.005
      {100.0L, 0, "100"},
      {1000.0L, 0, "1`000"},
      {1234567.0L, 0, "1`234`567"},
      {-123456.0L, 1, "-123`456.0"},
      {0.5L, 0, "1"},
      {2.5L, 0, "3"},
      {-2.5L, 0, "-3"},
      {0.125L, 2, "0.13"},
      {999.5L, 0, "1`000"},        // a carry opens a new group
      {999999.5L, 0, "1`000`000"},
      {999.9951L, 2, "1`000.00"},
      // 999.995 is stored a little below the tie; multiplying by 100 in
      // floating point would round it up.
      {999.995L, 2, "999.99"},
      {1.005L, 2, "1.00"},
      {0.1L, 18, "0.100000000000000000"},
      {0.1L, 25, "0.100000000000000000"},  // at most 18 decimals
      {3.7L, -2, "4"},                     // at least none
      {999999999999999999.5L, 0, "1`000`000`000`000`000`000"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FormatNumberFixed(C.X, C.Digits, '.', '`'), C.Text) << static_cast<double>(C.X) << " " << C.Digits;
}

TEST(FormatNumberFixed, LargeAndNonFiniteValuesFallBackToRealText) {
  EXPECT_EQ(FormatNumberFixed(1e18L, 2, '.', '`'), "1E18");
  EXPECT_EQ(FormatNumberFixed(-2.5e30L, 2, ',', ' '), "-2,5E30");
  EXPECT_EQ(FormatNumberFixed(Inf, 2, '.', '`'), "INF");
  EXPECT_EQ(FormatNumberFixed(1234.5L, 1, ',', ' '), "1 234,5");
}

TEST(FormatScientific, WritesPrecisionDigitsAndASignedExponent) {
  struct Case { long double X; int Precision; const char* Text; };
  const Case Cases[] = {
      {1234.5L, 3, "1.23E+003"},
      {-0.00012L, 2, "-1.2E-004"},
      {0.0L, 3, "0.00E+000"},
      {-0.0L, 3, "0.00E+000"},
      {1234.5L, 1, "1E+003"},
      {1234.5L, 0, "1E+003"},   // at least one digit
      {1.0L / 3, 18, "3.33333333333333333E-001"},
      {1.0L / 3, 30, "3.33333333333333333E-001"},  // at most 18
      {0.125L, 2, "1.3E-001"},   // exact tie: away from zero
      {9.995L, 3, "9.99E+000"},  // stored below the tie
      {9.9996L, 3, "1.00E+001"}, // carry into the exponent
      {1e100L, 3, "1.00E+100"},
      {1e4000L, 3, "1.00E+4000"},
      {LDBL_MAX, 18, "1.18973149535723177E+4932"},
      {LDBL_TRUE_MIN, 3, "3.65E-4951"},
      {LDBL_TRUE_MIN, 18, "3.64519953188247460E-4951"},
      {LDBL_MIN, 18, "3.36210314311209351E-4932"},
      {5e-65L, 3, "5.00E-065"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FormatScientific(C.X, C.Precision, '.'), C.Text) << static_cast<double>(C.X) << " " << C.Precision;
  EXPECT_EQ(FormatScientific(2.5L, 2, ','), "2,5E+000");
  EXPECT_EQ(FormatScientific(-Inf, 3, '.'), "-INF");
}

TEST(FormatFixedField, RightAlignsFixedTextInTheField) {
  struct Case { long double X; int Digits, Width; const char* Text; };
  const Case Cases[] = {
      {3.14159L, 2, 15, "           3.14"},
      {1234.5678L, 1, 15, "         1234.6"},
      {2.7L, 0, 15, "              3"},
      {-2.5L, 0, 15, "             -3"},
      {-0.001L, 2, 15, "           0.00"},
      {2.7L, -3, 15, "              3"},  // negative counts as none
      {123456789012345678.0L, 2, 15, "123456789012345678.00"},
      {1e20L, 2, 15, "100000000000000000000.00"},
      {1.5L, 1, 0, "1.5"},
      {1.5L, 1, -4, "1.5"},
      {999.995L, 2, 15, "         999.99"},
      {0.1L, 64, 0, "0.1000000000000000000013552527156068805425093160010874271392822266"},
      {0.1L, 90, 0, "0.1000000000000000000013552527156068805425093160010874271392822266"},
      {5e-65L, 64, 0, "0.0000000000000000000000000000000000000000000000000000000000000000"},
      {0.00000000000005L, 64, 0, "0.0000000000000499999999999999999995137380373669047896181831004014"},
      {Inf, 2, 15, "            INF"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FormatFixedField(C.X, C.Digits, C.Width), C.Text) << static_cast<double>(C.X) << " " << C.Digits;
}

TEST(FormatFixedField, WritesEveryDigitOfTheLargestReal) {
  const std::string Text = FormatFixedField(LDBL_MAX, 0, 15);
  ASSERT_EQ(Text.size(), 4933u);
  EXPECT_EQ(Text.substr(0, 30), "118973149535723176502126385303");
  EXPECT_EQ(Text.substr(Text.size() - 30), "444156604419552086811989770240");
  const std::string Negative = FormatFixedField(-LDBL_MAX, 64, 15);
  ASSERT_EQ(Negative.size(), 1 + 4933 + 1 + 64u);
  EXPECT_EQ(Negative.substr(0, 4), "-118");
  EXPECT_EQ(Negative.substr(4934), Repeated(".", 64, '0'));
}

}  // namespace
}  // namespace talvex
