#include "ui/Panel.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Button.h"

namespace talvex::ui {

namespace {

BYTE Between(BYTE From, BYTE To, LONG Row, LONG Rows) {
  return static_cast<BYTE>(From + (static_cast<LONG>(To) - From) * Row / std::max<LONG>(Rows - 1, 1));
}

}  // namespace

TGradientPanel::TGradientPanel(TWindow& Parent, TColor TopColour, TColor BottomColour)
    : Top(TopColour), Bottom(BottomColour) {
  RECT Client{};
  GetClientRect(Parent.Handle(), &Client);
  if (!Create(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, Client.right, Client.bottom, Parent.Handle()))
    throw std::runtime_error("a panel cannot be created");
}

void TGradientPanel::PaintBackground(HDC Dc, const RECT& Area) {
  RECT Client{};
  GetClientRect(Handle(), &Client);
  const COLORREF From = Top.Value();
  const COLORREF To = Bottom.Value();
  for (LONG Y = std::max<LONG>(Area.top, 0); Y < std::min(Area.bottom, Client.bottom); ++Y) {
    const COLORREF Row = RGB(Between(GetRValue(From), GetRValue(To), Y, Client.bottom),
                             Between(GetGValue(From), GetGValue(To), Y, Client.bottom),
                             Between(GetBValue(From), GetBValue(To), Y, Client.bottom));
    FillSolid(Dc, RECT{Area.left, Y, Area.right, Y + 1}, Row);
  }
}

LRESULT TGradientPanel::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  LRESULT Result = 0;
  if (TOwnerDrawButton::HandleParentMessage(Message, WParam, LParam, Result)) return Result;
  switch (Message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the gradient covers every pixel
    case WM_LBUTTONDOWN:
      if (OnMouseDown) OnMouseDown();
      return 0;
  }
  return Default(Message, WParam, LParam);
}

void TGradientPanel::OnPaint() {
  PAINTSTRUCT Paint;
  const HDC Dc = BeginPaint(Handle(), &Paint);
  PaintBackground(Dc, Paint.rcPaint);
  EndPaint(Handle(), &Paint);
}

}  // namespace talvex::ui
