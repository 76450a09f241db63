#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "Win32SystemApi.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace talvex {

namespace {

// A hung foreground application must not hang the calculator with it; the
// capture then goes on as if the control had no text.
constexpr UINT ForeignControlTimeout = 2000;
constexpr UINT ForeignControlFlags = SMTO_ABORTIFHUNG | SMTO_NORMAL;

// The mark on every event the program synthesises, which the keyboard watch
// leaves out; the monitor's hooks never look at it.
constexpr ULONG_PTR OwnInputMark = 0x54564C58;

HWND AsWindow(TWindowHandle Window) { return reinterpret_cast<HWND>(Window); }

// Nothing when the control did not answer in time (or the window is gone).
std::optional<LRESULT> SendToControl(TWindowHandle Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  DWORD_PTR Result = 0;
  if (!SendMessageTimeoutW(AsWindow(Window), Message, WParam, LParam, ForeignControlFlags, ForeignControlTimeout,
                           &Result))
    return std::nullopt;
  return static_cast<LRESULT>(Result);
}

// The keyboard watch: one hook for the one GUI thread.
HHOOK KeyWatchHook = nullptr;
TUserKey UserKeys[256];
std::uint32_t UserKeyPresses[256];

void NoteUserKey(DWORD Vk, bool Up) {
  const auto Note = [Up](DWORD Key) {
    // A press, not the key's auto-repeat.
    if (!Up && UserKeys[Key] != TUserKey::ukDown) ++UserKeyPresses[Key];
    UserKeys[Key] = Up ? TUserKey::ukUp : TUserKey::ukDown;
  };
  Note(Vk & 0xFF);
  // A generic modifier code stands for its left-hand key.
  if (Vk == VK_SHIFT) Note(VK_LSHIFT);
  if (Vk == VK_CONTROL) Note(VK_LCONTROL);
  if (Vk == VK_MENU) Note(VK_LMENU);
}

LRESULT CALLBACK KeyWatchProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION) {
    const auto* Key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(LParam);
    if (Key->dwExtraInfo != OwnInputMark) NoteUserKey(Key->vkCode, (Key->flags & LLKHF_UP) != 0);
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// Resolved at run time, so that the program's imports stay those of every
// Windows it runs on; Windows XP answers the integrity question with "cannot tell".
struct TTokenEntries {
  BOOL(WINAPI* OpenProcessToken)(HANDLE, DWORD, PHANDLE);
  BOOL(WINAPI* GetTokenInformation)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
  PUCHAR(WINAPI* GetSidSubAuthorityCount)(PSID);
  PDWORD(WINAPI* GetSidSubAuthority)(PSID, DWORD);
};

const TTokenEntries* TokenEntries() {
  static const TTokenEntries Entries = [] {
    TTokenEntries E{};
    if (const HMODULE Advapi = ::LoadLibraryA("advapi32.dll")) {
      const auto Find = [Advapi](const char* Name) { return reinterpret_cast<void*>(::GetProcAddress(Advapi, Name)); };
      E.OpenProcessToken = reinterpret_cast<decltype(E.OpenProcessToken)>(Find("OpenProcessToken"));
      E.GetTokenInformation = reinterpret_cast<decltype(E.GetTokenInformation)>(Find("GetTokenInformation"));
      E.GetSidSubAuthorityCount = reinterpret_cast<decltype(E.GetSidSubAuthorityCount)>(Find("GetSidSubAuthorityCount"));
      E.GetSidSubAuthority = reinterpret_cast<decltype(E.GetSidSubAuthority)>(Find("GetSidSubAuthority"));
    }
    return E;
  }();
  const bool All = Entries.OpenProcessToken && Entries.GetTokenInformation && Entries.GetSidSubAuthorityCount &&
                   Entries.GetSidSubAuthority;
  return All ? &Entries : nullptr;
}

// Vista's numbers: Windows XP refuses both, which reads as "cannot tell".
constexpr DWORD ProcessQueryLimitedInformation = 0x1000;
constexpr auto TokenIntegrityLevelClass = static_cast<TOKEN_INFORMATION_CLASS>(25);

using TSendInput = UINT(WINAPI*)(UINT, LPINPUT, int);

// Looked up at run time: the first Windows 95 release has no SendInput.
TSendInput SendInputEntry() {
  static const auto Entry = reinterpret_cast<TSendInput>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SendInput")));
  return Entry;
}

}  // namespace

