#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "FakeSystemApi.h"
#include "lib/ClipboardText.h"
#include "lib/SelectionCapture.h"
#include "lib/Waits.h"

namespace talvex::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Pair;

constexpr TWindowHandle Control = 0x777;
constexpr TWindowHandle TargetWindow = 0x50;  // its process copies with this window
constexpr TWindowHandle Manager = 0x70;       // a clipboard manager, another process
constexpr TClipboardFormat Private = 0xC0DE;
// Ctrl+Insert with their scan codes, Insert extended.
const std::vector<std::string> CopyKeystroke = {Key(0x11, 0, 0x1D), Key(0x2D, 1, 0x52), Key(0x2D, 3, 0x52),
                                                Key(0x11, 2, 0x1D)};

bool IsKeyEvent(const std::string& Call) { return Call.rfind("key ", 0) == 0; }

std::string Narrow(const wchar_t* Text) {
  std::string Out;
  for (; *Text; ++Text) Out += static_cast<char>(*Text);
  return Out;
}

struct TCaptureFixture : ::testing::Test {
  TFakeSystemApi Sys;
  TForegroundTarget Target{.Window = TargetWindow, .Thread = 7, .Process = 20, .Focus = Control};
  std::optional<TClipboardLoan> Loan;

  void SetUp() override {
    Sys.PlaceCopy(L"earlier", Manager);
    Sys.Clipboard.emplace_back(Private, Bytes("user data"));
    Sys.Owners = {{TargetWindow, {7, 20}}, {Manager, {8, 30}}, {TFakeSystemApi::OwnWindow, {3, Sys.OwnProcess}}};
    Sys.Classes[Control] = L"Static";
  }
  // The foreground application copies Text when Ctrl+Insert arrives, or
  // after Delay ms of the program's waiting.
  void CopiesOnKeystroke(const std::wstring& Text, std::uint32_t Delay = 0) {
    Sys.OnCopyKeystroke = [this, Text, Delay] {
      if (Delay == 0) {
        Sys.PlaceCopy(Text, TargetWindow);
        return;
      }
      const std::uint32_t At = Sys.Clock + Delay;
      Sys.OnWait = [this, Text, At] {
        if (Sys.Clock < At) return;
        Sys.PlaceCopy(Text, TargetWindow);
        Sys.OnWait = nullptr;
      };
    };
  }
  TCapture Capture() {
    const TUserKeyWatch Watch(Sys);
    return CaptureSelection(Sys, Target, Watch, Loan);
  }
  std::vector<std::pair<TClipboardFormat, TBytes>> UsersClipboard() const {
    TFakeSystemApi Earlier;
    Earlier.PlaceCopy(L"earlier");
    Earlier.Clipboard.emplace_back(Private, Bytes("user data"));
    return Earlier.Clipboard;
  }
  bool Sent(const std::string& Line) const {
    return std::find(Sys.Calls.begin(), Sys.Calls.end(), Line) != Sys.Calls.end();
  }
};

TEST_F(TCaptureFixture, AnEditControlGivesItsSelectedCharacters) {
  struct {
    std::uint32_t Start, End;
    TDirect Kind;
    std::wstring Selected;
  } const Cases[] = {
      {3, 8, TDirect::drText, L"34*56"},
      {0, 10, TDirect::drText, L"12+34*56-7"},
      {9, 10, TDirect::drText, L"7"},
      {4, 4, TDirect::drNothingSelected, L""},   // the clipboard decides
      {0, 0, TDirect::drNothingSelected, L""},
      {8, 3, TDirect::drNothingSelected, L""},   // reversed: nothing rather than a wrapped length
      {3, 99, TDirect::drText, L"34*56-7"},      // past the text the control returned
      {50, 60, TDirect::drNothingSelected, L""},
  };
  Sys.Classes[Control] = L"Edit";
  Sys.WindowTexts[Control] = L"12+34*56-7";
  for (const auto& C : Cases) {
    Sys.SelStart = C.Start;
    Sys.SelEnd = C.End;
    Sys.ClearCalls();
    const TDirectRead Read = CaptureDirect(Sys, Control);
    EXPECT_EQ(Read.Kind, C.Kind) << C.Start << ".." << C.End;
    EXPECT_EQ(Read.Text, C.Selected) << C.Start << ".." << C.End;
    if (C.Start < C.End)
      EXPECT_THAT(Sys.Calls, ElementsAre("EM_GETSEL 1911", "WM_GETTEXTLENGTH 1911", "WM_GETTEXT 1911 11"));
    else
      EXPECT_THAT(Sys.Calls, ElementsAre("EM_GETSEL 1911"));
  }
}

