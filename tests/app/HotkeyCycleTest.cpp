#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeAppHost.h"
#include "app/AppTexts.h"
#include "app/EngineSettings.h"
#include "app/HotkeyCycle.h"
#include "lib/TextCodec.h"
#include "lib/TextInjection.h"
#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/Messages.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr TWindowHandle Focus = 0x77;
constexpr THotkeyId Id1 = 0xC001;
constexpr THotkeyId Id2 = 0xC002;

using TCalls = std::vector<std::string>;

TCalls Join(std::initializer_list<TCalls> Parts) {
  TCalls All;
  for (const auto& P : Parts) All.insert(All.end(), P.begin(), P.end());
  return All;
}

// A selection of exactly N characters: 1+1+...+1, with one more digit when N is even.
std::string SumOfLength(std::size_t N) {
  std::string S = N % 2 == 0 ? "11" : "1";
  while (S.size() < N) S += "+1";
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
    Cycle.Hotkey1Id = Id1;
    Cycle.Hotkey2Id = Id2;
    Sys.ClearCalls();
  }
  void TearDown() override { FormatSettings() = Saved; }

  void Select(const std::string& Text, std::uint32_t Start, std::uint32_t End) {
    Sys.WindowTexts[Focus] = Text;
    Sys.SelStart = Start;
    Sys.SelEnd = End;
  }
  void SelectAll(const std::string& Text) { Select(Text, 0, static_cast<std::uint32_t>(Text.size())); }

  bool Press(THotkeyId Id) { return Cycle.HandleHotkey(WmHotkey, Id); }

  TCalls Capture() const {
    return {"call GetCurrentFocus", "WM_GETTEXTLENGTH 119",
            "WM_GETTEXT 119 " + std::to_string(Sys.WindowTexts.at(Focus).size() + 1), "EM_GETSEL 119"};
  }
  // What lib's typing sends for Text on this platform, as its own tests fix it.
  TCalls Typed(const std::wstring& Text) const {
    TFakeSystemApi Other;
    Other.Platform = Sys.Platform;
    Other.NoAnsi = Sys.NoAnsi;
    TypeWideText(Other, Text);
    return Other.Calls;
  }
  TCalls Hotkey1Branch(const std::wstring& Answer) const {
    const TCalls ReleaseCtrl = Sys.Platform == 2 ? TCalls{Key(0xA2, 2), Key(0xA3, 3)} : TCalls{Key(0x11, 2)};
    return Join({{Unregister(Id1)}, ReleaseCtrl, {SleepFor(100)}, Typed(Answer), {Register(Id1, 2, 0x13)}});
  }
  TCalls Hotkey2Branch(const std::wstring& Result) const {
    const TCalls ReleaseShiftAndNumLock = Sys.Platform == 2
                                              ? TCalls{Key(0xA0, 2), Key(0xA1, 3), Key(0x90, 0), Key(0x90, 2), Pump}
                                              : TCalls{Key(0x10, 2), Pump, WriteState, Pump};
    return Join(
        {{Unregister(Id2)}, ReleaseShiftAndNumLock, {SleepFor(100)}, Typed(Result), {Register(Id2, 4, 0x90)}});
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
  const std::string Failure = Message(Utf8(texts::HotkeyError));
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Host.Taken = C.Taken;
    Cycle.RegisterHotkeys();
    const TCalls First = C.Taken.count(Id1) ? TCalls{Failure} : TCalls{};
    const TCalls Second = C.Taken.count(Id2) ? TCalls{Failure} : TCalls{};
    EXPECT_THAT(
        Sys.Calls,
        ElementsAreArray(Join(
            {{"atom Talvex1", Register(Id1, 2, 0x13)}, First, {"atom Talvex2", Register(Id2, 4, 0x90)}, Second})))
        << C.Messages << " failures";
    EXPECT_EQ(Cycle.Hotkey1Id, Id1);
    EXPECT_EQ(Cycle.Hotkey2Id, Id2);
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
    Select("x 2+3*4 y", 2, 7);
    EXPECT_FALSE(Press(Id1));
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Hotkey1Branch(L"2+3*4=14")})))
        << "platform " << Platform;
    EXPECT_TRUE(Cycle.IsHotkey1);
    EXPECT_FALSE(Cycle.IsHotkey2);
  }
}

