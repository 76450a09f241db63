// The operating-system calls that capture, typing and the monitor binding
// make, and nothing more: the logic above this seam is tested natively with a
// recording fake, and Win32SystemApi is a line or two per call.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace talvex {

using TWindowHandle = std::uintptr_t;
using TModuleHandle = std::uintptr_t;
using TProcAddress = std::uintptr_t;
using TClipboardFormat = std::uint32_t;
using TKeyboardState = std::array<std::uint8_t, 256>;

// What one step of draining the thread's message queue did.
enum class TPumpResult { pmEmpty, pmQuitDiscarded, pmDispatched };

class ISystemApi {
public:
  virtual ~ISystemApi() = default;

  // Synthesised input and keyboard state.
  virtual void KeybdEvent(std::uint8_t Vk, std::uint8_t Scan, std::uint32_t Flags) = 0;
  // One SendInput keyboard event with KEYEVENTF_UNICODE among Flags.
  virtual void SendUnicodeKey(std::uint16_t Code, std::uint32_t Flags) = 0;
  virtual std::int16_t KeyState(int Vk) = 0;       // GetKeyState
  virtual std::int16_t AsyncKeyState(int Vk) = 0;  // GetAsyncKeyState
  virtual bool ReadKeyboardState(TKeyboardState& State) = 0;
  virtual bool WriteKeyboardState(const TKeyboardState& State) = 0;
  virtual std::int16_t ScanChar(char C) = 0;  // VkKeyScanA
  virtual std::uint32_t ScanCodeOfKey(std::uint32_t Vk) = 0;  // MapVirtualKeyA (Vk, 0)
  // The UTF-16 unit of one byte of the ANSI code page (MultiByteToWideChar).
  virtual std::optional<std::uint16_t> AnsiCharToUnicode(char C) = 0;
  // The one byte of the ANSI code page that stands for a UTF-16 unit exactly
  // (WideCharToMultiByte without best-fit); nothing when the code page lacks it.
  virtual std::optional<char> UnicodeToAnsiChar(std::uint16_t Code) = 0;

  virtual void Sleep(std::uint32_t Milliseconds) = 0;
  // PeekMessageA (PM_REMOVE); a removed WM_QUIT is dropped, any other message
  // is translated and dispatched.
  virtual TPumpResult PumpOneMessage() = 0;
  virtual std::uint32_t PlatformId() = 0;  // GetVersionExA dwPlatformId

  // The three messages sent to the focused control of another application.
  virtual std::intptr_t SendGetTextLength(TWindowHandle Window) = 0;
  // WM_GETTEXT into a buffer of BufferChars; the characters it reports copied.
  virtual std::string SendGetText(TWindowHandle Window, std::size_t BufferChars) = 0;
  virtual void SendGetSelection(TWindowHandle Window, std::uint32_t& Start, std::uint32_t& End) = 0;

  // The clipboard, with its global memory blocks as bytes.
  virtual bool OpenClipboard() = 0;  // no owner window
  virtual bool CloseClipboard() = 0;
  virtual bool EmptyClipboard() = 0;
  virtual TClipboardFormat EnumClipboardFormats(TClipboardFormat Previous) = 0;
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
