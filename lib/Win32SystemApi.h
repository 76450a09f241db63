// The operating-system calls of lib/ as the shipped program makes them.
#pragma once

#include "SystemApi.h"

namespace talvex {

class TWin32SystemApi final : public ISystemApi {
public:
  // ClipboardWindow opens the clipboard: after EmptyClipboard, only an owner
  // window makes SetClipboardData reliable.
  explicit TWin32SystemApi(TWindowHandle ClipboardOwnerWindow = 0) : ClipboardWindow(ClipboardOwnerWindow) {}

  std::uint32_t SendKeys(const std::vector<TKeyInput>& Keys) override;
  std::int16_t KeyState(int Vk) override;
  std::int16_t AsyncKeyState(int Vk) override;
  bool ReadKeyboardState(TKeyboardState& State) override;
  bool WriteKeyboardState(const TKeyboardState& State) override;
  std::int16_t ScanChar(char C) override;
  std::uint32_t ScanCodeOfKey(std::uint32_t Vk) override;
  std::optional<char> UnicodeToAnsiChar(std::uint16_t Code) override;

  bool StartKeyWatch() override;
  void StopKeyWatch() override;
  TUserKey UserKey(std::uint8_t Vk) override;
  std::uint32_t UserPresses(std::uint8_t Vk) override;
  std::uint32_t TickCount() override;
  void WaitForMessage(std::uint32_t Milliseconds) override;
  TPumpResult PumpOneMessage() override;
  std::uint32_t PlatformId() override;
  std::pair<std::uint32_t, std::uint32_t> WindowsVersion() override;

  TWindowHandle ForegroundWindow() override;
  bool SetForeground(TWindowHandle Window) override;
  std::uint32_t WindowThread(TWindowHandle Window, std::uint32_t& ProcessId) override;
  std::optional<TWindowHandle> FocusOfThread(std::uint32_t ThreadId) override;
  std::uint32_t CurrentProcessId() override;
  std::wstring BaseClassName(TWindowHandle Window) override;
  std::optional<std::uint32_t> ProcessIntegrity(std::uint32_t ProcessId) override;

  std::optional<std::intptr_t> SendGetTextLength(TWindowHandle Window) override;
  std::optional<std::wstring> SendGetText(TWindowHandle Window, std::size_t BufferChars) override;
  bool SendGetSelection(TWindowHandle Window, std::uint32_t& Start, std::uint32_t& End) override;

  std::uint32_t ClipboardSequence() override;
  TClipboardFormat RegisterClipboardFormat(const char* Name) override;
  bool OpenClipboard() override;
  bool CloseClipboard() override;
  bool EmptyClipboard() override;
  TClipboardFormat EnumClipboardFormats(TClipboardFormat Previous) override;
  TWindowHandle ClipboardOwner() override;
  bool IsClipboardFormatAvailable(TClipboardFormat Format) override;
  std::optional<std::vector<std::uint8_t>> GetClipboardData(TClipboardFormat Format) override;
  bool SetClipboardData(TClipboardFormat Format, const std::vector<std::uint8_t>& Bytes) override;

  TModuleHandle OpenLibrary(const std::string& FileName) override;
  TProcAddress FindExport(TModuleHandle Module, const char* Name) override;
  void CloseLibrary(TModuleHandle Module) override;
  std::uint32_t CallExport(TProcAddress Address) override;

 private:
  TWindowHandle ClipboardWindow;
};

}  // namespace talvex
