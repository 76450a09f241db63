#include "ParserLib/RealText.h"

#include <gtest/gtest.h>

#include "support/Repeated.h"

#include <cfloat>
#include <cmath>
#include <string>

#include "ParserLib/FloatText.h"
#include "ParserLib/RuntimeErrors.h"

// Expected reals are the correctly rounded values computed with exact rational
// arithmetic (Python's fractions) and written as hex literals, which name a real
// exactly: 0x8000000000000000p-63L is 1.
namespace talvex {
namespace {

using testing::Repeated;

struct RealCase {
  std::string Text;
  long double Value;
};

void ExpectReads(const RealCase& C, char Separator = '.') {
  long double Value = 12345;
  ASSERT_TRUE(TryTextToReal(C.Text, Separator, Value)) << C.Text.substr(0, 80);
  EXPECT_TRUE(Value == C.Value && std::signbit(Value) == std::signbit(C.Value))
      << C.Text.substr(0, 80) << " read as " << FormatScientific(Value, 18, '.') << ", expected "
      << FormatScientific(C.Value, 18, '.');
}

// The decimal text of 1 + N * 2^-64 with all its 64 decimals.
std::string OnePlusTwoToMinus64(int N) {
  // 2^-64 = 5^64 / 10^64; 5^64 has 45 digits.
  const char* const FiveTo64 = "542101086242752217003726400434970855712890625";
  std::string Fraction = std::string(19, '0') + FiveTo64;  // 64 decimals
  // Multiply the decimal string by N (small).
  int Carry = 0;
  for (std::size_t I = Fraction.size(); I-- > 0;) {
    const int D = (Fraction[I] - '0') * N + Carry;
    Fraction[I] = static_cast<char>('0' + D % 10);
    Carry = D / 10;
  }
  return "1." + Fraction;
}

TEST(TextToReal, ReadsTheAcceptedForms) {
  const RealCase Cases[] = {
      {"1.5", 1.5L},       {"  1.5  ", 1.5L},   {"-1.5", -1.5L},      {"+1.5", 1.5L},
      {".5", 0.5L},        {"5.", 5.0L},        {"1e3", 1000.0L},     {"1E+3", 1000.0L},
      {"2.5e-3", 0.0025L}, {"-0", -0.0L},       {"0.000", 0.0L},      {"007", 7.0L},
      {"0.1", 0xcccccccccccccccdp-67L},         {"1e0000000000000000000000003", 1000.0L},
      {"0e999999999999", 0.0L},                 {"123456789", 123456789.0L},
  };
  for (const auto& C : Cases) ExpectReads(C);
  ExpectReads({"1,25", 1.25L}, ',');
  ExpectReads({"-1,25E2", -125.0L}, ',');
}

TEST(TextToReal, RefusesOtherText) {
  const char* const Texts[] = {"",    " ",   "-",   "+",     ".",      "1..2", "1.2.3", "e5",  "1e",
                               "1e+", "1x",  "1 2", "--1",   "+-1",    "$10",  "0x10",  "\t1", "1.5e3.2",
                               "1e 3", "INF", "NAN", "1,5",  "1.5,"};
  for (const char* T : Texts) {
    long double Value = 7;
    EXPECT_FALSE(TryTextToReal(T, '.', Value)) << T;
    EXPECT_EQ(Value, 7) << "unchanged on failure: " << T;
  }
  try {
    TextToReal("12a", '.');
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'12a' is not a valid floating point value");
  }
  EXPECT_EQ(TextToReal(" 2.5", '.'), 2.5L);
}

TEST(TextToReal, RoundsHalfwayPointsToEven) {
  const RealCase Cases[] = {
      // 1 + 2^-64 lies halfway between 1 and the next real: ties to the even 1.
      {OnePlusTwoToMinus64(1), 0x8000000000000000p-63L},
      // 1 + 3 * 2^-64 lies between two reals whose even one is 1 + 2^-62.
      {OnePlusTwoToMinus64(3), 0x8000000000000002p-63L},
      // Any digit beyond the tie decides upward, however far out.
      {OnePlusTwoToMinus64(1) + "000000000000000000000000001", 0x8000000000000001p-63L},
      {OnePlusTwoToMinus64(1) + std::string(20000, '0') + "1", 0x8000000000000001p-63L},
      // Just below the tie, with a long tail of nines.
      {OnePlusTwoToMinus64(1).substr(0, 65) + Repeated("4", 500, '9'), 0x8000000000000000p-63L},
      // Integers beyond 2^64.
      {"18446744073709551617", 0x8000000000000000p+1L},
      {"18446744073709551619", 0x8000000000000002p+1L},
      {"18446744073709551617.000000000000000000001", 0x8000000000000001p+1L},
      // Short texts decided by one floating-point multiplication.
      {"92233720368547758100", 0xa000000000000002p+3L},
      {"92233720368547758116", 0xa000000000000004p+3L},
      // Halfway points near 1E-20, written with all 133 characters.
      {"0.00000000000000000000677626357803440271364860595933303023513182331614585532295499895947383205141445472463601618073880672454833984375",
       0x8000000000000002p-130L},
      {"0.00000000000000000000677626357803440271438328992859695992761228365190975887159166493245638675235742454106002696789801120758056640625",
       0x8000000000000002p-130L},
  };
  for (const auto& C : Cases) ExpectReads(C);
}

TEST(TextToReal, ReadsLongAndOrdinaryTextsExactly) {
  const RealCase Cases[] = {
      {"3.14159265358979323846", 0xc90fdaa22168c235p-62L},
      {"123456789012345678901234567890", 0xc77487fb61b9f077p+33L},
      {"1e28", 0x813f3978f8940984p+30L},
      {"1e-28", 0xfd87b5f28300ca0ep-157L},
      {Repeated("0.", 300, '0') + "1e301", 1.0L},
      {std::string(50000, '0') + "1.5", 1.5L},
      {Repeated("0.", 100000, '0') + "1e100001", 1.0L},
      {Repeated("1", 5000, '0') + "e-5000", 1.0L},
      {Repeated("-0.", 400, '3'), -0xaaaaaaaaaaaaaaabp-65L},
  };
  for (const auto& C : Cases) ExpectReads(C);
}

TEST(TextToReal, HandlesTheEndsOfTheRange) {
  const RealCase Cases[] = {
      {"1.18973149535723176502e4932", LDBL_MAX},
      // Below the midpoint between the largest real and 2^16384: still the largest.
      {"1.18973149535723176505e4932", LDBL_MAX},
      {"-1.18973149535723176505e4932", -LDBL_MAX},
      {"3.3621031431120935061e-4932", LDBL_MIN},
      {"3.3621031431120935059e-4932", 0x7fffffffffffffffp-16445L},  // the largest subnormal
      {"3.64519953188247460253e-4951", LDBL_TRUE_MIN},
      // Half the smallest subnormal is about 1.82259976594123730126E-4951.
      {"1.8225997659412373013e-4951", LDBL_TRUE_MIN},
      {"1.8225997659412373012e-4951", 0.0L},
      {"5.4677992978237119038e-4951", 0x2p-16445L},
      {"5.4677992978237119037e-4951", 0x1p-16445L},
      {"1e-5000", 0.0L},
      {"-1e-5000", -0.0L},
      {"1e-99999999999999999999999999", 0.0L},
  };
  for (const auto& C : Cases) ExpectReads(C);

  const char* const TooLarge[] = {"1.18973149535723176506e4932", "1.19e4932", "-1e4933", "1e999999999",
                                  "1e99999999999999999999999999"};
  for (const char* T : TooLarge) {
    long double Value = 0;
    EXPECT_FALSE(TryTextToReal(T, '.', Value)) << T;
  }
  long double Value = 0;
  EXPECT_FALSE(TryTextToReal(std::string(5000, '9'), '.', Value));
}

TEST(TextToReal, ReadsBackWhatTheFormattersWrite) {
  // 64 decimals identify every real of moderate size.
  const long double Fractions[] = {1.0L / 3, -2.0L / 3, 0.1L, 12345.678L, 3.14159265358979323846L, 1e-30L};
  for (long double X : Fractions) {
    const std::string Text = FormatFixedField(X, 64, 0);
    long double Back = 0;
    ASSERT_TRUE(TryTextToReal(Text, '.', Back)) << Text;
    EXPECT_EQ(Back, X) << Text;
  }
  // Whole reals, written with all their digits.
  const long double Wholes[] = {LDBL_MAX, -LDBL_MAX, 0x8000000000000001p+64L, 6.02214076e23L, 1e4000L};
  for (long double X : Wholes) {
    const std::string Text = FormatFixedField(X, 0, 0);
    long double Back = 0;
    ASSERT_TRUE(TryTextToReal(Text, '.', Back)) << Text.substr(0, 40);
    EXPECT_EQ(Back, X) << Text.substr(0, 40);
  }
}

struct IntCase {
  const char* Text;
  int64_t Value;
};

TEST(StrToInt64, ReadsDecimalAndHexadecimal) {
  const IntCase Cases[] = {
      {"0", 0},
      {"123", 123},
      {"-123", -123},
      {"+5", 5},
      {"   42", 42},
      {"007", 7},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"$FF", 255},
      {"$ff", 255},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$10", -16},
      {"$FFFFFFFFFFFFFFFF", -1},
      {"$8000000000000000", INT64_MIN},
      {"-$8000000000000000", INT64_MIN},
      {"$00000000000000000000001", 1},  // leading zeros do not count
  };
  for (const auto& C : Cases) {
    int64_t Value = 99;
    EXPECT_TRUE(TryStrToInt64(C.Text, Value)) << C.Text;
    EXPECT_EQ(Value, C.Value) << C.Text;
    EXPECT_EQ(StrToInt64(C.Text), C.Value) << C.Text;
  }
}

TEST(StrToInt64, RefusesOtherText) {
  const char* const Texts[] = {"",      " ",   "-",   "+",   "$",      "0x", "9223372036854775808",
                               "-9223372036854775809", "99999999999999999999999", "$10000000000000000",
                               "12a",   "1 ",  "1 2", "1.0", "--1",    "$-1", "0x-1", "$G", "x1", "1e3"};
  for (const char* T : Texts) {
    int64_t Value = 99;
    EXPECT_FALSE(TryStrToInt64(T, Value)) << T;
  }
  try {
    StrToInt64("12a");
    FAIL() << "no exception";
  } catch (const EConvertError& E) {
    EXPECT_EQ(E.Message(), "'12a' is not a valid integer value");
  }
}

TEST(StrToInt32, KeepsToThirtyTwoBits) {
  const IntCase Cases[] = {
      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"$80000000", INT32_MIN},
      {"$FFFFFFFF", -1},         {"-$1", -1},                {"0x0000000000007fffffff", INT32_MAX},
  };
  for (const auto& C : Cases) {
    int32_t Value = 99;
    EXPECT_TRUE(TryStrToInt32(C.Text, Value)) << C.Text;
    EXPECT_EQ(Value, C.Value) << C.Text;
    EXPECT_EQ(StrToInt32(C.Text), C.Value) << C.Text;
  }
  const char* const Bad[] = {"2147483648", "-2147483649", "$100000000", "", "$"};
  for (const char* T : Bad) {
    int32_t Value = 99;
    EXPECT_FALSE(TryStrToInt32(T, Value)) << T;
    EXPECT_THROW(StrToInt32(T), EConvertError) << T;
  }
}

}  // namespace
}  // namespace talvex