TEST_F(HotkeyCycleTest, ShiftNumLockTypesTheResultAloneAndPutsNumLockBack) {
  for (const std::uint32_t Platform : {2u, 1u}) {
    Sys.Platform = Platform;
    Sys.ClearCalls();
    Select("x 2+3*4 y", 2, 7);
    EXPECT_FALSE(Press(Id2));
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Hotkey2Branch(L"14")})))
        << "platform " << Platform;
    EXPECT_FALSE(Cycle.IsHotkey1);
    EXPECT_TRUE(Cycle.IsHotkey2);
    if (Platform == 1) {
      EXPECT_EQ(Sys.WrittenKeyboard[0x90] & 1, 1) << "NumLock forced on";
    }
  }
}

TEST_F(HotkeyCycleTest, OutcomesOfTheCycle) {
  const std::string TooLong = Utf8(texts::TooLong);
  const std::string Sum250 = SumOfLength(250);
  const std::string Sum251 = SumOfLength(251);
  ASSERT_EQ(Sum250.size(), 250u);
  ASSERT_EQ(Sum251.size(), 251u);
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
    std::string Text;
    std::uint32_t Start, End;
    TCalls Outcome;      // tooltip and beep, between capture and branch
    std::wstring Typed;  // by the branch that runs
    bool BranchRuns;
  } Cases[] = {
      {"nothing selected, Ctrl", Id1, "2+3", 1, 1, {}, L"", false},
      {"nothing selected, Shift", Id2, "2+3", 1, 1, {}, L"", true},
      {"251 characters, Ctrl", Id1, Sum251, 0, 251, {Tooltip(TooLong), Beep}, L"", false},
      {"251 characters, Shift", Id2, Sum251, 0, 251, {Tooltip(TooLong), Beep}, L"", true},
      {"250 characters, Shift", Id2, Sum250, 0, 250, {Tooltip(Sum250 + "=135")}, L"135", true},
      {"250 characters, Ctrl", Id1, Sum250, 0, 250, {Tooltip(Sum250 + "=135")}, Cp1251ToWide(Sum250 + "=135"), true},
      {"engine error, Ctrl", Id1, "2+*4", 0, 4, {Tooltip(EngineMessage), Beep}, L"", false},
      {"engine error, Shift", Id2, "2+*4", 0, 4, {Tooltip(EngineMessage), Beep}, L"", true},
      {"empty result, Ctrl", Id1, "x := 5", 0, 6, {}, L"", false},
      {"empty result, Shift", Id2, "x := 5", 0, 6, {}, L"", true},
      {"outside code page 1251",
       Id1,
       "1+\xAA",
       0,
       3,
       {Tooltip("Позиция 3:  Символ вне кодовой страницы 1251"), Beep},
       L"",
       false},
  };
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Host.CurrentTooltip = L"Talvex";
    Select(C.Text, C.Start, C.End);
    EXPECT_FALSE(Press(C.Hotkey)) << C.Name;
    TCalls Branch;
    if (C.BranchRuns) Branch = C.Hotkey == Id1 ? Hotkey1Branch(C.Typed) : Hotkey2Branch(C.Typed);
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), C.Outcome, Branch}))) << C.Name;
  }
}