std::uint32_t TWin32SystemApi::SendKeys(const std::vector<TKeyInput>& Keys) {
  const TSendInput Send = SendInputEntry();
  if (!Send) {
    // The first Windows 95 release: one event at a time, and no Unicode input.
    std::uint32_t Sent = 0;
    for (const TKeyInput& Key : Keys) {
      if ((Key.Flags & KEYEVENTF_UNICODE) != 0) continue;
      ::keybd_event(static_cast<BYTE>(Key.Vk), static_cast<BYTE>(Key.Scan), Key.Flags, OwnInputMark);
      ++Sent;
    }
    return Sent;
  }
  if (Keys.empty()) return 0;
  std::vector<INPUT> Inputs(Keys.size());
  for (std::size_t I = 0; I < Keys.size(); ++I) {
    Inputs[I].type = INPUT_KEYBOARD;
    Inputs[I].ki.wVk = Keys[I].Vk;
    Inputs[I].ki.wScan = Keys[I].Scan;
    Inputs[I].ki.dwFlags = Keys[I].Flags;
    Inputs[I].ki.dwExtraInfo = OwnInputMark;
  }
  return Send(static_cast<UINT>(Inputs.size()), Inputs.data(), sizeof(INPUT));
}

std::int16_t TWin32SystemApi::KeyState(int Vk) { return ::GetKeyState(Vk); }

std::int16_t TWin32SystemApi::AsyncKeyState(int Vk) { return ::GetAsyncKeyState(Vk); }

bool TWin32SystemApi::ReadKeyboardState(TKeyboardState& State) {
  return ::GetKeyboardState(State.data()) != 0;
}

bool TWin32SystemApi::WriteKeyboardState(const TKeyboardState& State) {
  TKeyboardState Copy = State;  // the call takes a non-const buffer
  return ::SetKeyboardState(Copy.data()) != 0;
}

std::int16_t TWin32SystemApi::ScanChar(char C) { return ::VkKeyScanA(C); }

std::uint32_t TWin32SystemApi::ScanCodeOfKey(std::uint32_t Vk) { return ::MapVirtualKeyA(Vk, 0); }

std::optional<char> TWin32SystemApi::UnicodeToAnsiChar(std::uint16_t Code) {
  const wchar_t Wide = static_cast<wchar_t>(Code);
  char Bytes[4] = {};
  BOOL UsedDefault = FALSE;
  // A double-byte character of an East Asian code page has no single key either.
  const int Length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &Wide, 1, Bytes, sizeof Bytes,
                                           nullptr, &UsedDefault);
  if (Length != 1 || UsedDefault) return std::nullopt;
  return Bytes[0];
}

bool TWin32SystemApi::StartKeyWatch() {
  if (!KeyWatchHook) KeyWatchHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyWatchProc, ::GetModuleHandleW(nullptr), 0);
  // Read after the hook is in: a key event in flight is then either in the
  // state already or still to reach the hook.
  for (int Vk = 0; Vk < 256; ++Vk) {
    UserKeys[Vk] = !KeyWatchHook                           ? TUserKey::ukUnknown
                   : (::GetAsyncKeyState(Vk) & 0x8000) != 0 ? TUserKey::ukDown
                                                            : TUserKey::ukUp;
    UserKeyPresses[Vk] = 0;
  }
  return KeyWatchHook != nullptr;
}

void TWin32SystemApi::StopKeyWatch() {
  if (KeyWatchHook) ::UnhookWindowsHookEx(KeyWatchHook);
  KeyWatchHook = nullptr;
}

TUserKey TWin32SystemApi::UserKey(std::uint8_t Vk) { return KeyWatchHook ? UserKeys[Vk] : TUserKey::ukUnknown; }

std::uint32_t TWin32SystemApi::UserPresses(std::uint8_t Vk) { return KeyWatchHook ? UserKeyPresses[Vk] : 0; }

std::uint32_t TWin32SystemApi::TickCount() { return ::GetTickCount(); }

void TWin32SystemApi::WaitForMessage(std::uint32_t Milliseconds) {
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, Milliseconds, QS_ALLINPUT);
}

