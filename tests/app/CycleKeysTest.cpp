// The cycle and the user's keys: hotkeys pressed while it runs, NumLock,
// an administrator's window, a held hotkey, a watch that cannot tell, a
// window change at the last moment, keys the system does not take.
#include "CycleFixture.h"

namespace talvex::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::Not;

using CycleKeysTest = TCycleFixture;

TEST_F(CycleKeysTest, AHotkeyDispatchedWhileACycleRunsIsDropped) {
  const struct { THotkeyId Running, Arriving; } Cases[] = {{Id1, Id2}, {Id2, Id1}, {Id1, Id1}};
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Select(L"x 2+3*4 y", 2, 7);
    // The first draining of the queue inside the cycle dispatches the other hotkey.
    std::vector<bool> Dropped;
    Sys.Queue = {TPumpResult::pmDispatched};
    Sys.OnDispatch = [&] {
      const std::size_t Before = Sys.Calls.size();
      Press(C.Arriving);
      Dropped.push_back(Sys.Calls.size() == Before);
    };
    Press(C.Running);
    Sys.OnDispatch = nullptr;
    ASSERT_EQ(Dropped.size(), 1u);
    EXPECT_TRUE(Dropped[0]) << "the dropped hotkey made calls of its own";
    EXPECT_EQ(Cycle.LastHotkey, C.Running == Id1 ? THotkey::hkExpression : THotkey::hkResult)
        << "the running cycle's hotkey stays";
    EXPECT_EQ(Host.CurrentTooltip, L"2+3*4=14");

    // Afterwards the other hotkey works again.
    Sys.ClearCalls();
    Select(L"x 2+3*4 y", 2, 7);
    Press(C.Arriving);
    EXPECT_EQ(TypedText(), C.Arriving == Id1 ? L"2+3*4=14" : L"14");
  }
}

// A dropped Shift+NumLock toggled NumLock as any press does; the auto-repeat
// of a held key toggles nothing.
TEST_F(CycleKeysTest, NumLockIsAsTheUserLeftItAfterPressesDroppedDuringACycle) {
  const struct {
    const char* Name;
    THotkeyId Running;
    int Dropped;       // Shift+NumLock presses dispatched during the cycle
    bool Repeats;      // they are the auto-repeat of the key that is down
    bool WatchWorks;
  } Cases[] = {
      {"one during Ctrl+NumLock", Id1, 1, false, true},
      {"one during Shift+NumLock", Id2, 1, false, true},
      {"two during Ctrl+NumLock", Id1, 2, false, true},
      {"the auto-repeat during Shift+NumLock", Id2, 3, true, true},
      {"one during Ctrl+NumLock, no watch", Id1, 1, false, false},
  };
  for (const bool StartsOn : {false, true}) {
    for (const auto& C : Cases) {
      Sys.NumLockOn = StartsOn;
      Sys.WatchInstalls = C.WatchWorks;
      Sys.Presses.clear();
      Select(L"x 2+3*4 y", 2, 7);
      Sys.Queue.assign(static_cast<std::size_t>(C.Dropped), TPumpResult::pmDispatched);
      Sys.OnDispatch = [&] {
        if (!C.Repeats) {
          Sys.NumLockOn = !Sys.NumLockOn;
          ++Sys.Presses[0x90];
        }
        Cycle.OnHotkey(Id2);
      };
      Press(C.Running);
      Sys.OnDispatch = nullptr;
      EXPECT_EQ(Sys.NumLockOn, StartsOn) << C.Name << (StartsOn ? ", NumLock on" : ", NumLock off");
      EXPECT_EQ(TypedText().empty(), false) << C.Name;
      Sys.ClearCalls();
    }
  }
}

// Windows drops this program's input to an administrator's window: it gets
// none, and NumLock comes back with the program's own window in front for
// that moment.
TEST_F(CycleKeysTest, AnAdministratorsWindowGetsNoKeyAndNumLockComesBackAllTheSame) {
  const struct {
    const char* Name;
    THotkeyId Hotkey;
    bool ForegroundSwitches;
    TCalls Shown;
    TCalls Switches;
  } Cases[] = {
      {"Ctrl+NumLock", Id1, true, Reported(texts::ElevatedWindow), {}},
      {"Shift+NumLock", Id2, true, Reported(texts::ElevatedWindow),
       {ForegroundTo(TFakeSystemApi::OwnWindow), ForegroundTo(Foreground)}},
      {"Shift+NumLock, the own window kept from the front", Id2, false,
       Join({Reported(texts::ElevatedWindow), Reported(texts::NumLockNotRestored)}),
       {ForegroundTo(TFakeSystemApi::OwnWindow)}},
  };
  for (const auto& C : Cases) {
    Sys.Integrity = {{Process, 0x3000}, {Sys.OwnProcess, 0x2000}};
    Sys.ElevatedWindows = {Foreground};
    Sys.ForegroundSwitches = C.ForegroundSwitches;
    Sys.Foreground = Foreground;
    Sys.Down = {0xA0};  // the hotkey's Shift, still held
    Sys.NumLockOn = false;
    Sys.InputTo.clear();
    Select(L"x 2+3*4 y", 2, 7);
    Sys.ClearCalls();
    Press(C.Hotkey);
    EXPECT_THAT(Shown(), ElementsAreArray(C.Shown)) << C.Name;
    EXPECT_THAT(Sys.InputTo, Not(Contains(Foreground))) << C.Name << ": a key into the administrator's window";
    EXPECT_FALSE(Called("EM_GETSEL 119")) << C.Name;
    TCalls Switches;
    std::copy_if(Sys.Calls.begin(), Sys.Calls.end(), std::back_inserter(Switches),
                 [](const std::string& Call) { return Call.rfind("foreground", 0) == 0; });
    EXPECT_THAT(Switches, ElementsAreArray(C.Switches)) << C.Name;
    if (C.ForegroundSwitches) {
      EXPECT_FALSE(Sys.NumLockOn) << C.Name;
      EXPECT_EQ(Sys.Foreground, Foreground) << C.Name << ": the administrator's window back in front";
    }
  }
}

