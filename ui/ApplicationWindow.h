// The hidden application window: it carries the message loop, the tray icon
// and the single-instance check; message boxes take its caption.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/SingleInstance.h"
#include "ui/TrayIcon.h"
#include "ui/Window.h"

namespace talvex::ui {

inline constexpr const wchar_t* ApplicationWindowClass = L"Talvex.Application";

class TApplicationWindow final : public TWindow {
 public:
  // Created not visible.
  explicit TApplicationWindow(const wchar_t* Caption);

  bool CheckSingleInstance(const char* Id) { return Instance.Check(Handle(), Id); }
  // The icon whose callbacks this window passes on and which it removes when closed.
  void SetTrayIcon(TTrayIcon* Icon) { TrayIcon = Icon; }

  // Waits for messages and dispatches them until WM_QUIT, or until this
  // window has been closed, even if a WM_QUIT was lost on the way.
  void RunMessageLoop();
  // What WM_CLOSE does: the tray icon goes, the instance is released and the loop ends.
  void Close();
  // Set, WM_CLOSE calls it instead of closing: the handler closes when it may.
  std::function<void()> OnCloseRequest;
  // WM_ENDSESSION that ends the session: the process may end at any moment
  // after the handler returns.
  std::function<void()> OnEndSession;
  // Destroys this window and the windows it owns.
  void Destroy();

  // No owner, this window's caption, the OK button, no icon.
  void ShowMessage(std::wstring_view Text) const;

 private:
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;

  std::wstring Caption;
  TSingleInstance Instance;
  TTrayIcon* TrayIcon = nullptr;
  UINT TaskbarCreatedMessage = 0;
  bool Closed = false;
};

}  // namespace talvex::ui
