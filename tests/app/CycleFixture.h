// The hotkey cycle on the recording fakes: an edit control 0x77 in the
// foreground window 0x50 of another application, "40+2" on the clipboard, the
// NumLock pair registered; the helpers that press the hotkeys as a user does
// and build the sequences the cycle's parts send.
#pragma once

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

namespace talvex::testing {

constexpr TWindowHandle Foreground = 0x50;
constexpr TWindowHandle Focus = 0x77;
constexpr std::uint32_t Thread = 7, Process = 20;
constexpr THotkeyId Id1 = 0xC001;
constexpr THotkeyId Id2 = 0xC002;

using TCalls = std::vector<std::string>;

inline TCalls Join(std::initializer_list<TCalls> Parts) {
  TCalls All;
  for (const auto& P : Parts) All.insert(All.end(), P.begin(), P.end());
  return All;
}

// An error as the user meets it: the tooltip, the balloon with the same text, the beep.
inline TCalls Reported(const std::string& Utf8Text) { return {Tooltip(Utf8Text), Balloon(Utf8Text), Beep}; }
inline TCalls Reported(const wchar_t* Text) { return Reported(Utf8(Text)); }

class TCycleFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Saved = FormatSettings();
    UseLocaleSettings(TFormatSettings{});
    Parser.AngleUnit = auRadians;
    Sys.ProvideMonitorExports();
    Monitor.BindMonitorLibrary();
    Sys.Foreground = Foreground;
    Sys.Owners = {{Foreground, {Thread, Process}},
                  {Focus, {Thread, Process}},
                  {TFakeSystemApi::OwnWindow, {3, Sys.OwnProcess}}};
    Sys.ThreadFocus[Thread] = Focus;
    Sys.PlaceCopy(L"40+2", 0x70);
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
  // The focused control keeps its text to itself; Ctrl+Insert copies Text at once.
  void CopiesOnKeystroke(const std::wstring& Text) {
    Sys.Classes[Focus] = L"Chrome_RenderWidgetHostHWND";
    Sys.OnCopyKeystroke = [this, Text] { Sys.PlaceCopy(Text, Foreground); };
  }
  // As the keyboard does it: a press of NumLock toggles NumLock before the
  // program hears of the hotkey.
  void Press(THotkeyId Id) {
    if (Id == Id2 && Cycle.Keys[1].Vk == 0x90) Sys.NumLockOn = !Sys.NumLockOn;
    Cycle.OnHotkey(Id);
  }
  // The host's timer for Ms: the clock moves on and what happens elsewhere happens.
  void RunTimer(std::uint32_t Ms) {
    for (std::uint32_t T = 0; T < Ms; T += CycleTimerInterval) {
      Sys.Clock += CycleTimerInterval;
      if (Sys.OnWait) Sys.OnWait();
      if (Host.TimerRuns) Cycle.OnTimer();
    }
  }

  TCalls Capture() const {
    return {WatchStart, "thread focus 7", "EM_GETSEL 119", "WM_GETTEXTLENGTH 119",
            "WM_GETTEXT 119 " + std::to_string(Sys.WindowTexts.at(Focus).size() + 1)};
  }
  // What lib's typing sends for Text on this platform, as its own tests fix it.
  TCalls Typed(const std::wstring& Text) const {
    TFakeSystemApi Other;
    Other.Platform = Sys.Platform;
    Other.Foreground = Foreground;
    const TUserKeyWatch Watch(Other);
    Other.ClearCalls();
    TypeInto(Other, Watch, Foreground, Text);
    return Other.Calls;
  }
  TCalls Hotkey1Branch(const std::wstring& Answer) const {
    return Join({{Unregister(Id1)}, Typed(Answer), {Register(Id1, 2, 0x13)}});
  }
  // NumLock pressed once more, after its release, with the modifiers up.
  TCalls NumLockBack() const {
    return Sys.Platform == 2 ? TCalls{Pump, Pump, Send(2), Key(0x90, 1, 0x45), Key(0x90, 3, 0x45), Pump}
                             : TCalls{Pump, WriteState, Pump};
  }
  TCalls Hotkey2Branch(const std::wstring& Result) const {
    return Join({{Unregister(Id2)}, NumLockBack(), Typed(Result), {Register(Id2, 4, 0x90)}});
  }

  // The parts of the calls the user sees: tooltips, balloons and beeps.
  TCalls Shown() const {
    TCalls Out;
    std::copy_if(Sys.Calls.begin(), Sys.Calls.end(), std::back_inserter(Out), [](const std::string& C) {
      return C.rfind("tooltip", 0) == 0 || C.rfind("balloon", 0) == 0 || C == Beep;
    });
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

}  // namespace talvex::testing
