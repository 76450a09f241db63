#include "ModifierKeys.h"

#include "KeyEvents.h"
#include "Waits.h"
#include "WinConstants.h"

namespace talvex {

namespace {

// The system takes a synthesised release at once; this only bounds a wait
// that something unforeseen could stretch.
constexpr std::uint32_t ReleaseTimeout = 100;

// The global state, which synthesised events change at once; a background
// program's own GetKeyState lags behind it.
bool IsDown(ISystemApi& Sys, std::uint8_t Vk) {
  return (static_cast<std::uint16_t>(Sys.AsyncKeyState(Vk)) & 0x8000) != 0;
}

bool Release(ISystemApi& Sys, std::uint8_t Vk, bool Extended) {
  if (!IsDown(Sys, Vk)) return false;
  Extended ? KeyUpExt(Sys, Vk) : KeyUp(Sys, Vk);
  return true;
}

// Down when the user pressed it last; when the watch saw nothing of the key,
// the user holds it still as at the release.
bool StillHeld(ISystemApi& Sys, bool WasHeld, std::uint8_t Vk) {
  if (!WasHeld) return false;
  return Sys.UserKey(Vk) != TUserKey::ukUp;
}

}  // namespace

TModifiersReleased::TModifiersReleased(ISystemApi& System) : Sys(System) {
  THeldModifiers& H = Released;
  if (IsNtPlatform(Sys)) {
    H.LShift = Release(Sys, VkLShift, false);
    H.RShift = Release(Sys, VkRShift, true);
    H.LCtrl = Release(Sys, VkLControl, false);
    H.RCtrl = Release(Sys, VkRControl, true);
    H.LAlt = Release(Sys, VkLMenu, false);
    H.RAlt = Release(Sys, VkRMenu, true);
  } else {
    H.LCtrl = Release(Sys, VkControl, false);
    H.LAlt = Release(Sys, VkMenu, false);
    H.LShift = Release(Sys, VkShift, false);
  }
  if (!(H.LShift || H.RShift || H.LCtrl || H.RCtrl || H.LAlt || H.RAlt)) return;
  WaitUntil(
      Sys,
      [this] {
        for (const std::uint8_t Vk : {VkShift, VkControl, VkMenu})
          if (IsDown(Sys, Vk)) return false;
        return true;
      },
      ReleaseTimeout);
}

// The left-hand codes serve both platforms: Windows 95 maps them to the generic keys.
TModifiersReleased::~TModifiersReleased() {
  const THeldModifiers& H = Released;
  const bool Nt = IsNtPlatform(Sys);
  if (StillHeld(Sys, H.LCtrl, Nt ? VkLControl : VkControl)) KeyDown(Sys, VkLControl);
  if (StillHeld(Sys, H.RCtrl, VkRControl)) KeyDownExt(Sys, VkRControl);
  if (StillHeld(Sys, H.LAlt, Nt ? VkLMenu : VkMenu)) KeyDown(Sys, VkLMenu);
  if (StillHeld(Sys, H.RAlt, VkRMenu)) KeyDownExt(Sys, VkRMenu);
  if (StillHeld(Sys, H.LShift, Nt ? VkLShift : VkShift)) KeyDown(Sys, VkLShift);
  if (StillHeld(Sys, H.RShift, VkRShift)) KeyDownExt(Sys, VkRShift);
}

}  // namespace talvex