TEST_F(TCaptureFixture, ATextShorterThanItsReportedLengthIsCutSafely) {
  Sys.Classes[Control] = L"Edit";
  Sys.WindowTexts[Control] = L"2+3";
  Sys.ReportedLength = 40;
  Sys.SelEnd = 40;
  EXPECT_EQ(CaptureDirect(Sys, Control).Text, L"2+3");
}

TEST_F(TCaptureFixture, OnlyEditAndRichEditControlsAreReadDirectly) {
  struct {
    const wchar_t* BaseClass;
    bool Direct;
  } const Cases[] = {
      {L"Edit", true},          {L"EDIT", true},        {L"RichEdit20W", true},
      {L"RICHEDIT50W", true},   {L"RichEdit", true},    {L"Chrome_RenderWidgetHostHWND", false},
      {L"Static", false},       {L"EditPlus", false},   {L"", false},
  };
  Sys.WindowTexts[Control] = L"2+3";
  Sys.SelEnd = 3;
  for (const auto& C : Cases) {
    Sys.Classes[Control] = C.BaseClass;
    Sys.ClearCalls();
    const TDirectRead Read = CaptureDirect(Sys, Control);
    EXPECT_EQ(Read.Kind == TDirect::drText, C.Direct) << Narrow(C.BaseClass);
    // A window that is no edit control is not asked for its text: a title is no selection.
    if (!C.Direct) {
      EXPECT_EQ(Read.Kind, TDirect::drNotEdit) << Narrow(C.BaseClass);
      EXPECT_TRUE(Sys.Calls.empty()) << Narrow(C.BaseClass);
    }
  }
  EXPECT_EQ(CaptureDirect(Sys, 0).Kind, TDirect::drNotEdit);
}

TEST_F(TCaptureFixture, RichEditOffsetsCountALineBreakAsOneCharacterFromVersionTwoOn) {
  const std::wstring Text = L"1+1\r\n2*3\r\n\r\n4";
  struct {
    std::size_t Offset, Index;
  } const Cases[] = {{0, 0}, {3, 3}, {4, 5}, {7, 8}, {8, 10}, {9, 12}, {10, 13}, {11, 13}, {99, 13}};
  for (const auto& C : Cases) EXPECT_EQ(RichEditOffsetToIndex(Text, C.Offset), C.Index) << C.Offset;
  EXPECT_EQ(RichEditOffsetToIndex(L"a\rb", 2), 2u) << "a lone CR is one character";

  Sys.WindowTexts[Control] = Text;
  const struct {
    const wchar_t* BaseClass;
    std::uint32_t Start, End;
    std::wstring Selected;
  } Controls[] = {
      {L"RichEdit20W", 4, 7, L"2*3"},
      {L"RICHEDIT50W", 4, 7, L"2*3"},
      {L"RichEdit", 5, 8, L"2*3"},  // Rich Edit 1.0 counts both characters, as an edit control does
      {L"Edit", 5, 8, L"2*3"},
  };
  for (const auto& C : Controls) {
    Sys.Classes[Control] = C.BaseClass;
    Sys.SelStart = C.Start;
    Sys.SelEnd = C.End;
    EXPECT_EQ(CaptureDirect(Sys, Control).Text, C.Selected) << Narrow(C.BaseClass);
  }
}

TEST_F(TCaptureFixture, AControlThatDoesNotAnswerIsNotSentTheCopyKeystroke) {
  Sys.Classes[Control] = L"Edit";
  Sys.ControlAnswers = false;
  CopiesOnKeystroke(L"6*7");
  EXPECT_EQ(Capture().Failure, TCaptureFailure::cfNoAnswer);
  EXPECT_FALSE(Sent(Key(0x2D, 1, 0x52)));
  EXPECT_FALSE(Loan.has_value());
}

