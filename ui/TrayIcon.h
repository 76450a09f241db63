// The notification-area icon of the application window: the first version of
// the notification structure, the callback message 0xB008, a tooltip of at
// most 63 characters.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>
#include <string>

namespace talvex::ui {

inline constexpr UINT TrayCallbackMessage = 0xB008;
inline constexpr std::size_t TrayTooltipLength = 63;

class TTrayIcon {
 public:
  // Adds the icon; the owner window passes its callback messages to OnCallback.
  TTrayIcon(HWND Owner, HICON Icon, std::wstring Tooltip);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // Tells the shell only when the text changes.
  void SetTooltip(const std::wstring& Text);
  const std::wstring& Tooltip() const { return Text; }
  // Takes the icon out of the tray; later calls do nothing.
  void Remove();
  // Adds the icon again after the shell restarted (its "TaskbarCreated").
  void AddAgain();

  // The mouse message (WM_LBUTTONUP, WM_RBUTTONUP, ...) of each callback.
  std::function<void(UINT MouseMessage)> OnMouse;
  void OnCallback(LPARAM MouseMessage);

 private:
  bool Notify(DWORD Action);

  HWND Owner;
  HICON Icon;
  std::wstring Text;
  bool Shown = false;
  bool Removed = false;
};

}  // namespace talvex::ui
