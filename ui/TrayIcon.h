// The notification-area icon of the application window: the callback message
// 0xB008, the tooltip, and the balloon where the shell has them. The first
// layout of the notification structure (a tooltip of 63 characters) suits
// every shell; the larger one of shell 5.0 holds 127 and a balloon.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace talvex::ui {

inline constexpr UINT TrayCallbackMessage = 0xB008;

// Major and minor version of the shell (shell32's DllGetVersion, looked up at
// run time); nothing when it does not tell.
std::optional<std::pair<unsigned, unsigned>> ShellVersion();

class TTrayIcon {
 public:
  // Adds the icon; the owner window passes its callback messages to OnCallback.
  // LargerLayout: the shell takes the structure of shell 5.0.
  TTrayIcon(HWND Owner, HICON Icon, std::wstring Tooltip, bool LargerLayout);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // Tells the shell only when the text changes; the text is cut to the layout's limit.
  void SetTooltip(const std::wstring& Text);
  const std::wstring& Tooltip() const { return Text; }
  // An error balloon (its icon, no sound of its own when Silent); nothing in the first layout.
  void ShowBalloon(const std::wstring& Title, const std::wstring& Message, bool Silent);
  // Takes the icon out of the tray; later calls do nothing.
  void Remove();
  // Adds the icon again after the shell restarted (its "TaskbarCreated").
  void AddAgain();

  // The mouse message (WM_LBUTTONUP, WM_RBUTTONUP, ...) of each callback.
  std::function<void(UINT MouseMessage)> OnMouse;
  void OnCallback(LPARAM MouseMessage);

 private:
  NOTIFYICONDATAW Data(UINT Flags) const;
  bool Notify(DWORD Action, NOTIFYICONDATAW& Data);

  HWND Owner;
  HICON Icon;
  std::wstring Text;
  bool Larger;
  bool Shown = false;
  bool Removed = false;
};

}  // namespace talvex::ui
