#include "CycleFixture.h"

#include "ParserLib/Messages.h"
#include "lib/SelectionCapture.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// A selection of exactly N characters: 1+1+...+1, with one more digit when N is even.
std::wstring SumOfLength(std::size_t N) {
  std::wstring S = N % 2 == 0 ? L"11" : L"1";
  while (S.size() < N) S += L"+1";
  return S;
}

using HotkeyCycleTest = TCycleFixture;

TEST_F(HotkeyCycleTest, RegistersBothHotkeysAndShowsOneMessagePerFailure) {
  const struct {
    std::set<THotkeyId> Taken;
    int Messages;
  } Cases[] = {{{}, 0}, {{Id1}, 1}, {{Id2}, 1}, {{Id1, Id2}, 2}};
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Host.Taken = C.Taken;
    Cycle.RegisterHotkeys();
    const TCalls First = C.Taken.count(Id1) ? TCalls{TakenMessage("Ctrl+NumLock")} : TCalls{};
    const TCalls Second = C.Taken.count(Id2) ? TCalls{TakenMessage("Shift+NumLock")} : TCalls{};
    EXPECT_THAT(
        Sys.Calls,
        ElementsAreArray(Join(
            {{"atom Talvex1", Register(Id1, 2, 0x13)}, First, {"atom Talvex2", Register(Id2, 4, 0x90)}, Second})))
        << C.Messages << " failures";
    EXPECT_EQ(Cycle.Ids[0], Id1);
    EXPECT_EQ(Cycle.Ids[1], Id2);
  }
}

// A held hotkey does not repeat where Windows has MOD_NOREPEAT (7 and later).
TEST_F(HotkeyCycleTest, TheHotkeysAreRegisteredWithoutRepeatFromWindows7On) {
  const struct {
    std::uint32_t Platform, Major, Minor;
    bool NoRepeat;
  } Cases[] = {{2, 5, 1, false}, {2, 6, 0, false}, {2, 6, 1, true}, {2, 10, 0, true}, {1, 4, 90, false}};
  for (const auto& C : Cases) {
    Sys.Platform = C.Platform;
    Sys.Version = {C.Major, C.Minor};
    Sys.ClearCalls();
    Cycle.RegisterHotkeys();
    const std::uint32_t NoRepeat = C.NoRepeat ? 0x4000 : 0;
    EXPECT_TRUE(Called(Register(Id1, 2 | NoRepeat, 0x13))) << C.Major << "." << C.Minor;
    EXPECT_TRUE(Called(Register(Id2, 4 | NoRepeat, 0x90))) << C.Major << "." << C.Minor;
    // The cycle registers its hotkey again the same way.
    Sys.ClearCalls();
    Select(L"1+1", 0, 3);
    Press(Id1);
    EXPECT_TRUE(Called(Register(Id1, 2 | NoRepeat, 0x13))) << C.Major << "." << C.Minor;
  }
}

TEST_F(HotkeyCycleTest, UnregistersEachHotkeyAndDeletesItsAtom) {
  Cycle.UnregisterHotkeys();
  EXPECT_THAT(Sys.Calls,
              ElementsAreArray(TCalls{Unregister(Id1), "delete atom C001", Unregister(Id2), "delete atom C002"}));
}

TEST_F(HotkeyCycleTest, CtrlNumLockTypesTheExpressionWithItsResultOverTheSelection) {
  for (const std::uint32_t Platform : {2u, 1u}) {
    Sys.Platform = Platform;
    Sys.ClearCalls();
    Select(L"x 2+3*4 y", 2, 7);
    Press(Id1);
    EXPECT_THAT(Sys.Calls,
                ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Hotkey1Branch(L"2+3*4=14"), {WatchStop}})))
        << "platform " << Platform;
    EXPECT_EQ(Cycle.LastHotkey, THotkey::hkExpression);
  }
}

TEST_F(HotkeyCycleTest, ShiftNumLockTypesTheResultAloneAndPutsNumLockBack) {
  for (const std::uint32_t Platform : {2u, 1u}) {
    for (const bool NumLock : {false, true}) {
      Sys.Platform = Platform;
      Sys.NumLockOn = NumLock;
      Sys.ClearCalls();
      Select(L"x 2+3*4 y", 2, 7);
      Press(Id2);
      EXPECT_THAT(Sys.Calls,
                  ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Hotkey2Branch(L"14"), {WatchStop}})))
          << "platform " << Platform;
      EXPECT_EQ(Cycle.LastHotkey, THotkey::hkResult);
      if (Platform == 2) {
        EXPECT_EQ(Sys.NumLockOn, NumLock) << "NumLock as the user left it";
      } else {
        EXPECT_EQ(Sys.WrittenKeyboard[0x90] & 1, 1) << "NumLock forced on";
      }
    }
  }
}

