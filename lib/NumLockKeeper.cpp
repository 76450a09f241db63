#include "NumLockKeeper.h"

#include "KeyEvents.h"
#include "Waits.h"
#include "WinConstants.h"

namespace talvex {

namespace {

// A user who holds the key longer than this gets it toggled anyway.
constexpr std::uint32_t KeyReleaseTimeout = 2000;
// The program's own window takes the press within moments.
constexpr std::uint32_t OwnWindowTimeout = 250;
// Presses dropped while NumLock is being put back are put back too, but not for ever.
constexpr int MaxToggles = 4;

bool IsDown(ISystemApi& Sys, std::uint8_t Vk) {
  return (static_cast<std::uint16_t>(Sys.AsyncKeyState(Vk)) & 0x8000) != 0;
}

bool ToggledInThisThread(ISystemApi& Sys) { return (Sys.KeyState(VkNumLock) & 1) != 0; }

bool PressNumLock(ISystemApi& Sys, const TUserKeyWatch& Watch, const TForegroundTarget& Target,
                  TWindowHandle OwnWindow) {
  // The user may still hold the key; a press now would be lost in theirs.
  WaitUntil(Sys, [&] { return !IsDown(Sys, VkNumLock); }, KeyReleaseTimeout);
  const bool Borrow = Target.Elevated;
  if (Borrow && !Sys.SetForeground(OwnWindow)) return false;
  const bool Before = ToggledInThisThread(Sys);
  const auto Keys = WithModifiersUp(Sys, Watch, {KeyPress(Sys, VkNumLock), KeyRelease(Sys, VkNumLock)});
  const bool Sent = Sys.SendKeys(Keys) == Keys.size();
  if (Borrow) {
    // The press must have reached this program's window before the other one gets the keyboard back.
    if (Sent) WaitUntil(Sys, [&] { return ToggledInThisThread(Sys) != Before; }, OwnWindowTimeout);
    Sys.SetForeground(Target.Window);
  }
  ProcessPendingMessages(Sys);
  return Sent;
}

}  // namespace

void TNumLockKeeper::NoteDropped(const TUserKeyWatch& Watch) {
  const std::uint32_t Seen = Watch.Works() ? Watch.Presses(VkNumLock) : Counted + 1;
  if (Seen <= Counted) return;
  ++Owed;
  Counted = Seen;
}

bool TNumLockKeeper::Settle(ISystemApi& Sys, const TUserKeyWatch& Watch, const TForegroundTarget& Target,
                            TWindowHandle OwnWindow) {
  if (!IsNtPlatform(Sys)) {
    if (Owed != 0) SetKeyToggle(Sys, VkNumLock, true);
    Owed = 0;
    return true;
  }
  int Toggles = 0;
  while (Owed != 0) {
    // An even number of toggles has left NumLock as it was.
    const bool Toggle = Owed % 2 != 0;
    Owed = 0;  // what the press's waits drop from here on is owed anew
    if (!Toggle) continue;
    if (++Toggles > MaxToggles || !PressNumLock(Sys, Watch, Target, OwnWindow)) return false;
  }
  return true;
}

}  // namespace talvex
