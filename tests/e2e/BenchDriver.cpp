// The bench's foreign application: a window with a standard edit control and
// a text-less control that copies on Ctrl+Insert. It sets texts, selections,
// focus and key states, tells the client process what to do, and checks what
// arrives. Its exit status is the number of failed checks.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchChannel.h"

namespace talvex::bench {
namespace {

constexpr DWORD ReplyTimeout = 20000;
constexpr DWORD SettleTimeout = 5000;
constexpr int EditId = 1;
constexpr int CopySourceId = 2;
constexpr const char* CopiedText = "6*7";
constexpr const char* PrivateFormatName = "Talvex Bench Private";
const std::vector<BYTE> PrivateBytes = {1, 2, 3, 0, 0xFF, 0x80};

HWND MainWindow, Edit, CopySource;
int CopyKeystrokes = 0;
int Failures = 0;
TChannel* Channel;
HANDLE CommandEvent, ReplyEvent;

void Check(bool Ok, const char* What) {
  std::printf("%s %s\n", Ok ? "ok  " : "FAIL", What);
  std::fflush(stdout);
  if (!Ok) ++Failures;
}

void PumpAll() {
  MSG Msg;
  while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&Msg);
    DispatchMessageA(&Msg);
  }
}

// Keeps the window alive (the client's messages and keys arrive here) until
// Done holds or the time is up.
template <class TDone>
bool PumpUntil(TDone Done, DWORD Timeout) {
  const DWORD Start = GetTickCount();
  for (;;) {
    PumpAll();
    if (Done()) return true;
    const DWORD Elapsed = GetTickCount() - Start;
    if (Elapsed >= Timeout) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, Timeout - Elapsed < 20 ? Timeout - Elapsed : 20, QS_ALLINPUT);
  }
}

bool Ask(TCommand Command, const char* Text = "") {
  std::memset(Channel, 0, sizeof *Channel);
  Channel->Command = Command;
  std::snprintf(Channel->Text, sizeof Channel->Text, "%s", Text);
  SetEvent(CommandEvent);
  const bool Answered = PumpUntil([] { return WaitForSingleObject(ReplyEvent, 0) == WAIT_OBJECT_0; }, ReplyTimeout);
  if (!Answered) Check(false, "the client answers in time");
  return Answered;
}

std::string EditText() {
  char Buffer[512] = {};
  GetWindowTextA(Edit, Buffer, sizeof Buffer);
  return Buffer;
}

void TapKey(BYTE Vk, BYTE Scan = 0) {
  keybd_event(Vk, Scan, 0, 0);
  keybd_event(Vk, Scan, KEYEVENTF_KEYUP, 0);
}

std::uint32_t HandleValue(HWND Window) { return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(Window)); }

// A harmless key press in the focused control, for the hooks to record.
bool FocusAndTouch(HWND Control) {
  SetFocus(Control);
  TapKey(VK_SHIFT);
  return PumpUntil(
      [Control] {
        return Ask(cmProbe) && Channel->Values[pvCurrentFocus] == HandleValue(Control);
      },
      SettleTimeout);
}

bool SetKeyToggled(BYTE Vk, BYTE Scan, bool On) {
  if (((GetKeyState(Vk) & 1) != 0) != On) TapKey(Vk, Scan);
  return PumpUntil([Vk, On] { return ((GetKeyState(Vk) & 1) != 0) == On; }, SettleTimeout);
}

void PutOnClipboard(UINT Format, const void* Data, std::size_t Size) {
  HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, Size);
  std::memcpy(GlobalLock(Block), Data, Size);
  GlobalUnlock(Block);
  if (!SetClipboardData(Format, Block)) GlobalFree(Block);
}

std::vector<BYTE> ClipboardBytes(UINT Format) {
  std::vector<BYTE> Bytes;
  if (HANDLE Data = GetClipboardData(Format)) {
    const auto* First = static_cast<const BYTE*>(GlobalLock(Data));
    if (First) Bytes.assign(First, First + GlobalSize(Data));
    GlobalUnlock(Data);
  }
  return Bytes;
}

LRESULT CALLBACK CopySourceProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  // Like a control that draws its own content: no window text, but a copy.
  if (Message == WM_KEYDOWN && WParam == VK_INSERT && GetKeyState(VK_CONTROL) < 0) {
    ++CopyKeystrokes;
    if (OpenClipboard(Window)) {
      EmptyClipboard();
      PutOnClipboard(CF_TEXT, CopiedText, std::strlen(CopiedText) + 1);
      CloseClipboard();
    }
    return 0;
  }
  return DefWindowProcA(Window, Message, WParam, LParam);
}