TEST_F(HotkeyCycleTest, OutcomesOfTheCycle) {
  const std::wstring Sum250 = SumOfLength(250);
  const std::wstring Sum251 = SumOfLength(251);
  std::string EngineMessage;
  try {
    Calculate(Parser, "2+*4");
  } catch (const Exception& E) {
    EngineMessage = Utf8(Cp1251ToWide(E.Message()));
  }
  ASSERT_EQ(EngineMessage.rfind("Позиция 3:  ", 0), 0u) << EngineMessage;

  const struct {
    const char* Name;
    THotkeyId Hotkey;
    std::wstring Text;
    std::uint32_t Start, End;
    TCalls Outcome;      // tooltip and beep
    std::wstring Typed;  // by the branch that runs
    bool BranchRuns;
  } Cases[] = {
      // "40+2" on the clipboard is never the answer to an empty selection.
      {"nothing selected, Ctrl", Id1, L"2+3", 1, 1, Reported(texts::NothingSelected), L"", false},
      {"nothing selected, Shift", Id2, L"2+3", 1, 1, Reported(texts::NothingSelected), L"", true},
      {"251 characters, Ctrl", Id1, Sum251, 0, 251, Reported(texts::TooLong), L"", false},
      {"251 characters, Shift", Id2, Sum251, 0, 251, Reported(texts::TooLong), L"", true},
      {"250 characters, Shift", Id2, Sum250, 0, 250, {Tooltip(Utf8(Sum250) + "=135")}, L"135", true},
      {"250 characters, Ctrl", Id1, Sum250, 0, 250, {Tooltip(Utf8(Sum250) + "=135")}, Sum250 + L"=135", true},
      {"engine error, Ctrl", Id1, L"2+*4", 0, 4, Reported(EngineMessage), L"", false},
      {"engine error, Shift", Id2, L"2+*4", 0, 4, Reported(EngineMessage), L"", true},
      // No value to type, but the user sees what the expression did.
      {"an assignment, Ctrl", Id1, L"x := 5", 0, 6, {Tooltip("x = 5")}, L"", false},
      {"an assignment, Shift", Id2, L"y:=2*3", 0, 6, {Tooltip("y = 6")}, L"", true},
      {"an assignment in brackets", Id1, L"(z := 1)", 0, 8, {Tooltip(Utf8(texts::NoValue))}, L"", false},
      // A line selected with its line break keeps it around the answer.
      {"a line with its break, Ctrl", Id1, L"2+3*4\r\n", 0, 7, {Tooltip("2+3*4=14")}, L"2+3*4=14\r\n", true},
      {"an indented line, Shift", Id2, L"  84/2\r\n", 0, 8, {Tooltip("84/2=42")}, L"  42\r\n", true},
      {"text in Cyrillic", Id1, L"\"Ж\"", 0, 3, {Tooltip("\"Ж\"=\"Ж\"")}, L"\"Ж\"=\"Ж\"", true},
      {"outside code page 1251",
       Id1,
       L"1+\u00AA",
       0,
       3,
       Reported("Позиция 3:  Символ вне кодовой страницы 1251"),
       L"",
       false},
  };
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Select(C.Text, C.Start, C.End);
    const bool NumLock = Sys.NumLockOn;
    Press(C.Hotkey);
    EXPECT_THAT(Shown(), ElementsAreArray(C.Outcome)) << C.Name;
    EXPECT_EQ(TypedText(), C.Typed) << C.Name;
    EXPECT_EQ(Called(C.Hotkey == Id1 ? Register(Id1, 2, 0x13) : Register(Id2, 4, 0x90)), C.BranchRuns) << C.Name;
    EXPECT_EQ(Sys.NumLockOn, NumLock) << C.Name << ": NumLock is put back after every cycle";
    // The key watch ends with the cycle, or with the watch for a late copy.
    if (Host.TimerRuns) RunTimer(LateCopyTime + 1000);
    EXPECT_EQ(Sys.Calls.back(), WatchStop) << C.Name;
  }
}

