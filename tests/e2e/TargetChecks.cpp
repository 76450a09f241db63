// The program against a separate target application: a control that keeps
// its text to itself and copies late, early, never, after the program stopped
// waiting or with delayed rendering; another program writing the clipboard
// meanwhile; nothing selected with old text on the clipboard; a modifier held
// through the cycle; and a target of the other bitness after input in a
// window of the driver's own, which the same hooks reach.
#include <windows.h>

#include <cstdio>

#include "AppSuite.h"

namespace talvex::e2e {

namespace {

constexpr int FastCopy = 20;
constexpr int LateCopy = 1000;
constexpr int CopyAfterDeadline = 3000;  // the program waits 1.5 s for a copy
constexpr DWORD LateCopyWatch = 8000;    // and watches for a late one some seconds more
constexpr DWORD LateCopySettle = 1000;
constexpr int MeasuredCycles = 5;
constexpr DWORD FocusRecordTimeout = 3000;
constexpr DWORD MistakeTime = 500;
const std::wstring OldClipboard = L"40+2";
const std::wstring ForeignText = L"copied by another program";

bool IsDown(BYTE Vk) { return (GetAsyncKeyState(Vk) & 0x8000) != 0; }

}  // namespace

std::wstring TSuite::TargetProgram(int Bits) const {
  wchar_t Path[MAX_PATH] = {};
  const DWORD Length = GetModuleFileNameW(nullptr, Path, MAX_PATH);
  std::wstring Folder(Path, Length);
  Folder.resize(Folder.find_last_of(L'\\') + 1);
  return Folder + L"e2e_copy_target" + std::to_wstring(Bits) + L".exe";
}

double TSuite::RunTargetCycle(HWND Application, TTargetApp& Target, const TTargetCycle& C, const std::string& Name,
                              bool HooksReachTarget) {
  Check(PutClipboardText(Window.Main(), OldClipboard), Name + ": \"40+2\" is on the clipboard before");
  const bool Shown = C.Control == TTargetCycle::ctTextless
                         ? Target.ShowTextless(C.Before, C.SelStart, C.SelEnd, C.CopyDelay, C.DelayedRendering)
                         : Target.ShowEdit(C.Before, C.SelStart, C.SelEnd, C.Control == TTargetCycle::ctRichEdit);
  if (!Shown) {
    Check(false, Name + ": the target is in the foreground");
    return -1;
  }
  // A key press for the hooks; a target of the other bitness never loads them.
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  const HWND Control = C.Control == TTargetCycle::ctTextless ? Target.Textless()
                       : C.Control == TTargetCycle::ctEdit   ? Target.Edit()
                                                             : Target.RichEdit();
  if (HooksReachTarget)
    Check(PumpUntil([&] { return RecordedFocus() == Control; }, FocusRecordTimeout),
          Name + ": the monitor recorded the target's control");
  else
    PumpFor(100);

  const bool NumLock = NumLockOn();
  const DWORD Sequence = GetClipboardSequenceNumber();
  const double Pressed = NowMs();
  C.Ctrl ? PressCtrlNumLock(C.HoldModifier) : PressShiftNumLock(C.HoldModifier);
  const bool Changes = C.After != C.Before;
  bool Written = false;
  // Another program puts its text on the clipboard while the program waits for the copy.
  const auto WriteMeanwhile = [&] {
    if (C.ForeignWriteAt < 0 || Written || NowMs() - Pressed < C.ForeignWriteAt) return;
    Check(PutClipboardText(Window.Main(), ForeignText), Name + ": another program wrote the clipboard");
    Written = true;
  };
  const bool Arrived =
      Changes ? PumpUntil([&] { return WriteMeanwhile(), Target.Text() == C.After; }, SettleTimeout)
              : PumpUntil([&] { return WriteMeanwhile(), Tooltip(Application) == C.Tooltip; }, SettleTimeout);
  // Anything typed by mistake would arrive within this time.
  if (!Changes) PumpFor(MistakeTime);
  PumpFor(SettleAfterCycle);
  Answers(Application);

  CheckTextAndTooltip(Name, C.Before, Target.Text(), C.After, Arrived, Tooltip(Application), C.Tooltip);
  // What another program wrote meanwhile is the user's clipboard now.
  const std::wstring Expected = C.ForeignWriteAt >= 0 ? ForeignText : OldClipboard;
  const std::wstring Clipboard = ClipboardText(Window.Main());
  Check(Clipboard == Expected,
        Name + ": the clipboard holds \"" + Utf8(Expected) + "\" (it holds \"" + Utf8(Clipboard) + "\")");
  // An edit control with a selection is read directly: the clipboard is not even borrowed.
  const bool Direct = C.Control != TTargetCycle::ctTextless && C.SelStart != C.SelEnd;
  if (!Changes || Direct)
    Check(GetClipboardSequenceNumber() == Sequence, Name + ": the clipboard was not touched");
  Check(NumLockComesTo(NumLock), Name + ": NumLock is as it was");
  const BYTE Modifier = C.Ctrl ? VK_CONTROL : VK_SHIFT;
  if (C.HoldModifier) {
    Check(IsDown(Modifier), Name + ": the modifier the user still holds is down after the cycle");
    keybd_event(Modifier, 0, KEYEVENTF_KEYUP, 0);
  } else {
    Check(!IsDown(Modifier), Name + ": the modifier the user let go is up after the cycle");
  }
  PumpUntil([&] { return !IsDown(Modifier); }, SettleTimeout);

  const double First = Target.FirstChangeAt();
  if (!Changes || First < 0) return -1;
  char Line[200];
  std::snprintf(Line, sizeof Line, "time   %s: hotkey to first typed character %.0f ms, to the whole answer %.0f ms",
                Name.c_str(), First - Pressed, Target.LastChangeAt() - Pressed);
  Say(Line);
  return First - Pressed;
}

void TSuite::CheckTextlessTarget(HWND Application) {
  TTargetApp Target;
  if (!Target.Start(TargetProgram(OwnBits))) {
    Check(false, "the " + std::to_string(OwnBits) + "-bit target application starts");
    return;
  }
  const std::wstring Before = L"x 2+3*4 y", After = L"x 2+3*4=14 y", Tip = L"2+3*4=14";
  for (int I = 0; I < MeasuredCycles; ++I) {
    const double Fast = RunTargetCycle(Application, Target, {true, TTargetCycle::ctTextless, Before, 2, 7, FastCopy, false, After, Tip},
                                       "text-less control, copy after 20 ms", true);
    if (Fast >= 0) ClipboardFast.push_back(Fast);
    const double AtOnce = RunTargetCycle(Application, Target, {true, TTargetCycle::ctTextless, Before, 2, 7, 0, false, After, Tip},
                                         "text-less control, copy at the keystroke", true);
    if (AtOnce >= 0) ClipboardAtOnce.push_back(AtOnce);
  }
  RunTargetCycle(Application, Target, {true, TTargetCycle::ctTextless, Before, 2, 7, LateCopy, false, After, Tip},
                 "text-less control, copy after 1 s", true);
  RunTargetCycle(Application, Target, {true, TTargetCycle::ctTextless, Before, 2, 7, FastCopy, true, After, Tip},
                 "text-less control, delayed rendering", true);
  RunTargetCycle(Application, Target, {false, TTargetCycle::ctTextless, L"(7*6)", 0, 5, FastCopy, false, L"42", L"(7*6)=42"},
                 "text-less control, Shift+NumLock", true);
  RunTargetCycle(Application, Target, {true, TTargetCycle::ctTextless, Before, 2, 7, CopyNever, false, Before, CopiedNothingMessage},
                 "text-less control that never copies", true);
  CheckLateCopy(Application, Target);
  CheckForeignClipboardWriter(Application, Target);
  CheckNothingSelected(Application, Target);
  CheckRichEdit(Application, Target);
  CheckHeldModifier(Application, Target);
  Target.Close();
}

void TSuite::CheckNothingSelected(HWND Application, TTargetApp& Target) {
  // A cycle with another tooltip first, so that the message's arrival marks
  // the end of the waiting cycle.
  const TTargetCycle Between{true, TTargetCycle::ctEdit, L"1+1", 0, 3, 0, false, L"1+1=2", L"1+1=2"};
  // "40+2" on the clipboard must not be answered in the user's document.
  RunTargetCycle(Application, Target, Between, "a direct cycle in between", true);
  RunTargetCycle(Application, Target, {true, TTargetCycle::ctTextless, L"x 2+3 y", 3, 3, 0, false, L"x 2+3 y", CopiedNothingMessage},
                 "nothing selected in the text-less control", true);
  RunTargetCycle(Application, Target, Between, "a direct cycle in between", true);
  RunTargetCycle(Application, Target, {false, TTargetCycle::ctEdit, L"x 2+3 y", 3, 3, 0, false, L"x 2+3 y", NothingSelectedMessage},
                 "nothing selected in an edit control", true);
}

void TSuite::CheckLateCopy(HWND Application, TTargetApp& Target) {
  const std::string Name = "text-less control, copy after 3 s";
  RunTargetCycle(Application, Target,
                 {true, TTargetCycle::ctTextless, L"x 2+3*4 y", 2, 7, CopyAfterDeadline, false, L"x 2+3*4 y",
                  CopiedNothingMessage},
                 Name, true);
  // Nothing was typed; once the copy lands, the user's clipboard comes back.
  Check(PumpUntil([&] { return Target.CopiedAt() >= 0; }, LateCopyWatch), Name + ": the late copy landed");
  // The clipboard is not asked meanwhile: the program must find it free.
  PumpFor(LateCopySettle);
  const std::wstring Clipboard = ClipboardText(Window.Main());
  Check(Clipboard == OldClipboard, Name + ": after the late copy the clipboard holds \"40+2\" again (it holds \"" +
                                       Utf8(Clipboard) + "\")");
}

void TSuite::CheckForeignClipboardWriter(HWND Application, TTargetApp& Target) {
  TTargetCycle Cycle{true, TTargetCycle::ctTextless, L"x 2+3*4 y", 2, 7, LateCopy, false, L"x 2+3*4=14 y", L"2+3*4=14"};
  Cycle.ForeignWriteAt = 300;
  RunTargetCycle(Application, Target, Cycle, "another program writes the clipboard before the copy", true);
}

void TSuite::CheckRichEdit(HWND Application, TTargetApp& Target) {
  // Its selection counts each line break as one character, its text has two.
  RunTargetCycle(Application, Target,
                 {true, TTargetCycle::ctRichEdit, L"1+1\r\n2*3\r\n4", 4, 7, 0, false, L"1+1\r\n2*3=6\r\n4", L"2*3=6"},
                 "rich-edit control, the second line selected", true);
}

void TSuite::CheckHeldModifier(HWND Application, TTargetApp& Target) {
  TTargetCycle Held{true, TTargetCycle::ctTextless, L"x 2+3*4 y", 2, 7, FastCopy, false, L"x 2+3*4=14 y", L"2+3*4=14", true};
  RunTargetCycle(Application, Target, Held, "Ctrl held through a clipboard cycle", true);
  Held.Control = TTargetCycle::ctEdit;
  RunTargetCycle(Application, Target, Held, "Ctrl held through a direct cycle", true);
  RunTargetCycle(Application, Target, {false, TTargetCycle::ctEdit, L"(7*6)", 0, 5, 0, false, L"42", L"(7*6)=42", true},
                 "Shift held through a direct cycle", true);
}

int TSuite::RunOtherBitness() {
  const std::string Own = std::to_string(OwnBits) + "-bit", Other = std::to_string(OtherBits) + "-bit";
  if (!Window.Create() || !Tray.Create()) {
    Check(false, "the driver's window and tray open");
    return FailureCount();
  }
  TProgram Program;
  HWND Application = nullptr;
  const bool Ready = StartAndWait(Program, Application);
  Check(Ready, "Talvex.exe starts in the 64-bit prefix");
  if (!Ready) return FailureCount();
  Check(BindMonitor(), "the driver binds Vantrel.dll");
  TTargetApp Target;
  if (!Target.Start(TargetProgram(OtherBits))) {
    Check(false, "the " + Other + " target application starts");
    return FailureCount();
  }
  // Input in a window of the program's bitness first: the monitor records its edit control.
  Window.SetText(L"1+1", 0, 3);
  Check(Window.Focus([this] { return RecordedFocus(); }), "the driver's " + Own + " edit control is the recorded focus");
  RunTargetCycle(Application, Target,
                 {true, TTargetCycle::ctEdit, L"x 2+3*4 y", 2, 7, 0, false, L"x 2+3*4=14 y", L"2+3*4=14"},
                 Other + " edit control after a " + Own + " one", false);
  Check(Window.Text() == L"1+1", "the " + Own + " edit control is untouched");
  RunTargetCycle(Application, Target,
                 {true, TTargetCycle::ctTextless, L"x 2+3*4 y", 2, 7, FastCopy, false, L"x 2+3*4=14 y", L"2+3*4=14"},
                 Other + " text-less control, copy after 20 ms", false);
  RunTargetCycle(Application, Target,
                 {false, TTargetCycle::ctEdit, L"(7*6)", 0, 5, 0, false, L"42", L"(7*6)=42", true},
                 Other + " edit control, Shift held", false);
  Target.Close();

  PostMessageW(Application, WM_CLOSE, 0, 0);
  const auto Status = Program.WaitForExit(ExitTimeout);
  Check(Status && *Status == 0, "WM_CLOSE ends the program with status 0");
  Tray.Destroy();
  Window.Destroy();
  return FailureCount();
}

}  // namespace talvex::e2e
