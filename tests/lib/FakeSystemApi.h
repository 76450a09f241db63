// A recording stand-in for the operating system: every call that reaches the
// outside world is written down as one line, so tests compare whole sequences.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lib/SystemApi.h"

namespace talvex::testing {

inline std::string Hex(unsigned Value) {
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, "%02X", Value);
  return Buffer;
}

// The lines the fake writes, for building expected sequences.
inline std::string Key(std::uint8_t Vk, std::uint32_t Flags, std::uint8_t Scan = 0) {
  return "key " + Hex(Vk) + " scan " + Hex(Scan) + " flags " + std::to_string(Flags);
}
inline std::string Unicode(std::uint16_t Code, std::uint32_t Flags) {
  return "unicode " + Hex(Code) + " flags " + std::to_string(Flags);
}
inline std::string WaitFor(std::uint32_t Ms) { return "wait " + std::to_string(Ms); }
// The line before the events of one SendKeys call.
inline std::string Send(std::size_t Count) { return "send " + std::to_string(Count); }
inline std::string ForegroundTo(std::uintptr_t Window) { return "foreground " + Hex(static_cast<unsigned>(Window)); }
inline std::string SetData(std::uint32_t Format, const std::string& Bytes) {
  return "set " + std::to_string(Format) + " '" + Bytes + "'";
}
inline const std::string Pump = "pump";
inline const std::string Open = "open";
inline const std::string Close = "close";
inline const std::string Empty = "empty";
inline const std::string WriteState = "write keyboard state";
inline const std::string WatchStart = "watch start";
inline const std::string WatchStop = "watch stop";

using TBytes = std::vector<std::uint8_t>;
inline TBytes Bytes(const std::string& Text) { return TBytes(Text.begin(), Text.end()); }
inline TBytes Sz(const std::string& Text) {
  TBytes B = Bytes(Text);
  B.push_back(0);
  return B;
}

class TFakeSystemApi final : public ISystemApi {
public:
  std::vector<std::string> Calls;

  // Keyboard.
  std::uint32_t Platform = 2;
  std::pair<std::uint32_t, std::uint32_t> Version = {5, 1};  // Windows XP
  std::map<int, std::deque<std::int16_t>> KeyStates;  // per key; the last value repeats
  // Keys down now: synthesised presses add, releases remove. AsyncKeyState
  // reads them, unless AsyncStates scripts the key.
  std::set<int> Down;
  std::map<int, std::deque<std::int16_t>> AsyncStates;
  // NumLock's toggle, flipped by every press of it the system takes; KeyState
  // reads it unless KeyStates scripts NumLock.
  bool NumLockOn = false;
  // The keyboard watch: whether it can be installed, what it saw the user do
  // (at its start it sees the keys in Down), and the user's presses.
  bool WatchInstalls = true;
  std::map<int, TUserKey> UserKeys;
  std::map<int, std::uint32_t> Presses;
  // Input the system does not take: all of it while an administrator's
  // window is in front, or all beyond the first SendLimit events of a call.
  std::set<TWindowHandle> ElevatedWindows;
  std::optional<std::size_t> SendLimit;
  std::vector<TWindowHandle> InputTo;  // the foreground window at each SendKeys
  TKeyboardState Keyboard{};
  TKeyboardState WrittenKeyboard{};
  std::map<char, std::int16_t> Layout = UsLayout();
  std::vector<std::uint16_t> NoAnsi;        // UTF-16 units the ANSI code page lacks

  // Messages: what successive pumps find; empty afterwards.
  std::deque<TPumpResult> Queue;
  std::function<void()> OnDispatch;  // what a dispatched message runs, if anything
  // The clock, which only waits move on.
  std::uint32_t Clock = 1000;
  std::function<void()> OnWait;  // what happens elsewhere while the thread waits

  // Windows: thread and process of each; the focus window of each thread.
  struct TWindowOwner {
    std::uint32_t Thread, Process;
  };
  TWindowHandle Foreground = 0;
  bool ForegroundSwitches = true;  // SetForeground succeeds
  std::map<TWindowHandle, TWindowOwner> Owners;
  std::map<std::uint32_t, TWindowHandle> ThreadFocus;
  bool GuiThreadInfoFails = false;
  std::uint32_t OwnProcess = 1;
  std::map<TWindowHandle, std::wstring> Classes;  // "Edit" when not given
  std::map<std::uint32_t, std::uint32_t> Integrity;  // processes whose level the system tells

  // The focused control of the other application.
  std::map<TWindowHandle, std::wstring> WindowTexts;
  std::uint32_t SelStart = 0, SelEnd = 0;
  std::optional<std::intptr_t> ReportedLength;  // a control that lies about its length
  bool ControlAnswers = true;                   // false: a hung application

