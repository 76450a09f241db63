// A panel that fills its parent's client area with a vertical gradient, one
// row of pixels at a time, and hosts the owner-drawn buttons and labels.
#pragma once

#include <functional>

#include "ui/Graphics.h"
#include "ui/Window.h"

namespace talvex::ui {

class TGradientPanel final : public TWindow {
 public:
  TGradientPanel(TWindow& Parent, TColor Top, TColor Bottom);

  std::function<void()> OnMouseDown;
  bool Transparent = false;

  void PaintBackground(HDC Dc, const RECT& Area) override;
  bool IsTransparent() const override { return Transparent; }

 private:
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;
  void OnPaint();

  TColor Top;
  TColor Bottom;
};

}  // namespace talvex::ui
