#include "ui/Label.h"

#include <stdexcept>

namespace talvex::ui {

TLabel::TLabel(TWindow& ParentWindow, const wchar_t* LabelText, int X, int Y, int Width, int Height)
    : Transparent(ParentWindow.IsTransparent()), Parent(ParentWindow), Text(LabelText) {
  if (!Create(0, LabelText, WS_CHILD | WS_VISIBLE, X, Y, Width, Height, Parent.Handle()))
    throw std::runtime_error("a label cannot be created");
}

LRESULT TLabel::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FontOf(Font, Dpi));
    case WM_SETCURSOR:
      if (Cursor && LOWORD(LParam) == HTCLIENT) {
        SetCursor(Cursor);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      Pressed = true;
      if (OnMouseDown) OnMouseDown();
      return 0;
    case WM_LBUTTONUP:
      if (Pressed && OnClick) {
        Pressed = false;
        OnClick();
      }
      Pressed = false;
      return 0;
  }
  return Default(Message, WParam, LParam);
}

void TLabel::OnPaint() {
  PAINTSTRUCT Paint;
  const HDC Dc = BeginPaint(Handle(), &Paint);
  RECT Client{};
  GetClientRect(Handle(), &Client);
  if (Transparent)
    PaintParentUnder(Handle(), Parent, Dc, Client);
  else
    FillSolid(Dc, Client, Background.Value());
  const HGDIOBJ OldFont = SelectObject(Dc, FontOf(Font, Dpi));
  SetBkMode(Dc, TRANSPARENT);
  SetTextColor(Dc, TextColor.Value());
  DrawTextW(Dc, Text.c_str(), static_cast<int>(Text.size()), &Client, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(Dc, OldFont);
  EndPaint(Handle(), &Paint);
}

}  // namespace talvex::ui
