#include <gtest/gtest.h>

#include <string>

#include "lib/TextCodec.h"

namespace talvex::testing {
namespace {

TEST(TextCodec, EveryCharacterOfCodePage1251GoesToUtf16AndBack) {
  std::string All;
  for (int B = 1; B < 256; ++B)
    if (B != 0x98) All += static_cast<char>(B);
  const std::wstring Wide = Cp1251ToWide(All);
  ASSERT_EQ(Wide.size(), All.size());
  EXPECT_EQ(Wide[All.find('\xC0')], L'\u0410');
  EXPECT_EQ(WideToCp1251(Wide), All);
  std::string Exact;
  std::size_t Bad = 99;
  EXPECT_TRUE(WideToCp1251Exact(Wide, Exact, Bad));
  EXPECT_EQ(Exact, All);
  // The one unassigned byte shows as the replacement character.
  EXPECT_EQ(Cp1251ToWide("\x98"), L"\uFFFD");
}

TEST(TextCodec, TheExactConversionNamesTheFirstCharacterCodePage1251Lacks) {
  const struct {
    std::wstring Text;
    bool Ok;
    std::size_t BadIndex;
  } Cases[] = {
      {L"2+3*4", true, 0},
      {L"\u041F\u0440\u0438", true, 0},
      {L"1+\u00AA+\u4E2D", false, 2},
      {L"\u4E2D", false, 0},
      {std::wstring(L"1\0"
                    L"2",
                    3),
       false, 1},  // a NUL would cut the engine's text short
  };
  for (const auto& C : Cases) {
    std::string Out;
    std::size_t Bad = 99;
    EXPECT_EQ(WideToCp1251Exact(C.Text, Out, Bad), C.Ok);
    if (!C.Ok) {
      EXPECT_EQ(Bad, C.BadIndex);
    }
  }
  EXPECT_EQ(WideToCp1251(L"1+\u4E2D"), "1+?");
}

}  // namespace
}  // namespace talvex::testing
