#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSystemApi.h"
#include "lib/ClipboardText.h"
#include "lib/SelectionCapture.h"

namespace talvex::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Pair;

constexpr TWindowHandle Edit = 0x777;
constexpr TClipboardFormat CfText = 1;
constexpr TClipboardFormat Private = 0xC0DE;

struct TCaptureFixture : ::testing::Test {
  TFakeSystemApi Sys;
  TMonitorBinding Monitor{Sys};

  void SetUp() override {
    Sys.ProvideMonitorExports();
    Monitor.BindMonitorLibrary();
  }
  void Focus(TWindowHandle Window) { Sys.SetExportResult("GetCurrentFocus", static_cast<std::uint32_t>(Window)); }
  // The foreground control copies its selection when Ctrl+Insert arrives.
  void CopiesOnKeystroke(const std::string& Selection) {
    Sys.OnCopyKeystroke = [this, Selection] {
      Sys.Clipboard.clear();
      Sys.Clipboard.emplace_back(CfText, Sz(Selection));
    };
  }
  std::vector<std::string> Capture(THotkeyFlags Hotkeys, std::string& Text) {
    Sys.ClearCalls();
    Text = CaptureSelection(Sys, Monitor, Hotkeys);
    return Sys.Calls;
  }
};

TEST_F(TCaptureFixture, DirectCaptureReturnsTheSelectedCharacters) {
  struct {
    std::uint32_t Start, End;
    const char* Selected;
  } const Cases[] = {
      {3, 8, "34*56"},    {0, 10, "12+34*56-7"}, {9, 10, "7"}, {4, 4, ""},
      {0, 0, ""},         // no EM_GETSEL answer
      {8, 3, ""},         // reversed: nothing rather than a wrapped length
      {3, 99, "34*56-7"}, // past the text the control returned
      {50, 60, ""},
  };
  Sys.WindowTexts[Edit] = "12+34*56-7";
  Focus(Edit);
  for (const auto& C : Cases) {
    Sys.SelStart = C.Start;
    Sys.SelEnd = C.End;
    std::string Text;
    const auto Calls = Capture({}, Text);
    EXPECT_EQ(Text, C.Selected) << C.Start << ".." << C.End;
    EXPECT_THAT(Calls, ElementsAre("call GetCurrentFocus", "WM_GETTEXTLENGTH 1911", "WM_GETTEXT 1911 11",
                                   "EM_GETSEL 1911"));
  }
}

TEST_F(TCaptureFixture, ATextShorterThanItsReportedLengthIsCutSafely) {
  Sys.WindowTexts[Edit] = "2+3";
  Sys.ReportedLength = 40;
  Sys.SelStart = 0;
  Sys.SelEnd = 40;
  Focus(Edit);
  std::string Text;
  Capture({}, Text);
  EXPECT_EQ(Text, "2+3");
}

TEST_F(TCaptureFixture, NoFocusOrNoTextGoesThroughTheClipboard) {
  for (const TWindowHandle Window : {TWindowHandle{0}, Edit}) {
    Sys.WindowTexts[Edit] = "";
    Focus(Window);
    Sys.Clipboard = {{CfText, Sz("earlier")}};
    CopiesOnKeystroke("6*7");
    std::string Text;
    const auto Calls = Capture({}, Text);
    EXPECT_EQ(Text, "6*7") << Window;
    EXPECT_THAT(Calls, Contains(Key(0x2D, 0)));
    EXPECT_THAT(Calls, Not(Contains("EM_GETSEL 1911")));
    EXPECT_EQ(Window == 0, std::find(Calls.begin(), Calls.end(), "WM_GETTEXTLENGTH 1911") == Calls.end());
  }
}

struct TClipboardSequence {
  const char* Name;
  std::uint32_t Platform;
  THotkeyFlags Hotkeys;
  std::vector<std::string> Releases;
  std::vector<std::string> Presses;
};

TEST_F(TCaptureFixture, ClipboardCaptureReleasesTheHotkeyModifierAroundTheCopyKeystroke) {
  const TClipboardSequence Cases[] = {
      {"none", 2, {}, {}, {}},
      {"NT hotkey 1", 2, {true, false}, {Key(0xA2, 2), Key(0xA3, 3)}, {Key(0x11, 0)}},
      {"NT hotkey 2", 2, {false, true}, {Key(0xA0, 2), Key(0xA1, 3)}, {Key(0x10, 0)}},
      {"95 hotkey 1", 1, {true, false}, {Key(0x11, 2)}, {Key(0x11, 0)}},
      {"95 hotkey 2", 1, {false, true}, {Key(0x10, 2)}, {Key(0x10, 0)}},
  };
  for (const auto& C : Cases) {
    Sys.Platform = C.Platform;
    Sys.Clipboard = {{CfText, Sz("earlier")}};
    CopiesOnKeystroke("1+1");
    Sys.ClearCalls();
    const std::string Text = CaptureViaClipboard(Sys, C.Hotkeys);
    EXPECT_EQ(Text, "1+1") << C.Name;

    std::vector<std::string> Expected = {Open, "get 1", Close};
    Expected.insert(Expected.end(), C.Releases.begin(), C.Releases.end());
    for (const auto& Line : {SleepFor(400), Key(0x11, 0), Key(0x2D, 0), Key(0x2D, 2), Key(0x11, 2)})
      Expected.push_back(Line);
    Expected.insert(Expected.end(), C.Presses.begin(), C.Presses.end());
    for (const auto& Line : {SleepFor(800), Open, std::string("get 1"), Close, Open, Empty,
                             SetData(CfText, "earlier\\0"), Close})
      Expected.push_back(Line);
    EXPECT_THAT(Sys.Calls, ElementsAreArray(Expected)) << C.Name;
  }
}

TEST_F(TCaptureFixture, ClipboardCaptureGivesBackEveryEarlierFormat) {
  const TBytes Image = {0x28, 0, 0, 0, 1, 2, 3};
  Sys.Clipboard = {{8, Image}, {Private, Bytes("user data")}};
  CopiesOnKeystroke("2*21");
  EXPECT_EQ(CaptureViaClipboard(Sys, {}), "2*21");
  EXPECT_THAT(Sys.Clipboard, ElementsAre(Pair(8, Image), Pair(Private, Bytes("user data"))));
}

TEST_F(TCaptureFixture, AnEmptyClipboardStaysEmpty) {
  CopiesOnKeystroke("5-1");
  EXPECT_EQ(CaptureViaClipboard(Sys, {}), "5-1");
  EXPECT_THAT(Sys.Clipboard, IsEmpty());
}

TEST_F(TCaptureFixture, NothingCopiedCapturesTheEarlierText) {
  Sys.Clipboard = {{CfText, Sz("9/3")}};
  EXPECT_EQ(CaptureViaClipboard(Sys, {}), "9/3");
  EXPECT_THAT(Sys.Clipboard, ElementsAre(Pair(CfText, Sz("9/3"))));
}

TEST_F(TCaptureFixture, AClipboardThatCannotBeOpenedYieldsNothingAndIsNotRestored) {
  Sys.ClipboardOpens = false;
  CopiesOnKeystroke("5-1");
  EXPECT_EQ(CaptureViaClipboard(Sys, {}), "");
  EXPECT_THAT(Sys.Calls, Not(Contains(Empty)));
}

}  // namespace
}  // namespace talvex::testing
