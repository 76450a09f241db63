#include <gtest/gtest.h>

#include <string>

#include "FakeAppHost.h"
#include "app/TrayTexts.h"

namespace talvex::testing {
namespace {

TEST(TrayTexts, TheShellVersionDecidesTheLayout) {
  const struct {
    std::optional<TShellVersion> Shell;
    std::size_t Tooltip;
    bool Balloons, Silent;
  } Cases[] = {
      {std::nullopt, 63, false, false},  // no DllGetVersion: Windows 95 and NT 4 as shipped
      {TShellVersion{4, 71}, 63, false, false},
      {TShellVersion{5, 0}, 127, true, false},
      {TShellVersion{5, 50}, 127, true, false},
      {TShellVersion{6, 0}, 127, true, true},
      {TShellVersion{10, 0}, 127, true, true},
  };
  for (const auto& C : Cases) {
    const TTrayAbilities A = TrayAbilitiesOf(C.Shell);
    const std::string Name = C.Shell ? std::to_string(C.Shell->Major) + "." + std::to_string(C.Shell->Minor) : "none";
    EXPECT_EQ(A.TooltipChars, C.Tooltip) << Name;
    EXPECT_EQ(A.Balloons, C.Balloons) << Name;
    EXPECT_EQ(A.SilentBalloons, C.Silent) << Name;
  }
}

TEST(TrayTexts, TheCommonestErrorFitsTheLargerTooltipWholeAndABalloonHoldsEvenLongerOnes) {
  const std::wstring Unknown =
      L"Позиция 1:  Неизвестный идентификатор \"PRICE\" или неправильный формат чисел в выражении";
  const std::wstring LongName =
      L"Позиция 1:  Неизвестный идентификатор \"" + std::wstring(200, L'X') + L"\" или неправильный формат";
  const struct {
    const char* Name;
    std::wstring Text;
    std::size_t Chars;
    std::wstring Tooltip;
  } Cases[] = {
      {"unknown name, first layout", Unknown, 63, Unknown.substr(0, 63)},
      {"unknown name, larger layout", Unknown, 127, Unknown},
      {"127 characters", std::wstring(127, L'7'), 127, std::wstring(127, L'7')},
      {"128 characters", std::wstring(128, L'8'), 127, std::wstring(127, L'8')},
      // Half a surrogate pair would show as a broken character.
      {"a pair at the limit", std::wstring(62, L'a') + L"\xD83D\xDE00", 63, std::wstring(62, L'a')},
  };
  for (const auto& C : Cases) EXPECT_EQ(CutTooltip(C.Text, C.Chars), C.Tooltip) << C.Name;

  EXPECT_EQ(CutBalloon(Unknown), Unknown);
  EXPECT_EQ(CutBalloon(std::wstring(255, L'5')), std::wstring(255, L'5'));
  const std::wstring Cut = CutBalloon(LongName);
  EXPECT_EQ(Cut.size(), 255u);
  EXPECT_EQ(Cut.substr(0, 254), LongName.substr(0, 254));
  EXPECT_EQ(Cut.back(), L'\u2026') << "the reader sees that it goes on";
}

}  // namespace
}  // namespace talvex::testing
