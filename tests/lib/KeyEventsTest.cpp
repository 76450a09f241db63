#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "FakeSystemApi.h"
#include "lib/KeyEvents.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct THelperCase {
  const char* Name;
  std::function<void(ISystemApi&)> Call;
  std::vector<std::string> Expected;
};

TEST(KeyEvents, HelpersSendTheirFlagsAndScanCodes) {
  const THelperCase Cases[] = {
      {"KeyDown", [](ISystemApi& S) { KeyDown(S, 0xA2); }, {Key(0xA2, 0)}},
      {"KeyDownExt", [](ISystemApi& S) { KeyDownExt(S, 0xA3); }, {Key(0xA3, 1)}},
      {"KeyUp", [](ISystemApi& S) { KeyUp(S, 0xA0); }, {Key(0xA0, 2)}},
      {"KeyUpExt", [](ISystemApi& S) { KeyUpExt(S, 0xA1); }, {Key(0xA1, 3)}},
      {"TapKey", [](ISystemApi& S) { TapKey(S, 0x41, 0x1E); }, {Key(0x41, 0, 0x1E), Key(0x41, 2, 0x1E)}},
      {"TapKeyScanned plain", [](ISystemApi& S) { TapKeyScanned(S, 0x14, false); },
       {Pump, Key(0x14, 0, 0x14), Key(0x14, 2, 0x14), Pump}},
      {"TapKeyScanned extended", [](ISystemApi& S) { TapKeyScanned(S, 0x90, true); },
       {Pump, Key(0x90, 1, 0x45), Key(0x90, 3, 0x45), Pump}},
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    C.Call(Sys);
    EXPECT_THAT(Sys.Calls, ElementsAreArray(C.Expected)) << C.Name;
  }
}

TEST(KeyEvents, ProcessPendingMessagesDrainsUntilEmptyDroppingQuit) {
  TFakeSystemApi Sys;
  Sys.Queue = {TPumpResult::pmDispatched, TPumpResult::pmQuitDiscarded, TPumpResult::pmDispatched};
  ProcessPendingMessages(Sys);
  EXPECT_THAT(Sys.Calls, ElementsAre(Pump, Pump, Pump, Pump));
  EXPECT_TRUE(Sys.Queue.empty());
}

TEST(KeyEvents, IsKeyToggledUsesTheSecondReadAndWantsExactlyOne) {
  struct {
    std::int16_t First, Second;
    bool Toggled;
  } const Cases[] = {
      {0, 1, true},
      {1, 0, false},
      {0, static_cast<std::int16_t>(0xFF81), false},  // held while toggled
      {0, 0x0003, false},
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.KeyStates[0x90] = {C.First, C.Second};
    EXPECT_EQ(IsKeyToggled(Sys, 0x90), C.Toggled) << C.First << " " << C.Second;
  }
}

TEST(KeyEvents, ToggleKeyOnceOnNtWaitsForReleaseThenPressesTheKey) {
  TFakeSystemApi Sys;
  Sys.AsyncStates[0x90] = {static_cast<std::int16_t>(0x8000), 1, 0};
  ToggleKeyOnce(Sys, 0x90);
  EXPECT_THAT(Sys.Calls, ElementsAre(Pump, WaitFor(10), Pump, WaitFor(10), Pump, Key(0x90, 0), Key(0x90, 2), Pump));
}

TEST(KeyEvents, ToggleKeyOnceStopsWaitingForAKeyHeldOnAndOn) {
  for (const std::uint32_t Platform : {2u, 1u}) {
    TFakeSystemApi Sys;
    Sys.Platform = Platform;
    Sys.AsyncStates[0x90] = {static_cast<std::int16_t>(0x8000)};
    const std::uint32_t Start = Sys.Clock;
    ToggleKeyOnce(Sys, 0x90);
    EXPECT_EQ(Sys.Clock - Start, 2000u) << Platform;
    EXPECT_EQ(std::count(Sys.Calls.begin(), Sys.Calls.end(), WaitFor(10)), 200) << "polled, never slept";
    const bool Toggled = Platform == 2 ? std::find(Sys.Calls.begin(), Sys.Calls.end(), Key(0x90, 0)) != Sys.Calls.end()
                                       : Sys.Calls.back() == Pump && Sys.Calls[Sys.Calls.size() - 2] == WriteState;
    EXPECT_TRUE(Toggled) << Platform;
  }
}

TEST(KeyEvents, ToggleKeyOnceOnWindows95FlipsTheStateByte) {
  TFakeSystemApi Sys;
  Sys.Platform = 1;
  Sys.AsyncStates[0x90] = {static_cast<std::int16_t>(0x8000), 0};
  Sys.Keyboard[0x90] = 0x81;
  Sys.Keyboard[0x14] = 0x01;
  ToggleKeyOnce(Sys, 0x90);
  EXPECT_THAT(Sys.Calls, ElementsAre(Pump, WaitFor(10), Pump, WriteState, Pump));
  EXPECT_EQ(Sys.WrittenKeyboard[0x90], 0x80);
  EXPECT_EQ(Sys.WrittenKeyboard[0x14], 0x01);  // the rest of the state untouched
}

TEST(KeyEvents, SetKeyToggleOnNtTapsOnlyWhenTheStateDiffers) {
  struct {
    std::int16_t State;
    bool On;
    bool Taps;
  } const Cases[] = {{1, true, false}, {0, true, true}, {1, false, true}, {0, false, false}};
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.KeyStates[0x90] = {C.State};
    SetKeyToggle(Sys, 0x90, C.On);
    if (C.Taps)
      EXPECT_THAT(Sys.Calls, ElementsAre(Pump, Key(0x90, 1, 0x45), Key(0x90, 3, 0x45), Pump));
    else
      EXPECT_THAT(Sys.Calls, IsEmpty());
  }
}

TEST(KeyEvents, SetKeyToggleOnWindows95WritesTheStateByte) {
  struct {
    std::uint8_t Before;
    bool On;
    std::uint8_t After;
  } const Cases[] = {{0x80, true, 0x81}, {0x00, true, 0x01}, {0x81, false, 0x00}, {0x80, false, 0x00}};
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.Platform = 1;
    Sys.Keyboard[0x90] = C.Before;
    SetKeyToggle(Sys, 0x90, C.On);
    EXPECT_THAT(Sys.Calls, ElementsAre(Pump, WriteState, Pump));
    EXPECT_EQ(Sys.WrittenKeyboard[0x90], C.After) << int{C.Before} << " " << C.On;
  }
}

TEST(KeyEvents, OnlyPlatformTwoIsNt) {
  for (const std::uint32_t Id : {0u, 1u, 2u, 3u}) {
    TFakeSystemApi Sys;
    Sys.Platform = Id;
    EXPECT_EQ(GetPlatformId(Sys), Id);
    EXPECT_EQ(IsNtPlatform(Sys), Id == 2);
  }
}

}  // namespace
}  // namespace talvex::testing
