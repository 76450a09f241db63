#include "TextInjection.h"

#include "KeyEvents.h"
#include "WinConstants.h"

namespace talvex {

namespace {

void AddUnicode(std::vector<TKeyInput>& Keys, std::uint16_t Code) {
  Keys.push_back({0, Code, KeyEventUnicode});
  Keys.push_back({0, Code, KeyEventUnicode | KeyEventKeyUp});
}

void AddTap(ISystemApi& Sys, std::vector<TKeyInput>& Keys, std::uint8_t Vk) {
  Keys.push_back(KeyPress(Sys, Vk));
  Keys.push_back(KeyRelease(Sys, Vk));
}

void AddKeyOfLayout(ISystemApi& Sys, std::vector<TKeyInput>& Keys, char C) {
  const auto Scan = static_cast<std::uint16_t>(Sys.ScanChar(C));
  const auto Vk = static_cast<std::uint8_t>(Scan & 0xFF);
  const auto ShiftState = static_cast<std::uint8_t>(Scan >> 8);
  // No key, or one that needs Ctrl or Alt (AltGr), which are not pressed here.
  if (Vk == 0xFF || ShiftState == 0xFF || (ShiftState & 0x06) != 0) return;
  const bool Shift = (ShiftState & 0x01) != 0;
  if (Shift) Keys.push_back(KeyPress(Sys, VkShift));
  AddTap(Sys, Keys, Vk);
  if (Shift) Keys.push_back(KeyRelease(Sys, VkShift));
}

}  // namespace

std::vector<TKeyInput> KeysOfText(ISystemApi& Sys, std::wstring_view Text) {
  std::vector<TKeyInput> Keys;
  if (IsNtPlatform(Sys)) {
    for (const wchar_t W : Text) AddUnicode(Keys, static_cast<std::uint16_t>(W));
    return Keys;
  }
  // Keys carry their shift state explicitly, so CapsLock must be off meanwhile.
  const bool Caps = (Sys.KeyState(VkCapital) & 1) != 0;
  if (Caps) AddTap(Sys, Keys, VkCapital);
  for (const wchar_t W : Text)
    if (const auto Ansi = Sys.UnicodeToAnsiChar(static_cast<std::uint16_t>(W))) AddKeyOfLayout(Sys, Keys, *Ansi);
  if (Caps) AddTap(Sys, Keys, VkCapital);
  return Keys;
}

TTyping TypeInto(ISystemApi& Sys, const TUserKeyWatch& Watch, TWindowHandle Window, std::wstring_view Text) {
  if (Text.empty()) return TTyping::tgTyped;
  const std::vector<TKeyInput> Keys = WithModifiersUp(Sys, Watch, KeysOfText(Sys, Text));
  if (Sys.ForegroundWindow() != Window) return TTyping::tgWindowChanged;
  return Sys.SendKeys(Keys) == Keys.size() ? TTyping::tgTyped : TTyping::tgIncomplete;
}

}  // namespace talvex
