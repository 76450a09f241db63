// The hotkey cycle: from a WM_HOTKEY to the answer typed into the other
// application. Find the application the user works in, capture its
// selection, evaluate it, show the outcome in the tooltip, and type the
// answer over the still selected text, or type nothing and say why.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/AppHost.h"
#include "app/RecentResults.h"
#include "lib/ForegroundTarget.h"
#include "lib/MonitorBinding.h"
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

class THotkeyCycle {
 public:
  THotkeyCycle(ISystemApi& Sys, TMonitorBinding& Monitor, IAppHost& Host, TCalcParser& Parser);

  // Adds the atoms and registers both hotkeys; a failure is shown once per
  // hotkey, naming its keys.
  void RegisterHotkeys();
  void UnregisterHotkeys();
  // Both hotkeys get other keys at once: both are unregistered, then both
  // registered with the new keys; a failure is shown as at the start.
  void ChangeKeys(const THotkeyPairKeys& NewKeys);

  // WM_HOTKEY with its identifier, as the hotkey window receives it. A
  // hotkey that arrives while a cycle is under way (dispatched while the
  // cycle waits) is dropped: the running cycle is not disturbed, and a later
  // one would find the selection already replaced by the typed answer.
  void OnHotkey(std::uintptr_t Id);

  // The answer text, or empty after reporting the error in the tooltip with
  // the error beep. Every error of the engine is caught here.
  std::wstring EvaluateText(std::wstring_view Expression);

  // The keys of each hotkey, by THotkey; read at registration.
  THotkeyPairKeys Keys = DefaultHotkeys;
  std::array<THotkeyId, HotkeyCount> Ids{};
  // Which hotkey started the last cycle; it stays until the next one.
  std::optional<THotkey> LastHotkey;
  // The outcomes of this run's cycles that gave a result.
  TRecentResults Recent;

 private:
  bool Register(THotkey Hotkey);
  void RegisterOrReport(THotkey Hotkey);
  void ReportError(const std::wstring& Message);
  // Types Text into Target's window unless the user has switched away meanwhile.
  void TypeInto(const TForegroundTarget& Target, const std::wstring& Text);
  void TypeAnswer(const TForegroundTarget& Target, const std::wstring& Answer);  // hkExpression
  // hkResult; Pressed are the keys that started the cycle.
  void TypeResult(const TForegroundTarget& Target, const std::wstring& Result, const THotkeyKeys& Pressed);

  ISystemApi& Sys;
  TMonitorBinding& Monitor;
  IAppHost& Host;
  TCalcParser& Parser;
  bool InCycle = false;
};

}  // namespace talvex
