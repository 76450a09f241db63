#include "ui/ApplicationWindow.h"

#include <stdexcept>

#include "ui/Form.h"

namespace talvex::ui {

TApplicationWindow::TApplicationWindow(const wchar_t* WindowCaption) : Caption(WindowCaption) {
  if (!Create(0, WindowCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, 0,
              ApplicationWindowClass))
    throw std::runtime_error("the application window cannot be created");
  TaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
}

void TApplicationWindow::RunMessageLoop() {
  MSG Msg;
  for (;;) {
    // Drain first: a quit posted before the loop started ends it at once.
    while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      if (Msg.message == WM_QUIT) {
        RethrowPendingException();
        return;
      }
      if (!TForm::TranslateKey(Msg)) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
      }
      RethrowPendingException();
      if (Closed) return;
    }
    // The typing's draining of the queue may have eaten the WM_QUIT.
    RethrowPendingException();
    if (Closed) return;
    WaitMessage();
  }
}

void TApplicationWindow::Destroy() {
  if (Handle()) DestroyWindow(Handle());
}

void TApplicationWindow::ShowMessage(std::wstring_view Text) const {
  const std::wstring Copy(Text);
  MessageBoxW(nullptr, Copy.c_str(), Caption.c_str(), MB_OK);
}

LRESULT TApplicationWindow::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case TrayCallbackMessage:
      if (TrayIcon) TrayIcon->OnCallback(LParam);
      return 0;
    case WM_CLOSE:
      if (OnCloseRequest)
        OnCloseRequest();
      else
        Close();
      return 0;  // destroyed after the loop, with the windows it owns
    case WM_QUERYENDSESSION:
      return TRUE;  // a running cycle gives everything back at WM_ENDSESSION, when the end is certain
    case WM_ENDSESSION:
      if (WParam && OnEndSession) OnEndSession();
      return 0;
    case WM_NCDESTROY:
      Close();
      break;
    default:
      if (Message == Instance.Message() && Message != 0) return Instance.OnMessage(LParam);
      if (Message == TaskbarCreatedMessage && Message != 0 && TrayIcon) TrayIcon->AddAgain();
      break;
  }
  return Default(Message, WParam, LParam);
}

void TApplicationWindow::Close() {
  if (TrayIcon) TrayIcon->Remove();
  Instance.Release();
  if (!Closed) PostQuitMessage(0);
  Closed = true;
}

}  // namespace talvex::ui
