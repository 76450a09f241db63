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
constexpr TClipboardFormat Private = 0xC0DE;
const std::vector<std::string> CopyKeystroke = {Key(0x11, 0), Key(0x2D, 0), Key(0x2D, 2), Key(0x11, 2)};

bool IsKeyEvent(const std::string& Call) { return Call.rfind("key ", 0) == 0; }

std::string Narrow(const wchar_t* Text) {
  std::string Out;
  for (; *Text; ++Text) Out += static_cast<char>(*Text);
  return Out;
}

struct TCaptureFixture : ::testing::Test {
  TFakeSystemApi Sys;
  TForegroundTarget Target{0x50, 7, Control, false};

  void SetUp() override {
    Sys.PlaceCopy(L"earlier");
    Sys.Clipboard.emplace_back(Private, Bytes("user data"));
  }
  // The foreground application copies Text when Ctrl+Insert arrives, or
  // after Delay ms of the program's waiting.
  void CopiesOnKeystroke(const std::wstring& Text, std::uint32_t Delay = 0) {
    Sys.OnCopyKeystroke = [this, Text, Delay] {
      if (Delay == 0) {
        Sys.PlaceCopy(Text);
        return;
      }
      const std::uint32_t At = Sys.Clock + Delay;
      Sys.OnWait = [this, Text, At] {
        if (Sys.Clock < At) return;
        Sys.PlaceCopy(Text);
        Sys.OnWait = nullptr;
      };
    };
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
    std::optional<std::wstring> Selected;
  } const Cases[] = {
      {3, 8, L"34*56"}, {0, 10, L"12+34*56-7"}, {9, 10, L"7"},
      {4, 4, std::nullopt},   // nothing selected: the clipboard decides
      {0, 0, std::nullopt},   // no EM_GETSEL answer
      {8, 3, std::nullopt},   // reversed: nothing rather than a wrapped length
      {3, 99, L"34*56-7"},    // past the text the control returned
      {50, 60, std::nullopt},
  };
  Sys.WindowTexts[Control] = L"12+34*56-7";
  for (const auto& C : Cases) {
    Sys.SelStart = C.Start;
    Sys.SelEnd = C.End;
    Sys.ClearCalls();
    EXPECT_EQ(CaptureDirect(Sys, Control), C.Selected) << C.Start << ".." << C.End;
    if (C.Start < C.End)
      EXPECT_THAT(Sys.Calls, ElementsAre("EM_GETSEL 1911", "WM_GETTEXTLENGTH 1911", "WM_GETTEXT 1911 11"));
    else
      EXPECT_THAT(Sys.Calls, ElementsAre("EM_GETSEL 1911"));
  }
}

TEST_F(TCaptureFixture, ATextShorterThanItsReportedLengthIsCutSafely) {
  Sys.WindowTexts[Control] = L"2+3";
  Sys.ReportedLength = 40;
  Sys.SelEnd = 40;
  EXPECT_EQ(CaptureDirect(Sys, Control), L"2+3");
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
    const auto Text = CaptureDirect(Sys, Control);
    EXPECT_EQ(Text.has_value(), C.Direct) << Narrow(C.BaseClass);
    // A window that is no edit control is not asked for its text: a title is no selection.
    if (!C.Direct) {
      EXPECT_TRUE(Sys.Calls.empty()) << Narrow(C.BaseClass);
    }
  }
  EXPECT_EQ(CaptureDirect(Sys, 0), std::nullopt);
}

TEST_F(TCaptureFixture, RichEditOffsetsCountALineBreakAsOneCharacter) {
  const std::wstring Text = L"1+1\r\n2*3\r\n\r\n4";
  struct {
    std::size_t Offset, Index;
  } const Cases[] = {{0, 0}, {3, 3}, {4, 5}, {7, 8}, {8, 10}, {9, 12}, {10, 13}, {11, 13}, {99, 13}};
  for (const auto& C : Cases) EXPECT_EQ(RichEditOffsetToIndex(Text, C.Offset), C.Index) << C.Offset;
  EXPECT_EQ(RichEditOffsetToIndex(L"a\rb", 2), 2u) << "a lone CR is one character";

  Sys.WindowTexts[Control] = Text;
  Sys.SelStart = 4;
  Sys.SelEnd = 7;
  Sys.Classes[Control] = L"RichEdit20W";
  EXPECT_EQ(CaptureDirect(Sys, Control), L"2*3");
  Sys.Classes[Control] = L"Edit";  // an edit control counts both characters
  EXPECT_EQ(CaptureDirect(Sys, Control), L"\n2*");
}

