#include "ui/Button.h"

#include <stdexcept>

namespace talvex::ui {

namespace {

// Marks the system's BUTTON windows that belong to a TOwnerDrawButton.
constexpr const wchar_t* OwnerProperty = L"Talvex.Button";

}  // namespace

TOwnerDrawButton::TOwnerDrawButton(TWindow& ParentWindow, const wchar_t* ButtonText, int X, int Y, int Width,
                                   int Height)
    : Transparent(ParentWindow.IsTransparent()), Parent(ParentWindow), Text(ButtonText) {
  Button =
      CreateWindowExW(0, L"BUTTON", ButtonText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW, X,
                      Y, Width, Height, ParentWindow.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!Button) throw std::runtime_error("a button cannot be created");
  SetPropW(Button, OwnerProperty, this);
}

TOwnerDrawButton::~TOwnerDrawButton() {
  if (IsWindow(Button)) {
    RemovePropW(Button, OwnerProperty);
    DestroyWindow(Button);
  }
}

void TOwnerDrawButton::SetDpi(UINT NewDpi) {
  Dpi = NewDpi;
  SendMessageW(Button, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(Font, Dpi)), FALSE);
}

TOwnerDrawButton* TOwnerDrawButton::FromHandle(HWND Window) {
  return Window ? static_cast<TOwnerDrawButton*>(GetPropW(Window, OwnerProperty)) : nullptr;
}

bool TOwnerDrawButton::HandleParentMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  if (Message == WM_DRAWITEM) {
    const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(LParam);
    TOwnerDrawButton* Self = Item && Item->CtlType == ODT_BUTTON ? FromHandle(Item->hwndItem) : nullptr;
    if (!Self) return false;
    Self->Draw(*Item);
    Result = TRUE;
    return true;
  }
  if (Message == WM_COMMAND && HIWORD(WParam) == BN_CLICKED) {
    TOwnerDrawButton* Self = FromHandle(reinterpret_cast<HWND>(LParam));
    if (!Self) return false;
    if (Self->OnClick) Self->OnClick();
    Result = 0;
    return true;
  }
  return false;
}

void TOwnerDrawButton::Draw(const DRAWITEMSTRUCT& Item) const {
  RECT Area = Item.rcItem;
  const bool Down = (Item.itemState & ODS_SELECTED) != 0;
  if (Transparent)
    PaintParentUnder(Item.hwndItem, Parent, Item.hDC, Area);
  else
    FillSolid(Item.hDC, Area, Background.Value());
  DrawEdge(Item.hDC, &Area, Down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  RECT TextArea = Area;
  if (Down) OffsetRect(&TextArea, 1, 1);
  const HGDIOBJ OldFont = SelectObject(Item.hDC, FontOf(Font, Dpi));
  SetBkMode(Item.hDC, TRANSPARENT);
  SetTextColor(Item.hDC, TextColor.Value());
  DrawTextW(Item.hDC, Text.c_str(), static_cast<int>(Text.size()), &TextArea,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(Item.hDC, OldFont);
  if (Item.itemState & ODS_FOCUS) {
    RECT Focus = Area;
    InflateRect(&Focus, -4, -4);
    DrawFocusRect(Item.hDC, &Focus);
  }
}

}  // namespace talvex::ui
