#include "ui/Dpi.h"

namespace talvex::ui {

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int Type, UINT* X, UINT* Y);

constexpr int EffectiveDpi = 0;                     // MDT_EFFECTIVE_DPI
constexpr DWORD SearchSystem32 = 0x00000800;        // LOAD_LIBRARY_SEARCH_SYSTEM32

template <typename TEntry>
TEntry EntryOf(HMODULE Module, const char* Name) {
  return Module ? reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(Module, Name))) : nullptr;
}

TGetDpiForMonitor DpiForMonitorEntry() {
  // From System32 only: never a shcore.dll lying next to the program. Before
  // Windows 8 the flag is refused, and shcore.dll does not exist there anyway.
  static const TGetDpiForMonitor Entry =
      EntryOf<TGetDpiForMonitor>(LoadLibraryExW(L"shcore.dll", nullptr, SearchSystem32), "GetDpiForMonitor");
  return Entry;
}

}  // namespace

UINT SystemDpi() {
  const HDC Screen = GetDC(nullptr);
  const int Dpi = Screen ? GetDeviceCaps(Screen, LOGPIXELSY) : 0;
  if (Screen) ReleaseDC(nullptr, Screen);
  return Dpi > 0 ? static_cast<UINT>(Dpi) : DefaultDpi;
}

UINT DpiOfWindow(HWND Window) {
  static const auto ForWindow = EntryOf<TGetDpiForWindow>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  if (ForWindow)
    if (const UINT Dpi = ForWindow(Window)) return Dpi;
  if (const TGetDpiForMonitor ForMonitor = DpiForMonitorEntry()) {
    UINT X = 0, Y = 0;
    if (SUCCEEDED(ForMonitor(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), EffectiveDpi, &X, &Y)) && Y != 0)
      return Y;
  }
  return SystemDpi();
}

}  // namespace talvex::ui