TEST_F(TCaptureFixture, TheClipboardPathCopiesReadsAndGivesTheClipboardBack) {
  CopiesOnKeystroke(L"6*7");
  Sys.ClearCalls();
  const TCapture Got = Capture();
  EXPECT_EQ(Got.Text, L"6*7");
  EXPECT_EQ(Got.GiveBack, TGiveBack::gbRestored);
  EXPECT_FALSE(Loan.has_value());
  std::vector<std::string> Expected = {WatchStart, Pump, Open, "get 13", "get 49374", Close, Pump, Send(4)};
  Expected.insert(Expected.end(), CopyKeystroke.begin(), CopyKeystroke.end());
  for (const auto& Line : {Pump, Open, std::string("get 13"), Close, Pump, Open, Empty,
                           SetData(13, "e\\0a\\0r\\0l\\0i\\0e\\0r\\0\\0\\0"), SetData(Private, "user data"),
                           SetData(0xC0E0, "\\0\\0\\0\\0"), Close, WatchStop})
    Expected.push_back(Line);
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Expected));
}

TEST_F(TCaptureFixture, ACopyCountsOnlyWhenTheTargetsProcessOwnsTheClipboard) {
  constexpr TWindowHandle Hosted = 0x90;  // the focused content of a frame, in a process of its own
  const struct {
    const char* Name;
    std::function<void()> Meanwhile;  // after the snapshot, before the target's copy
    TWindowHandle CopiedBy;
    std::wstring Text;
    std::wstring Clipboard;  // afterwards
  } Cases[] = {
      {"nobody else", [] {}, TargetWindow, L"6*7", L"earlier"},
      // A clipboard manager, a password manager clearing its entry, or this program's own write.
      {"a clipboard manager's write is no copy", [this] { Sys.PlaceCopy(L"99", Manager); }, TargetWindow, L"6*7",
       L"99"},
      {"this program's own write is no copy", [this] { Sys.PlaceCopy(L"99", TFakeSystemApi::OwnWindow); },
       TargetWindow, L"6*7", L"99"},
      {"a write without an owner is no copy", [this] { Sys.PlaceCopy(L"99", 0); }, TargetWindow, L"6*7", L"99"},
      {"the focused content's process copies", [] {}, Hosted, L"6*7", L"earlier"},
  };
  for (const auto& C : Cases) {
    SetUp();
    Sys.Owners[Hosted] = {11, 40};
    Target.FocusProcess = 40;
    const std::uint32_t At = Sys.Clock + 200;
    Sys.OnCopyKeystroke = [&] {
      C.Meanwhile();
      Sys.OnWait = [&, At] {
        if (Sys.Clock < At) return;
        Sys.PlaceCopy(C.Text, C.CopiedBy);
        Sys.OnWait = nullptr;
      };
    };
    const TCapture Got = Capture();
    EXPECT_EQ(Got.Text, C.Text) << C.Name;
    EXPECT_EQ(ReadClipboardText(Sys), C.Clipboard) << C.Name;
  }
}

TEST_F(TCaptureFixture, AWriteRightAfterTheSnapshotStaysTheUsersClipboard) {
  CopiesOnKeystroke(L"6*7");
  int Closes = 0;
  // Between the snapshot and the copy keystroke: no sequence number read later may hide it.
  Sys.OnClose = [&] {
    if (++Closes == 1) Sys.PlaceCopy(L"99", Manager);
  };
  EXPECT_EQ(Capture().Text, L"6*7");
  EXPECT_EQ(ReadClipboardText(Sys), L"99");
}

TEST_F(TCaptureFixture, AnEmptySelectionInAnEditControlGoesThroughTheClipboard) {
  Sys.Classes[Control] = L"Edit";
  Sys.WindowTexts[Control] = L"2+3";
  Sys.SelStart = Sys.SelEnd = 1;
  CopiesOnKeystroke(L"2+3");
  EXPECT_EQ(Capture().Text, L"2+3");
  // And when that copies nothing either, nothing was selected.
  Sys.OnCopyKeystroke = nullptr;
  EXPECT_EQ(Capture().Failure, TCaptureFailure::cfNothingSelected);
}

