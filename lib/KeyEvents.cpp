#include "KeyEvents.h"

#include "Waits.h"
#include "WinConstants.h"

namespace talvex {

namespace {

// A user who holds the toggle key longer than this gets it toggled anyway.
constexpr std::uint32_t ToggleKeyReleaseTimeout = 2000;

// GetAsyncKeyState is non-zero while the key is down and once more after a
// press it has not reported yet.
bool KeyGoneUp(ISystemApi& Sys, std::uint8_t Vk) { return Sys.AsyncKeyState(Vk) == 0; }

}  // namespace

void KeyDown(ISystemApi& Sys, std::uint8_t Vk) { Sys.KeybdEvent(Vk, 0, 0); }

void KeyDownExt(ISystemApi& Sys, std::uint8_t Vk) { Sys.KeybdEvent(Vk, 0, KeyEventExtendedKey); }

void KeyUp(ISystemApi& Sys, std::uint8_t Vk) { Sys.KeybdEvent(Vk, 0, KeyEventKeyUp); }

void KeyUpExt(ISystemApi& Sys, std::uint8_t Vk) {
  Sys.KeybdEvent(Vk, 0, KeyEventExtendedKey | KeyEventKeyUp);
}

void TapKey(ISystemApi& Sys, std::uint8_t Vk, std::uint8_t Scan) {
  Sys.KeybdEvent(Vk, Scan, 0);
  Sys.KeybdEvent(Vk, Scan, KeyEventKeyUp);
}

void TapKeyScanned(ISystemApi& Sys, std::uint8_t Vk, bool Extended) {
  ProcessPendingMessages(Sys);
  const auto Scan = static_cast<std::uint8_t>(Sys.ScanCodeOfKey(Vk));
  const std::uint32_t Ext = Extended ? KeyEventExtendedKey : 0;
  Sys.KeybdEvent(Vk, Scan, Ext);
  Sys.KeybdEvent(Vk, Scan, Ext | KeyEventKeyUp);
  ProcessPendingMessages(Sys);
}

void ProcessPendingMessages(ISystemApi& Sys) {
  while (Sys.PumpOneMessage() != TPumpResult::pmEmpty) {
  }
}

bool IsKeyToggled(ISystemApi& Sys, std::uint8_t Vk) {
  // The first read lets the thread's key state catch up; the second is used.
  Sys.KeyState(Vk);
  return (static_cast<std::uint16_t>(Sys.KeyState(Vk)) & 0xFF) == 1;
}

void ToggleKeyOnce(ISystemApi& Sys, std::uint8_t Vk) {
  // The user may still hold the key; a toggle now would be lost in theirs.
  WaitUntil(Sys, [&] { return KeyGoneUp(Sys, Vk); }, ToggleKeyReleaseTimeout);
  if (IsNtPlatform(Sys)) {
    KeyDown(Sys, Vk);
    KeyUp(Sys, Vk);
  } else {
    TKeyboardState State{};
    Sys.ReadKeyboardState(State);
    State[Vk] ^= 1;
    Sys.WriteKeyboardState(State);
  }
  ProcessPendingMessages(Sys);
}

void SetKeyToggle(ISystemApi& Sys, std::uint8_t Vk, bool On) {
  if (IsNtPlatform(Sys)) {
    if (IsKeyToggled(Sys, Vk) != On) TapKeyScanned(Sys, Vk, true);
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
