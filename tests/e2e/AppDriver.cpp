// The program's end-to-end test under Wine: starts the real Talvex.exe from
// the distribution folder as a separate process, plays the foreign
// application with an edit control, presses the hotkeys the way a keyboard
// does, and checks what arrives. Its exit status is the number of failed
// checks.
// The tooltips are read back from the tray: the driver plays the tray too.
//   e2e_app_driver.exe test DIST_FOLDER WORK_FOLDER
//   e2e_app_driver.exe demo DIST_FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "AppSuite.h"

namespace talvex::e2e {
namespace {

constexpr const wchar_t* Caption = L"Talvex v 2.0 beta";
constexpr UINT TrayFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// Shell 6.0 and later: the error icon, and no sound besides the program's own beep.
constexpr DWORD ErrorBalloonFlags = NIIF_ERROR | NIIF_NOSOUND;
constexpr std::size_t TooltipChars = 127;  // the larger layout, which Wine's shell offers

// 1+1+...+1 of exactly N characters, with one more digit in front when N is even.
std::wstring SumOfLength(std::size_t N, std::size_t& Sum) {
  std::wstring S = N % 2 == 0 ? L"11" : L"1";
  Sum = N % 2 == 0 ? 11 : 1;
  while (S.size() < N) {
    S += L"+1";
    ++Sum;
  }
  return S;
}

}  // namespace

void CheckTextAndTooltip(const std::string& Name, const std::wstring& Before, const std::wstring& Text,
                         const std::wstring& After, bool Arrived, const std::wstring& Tip,
                         const std::wstring& ExpectedTip) {
  Check(Arrived && Text == After, Name + ": \"" + Utf8(Before) + "\" becomes \"" + Utf8(Text) + "\"" +
                                      (Text == After ? "" : ", expected \"" + Utf8(After) + "\""));
  Check(Tip == ExpectedTip, Name + ": tooltip \"" + Utf8(Tip) + "\"" +
                                (Tip == ExpectedTip ? "" : ", expected \"" + Utf8(ExpectedTip) + "\""));
}

double Median(std::vector<double> Times) {
  if (Times.empty()) return -1;
  std::sort(Times.begin(), Times.end());
  return Times[Times.size() / 2];
}

// Loaded after the program has made the shared block, so this process gets a view of it.
bool TSuite::BindMonitor() {
  const HMODULE Library = LoadLibraryW((Dist + L"\\Vantrel.dll").c_str());
  GetCurrentFocus =
      Library ? reinterpret_cast<TFocusProc>(reinterpret_cast<void*>(GetProcAddress(Library, "GetCurrentFocus")))
              : nullptr;
  return GetCurrentFocus != nullptr;
}

std::wstring TSuite::Tooltip(HWND Application) { return Tray.TooltipOf(Application); }

void TSuite::PressChosenHotkey(bool Ctrl) const {
  if (AlternativeKeys)
    PressCtrlShift(Ctrl ? VK_F7 : VK_F8);
  else
    Ctrl ? PressCtrlNumLock() : PressShiftNumLock();
}

bool TSuite::RunCycle(HWND Application, const TCycle& C, const std::string& Name) {
  Window.SetText(C.Before, C.SelStart, C.SelEnd);
  if (!Window.Focus([this] { return RecordedFocus(); })) {
    Check(false, Name + ": the edit control has the focus the monitor recorded");
    return false;
  }
  const bool NumLock = NumLockOn();
  const int Modifications = Tray.CountTooltips(Application);
  const int Balloons = Tray.CountBalloons(Application);
  const bool TooltipChanges = Tooltip(Application) != C.Tooltip;
  Window.Arm();
  const double Pressed = NowMs();
  PressChosenHotkey(C.Ctrl);
  const bool Changes = C.After != C.Before;
  bool Arrived;
  if (Changes) {
    Arrived = PumpUntil([&] { return Window.Text() == C.After; }, SettleTimeout);
  } else {
    Arrived = PumpUntil([&] { return Tooltip(Application) == C.Tooltip; }, SettleTimeout);
    PumpFor(500);  // anything typed by mistake would arrive meanwhile
  }
  // The program answers messages even while a cycle waits; a direct cycle
  // has registered its hotkey again within moments of its typed text.
  PumpFor(SettleAfterCycle);
  Answers(Application);
  CheckTextAndTooltip(Name, C.Before, Window.Text(), C.After, Arrived, Tooltip(Application), C.Tooltip);
  Check(
      Tray.CountTooltips(Application) - Modifications == (TooltipChanges ? 1 : 0),
      Name + (TooltipChanges ? ": the tray was told the new tooltip once" : ": the same tooltip was not sent again"));
  if (C.Balloon.empty()) {
    Check(Tray.CountBalloons(Application) == Balloons, Name + ": no balloon");
  } else {
    const TTrayCall* Shown = Tray.LastBalloon(Application);
    Check(Tray.CountBalloons(Application) == Balloons + 1 && Shown && Shown->Balloon == C.Balloon &&
              Shown->BalloonTitle == L"Talvex" && Shown->BalloonFlags == ErrorBalloonFlags,
          Name + ": one balloon \"Talvex\" with the whole message, the error icon and no sound of its own" +
              (Shown && Shown->Balloon != C.Balloon ? " (it reads \"" + Utf8(Shown->Balloon) + "\")" : ""));
  }
  Check(NumLockComesTo(NumLock), Name + ": NumLock is as it was (" + (NumLock ? "on" : "off") + ")");
  if (Changes && Window.FirstChangeAt && Window.LastChangeAt && C.Ctrl) {
    const double First = *Window.FirstChangeAt - Pressed;
    const double Whole = *Window.LastChangeAt - Pressed;
    Latencies.push_back(First);
    char Line[200];
    std::snprintf(Line, sizeof Line,
                  "time   %s: hotkey to first typed character %.0f ms, to the whole answer (%zu characters) %.0f ms",
                  Name.c_str(), First,
                  C.After.size() - C.Before.size() + static_cast<std::size_t>(C.SelEnd - C.SelStart), Whole);
    Say(Line);
  }
  return Arrived;
}

void TSuite::CheckWithoutMonitor() {
  CheckMonitorRefused(L"without-monitor", L"", L"Не найден файл Vantrel.dll. Он должен лежать рядом с Talvex.exe:",
                      "without Vantrel.dll");
  // Any image of the other bitness is refused by the loader as that library would be.
  const std::wstring Second =
      OwnBits == 64 ? L"Файл Vantrel.dll рядом с Talvex.exe 32-разрядный, а эта Talvex.exe 64-разрядная: такой "
                      L"файл она не загрузит. Нужен Vantrel.dll из того же архива, что и Talvex.exe "
                      L"(Talvex-…-win64.zip):"
                    : L"Файл Vantrel.dll рядом с Talvex.exe 64-разрядный, а эта Talvex.exe 32-разрядная: такой "
                      L"файл она не загрузит. Нужен Vantrel.dll из того же архива, что и Talvex.exe "
                      L"(Talvex-…-win32.zip):";
  CheckMonitorRefused(L"other-bitness-monitor", TargetProgram(OtherBits), Second,
                      "with a " + std::to_string(OtherBits) + "-bit Vantrel.dll");
}

void TSuite::CheckMonitorRefused(const std::wstring& Folder, const std::wstring& Library,
                                 const std::wstring& Second, const std::string& Name) {
  // A folder with the program and Library as its Vantrel.dll, or none.
  const std::wstring Lonely = Work + L"\\" + Folder;
  CreateDirectoryW(Lonely.c_str(), nullptr);
  CopyFileW((Dist + L"\\Talvex.exe").c_str(), (Lonely + L"\\Talvex.exe").c_str(), FALSE);
  DeleteFileW((Lonely + L"\\Vantrel.dll").c_str());
  if (!Library.empty())
    Check(CopyFileW(Library.c_str(), (Lonely + L"\\Vantrel.dll").c_str(), FALSE) != 0, Name + ": the file is in place");
  TProgram Program;
  const bool Started = Tray.EnsureFirst() && Program.Start(Lonely);
  HWND Box = nullptr;
  const bool Shown =
      Started && PumpUntil([&] { return (Box = Program.MessageBoxWindow()) != nullptr; }, StartTimeout);
  Check(Shown, Name + " a message box appears");
  const HWND Application = Program.ApplicationWindow();
  if (Shown) {
    PumpFor(200);
    wchar_t BoxCaption[128] = {};
    GetWindowTextW(Box, BoxCaption, 128);
    // "Ошибка инициализации", then what is wrong and where the file belongs.
    const std::wstring Expected = L"Ошибка инициализации\n" + Second + L"\n" + Lonely + L"\\Vantrel.dll";
    const auto Texts = MessageBoxTexts(Box);
    const bool Found = std::find(Texts.begin(), Texts.end(), Expected) != Texts.end();
    Check(Found, Name + ": its text is \"Ошибка инициализации\" and, below, " + Utf8(Second) + " and the file's place");
    if (!Found)
      for (const std::wstring& Text : Texts) Say("     the box holds \"" + Utf8(Text) + "\"");
    Check(std::wstring(BoxCaption) == Caption, Name + ": its caption is \"Talvex v 2.0 beta\"");
    PressOk(Box);
  }
  const auto Status = Program.WaitForExit(ExitTimeout);
  Check(Status && *Status == 0, Name + ": after OK the program ends with status 0");
  CheckTrayIconRemoved(Application, Name + ": ending so");
}

void TSuite::CheckTrayIconRemoved(HWND Application, const std::string& How) {
  Check(Application && Tray.Count(Application, NIM_ADD) == 1 && Tray.Count(Application, NIM_DELETE) == 1 &&
            !Tray.Holds(Application),
        How + " removes the tray icon");
}

void TSuite::CheckCycles(HWND Application) {
  const TCycle Ctrl{true, L"x 2+3*4 y", 2, 7, L"x 2+3*4=14 y", L"2+3*4=14"};
  RunCycle(Application, Ctrl, "Ctrl+NumLock");
  for (const bool On : {false, true}) {
    SetNumLock(On);
    RunCycle(Application, {false, L"x 2+3*4 y", 2, 7, L"x 14 y", L"2+3*4=14"},
             std::string("Shift+NumLock, NumLock ") + (On ? "on" : "off"));
  }
  SetNumLock(false);

  // The engine's own message, as the command line shows it for the same text.
  const std::wstring Rejected =
      L"Позиция 3:  Неизвестный идентификатор \"*\" или неправильный формат чисел в выражении";
  // The same error again shows its balloon again: the user pressed the hotkey again.
  RunCycle(Application, {true, L"x 2+*4 y", 2, 6, L"x 2+*4 y", Rejected, Rejected}, "rejected, Ctrl+NumLock");
  RunCycle(Application, {false, L"x 2+*4 y", 2, 6, L"x 2+*4 y", Rejected, Rejected}, "rejected, Shift+NumLock");

  std::size_t Sum = 0;
  const std::wstring Long = SumOfLength(251, Sum);
  const std::wstring TooLong = L"Слишком длинное выражение";
  RunCycle(Application, {true, Long, 0, 251, Long, TooLong, TooLong}, "251 characters");
  const std::wstring Longest = SumOfLength(250, Sum);
  const std::wstring Answer = std::to_wstring(Sum);
  RunCycle(Application, {false, Longest, 0, 250, Answer, (Longest + L"=" + Answer).substr(0, TooltipChars)},
           "250 characters");

  // An assignment has no value to type; the tooltip shows what it did.
  RunCycle(Application, {true, L"x:=5", 0, 4, L"x:=5", L"x = 5"}, "an assignment, Ctrl+NumLock");
  RunCycle(Application, {false, L"x*2", 0, 3, L"10", L"x*2=10"}, "the assigned variable, Shift+NumLock");

  // After every kind of cycle, both hotkeys work again.
  RunCycle(Application, Ctrl, "Ctrl+NumLock again");
  RunCycle(Application, {false, L"(7*6)", 0, 5, L"42", L"(7*6)=42"}, "Shift+NumLock again");
}

void TSuite::CheckDroppedHotkey(HWND Application) {
  const bool NumLock = NumLockOn();
  // Shift+NumLock pressed while the Ctrl+NumLock cycle has just read the selection.
  Window.OnSelectionRead = [] { PressShiftNumLock(); };
  RunCycle(Application, {true, L"x 2+3*4 y", 2, 7, L"x 2+3*4=14 y", L"2+3*4=14"},
           "Shift+NumLock during a Ctrl+NumLock cycle");
  Window.OnSelectionRead = nullptr;
  // The dropped press toggled NumLock as any press does; the program puts it back.
  Check(NumLockComesTo(NumLock), "the dropped Shift+NumLock left NumLock as it was");
  SetNumLock(NumLock);
  RunCycle(Application, {false, L"1+1", 0, 3, L"2", L"1+1=2"}, "Shift+NumLock after the dropped one");
}

void TSuite::CheckAboutWindow(TProgram& Program, HWND Application) {
  PostMessageW(Application, TrayCallback, 1, WM_LBUTTONUP);
  HWND About = nullptr;
  const bool Shown = PumpUntil([&] { return (About = Program.VisibleWindow(AboutClass)) != nullptr; }, SettleTimeout);
  Check(Shown, "a left click on the tray icon shows the about window");
  if (!Shown) return;
  PumpFor(700);
  RECT Area{};
  GetWindowRect(About, &Area);
  Check(Area.right - Area.left == 364 && Area.bottom - Area.top == 181, "the about window is 364 by 181 pixels");
  Check(Photograph(Work, Area, "about-window.png"), "the screenshot of the about window was taken");

  HWND Ok = FindWindowExW(About, nullptr, nullptr, nullptr);  // the panel
  Ok = Ok ? FindWindowExW(Ok, nullptr, L"Button", L"OK") : nullptr;
  Check(Ok != nullptr, "the about window has its OK button");
  if (Ok) PostMessageW(Ok, BM_CLICK, 0, 0);
  Check(PumpUntil([&] { return !IsWindowVisible(About); }, SettleTimeout), "OK hides the about window");

  // Its window receives the hotkeys: a WM_CLOSE from outside only hides it.
  PostMessageW(Application, TrayCallback, 1, WM_LBUTTONUP);
  PumpUntil([&] { return IsWindowVisible(About) != FALSE; }, SettleTimeout);
  PostMessageW(About, WM_CLOSE, 0, 0);
  Check(PumpUntil([&] { return !IsWindowVisible(About); }, SettleTimeout) && IsWindow(About),
        "WM_CLOSE from outside hides the about window and leaves it there");
  // Wine's minimising waits for a window manager Xvfb does not have.
  Answers(Application);
  RunCycle(Application, {true, L"x 8*8 y", 2, 5, L"x 8*8=64 y", L"8*8=64"}, "Ctrl+NumLock after the about window's WM_CLOSE");
}

void TSuite::CheckSecondStart(HWND Application) {
  TProgram Second;
  const bool Started = Second.Start(Dist);
  const auto Status = Started ? Second.WaitForExit(ExitTimeout) : std::nullopt;
  Check(Status && *Status == 0, "a second start ends by itself with status 0");
  Check(CountApplicationWindows() == 1, "exactly one instance is left");
  Check(Answers(Application) && Tray.Holds(Application), "the first instance still runs with its icon");
}

void TSuite::CheckTakenHotkeyAndMenuQuit() {
  // Another program holds Ctrl+Pause: one message, and the program runs on.
  Check(RegisterHotKey(Window.Main(), 1, MOD_CONTROL, VK_PAUSE) != FALSE, "the driver holds Ctrl+Pause");
  TProgram Program;
  HWND Box = nullptr;
  const bool Started = Tray.EnsureFirst() && Program.Start(Dist);
  Check(Started && PumpUntil([&] { return (Box = Program.MessageBoxWindow()) != nullptr; }, StartTimeout),
        "a taken hotkey is reported");
  if (Box) {
    PumpFor(200);
    const auto Texts = MessageBoxTexts(Box);
    const std::wstring Expected = L"Ошибка инициализации горячих клавиш\nСочетание Ctrl+NumLock занято другой "
                                  L"программой. Другие сочетания можно выбрать в меню значка Talvex: «Горячие клавиши».";
    Check(std::find(Texts.begin(), Texts.end(), Expected) != Texts.end(),
          "with \"Ошибка инициализации горячих клавиш\" and, below, the keys and where to pick others");
    PressOk(Box);
    PumpFor(1000);
    Check(Program.MessageBoxWindow() == nullptr, "once");
  }
  HWND Application = nullptr;
  Check(PumpUntil(
            [&] {
              Application = Program.ApplicationWindow();
              return Application && Tray.TooltipOf(Application) == L"Talvex" && Answers(Application);
            },
            StartTimeout),
        "the program runs on, its tooltip reads \"Talvex\"");
  UnregisterHotKey(Window.Main(), 1);
  if (!Application) return;

  // Right click, then the last item of the menu, "Выход".
  PostMessageW(Application, TrayCallback, 1, WM_RBUTTONUP);
  Check(PumpUntil([&] { return Program.VisibleWindow(MenuClass) != nullptr; }, SettleTimeout),
        "a right click on the tray icon opens the menu");
  keybd_event(VK_UP, 0, 0, 0);
  keybd_event(VK_UP, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_RETURN, 0, 0, 0);
  keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
  const auto Status = Program.WaitForExit(ExitTimeout);
  Check(Status && *Status == 0, "\"Выход\" ends the program with status 0");
  CheckTrayIconRemoved(Application, "\"Выход\"");
}

int TSuite::Run() {
  if (!Window.Create() || !Tray.Create()) {
    Check(false, "the driver's window and tray open");
    return FailureCount();
  }
  RemoveSettingsFile();  // a run that was cut short may have left one
  CheckWithoutMonitor();

  TProgram Program;
  HWND Application = nullptr;
  const bool Ready = StartAndWait(Program, Application);
  Check(Ready, "Talvex.exe starts and answers the tooltip query");
  if (!Ready) return FailureCount();
  const TTrayCall& Added = Tray.Calls.back();
  Check(Tray.Count(Application, NIM_ADD) == 1 && Added.Action == NIM_ADD && Added.Id == 1 &&
            Added.Flags == TrayFlags && Added.CallbackMessage == TrayCallback,
        "the tray icon is added once, with flags 7 and the callback message 0xB008");
  Check(Tooltip(Application) == L"Talvex", "the tooltip reads \"Talvex\" after start");
  Check(BindMonitor(), "the driver binds Vantrel.dll");

  CheckCycles(Application);
  CheckDroppedHotkey(Application);
  CheckTextlessTarget(Application);
  CheckAboutWindow(Program, Application);
  CheckSecondStart(Application);
  CheckRecentResultCopied(Program, Application);

  PostMessageW(Application, WM_CLOSE, 0, 0);
  const auto Status = Program.WaitForExit(ExitTimeout);
  Check(Status && *Status == 0, "WM_CLOSE ends the program with status 0");
  CheckTrayIconRemoved(Application, "WM_CLOSE");
  CheckNothingWritten("a whole session with the NumLock pair");

  CheckHotkeyChoice();

  CheckTakenHotkeyAndMenuQuit();

  const auto Report = [](const char* What, const std::vector<double>& Times) {
    char Line[200];
    std::snprintf(Line, sizeof Line, "latency: hotkey to the first typed character, %s: median %.0f ms over %zu cycles",
                  What, Median(Times), Times.size());
    Say(Line);
  };
  Report("direct capture", Latencies);
  Report("clipboard capture, copy within 20 ms", ClipboardFast);
  Report("clipboard capture, copy at the keystroke", ClipboardAtOnce);
  Check(!Tray.UnexpectedData, "every call reached the tray in the expected layout");
  Tray.Destroy();
  Window.Destroy();
  return FailureCount();
}

int TSuite::Demo() {
  if (!Window.Create() || !Tray.Create()) {
    Say("the driver's edit window or its stand-in tray could not be created");
    return 1;
  }
  TProgram Program;
  HWND Application = nullptr;
  if (!StartAndWait(Program, Application) || !BindMonitor()) {
    Say("Talvex.exe did not start");
    return 1;
  }
  Say("Talvex.exe is running; its tooltip reads \"" + Utf8(Tooltip(Application)) + "\"");
  const TCycle Demos[] = {{true, L"x 2+3*4 y", 2, 7, L"x 2+3*4=14 y", L"2+3*4=14"},
                          {false, L"half of 84 is 84/2", 14, 18, L"half of 84 is 42", L"84/2=42"}};
  for (const TCycle& C : Demos) {
    Say("");
    Say("edit control: \"" + Utf8(C.Before) + "\", selected \"" +
        Utf8(C.Before.substr(C.SelStart, C.SelEnd - C.SelStart)) + "\"");
    Say(std::string("pressing ") + (C.Ctrl ? "Ctrl+NumLock" : "Shift+NumLock"));
    const int Before = FailureCount();
    RunCycle(Application, C, C.Ctrl ? "Ctrl+NumLock" : "Shift+NumLock");
    Say("edit control: \"" + Utf8(Window.Text()) + "\"" + (FailureCount() == Before ? "" : "  (not as expected)"));
  }
  PostMessageW(Application, WM_CLOSE, 0, 0);
  const auto Status = Program.WaitForExit(ExitTimeout);
  Say("");
  Say("closed Talvex.exe: status " + (Status ? std::to_string(*Status) : std::string("(still running, killed)")));
  Tray.Destroy();
  Window.Destroy();
  return FailureCount();
}

}  // namespace talvex::e2e

int main() {
  using namespace talvex::e2e;
  int Count = 0;
  wchar_t** Args = CommandLineToArgvW(GetCommandLineW(), &Count);
  const std::wstring Mode = Count > 1 ? Args[1] : L"";
  if (Mode == L"test" && Count == 4) return TSuite(Args[2], Args[3]).Run();
  if (Mode == L"demo" && Count == 3) return TSuite(Args[2], L"").Demo();
  if (Mode == L"wow64" && Count == 4) return TSuite(Args[2], Args[3]).RunOtherBitness();
  std::fprintf(stderr, "usage: e2e_app_driver.exe test DIST WORK | wow64 DIST WORK | demo DIST\n");
  return 100;
}
