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

// The right Shift has a scan code of its own and no extended flag; a key
// without its scan code reads as another one to terminals and remote desktops.
TEST(KeyEvents, EventsCarryTheKeysScanCodeAndTheExtendedFlagOfExtendedKeysOnly) {
  const struct {
    std::uint8_t Vk;
    bool Up;
    std::string Event;
  } Cases[] = {
      {0xA0, false, Key(0xA0, 0, 0x2A)}, {0xA1, true, Key(0xA1, 2, 0x36)},  {0xA1, false, Key(0xA1, 0, 0x36)},
      {0xA2, true, Key(0xA2, 2, 0x1D)},  {0xA3, false, Key(0xA3, 1, 0x1D)}, {0xA3, true, Key(0xA3, 3, 0x1D)},
      {0xA5, false, Key(0xA5, 1, 0x38)}, {0x2D, false, Key(0x2D, 1, 0x52)}, {0x2D, true, Key(0x2D, 3, 0x52)},
      {0x90, false, Key(0x90, 1, 0x45)}, {0x11, false, Key(0x11, 0, 0x1D)}, {'A', true, Key('A', 2, 'A')},
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.SendKeys({C.Up ? KeyRelease(Sys, C.Vk) : KeyPress(Sys, C.Vk)});
    EXPECT_THAT(Sys.Calls, ElementsAre(Send(1), C.Event)) << Hex(C.Vk) << (C.Up ? " up" : " down");
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
      EXPECT_THAT(Sys.Calls, ElementsAre(Pump, Send(2), Key(0x90, 1, 0x45), Key(0x90, 3, 0x45), Pump));
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
