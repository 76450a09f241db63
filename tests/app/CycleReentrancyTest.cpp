// The cycle's waits dispatch every message: what the user asks of the
// program meanwhile waits for the cycle's end, and a session that ends in the
// middle gets the clipboard and NumLock back at once.
#include "CycleFixture.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;

using CycleReentrancyTest = TCycleFixture;

TEST_F(CycleReentrancyTest, CommandsAskedForDuringACycleRunAfterItsCleanUp) {
  const auto Command = [this](const std::string& Name) {
    return [this, Name] { Sys.Calls.push_back("command " + Name); };
  };
  // Outside a cycle at once.
  Cycle.RunOutsideCycle(Command("at once"));
  EXPECT_THAT(Sys.Calls, ElementsAreArray({"command at once"}));

  // A tray click and "Выход" dispatched by the typing's drain.
  Select(L"x 2+3*4 y", 2, 7);
  Sys.Queue = {TPumpResult::pmDispatched, TPumpResult::pmDispatched};
  int Dispatched = 0;
  Sys.OnDispatch = [&] { Cycle.RunOutsideCycle(Command(++Dispatched == 1 ? "menu" : "exit")); };
  Sys.ClearCalls();
  Press(Id2);
  Sys.OnDispatch = nullptr;
  const auto At = [this](const std::string& Line) { return std::find(Sys.Calls.begin(), Sys.Calls.end(), Line); };
  ASSERT_NE(At("command exit"), Sys.Calls.end());
  EXPECT_LT(At(WatchStop), At("command menu")) << "after the keys and NumLock are back";
  EXPECT_LT(At("command menu"), At("command exit")) << "in the order asked";
  EXPECT_EQ(TypedText(), L"14");
  EXPECT_FALSE(Cycle.Running());
}

TEST_F(CycleReentrancyTest, ASessionThatEndsMidCycleGetsTheClipboardAndNumLockBackAtOnce) {
  const struct {
    const char* Name;
    THotkeyId Hotkey;
    bool CopyLanded;
  } Cases[] = {
      {"the copy not landed yet, Shift+NumLock", Id2, false},
      {"the copy landed, Ctrl+NumLock", Id1, true},
      {"the copy landed, Shift+NumLock", Id2, true},
  };
  for (const auto& C : Cases) {
    SetUp();
    Sys.Classes[Focus] = L"Static";
    Select(L"x 2+3*4 y", 2, 7);
    const bool NumLock = Sys.NumLockOn;
    bool Ended = false;
    std::wstring AtEnd;  // the clipboard when the handler returned
    // WM_ENDSESSION, dispatched by the first wait after the copy keystroke.
    Sys.OnCopyKeystroke = [&] {
      if (C.CopyLanded) Sys.PlaceCopy(L"2+3*4", Foreground);
      Sys.Queue = {TPumpResult::pmDispatched};
      Sys.OnDispatch = [&] {
        Ended = true;
        Cycle.EndSession();
        AtEnd = ReadClipboardText(Sys).value_or(L"(busy)");
        EXPECT_EQ(Sys.NumLockOn, NumLock) << C.Name << ": NumLock back before the handler returns";
      };
    };
    Press(C.Hotkey);
    Sys.OnDispatch = nullptr;
    EXPECT_TRUE(Ended) << C.Name;
    EXPECT_EQ(AtEnd, L"40+2") << C.Name;
    EXPECT_EQ(TypedText(), L"") << C.Name << ": nothing is typed into an ending session";
    EXPECT_EQ(Sys.NumLockOn, NumLock) << C.Name;
    EXPECT_FALSE(Host.TimerRuns) << C.Name << ": no copy is watched for after the end";
  }
}

}  // namespace
}  // namespace talvex::testing
