#include "AppSession.h"

#include <shellapi.h>

#include <cstdio>

#include "ui/ApplicationWindow.h"
#include "ui/TrayIcon.h"

namespace talvex::e2e {

namespace {

constexpr DWORD ShotTimeout = 30000;

TEditWindow* TheWindow = nullptr;
TFakeTray* TheTray = nullptr;
int Failures = 0;

// Wine's layout of the data behind each call.
struct TWineNotifyData {
  LONG Owner;
  UINT Id;
  UINT Flags;
  UINT CallbackMessage;
  WCHAR Tip[128];
  DWORD State, StateMask;
  WCHAR Info[256];
  UINT Timeout;
  WCHAR InfoTitle[64];
  DWORD InfoFlags;
};

struct TSearch {
  DWORD ProcessId;
  const wchar_t* Class;
  bool VisibleOnly;
  HWND Found;
};

BOOL CALLBACK FindWindowOfProcess(HWND Window, LPARAM Param) {
  auto* S = reinterpret_cast<TSearch*>(Param);
  DWORD Owner = 0;
  GetWindowThreadProcessId(Window, &Owner);
  wchar_t Class[64] = {};
  GetClassNameW(Window, Class, 64);
  if (Owner == S->ProcessId && wcscmp(Class, S->Class) == 0 && (!S->VisibleOnly || IsWindowVisible(Window))) {
    S->Found = Window;
    return FALSE;
  }
  return TRUE;
}

HWND FindOf(DWORD ProcessId, const wchar_t* Class, bool VisibleOnly) {
  TSearch S{ProcessId, Class, VisibleOnly, nullptr};
  EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&S));
  return S.Found;
}

}  // namespace

double NowMs() {
  LARGE_INTEGER Frequency, Count;
  QueryPerformanceFrequency(&Frequency);
  QueryPerformanceCounter(&Count);
  return 1000.0 * static_cast<double>(Count.QuadPart) / static_cast<double>(Frequency.QuadPart);
}

std::string Utf8(const std::wstring& Text) {
  if (Text.empty()) return {};
  const int Size =
      WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0, nullptr, nullptr);
  std::string Out(static_cast<std::size_t>(Size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), Out.data(), Size, nullptr, nullptr);
  return Out;
}

void Say(const std::string& Utf8Line) {
  std::fwrite(Utf8Line.data(), 1, Utf8Line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Check(bool Ok, const std::string& What) {
  Say(std::string(Ok ? "ok   " : "FAIL ") + What);
  if (!Ok) ++Failures;
}

int FailureCount() { return Failures; }

bool PumpUntil(const std::function<bool()>& Done, DWORD Timeout) {
  const DWORD Start = GetTickCount();
  for (;;) {
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&Msg);
      DispatchMessageW(&Msg);
    }
    if (Done()) return true;
    const DWORD Elapsed = GetTickCount() - Start;
    if (Elapsed >= Timeout) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, Timeout - Elapsed < 5 ? Timeout - Elapsed : 5, QS_ALLINPUT);
  }
}

void PumpFor(DWORD Milliseconds) {
  PumpUntil([] { return false; }, Milliseconds);
}

// The foreign application's window.

bool TEditWindow::Create() {
  TheWindow = this;
  const HINSTANCE Instance = GetModuleHandleW(nullptr);
  WNDCLASSW Class{};
  Class.lpfnWndProc = MainProc;
  Class.hInstance = Instance;
  Class.lpszClassName = L"TalvexAppDriver";
  Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  if (!RegisterClassW(&Class)) return false;
  MainWindow = CreateWindowExW(0, L"TalvexAppDriver", L"Talvex end-to-end", WS_OVERLAPPEDWINDOW, 40, 40, 600, 120,
                               nullptr, nullptr, Instance, nullptr);
  EditControl = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 560,
                                24, MainWindow, reinterpret_cast<HMENU>(1), Instance, nullptr);
  if (!MainWindow || !EditControl) return false;
  SendMessageW(EditControl, EM_SETLIMITTEXT, 0, 0);
  EditDefault =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(EditControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
  ShowWindow(MainWindow, SW_SHOW);
  UpdateWindow(MainWindow);
  return true;
}

