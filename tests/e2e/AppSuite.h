// The program's end-to-end suite: the checks of AppDriver.cpp (the program
// with a standard edit control in the driver) and of TargetChecks.cpp (the
// program with a separate target application, of the driver's bitness or the other).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "AppSession.h"
#include "TargetApp.h"

namespace talvex::e2e {

inline constexpr DWORD SettleAfterCycle = 250;
// The bitness of the driver, the program and the hooks of this build, and the other one.
inline constexpr int OwnBits = sizeof(void*) == 8 ? 64 : 32;
inline constexpr int OtherBits = 96 - OwnBits;
// What the program says when nothing was typed: the application copied
// nothing, or an edit control had nothing selected.
inline constexpr const wchar_t* CopiedNothingMessage = L"Программа не скопировала выделенный текст";
inline constexpr const wchar_t* NothingSelectedMessage = L"Ничего не выделено";

// "Before" became Text (expected After, Arrived in time); the tooltip is Tip.
void CheckTextAndTooltip(const std::string& Name, const std::wstring& Before, const std::wstring& Text,
                         const std::wstring& After, bool Arrived, const std::wstring& Tip,
                         const std::wstring& ExpectedTip);

// Deletes the settings file and its folder, which the choice of hotkeys makes.
void RemoveSettingsFile();

// The median of a list of times, or a negative number for none.
double Median(std::vector<double> Times);

using TFocusProc = DWORD(WINAPI*)();

class TSuite {
 public:
  TSuite(std::wstring DistFolder, std::wstring WorkFolder)
      : Dist(std::move(DistFolder)), Work(std::move(WorkFolder)) {}
  int Run();
  int Demo();
  // In a 64-bit prefix: a target of the other bitness after input in a window of the driver's.
  int RunOtherBitness();

 private:
  HWND RecordedFocus() const {
    return GetCurrentFocus ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(GetCurrentFocus())) : nullptr;
  }
  bool StartAndWait(TProgram& Program, HWND& Application) { return StartProgram(Tray, Program, Dist, Application); }
  bool BindMonitor();
  std::wstring Tooltip(HWND Application);

  struct TCycle {
    bool Ctrl;  // the hotkey of expression and result; otherwise the one of the result alone
    std::wstring Before;
    int SelStart, SelEnd;
    std::wstring After;
    std::wstring Tooltip;
    std::wstring Balloon = {};  // the error balloon expected, none when empty
  };
  // Presses the hotkey of the pair the program is told to use (AlternativeKeys).
  void PressChosenHotkey(bool Ctrl) const;
  bool RunCycle(HWND Application, const TCycle& C, const std::string& Name);
  void CheckWithoutMonitor();
  // Talvex.exe alone in Folder with Library as its Vantrel.dll (none when empty)
  // says Second below "Ошибка инициализации" and ends.
  void CheckMonitorRefused(const std::wstring& Folder, const std::wstring& Library, const std::wstring& Second,
                           const std::string& Name);
  void CheckCycles(HWND Application);
  void CheckDroppedHotkey(HWND Application);
  void CheckAboutWindow(TProgram& Program, HWND Application);
  void CheckSecondStart(HWND Application);
  void CheckTakenHotkeyAndMenuQuit();

  // The choice of hotkeys and the recent results (HotkeyChoiceChecks.cpp).
  void CheckNothingWritten(const std::string& After);
  void CheckRecentResultCopied(TProgram& Program, HWND Application);
  void CheckHotkeyChoice();
  bool ChooseFromMenu(TProgram& Program, HWND Application, int Submenu, int Item, const std::string& What);
  void CheckTrayIconRemoved(HWND Application, const std::string& How);

  // The target application (TargetChecks.cpp).
  struct TTargetCycle {
    bool Ctrl;
    enum TControl { ctTextless, ctEdit, ctRichEdit } Control;
    std::wstring Before;
    int SelStart, SelEnd;
    int CopyDelay;
    bool DelayedRendering;
    std::wstring After;
    std::wstring Tooltip;
    bool HoldModifier = false;  // the hotkey's modifier stays down through the cycle
    int ForeignWriteAt = -1;    // ms after the hotkey another program puts text on the clipboard
  };
  std::wstring TargetProgram(int Bits) const;
  // The time from the hotkey to the first typed character, or a negative number.
  double RunTargetCycle(HWND Application, TTargetApp& Target, const TTargetCycle& C, const std::string& Name,
                        bool HooksReachTarget);
  void CheckTextlessTarget(HWND Application);
  void CheckNothingSelected(HWND Application, TTargetApp& Target);
  void CheckRichEdit(HWND Application, TTargetApp& Target);
  void CheckHeldModifier(HWND Application, TTargetApp& Target);
  void CheckLateCopy(HWND Application, TTargetApp& Target);
  void CheckForeignClipboardWriter(HWND Application, TTargetApp& Target);

  std::wstring Dist, Work;
  TEditWindow Window;
  TFakeTray Tray;
  TFocusProc GetCurrentFocus = nullptr;
  bool AlternativeKeys = false;  // Ctrl+Shift+F7 and Ctrl+Shift+F8 instead of the NumLock pair
  std::vector<double> Latencies;       // direct capture
  std::vector<double> ClipboardFast;   // clipboard capture, the copy within 20 ms
  std::vector<double> ClipboardAtOnce; // clipboard capture, the copy at the keystroke
};

}  // namespace talvex::e2e
