// What the hotkey cycle asks of the program around it: the global atoms and
// hotkeys of the hotkey window, the tray tooltip, the error beep and message
// boxes. The program answers with Win32 calls; the
// tests answer with a recording fake.
#pragma once

#include <cstdint>
#include <string>

namespace talvex {

using THotkeyId = std::uint16_t;

class IAppHost {
 public:
  virtual ~IAppHost() = default;

  virtual THotkeyId AddGlobalAtom(const char* Name) = 0;  // GlobalAddAtomA
  virtual void DeleteGlobalAtom(THotkeyId Atom) = 0;      // GlobalDeleteAtom
  // RegisterHotKey and UnregisterHotKey on the hotkey window.
  virtual bool RegisterHotkey(THotkeyId Id, std::uint32_t Modifiers, std::uint8_t Vk) = 0;
  virtual void UnregisterHotkey(THotkeyId Id) = 0;

  virtual void SetTooltip(const std::wstring& Text) = 0;
  virtual void ErrorBeep() = 0;  // MessageBeep (MB_ICONHAND)
  virtual void ShowMessage(const std::wstring& Text) = 0;
};

}  // namespace talvex
