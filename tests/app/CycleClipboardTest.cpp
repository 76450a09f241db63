// The cycle and the user's clipboard: a copy that lands after the cycle
// stopped waiting, a clipboard not given back, a snapshot too large for memory.
#include "CycleFixture.h"

#include "lib/SelectionCapture.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;

constexpr TWindowHandle Manager = 0x70;

struct CycleClipboardTest : TCycleFixture {
  void SetUp() override {
    TCycleFixture::SetUp();
    Sys.Owners[Manager] = {8, 30};
    Sys.Classes[Focus] = L"Static";
  }
  // The target copies Text Delay ms after Ctrl+Insert, whether the program still waits or not.
  void CopiesAfter(const std::wstring& Text, std::uint32_t Delay) {
    Sys.OnCopyKeystroke = [this, Text, Delay] {
      const std::uint32_t At = Sys.Clock + Delay;
      Sys.OnWait = [this, Text, At] {
        if (Sys.Clock < At) return;
        Sys.PlaceCopy(Text, Foreground);
        Sys.OnWait = nullptr;
      };
    };
  }
};

// The measured fault: the clipboard held "7*6", the application copied
// "2+3*4" 1.5 s after the keystroke, and the copy stayed for good.
TEST_F(CycleClipboardTest, ACopyThatLandsAfterTheCycleGivesWayToTheUsersClipboard) {
  const struct {
    const char* Name;
    std::uint32_t Delay;
    std::function<void()> Meanwhile;  // after the cycle, before the copy
    std::wstring Clipboard;           // once the watch is over
    TCalls Told;                      // after the cycle's own message
  } Cases[] = {
      {"lands 1.5 s late", 3000, [] {}, L"40+2", {}},
      {"lands at the end of the watch", CopyTimeout + LateCopyTime - 100, [] {}, L"40+2", {}},
      {"lands after the watch", CopyTimeout + LateCopyTime + 500, [] {}, L"2+3*4", {}},
      {"someone copies first", 3000, [this] { Sys.PlaceCopy(L"99", Manager); }, L"99", {}},
      {"the user copies in the same application", 60000,
       [this] {
         ++Sys.Presses[VkC];
         Sys.PlaceCopy(L"5*5", Foreground);
       },
       L"5*5", {}},
      // Open for the look that finds the copy, taken by someone for the restore.
      {"the clipboard stays taken", 3000,
       [this] {
         Sys.OnOpen = [this, Opens = 0]() mutable {
           if (Sys.Owner == Foreground && ++Opens == 2) Sys.ClipboardOpens = false;
         };
       },
       L"2+3*4", Reported(texts::ClipboardNotRestored)},
  };
  for (const auto& C : Cases) {
    SetUp();
    Sys.ClipboardOpens = true;
    Sys.OnOpen = nullptr;
    Select(L"x 2+3*4 y", 2, 7);
    CopiesAfter(L"2+3*4", C.Delay);
    Press(Id1);
    EXPECT_THAT(Shown(), ElementsAreArray(Reported(texts::CopiedNothing))) << C.Name;
    EXPECT_TRUE(Host.TimerRuns) << C.Name << ": the program does not block meanwhile, its timer looks";
    Sys.ClearCalls();
    C.Meanwhile();
    RunTimer(LateCopyTime + 1000);
    EXPECT_THAT(Shown(), ElementsAreArray(C.Told)) << C.Name;
    EXPECT_FALSE(Host.TimerRuns) << C.Name;
    Sys.ClipboardOpens = true;
    Sys.OnOpen = nullptr;
    Sys.OnWait = nullptr;
    EXPECT_EQ(ReadClipboardText(Sys), C.Clipboard) << C.Name;
    EXPECT_EQ(TypedText(), L"") << C.Name;
  }
}

TEST_F(CycleClipboardTest, ANewCycleTakesTheClipboardAsItFindsItAfterALastLook) {
  Select(L"x 2+3*4 y", 2, 7);
  CopiesAfter(L"2+3*4", 2000);
  Press(Id1);
  RunTimer(200);
  Sys.Clock += 400;  // the late copy lands just before the next press
  Sys.OnWait();
  Sys.OnCopyKeystroke = [this] { Sys.PlaceCopy(L"6*7", Foreground); };
  Sys.ClearCalls();
  Press(Id1);
  EXPECT_EQ(TypedText(), L"6*7=42");
  EXPECT_EQ(ReadClipboardText(Sys), L"40+2");
}

TEST_F(CycleClipboardTest, AClipboardNotGivenBackIsToldAfterTheResult) {
  const struct {
    const char* Name;
    std::function<void()> AtRestore;
    const wchar_t* Warning;
  } Cases[] = {
      {"it stays taken", [this] { Sys.ClipboardOpens = false; }, texts::ClipboardNotRestored},
      {"a format is refused", [this] { Sys.Unplaceable = {13}; }, texts::ClipboardPartlyRestored},
  };
  for (const auto& C : Cases) {
    SetUp();
    Select(L"x 2+3*4 y", 2, 7);
    CopiesOnKeystroke(L"2+3*4");
    int Opens = 0;  // the third opening is the restore's
    Sys.OnOpen = [&] {
      if (++Opens == 3) C.AtRestore();
    };
    Press(Id1);
    Sys.OnOpen = nullptr;
    EXPECT_THAT(Shown(), ElementsAreArray(Join({{Tooltip("2+3*4=14")}, Reported(C.Warning)}))) << C.Name;
    EXPECT_EQ(TypedText(), L"2+3*4=14") << C.Name;
    Sys.ClipboardOpens = true;
    Sys.Unplaceable.clear();
  }
}

TEST_F(CycleClipboardTest, ASnapshotTooLargeForMemoryEndsTheCycleWithAMessageNotTheProgram) {
  for (const THotkeyId Id : {Id1, Id2}) {
    SetUp();
    Sys.Clipboard.emplace_back(8, TBytes(64, 1));  // an image
    Sys.ThrowOnGet = 8;
    Select(L"x 2+3*4 y", 2, 7);
    CopiesOnKeystroke(L"2+3*4");
    const bool NumLock = Sys.NumLockOn;
    Press(Id);
    EXPECT_THAT(Shown(), ElementsAreArray(Reported(texts::OutOfMemory))) << Id;
    EXPECT_EQ(std::count(Sys.Calls.begin(), Sys.Calls.end(), Open), std::count(Sys.Calls.begin(), Sys.Calls.end(), Close))
        << Id << ": the clipboard was closed";
    EXPECT_EQ(Sys.NumLockOn, NumLock) << Id;
    EXPECT_EQ(TypedText(), L"") << Id;
  }
}

}  // namespace
}  // namespace talvex::testing
