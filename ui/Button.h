// A push button that the layer draws itself, in the text colour it is given.
// Its parent passes WM_DRAWITEM and WM_COMMAND on through HandleParentMessage.
#pragma once

#include <functional>
#include <string>

#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/Window.h"

namespace talvex::ui {

class TOwnerDrawButton {
 public:
  TOwnerDrawButton(TWindow& Parent, const wchar_t* Text, int X, int Y, int Width, int Height);
  ~TOwnerDrawButton();
  TOwnerDrawButton(const TOwnerDrawButton&) = delete;
  TOwnerDrawButton& operator=(const TOwnerDrawButton&) = delete;

  HWND Handle() const { return Button; }

  TColor TextColor = Black;
  TColor Background = ButtonFace;
  // From the parent when made: the face shows the parent's picture.
  bool Transparent = false;
  TFontStyle Font;
  std::function<void()> OnClick;

  // Draws the font at Dpi from now on; the button reports it (WM_GETFONT).
  void SetDpi(UINT NewDpi);

  // True when the message was a button's drawing or click, with its result.
  static bool HandleParentMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result);

 private:
  void Draw(const DRAWITEMSTRUCT& Item) const;
  static TOwnerDrawButton* FromHandle(HWND Window);

  TWindow& Parent;
  HWND Button = nullptr;
  std::wstring Text;
  UINT Dpi = DefaultDpi;
};

}  // namespace talvex::ui
