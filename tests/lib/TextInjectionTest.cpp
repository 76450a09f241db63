#include <gmock/gmock.h>
#include <gtest/gtest.h>

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

TEST(TypeText, EmptyTextDoesNothing) {
  TFakeSystemApi Sys;
  Sys.KeyStates[0xA2] = {static_cast<std::int16_t>(0xFF80)};
  TypeText(Sys, "");
  EXPECT_THAT(Sys.Calls, IsEmpty());
}

TEST(TypeText, CapsLockIsTurnedOffForTheTextAndOnAgain) {
  TFakeSystemApi Sys;
  Sys.KeyStates[0x14] = {1};
  TypeText(Sys, "Ab3");
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Tap(0x14), ShiftedTap('A'), Tap('B'), Tap('3'), Tap(0x14)})));
}

TEST(TypeText, WithoutCapsLockOnlyTheCharactersAreTyped) {
  TFakeSystemApi Sys;
  TypeText(Sys, "2+3=5");
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Tap('2'), ShiftedTap(0xBB), Tap('3'), Tap(0xBB), Tap('5')})));
}

struct THeldCase {
  const char* Name;
  std::uint32_t Platform;
  std::vector<std::uint8_t> Held;
  std::vector<std::string> Releases;
  std::vector<std::string> Presses;
};

TEST(TypeText, HeldModifiersAreReleasedAndPressedAgain) {
  const THeldCase Cases[] = {
      {"NT right Ctrl", 2, {0xA3}, {Key(0xA3, 3)}, {Key(0xA3, 1)}},
      {"NT all six", 2, {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5},
       {Key(0xA0, 2), Key(0xA1, 3), Key(0xA2, 2), Key(0xA3, 3), Key(0xA4, 2), Key(0xA5, 3)},
       {Key(0xA2, 0), Key(0xA3, 1), Key(0xA4, 0), Key(0xA5, 1), Key(0xA0, 0), Key(0xA1, 1)}},
      {"NT left Shift", 2, {0xA0}, {Key(0xA0, 2)}, {Key(0xA0, 0)}},
      // Windows 95 reads the generic keys and presses the left-hand codes again.
      {"95 all three", 1, {0x10, 0x11, 0x12}, {Key(0x11, 2), Key(0x12, 2), Key(0x10, 2)},
       {Key(0xA2, 0), Key(0xA4, 0), Key(0xA0, 0)}},
      {"95 Ctrl", 1, {0x11}, {Key(0x11, 2)}, {Key(0xA2, 0)}},
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.Platform = C.Platform;
    for (const std::uint8_t Vk : C.Held) Sys.KeyStates[Vk] = {static_cast<std::int16_t>(0xFF80)};
    TypeText(Sys, "7");
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({C.Releases, {Pump}, Tap('7'), C.Presses}))) << C.Name;
  }
}

TEST(TypeText, CharactersWithoutAKeyGoAsUnicodeOnNt) {
  TFakeSystemApi Sys;
  Sys.Layout['@'] = 0x651;  // AltGr+Q on a German layout: not the plain Q
  TypeText(Sys, "1\xE9@");    // 0xE9 has no key here
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Tap('1'), {Unicode(0x0439, 4), Unicode(0x0439, 6)},
                                                 {Unicode('@', 4), Unicode('@', 6)}})));
}

TEST(TypeText, CharactersWithoutAKeyAreLeftOutOnWindows95) {
  TFakeSystemApi Sys;
  Sys.Platform = 1;
  Sys.Layout['%'] = static_cast<std::int16_t>(0xFF35);  // shift state unknown
  TypeText(Sys, "1\xE9%2");
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Tap('1'), Tap('2')})));
}

TEST(TypeText, ACharacterTheCodePageCannotConvertIsLeftOut) {
  TFakeSystemApi Sys;
  Sys.NoUnicode['\x98'] = 0;
  TypeText(Sys, "1\x98" "2");
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({{Pump}, Tap('1'), Tap('2')})));
}

// What TypeText does with the ANSI bytes, TypeWideText does with their
// characters, whatever held keys and CapsLock it meets.
TEST(TypeWideText, TypesWhatTypeTextTypesForTheSameCharacters) {
  const struct {
    const char* Ansi;
    const wchar_t* Wide;
    std::uint32_t Platform;
    std::vector<std::uint8_t> Held;
  } Cases[] = {
      {"2+3*4=14", L"2+3*4=14", 2, {}},
      {"Ab3", L"Ab3", 2, {0x14, 0xA3}},
      {"1\xE9" "7", L"1\u0439" "7", 2, {}},  // a letter without a key: Unicode on NT
      {"5 - 1", L"5 - 1", 1, {0x11}},
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Narrow, Wide;
    Narrow.Platform = Wide.Platform = C.Platform;
    for (const std::uint8_t Vk : C.Held) {
      const auto State = static_cast<std::int16_t>(Vk == 0x14 ? 1 : 0xFF80);
      Narrow.KeyStates[Vk] = Wide.KeyStates[Vk] = {State};
    }
    TypeText(Narrow, C.Ansi);
    TypeWideText(Wide, C.Wide);
    EXPECT_THAT(Wide.Calls, ElementsAreArray(Narrow.Calls)) << C.Ansi;
  }
}

TEST(TypeWideText, ACharacterTheAnsiCodePageLacksGoesAsUnicodeOnNtOnly) {
  TFakeSystemApi Nt;
  Nt.NoAnsi = {0x20AC};
  TypeWideText(Nt, L"1\u20AC" "2");
  EXPECT_THAT(Nt.Calls,
              ElementsAreArray(Typed({{Pump}, Tap('1'), {Unicode(0x20AC, 4), Unicode(0x20AC, 6)}, Tap('2')})));

  TFakeSystemApi Win95;
  Win95.Platform = 1;
  Win95.NoAnsi = {0x20AC};
  TypeWideText(Win95, L"1\u20AC" "2");
  EXPECT_THAT(Win95.Calls, ElementsAreArray(Typed({{Pump}, Tap('1'), Tap('2')})));
}

TEST(TypeWideText, EmptyTextDoesNothing) {
  TFakeSystemApi Sys;
  Sys.KeyStates[0xA0] = {static_cast<std::int16_t>(0xFF80)};
  TypeWideText(Sys, L"");
  EXPECT_THAT(Sys.Calls, IsEmpty());
}

}  // namespace
}  // namespace talvex::testing
