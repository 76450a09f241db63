// The operating-system calls of lib/ as the shipped program makes them.
#pragma once

#include "SystemApi.h"

namespace talvex {

class TWin32SystemApi final : public ISystemApi {
public:
  void KeybdEvent(std::uint8_t Vk, std::uint8_t Scan, std::uint32_t Flags) override;
  void SendUnicodeKey(std::uint16_t Code, std::uint32_t Flags) override;
  std::int16_t KeyState(int Vk) override;
  std::int16_t AsyncKeyState(int Vk) override;
  bool ReadKeyboardState(TKeyboardState& State) override;
  bool WriteKeyboardState(const TKeyboardState& State) override;
  std::int16_t ScanChar(char C) override;
  std::uint32_t ScanCodeOfKey(std::uint32_t Vk) override;
  std::optional<char> UnicodeToAnsiChar(std::uint16_t Code) override;

  void StartKeyWatch() override;
  void StopKeyWatch() override;
  TUserKey UserKey(std::uint8_t Vk) override;
  std::uint32_t TickCount() override;
  void WaitForMessage(std::uint32_t Milliseconds) override;
  TPumpResult PumpOneMessage() override;
  std::uint32_t PlatformId() override;

  TWindowHandle ForegroundWindow() override;
  std::uint32_t WindowThread(TWindowHandle Window, std::uint32_t& ProcessId) override;
  TWindowHandle FocusOfThread(std::uint32_t ThreadId) override;
  std::uint32_t CurrentProcessId() override;
  std::wstring BaseClassName(TWindowHandle Window) override;
  std::optional<std::uint32_t> ProcessIntegrity(std::uint32_t ProcessId) override;

  std::intptr_t SendGetTextLength(TWindowHandle Window) override;
  std::wstring SendGetText(TWindowHandle Window, std::size_t BufferChars) override;
  void SendGetSelection(TWindowHandle Window, std::uint32_t& Start, std::uint32_t& End) override;

  std::uint32_t ClipboardSequence() override;
  TClipboardFormat RegisterClipboardFormat(const char* Name) override;
  bool OpenClipboard() override;
  bool CloseClipboard() override;
  bool EmptyClipboard() override;
  TClipboardFormat EnumClipboardFormats(TClipboardFormat Previous) override;
  bool IsClipboardFormatAvailable(TClipboardFormat Format) override;
  std::optional<std::vector<std::uint8_t>> GetClipboardData(TClipboardFormat Format) override;
  bool SetClipboardData(TClipboardFormat Format, const std::vector<std::uint8_t>& Bytes) override;

  TModuleHandle OpenLibrary(const std::string& FileName) override;
  TProcAddress FindExport(TModuleHandle Module, const char* Name) override;
  void CloseLibrary(TModuleHandle Module) override;
  std::uint32_t CallExport(TProcAddress Address) override;
};

}  // namespace talvex
