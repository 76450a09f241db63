#include "ModifierKeys.h"

#include <algorithm>
#include <span>

#include "KeyEvents.h"
#include "WinConstants.h"

namespace talvex {

namespace {

// The global state, which synthesised events change at once; a background
// program's own GetKeyState lags behind it.
bool IsDown(ISystemApi& Sys, std::uint8_t Vk) {
  return (static_cast<std::uint16_t>(Sys.AsyncKeyState(Vk)) & 0x8000) != 0;
}

struct TModifier {
  std::uint8_t Released;  // the code that is let go
  std::uint8_t Pressed;   // the code that presses it again
};

// In the order they are let go; NT addresses each hand's key.
constexpr TModifier NtModifiers[] = {{VkLShift, VkLShift},     {VkRShift, VkRShift}, {VkLControl, VkLControl},
                                     {VkRControl, VkRControl}, {VkLMenu, VkLMenu},   {VkRMenu, VkRMenu}};
// The Windows 95 family knows only the generic codes; the left-hand codes
// press them again, which it maps to the generic keys.
constexpr TModifier Win95Modifiers[] = {{VkControl, VkLControl}, {VkMenu, VkLMenu}, {VkShift, VkLShift}};
// The order of pressing again: Ctrl, Alt, Shift, each left before right.
constexpr std::uint8_t PressOrder[] = {VkLControl, VkRControl, VkLMenu, VkRMenu, VkLShift, VkRShift};

}  // namespace

std::vector<TKeyInput> WithModifiersUp(ISystemApi& Sys, const TUserKeyWatch& Watch,
                                       const std::vector<TKeyInput>& Keys) {
  ProcessPendingMessages(Sys);
  const bool Nt = IsNtPlatform(Sys);
  const std::span<const TModifier> Modifiers = Nt ? std::span<const TModifier>(NtModifiers) : Win95Modifiers;
  std::vector<TKeyInput> All;
  std::vector<std::uint8_t> Again;
  for (const TModifier& M : Modifiers) {
    if (!IsDown(Sys, M.Released)) continue;
    All.push_back(KeyRelease(Sys, M.Released));
    // Where the watch cannot tell, the key stays up: a key left up costs the
    // user one press, a key left down sends Ctrl or Shift with every key.
    if (Watch.Holds(M.Released)) Again.push_back(M.Pressed);
  }
  All.insert(All.end(), Keys.begin(), Keys.end());
  for (const std::uint8_t Vk : PressOrder)
    if (std::find(Again.begin(), Again.end(), Vk) != Again.end()) All.push_back(KeyPress(Sys, Vk));
  return All;
}

}  // namespace talvex