  // Clipboard.
  bool ClipboardOpens = true;
  std::uint32_t Sequence = 100;
  std::vector<std::pair<TClipboardFormat, TBytes>> Clipboard;
  TWindowHandle Owner = 0;
  static constexpr TWindowHandle OwnWindow = 0x60;  // the program's, which opens the clipboard
  std::function<void()> OnCopyKeystroke;  // the foreground application reacting to Ctrl+Insert
  std::optional<TClipboardFormat> ThrowOnGet;  // its copy does not fit in memory
  std::set<TClipboardFormat> Unplaceable;      // SetClipboardData fails for these
  static constexpr TClipboardFormat ExcludeFormat = 0xC0E0;

  // What an application's copy does to the clipboard; By is the window that
  // opened the clipboard for it.
  void PlaceCopy(const std::wstring& Text, TWindowHandle By = 0) {
    Clipboard.clear();
    TBytes Bytes;
    for (const wchar_t W : Text) {
      Bytes.push_back(static_cast<std::uint8_t>(W & 0xFF));
      Bytes.push_back(static_cast<std::uint8_t>(W >> 8));
    }
    Bytes.push_back(0);
    Bytes.push_back(0);
    Clipboard.emplace_back(13, Bytes);
    Owner = By;
    ++Sequence;
  }
  // Libraries.
  TModuleHandle LibraryHandle = 0x4000;
  std::map<std::string, TProcAddress> Exports;
  std::map<TProcAddress, std::uint32_t> ExportResults;

  static std::map<char, std::int16_t> UsLayout() {
    std::map<char, std::int16_t> L;
    for (char C = 'a'; C <= 'z'; ++C) L[C] = static_cast<std::int16_t>(C - 'a' + 'A');
    for (char C = 'A'; C <= 'Z'; ++C) L[C] = static_cast<std::int16_t>(0x100 | C);
    for (char C = '0'; C <= '9'; ++C) L[C] = C;
    L['='] = 0xBB;
    L['+'] = 0x1BB;
    L['-'] = 0xBD;
    L['*'] = 0x138;
    L['/'] = 0xBF;
    L['.'] = 0xBE;
    L[' '] = 0x20;
    return L;
  }

  std::uint32_t SendKeys(const std::vector<TKeyInput>& Keys) override {
    Calls.push_back(Send(Keys.size()));
    InputTo.push_back(Foreground);
    std::size_t Taken = ElevatedWindows.count(Foreground) ? 0 : std::min(Keys.size(), SendLimit.value_or(Keys.size()));
    for (std::size_t I = 0; I < Keys.size(); ++I) {
      const TKeyInput& K = Keys[I];
      const bool Up = (K.Flags & 2) != 0;
      Calls.push_back((K.Flags & 4) ? Unicode(K.Scan, K.Flags)
                                    : Key(static_cast<std::uint8_t>(K.Vk), K.Flags, static_cast<std::uint8_t>(K.Scan)));
      if (I >= Taken || (K.Flags & 4)) continue;
      if (Up) {
        Down.erase(K.Vk);
      } else {
        if (K.Vk == 0x90) NumLockOn = !NumLockOn;
        Down.insert(K.Vk);
      }
      if (K.Vk == 0x2D && !Up && OnCopyKeystroke) OnCopyKeystroke();
    }
    return static_cast<std::uint32_t>(Taken);
  }
  std::int16_t KeyState(int Vk) override {
    if (Vk == 0x90 && !KeyStates.count(Vk)) return NumLockOn ? 1 : 0;
    return Next(KeyStates, Vk);
  }
  std::int16_t AsyncKeyState(int Vk) override {
    if (AsyncStates.count(Vk)) return Next(AsyncStates, Vk);
    const auto Is = [this](int Key) { return Down.count(Key) != 0; };
    bool D = Is(Vk);
    if (Vk >= 0x10 && Vk <= 0x12) D = D || Is(0xA0 + 2 * (Vk - 0x10)) || Is(0xA1 + 2 * (Vk - 0x10));
    return static_cast<std::int16_t>(D ? 0x8000 : 0);
  }
  bool StartKeyWatch() override {
    Calls.push_back(WatchStart);
    if (!WatchInstalls) return false;
    for (const int Key : Down) UserKeys.emplace(Key, TUserKey::ukDown);
    return true;
  }
  void StopKeyWatch() override { Calls.push_back(WatchStop); }
  TUserKey UserKey(std::uint8_t Vk) override {
    const auto It = UserKeys.find(Vk);
    return !WatchInstalls || It == UserKeys.end() ? TUserKey::ukUnknown : It->second;
  }
  std::uint32_t UserPresses(std::uint8_t Vk) override {
    const auto It = Presses.find(Vk);
    return It == Presses.end() ? 0 : It->second;
  }
  std::uint32_t TickCount() override { return Clock; }
  void WaitForMessage(std::uint32_t Milliseconds) override {
    Calls.push_back(WaitFor(Milliseconds));
    Clock += Milliseconds;
    if (OnWait) OnWait();
  }
  bool ReadKeyboardState(TKeyboardState& State) override {
    State = Keyboard;
    return true;
  }
  bool WriteKeyboardState(const TKeyboardState& State) override {
    Calls.push_back(WriteState);
    WrittenKeyboard = State;
    return true;
  }
  std::int16_t ScanChar(char C) override {
    const auto It = Layout.find(C);
    return It == Layout.end() ? std::int16_t{-1} : It->second;
  }
  // The set-1 scan codes of the keys the program presses; the rest made up.
  std::uint32_t ScanCodeOfKey(std::uint32_t Vk) override {
    static const std::map<std::uint32_t, std::uint32_t> Codes = {
        {0x10, 0x2A}, {0xA0, 0x2A}, {0xA1, 0x36}, {0x11, 0x1D}, {0xA2, 0x1D}, {0xA3, 0x1D}, {0x12, 0x38},
        {0xA4, 0x38}, {0xA5, 0x38}, {0x14, 0x3A}, {0x2D, 0x52}, {0x90, 0x45}};
    const auto It = Codes.find(Vk);
    return It == Codes.end() ? Vk & 0x7F : It->second;
  }
  std::optional<char> UnicodeToAnsiChar(std::uint16_t Code) override {
    for (const std::uint16_t Missing : NoAnsi)
      if (Missing == Code) return std::nullopt;
    if (Code >= 0x0410 && Code <= 0x044F) return static_cast<char>(0xC0 + (Code - 0x0410));
    if (Code < 0xC0) return static_cast<char>(Code);
    return std::nullopt;
  }

