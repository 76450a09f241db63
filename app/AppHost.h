// What the portable parts of the program ask of the program around them: the
// global atoms, hotkeys and timer of the hotkey window, the tray tooltip and
// balloon, the error beep, message boxes and the user's settings file. The
// program answers with Win32 calls; the tests answer with a recording fake.
#pragma once

#include <cstdint>
#include <optional>
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

  // The tray icon takes as much of each text as its layout holds.
  virtual void SetTooltip(const std::wstring& Text) = 0;
  // A balloon of the tray icon, titled "Talvex", where the system shows them.
  virtual void ShowBalloon(const std::wstring& Text) = 0;
  virtual void ErrorBeep() = 0;  // MessageBeep (MB_ICONHAND)
  virtual void ShowMessage(const std::wstring& Text) = 0;

  // A timer of the hotkey window: the cycle's OnTimer every Milliseconds,
  // until stopped. Starting it again while it runs changes nothing else.
  virtual void StartTimer(std::uint32_t Milliseconds) = 0;
  virtual void StopTimer() = 0;
  // The hotkey window's handle, to bring it in front for a moment.
  virtual std::uintptr_t HotkeyWindow() = 0;

  // The settings file under the user's application-data folder: its bytes,
  // or nothing when there is none or it cannot be read.
  virtual std::optional<std::string> ReadSettings() = 0;
  // Replaces the file's whole content; false when it could not be written.
  virtual bool WriteSettings(const std::string& Text) = 0;
  // Where the file lies, for the user; empty when the folder is unknown.
  virtual std::wstring SettingsPath() = 0;
};

}  // namespace talvex