TEST_F(TCaptureFixture, TheCopyIsWaitedForUntilItLandsButNoLonger) {
  struct {
    std::uint32_t Delay;
    bool Lands;
  } const Cases[] = {{20, true}, {1000, true}, {1490, true}, {1510, false}, {5000, false}};
  for (const auto& C : Cases) {
    SetUp();
    Loan.reset();
    Sys.ClearCalls();
    CopiesOnKeystroke(L"6*7", C.Delay);
    const std::uint32_t Start = Sys.Clock;
    const TCapture Got = Capture();
    EXPECT_EQ(Got.Failure == TCaptureFailure::cfNone, C.Lands) << C.Delay;
    EXPECT_LE(Sys.Clock - Start, CopyTimeout + PollInterval) << C.Delay;
    if (C.Lands) {
      EXPECT_EQ(Got.Text, L"6*7");
      EXPECT_EQ(Sys.Clock - Start, (C.Delay + PollInterval - 1) / PollInterval * PollInterval) << "polled closely";
      EXPECT_FALSE(Loan.has_value()) << C.Delay;
    } else {
      // Not landed yet: nothing evaluated, the clipboard as the user had it, and the loan held for a late copy.
      EXPECT_EQ(Got.Failure, TCaptureFailure::cfNoCopy) << C.Delay;
      EXPECT_FALSE(Sent(Empty)) << C.Delay;
      EXPECT_EQ(Sys.Clipboard, UsersClipboard()) << C.Delay;
      EXPECT_TRUE(Loan.has_value()) << C.Delay;
    }
    Sys.OnWait = nullptr;
  }
}

TEST_F(TCaptureFixture, WhatMayNotBeReadYieldsNothingAndLeavesTheClipboardAlone) {
  struct {
    const char* Name;
    std::function<void()> Arrange;
    TCaptureFailure Failure;
    bool CopyKeystroke;
  } const Cases[] = {
      {"clipboard busy from the start", [this] { Sys.ClipboardOpens = false; }, TCaptureFailure::cfClipboardBusy,
       false},
      {"a copy of nothing", [] {}, TCaptureFailure::cfNoCopy, true},
      {"the keystroke refused", [this] { Sys.SendLimit = 0; }, TCaptureFailure::cfKeysRefused, true},
      {"no window in front", [this] { Target = {}; }, TCaptureFailure::cfNoWindow, false},
      {"the program's own window in front", [this] { Target = {.Own = true}; }, TCaptureFailure::cfOwnWindow, false},
      {"an administrator's window", [this] { Target.Elevated = true; }, TCaptureFailure::cfElevated, false},
  };
  for (const auto& C : Cases) {
    SetUp();
    Target = {.Window = TargetWindow, .Thread = 7, .Process = 20, .Focus = Control};
    Sys.ClipboardOpens = true;
    Sys.SendLimit.reset();
    Sys.OnCopyKeystroke = nullptr;
    C.Arrange();
    Sys.ClearCalls();
    const std::uint32_t Sequence = Sys.Sequence;
    EXPECT_EQ(Capture().Failure, C.Failure) << C.Name;
    EXPECT_EQ(Sent(Key(0x2D, 1, 0x52)), C.CopyKeystroke) << C.Name;
    EXPECT_EQ(Sys.Sequence, Sequence) << C.Name;
  }
}

TEST_F(TCaptureFixture, ACopyWithoutTextYieldsNothingButTheClipboardIsGivenBack) {
  Sys.OnCopyKeystroke = [this] {
    Sys.Clipboard = {{8, {1, 2, 3}}};
    Sys.Owner = TargetWindow;
    ++Sys.Sequence;
  };
  EXPECT_EQ(Capture().Failure, TCaptureFailure::cfNoText);
  EXPECT_THAT(Sys.Clipboard, Contains(Pair(Private, Bytes("user data"))));
}

TEST_F(TCaptureFixture, TheCopyIsReadOnceTheCopyingApplicationLetsGoOfTheClipboard) {
  // The number changes while the application still holds the clipboard open.
  Sys.OnCopyKeystroke = [this] {
    Sys.PlaceCopy(L"6*7", TargetWindow);
    Sys.ClipboardOpens = false;
    const std::uint32_t Free = Sys.Clock + 30;
    Sys.OnWait = [this, Free] { Sys.ClipboardOpens = Sys.Clock >= Free; };
  };
  EXPECT_EQ(Capture().Text, L"6*7");
  EXPECT_THAT(Sys.Clipboard, Contains(Pair(Private, Bytes("user data"))));
}

