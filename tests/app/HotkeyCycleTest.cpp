#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeAppHost.h"
#include "app/AppTexts.h"
#include "app/EngineSettings.h"
#include "app/HotkeyCycle.h"
#include "lib/ClipboardText.h"
#include "lib/TextCodec.h"
#include "lib/TextInjection.h"
#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/Messages.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr TWindowHandle Foreground = 0x50;
constexpr TWindowHandle Focus = 0x77;
constexpr std::uint32_t Thread = 7, Process = 20;
constexpr THotkeyId Id1 = 0xC001;
constexpr THotkeyId Id2 = 0xC002;

using TCalls = std::vector<std::string>;

TCalls Join(std::initializer_list<TCalls> Parts) {
  TCalls All;
  for (const auto& P : Parts) All.insert(All.end(), P.begin(), P.end());
  return All;
}

// An error as the user meets it: the tooltip, the balloon with the same text, the beep.
TCalls Reported(const std::string& Utf8Text) { return {Tooltip(Utf8Text), Balloon(Utf8Text), Beep}; }

// A selection of exactly N characters: 1+1+...+1, with one more digit when N is even.
std::wstring SumOfLength(std::size_t N) {
  std::wstring S = N % 2 == 0 ? L"11" : L"1";
  while (S.size() < N) S += L"+1";
  return S;
}

class HotkeyCycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Saved = FormatSettings();
    UseLocaleSettings(TFormatSettings{});
    Parser.AngleUnit = auRadians;
    Sys.ProvideMonitorExports();
    Sys.SetExportResult("GetCurrentFocus", static_cast<std::uint32_t>(Focus));
    Monitor.BindMonitorLibrary();
    Sys.Foreground = Foreground;
    Sys.Owners = {{Foreground, {Thread, Process}}, {Focus, {Thread, Process}}};
    Sys.PlaceCopy(L"40+2");
    Cycle.Ids = {Id1, Id2};
    Sys.ClearCalls();
  }
  void TearDown() override { FormatSettings() = Saved; }

  void Select(const std::wstring& Text, std::uint32_t Start, std::uint32_t End) {
    Sys.WindowTexts[Focus] = Text;
    Sys.SelStart = Start;
    Sys.SelEnd = End;
  }
  void SelectAll(const std::wstring& Text) { Select(Text, 0, static_cast<std::uint32_t>(Text.size())); }
  void Press(THotkeyId Id) { Cycle.OnHotkey(Id); }

  TCalls Capture() const {
    return {WatchStart, "call GetCurrentFocus", "EM_GETSEL 119", "WM_GETTEXTLENGTH 119",
            "WM_GETTEXT 119 " + std::to_string(Sys.WindowTexts.at(Focus).size() + 1)};
  }
  // What lib's typing sends for Text on this platform, as its own tests fix it.
  TCalls Typed(const std::wstring& Text) const {
    TFakeSystemApi Other;
    Other.Platform = Sys.Platform;
    TypeWideText(Other, Text);
    return Other.Calls;
  }
  TCalls Hotkey1Branch(const std::wstring& Answer) const {
    return Join({{Unregister(Id1)}, Typed(Answer), {Register(Id1, 2, 0x13)}});
  }
  TCalls Hotkey2Branch(const std::wstring& Result) const {
    const TCalls NumLockBack =
        Sys.Platform == 2 ? TCalls{Pump, Key(0x90, 0), Key(0x90, 2), Pump} : TCalls{Pump, WriteState, Pump};
    return Join({{Unregister(Id2)}, NumLockBack, Typed(Result), {Register(Id2, 4, 0x90)}});
  }

  // The parts of the calls the user sees: tooltips, balloons and beeps, the typed text.
  TCalls Shown() const {
    TCalls Out;
    std::copy_if(Sys.Calls.begin(), Sys.Calls.end(), std::back_inserter(Out),
                 [](const std::string& C) { return C.rfind("tooltip", 0) == 0 || C.rfind("balloon", 0) == 0 || C == Beep; });
    return Out;
  }
  std::wstring TypedText() const {
    std::wstring Out;
    for (const std::string& C : Sys.Calls)
      if (C.rfind("unicode ", 0) == 0 && C.substr(C.size() - 7) == "flags 4")
        Out += static_cast<wchar_t>(std::stoul(C.substr(8), nullptr, 16));
    return Out;
  }
  bool Called(const std::string& Line) const {
    return std::find(Sys.Calls.begin(), Sys.Calls.end(), Line) != Sys.Calls.end();
  }

  TFormatSettings Saved;
  TFakeSystemApi Sys;
  TFakeAppHost Host{Sys.Calls};
  TMonitorBinding Monitor{Sys};
  TCalcParser Parser{BuiltinFunctions()};
  THotkeyCycle Cycle{Sys, Monitor, Host, Parser};
};

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
    Sys.Platform = Platform;
    Sys.ClearCalls();
    Select(L"x 2+3*4 y", 2, 7);
    Press(Id2);
    EXPECT_THAT(Sys.Calls,
                ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Hotkey2Branch(L"14"), {WatchStop}})))
        << "platform " << Platform;
    EXPECT_EQ(Cycle.LastHotkey, THotkey::hkResult);
    if (Platform == 1) {
      EXPECT_EQ(Sys.WrittenKeyboard[0x90] & 1, 1) << "NumLock forced on";
    }
  }
}