void TEditWindow::Destroy() {
  if (MainWindow) DestroyWindow(MainWindow);
  MainWindow = EditControl = nullptr;
}

std::wstring TEditWindow::Text() const {
  const int Length = GetWindowTextLengthW(EditControl);
  std::wstring Out(static_cast<std::size_t>(Length) + 1, L'\0');
  GetWindowTextW(EditControl, Out.data(), Length + 1);
  Out.resize(static_cast<std::size_t>(Length));
  return Out;
}

void TEditWindow::SetText(const std::wstring& NewText, int SelStart, int SelEnd) {
  SetWindowTextW(EditControl, NewText.c_str());
  SendMessageW(EditControl, EM_SETSEL, static_cast<WPARAM>(SelStart), SelEnd);
}

bool TEditWindow::Focus(const std::function<HWND()>& RecordedFocus) {
  SetForegroundWindow(MainWindow);
  SetFocus(EditControl);
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  return PumpUntil(
      [&] {
        return GetForegroundWindow() == MainWindow && GetFocus() == EditControl && RecordedFocus() == EditControl;
      },
      SettleTimeout);
}

void TEditWindow::Arm() {
  SelectionReadAt.reset();
  FirstChangeAt.reset();
  LastChangeAt.reset();
}

LRESULT CALLBACK TEditWindow::MainProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_COMMAND && HIWORD(WParam) == EN_CHANGE && TheWindow) {
    const double At = NowMs();
    if (!TheWindow->FirstChangeAt) TheWindow->FirstChangeAt = At;
    TheWindow->LastChangeAt = At;
    return 0;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

LRESULT CALLBACK TEditWindow::EditProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  const LRESULT Result = CallWindowProcW(TheWindow->EditDefault, Window, Message, WParam, LParam);
  if (Message == EM_GETSEL && !TheWindow->SelectionReadAt) {
    TheWindow->SelectionReadAt = NowMs();
    if (TheWindow->OnSelectionRead) {
      const auto Run = std::move(TheWindow->OnSelectionRead);
      TheWindow->OnSelectionRead = nullptr;
      Run();
    }
  }
  return Result;
}

// The program's processes.

TProgram::~TProgram() { Kill(); }

bool TProgram::Start(const std::wstring& Folder) {
  std::wstring Command = L"\"" + Folder + L"\\Talvex.exe\"";
  STARTUPINFOW Startup{};
  Startup.cb = sizeof Startup;
  PROCESS_INFORMATION Info{};
  if (!CreateProcessW(nullptr, Command.data(), nullptr, nullptr, FALSE, 0, nullptr, Folder.c_str(), &Startup, &Info))
    return false;
  CloseHandle(Info.hThread);
  Process = Info.hProcess;
  Id = Info.dwProcessId;
  return true;
}

