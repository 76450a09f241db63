#include "ParserLib/Cp1251.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(Cp1251, UpperCaseCoversLatinAndCyrillic) {
  struct Case { std::string Utf8In, Utf8Out; };
  const Case Cases[] = {
      {"abcxyz", "ABCXYZ"},
      {"абвгдежзийклмнопрстуфхцчшщъыьэюя", "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"},
      {"ёђѓєѕіїјљњћќўџґ", "ЁЂЃЄЅІЇЈЉЊЋЌЎЏҐ"},
      {"1_ \"%µ«»", "1_ \"%µ«»"},
  };
  for (const auto& C : Cases) {
    std::string In, Expected;
    std::size_t Offset = 0;
    ASSERT_TRUE(Utf8ToCp1251(C.Utf8In, In, Offset)) << C.Utf8In;
    ASSERT_TRUE(Utf8ToCp1251(C.Utf8Out, Expected, Offset)) << C.Utf8Out;
    EXPECT_EQ(UpperCase(In), Expected) << C.Utf8In;
    EXPECT_TRUE(SameTextCp1251(In, Expected));
  }
}

TEST(Cp1251, RoundTripsEveryAssignedByte) {
  for (int B = 1; B < 256; ++B) {
    if (B == 0x98) continue;
    const std::string One(1, static_cast<char>(B));
    std::string Back;
    std::size_t Offset = 0;
    ASSERT_TRUE(Utf8ToCp1251(Cp1251ToUtf8(One), Back, Offset)) << B;
    EXPECT_EQ(Back, One) << B;
  }
}

TEST(Cp1251, RejectsWhatTheCodePageLacksAndBrokenUtf8) {
  struct Case { std::string In; std::size_t Offset; };
  const Case Cases[] = {
      {"ab\xE4\xB8\xAD", 2},      // a CJK character
      {"x\xF0\x9F\x98\x80", 1},   // an emoji
      {"\xC3", 0},                // truncated sequence
      {"ok\x80", 2},              // stray continuation byte
      {"\xC0\xAF", 0},            // overlong encoding of '/'
      {"\xED\xA0\x80", 0},        // surrogate
  };
  for (const auto& C : Cases) {
    std::string Out;
    std::size_t Offset = 99;
    EXPECT_FALSE(Utf8ToCp1251(C.In, Out, Offset));
    EXPECT_EQ(Offset, C.Offset);
  }
}

TEST(Cp1251, LiteralOperatorMatchesRuntimeCodec) {
  std::string Runtime;
  std::size_t Offset = 0;
  ASSERT_TRUE(Utf8ToCp1251("Деление на ноль «№»", Runtime, Offset));
  EXPECT_EQ(std::string_view("Деление на ноль «№»"_cp), Runtime);
}

}  // namespace
}  // namespace talvex