TPumpResult TWin32SystemApi::PumpOneMessage() {
  MSG Msg;
  if (!::PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) return TPumpResult::pmEmpty;
  if (Msg.message == WM_QUIT) return TPumpResult::pmQuitDiscarded;
  ::TranslateMessage(&Msg);
  ::DispatchMessageA(&Msg);
  return TPumpResult::pmDispatched;
}

std::uint32_t TWin32SystemApi::PlatformId() {
  OSVERSIONINFOA Info{};
  Info.dwOSVersionInfoSize = sizeof(Info);  // 148
  if (!::GetVersionExA(&Info)) return 0;
  return Info.dwPlatformId;
}

std::pair<std::uint32_t, std::uint32_t> TWin32SystemApi::WindowsVersion() {
  OSVERSIONINFOA Info{};
  Info.dwOSVersionInfoSize = sizeof(Info);
  if (!::GetVersionExA(&Info)) return {0, 0};
  return {Info.dwMajorVersion, Info.dwMinorVersion};
}

TWindowHandle TWin32SystemApi::ForegroundWindow() {
  return reinterpret_cast<TWindowHandle>(::GetForegroundWindow());
}

bool TWin32SystemApi::SetForeground(TWindowHandle Window) { return ::SetForegroundWindow(AsWindow(Window)) != 0; }

std::uint32_t TWin32SystemApi::WindowThread(TWindowHandle Window, std::uint32_t& ProcessId) {
  DWORD Process = 0;
  const DWORD Thread = ::GetWindowThreadProcessId(AsWindow(Window), &Process);
  ProcessId = Process;
  return Thread;
}

std::optional<TWindowHandle> TWin32SystemApi::FocusOfThread(std::uint32_t ThreadId) {
  GUITHREADINFO Info{};
  Info.cbSize = sizeof Info;
  if (!::GetGUIThreadInfo(ThreadId, &Info)) return std::nullopt;
  return reinterpret_cast<TWindowHandle>(Info.hwndFocus);
}

std::uint32_t TWin32SystemApi::CurrentProcessId() { return ::GetCurrentProcessId(); }

std::wstring TWin32SystemApi::BaseClassName(TWindowHandle Window) {
  wchar_t Name[256] = {};
  const UINT Length = ::RealGetWindowClassW(AsWindow(Window), Name, 256);
  return std::wstring(Name, std::min<UINT>(Length, 255));
}

std::optional<std::uint32_t> TWin32SystemApi::ProcessIntegrity(std::uint32_t ProcessId) {
  const TTokenEntries* Entries = TokenEntries();
  if (!Entries) return std::nullopt;
  const HANDLE Process = ::OpenProcess(ProcessQueryLimitedInformation, FALSE, ProcessId);
  if (!Process) return std::nullopt;
  std::optional<std::uint32_t> Level;
  HANDLE Token = nullptr;
  if (Entries->OpenProcessToken(Process, TOKEN_QUERY, &Token)) {
    // A TOKEN_MANDATORY_LABEL: a SID_AND_ATTRIBUTES and the SID it points to.
    alignas(8) BYTE Label[128] = {};
    DWORD Size = 0;
    if (Entries->GetTokenInformation(Token, TokenIntegrityLevelClass, Label, sizeof Label, &Size)) {
      const PSID Sid = reinterpret_cast<SID_AND_ATTRIBUTES*>(Label)->Sid;
      const UCHAR Count = *Entries->GetSidSubAuthorityCount(Sid);
      if (Count > 0) Level = *Entries->GetSidSubAuthority(Sid, Count - 1);
    }
    ::CloseHandle(Token);
  }
  ::CloseHandle(Process);
  return Level;
}

std::optional<std::intptr_t> TWin32SystemApi::SendGetTextLength(TWindowHandle Window) {
  return SendToControl(Window, WM_GETTEXTLENGTH, 0, 0);
}

