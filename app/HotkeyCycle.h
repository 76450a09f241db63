// The hotkey cycle: from a WM_HOTKEY to the answer typed into the other
// application. Find the application the user works in, capture its
// selection, evaluate it, show the outcome in the tooltip, and type the
// answer over the still selected text, or type nothing and say why.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppHost.h"
#include "app/RecentResults.h"
#include "lib/ClipboardLoan.h"
#include "lib/ForegroundTarget.h"
#include "lib/ModifierKeys.h"
#include "lib/MonitorBinding.h"
#include "lib/NumLockKeeper.h"
#include "lib/SystemApi.h"
#include "lib/WinConstants.h"
#include "parser/CalcParser.h"

namespace talvex {

// What a hotkey types back.
enum class THotkey : std::uint8_t {
  hkExpression,  // the expression, "=" and the result
  hkResult,      // the result alone
};
inline constexpr std::size_t HotkeyCount = 2;
inline constexpr THotkey AllHotkeys[HotkeyCount] = {THotkey::hkExpression, THotkey::hkResult};
constexpr std::size_t IndexOf(THotkey Hotkey) { return static_cast<std::size_t>(Hotkey); }

// The keys of a hotkey, and its name as the user presses it.
struct THotkeyKeys {
  std::uint32_t Modifiers;
  std::uint8_t Vk;
  const wchar_t* Name;
};
using THotkeyPairKeys = std::array<THotkeyKeys, HotkeyCount>;

// The global atoms that identify the hotkeys, whatever keys they have.
inline constexpr const char* HotkeyAtomNames[HotkeyCount] = {"Talvex1", "Talvex2"};

// Ctrl+NumLock (the keyboard reports NumLock with Ctrl held as Pause) and Shift+NumLock.
inline constexpr THotkeyPairKeys DefaultHotkeys = {{
    {ModControl, VkPause, L"Ctrl+NumLock"},
    {ModShift, VkNumLock, L"Shift+NumLock"},
}};

// Longer selections are refused before the engine sees them.
inline constexpr std::size_t MaxExpressionLength = 250;

// The key watch is kept after a cycle whose hotkey key the user still holds,
// on Windows without MOD_NOREPEAT, until the key is let go or this long.
inline constexpr std::uint32_t HeldKeyWatchTime = 10000;
// How often the cycle's timer looks at the clipboard and the held key.
inline constexpr std::uint32_t CycleTimerInterval = 50;

class THotkeyCycle {
 public:
  THotkeyCycle(ISystemApi& Sys, TMonitorBinding& Monitor, IAppHost& Host, TCalcParser& Parser);

  // Adds the atoms and registers both hotkeys; a failure is shown once per
  // hotkey, naming its keys. Where Windows has MOD_NOREPEAT (7 and later),
  // a held hotkey does not repeat.
  void RegisterHotkeys();
  void UnregisterHotkeys();
  // Both hotkeys get other keys at once: both are unregistered, then both
  // registered with the new keys; a failure is shown as at the start.
  void ChangeKeys(const THotkeyPairKeys& NewKeys);

  // WM_HOTKEY with its identifier, as the hotkey window receives it. A
  // hotkey that arrives while a cycle is under way (dispatched while the
  // cycle waits) is dropped: the running cycle is not disturbed, and a later
  // one would find the selection already replaced by the typed answer. So is
  // the auto-repeat of the hotkey that started the last cycle.
  void OnHotkey(std::uintptr_t Id);
  // The host's timer: a late copy of the target given back, the watch of a
  // held hotkey key ended.
  void OnTimer();

  // The cycle's waits dispatch every message. What the user asks of the
  // program meanwhile (a tray click, a button or close of the about window,
  // "Выход") runs after the cycle has ended; outside a cycle at once.
  void RunOutsideCycle(std::function<void()> Command);
  bool Running() const { return InCycle; }
  // The session ends: the user's clipboard and NumLock are given back now,
  // and a running cycle types nothing more.
  void EndSession();

  // The answer text, empty for an expression without a value; nothing after
  // reporting an error in the tooltip with the error beep. Every error of
  // the engine is caught here.
  std::optional<std::wstring> EvaluateText(std::wstring_view Expression);

  // The keys of each hotkey, by THotkey; read at registration.
  THotkeyPairKeys Keys = DefaultHotkeys;
  std::array<THotkeyId, HotkeyCount> Ids{};
  // Which hotkey started the last cycle; it stays until the next one.
  std::optional<THotkey> LastHotkey;
  // The outcomes of this run's cycles that gave a result.
  TRecentResults Recent;

 private:
  std::optional<THotkey> HotkeyOf(std::uintptr_t Id) const;
  bool IsRepeat(THotkey Hotkey);
  void RunCycle(THotkey Hotkey);
  bool Register(THotkey Hotkey);
  void RegisterOrReport(THotkey Hotkey);
  void ReportError(const std::wstring& Message);
  void TypeText(const std::wstring& Text);
  void TypeAnswer(const std::wstring& Answer);  // hkExpression
  void TypeResult(const std::wstring& Result);  // hkResult
  void SettleNumLock();
  // One look for the target's late copy; gives the clipboard back when it
  // came. KeepWaiting: the loan stays for the next look while there is time.
  void LookForLateCopy(bool KeepWaiting);
  void KeepWatchWhileHeld(THotkey Hotkey);
  // A late copy or a held hotkey is watched for after the cycle: the timer
  // and the key watch live on for it.
  bool WatchesAfterCycle() const { return Loan || HeldHotkey; }
  // The user's presses of the keys that copy or cut (with Ctrl or Shift) in
  // most applications, as far as the watch saw them.
  std::uint32_t CopyKeyPresses() const;

  ISystemApi& Sys;
  TMonitorBinding& Monitor;
  IAppHost& Host;
  TCalcParser& Parser;
  bool NoRepeat = false;  // the hotkeys are registered with MOD_NOREPEAT
  bool InCycle = false;
  bool Ending = false;  // the session ends: nothing more is typed
  std::vector<std::function<void()>> Waiting;  // what runs after the cycle

  // The running cycle's: the application in front, the key watch, NumLock.
  TForegroundTarget Target;
  std::optional<TUserKeyWatch> Watch;
  TNumLockKeeper NumLock;
  // The user's clipboard lent to the copy keystroke; after a cycle whose copy
  // did not come in time, held on while the copy may still come.
  std::optional<TClipboardLoan> Loan;
  std::uint32_t LoanSince = 0;
  std::uint32_t CopyKeysAtLoan = 0;  // CopyKeyPresses() when the late watch began
  // The hotkey whose key was still down when its cycle ended, while the watch waits for it to go up.
  std::optional<THotkey> HeldHotkey;
  std::uint32_t HeldSince = 0;
};

}  // namespace talvex
