#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSystemApi.h"
#include "lib/TextInjection.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr TWindowHandle Target = 0x50;

// The expected calls, part after part.
std::vector<std::string> Typed(std::initializer_list<std::vector<std::string>> Parts) {
  std::vector<std::string> All;
  for (const auto& P : Parts) All.insert(All.end(), P.begin(), P.end());
  return All;
}

std::vector<std::string> Tap(std::uint8_t Vk, std::uint8_t Scan) { return {Key(Vk, 0, Scan), Key(Vk, 2, Scan)}; }
std::vector<std::string> ShiftedTap(std::uint8_t Vk) {
  return {Key(0x10, 0, 0x2A), Key(Vk, 0, Vk & 0x7F), Key(Vk, 2, Vk & 0x7F), Key(0x10, 2, 0x2A)};
}
std::vector<std::string> Units(std::wstring_view Text) {
  std::vector<std::string> Out;
  for (const wchar_t W : Text) {
    Out.push_back(Unicode(static_cast<std::uint16_t>(W), 4));
    Out.push_back(Unicode(static_cast<std::uint16_t>(W), 6));
  }
  return Out;
}

struct TTypingFixture : ::testing::Test {
  TFakeSystemApi Sys;
  void SetUp() override { Sys.Foreground = Target; }
  // Types Text with a watch started now, as a cycle starts it before typing.
  TTyping Type(std::wstring_view Text) {
    const TUserKeyWatch Watch(Sys);
    Sys.ClearCalls();
    const TTyping Result = TypeInto(Sys, Watch, Target, Text);
    Calls = Sys.Calls;
    return Result;
  }
  std::vector<std::string> Calls;
};

TEST_F(TTypingFixture, EmptyTextDoesNothing) {
  Sys.Down = {0xA2};
  EXPECT_EQ(Type(L""), TTyping::tgTyped);
  EXPECT_THAT(Calls, IsEmpty());
}

// Whatever the target's layout (a comma is "б" through the English key code
// under a Russian one; digits need Shift under a French one) and CapsLock.
TEST_F(TTypingFixture, OnNtEveryCharacterGoesAsUnicodeInputInOneCall) {
  for (const std::wstring Text : {L"2+3*4=14", L"1,5", L"Ab3", L"x\u0431\u20AC"}) {
    Sys.KeyStates[0x14] = {1};  // CapsLock on
    EXPECT_EQ(Type(Text), TTyping::tgTyped);
    EXPECT_THAT(Calls, ElementsAreArray(Typed({{Pump, Send(2 * Text.size())}, Units(Text)})));
  }
}

// Let go and pressed again inside the one call: neither the user's keys nor
// the auto-repeat of a held hotkey key can reach the application between.
TEST_F(TTypingFixture, HeldModifiersAreLetGoAndPressedAgainOnlyWhenTheWatchSawThemStillDown) {
  const struct {
    const char* Name;
    std::vector<int> Held;
    std::map<int, TUserKey> User;  // what the watch saw besides the keys down at its start
    bool WatchInstalls;
    bool ReleaseQueued;  // the user's release of the first key waits in the queue
    std::vector<std::string> Releases, Presses;
  } Cases[] = {
      {"right Ctrl", {0xA3}, {}, true, false, {Key(0xA3, 3, 0x1D)}, {Key(0xA3, 1, 0x1D)}},
      {"right Shift, not an extended key", {0xA1}, {}, true, false, {Key(0xA1, 2, 0x36)}, {Key(0xA1, 0, 0x36)}},
      {"all six",
       {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5},
       {},
       true,
       false,
       {Key(0xA0, 2, 0x2A), Key(0xA1, 2, 0x36), Key(0xA2, 2, 0x1D), Key(0xA3, 3, 0x1D), Key(0xA4, 2, 0x38),
        Key(0xA5, 3, 0x38)},
       {Key(0xA2, 0, 0x1D), Key(0xA3, 1, 0x1D), Key(0xA4, 0, 0x38), Key(0xA5, 1, 0x38), Key(0xA0, 0, 0x2A),
        Key(0xA1, 0, 0x36)}},
      {"Shift let go meanwhile", {0xA0}, {{0xA0, TUserKey::ukUp}}, true, false, {Key(0xA0, 2, 0x2A)}, {}},
      {"Shift let go, the release still queued", {0xA0}, {}, true, true, {Key(0xA0, 2, 0x2A)}, {}},
      {"Shift let go, Ctrl still held",
       {0xA0, 0xA2},
       {{0xA0, TUserKey::ukUp}},
       true,
       false,
       {Key(0xA0, 2, 0x2A), Key(0xA2, 2, 0x1D)},
       {Key(0xA2, 0, 0x1D)}},
      {"no watch: nothing is pressed again", {0xA2}, {}, false, false, {Key(0xA2, 2, 0x1D)}, {}},
  };
  for (const auto& C : Cases) {
    Sys.Down = std::set<int>(C.Held.begin(), C.Held.end());
    Sys.UserKeys = C.User;
    Sys.WatchInstalls = C.WatchInstalls;
    const TUserKeyWatch Watch(Sys);
    if (C.ReleaseQueued) {
      Sys.Queue = {TPumpResult::pmDispatched};
      Sys.OnDispatch = [&] { Sys.UserKeys[C.Held[0]] = TUserKey::ukUp; };
    }
    Sys.ClearCalls();
    EXPECT_EQ(TypeInto(Sys, Watch, Target, L"7"), TTyping::tgTyped) << C.Name;
    const std::vector<std::string> Drain = C.ReleaseQueued ? std::vector<std::string>{Pump, Pump} : std::vector<std::string>{Pump};
    const std::size_t Count = C.Releases.size() + 2 + C.Presses.size();
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Typed({Drain, {Send(Count)}, C.Releases, Units(L"7"), C.Presses})))
        << C.Name;
    Sys.OnDispatch = nullptr;
  }
}