// Five causes once ended in one message; each has its own now.
TEST_F(HotkeyCycleTest, EachCauseOfNothingTypedIsToldApart) {
  const struct {
    const char* Name;
    std::function<void()> Arrange;
    const wchar_t* Message;
  } Cases[] = {
      {"no window in front", [this] { Sys.Foreground = 0; }, texts::NoWindow},
      {"the program's own window in front", [this] { Sys.Foreground = TFakeSystemApi::OwnWindow; }, texts::OwnWindow},
      {"nothing selected in an edit control", [this] { Select(L"2+3", 1, 1); }, texts::NothingSelected},
      {"the application copied nothing", [this] { Sys.Classes[Focus] = L"Static"; }, texts::CopiedNothing},
      {"the copy holds no text",
       [this] {
         Sys.Classes[Focus] = L"Static";
         Sys.OnCopyKeystroke = [this] {
           Sys.Clipboard = {{8, {1, 2}}};
           Sys.Owner = Foreground;
           ++Sys.Sequence;
         };
       },
       texts::CopiedNoText},
      {"the clipboard busy", [this] { Sys.Classes[Focus] = L"Static"; Sys.ClipboardOpens = false; }, texts::ClipboardTaken},
      {"the edit control does not answer", [this] { Sys.ControlAnswers = false; }, texts::NotAnswering},
      {"an administrator's window", [this] { Sys.Integrity = {{Process, 0x3000}, {Sys.OwnProcess, 0x2000}}; },
       texts::ElevatedWindow},
  };
  for (const auto& C : Cases) {
    SetUp();
    Sys.Classes.clear();
    Sys.ClipboardOpens = true;
    Sys.ControlAnswers = true;
    Sys.OnCopyKeystroke = nullptr;
    Sys.Integrity.clear();
    Select(L"x 2+3*4 y", 2, 7);
    C.Arrange();
    Sys.ClearCalls();
    Press(Id1);
    EXPECT_THAT(Shown(), ElementsAreArray(Reported(C.Message))) << C.Name;
    EXPECT_EQ(TypedText(), L"") << C.Name;
    Sys.ClipboardOpens = true;
    EXPECT_EQ(ReadClipboardText(Sys), L"40+2") << C.Name;
  }
}

TEST_F(HotkeyCycleTest, ATextTheFocusedControlKeepsToItselfIsCapturedThroughTheClipboard) {
  CopiesOnKeystroke(L"2+3*4");
  Press(Id1);
  EXPECT_THAT(Shown(), ElementsAreArray(TCalls{Tooltip("2+3*4=14")}));
  EXPECT_EQ(TypedText(), L"2+3*4=14");
  EXPECT_EQ(ReadClipboardText(Sys), L"40+2");
}

// A product beyond 64 bits reaches the document as the real it is, not wrapped around.
TEST_F(HotkeyCycleTest, AnIntegerResultBeyond64BitsIsTypedAsAReal) {
  CopiesOnKeystroke(L"1000000000000*1000000000");
  Press(Id1);
  EXPECT_EQ(TypedText(), L"1000000000000*1000000000=1E21");
}

TEST_F(HotkeyCycleTest, NothingIsTypedWhenTheUserSwitchedToAnotherWindowMeanwhile) {
  for (const THotkeyId Id : {Id1, Id2}) {
    Sys.ClearCalls();
    Sys.Foreground = Foreground;
    CopiesOnKeystroke(L"2+3*4");
    Sys.OnCopyKeystroke = [this] {
      Sys.PlaceCopy(L"2+3*4", Foreground);
      Sys.Foreground = 0x51;
    };
    Press(Id);
    EXPECT_THAT(Shown(), ElementsAreArray(Join({{Tooltip("2+3*4=14")}, Reported(texts::WindowChanged)})));
    EXPECT_EQ(TypedText(), L"");
    EXPECT_TRUE(Called(Id == Id1 ? Register(Id1, 2, 0x13) : Register(Id2, 4, 0x90)));
  }
}