TEST_F(TCaptureFixture, TheClipboardPathCopiesReadsAndGivesTheClipboardBack) {
  Sys.Classes[Control] = L"Chrome_RenderWidgetHostHWND";
  CopiesOnKeystroke(L"6*7");
  Sys.ClearCalls();
  EXPECT_EQ(CaptureSelection(Sys, Target), L"6*7");
  std::vector<std::string> Expected = {Pump, Open, "get 13", "get 49374", Close};  // the snapshot
  Expected.insert(Expected.end(), CopyKeystroke.begin(), CopyKeystroke.end());
  for (const auto& Line : {Pump, Open, std::string("get 13"), Close, Pump, Open, Empty, SetData(13, "e\\0a\\0r\\0l\\0i\\0e\\0r\\0\\0\\0"),
                           SetData(Private, "user data"), SetData(0xC0E0, "\\0\\0\\0\\0"), Close})
    Expected.push_back(Line);
  EXPECT_THAT(Sys.Calls, ElementsAreArray(Expected));
}

TEST_F(TCaptureFixture, AnEmptySelectionInAnEditControlGoesThroughTheClipboard) {
  Sys.WindowTexts[Control] = L"2+3";
  Sys.SelStart = Sys.SelEnd = 1;
  CopiesOnKeystroke(L"2+3");
  EXPECT_EQ(CaptureSelection(Sys, Target), L"2+3");
  EXPECT_TRUE(Sent(Key(0x2D, 0)));
}

TEST_F(TCaptureFixture, TheCopyIsWaitedForUntilItLandsButNoLonger) {
  struct {
    std::uint32_t Delay;
    bool Lands;
  } const Cases[] = {{20, true}, {1000, true}, {1490, true}, {1510, false}, {5000, false}};
  Sys.Classes[Control] = L"Static";
  for (const auto& C : Cases) {
    SetUp();
    Sys.ClearCalls();
    CopiesOnKeystroke(L"6*7", C.Delay);
    const std::uint32_t Start = Sys.Clock;
    const auto Text = CaptureSelection(Sys, Target);
    EXPECT_EQ(Text.has_value(), C.Lands) << C.Delay;
    EXPECT_LE(Sys.Clock - Start, CopyTimeout + PollInterval) << C.Delay;
    if (C.Lands) {
      EXPECT_EQ(*Text, L"6*7");
      EXPECT_EQ(Sys.Clock - Start, (C.Delay + PollInterval - 1) / PollInterval * PollInterval) << "polled closely";
    } else {
      // Never landed: nothing evaluated, and the clipboard not even emptied.
      EXPECT_FALSE(Sent(Empty)) << C.Delay;
    }
    Sys.OnWait = nullptr;
    if (!C.Lands) {
      EXPECT_EQ(Sys.Clipboard, UsersClipboard()) << C.Delay;
    }
  }
}

TEST_F(TCaptureFixture, WhatMayNotBeReadYieldsNothingAndLeavesTheClipboardAlone) {
  struct {
    const char* Name;
    std::function<void()> Arrange;
    bool CopyKeystroke;
  } const Cases[] = {
      {"clipboard busy from the start", [this] { Sys.ClipboardOpens = false; }, false},
      {"a copy of nothing (an empty selection)", [] {}, true},
  };
  Sys.Classes[Control] = L"Static";
  for (const auto& C : Cases) {
    SetUp();
    Sys.ClipboardOpens = true;
    Sys.OnCopyKeystroke = nullptr;
    C.Arrange();
    Sys.ClearCalls();
    const std::uint32_t Sequence = Sys.Sequence;
    EXPECT_EQ(CaptureSelection(Sys, Target), std::nullopt) << C.Name;
    EXPECT_EQ(Sent(Key(0x2D, 0)), C.CopyKeystroke) << C.Name;
    EXPECT_EQ(Sys.Sequence, Sequence) << C.Name;
  }
}

