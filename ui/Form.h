// A top-level window of the program that the user sees: a borderless popup,
// centred on the screen when made, not visible until shown, told when the
// scale of its monitor changes and offered the keys pressed in it.
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
  // The window's own font (WM_GETFONT) at the scale Dpi; its controls have fonts of their own.
  void SetFont(const TFontStyle& Style, UINT Dpi);
  void SetSizingFrame(bool On);

  std::function<void()> OnDestroy;
  // WM_CLOSE, from whoever sends it: the window is not destroyed then, the
  // handler decides what closing means.
  std::function<void()> OnCloseRequest;
  // WM_TIMER of a timer set on this window.
  std::function<void(UINT_PTR Id)> OnTimer;
  // The monitor's scale changed, or the window moved to a monitor of another
  // scale; the system suggests a place in screen coordinates.
  std::function<void(UINT Dpi, const RECT& Suggested)> OnDpiChanged;
  // A key pressed in the window or in one of its controls (a virtual-key
  // code); true when it was used, and then nothing else sees it.
  std::function<bool(UINT Key)> OnKey;

  // For the message loop, before a message is dispatched: hands a key press
  // to the form it was pressed in. True when the form used it.
  static bool TranslateKey(const MSG& Msg);
  // WM_HOTKEY, with the identifier of a hotkey registered on this window.
  std::function<void(WPARAM Id)> OnHotkey;

 private:
  LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) override;

  HFONT Font = nullptr;
};

}  // namespace talvex::ui