bool TProgram::Running() const { return Process && WaitForSingleObject(Process, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> TProgram::WaitForExit(DWORD Timeout) {
  if (!Process) return std::nullopt;
  bool Ended = false;
  PumpUntil([&] { return Ended = WaitForSingleObject(Process, 0) == WAIT_OBJECT_0; }, Timeout);
  if (!Ended) return std::nullopt;
  DWORD Status = 0;
  GetExitCodeProcess(Process, &Status);
  return Status;
}

void TProgram::Kill() {
  if (!Process) return;
  if (Running()) {
    TerminateProcess(Process, 99);
    WaitForSingleObject(Process, 5000);
  }
  CloseHandle(Process);
  Process = nullptr;
}

HWND TProgram::ApplicationWindow() const { return FindOf(Id, ui::ApplicationWindowClass, false); }

HWND TProgram::MessageBoxWindow() const { return FindOf(Id, L"#32770", true); }

HWND TProgram::VisibleWindow(const wchar_t* Class) const { return FindOf(Id, Class, true); }

// The tray.

bool TFakeTray::Create() {
  TheTray = this;
  WNDCLASSW Class{};
  Class.lpfnWndProc = TrayProc;
  Class.hInstance = GetModuleHandleW(nullptr);
  Class.lpszClassName = L"Shell_TrayWnd";
  if (!RegisterClassW(&Class)) return false;
  Window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                           nullptr, Class.hInstance, nullptr);
  return Window != nullptr && EnsureFirst();
}

bool TFakeTray::EnsureFirst() {
  // The desktop's own tray window may have come later, and above this one.
  if (FindWindowW(L"Shell_TrayWnd", nullptr) != Window)
    SetWindowPos(Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return FindWindowW(L"Shell_TrayWnd", nullptr) == Window;
}

void TFakeTray::Destroy() {
  if (Window) DestroyWindow(Window);
  Window = nullptr;
}

bool TFakeTray::Holds(HWND Owner) const {
  bool Held = false;
  for (const TTrayCall& C : Calls)
    if (C.Owner == Owner && C.Id == 1) Held = C.Action != NIM_DELETE;
  return Held;
}

std::wstring TFakeTray::TooltipOf(HWND Owner) const {
  std::wstring Tip;
  for (const TTrayCall& C : Calls)
    if (C.Owner == Owner && C.Id == 1 && C.Action != NIM_DELETE && (C.Flags & NIF_TIP)) Tip = C.Tooltip;
  return Tip;
}

int TFakeTray::Count(HWND Owner, DWORD Action) const {
  int N = 0;
  for (const TTrayCall& C : Calls) N += C.Owner == Owner && C.Action == Action;
  return N;
}

int TFakeTray::CountTooltips(HWND Owner) const {
  int N = 0;
  for (const TTrayCall& C : Calls) N += C.Owner == Owner && C.Action == NIM_MODIFY && (C.Flags & NIF_TIP);
  return N;
}

int TFakeTray::CountBalloons(HWND Owner) const {
  int N = 0;
  for (const TTrayCall& C : Calls) N += C.Owner == Owner && (C.Flags & NIF_INFO);
  return N;
}

const TTrayCall* TFakeTray::LastBalloon(HWND Owner) const {
  const TTrayCall* Last = nullptr;
  for (const TTrayCall& C : Calls)
    if (C.Owner == Owner && (C.Flags & NIF_INFO)) Last = &C;
  return Last;
}

LRESULT CALLBACK TFakeTray::TrayProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message != WM_COPYDATA || !TheTray) return DefWindowProcW(Window, Message, WParam, LParam);
  const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
  if (Data->dwData > NIM_DELETE || Data->cbData < sizeof(TWineNotifyData)) {
    TheTray->UnexpectedData = true;
    return FALSE;
  }
  const auto* N = static_cast<const TWineNotifyData*>(Data->lpData);
  const auto Owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(N->Owner));
  const auto Text = [](const WCHAR* Field, std::size_t Size) { return std::wstring(Field, wcsnlen(Field, Size)); };
  TheTray->Calls.push_back({static_cast<DWORD>(Data->dwData), Owner, N->Id, N->Flags, N->CallbackMessage,
                            Text(N->Tip, 128), Text(N->Info, 256), Text(N->InfoTitle, 64), N->InfoFlags});
  return TRUE;
}

// Questions to the program.

bool Answers(HWND Application) {
  DWORD_PTR Ignored = 0;
  return SendMessageTimeoutW(Application, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &Ignored) != 0;
}

bool StartProgram(TFakeTray& Tray, TProgram& Program, const std::wstring& Folder, HWND& Application) {
  if (!Tray.EnsureFirst() || !Program.Start(Folder)) return false;
  return PumpUntil(
      [&] {
        Application = Program.ApplicationWindow();
        return Application && Tray.Holds(Application) && Answers(Application);
      },
      StartTimeout);
}