std::optional<std::wstring> TWin32SystemApi::SendGetText(TWindowHandle Window, std::size_t BufferChars) {
  std::wstring Text;
  try {
    Text.resize(BufferChars);
  } catch (const std::bad_alloc&) {
    return std::wstring();  // a length no control really has
  } catch (const std::length_error&) {
    return std::wstring();
  }
  const auto Copied = SendToControl(Window, WM_GETTEXT, static_cast<WPARAM>(BufferChars),
                                    reinterpret_cast<LPARAM>(Text.data()));
  if (!Copied) return std::nullopt;
  const std::size_t Copy = *Copied <= 0 ? 0 : static_cast<std::size_t>(*Copied);
  // The count never covers the terminating zero, whatever a control claims.
  Text.resize(std::min(Copy, BufferChars > 0 ? BufferChars - 1 : 0));
  return Text;
}

bool TWin32SystemApi::SendGetSelection(TWindowHandle Window, std::uint32_t& Start, std::uint32_t& End) {
  DWORD From = 0;
  DWORD To = 0;
  const bool Answered =
      SendToControl(Window, EM_GETSEL, reinterpret_cast<WPARAM>(&From), reinterpret_cast<LPARAM>(&To)).has_value();
  Start = From;
  End = To;
  return Answered;
}

std::uint32_t TWin32SystemApi::ClipboardSequence() { return ::GetClipboardSequenceNumber(); }

TClipboardFormat TWin32SystemApi::RegisterClipboardFormat(const char* Name) {
  return ::RegisterClipboardFormatA(Name);
}

bool TWin32SystemApi::OpenClipboard() { return ::OpenClipboard(AsWindow(ClipboardWindow)) != 0; }

bool TWin32SystemApi::CloseClipboard() { return ::CloseClipboard() != 0; }

bool TWin32SystemApi::EmptyClipboard() { return ::EmptyClipboard() != 0; }

TClipboardFormat TWin32SystemApi::EnumClipboardFormats(TClipboardFormat Previous) {
  return ::EnumClipboardFormats(Previous);
}

TWindowHandle TWin32SystemApi::ClipboardOwner() { return reinterpret_cast<TWindowHandle>(::GetClipboardOwner()); }

bool TWin32SystemApi::IsClipboardFormatAvailable(TClipboardFormat Format) {
  return ::IsClipboardFormatAvailable(Format) != 0;
}

std::optional<std::vector<std::uint8_t>> TWin32SystemApi::GetClipboardData(TClipboardFormat Format) {
  const HANDLE Data = ::GetClipboardData(Format);
  if (!Data) return std::nullopt;
  const SIZE_T Size = ::GlobalSize(Data);
  if (Size == 0) return std::nullopt;
  const void* Bytes = ::GlobalLock(Data);
  if (!Bytes) return std::nullopt;
  const auto* First = static_cast<const std::uint8_t*>(Bytes);
  std::vector<std::uint8_t> Copy(First, First + Size);
  ::GlobalUnlock(Data);
  return Copy;
}

bool TWin32SystemApi::SetClipboardData(TClipboardFormat Format, const std::vector<std::uint8_t>& Bytes) {
  const HGLOBAL Block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Bytes.empty() ? 1 : Bytes.size());
  if (!Block) return false;
  void* Target = ::GlobalLock(Block);
  if (!Target) {
    ::GlobalFree(Block);
    return false;
  }
  if (!Bytes.empty()) std::memcpy(Target, Bytes.data(), Bytes.size());
  ::GlobalUnlock(Block);
  // On success the clipboard owns the block; otherwise it is still ours.
  if (!::SetClipboardData(Format, Block)) {
    ::GlobalFree(Block);
    return false;
  }
  return true;
}

TModuleHandle TWin32SystemApi::OpenLibrary(const std::string& FileName) {
  return reinterpret_cast<TModuleHandle>(::LoadLibraryA(FileName.c_str()));
}

TProcAddress TWin32SystemApi::FindExport(TModuleHandle Module, const char* Name) {
  return reinterpret_cast<TProcAddress>(::GetProcAddress(reinterpret_cast<HMODULE>(Module), Name));
}

void TWin32SystemApi::CloseLibrary(TModuleHandle Module) {
  ::FreeLibrary(reinterpret_cast<HMODULE>(Module));
}

std::uint32_t TWin32SystemApi::CallExport(TProcAddress Address) {
  using TExport = DWORD(WINAPI*)();
  return reinterpret_cast<TExport>(Address)();
}

}  // namespace talvex
