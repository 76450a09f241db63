// The end-to-end tests' other application, built 32-bit and 64-bit: a
// standard edit control, a rich-edit control, and a control that keeps its text to itself (as
// browsers, Electron editors and office documents do: WM_GETTEXT gives
// nothing) and copies its selection on Ctrl+Insert after a delay the driver
// sets, never, or with delayed rendering. It reports its text and the times
// of its changes through the shared channel. Ends on tcClose or after five
// minutes, whichever comes first.
#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <string>

#include "TargetChannel.h"

namespace talvex::e2e {
namespace {

constexpr UINT_PTR CopyTimer = 1;
constexpr UINT_PTR LifeTimer = 2;
constexpr UINT LifeTime = 300000;

TTargetChannel* Channel;
HWND MainWindow, Edit, RichEdit, Textless;
std::wstring Text;  // the text-less control's text
std::size_t SelStart, SelEnd;
std::wstring PendingCopy;  // what delayed rendering hands out

std::int64_t Now() {
  LARGE_INTEGER Count;
  QueryPerformanceCounter(&Count);
  return Count.QuadPart;
}

void NoteChange(const std::wstring& Shown) {
  const std::int64_t At = Now();
  if (!Channel->FirstChangeAt) Channel->FirstChangeAt = At;
  Channel->LastChangeAt = At;
  const std::size_t Length = Shown.size() < 511 ? Shown.size() : 511;
  std::memcpy(Channel->Text, Shown.data(), Length * sizeof(wchar_t));
  Channel->Text[Length] = 0;
}

HGLOBAL TextBlock(const std::wstring& Copy) {
  const HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, (Copy.size() + 1) * sizeof(wchar_t));
  if (Block) {
    std::memcpy(GlobalLock(Block), Copy.c_str(), (Copy.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(Block);
  }
  return Block;
}

void CopySelection() {
  // Like most applications: nothing selected, nothing copied.
  if (SelStart == SelEnd) return;
  const std::wstring Copy = Text.substr(SelStart, SelEnd - SelStart);
  for (int Try = 0; Try < 50 && !OpenClipboard(Textless); ++Try) Sleep(2);
  if (GetOpenClipboardWindow() != Textless) return;
  EmptyClipboard();
  if (Channel->DelayedRendering) {
    PendingCopy = Copy;
    SetClipboardData(CF_UNICODETEXT, nullptr);
  } else if (const HGLOBAL Block = TextBlock(Copy)) {
    if (!SetClipboardData(CF_UNICODETEXT, Block)) GlobalFree(Block);
  }
  CloseClipboard();
  Channel->CopiedAt = Now();
}

void Render() {
  if (const HGLOBAL Block = TextBlock(PendingCopy))
    if (!SetClipboardData(CF_UNICODETEXT, Block)) GlobalFree(Block);
}

LRESULT CALLBACK TextlessProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      return 0;  // the text stays inside
    case WM_KEYDOWN:
      if (WParam == VK_INSERT && GetKeyState(VK_CONTROL) < 0) {
        if (Channel->CopyDelay == 0)
          CopySelection();
        else if (Channel->CopyDelay > 0)
          SetTimer(Window, CopyTimer, static_cast<UINT>(Channel->CopyDelay), nullptr);
        return 0;
      }
      break;
    case WM_TIMER:
      if (WParam == CopyTimer) {
        KillTimer(Window, CopyTimer);
        CopySelection();
        return 0;
      }
      break;
    case WM_CHAR:
      if (WParam >= 0x20) {
        Text.replace(SelStart, SelEnd - SelStart, 1, static_cast<wchar_t>(WParam));
        SelEnd = SelStart = SelStart + 1;
        NoteChange(Text);
      }
      return 0;
    case WM_RENDERFORMAT:
      if (WParam == CF_UNICODETEXT) Render();
      return 0;
    case WM_RENDERALLFORMATS:
      if (OpenClipboard(Window)) {
        if (GetClipboardOwner() == Window) Render();
        CloseClipboard();
      }
      return 0;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

void Show(HWND Control) {
  SetForegroundWindow(MainWindow);
  SetFocus(Control);
}

LRESULT CALLBACK MainProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_APP + tcShowTextless:
      KillTimer(Textless, CopyTimer);
      Text = Channel->Text;
      SelStart = Channel->SelStart < Text.size() ? Channel->SelStart : Text.size();
      SelEnd = Channel->SelEnd < Text.size() ? Channel->SelEnd : Text.size();
      if (SelEnd < SelStart) SelEnd = SelStart;
      Channel->FirstChangeAt = Channel->LastChangeAt = Channel->CopiedAt = 0;
      Show(Textless);
      return 1;
    case WM_APP + tcShowEdit:
    case WM_APP + tcShowRichEdit: {
      const HWND Control = Message == WM_APP + tcShowEdit ? Edit : RichEdit;
      SetWindowTextW(Control, Channel->Text);
      SendMessageW(Control, EM_SETSEL, Channel->SelStart, Channel->SelEnd);
      Channel->FirstChangeAt = Channel->LastChangeAt = 0;
      Show(Control);
      return 1;
    }
    case WM_APP + tcClose:
      DestroyWindow(Window);
      return 1;
    case WM_COMMAND:
      if ((reinterpret_cast<HWND>(LParam) == Edit || reinterpret_cast<HWND>(LParam) == RichEdit) &&
          HIWORD(WParam) == EN_CHANGE) {
        wchar_t Shown[512] = {};
        GetWindowTextW(reinterpret_cast<HWND>(LParam), Shown, 512);
        NoteChange(Shown);
        return 0;
      }
      break;
    case WM_TIMER:
      if (WParam == LifeTimer) DestroyWindow(Window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

std::uint32_t Handle32(HWND Window) { return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(Window)); }

int Run() {
  const HANDLE Mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, TargetChannelName);
  Channel = Mapping ? static_cast<TTargetChannel*>(MapViewOfFile(Mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
  if (!Channel) return 2;
  const HINSTANCE Instance = GetModuleHandleW(nullptr);
  WNDCLASSW Class{};
  Class.hInstance = Instance;
  Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  Class.lpfnWndProc = MainProc;
  Class.lpszClassName = TargetWindowClass;
  WNDCLASSW Control = Class;
  Control.lpfnWndProc = TextlessProc;
  Control.lpszClassName = L"TalvexE2ETextless";
  if (!RegisterClassW(&Class) || !RegisterClassW(&Control)) return 3;
  MainWindow = CreateWindowExW(0, TargetWindowClass, L"Talvex end-to-end target", WS_OVERLAPPEDWINDOW, 60, 200, 600,
                               200, nullptr, nullptr, Instance, nullptr);
  Edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 560, 24,
                         MainWindow, reinterpret_cast<HMENU>(1), Instance, nullptr);
  Textless = CreateWindowExW(0, L"TalvexE2ETextless", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 44, 560, 40,
                             MainWindow, reinterpret_cast<HMENU>(2), Instance, nullptr);
  LoadLibraryW(L"riched20.dll");
  RichEdit = CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 90,
                             560, 60, MainWindow, reinterpret_cast<HMENU>(3), Instance, nullptr);
  if (!MainWindow || !Edit || !Textless || !RichEdit) return 4;
  SendMessageW(RichEdit, EM_SETEVENTMASK, 0, ENM_CHANGE);
  SendMessageW(Edit, EM_SETLIMITTEXT, 0, 0);
  ShowWindow(MainWindow, SW_SHOW);
  SetTimer(MainWindow, LifeTimer, LifeTime, nullptr);
  Channel->EditWindow = Handle32(Edit);
  Channel->TextlessWindow = Handle32(Textless);
  Channel->RichEditWindow = Handle32(RichEdit);
  Channel->TargetWindow = Handle32(MainWindow);
  MSG Msg;
  while (GetMessageW(&Msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
  UnmapViewOfFile(Channel);
  CloseHandle(Mapping);
  return 0;
}

}  // namespace
}  // namespace talvex::e2e

int main() { return talvex::e2e::Run(); }
