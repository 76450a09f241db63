#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSystemApi.h"
#include "lib/TextInjection.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The expected calls, part after part.
std::vector<std::string> Typed(std::initializer_list<std::vector<std::string>> Parts) {
  std::vector<std::string> All;
  for (const auto& P : Parts) All.insert(All.end(), P.begin(), P.end());
  return All;
}

std::vector<std::string> Tap(std::uint8_t Vk) { return {Key(Vk, 0), Key(Vk, 2)}; }
std::vector<std::string> ShiftedTap(std::uint8_t Vk) { return {Key(0x10, 0), Key(Vk, 0), Key(Vk, 2), Key(0x10, 2)}; }
std::vector<std::string> Units(std::wstring_view Text) {
  std::vector<std::string> Out;
  for (const wchar_t W : Text) {
    Out.push_back(Unicode(static_cast<std::uint16_t>(W), 4));
    Out.push_back(Unicode(static_cast<std::uint16_t>(W), 6));
  }
  return Out;
}

TEST(TypeWideText, EmptyTextDoesNothing) {
  TFakeSystemApi Sys;
  Sys.Down = {0xA2};
  TypeWideText(Sys, L"");
  EXPECT_THAT(Sys.Calls, IsEmpty());
}

// Whatever the target's layout (a comma is "б" through the English key code
// under a Russian one; digits need Shift under a French one) and CapsLock.
TEST(TypeWideText, OnNtEveryCharacterGoesAsUnicodeInput) {
  for (const std::wstring Text : {L"2+3*4=14", L"1,5", L"Ab3", L"x\u0431\u20AC"}) {
    TFakeSystemApi Sys;
    Sys.KeyStates[0x14] = {1};  // CapsLock on
    TypeWideText(Sys, Text);
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Units(Text)})));
  }
}

TEST(TypeWideText, HeldModifiersAreLetGoAndPressedAgainIfTheUserStillHoldsThem) {
  const struct {
    const char* Name;
    std::vector<int> Held;
    std::map<int, TUserKey> User;
    std::vector<std::string> Releases, Presses;
  } Cases[] = {
      {"right Ctrl", {0xA3}, {}, {Key(0xA3, 3)}, {Key(0xA3, 1)}},
      {"all six",
       {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5},
       {},
       {Key(0xA0, 2), Key(0xA1, 3), Key(0xA2, 2), Key(0xA3, 3), Key(0xA4, 2), Key(0xA5, 3)},
       {Key(0xA2, 0), Key(0xA3, 1), Key(0xA4, 0), Key(0xA5, 1), Key(0xA0, 0), Key(0xA1, 1)}},
      {"Shift let go meanwhile", {0xA0}, {{0xA0, TUserKey::ukUp}}, {Key(0xA0, 2)}, {}},
      {"Ctrl let go and pressed again meanwhile", {0xA2}, {{0xA2, TUserKey::ukDown}}, {Key(0xA2, 2)}, {Key(0xA2, 0)}},
      {"Shift let go, Ctrl still held",
       {0xA0, 0xA2},
       {{0xA0, TUserKey::ukUp}},
       {Key(0xA0, 2), Key(0xA2, 2)},
       {Key(0xA2, 0)}},
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.Down = std::set<int>(C.Held.begin(), C.Held.end());
    Sys.UserKeys = C.User;
    TypeWideText(Sys, L"7");
    // The release is waited for (one pump finds it taken), then the queue drained once more.
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({C.Releases, {Pump, Pump}, Units(L"7"), C.Presses}))) << C.Name;
  }
}

TEST(TypeWideText, AReleaseTheSystemDoesNotTakeIsWaitedForOnlySoLong) {
  TFakeSystemApi Sys;
  Sys.Down = {0xA2};
  Sys.AsyncStates[0x11] = {static_cast<std::int16_t>(0x8000)};  // reads down whatever happens
  const std::uint32_t Start = Sys.Clock;
  TypeWideText(Sys, L"7");
  EXPECT_EQ(Sys.Clock - Start, 100u);
  EXPECT_NE(std::find(Sys.Calls.begin(), Sys.Calls.end(), Unicode('7', 4)), Sys.Calls.end());
}

TEST(TypeWideText, OnWindows95TheLayoutsKeysAreTypedWithCapsLockOff) {
  TFakeSystemApi Sys;
  Sys.Platform = 1;
  Sys.KeyStates[0x14] = {1};
  Sys.Down = {0x11};
  TypeWideText(Sys, L"Ab3=");
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Key(0x11, 2), Pump, Pump}, Tap(0x14), ShiftedTap('A'), Tap('B'),
                                                 Tap('3'), Tap(0xBB), Tap(0x14), {Key(0xA2, 0)}})));
}

TEST(TypeWideText, OnWindows95ACharacterWithoutAPlainOrShiftedKeyIsLeftOut) {
  TFakeSystemApi Sys;
  Sys.Platform = 1;
  Sys.Layout['%'] = static_cast<std::int16_t>(0xFF35);  // shift state unknown
  Sys.Layout['@'] = 0x651;                               // AltGr+Q on a German layout: not the plain Q
  Sys.NoAnsi = {0x20AC};
  TypeWideText(Sys, L"1\u00E9%@\u20AC2");  // é has no key here
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Tap('1'), Tap('2')})));
}

}  // namespace
}  // namespace talvex::testing