TEST_F(HotkeyCycleTest, AHotkeyDispatchedWhileACycleTypesIsDropped) {
  const struct { THotkeyId Running, Arriving; } Cases[] = {{Id1, Id2}, {Id2, Id1}, {Id1, Id1}};
  for (const auto& C : Cases) {
    Sys.ClearCalls();
    Select("x 2+3*4 y", 2, 7);
    // The first draining of the queue inside the cycle dispatches the other hotkey.
    std::vector<bool> Nested;
    Sys.Queue = {TPumpResult::pmDispatched};
    Sys.OnDispatch = [&] {
      const std::size_t Before = Sys.Calls.size();
      Nested.push_back(Press(C.Arriving));
      Nested.push_back(Sys.Calls.size() == Before);
    };
    Press(C.Running);
    Sys.OnDispatch = nullptr;
    ASSERT_EQ(Nested.size(), 2u);
    EXPECT_FALSE(Nested[0]);
    EXPECT_TRUE(Nested[1]) << "the dropped hotkey made calls";
    EXPECT_EQ(Cycle.IsHotkey1, C.Running == Id1) << "the running cycle's flags stay";
    EXPECT_EQ(Host.CurrentTooltip, L"2+3*4=14");

    // Afterwards the other hotkey works again.
    Sys.ClearCalls();
    Select("x 2+3*4 y", 2, 7);
    Press(C.Arriving);
    const TCalls Branch = C.Arriving == Id1 ? Hotkey1Branch(L"2+3*4=14") : Hotkey2Branch(L"14");
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("2+3*4=14")}, Branch})));
  }
}

TEST_F(HotkeyCycleTest, UnusableLocaleSeparatorsAreReportedAndTheDefaultsUsedAfterwards) {
  TFormatSettings Comma;
  Comma.DecimalSeparator = ',';
  Comma.ListSeparator = ',';
  UseLocaleSettings(Comma);
  Parser.Operators.clear();
  SelectAll("1+1");
  Press(Id1);
  EXPECT_THAT(Sys.Calls,
              ElementsAreArray(Join({Capture(), {Tooltip(Utf8(Cp1251ToWide(msg::DecimalEqualsList))), Beep}})));

  Sys.ClearCalls();
  SelectAll("1.5+1");
  Press(Id1);
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Join({Capture(), {Tooltip("1.5+1=2.5")}, Hotkey1Branch(L"1.5+1=2.5")})));
  EXPECT_EQ(FormatSettings().ThousandSeparator, '`');
}

TEST_F(HotkeyCycleTest, AResultTheAnsiCodePageLacksIsStillTypedWhole) {
  Sys.NoAnsi = {0x0416};
  SelectAll("\"\xC6\"");  // "Ж" in the ANSI code page the selection came from
  Press(Id2);
  const TCalls Calls = Sys.Calls;
  EXPECT_THAT(Calls, ElementsAreArray(Join({Capture(), {Tooltip("\"Ж\"=\"Ж\"")}, Hotkey2Branch(L"\"Ж\"")})));
  EXPECT_NE(std::find(Calls.begin(), Calls.end(), Unicode(0x0416, 4)), Calls.end());
}

TEST_F(HotkeyCycleTest, OtherMessagesAndOtherHotkeysAreLeftAlone) {
  Select("x 2+3*4 y", 2, 7);
  EXPECT_FALSE(Cycle.HandleHotkey(0x0100, Id1));  // WM_KEYDOWN
  EXPECT_FALSE(Cycle.HandleHotkey(WmHotkey, 0xC003));
  EXPECT_THAT(Sys.Calls, IsEmpty());
}

TEST_F(HotkeyCycleTest, TheTooltipHoldsTheLastCycleThatCapturedSomething) {
  Select("x 2+3*4 y", 2, 7);
  Press(Id1);
  Select("2+3", 1, 1);
  Press(Id1);
  EXPECT_EQ(Host.CurrentTooltip, L"2+3*4=14");
  SelectAll("1/0");
  Press(Id2);
  EXPECT_EQ(Host.CurrentTooltip.rfind(L"Позиция ", 0), 0u);
}

}  // namespace
}  // namespace talvex::testing