TEST_F(TCaptureFixture, WhatBecomesOfTheUsersClipboardIsTold) {
  const struct {
    const char* Name;
    std::function<void()> AtRestore;  // just before the program opens the clipboard to give it back
    TGiveBack GiveBack;
    std::wstring Clipboard;
  } Cases[] = {
      {"given back", [] {}, TGiveBack::gbRestored, L"earlier"},
      {"someone copied before the restore", [this] { Sys.PlaceCopy(L"someone's", Manager); }, TGiveBack::gbLeft,
       L"someone's"},
      {"the clipboard stays taken", [this] { Sys.ClipboardOpens = false; }, TGiveBack::gbFailed, L"6*7"},
      {"a format cannot be placed", [this] { Sys.Unplaceable = {Private}; }, TGiveBack::gbPartly, L"earlier"},
  };
  for (const auto& C : Cases) {
    SetUp();
    Sys.ClipboardOpens = true;
    Sys.Unplaceable.clear();
    CopiesOnKeystroke(L"6*7");
    // The third opening is the restore's.
    int Opens = 0;
    Sys.OnOpen = [&] {
      if (++Opens == 3) C.AtRestore();
    };
    const TCapture Got = Capture();
    Sys.OnOpen = nullptr;
    Sys.ClipboardOpens = true;
    EXPECT_EQ(Got.Text, L"6*7") << C.Name;
    EXPECT_EQ(Got.GiveBack, C.GiveBack) << C.Name;
    EXPECT_EQ(ReadClipboardText(Sys), C.Clipboard) << C.Name;
  }
}

TEST_F(TCaptureFixture, ASnapshotThatDoesNotFitInMemoryEndsTheCaptureWithTheClipboardClosed) {
  Sys.ThrowOnGet = Private;
  CopiesOnKeystroke(L"6*7");
  Sys.ClearCalls();
  EXPECT_EQ(Capture().Failure, TCaptureFailure::cfOutOfMemory);
  EXPECT_EQ(std::count(Sys.Calls.begin(), Sys.Calls.end(), Open), std::count(Sys.Calls.begin(), Sys.Calls.end(), Close));
  EXPECT_FALSE(Sent(Key(0x2D, 1, 0x52)));
  EXPECT_FALSE(Loan.has_value());
}

TEST_F(TCaptureFixture, TheHotkeysModifierIsLetGoForTheCopyAndPressedAgainInTheSameCall) {
  struct {
    const char* Name;
    std::uint32_t Platform;
    std::vector<int> Held;
    std::map<int, TUserKey> User;
    std::vector<std::string> Releases, Presses;
  } const Cases[] = {
      {"NT Ctrl held", 2, {0xA2}, {}, {Key(0xA2, 2, 0x1D)}, {Key(0xA2, 0, 0x1D)}},
      {"NT Ctrl let go meanwhile", 2, {0xA2}, {{0xA2, TUserKey::ukUp}}, {Key(0xA2, 2, 0x1D)}, {}},
      {"NT right Shift held", 2, {0xA1}, {}, {Key(0xA1, 2, 0x36)}, {Key(0xA1, 0, 0x36)}},
      {"95 Shift held, no watch", 1, {0x10}, {}, {Key(0x10, 2, 0x2A)}, {}},
      {"nothing held", 2, {}, {}, {}, {}},
  };
  for (const auto& C : Cases) {
    SetUp();
    Sys.Platform = C.Platform;
    Sys.WatchInstalls = C.Platform == 2;
    Sys.Down = std::set<int>(C.Held.begin(), C.Held.end());
    Sys.UserKeys = C.User;
    CopiesOnKeystroke(L"1+1");
    Sys.ClearCalls();
    EXPECT_EQ(Capture().Text, L"1+1") << C.Name;
    const auto Copy = std::search(Sys.Calls.begin(), Sys.Calls.end(), CopyKeystroke.begin(), CopyKeystroke.end());
    ASSERT_NE(Copy, Sys.Calls.end()) << C.Name;
    std::vector<std::string> Before, After;
    const auto SendLine = std::find(Sys.Calls.begin(), Copy, Send(C.Releases.size() + 4 + C.Presses.size()));
    ASSERT_NE(SendLine, Copy) << C.Name << ": one call";
    std::copy_if(SendLine, Copy, std::back_inserter(Before), IsKeyEvent);
    std::copy_if(Copy + 4, Sys.Calls.end(), std::back_inserter(After), IsKeyEvent);
    EXPECT_THAT(Before, ElementsAreArray(C.Releases)) << C.Name;
    EXPECT_THAT(After, ElementsAreArray(C.Presses)) << C.Name;
  }
}

}  // namespace
}  // namespace talvex::testing