TEST_F(HotkeyCycleTest, OutcomesOfTheCycle) {
  const std::string NothingRead = Utf8(texts::NothingRead);
  const std::string TooLong = Utf8(texts::TooLong);
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
      {"nothing selected, Ctrl", Id1, L"2+3", 1, 1, Reported(NothingRead), L"", false},
      {"nothing selected, Shift", Id2, L"2+3", 1, 1, Reported(NothingRead), L"", true},
      {"251 characters, Ctrl", Id1, Sum251, 0, 251, Reported(TooLong), L"", false},
      {"251 characters, Shift", Id2, Sum251, 0, 251, Reported(TooLong), L"", true},
      {"250 characters, Shift", Id2, Sum250, 0, 250, {Tooltip(Utf8(Sum250) + "=135")}, L"135", true},
      {"250 characters, Ctrl", Id1, Sum250, 0, 250, {Tooltip(Utf8(Sum250) + "=135")}, Sum250 + L"=135", true},
      {"engine error, Ctrl", Id1, L"2+*4", 0, 4, Reported(EngineMessage), L"", false},
      {"engine error, Shift", Id2, L"2+*4", 0, 4, Reported(EngineMessage), L"", true},
      {"empty result, Ctrl", Id1, L"x := 5", 0, 6, {}, L"", false},
      {"empty result, Shift", Id2, L"x := 5", 0, 6, {}, L"", true},
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
    Press(C.Hotkey);
    EXPECT_THAT(Shown(), ElementsAreArray(C.Outcome)) << C.Name;
    EXPECT_EQ(TypedText(), C.Typed) << C.Name;
    EXPECT_EQ(Called(C.Hotkey == Id1 ? Register(Id1, 2, 0x13) : Register(Id2, 4, 0x90)), C.BranchRuns) << C.Name;
    EXPECT_EQ(Called(Key(0x90, 0)), C.Hotkey == Id2) << C.Name << ": NumLock is put back after every Shift cycle";
    EXPECT_EQ(Sys.Calls.back(), WatchStop) << C.Name;
  }
}

TEST_F(HotkeyCycleTest, ATextTheFocusedControlKeepsToItselfIsCapturedThroughTheClipboard) {
  Sys.Classes[Focus] = L"Chrome_RenderWidgetHostHWND";
  Sys.OnCopyKeystroke = [this] { Sys.PlaceCopy(L"2+3*4"); };
  Press(Id1);
  EXPECT_THAT(Shown(), ElementsAreArray(TCalls{Tooltip("2+3*4=14")}));
  EXPECT_EQ(TypedText(), L"2+3*4=14");
  EXPECT_EQ(*ReadClipboardText(Sys), L"40+2");
}

// A product beyond 64 bits reaches the document as the real it is, not wrapped around.
TEST_F(HotkeyCycleTest, AnIntegerResultBeyond64BitsIsTypedAsAReal) {
  Sys.Classes[Focus] = L"Chrome_RenderWidgetHostHWND";
  Sys.OnCopyKeystroke = [this] { Sys.PlaceCopy(L"1000000000000*1000000000"); };
  Press(Id1);
  EXPECT_EQ(TypedText(), L"1000000000000*1000000000=1E21");
}

TEST_F(HotkeyCycleTest, ASelectionInAnApplicationTheHooksNeverReachIsReadFromTheForegroundThread) {
  // The monitor still holds the edit control of a 32-bit application the user left.
  constexpr TWindowHandle Left = 0x88, Wide = 0x99;
  Sys.SetExportResult("GetCurrentFocus", static_cast<std::uint32_t>(Left));
  Sys.Owners[Left] = {9, 30};
  Sys.Owners[Wide] = {Thread, Process};
  Sys.ThreadFocus[Thread] = Wide;
  Sys.WindowTexts[Left] = L"1+1";
  Sys.WindowTexts[Wide] = L"x 2+3*4 y";
  Sys.SelStart = 2;
  Sys.SelEnd = 7;
  Press(Id1);
  EXPECT_EQ(TypedText(), L"2+3*4=14");
  EXPECT_FALSE(Called("EM_GETSEL 136"));
}

