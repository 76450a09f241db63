// What the program's end-to-end drivers share: their checks' report, the
// foreign application's window with a standard edit control, the tray the
// program talks to, the Talvex processes they start, message boxes, key
// presses and the screenshots the test scripts take.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace talvex::e2e {

inline constexpr DWORD SettleTimeout = 10000;
inline constexpr DWORD StartTimeout = 30000;
inline constexpr DWORD ExitTimeout = 20000;
inline constexpr UINT TrayCallback = 0xB008;
inline constexpr const wchar_t* AboutClass = L"Talvex.Window.512";  // the layer's class with CS_NOCLOSE
inline constexpr const wchar_t* MenuClass = L"#32768";

double NowMs();
std::string Utf8(const std::wstring& Text);
void Say(const std::string& Utf8Line);
// One "ok" or "FAIL" line; a driver's exit status is the number of failures.
void Check(bool Ok, const std::string& What);
int FailureCount();

// Dispatches this thread's messages until Done holds or Timeout ms passed.
bool PumpUntil(const std::function<bool()>& Done, DWORD Timeout);
void PumpFor(DWORD Milliseconds);

// The foreign application: a window with an edit control that notes when
// the capture's EM_GETSEL arrives and when its text changes.
class TEditWindow {
 public:
  bool Create();
  void Destroy();
  HWND Main() const { return MainWindow; }
  HWND Edit() const { return EditControl; }

  std::wstring Text() const;
  void SetText(const std::wstring& Text, int SelStart, int SelEnd);
  // Foreground, focus in the edit control, and a key press the hooks record.
  bool Focus(const std::function<HWND()>& RecordedFocus);

  // Times of the last EM_GETSEL and of the first and last change since Arm.
  void Arm();
  std::optional<double> SelectionReadAt, FirstChangeAt, LastChangeAt;
  std::function<void()> OnSelectionRead;  // run once after Arm, at the EM_GETSEL

 private:
  static LRESULT CALLBACK MainProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);

  HWND MainWindow = nullptr;
  HWND EditControl = nullptr;
  WNDPROC EditDefault = nullptr;
};

// What one Shell_NotifyIcon call told the tray.
struct TTrayCall {
  DWORD Action;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
  HWND Owner;
  UINT Id, Flags, CallbackMessage;
  std::wstring Tooltip;
  std::wstring Balloon, BalloonTitle;  // with NIF_INFO
  DWORD BalloonFlags;
};

// Stands in for the shell's notification area: Wine's shell32 hands each
// Shell_NotifyIcon call to the first window of the class "Shell_TrayWnd" as
// a WM_COPYDATA (dwData the action, then the owner window, id, flags,
// callback message, 128 characters of tooltip, state, 256 characters of
// balloon text, timeout, 64 of balloon title, balloon flags). A topmost
// window of that class made before the program starts is that first window.
class TFakeTray {
 public:
  bool Create();
  void Destroy();
  // Makes sure this is the window the program's calls go to.
  bool EnsureFirst();
  std::vector<TTrayCall> Calls;
  // Whether Owner's icon 1 is in the tray now, and its tooltip.
  bool Holds(HWND Owner) const;
  std::wstring TooltipOf(HWND Owner) const;
  int Count(HWND Owner, DWORD Action) const;
  // The calls that changed the tooltip, and those that showed a balloon.
  int CountTooltips(HWND Owner) const;
  int CountBalloons(HWND Owner) const;
  // The last balloon shown, or nothing.
  const TTrayCall* LastBalloon(HWND Owner) const;
  bool UnexpectedData = false;  // a call that does not fit the layout

 private:
  static LRESULT CALLBACK TrayProc(HWND, UINT, WPARAM, LPARAM);
  HWND Window = nullptr;
};

// One started Talvex.exe.
class TProgram {
 public:
  TProgram() = default;
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  bool Start(const std::wstring& Folder);
  bool Running() const;
  // The exit status once ended within Timeout, or nothing.
  std::optional<DWORD> WaitForExit(DWORD Timeout);
  void Kill();
  DWORD ProcessId() const { return Id; }

  // The application window of this process (hidden, found by its class).
  HWND ApplicationWindow() const;
  // A visible message box of this process, or null.
  HWND MessageBoxWindow() const;
  // A visible window of this process with the given class, or null.
  HWND VisibleWindow(const wchar_t* Class) const;

 private:
  HANDLE Process = nullptr;
  DWORD Id = 0;
};

// True once the program's thread has come back to its message loop (or to
// a draining of its queue) and answered a sent WM_NULL.
bool Answers(HWND Application);
// Starts Talvex.exe from Folder and waits until its icon is in Tray and it
// answers: the whole start-up has run then.
bool StartProgram(TFakeTray& Tray, TProgram& Program, const std::wstring& Folder, HWND& Application);
// Asks the test script to photograph Area (and a margin) into its artifacts
// as Name, through files in Work; true once it has.
bool Photograph(const std::wstring& Work, const RECT& Area, const std::string& Name);
// The static texts of a message box.
std::vector<std::wstring> MessageBoxTexts(HWND Box);
void PressOk(HWND Box);
int CountApplicationWindows();

// KeepModifier: the Ctrl or Shift stays down, as a user who still holds it.
void PressCtrlNumLock(bool KeepModifier = false);
void PressShiftNumLock(bool KeepModifier = false);
void PressCtrlShift(BYTE Vk);
// The desktop's NumLock, whatever key messages this thread has taken.
bool NumLockOn();
bool SetNumLock(bool On);
// NumLock reads On within a second: the program's press to put it back may
// still be on its way; a state the program left wrong stays wrong.
bool NumLockComesTo(bool On);

}  // namespace talvex::e2e