// Without MOD_NOREPEAT a held hotkey repeats once the cycle has registered it
// again; the selection has been replaced by then.
TEST_F(CycleKeysTest, TheRepeatOfAHeldHotkeyStartsNoNewCycle) {
  for (const bool Windows7 : {false, true}) {
    Sys.Version = Windows7 ? std::pair<std::uint32_t, std::uint32_t>{6, 1} : std::pair<std::uint32_t, std::uint32_t>{5, 1};
    Cycle.RegisterHotkeys();
    Sys.UserKeys[0x90] = TUserKey::ukDown;  // the user holds Shift+NumLock
    Select(L"x 2+3*4 y", 2, 7);
    Sys.ClearCalls();
    Press(Id2);
    EXPECT_EQ(TypedText(), L"14");
    // Windows 7 sends no repeat; the older ones do, and the watch knows it for one.
    EXPECT_EQ(Sys.Calls.back() == WatchStop, Windows7) << "the watch is kept only where repeats come";
    if (Windows7) continue;
    Sys.ClearCalls();
    Cycle.OnHotkey(Id2);  // a repeat: the key was never let go
    EXPECT_THAT(Sys.Calls, ::testing::IsEmpty());
    Sys.UserKeys[0x90] = TUserKey::ukUp;
    RunTimer(CycleTimerInterval);
    EXPECT_TRUE(Called(WatchStop));
    EXPECT_FALSE(Host.TimerRuns);
    // A new press after the release is a new cycle.
    Select(L"6*7", 0, 3);
    Press(Id2);
    EXPECT_EQ(TypedText(), L"42");
  }
}

TEST_F(CycleKeysTest, AWatchThatCannotTellPressesNoModifierAgain) {
  const struct {
    const char* Name;
    bool ThroughTheClipboard;
  } Cases[] = {{"direct", false}, {"through the clipboard", true}};
  for (const auto& C : Cases) {
    SetUp();
    Sys.WatchInstalls = false;
    Sys.Down = {0xA2};
    Select(L"x 2+3*4 y", 2, 7);
    if (C.ThroughTheClipboard) CopiesOnKeystroke(L"2+3*4");
    Press(Id1);
    EXPECT_EQ(TypedText(), L"2+3*4=14") << C.Name;
    EXPECT_FALSE(Sys.Down.count(0xA2)) << C.Name << ": a Ctrl left down sends Ctrl with every key";
  }
}

TEST_F(CycleKeysTest, AWindowChangeWhileTheQueueIsDrainedBeforeTypingSendsNothing) {
  // The F-key pair: no NumLock to put back, so the typing's drain is the cycle's first.
  Cycle.Keys = {{{6, 0x76, L"Ctrl+Shift+F7"}, {6, 0x77, L"Ctrl+Shift+F8"}}};
  for (const THotkeyId Id : {Id1, Id2}) {
    Select(L"x 2+3*4 y", 2, 7);
    Sys.Foreground = Foreground;
    Sys.Down = {0xA2, 0xA0};  // the hotkey's Ctrl and Shift
    // The user's click, dispatched by the last draining before the keys go.
    Sys.Queue = {TPumpResult::pmDispatched};
    Sys.OnDispatch = [this] { Sys.Foreground = 0x51; };
    Sys.ClearCalls();
    Sys.InputTo.clear();
    Press(Id);
    Sys.OnDispatch = nullptr;
    EXPECT_TRUE(Sys.InputTo.empty()) << Id << ": nothing at all went out, not even a modifier's release";
    EXPECT_THAT(Shown(), Contains(Tooltip(Utf8(texts::WindowChanged)))) << Id;
  }
}

TEST_F(CycleKeysTest, KeysTheSystemDidNotTakeAreTold) {
  Select(L"x 2+3*4 y", 2, 7);
  Sys.SendLimit = 5;
  Press(Id1);
  EXPECT_THAT(Shown(), ElementsAreArray(Join({{Tooltip("2+3*4=14")}, Reported(texts::TypedPartly)})));
}

}  // namespace
}  // namespace talvex::testing