TEST_F(HotkeyCycleTest, TheUsersModifierIsPressedAgainAfterTypingOnlyIfStillHeld) {
  const struct {
    const char* Name;
    THotkeyId Hotkey;
    int Modifier;
    std::optional<TUserKey> User;
    bool PressedAgain;
  } Cases[] = {
      {"Ctrl still held", Id1, 0xA2, std::nullopt, true},
      {"Ctrl let go during the cycle", Id1, 0xA2, TUserKey::ukUp, false},
      {"right Shift still held", Id2, 0xA1, TUserKey::ukDown, true},
      {"Shift let go", Id2, 0xA0, TUserKey::ukUp, false},
  };
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Sys.Down = {C.Modifier};
    Sys.UserKeys.clear();
    if (C.User) Sys.UserKeys[C.Modifier] = *C.User;
    Select(L"x 2+3*4 y", 2, 7);
    Press(C.Hotkey);
    // Shift+NumLock's Shift is let go before NumLock is put back, not only for the typing.
    const auto Touched =
        std::find(Sys.Calls.begin(), Sys.Calls.end(), C.Hotkey == Id1 ? Unicode('2', 4) : Key(0x90, 1, 0x45));
    const auto Released =
        std::find(Sys.Calls.begin(), Sys.Calls.end(), Key(static_cast<std::uint8_t>(C.Modifier), 2, C.Modifier == 0xA2 ? 0x1D : C.Modifier == 0xA1 ? 0x36 : 0x2A));
    EXPECT_LT(Released, Touched) << C.Name << ": let go before the first key the cycle sends";
    EXPECT_EQ(Sys.Down.count(C.Modifier) == 1, C.PressedAgain) << C.Name;
    EXPECT_EQ(TypedText(), C.Hotkey == Id1 ? L"2+3*4=14" : L"14") << C.Name;
  }
}

TEST_F(HotkeyCycleTest, UnusableLocaleSeparatorsAreReportedAndTheDefaultsUsedAfterwards) {
  TFormatSettings Comma;
  Comma.DecimalSeparator = ',';
  Comma.ListSeparator = ',';
  UseLocaleSettings(Comma);
  Parser.Operators.clear();
  SelectAll(L"1+1");
  Press(Id1);
  EXPECT_THAT(Shown(), ElementsAreArray(Reported(Utf8(Cp1251ToWide(msg::DecimalEqualsList)))));

  Sys.ClearCalls();
  SelectAll(L"1.5+1");
  Press(Id1);
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("1.5+1=2.5")}, Hotkey1Branch(L"1.5+1=2.5"),
                                               {WatchStop}})));
  EXPECT_EQ(FormatSettings().ThousandSeparator, '`');
}

TEST_F(HotkeyCycleTest, EveryResultGoesToTheRecentResultsAndNoError) {
  const struct {
    const char* Name;
    std::wstring Text;
    bool ChangesWindow;
  } Cycles[] = {
      {"a result", L"2+3*4", false},
      {"an engine error", L"2+*4", false},
      {"too long", SumOfLength(251), false},
      {"nothing selected", L"", false},
      // Not typed, so the user needs it back the most.
      {"computed, the window changed", L"84/2", true},
      {"an empty result", L"x := 5", false},
  };
  Sys.Classes[Focus] = L"Chrome_RenderWidgetHostHWND";
  for (const auto& C : Cycles) {
    Sys.Foreground = Foreground;
    Sys.OnCopyKeystroke = [&] {
      if (!C.Text.empty()) Sys.PlaceCopy(C.Text, Foreground);
      if (C.ChangesWindow) Sys.Foreground = 0x51;
    };
    Press(Id2);
  }
  std::vector<std::string> Recent;
  for (const TRecentResult& Entry : Cycle.Recent.Entries()) Recent.push_back(Utf8(Entry.Expression + L"=" + Entry.Result));
  EXPECT_THAT(Recent, ElementsAreArray({"84/2=42", "2+3*4=14"}));
}

TEST_F(HotkeyCycleTest, AnAlternativePairTypesLikeTheNumLockPairButLeavesNumLockAlone) {
  Cycle.Keys = {{{6, 0x76, L"Ctrl+Shift+F7"}, {6, 0x77, L"Ctrl+Shift+F8"}}};
  Select(L"x 2+3*4 y", 2, 7);
  Press(Id2);
  EXPECT_EQ(TypedText(), L"14");
  EXPECT_FALSE(Called(Key(0x90, 1, 0x45)));
  EXPECT_TRUE(Called(Register(Id2, 6, 0x77)));
  Sys.ClearCalls();
  Select(L"x 2+3*4 y", 2, 7);
  Press(Id1);
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14"), Unregister(Id1)},
                                                Typed(L"2+3*4=14"), {Register(Id1, 6, 0x76), WatchStop}})));
}

TEST_F(HotkeyCycleTest, OtherHotkeysAreLeftAlone) {
  Select(L"x 2+3*4 y", 2, 7);
  Press(0xC003);
  Press(0);
  EXPECT_THAT(Sys.Calls, IsEmpty());
  EXPECT_EQ(Cycle.LastHotkey, std::nullopt);
}

}  // namespace
}  // namespace talvex::testing
