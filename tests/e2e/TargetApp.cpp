#include "TargetApp.h"

#include <cstring>

#include "AppSession.h"

namespace talvex::e2e {

namespace {

constexpr DWORD TargetStartTimeout = 30000;
constexpr DWORD CommandTimeout = 5000;

HWND AsWindow(std::uint32_t Handle) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(Handle)); }

double QpcToMs(std::int64_t Count) {
  if (Count == 0) return -1;
  LARGE_INTEGER Frequency;
  QueryPerformanceFrequency(&Frequency);
  return 1000.0 * static_cast<double>(Count) / static_cast<double>(Frequency.QuadPart);
}

}  // namespace

TTargetApp::TTargetApp() {
  Mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TTargetChannel),
                               TargetChannelName);
  if (Mapping) Channel = static_cast<TTargetChannel*>(MapViewOfFile(Mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
}

TTargetApp::~TTargetApp() {
  Close();
  if (Channel) UnmapViewOfFile(Channel);
  if (Mapping) CloseHandle(Mapping);
}

bool TTargetApp::Start(const std::wstring& Program) {
  if (!Channel) return false;
  std::memset(Channel, 0, sizeof *Channel);
  std::wstring Command = L"\"" + Program + L"\"";
  STARTUPINFOW Startup{};
  Startup.cb = sizeof Startup;
  PROCESS_INFORMATION Info{};
  if (!CreateProcessW(nullptr, Command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Info))
    return false;
  CloseHandle(Info.hThread);
  Process = Info.hProcess;
  return PumpUntil([this] { return Channel->TargetWindow != 0 || !Running(); }, TargetStartTimeout) &&
         Channel->TargetWindow != 0;
}

void TTargetApp::Close() {
  if (!Process) return;
  if (Running()) {
    Command(tcClose);
    PumpUntil([this] { return !Running(); }, CommandTimeout);
    if (Running()) TerminateProcess(Process, 99);
  }
  CloseHandle(Process);
  Process = nullptr;
}

bool TTargetApp::Running() const { return Process && WaitForSingleObject(Process, 0) == WAIT_TIMEOUT; }

bool TTargetApp::Command(TTargetCommand Which) {
  DWORD_PTR Result = 0;
  return Channel && SendMessageTimeoutW(Main(), WM_APP + Which, 0, 0, SMTO_ABORTIFHUNG, CommandTimeout, &Result) &&
         Result == 1;
}

static void PutText(TTargetChannel& C, const std::wstring& Text, int SelStart, int SelEnd) {
  const std::size_t Length = Text.size() < 511 ? Text.size() : 511;
  std::memcpy(C.Text, Text.data(), Length * sizeof(wchar_t));
  C.Text[Length] = 0;
  C.SelStart = static_cast<std::uint32_t>(SelStart);
  C.SelEnd = static_cast<std::uint32_t>(SelEnd);
}

bool TTargetApp::ShowTextless(const std::wstring& Text, int SelStart, int SelEnd, int CopyDelay,
                              bool DelayedRendering) {
  if (!Channel) return false;
  PutText(*Channel, Text, SelStart, SelEnd);
  Channel->CopyDelay = CopyDelay;
  Channel->DelayedRendering = DelayedRendering ? 1 : 0;
  return Command(tcShowTextless) && PumpUntil([this] { return GetForegroundWindow() == Main(); }, SettleTimeout);
}

bool TTargetApp::ShowEdit(const std::wstring& Text, int SelStart, int SelEnd, bool Rich) {
  if (!Channel) return false;
  PutText(*Channel, Text, SelStart, SelEnd);
  return Command(Rich ? tcShowRichEdit : tcShowEdit) && PumpUntil([this] { return GetForegroundWindow() == Main(); }, SettleTimeout);
}

HWND TTargetApp::Main() const { return Channel ? AsWindow(Channel->TargetWindow) : nullptr; }
HWND TTargetApp::Edit() const { return Channel ? AsWindow(Channel->EditWindow) : nullptr; }
HWND TTargetApp::Textless() const { return Channel ? AsWindow(Channel->TextlessWindow) : nullptr; }
HWND TTargetApp::RichEdit() const { return Channel ? AsWindow(Channel->RichEditWindow) : nullptr; }

std::wstring TTargetApp::Text() const {
  if (!Channel) return {};
  // The target writes while the driver reads; a copy is read whole once it stands still.
  wchar_t Copy[512];
  std::memcpy(Copy, Channel->Text, sizeof Copy);
  Copy[511] = 0;
  return Copy;
}

double TTargetApp::FirstChangeAt() const { return Channel ? QpcToMs(Channel->FirstChangeAt) : -1; }
double TTargetApp::LastChangeAt() const { return Channel ? QpcToMs(Channel->LastChangeAt) : -1; }
double TTargetApp::CopiedAt() const { return Channel ? QpcToMs(Channel->CopiedAt) : -1; }

std::wstring ClipboardText(HWND Owner) {
  std::wstring Text;
  if (!OpenClipboard(Owner)) return L"(the clipboard did not open)";
  if (const HANDLE Data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* Chars = static_cast<const wchar_t*>(GlobalLock(Data))) {
      Text.assign(Chars, wcsnlen(Chars, GlobalSize(Data) / sizeof(wchar_t)));
      GlobalUnlock(Data);
    }
  }
  CloseClipboard();
  return Text;
}

bool PutClipboardText(HWND Owner, const std::wstring& Text) {
  if (!OpenClipboard(Owner)) return false;
  EmptyClipboard();
  const SIZE_T Size = (Text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, Size);
  void* Bytes = Block ? GlobalLock(Block) : nullptr;
  bool Placed = false;
  if (Bytes) {
    std::memcpy(Bytes, Text.c_str(), Size);
    GlobalUnlock(Block);
    Placed = SetClipboardData(CF_UNICODETEXT, Block) != nullptr;
    if (!Placed) GlobalFree(Block);
  }
  CloseClipboard();
  return Placed;
}

}  // namespace talvex::e2e
