// The base of every window of the layer: one window class per class style,
// one window procedure that hands each message to the window object's own
// HandleMessage.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <exception>

namespace talvex::ui {

// An exception cannot unwind through the system's frames around a window
// procedure: the procedure keeps it here, ends the message loop, and the loop
// raises it again once it has returned.
bool HasPendingException();
void RethrowPendingException();

class TWindow;

// Has Parent paint its own picture under Area of Child (child coordinates) into Dc.
void PaintParentUnder(HWND Child, TWindow& Parent, HDC Dc, const RECT& Area);

class TWindow {
 public:
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return Window; }
  // The layer's object of a window, or null for a window of another kind.
  static TWindow* FromHandle(HWND Window);

  // Paints what this window shows at Area (its own client coordinates) into
  // Dc, for a child that has no background of its own.
  virtual void PaintBackground(HDC Dc, const RECT& Area);
  // A transparent window passes its transparency on to the controls made on
  // it: they show its picture instead of a background colour of their own.
  virtual bool IsTransparent() const { return false; }

 protected:
  TWindow() = default;

  // Creates the window, of the layer's class for ClassStyle unless a class
  // name of its own is given; false when the system refuses.
  bool Create(DWORD ExStyle, const wchar_t* Text, DWORD Style, int X, int Y, int Width, int Height, HWND Parent,
              UINT ClassStyle = 0, const wchar_t* ClassName = nullptr);
  virtual LRESULT HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam);
  LRESULT Default(UINT Message, WPARAM WParam, LPARAM LParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND Hwnd, UINT Message, WPARAM WParam, LPARAM LParam);

  HWND Window = nullptr;
};

}  // namespace talvex::ui
