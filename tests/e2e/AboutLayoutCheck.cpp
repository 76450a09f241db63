// Builds the program's about window at the scale the system reports (the
// Wine prefix's LogPixels), as Talvex.exe builds it, and checks that every
// label's and button's text fits inside the part of its control that shows,
// and that the links' hand cursor has the size of a cursor at that scale.
// Then it tells the window, as Windows does when it moves to a monitor of
// another scale (Wine never does), that its scale is now MOVED_DPI, and
// checks the same again. Its exit status is the number of failed checks.
//   e2e_about_layout.exe EXPECTED_DPI MOVED_DPI
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "AppSession.h"
#include "app/AboutWindow.h"
#include "ui/Dpi.h"

namespace talvex::e2e {
namespace {

constexpr int ButtonEdge = 2;  // DrawEdge's raised border, on each side

std::string Size(int Width, int Height) { return std::to_string(Width) + "x" + std::to_string(Height); }

struct TFit {
  HWND Window;
  UINT Dpi;
};

// One control: its text in its own font against what shows of it.
void CheckFits(HWND Control, const TFit& Context) {
  wchar_t Buffer[256] = {};
  const int Length = GetWindowTextW(Control, Buffer, 256);
  if (Length == 0) return;  // the panel
  const std::wstring Text(Buffer, static_cast<std::size_t>(Length));
  wchar_t Class[32] = {};
  GetClassNameW(Control, Class, 32);
  const bool Button = _wcsicmp(Class, L"Button") == 0;

  RECT Shown{}, Place{}, Window{};
  GetWindowRect(Control, &Place);
  GetWindowRect(Context.Window, &Window);
  IntersectRect(&Shown, &Place, &Window);
  const int Inset = Button ? 2 * ButtonEdge : 0;
  const int Width = Shown.right - Shown.left - Inset;
  const int Height = Shown.bottom - Shown.top - Inset;

  const auto Font = reinterpret_cast<HFONT>(SendMessageW(Control, WM_GETFONT, 0, 0));
  const HDC Dc = GetDC(Control);
  const HGDIOBJ Old = SelectObject(Dc, Font);
  SIZE Extent{};
  GetTextExtentPoint32W(Dc, Text.c_str(), Length, &Extent);
  TEXTMETRICW Metrics{};
  GetTextMetricsW(Dc, &Metrics);
  SelectObject(Dc, Old);
  ReleaseDC(Control, Dc);

  Check(Font && Extent.cx <= Width && Metrics.tmHeight <= Height,
        std::to_string(Context.Dpi) + " dpi: \"" + Utf8(Text) + "\" " + Size(Extent.cx, Metrics.tmHeight) +
            " px in the " + Size(Width, Height) + " that show" + (Font ? "" : " (the control reports no font)"));
}

// The cursor a control sets when the mouse is over it, if not the arrow.
HCURSOR HandOf(HWND Control) {
  SetCursor(nullptr);
  SendMessageW(Control, WM_SETCURSOR, reinterpret_cast<WPARAM>(Control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  const HCURSOR Cursor = GetCursor();
  return Cursor != LoadCursorW(nullptr, IDC_ARROW) ? Cursor : nullptr;
}

int HeightOf(HCURSOR Cursor) {
  ICONINFO Info{};
  if (!GetIconInfo(Cursor, &Info)) return 0;
  BITMAP Mask{};
  GetObjectW(Info.hbmMask, sizeof Mask, &Mask);
  DeleteObject(Info.hbmMask);
  if (Info.hbmColor) DeleteObject(Info.hbmColor);
  // A monochrome cursor's mask holds its AND and XOR halves.
  return Info.hbmColor ? Mask.bmHeight : Mask.bmHeight / 2;
}

struct TPass {
  TFit Fit;
  int Hands = 0;
};

BOOL CALLBACK CheckChild(HWND Child, LPARAM Param) {
  auto* Pass = reinterpret_cast<TPass*>(Param);
  CheckFits(Child, Pass->Fit);
  if (const HCURSOR Hand = HandOf(Child)) {
    ++Pass->Hands;
    const int Expected = MulDiv(32, static_cast<int>(Pass->Fit.Dpi), 96);
    Check(HeightOf(Hand) == Expected, std::to_string(Pass->Fit.Dpi) + " dpi: a link's hand cursor is " +
                                          std::to_string(HeightOf(Hand)) + " px, 32 scaled");
  }
  return TRUE;
}

void CheckWindow(HWND About, UINT Dpi, const TBox& Expected, const std::string& Place) {
  RECT Window{};
  GetWindowRect(About, &Window);
  const TBox Box{Window.left, Window.top, Window.right - Window.left, Window.bottom - Window.top};
  Check(Box == Expected, "the window is " + Size(Box.Width, Box.Height) + " px at " + std::to_string(Box.Left) + "," +
                             std::to_string(Box.Top) + ", " + Place);
  TPass Pass{{About, Dpi}};
  EnumChildWindows(About, CheckChild, reinterpret_cast<LPARAM>(&Pass));
  Check(Pass.Hands == 2, "both links show the hand cursor (" + std::to_string(Pass.Hands) + " controls do)");
}

int Run(UINT ExpectedDpi, UINT MovedDpi) {
  TAboutWindow About(nullptr);
  const UINT Dpi = ui::DpiOfWindow(About.Handle());
  Check(Dpi == ExpectedDpi, "the window's scale is the prefix's " + std::to_string(ExpectedDpi) + " dpi (it is " +
                                std::to_string(Dpi) + ")");
  ShowWindow(About.Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(About.Handle());
  RECT Window{};
  GetWindowRect(About.Handle(), &Window);
  TBox Expected = AboutWindowSize(Dpi);
  Expected.Left = Window.left;
  Expected.Top = Window.top;
  CheckWindow(About.Handle(), Dpi, Expected, "364x181 scaled");

  // The place Windows would suggest on the other monitor, a little off the old one.
  Expected = AboutWindowSize(MovedDpi);
  Expected.Left = Window.left + 40;
  Expected.Top = Window.top + 30;
  RECT Suggested{Expected.Left, Expected.Top, Expected.Left + Expected.Width, Expected.Top + Expected.Height};
  SendMessageW(About.Handle(), ui::DpiChangedMessage, MAKEWPARAM(MovedDpi, MovedDpi),
               reinterpret_cast<LPARAM>(&Suggested));
  UpdateWindow(About.Handle());
  Say("after a change of scale to " + std::to_string(MovedDpi) + " dpi:");
  CheckWindow(About.Handle(), MovedDpi, Expected, "the place suggested with the change");
  return FailureCount();
}

}  // namespace
}  // namespace talvex::e2e

int main(int Count, char** Arguments) {
  if (Count != 3) {
    std::fprintf(stderr, "usage: e2e_about_layout.exe EXPECTED_DPI MOVED_DPI\n");
    return 100;
  }
  return talvex::e2e::Run(static_cast<UINT>(std::atoi(Arguments[1])), static_cast<UINT>(std::atoi(Arguments[2])));
}
