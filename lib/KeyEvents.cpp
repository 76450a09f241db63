#include "KeyEvents.h"

#include "WinConstants.h"

namespace talvex {

namespace {

TKeyInput KeyEvent(ISystemApi& Sys, std::uint8_t Vk, std::uint32_t Flags) {
  const auto Scan = static_cast<std::uint16_t>(Sys.ScanCodeOfKey(Vk) & 0xFF);
  return {Vk, Scan, Flags | (IsExtendedKey(Vk) ? KeyEventExtendedKey : 0)};
}

}  // namespace

bool IsExtendedKey(std::uint8_t Vk) {
  // The right Shift is not: it has a scan code of its own.
  return Vk == VkRControl || Vk == VkRMenu || Vk == VkInsert || Vk == VkNumLock;
}

TKeyInput KeyPress(ISystemApi& Sys, std::uint8_t Vk) { return KeyEvent(Sys, Vk, 0); }

TKeyInput KeyRelease(ISystemApi& Sys, std::uint8_t Vk) { return KeyEvent(Sys, Vk, KeyEventKeyUp); }

void ProcessPendingMessages(ISystemApi& Sys) {
  while (Sys.PumpOneMessage() != TPumpResult::pmEmpty) {
  }
}

bool IsKeyToggled(ISystemApi& Sys, std::uint8_t Vk) {
  // The first read lets the thread's key state catch up; the second is used.
  Sys.KeyState(Vk);
  return (static_cast<std::uint16_t>(Sys.KeyState(Vk)) & 0xFF) == 1;
}

void SetKeyToggle(ISystemApi& Sys, std::uint8_t Vk, bool On) {
  if (IsNtPlatform(Sys)) {
    if (IsKeyToggled(Sys, Vk) == On) return;
    ProcessPendingMessages(Sys);
    Sys.SendKeys({KeyPress(Sys, Vk), KeyRelease(Sys, Vk)});
    ProcessPendingMessages(Sys);
    return;
  }
  ProcessPendingMessages(Sys);
  TKeyboardState State{};
  Sys.ReadKeyboardState(State);
  if (On)
    State[Vk] |= 1;
  else
    State[Vk] = 0;
  Sys.WriteKeyboardState(State);
  ProcessPendingMessages(Sys);
}

std::uint32_t GetPlatformId(ISystemApi& Sys) { return Sys.PlatformId(); }

bool IsNtPlatform(ISystemApi& Sys) { return GetPlatformId(Sys) == PlatformWin32Nt; }

}  // namespace talvex