bool CreateWindows() {
  HINSTANCE Instance = GetModuleHandleA(nullptr);
  WNDCLASSA Main{};
  Main.lpfnWndProc = DefWindowProcA;
  Main.hInstance = Instance;
  Main.lpszClassName = "TalvexBenchDriver";
  Main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  WNDCLASSA Source = Main;
  Source.lpfnWndProc = CopySourceProc;
  Source.lpszClassName = "TalvexBenchCopySource";
  if (!RegisterClassA(&Main) || !RegisterClassA(&Source)) return false;
  MainWindow = CreateWindowExA(0, "TalvexBenchDriver", "Talvex bench", WS_OVERLAPPEDWINDOW, 10, 10, 420, 160,
                               nullptr, nullptr, Instance, nullptr);
  Edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 380, 24,
                         MainWindow, reinterpret_cast<HMENU>(EditId), Instance, nullptr);
  CopySource = CreateWindowExA(0, "TalvexBenchCopySource", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 380, 40,
                               MainWindow, reinterpret_cast<HMENU>(CopySourceId), Instance, nullptr);
  if (!MainWindow || !Edit || !CopySource) return false;
  ShowWindow(MainWindow, SW_SHOW);
  UpdateWindow(MainWindow);
  SetForegroundWindow(MainWindow);
  SetFocus(Edit);
  return PumpUntil([] { return GetForegroundWindow() == MainWindow; }, SettleTimeout);
}

void CheckInstall() {
  // Before the install the client has the library but no view of a block.
  if (Ask(cmProbe)) {
    const auto* V = Channel->Values;
    Check(V[pvKbdTime] == 0xFFFFFFFF && V[pvMouseTime] == 0xFFFFFFFF && V[pvCurrentFocus] == 0 &&
              V[pvProcessId] == 0 && V[pvMonitorInstalled] == 0,
          "without a view the exports return -1, -1, 0, 0 and MonitorInstalled false");
  }
  if (!Ask(cmInstall)) return;
  const auto* V = Channel->Values;
  const std::uint32_t* Block = &V[pvBlock];
  Check(V[pvResult] == 1, "InstallMonitor returns true");
  Check(Block[0] == 20, "the block's first word holds 20");
  Check(Block[1] - V[pvTickBefore] <= V[pvTickAfter] - V[pvTickBefore] &&
            Block[2] - V[pvTickBefore] <= V[pvTickAfter] - V[pvTickBefore],
        "the block's keyboard and mouse times are the install time");
  Check(Block[3] == 0 && Block[4] == 0 && V[pvCurrentFocus] == 0, "GetCurrentFocus is 0 right after the install");
  Check(V[pvMonitorInstalled] == 1 && V[pvProcessId] != 0, "MonitorInstalled true and GetProcessId set while installed");
}

void CheckFocusRecording() {
  const DWORD Before = GetTickCount();
  Check(FocusAndTouch(Edit), "a key press in the edit control makes GetCurrentFocus return its handle");
  Check(Channel->Values[pvKbdTime] - Before < 60000, "the key press set the keyboard time");
  Check(GetModuleHandleA("Vantrel.dll") != nullptr, "the hooks loaded Vantrel.dll into the driver");
}

void CheckDirectCapture() {
  SetWindowTextA(Edit, "12+34*56-7");
  SendMessageA(Edit, EM_SETSEL, 3, 8);
  const DWORD Sequence = GetClipboardSequenceNumber();
  if (Ask(cmCapture)) Check(std::string(Channel->Text) == "34*56", "direct capture returns exactly the selection");
  SendMessageA(Edit, EM_SETSEL, 4, 4);
  if (Ask(cmCapture)) Check(Channel->Text[0] == 0, "an empty selection captures nothing");
  Check(GetClipboardSequenceNumber() == Sequence, "direct capture leaves the clipboard alone");
}

