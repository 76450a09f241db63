#include "TextInjection.h"

#include "KeyEvents.h"
#include "ModifierKeys.h"
#include "WinConstants.h"

namespace talvex {

namespace {

void TypeUnicode(ISystemApi& Sys, std::uint16_t Code) {
  Sys.SendUnicodeKey(Code, KeyEventUnicode);
  Sys.SendUnicodeKey(Code, KeyEventUnicode | KeyEventKeyUp);
}

void TypeKeyOfLayout(ISystemApi& Sys, char C) {
  const auto Scan = static_cast<std::uint16_t>(Sys.ScanChar(C));
  const auto Vk = static_cast<std::uint8_t>(Scan & 0xFF);
  const auto ShiftState = static_cast<std::uint8_t>(Scan >> 8);
  // No key, or one that needs Ctrl or Alt (AltGr), which are not pressed here.
  if (Vk == 0xFF || ShiftState == 0xFF || (ShiftState & 0x06) != 0) return;
  const bool Shift = (ShiftState & 0x01) != 0;
  if (Shift) KeyDown(Sys, VkShift);
  TapKey(Sys, Vk, 0);
  if (Shift) KeyUp(Sys, VkShift);
}

void TypeOnLayout(ISystemApi& Sys, std::wstring_view Text) {
  // Keys carry their shift state explicitly, so CapsLock must be off meanwhile.
  const bool Caps = (Sys.KeyState(VkCapital) & 1) != 0;
  if (Caps) TapKey(Sys, VkCapital, 0);
  for (const wchar_t W : Text)
    if (const auto Ansi = Sys.UnicodeToAnsiChar(static_cast<std::uint16_t>(W))) TypeKeyOfLayout(Sys, *Ansi);
  if (Caps) TapKey(Sys, VkCapital, 0);
}

}  // namespace

void TypeWideText(ISystemApi& Sys, std::wstring_view Text) {
  if (Text.empty()) return;
  const TModifiersReleased Modifiers(Sys);
  ProcessPendingMessages(Sys);
  if (IsNtPlatform(Sys)) {
    for (const wchar_t W : Text) TypeUnicode(Sys, static_cast<std::uint16_t>(W));
  } else {
    TypeOnLayout(Sys, Text);
  }
}

}  // namespace talvex
