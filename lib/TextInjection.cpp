#include "TextInjection.h"

#include "KeyEvents.h"
#include "WinConstants.h"

namespace talvex {

namespace {

struct THeldModifiers {
  bool LShift = false, RShift = false, LCtrl = false, RCtrl = false, LAlt = false, RAlt = false;
};

THeldModifiers ReleaseModifiers(ISystemApi& Sys, bool Nt) {
  THeldModifiers Held;
  if (Nt) {
    Held.LShift = ReleaseIfDown(Sys, VkLShift);
    Held.RShift = ReleaseIfDownExt(Sys, VkRShift);
    Held.LCtrl = ReleaseIfDown(Sys, VkLControl);
    Held.RCtrl = ReleaseIfDownExt(Sys, VkRControl);
    Held.LAlt = ReleaseIfDown(Sys, VkLMenu);
    Held.RAlt = ReleaseIfDownExt(Sys, VkRMenu);
  } else {
    Held.LCtrl = ReleaseIfDown(Sys, VkControl);
    Held.LAlt = ReleaseIfDown(Sys, VkMenu);
    Held.LShift = ReleaseIfDown(Sys, VkShift);
  }
  return Held;
}

// The left-hand codes serve both platforms: Windows 95 maps them to the generic keys.
void PressAgain(ISystemApi& Sys, const THeldModifiers& Held) {
  if (Held.LCtrl) KeyDown(Sys, VkLControl);
  if (Held.RCtrl) KeyDownExt(Sys, VkRControl);
  if (Held.LAlt) KeyDown(Sys, VkLMenu);
  if (Held.RAlt) KeyDownExt(Sys, VkRMenu);
  if (Held.LShift) KeyDown(Sys, VkLShift);
  if (Held.RShift) KeyDownExt(Sys, VkRShift);
}

void TypeUnicode(ISystemApi& Sys, char C) {
  if (const auto Code = Sys.AnsiCharToUnicode(C)) {
    Sys.SendUnicodeKey(*Code, KeyEventUnicode);
    Sys.SendUnicodeKey(*Code, KeyEventUnicode | KeyEventKeyUp);
  }
}

void TypeChar(ISystemApi& Sys, char C, bool Nt) {
  const auto Scan = static_cast<std::uint16_t>(Sys.ScanChar(C));
  const auto Vk = static_cast<std::uint8_t>(Scan & 0xFF);
  const auto ShiftState = static_cast<std::uint8_t>(Scan >> 8);
  const bool NoKey = Vk == 0xFF || ShiftState == 0xFF;
  // Ctrl and Alt (AltGr) are not pressed with the key: on NT such a
  // character goes as Unicode rather than as the wrong plain key.
  const bool NeedsCtrlOrAlt = !NoKey && (ShiftState & 0x06) != 0;
  if (Nt && (NoKey || NeedsCtrlOrAlt)) {
    TypeUnicode(Sys, C);
    return;
  }
  if (NoKey) return;
  const bool Shift = (ShiftState & 0x01) != 0;
  if (Shift) KeyDown(Sys, VkShift);
  TapKey(Sys, Vk, 0);
  if (Shift) KeyUp(Sys, VkShift);
}

// The shared frame of both entries: held modifiers and CapsLock out of the
// way around the characters, the queue drained before the first key.
template <class TTypeAll>
void TypeFramed(ISystemApi& Sys, TTypeAll TypeAll) {
  const bool Nt = IsNtPlatform(Sys);
  const THeldModifiers Held = ReleaseModifiers(Sys, Nt);
  ProcessPendingMessages(Sys);
  // Keys carry their shift state explicitly, so CapsLock must be off meanwhile.
  const bool Caps = (Sys.KeyState(VkCapital) & 1) != 0;
  if (Caps) TapKey(Sys, VkCapital, 0);
  TypeAll(Nt);
  if (Caps) TapKey(Sys, VkCapital, 0);
  PressAgain(Sys, Held);
}

}  // namespace

void TypeText(ISystemApi& Sys, std::string_view Text) {
  if (Text.empty()) return;
  TypeFramed(Sys, [&](bool Nt) {
    for (const char C : Text) TypeChar(Sys, C, Nt);
  });
}

void TypeWideText(ISystemApi& Sys, std::wstring_view Text) {
  if (Text.empty()) return;
  TypeFramed(Sys, [&](bool Nt) {
    for (const wchar_t W : Text) {
      const auto Code = static_cast<std::uint16_t>(W);
      if (const auto Ansi = Sys.UnicodeToAnsiChar(Code)) {
        TypeChar(Sys, *Ansi, Nt);
      } else if (Nt) {
        Sys.SendUnicodeKey(Code, KeyEventUnicode);
        Sys.SendUnicodeKey(Code, KeyEventUnicode | KeyEventKeyUp);
      }
    }
  });
}

}  // namespace talvex