  TPumpResult PumpOneMessage() override {
    Calls.push_back(Pump);
    if (Queue.empty()) return TPumpResult::pmEmpty;
    const TPumpResult R = Queue.front();
    Queue.pop_front();
    if (R == TPumpResult::pmDispatched && OnDispatch) OnDispatch();
    return R;
  }
  std::uint32_t PlatformId() override { return Platform; }
  std::pair<std::uint32_t, std::uint32_t> WindowsVersion() override { return Version; }

  TWindowHandle ForegroundWindow() override { return Foreground; }
  bool SetForeground(TWindowHandle Window) override {
    Calls.push_back(ForegroundTo(Window));
    if (ForegroundSwitches) Foreground = Window;
    return ForegroundSwitches;
  }
  std::uint32_t WindowThread(TWindowHandle Window, std::uint32_t& ProcessId) override {
    const auto It = Owners.find(Window);
    ProcessId = It == Owners.end() ? 0 : It->second.Process;
    return It == Owners.end() ? 0 : It->second.Thread;
  }
  std::optional<TWindowHandle> FocusOfThread(std::uint32_t ThreadId) override {
    Calls.push_back("thread focus " + std::to_string(ThreadId));
    if (GuiThreadInfoFails) return std::nullopt;
    const auto It = ThreadFocus.find(ThreadId);
    return It == ThreadFocus.end() ? 0 : It->second;
  }
  std::uint32_t CurrentProcessId() override { return OwnProcess; }
  std::wstring BaseClassName(TWindowHandle Window) override {
    const auto It = Classes.find(Window);
    return It == Classes.end() ? L"Edit" : It->second;
  }
  std::optional<std::uint32_t> ProcessIntegrity(std::uint32_t ProcessId) override {
    const auto It = Integrity.find(ProcessId);
    if (It == Integrity.end()) return std::nullopt;
    return It->second;
  }

  std::optional<std::intptr_t> SendGetTextLength(TWindowHandle Window) override {
    Calls.push_back("WM_GETTEXTLENGTH " + std::to_string(Window));
    if (!ControlAnswers) return std::nullopt;
    if (ReportedLength) return *ReportedLength;
    const auto It = WindowTexts.find(Window);
    return It == WindowTexts.end() ? 0 : static_cast<std::intptr_t>(It->second.size());
  }
  std::optional<std::wstring> SendGetText(TWindowHandle Window, std::size_t BufferChars) override {
    Calls.push_back("WM_GETTEXT " + std::to_string(Window) + " " + std::to_string(BufferChars));
    if (!ControlAnswers) return std::nullopt;
    const std::wstring& Text = WindowTexts[Window];
    return Text.substr(0, BufferChars > 0 ? BufferChars - 1 : 0);
  }
  bool SendGetSelection(TWindowHandle Window, std::uint32_t& Start, std::uint32_t& End) override {
    Calls.push_back("EM_GETSEL " + std::to_string(Window));
    Start = ControlAnswers ? SelStart : 0;
    End = ControlAnswers ? SelEnd : 0;
    return ControlAnswers;
  }

