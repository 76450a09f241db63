#include "ui/Form.h"

#include <stdexcept>

#include "ui/Dpi.h"

namespace talvex::ui {

namespace {

using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up by name: Windows 95, 98 and NT 4 have no layered windows.
TSetLayeredWindowAttributes SetLayeredAttributesEntry() {
  static const auto Entry = reinterpret_cast<TSetLayeredWindowAttributes>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
  return Entry;
}

POINT CentredOnWorkArea(int Width, int Height) {
  RECT Work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &Work, 0);
  return {Work.left + (Work.right - Work.left - Width) / 2, Work.top + (Work.bottom - Work.top - Height) / 2};
}

}  // namespace

TForm::TForm(HWND Owner, const wchar_t* Text, int Width, int Height, UINT ClassStyle) {
  const POINT At = CentredOnWorkArea(Width, Height);
  if (!Create(0, Text, WS_POPUP | WS_CLIPCHILDREN, At.x, At.y, Width, Height, Owner, ClassStyle))
    throw std::runtime_error("a window cannot be created");
}

void TForm::SetAlpha(BYTE Alpha) {
  const TSetLayeredWindowAttributes SetAttributes = SetLayeredAttributesEntry();
  if (!SetAttributes) return;
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, GetWindowLongPtrW(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
  SetAttributes(Handle(), 0, Alpha, LWA_ALPHA);
}

void TForm::SetFont(const TFontStyle& Style, UINT Dpi) { Font = FontOf(Style, Dpi); }

bool TForm::TranslateKey(const MSG& Msg) {
  if (Msg.message != WM_KEYDOWN || !Msg.hwnd) return false;
  // The controls include the system's buttons, which would keep the key.
  auto* Form = dynamic_cast<TForm*>(TWindow::FromHandle(GetAncestor(Msg.hwnd, GA_ROOT)));
  return Form && Form->OnKey && Form->OnKey(static_cast<UINT>(Msg.wParam));
}

void TForm::SetSizingFrame(bool On) {
  LONG_PTR Style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  Style = On ? Style | WS_THICKFRAME : Style & ~static_cast<LONG_PTR>(WS_THICKFRAME);
  SetWindowLongPtrW(Handle(), GWL_STYLE, Style);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TForm::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_CLOSE:
      if (OnCloseRequest) {
        OnCloseRequest();
        return 0;
      }
      break;
    case WM_TIMER:
      if (OnTimer) {
        OnTimer(WParam);
        return 0;
      }
      break;
    case WM_HOTKEY:
      if (OnHotkey) {
        OnHotkey(WParam);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the panel covers the whole client area
    case WM_SETFONT:
      Font = reinterpret_cast<HFONT>(WParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(Font);
    case WM_DESTROY:
      if (OnDestroy) OnDestroy();
      return 0;
    case DpiChangedMessage:
      if (OnDpiChanged) {
        OnDpiChanged(HIWORD(WParam), *reinterpret_cast<const RECT*>(LParam));
        return 0;
      }
      break;
  }
  return Default(Message, WParam, LParam);
}

}  // namespace talvex::ui