TEST_F(TTypingFixture, NothingGoesOutWhenAnotherWindowCameInFrontWhileTheQueueWasDrained) {
  Sys.Down = {0xA2};
  Sys.Queue = {TPumpResult::pmDispatched};
  Sys.OnDispatch = [this] { Sys.Foreground = 0x51; };  // the user's click, dispatched in the drain
  EXPECT_EQ(Type(L"42"), TTyping::tgWindowChanged);
  EXPECT_THAT(Calls, ElementsAreArray({Pump, Pump}));
  EXPECT_TRUE(Sys.Down.count(0xA2)) << "not even the modifier was let go";
}

TEST_F(TTypingFixture, KeysTheSystemDidNotTakeAreTold) {
  const struct {
    const char* Name;
    std::optional<std::size_t> Limit;
    bool Elevated;
    TTyping Outcome;
  } Cases[] = {
      {"all taken", std::nullopt, false, TTyping::tgTyped},
      {"three of four", 3, false, TTyping::tgIncomplete},
      {"an administrator's window takes none", std::nullopt, true, TTyping::tgIncomplete},
  };
  for (const auto& C : Cases) {
    Sys.SendLimit = C.Limit;
    Sys.ElevatedWindows.clear();
    if (C.Elevated) Sys.ElevatedWindows.insert(Target);
    EXPECT_EQ(Type(L"42"), C.Outcome) << C.Name;
  }
}

TEST_F(TTypingFixture, OnWindows95TheLayoutsKeysAreTypedWithCapsLockOff) {
  Sys.Platform = 1;
  Sys.WatchInstalls = false;  // the Windows 95 family has no low-level hooks
  Sys.KeyStates[0x14] = {1};
  Sys.Down = {0x11};
  EXPECT_EQ(Type(L"Ab3="), TTyping::tgTyped);
  // No watch on Windows 95: the Ctrl the user may still hold stays up.
  EXPECT_THAT(Calls, ElementsAreArray(Typed({{Pump, Send(15), Key(0x11, 2, 0x1D)}, Tap(0x14, 0x3A), ShiftedTap('A'),
                                             Tap('B', 'B' & 0x7F), Tap('3', '3'), Tap(0xBB, 0xBB & 0x7F),
                                             Tap(0x14, 0x3A)})));
}

TEST_F(TTypingFixture, OnWindows95ACharacterWithoutAPlainOrShiftedKeyIsLeftOut) {
  Sys.Platform = 1;
  Sys.Layout['%'] = static_cast<std::int16_t>(0xFF35);  // shift state unknown
  Sys.Layout['@'] = 0x651;                               // AltGr+Q on a German layout: not the plain Q
  Sys.NoAnsi = {0x20AC};
  EXPECT_EQ(Type(L"1\u00E9%@\u20AC2"), TTyping::tgTyped);  // é has no key here
  EXPECT_THAT(Calls, ElementsAreArray(Typed({{Pump, Send(4)}, Tap('1', '1'), Tap('2', '2')})));
}

}  // namespace
}  // namespace talvex::testing