TEST_F(HotkeyCycleTest, NothingIsTypedWhenTheCopyNeverLandsAndTheClipboardStaysAsItWas) {
  Sys.Classes[Focus] = L"Chrome_RenderWidgetHostHWND";
  for (const THotkeyId Id : {Id1, Id2}) {
    Sys.ClearCalls();
    const std::uint32_t Sequence = Sys.Sequence;
    Press(Id);
    EXPECT_THAT(Shown(), ElementsAreArray(Reported(Utf8(texts::NothingRead))));
    EXPECT_EQ(TypedText(), L"");
    EXPECT_EQ(Sys.Sequence, Sequence) << "the clipboard was not touched";
    EXPECT_EQ(*ReadClipboardText(Sys), L"40+2");
  }
}

TEST_F(HotkeyCycleTest, NothingIsTypedWhenTheUserSwitchedToAnotherWindowMeanwhile) {
  Sys.Classes[Focus] = L"Chrome_RenderWidgetHostHWND";
  for (const THotkeyId Id : {Id1, Id2}) {
    Sys.ClearCalls();
    Sys.Foreground = Foreground;
    Sys.OnCopyKeystroke = [this] {
      Sys.PlaceCopy(L"2+3*4");
      Sys.Foreground = 0x51;
    };
    Press(Id);
    EXPECT_THAT(Shown(), ElementsAreArray(Join({{Tooltip("2+3*4=14")}, Reported(Utf8(texts::WindowChanged))})));
    EXPECT_EQ(TypedText(), L"");
    EXPECT_TRUE(Called(Id == Id1 ? Register(Id1, 2, 0x13) : Register(Id2, 4, 0x90)));
  }
}

TEST_F(HotkeyCycleTest, AnAdministratorsWindowIsReportedAndNotTouched) {
  Sys.Integrity = {{Process, 0x3000}, {Sys.OwnProcess, 0x2000}};
  Select(L"x 2+3*4 y", 2, 7);
  for (const THotkeyId Id : {Id1, Id2}) {
    Sys.ClearCalls();
    Press(Id);
    EXPECT_THAT(Shown(), ElementsAreArray(Reported(Utf8(texts::ElevatedWindow))));
    EXPECT_EQ(TypedText(), L"");
    EXPECT_FALSE(Called("EM_GETSEL 119"));
    EXPECT_FALSE(Called(Key(0x2D, 0)));
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
        std::find(Sys.Calls.begin(), Sys.Calls.end(), C.Hotkey == Id1 ? Unicode('2', 4) : Key(0x90, 0));
    const auto Released = std::find(Sys.Calls.begin(), Sys.Calls.end(), Key(static_cast<std::uint8_t>(C.Modifier),
                                                                            C.Modifier == 0xA1 ? 3 : 2));
    EXPECT_LT(Released, Touched) << C.Name << ": let go before the first key the cycle sends";
    EXPECT_EQ(Sys.Down.count(C.Modifier) == 1, C.PressedAgain) << C.Name;
    EXPECT_EQ(TypedText(), C.Hotkey == Id1 ? L"2+3*4=14" : L"14") << C.Name;
  }
}

TEST_F(HotkeyCycleTest, AHotkeyDispatchedWhileACycleTypesIsDropped) {
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
    EXPECT_TRUE(Dropped[0]) << "the dropped hotkey made calls";
    EXPECT_EQ(Cycle.LastHotkey, C.Running == Id1 ? THotkey::hkExpression : THotkey::hkResult)
        << "the running cycle's hotkey stays";
    EXPECT_EQ(Host.CurrentTooltip, L"2+3*4=14");

    // Afterwards the other hotkey works again.
    Sys.ClearCalls();
    Select(L"x 2+3*4 y", 2, 7);
    Press(C.Arriving);
    const TCalls Branch = C.Arriving == Id1 ? Hotkey1Branch(L"2+3*4=14") : Hotkey2Branch(L"14");
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Branch, {WatchStop}})));
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
      if (!C.Text.empty()) Sys.PlaceCopy(C.Text);
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
  EXPECT_FALSE(Called(Key(0x90, 0)));
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
