// A line of text on its parent: its own background colour, or, when marked
// transparent, none (the parent's picture shows through); its font and
// colour, a cursor of its own, and mouse handlers.
#pragma once

#include <functional>
#include <string>

#include "ui/Dpi.h"
#include "ui/Graphics.h"
#include "ui/Window.h"

namespace talvex::ui {

class TLabel final : public TWindow {
 public:
  TLabel(TWindow& Parent, const wchar_t* Text, int X, int Y, int Width, int Height);

  static constexpr TColor DefaultBackground = ButtonFace;

  TColor TextColor = Black;
  TColor Background = DefaultBackground;
  // From the parent when made: see TWindow::IsTransparent.
  bool Transparent = false;
  TFontStyle Font;
  UINT Dpi = DefaultDpi;     // the scale the font is drawn at
  HCURSOR Cursor = nullptr;  // the class's arrow when none

  std::function<void()> OnMouseDown;
  // A press and release of the left button over the label.
  std::function<void()> OnClick;

 private:
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;
  void OnPaint();

  TWindow& Parent;
  std::wstring Text;
  bool Pressed = false;
};

}  // namespace talvex::ui
