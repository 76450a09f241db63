#include "ui/Window.h"

#include <set>
#include <string>
#include <utility>

namespace talvex::ui {

namespace {

std::exception_ptr PendingException;

const wchar_t* ClassFor(UINT ClassStyle, const wchar_t* ClassName, WNDPROC Procedure) {
  static std::set<std::wstring> Registered;
  std::wstring Name = ClassName ? std::wstring(ClassName) : L"Talvex.Window." + std::to_wstring(ClassStyle);
  const auto Found = Registered.find(Name);
  if (Found != Registered.end()) return Found->c_str();
  WNDCLASSEXW Class{};
  Class.cbSize = sizeof Class;
  Class.style = ClassStyle;
  Class.lpfnWndProc = Procedure;
  Class.hInstance = GetModuleHandleW(nullptr);
  Class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  Class.lpszClassName = Name.c_str();
  if (!RegisterClassExW(&Class)) return nullptr;
  return Registered.insert(std::move(Name)).first->c_str();
}

}  // namespace

bool HasPendingException() { return PendingException != nullptr; }

void RethrowPendingException() {
  if (!PendingException) return;
  std::exception_ptr E = std::exchange(PendingException, nullptr);
  std::rethrow_exception(E);
}

TWindow::~TWindow() {
  if (Window) {
    SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
    DestroyWindow(Window);
  }
}

TWindow* TWindow::FromHandle(HWND Handle) {
  if (!Handle || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Handle, GWLP_WNDPROC)) != WindowProc) return nullptr;
  return reinterpret_cast<TWindow*>(GetWindowLongPtrW(Handle, GWLP_USERDATA));
}

void TWindow::PaintBackground(HDC, const RECT&) {}

void PaintParentUnder(HWND Child, TWindow& Parent, HDC Dc, const RECT& Area) {
  RECT InParent = Area;
  MapWindowPoints(Child, Parent.Handle(), reinterpret_cast<POINT*>(&InParent), 2);
  // The parent paints in its own coordinates: shift them onto the child's.
  POINT Origin{};
  OffsetViewportOrgEx(Dc, Area.left - InParent.left, Area.top - InParent.top, &Origin);
  Parent.PaintBackground(Dc, InParent);
  SetViewportOrgEx(Dc, Origin.x, Origin.y, nullptr);
}

bool TWindow::Create(DWORD ExStyle, const wchar_t* Text, DWORD Style, int X, int Y, int Width, int Height,
                     HWND Parent, UINT ClassStyle, const wchar_t* ClassName) {
  const wchar_t* Class = ClassFor(ClassStyle, ClassName, WindowProc);
  if (!Class) return false;
  CreateWindowExW(ExStyle, Class, Text, Style, X, Y, Width, Height, Parent, nullptr, GetModuleHandleW(nullptr), this);
  return Window != nullptr;
}

LRESULT TWindow::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam) {
  return Default(Message, WParam, LParam);
}

LRESULT TWindow::Default(UINT Message, WPARAM WParam, LPARAM LParam) {
  return DefWindowProcW(Window, Message, WParam, LParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND Hwnd, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_NCCREATE) {
    auto* Self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams);
    Self->Window = Hwnd;
    SetWindowLongPtrW(Hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Self));
  }
  auto* Self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(Hwnd, GWLP_USERDATA));
  if (!Self) return DefWindowProcW(Hwnd, Message, WParam, LParam);
  LRESULT Result = 0;
  try {
    Result = Self->HandleMessage(Message, WParam, LParam);
  } catch (...) {
    if (!PendingException) PendingException = std::current_exception();
    PostQuitMessage(1);
  }
  if (Message == WM_NCDESTROY) {
    SetWindowLongPtrW(Hwnd, GWLP_USERDATA, 0);
    Self->Window = nullptr;
  }
  return Result;
}

}  // namespace talvex::ui
