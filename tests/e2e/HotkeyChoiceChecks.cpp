// The program's tray menu end to end: a recent result copied back, and the
// choice of hotkeys: the Ctrl+Shift+F7/F8 pair picked from the menu works at
// once, lets the NumLock pair go, is written to the settings file, is there
// again after a new start, and the NumLock pair can be picked back. Nothing
// is written by a session that changes nothing.
#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "AppSuite.h"

namespace talvex::e2e {

namespace {

constexpr DWORD KeyPause = 100;  // lets the menu's loop take each key in turn
// Down presses from the menu's top to its submenus (separators are skipped).
constexpr int RecentResultsItem = 3;
constexpr int HotkeysItem = 4;
constexpr int NumLockPair = 0;
constexpr int F7F8Pair = 1;
constexpr int HotkeyProbe = 0x7A00;  // the driver's own hotkey ids

std::wstring SettingsFolder() {
  wchar_t AppData[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, AppData);
  return std::wstring(AppData) + L"\\Talvex";
}

std::wstring SettingsPath() { return SettingsFolder() + L"\\settings.txt"; }

std::optional<std::string> SettingsText() {
  const HANDLE File = CreateFileW(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (File == INVALID_HANDLE_VALUE) return std::nullopt;
  char Bytes[256];
  DWORD Read = 0;
  const BOOL Ok = ReadFile(File, Bytes, sizeof Bytes, &Read, nullptr);
  CloseHandle(File);
  return Ok ? std::optional<std::string>(std::string(Bytes, Read)) : std::nullopt;
}

void Tap(BYTE Vk) {
  keybd_event(Vk, 0, 0, 0);
  keybd_event(Vk, 0, KEYEVENTF_KEYUP, 0);
  PumpFor(KeyPause);
}

// Whether another program holds the keys: the driver cannot register them then.
bool Held(UINT Modifiers, UINT Vk) {
  if (!RegisterHotKey(nullptr, HotkeyProbe, Modifiers, Vk)) return true;
  UnregisterHotKey(nullptr, HotkeyProbe);
  return false;
}

}  // namespace

void RemoveSettingsFile() {
  DeleteFileW(SettingsPath().c_str());
  RemoveDirectoryW(SettingsFolder().c_str());
}

void TSuite::CheckNothingWritten(const std::string& After) {
  Check(GetFileAttributesW(SettingsFolder().c_str()) == INVALID_FILE_ATTRIBUTES,
        After + ": nothing is written, not even the settings folder");
}

bool TSuite::ChooseFromMenu(TProgram& Program, HWND Application, int Submenu, int Item, const std::string& What) {
  PostMessageW(Application, TrayCallback, 1, WM_RBUTTONUP);
  if (!PumpUntil([&] { return Program.VisibleWindow(MenuClass) != nullptr; }, SettleTimeout)) {
    Check(false, What + ": a right click on the tray icon opens the menu");
    return false;
  }
  for (int I = 0; I < Submenu; ++I) Tap(VK_DOWN);
  Tap(VK_RIGHT);  // opens the submenu at its first item
  for (int I = 0; I < Item; ++I) Tap(VK_DOWN);
  Tap(VK_RETURN);
  const bool Closed = PumpUntil([&] { return Program.VisibleWindow(MenuClass) == nullptr; }, SettleTimeout);
  Check(Closed, What + ": chosen from the tray menu");
  return Closed && Answers(Application);
}

void TSuite::CheckRecentResultCopied(TProgram& Program, HWND Application) {
  RunCycle(Application, {false, L"x 6*7 y", 2, 5, L"x 42 y", L"6*7=42"}, "a result for the recent results");
  RunCycle(Application, {false, L"x 2+2 y", 2, 5, L"x 4 y", L"2+2=4"}, "a newer result");
  PutClipboardText(Window.Main(), L"before");
  // The second entry: the one before the newest.
  if (!ChooseFromMenu(Program, Application, RecentResultsItem, 1, "\"Последние результаты\", \"6*7=42\"")) return;
  const bool Copied = PumpUntil([&] { return ClipboardText(Window.Main()) == L"42"; }, SettleTimeout);
  Check(Copied, "the recent result 6*7=42 puts \"42\" on the clipboard (it holds \"" +
                    Utf8(ClipboardText(Window.Main())) + "\")");
}

void TSuite::CheckHotkeyChoice() {
  TProgram Program;
  HWND Application = nullptr;
  if (!StartAndWait(Program, Application)) {
    Check(false, "Talvex.exe starts for the choice of hotkeys");
    return;
  }
  Say("note   the settings file: " + Utf8(SettingsPath()));
  if (ChooseFromMenu(Program, Application, HotkeysItem, F7F8Pair, "\"Горячие клавиши\", Ctrl+Shift+F7 и Ctrl+Shift+F8")) {
    Check(PumpUntil([] { return SettingsText() == "hotkeys=ctrl-shift-f7-f8\r\n"; }, SettleTimeout),
          "the choice is written to the settings file at once");
    Check(!Held(MOD_CONTROL, VK_PAUSE) && !Held(MOD_SHIFT, VK_NUMLOCK), "the NumLock pair is let go");
    Check(Held(MOD_CONTROL | MOD_SHIFT, VK_F7) && Held(MOD_CONTROL | MOD_SHIFT, VK_F8),
          "Ctrl+Shift+F7 and Ctrl+Shift+F8 are the program's");
    AlternativeKeys = true;
    RunCycle(Application, {true, L"x 2+3*4 y", 2, 7, L"x 2+3*4=14 y", L"2+3*4=14"}, "Ctrl+Shift+F7");
    RunCycle(Application, {false, L"x (7*6) y", 2, 7, L"x 42 y", L"(7*6)=42"}, "Ctrl+Shift+F8");
  }
  PostMessageW(Application, WM_CLOSE, 0, 0);
  Check(Program.WaitForExit(ExitTimeout) == 0u, "the program ends with status 0");

  TProgram Again;
  if (!StartAndWait(Again, Application)) {
    Check(false, "Talvex.exe starts again with the settings file");
    return;
  }
  Check(!Held(MOD_CONTROL, VK_PAUSE), "after a new start the NumLock pair stays free");
  RunCycle(Application, {true, L"x 1+2 y", 2, 5, L"x 1+2=3 y", L"1+2=3"}, "Ctrl+Shift+F7 after a new start");
  if (ChooseFromMenu(Again, Application, HotkeysItem, NumLockPair, "\"Горячие клавиши\", the NumLock pair")) {
    Check(PumpUntil([] { return SettingsText() == "hotkeys=numlock\r\n"; }, SettleTimeout),
          "the NumLock pair is written back");
    Check(!Held(MOD_CONTROL | MOD_SHIFT, VK_F7), "Ctrl+Shift+F7 is let go");
    AlternativeKeys = false;
    RunCycle(Application, {true, L"x 2+3*4 y", 2, 7, L"x 2+3*4=14 y", L"2+3*4=14"}, "Ctrl+NumLock picked back");
  }
  AlternativeKeys = false;
  PostMessageW(Application, WM_CLOSE, 0, 0);
  Check(Again.WaitForExit(ExitTimeout) == 0u, "the program ends with status 0");
  RemoveSettingsFile();
}

}  // namespace talvex::e2e