TEST_F(TCaptureFixture, ACopyWithoutTextYieldsNothingButTheClipboardIsGivenBack) {
  Sys.Classes[Control] = L"Static";
  Sys.OnCopyKeystroke = [this] {
    Sys.Clipboard = {{8, {1, 2, 3}}};
    ++Sys.Sequence;
  };
  EXPECT_EQ(CaptureSelection(Sys, Target), std::nullopt);
  EXPECT_THAT(Sys.Clipboard, Contains(Pair(Private, Bytes("user data"))));
}

TEST_F(TCaptureFixture, TheCopyIsReadOnceTheCopyingApplicationLetsGoOfTheClipboard) {
  Sys.Classes[Control] = L"Static";
  // The number changes while the application still holds the clipboard open.
  Sys.OnCopyKeystroke = [this] {
    Sys.PlaceCopy(L"6*7");
    Sys.ClipboardOpens = false;
    const std::uint32_t Free = Sys.Clock + 30;
    Sys.OnWait = [this, Free] { Sys.ClipboardOpens = Sys.Clock >= Free; };
  };
  EXPECT_EQ(CaptureSelection(Sys, Target), L"6*7");
  EXPECT_THAT(Sys.Clipboard, Contains(Pair(Private, Bytes("user data"))));
}

TEST_F(TCaptureFixture, AClipboardChangedByAnotherApplicationAfterTheCopyIsLeftAsItIs) {
  Sys.Classes[Control] = L"Static";
  CopiesOnKeystroke(L"6*7");
  // The third opening is the restore's: someone copied just before it.
  int Opens = 0;
  Sys.OnOpen = [&] {
    if (++Opens == 3) Sys.PlaceCopy(L"copied by someone else");
  };
  EXPECT_EQ(CaptureSelection(Sys, Target), L"6*7");
  EXPECT_EQ(ReadClipboardText(Sys), L"copied by someone else");
  EXPECT_FALSE(Sent(Empty));
}

TEST_F(TCaptureFixture, TheHotkeysModifierIsLetGoForTheCopyAndPressedAgainOnlyIfStillHeld) {
  struct {
    const char* Name;
    std::uint32_t Platform;
    std::vector<int> Held;
    std::map<int, TUserKey> User;
    std::vector<std::string> Releases, Presses;
  } const Cases[] = {
      {"NT Ctrl held", 2, {0xA2}, {}, {Key(0xA2, 2)}, {Key(0xA2, 0)}},
      {"NT Ctrl let go meanwhile", 2, {0xA2}, {{0xA2, TUserKey::ukUp}}, {Key(0xA2, 2)}, {}},
      {"NT right Shift held", 2, {0xA1}, {{0xA1, TUserKey::ukDown}}, {Key(0xA1, 3)}, {Key(0xA1, 1)}},
      {"95 Shift held", 1, {0x10}, {}, {Key(0x10, 2)}, {Key(0xA0, 0)}},
      {"nothing held", 2, {}, {}, {}, {}},
  };
  Sys.Classes[Control] = L"Static";
  for (const auto& C : Cases) {
    SetUp();
    Sys.Platform = C.Platform;
    Sys.Down = std::set<int>(C.Held.begin(), C.Held.end());
    Sys.UserKeys = C.User;
    CopiesOnKeystroke(L"1+1");
    Sys.ClearCalls();
    EXPECT_EQ(CaptureSelection(Sys, Target), L"1+1") << C.Name;
    const auto Copy = std::search(Sys.Calls.begin(), Sys.Calls.end(), CopyKeystroke.begin(), CopyKeystroke.end());
    ASSERT_NE(Copy, Sys.Calls.end()) << C.Name;
    std::vector<std::string> Before, Keys;
    std::copy_if(Sys.Calls.begin(), Copy, std::back_inserter(Before), IsKeyEvent);
    std::copy_if(Copy + 4, Sys.Calls.end(), std::back_inserter(Keys), IsKeyEvent);
    EXPECT_THAT(Before, ElementsAreArray(C.Releases)) << C.Name;
    EXPECT_THAT(Keys, ElementsAreArray(C.Presses)) << C.Name;
  }
}

}  // namespace
}  // namespace talvex::testing
