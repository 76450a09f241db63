#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSystemApi.h"
#include "lib/ForegroundTarget.h"

namespace talvex::testing {
namespace {

constexpr TWindowHandle Foreground = 0x50;
constexpr std::uint32_t Thread = 7, Process = 20;
constexpr TWindowHandle InThread = 0x777;   // a control of the foreground thread
constexpr TWindowHandle Elsewhere = 0x888;  // a control the user left, in another application
constexpr TWindowHandle SystemsFocus = 0x999;

struct TForegroundFixture : ::testing::Test {
  TFakeSystemApi Sys;
  TMonitorBinding Monitor{Sys};

  void SetUp() override {
    Sys.ProvideMonitorExports();
    Monitor.BindMonitorLibrary();
    Sys.Foreground = Foreground;
    Sys.Owners = {{Foreground, {Thread, Process}}, {InThread, {Thread, Process}}, {Elsewhere, {9, 30}},
                  {0x60, {3, 1}}};
    Sys.ThreadFocus[Thread] = SystemsFocus;
  }
  void Record(TWindowHandle Window) { Sys.SetExportResult("GetCurrentFocus", static_cast<std::uint32_t>(Window)); }
};

TEST_F(TForegroundFixture, TheSystemsFocusCountsAndTheRecordOnlyWhereTheSystemCannotTell) {
  const struct {
    const char* Name;
    bool SystemFails;
    TWindowHandle Recorded;
    TWindowHandle Focus;
  } Cases[] = {
      {"the system's answer over a record in the same thread", false, InThread, SystemsFocus},
      {"the system's answer over a record elsewhere", false, Elsewhere, SystemsFocus},
      {"the system fails, recorded in the foreground thread", true, InThread, InThread},
      {"the system fails, recorded in another application (another bitness gets no hooks)", true, Elsewhere, 0},
      {"the system fails, nothing recorded", true, 0, 0},
      {"the system fails, recorded window gone", true, 0x4444, 0},
      {"the system fails, recorded in the program itself", true, 0x60, 0},
  };
  for (const auto& C : Cases) {
    Record(C.Recorded);
    Sys.GuiThreadInfoFails = C.SystemFails;
    const TForegroundTarget Target = FindForegroundTarget(Sys, Monitor);
    EXPECT_EQ(Target.Window, Foreground) << C.Name;
    EXPECT_EQ(Target.Thread, Thread) << C.Name;
    EXPECT_EQ(Target.Process, Process) << C.Name;
    EXPECT_EQ(Target.Focus, C.Focus) << C.Name;
    EXPECT_FALSE(Target.Elevated) << C.Name;
  }
  // A thread that has no focus window: no record stands in for it.
  Sys.GuiThreadInfoFails = false;
  Sys.ThreadFocus.erase(Thread);
  Record(InThread);
  EXPECT_EQ(FindForegroundTarget(Sys, Monitor).Focus, 0u);
}

TEST_F(TForegroundFixture, NoForegroundOrTheProgramsOwnIsNoTarget) {
  Record(InThread);
  for (const TWindowHandle Window : {TWindowHandle{0}, TWindowHandle{0x60}, TWindowHandle{0x5555}}) {
    Sys.Foreground = Window;
    Sys.ClearCalls();
    const TForegroundTarget Target = FindForegroundTarget(Sys, Monitor);
    EXPECT_EQ(Target.Window, 0u) << Window;
    EXPECT_EQ(Target.Focus, 0u) << Window;
    EXPECT_EQ(Target.Own, Window == 0x60) << Window;  // told apart: each has its own message
  }
}

TEST_F(TForegroundFixture, AHigherIntegrityLevelIsElevatedOnlyWhenBothAreKnown) {
  constexpr std::uint32_t Medium = 0x2000, High = 0x3000;
  const struct {
    std::optional<std::uint32_t> Theirs, Ours;
    bool Elevated;
  } Cases[] = {
      {High, Medium, true},
      {Medium, Medium, false},
      {Medium, High, false},
      {std::nullopt, Medium, false},  // Windows XP, or a process that cannot be asked
      {High, std::nullopt, false},
      {std::nullopt, std::nullopt, false},
  };
  Record(InThread);
  for (const auto& C : Cases) {
    Sys.Integrity.clear();
    if (C.Theirs) Sys.Integrity[Process] = *C.Theirs;
    if (C.Ours) Sys.Integrity[Sys.OwnProcess] = *C.Ours;
    Sys.ClearCalls();
    const TForegroundTarget Target = FindForegroundTarget(Sys, Monitor);
    EXPECT_EQ(Target.Elevated, C.Elevated) << C.Theirs.value_or(0) << " " << C.Ours.value_or(0);
    EXPECT_EQ(Target.Window, Foreground);
    // An elevated window's focus is not even looked for.
    if (C.Elevated) {
      EXPECT_TRUE(Sys.Calls.empty());
    }
  }
}

}  // namespace
}  // namespace talvex::testing
