// The operating-system calls that capture, typing and the monitor binding
// make, and nothing more: the logic above this seam is tested natively with a
// recording fake, and Win32SystemApi is a line or two per call.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace talvex {

using TWindowHandle = std::uintptr_t;
using TModuleHandle = std::uintptr_t;
using TProcAddress = std::uintptr_t;
using TClipboardFormat = std::uint32_t;
using TKeyboardState = std::array<std::uint8_t, 256>;

// What one step of draining the thread's message queue did.
enum class TPumpResult { pmEmpty, pmQuitDiscarded, pmDispatched };

// What the user last did with a key while the keyboard watch runs.
enum class TUserKey { ukUnknown, ukDown, ukUp };

// One synthesised key event: a virtual key and its scan code, or, with
// KeyEventUnicode among Flags, a UTF-16 unit in Scan and no virtual key.
struct TKeyInput {
  std::uint16_t Vk = 0;
  std::uint16_t Scan = 0;
  std::uint32_t Flags = 0;
};

class ISystemApi {
public:
  virtual ~ISystemApi() = default;

  // Synthesised input and keyboard state. All of Keys go in one SendInput
  // call, so that no other input comes between them; the number the system
  // took (0 when it refuses them all, as it does for the window of a program
  // with a higher integrity level). Every event carries the program's mark,
  // which the keyboard watch knows it by.
  virtual std::uint32_t SendKeys(const std::vector<TKeyInput>& Keys) = 0;
  virtual std::int16_t KeyState(int Vk) = 0;       // GetKeyState
  virtual std::int16_t AsyncKeyState(int Vk) = 0;  // GetAsyncKeyState
  virtual bool ReadKeyboardState(TKeyboardState& State) = 0;
  virtual bool WriteKeyboardState(const TKeyboardState& State) = 0;
  virtual std::int16_t ScanChar(char C) = 0;  // VkKeyScanA
  virtual std::uint32_t ScanCodeOfKey(std::uint32_t Vk) = 0;  // MapVirtualKeyA (Vk, 0)
  // The one byte of the ANSI code page that stands for a UTF-16 unit exactly
  // (WideCharToMultiByte without best-fit); nothing when the code page lacks it.
  virtual std::optional<char> UnicodeToAnsiChar(std::uint16_t Code) = 0;

  // A low-level keyboard hook of this thread that notes what the user does
  // with each key, leaving out the program's own marked events. It starts
  // from the keys down at the moment it is installed. False when it cannot
  // be installed (the Windows 95 family has none); every key reads ukUnknown then.
  virtual bool StartKeyWatch() = 0;
  virtual void StopKeyWatch() = 0;
  virtual TUserKey UserKey(std::uint8_t Vk) = 0;
  // How often the user pressed the key (not counting its auto-repeat) since the watch started.
  virtual std::uint32_t UserPresses(std::uint8_t Vk) = 0;

  virtual std::uint32_t TickCount() = 0;  // GetTickCount: milliseconds, wrapping
  // Returns when a message arrives for this thread or Milliseconds have
  // passed (MsgWaitForMultipleObjects); dispatches nothing.
  virtual void WaitForMessage(std::uint32_t Milliseconds) = 0;
  // PeekMessageA (PM_REMOVE); a removed WM_QUIT is dropped, any other message
  // is translated and dispatched.
  virtual TPumpResult PumpOneMessage() = 0;
  virtual std::uint32_t PlatformId() = 0;  // GetVersionExA dwPlatformId
  // GetVersionExA's major and minor version; 0 and 0 when it fails.
  virtual std::pair<std::uint32_t, std::uint32_t> WindowsVersion() = 0;

  // The foreground application.
  virtual TWindowHandle ForegroundWindow() = 0;  // GetForegroundWindow
  virtual bool SetForeground(TWindowHandle Window) = 0;  // SetForegroundWindow
  // GetWindowThreadProcessId: the thread, 0 for a window that is gone.
  virtual std::uint32_t WindowThread(TWindowHandle Window, std::uint32_t& ProcessId) = 0;
  // GetGUIThreadInfo's hwndFocus (0 when the thread has none); nothing when the call fails.
  virtual std::optional<TWindowHandle> FocusOfThread(std::uint32_t ThreadId) = 0;
  virtual std::uint32_t CurrentProcessId() = 0;
  // The class of the system control the window is built on (RealGetWindowClassW).
  virtual std::wstring BaseClassName(TWindowHandle Window) = 0;
  // The integrity level (the label's RID) of a process; nothing when the
  // system cannot tell (Windows XP, or no access to the process).
  virtual std::optional<std::uint32_t> ProcessIntegrity(std::uint32_t ProcessId) = 0;

  // The three messages sent to the focused control of another application,
  // as UTF-16 whatever the control's own character set; each is nothing (or
  // false) when the control did not answer in time.
  virtual std::optional<std::intptr_t> SendGetTextLength(TWindowHandle Window) = 0;
  // WM_GETTEXT into a buffer of BufferChars; the characters it reports copied.
  virtual std::optional<std::wstring> SendGetText(TWindowHandle Window, std::size_t BufferChars) = 0;
  virtual bool SendGetSelection(TWindowHandle Window, std::uint32_t& Start, std::uint32_t& End) = 0;

  // The clipboard, with its global memory blocks as bytes.
  virtual std::uint32_t ClipboardSequence() = 0;  // GetClipboardSequenceNumber
  virtual TClipboardFormat RegisterClipboardFormat(const char* Name) = 0;
  // With the program's own window, which then owns what the program places.
  virtual bool OpenClipboard() = 0;
  virtual bool CloseClipboard() = 0;
  virtual bool EmptyClipboard() = 0;
  virtual TClipboardFormat EnumClipboardFormats(TClipboardFormat Previous) = 0;
  virtual TWindowHandle ClipboardOwner() = 0;  // GetClipboardOwner; 0 when nobody owns it
  virtual bool IsClipboardFormatAvailable(TClipboardFormat Format) = 0;
  // The bytes of the format's global memory block; nothing when the format
  // has no data or its handle is not a global memory block.
  virtual std::optional<std::vector<std::uint8_t>> GetClipboardData(TClipboardFormat Format) = 0;
  // Places a new global memory block (GMEM_MOVEABLE | GMEM_DDESHARE) holding Bytes.
  virtual bool SetClipboardData(TClipboardFormat Format, const std::vector<std::uint8_t>& Bytes) = 0;

  // Run-time linking.
  virtual TModuleHandle OpenLibrary(const std::string& FileName) = 0;  // LoadLibraryA
  virtual TProcAddress FindExport(TModuleHandle Module, const char* Name) = 0;  // GetProcAddress
  virtual void CloseLibrary(TModuleHandle Module) = 0;  // FreeLibrary
  // Calls an export that takes no arguments and returns a 32-bit value.
  virtual std::uint32_t CallExport(TProcAddress Address) = 0;
};

}  // namespace talvex
