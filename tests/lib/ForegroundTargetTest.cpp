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

TEST_F(TForegroundFixture, TheRecordedFocusCountsOnlyInTheForegroundThread) {
  const struct {
    const char* Name;
    TWindowHandle Recorded;
    TWindowHandle Focus;
  } Cases[] = {
      {"recorded in the foreground thread", InThread, InThread},
      {"recorded in another application (a 64-bit one gets no hooks)", Elsewhere, SystemsFocus},
      {"nothing recorded", 0, SystemsFocus},
      {"recorded window gone", 0x4444, SystemsFocus},
      {"recorded in the program itself", 0x60, SystemsFocus},
  };
  for (const auto& C : Cases) {
    Record(C.Recorded);
    const TForegroundTarget Target = FindForegroundTarget(Sys, Monitor);
    EXPECT_EQ(Target.Window, Foreground) << C.Name;
    EXPECT_EQ(Target.Thread, Thread) << C.Name;
    EXPECT_EQ(Target.Focus, C.Focus) << C.Name;
    EXPECT_FALSE(Target.Elevated) << C.Name;
  }
}

TEST_F(TForegroundFixture, NoForegroundOrTheProgramsOwnIsNoTarget) {
  Record(InThread);
  for (const TWindowHandle Window : {TWindowHandle{0}, TWindowHandle{0x60}, TWindowHandle{0x5555}}) {
    Sys.Foreground = Window;
    Sys.ClearCalls();
    const TForegroundTarget Target = FindForegroundTarget(Sys, Monitor);
    EXPECT_EQ(Target.Window, 0u) << Window;
    EXPECT_EQ(Target.Focus, 0u) << Window;
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