bool Photograph(const std::wstring& Work, const RECT& Area, const std::string& Name) {
  const std::wstring Ready = Work + L"\\screenshot.ready";
  const std::wstring Done = Work + L"\\screenshot.done";
  DeleteFileW(Done.c_str());
  if (FILE* F = _wfopen(Ready.c_str(), L"w")) {
    std::fprintf(F, "%ld %ld %ld %ld %s\n", Area.left, Area.top, Area.right - Area.left, Area.bottom - Area.top,
                 Name.c_str());
    std::fclose(F);
  }
  const bool Taken = PumpUntil([&] { return GetFileAttributesW(Done.c_str()) != INVALID_FILE_ATTRIBUTES; }, ShotTimeout);
  DeleteFileW(Ready.c_str());
  return Taken;
}

BOOL CALLBACK CollectStaticText(HWND Child, LPARAM Param) {
  wchar_t Class[32] = {};
  GetClassNameW(Child, Class, 32);
  std::wstring Text(static_cast<std::size_t>(GetWindowTextLengthW(Child)) + 1, L'\0');
  Text.resize(static_cast<std::size_t>(GetWindowTextW(Child, Text.data(), static_cast<int>(Text.size()))));
  if (_wcsicmp(Class, L"Static") == 0 && !Text.empty())
    reinterpret_cast<std::vector<std::wstring>*>(Param)->push_back(Text);
  return TRUE;
}

std::vector<std::wstring> MessageBoxTexts(HWND Box) {
  std::vector<std::wstring> Texts;
  EnumChildWindows(Box, CollectStaticText, reinterpret_cast<LPARAM>(&Texts));
  return Texts;
}

void PressOk(HWND Box) { PostMessageW(Box, WM_COMMAND, IDOK, 0); }

int CountApplicationWindows() {
  int Count = 0;
  for (HWND W = FindWindowExW(nullptr, nullptr, ui::ApplicationWindowClass, nullptr); W;
       W = FindWindowExW(nullptr, W, ui::ApplicationWindowClass, nullptr))
    ++Count;
  return Count;
}

// Keys: injected inside Wine, where X's Ctrl+Pause would arrive as VK_CANCEL.

void PressCtrlNumLock(bool KeepModifier) {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(VK_PAUSE, 0, 0, 0);
  keybd_event(VK_PAUSE, 0, KEYEVENTF_KEYUP, 0);
  if (!KeepModifier) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

void PressShiftNumLock(bool KeepModifier) {
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
  keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  if (!KeepModifier) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

void PressCtrlShift(BYTE Vk) {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(Vk, 0, 0, 0);
  keybd_event(Vk, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

namespace {

DWORD WINAPI ReadNumLock(LPVOID On) {
  *static_cast<bool*>(On) = (GetKeyState(VK_NUMLOCK) & 1) != 0;
  return 0;
}

}  // namespace

// Asked in a thread of its own, which has taken no key message: Wine keeps a
// thread's toggle state as the key messages it took left it, and takes the
// desktop's again only when that changes. A hotkey's press, which reaches no
// window, followed at once by the program's press to undo it leaves the
// desktop's state as it was and this thread's flipped.
bool NumLockOn() {
  bool On = false;
  if (const HANDLE Reader = CreateThread(nullptr, 0, ReadNumLock, &On, 0, nullptr)) {
    WaitForSingleObject(Reader, 5000);
    CloseHandle(Reader);
  }
  return On;
}

bool NumLockComesTo(bool On) {
  return PumpUntil([On] { return NumLockOn() == On; }, 1000);
}

bool SetNumLock(bool On) {
  if (NumLockOn() != On) {
    keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
  }
  return PumpUntil([On] { return NumLockOn() == On; }, SettleTimeout);
}

}  // namespace talvex::e2e
