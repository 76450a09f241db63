#include <gtest/gtest.h>

#include "support/Repeated.h"

#include <string>

#include "ParserLib/Radix.h"
#include "ParserLib/Roman.h"

namespace talvex {
namespace {

using testing::Repeated;

TEST(RomanToInt, ReadsStandardAndLenientForms) {
  struct Case { std::string Text; int64_t Value; };
  const Case Cases[] = {
      {"XIV", 14},       {"xiv", 14},  {"MMXXIV", 2024}, {"-XL", -40}, {"MCMXCIX", 1999}, {"iV", 4},
      {"IM", 999},       {"VX", 5},    {"IIX", 10},      {"MMMM", 4000}, {"I", 1},        {"", 0},
      {"XIZ", 0},        {"-", 0},     {"-Q", 0},        {"X-I", 0},   {"X I", 0},
      {"\xCC", 0},  // Cyrillic Em in code page 1251 looks like M but is not one
      {std::string(2200000, 'M'), 2200000000},  // beyond 32 bits
      {"-" + std::string(2200000, 'M'), -2200000000},
  };
  for (const auto& C : Cases) {
    int64_t Value = -1;
    EXPECT_TRUE(RomanToInt(C.Text, Value)) << C.Text.substr(0, 20);
    EXPECT_EQ(Value, C.Value) << C.Text.substr(0, 20);
  }
}

TEST(IntToRoman, WritesSubtractiveForms) {
  struct Case { int32_t N; std::string Text; };
  const Case Cases[] = {
      {1994, "MCMXCIV"},        {3999, "MMMCMXCIX"}, {3888, "MMMDCCCLXXXVIII"}, {4, "IV"}, {9, "IX"},
      {40, "XL"},               {90, "XC"},          {400, "CD"},               {500, "D"}, {1, "I"},
      {0, ""},                  {-5, ""},            {INT32_MIN, ""},
      {29999, std::string(29, 'M') + "CMXCIX"},
  };
  for (const auto& C : Cases) EXPECT_EQ(IntToRoman(C.N), C.Text) << C.N;
}

TEST(IntToRoman, ReadsBackThroughRomanToInt) {
  for (int32_t N = 1; N < 5000; ++N) {
    int64_t Value = 0;
    ASSERT_TRUE(RomanToInt(IntToRoman(N), Value));
    ASSERT_EQ(Value, N) << IntToRoman(N);
  }
}

TEST(RadixTextToInt, WeighsDigitsAndWraps) {
  struct Case { std::string Text; int Radix; int64_t Value; };
  const Case Cases[] = {
      {"101", 2, 5},
      {"777", 8, 511},
      {"ff", 16, 255},
      {"", 2, 0},
      {std::string(64, '1'), 2, -1},
      {std::string(65, '1'), 2, -1},  // wraps modulo 2^64
      {Repeated("1", 63, '0'), 2, INT64_MIN},
      {Repeated("1", 21, '7'), 8, -1},
      {"0777777777777777777777", 8, INT64_MAX},
  };
  for (const auto& C : Cases) EXPECT_EQ(RadixTextToInt(C.Text, C.Radix), C.Value) << C.Text;
}

TEST(IntToRadixText, WritesTheTwosComplementPattern) {
  struct Case { int64_t N; std::string Bin, Oct, Hex; };
  const Case Cases[] = {
      {0, "0", "0", "0"},
      {5, "101", "5", "5"},
      {8, "1000", "10", "8"},
      {255, "11111111", "377", "FF"},
      {-1, std::string(64, '1'), Repeated("1", 21, '7'), std::string(16, 'F')},
      {INT64_MIN, Repeated("1", 63, '0'), Repeated("1", 21, '0'), Repeated("8", 15, '0')},
      {INT64_MAX, std::string(63, '1'), std::string(21, '7'), Repeated("7", 15, 'F')},
      {-16, std::string(60, '1') + "0000", Repeated("1", 19, '7') + "60", std::string(15, 'F') + "0"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(IntToBinText(C.N), C.Bin) << C.N;
    EXPECT_EQ(IntToOctText(C.N), C.Oct) << C.N;
    EXPECT_EQ(IntToHexText(C.N), C.Hex) << C.N;
    EXPECT_EQ(RadixTextToInt(C.Bin, 2), C.N);
    EXPECT_EQ(RadixTextToInt(C.Oct, 8), C.N);
  }
}

}  // namespace
}  // namespace talvex