void CheckClipboardCapture() {
  const UINT Private = RegisterClipboardFormatA(PrivateFormatName);
  if (OpenClipboard(MainWindow)) {
    EmptyClipboard();
    PutOnClipboard(CF_TEXT, "earlier", 8);
    PutOnClipboard(Private, PrivateBytes.data(), PrivateBytes.size());
    CloseClipboard();
  }
  Check(FocusAndTouch(CopySource), "the text-less control is the recorded focus");
  const int CopiesBefore = CopyKeystrokes;
  if (Ask(cmCapture)) Check(std::string(Channel->Text) == CopiedText, "a control without text is captured through the clipboard");
  Check(CopyKeystrokes == CopiesBefore + 1, "the control received Ctrl+Insert once");
  if (OpenClipboard(MainWindow)) {
    const auto Text = ClipboardBytes(CF_TEXT);
    const auto Data = ClipboardBytes(Private);
    CloseClipboard();
    Check(Text.size() >= 8 && std::memcmp(Text.data(), "earlier", 8) == 0, "the earlier clipboard text is back");
    Check(Data.size() >= PrivateBytes.size() && std::memcmp(Data.data(), PrivateBytes.data(), PrivateBytes.size()) == 0,
          "the earlier non-text clipboard format is back");
  } else {
    Check(false, "the clipboard opens after the capture");
  }

  if (OpenClipboard(MainWindow)) {
    EmptyClipboard();
    CloseClipboard();
  }
  if (Ask(cmCapture)) Check(std::string(Channel->Text) == CopiedText, "capture through an empty clipboard");
  Check(CountClipboardFormats() == 0, "an empty clipboard stays empty");
}

void CheckTyping() {
  SetFocus(Edit);
  SetWindowTextA(Edit, "");
  Check(SetKeyToggled(VK_CAPITAL, 0x3A, true), "CapsLock is on before typing");
  const std::string Mixed = "Ab3xY9z=14";
  if (Ask(cmType, Mixed.c_str())) {
    Check(PumpUntil([&] { return EditText() == Mixed; }, SettleTimeout),
          "mixed-case text with digits arrives exactly with CapsLock on");
    Check((GetKeyState(VK_CAPITAL) & 1) != 0, "CapsLock is still on after typing");
  }
  SetKeyToggled(VK_CAPITAL, 0x3A, false);

  // No key on a US layout: sent as Unicode input on the NT family.
  SetWindowTextA(Edit, "");
  const std::string Accented = "5\xE9" "7";
  if (Ask(cmType, Accented.c_str()))
    Check(PumpUntil([&] { return EditText() == Accented; }, SettleTimeout), "a character without a key is typed too");

  SetWindowTextA(Edit, "");
  keybd_event(VK_LCONTROL, 0, 0, 0);
  Check(PumpUntil([] { return GetKeyState(VK_CONTROL) < 0; }, SettleTimeout), "left Ctrl is held before typing");
  if (Ask(cmType, "12")) {
    Check(PumpUntil([] { return EditText() == "12"; }, SettleTimeout), "text typed while Ctrl is held arrives unchanged");
    Check(PumpUntil([] { return GetKeyState(VK_LCONTROL) < 0 && (GetAsyncKeyState(VK_LCONTROL) & 0x8000) != 0; },
                    SettleTimeout),
          "the held Ctrl is down again after typing");
  }
  keybd_event(VK_LCONTROL, 0, KEYEVENTF_KEYUP, 0);
  PumpUntil([] { return GetKeyState(VK_CONTROL) >= 0; }, SettleTimeout);
}

void CheckUninstall() {
  if (!Ask(cmUninstall)) return;
  Check(Channel->Values[pvResult] == 1, "UninstallMonitor returns the installed state");
  Check(Channel->Values[pvCurrentFocus] == 0 && Channel->Values[pvKbdTime] == 0xFFFFFFFF,
        "after uninstalling the client has no view");
}

int Run() {
  HANDLE Mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, ChannelName);
  Channel = Mapping ? static_cast<TChannel*>(MapViewOfFile(Mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
  CommandEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, CommandEventName);
  ReplyEvent = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, ReplyEventName);
  if (!Channel || !CommandEvent || !ReplyEvent) {
    Check(false, "the driver reaches the client's channel");
    return Failures;
  }
  if (!CreateWindows()) {
    Check(false, "the driver's window is in the foreground");
    return Failures;
  }
  const DWORD Start = GetTickCount();
  CheckInstall();
  CheckFocusRecording();
  CheckDirectCapture();
  CheckClipboardCapture();
  CheckTyping();
  CheckUninstall();
  std::printf("driver checks took %lu ms\n", GetTickCount() - Start);
  DestroyWindow(MainWindow);
  UnmapViewOfFile(Channel);
  CloseHandle(Mapping);
  return Failures;
}

}  // namespace
}  // namespace talvex::bench

int main() { return talvex::bench::Run(); }