  std::uint32_t ClipboardSequence() override { return Sequence; }
  TClipboardFormat RegisterClipboardFormat(const char* Name) override {
    return std::string(Name) == "ExcludeClipboardContentFromMonitorProcessing" ? ExcludeFormat : 0xC0FF;
  }
  std::function<void()> OnOpen;  // another application, just before the program opens the clipboard
  bool OpenClipboard() override {
    if (OnOpen) OnOpen();
    Calls.push_back(Open);
    return ClipboardOpens;
  }
  std::function<void()> OnClose;  // another application, just after the program closed it
  bool CloseClipboard() override {
    Calls.push_back(Close);
    if (OnClose) OnClose();
    return true;
  }
  bool EmptyClipboard() override {
    Calls.push_back(Empty);
    Clipboard.clear();
    Owner = OwnWindow;
    ++Sequence;
    return true;
  }
  TWindowHandle ClipboardOwner() override { return Owner; }
  TClipboardFormat EnumClipboardFormats(TClipboardFormat Previous) override {
    if (Previous == 0) return Clipboard.empty() ? 0 : Clipboard.front().first;
    for (std::size_t I = 0; I + 1 < Clipboard.size(); ++I)
      if (Clipboard[I].first == Previous) return Clipboard[I + 1].first;
    return 0;
  }
  bool IsClipboardFormatAvailable(TClipboardFormat Format) override { return Find(Format) != nullptr; }
  std::optional<TBytes> GetClipboardData(TClipboardFormat Format) override {
    Calls.push_back("get " + std::to_string(Format));
    if (ThrowOnGet == Format) throw std::bad_alloc();
    const TBytes* Data = Find(Format);
    if (!Data) return std::nullopt;
    return *Data;
  }
  bool SetClipboardData(TClipboardFormat Format, const TBytes& Data) override {
    std::string Shown;
    for (const std::uint8_t B : Data) Shown += B == 0 ? std::string("\\0") : std::string(1, static_cast<char>(B));
    Calls.push_back(SetData(Format, Shown));
    if (Unplaceable.count(Format)) return false;
    Clipboard.emplace_back(Format, Data);
    ++Sequence;
    return true;
  }

  TModuleHandle OpenLibrary(const std::string& FileName) override {
    Calls.push_back("load " + FileName);
    return LibraryHandle;
  }
  TProcAddress FindExport(TModuleHandle Module, const char* Name) override {
    Calls.push_back("find " + std::string(Name));
    if (Module != LibraryHandle) return 0;
    const auto It = Exports.find(Name);
    return It == Exports.end() ? 0 : It->second;
  }
  void CloseLibrary(TModuleHandle Module) override { Calls.push_back("free " + std::to_string(Module)); }
  std::uint32_t CallExport(TProcAddress Address) override {
    for (const auto& [Name, A] : Exports)
      if (A == Address) Calls.push_back("call " + Name);
    return ExportResults[Address];
  }

  // The Vantrel exports, each at its own address.
  void ProvideMonitorExports() {
    const char* Names[] = {"GetCurrentFocus", "GetKbdTime",     "GetMouseTime",    "GetProcessId",
                           "InstallMonitor",  "MonitorInstalled", "UninstallMonitor"};
    TProcAddress Address = 0x5000;
    for (const char* Name : Names) Exports[Name] = ++Address;
  }
  void SetExportResult(const std::string& Name, std::uint32_t Value) { ExportResults[Exports.at(Name)] = Value; }

  void ClearCalls() { Calls.clear(); }

private:
  static std::int16_t Next(std::map<int, std::deque<std::int16_t>>& States, int Vk) {
    auto It = States.find(Vk);
    if (It == States.end() || It->second.empty()) return 0;
    const std::int16_t Value = It->second.front();
    if (It->second.size() > 1) It->second.pop_front();
    return Value;
  }
  const TBytes* Find(TClipboardFormat Format) const {
    for (const auto& [F, Data] : Clipboard)
      if (F == Format) return &Data;
    return nullptr;
  }
};

}  // namespace talvex::testing
