// The hotkey cycle: from a WM_HOTKEY to the answer typed into the other
// application. Capture the selection, evaluate it, show the outcome in the
// tooltip, and type the answer over the still selected text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppHost.h"
#include "lib/MonitorBinding.h"
#include "lib/SystemApi.h"
#include "parser/CalcParser.h"

namespace talvex {

inline constexpr std::uint32_t WmHotkey = 0x0312;
inline constexpr std::uint32_t ModControl = 0x2;
inline constexpr std::uint32_t ModShift = 0x4;
inline constexpr std::uint8_t VkPause = 0x13;  // NumLock as the keyboard reports it with Ctrl held

inline constexpr const char* Hotkey1AtomName = "Talvex1";  // Ctrl+NumLock: expression, "=", result
inline constexpr const char* Hotkey2AtomName = "Talvex2";  // Shift+NumLock: result alone

// Longer selections are refused before the engine sees them.
inline constexpr std::size_t MaxExpressionLength = 250;
// Time for the foreground application to see the modifier released.
inline constexpr std::uint32_t TypingDelay = 100;

class THotkeyCycle {
 public:
  THotkeyCycle(ISystemApi& Sys, TMonitorBinding& Monitor, IAppHost& Host, TCalcParser& Parser);

  // Adds the atoms and registers both hotkeys; a failure is shown once per hotkey.
  void RegisterHotkeys();
  void UnregisterHotkeys();

  // The application-wide message observer: acts on WM_HOTKEY only and never
  // claims the message. A hotkey that arrives while a cycle is under way
  // (dispatched by the typing's draining of the queue) is dropped: the running
  // cycle is not disturbed, and a later one would find the selection already
  // replaced by the typed answer.
  bool HandleHotkey(std::uint32_t Message, std::uintptr_t WParam);

  // The answer text, or empty after reporting the error in the tooltip with
  // the error beep. Every error of the engine is caught here.
  std::wstring EvaluateText(std::wstring_view Expression);

  THotkeyId Hotkey1Id = 0;
  THotkeyId Hotkey2Id = 0;
  // Which hotkey started the last cycle; they stay set until the next one.
  bool IsHotkey1 = false;
  bool IsHotkey2 = false;

 private:
  void ReportError(const std::wstring& Message);
  void TypeAnswer(const std::wstring& Answer);  // hotkey 1
  void TypeResult(const std::wstring& Result);  // hotkey 2

  ISystemApi& Sys;
  TMonitorBinding& Monitor;
  IAppHost& Host;
  TCalcParser& Parser;
  bool InCycle = false;
};

}  // namespace talvex
