// A top-level window of the program that the user sees: a borderless popup,
// centred on the screen when made, not visible until shown.
#pragma once

#include <functional>

#include "ui/Graphics.h"
#include "ui/Window.h"

namespace talvex::ui {

class TForm final : public TWindow {
 public:
  TForm(HWND Owner, const wchar_t* Text, int Width, int Height, UINT ClassStyle);

  // Constant transparency, when the system offers layered windows; opaque otherwise.
  void SetAlpha(BYTE Alpha);
  // The window's own font (WM_GETFONT); its controls have fonts of their own.
  void SetFont(const TFontStyle& Style);
  void SetSizingFrame(bool On);

  std::function<void()> OnDestroy;
  // A menu item chosen in a menu tracked with this window as its owner.
  std::function<void(UINT Command)> OnMenuCommand;
  // WM_HOTKEY, with the identifier of a hotkey registered on this window.
  std::function<void(WPARAM Id)> OnHotkey;

 private:
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;

  HFONT Font = nullptr;
};

}  // namespace talvex::ui
