// The about window and the help of the real Talvex.exe under Wine, at the
// scale the Wine prefix's LogPixels sets: its size at that scale, a
// screenshot taken by the script, Esc and Enter closing it as OK does; and
// the messages of a "Справка" that cannot open the help file. Its exit
// status is the number of failed checks.
//   e2e_about_driver.exe about DIST_FOLDER WORK_FOLDER DPI
//   e2e_about_driver.exe help DIST_FOLDER WORK_FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "AppSession.h"

namespace talvex::e2e {
namespace {

void Press(WORD Key) {
  keybd_event(static_cast<BYTE>(Key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(Key), 0, KEYEVENTF_KEYUP, 0);
}

// The driver's tray, made once: every start of the program reports to it.
TFakeTray Tray;

class TSession {
 public:
  bool Start(const std::wstring& Folder) { return StartProgram(Tray, Program, Folder, Application); }

  // A left click on the tray icon; the about window once it shows in the
  // foreground, where the program puts it and the keys go.
  HWND ShowAbout() {
    PostMessageW(Application, TrayCallback, 1, WM_LBUTTONUP);
    HWND About = nullptr;
    PumpUntil([&] { return (About = Program.VisibleWindow(AboutClass)) != nullptr && GetForegroundWindow() == About; },
              SettleTimeout);
    return About;
  }

  // "Справка" from the tray menu: the message box it leads to, if any.
  HWND ChooseHelp() {
    PostMessageW(Application, TrayCallback, 1, WM_RBUTTONUP);
    if (!PumpUntil([&] { return Program.VisibleWindow(MenuClass) != nullptr; }, SettleTimeout)) return nullptr;
    Press(VK_DOWN);  // "Автора!"
    Press(VK_DOWN);  // "Справка"
    Press(VK_RETURN);
    HWND Box = nullptr;
    PumpUntil([&] { return (Box = Program.MessageBoxWindow()) != nullptr; }, SettleTimeout);
    return Box;
  }

  bool Quit() {
    PostMessageW(Application, WM_CLOSE, 0, 0);
    const auto Status = Program.WaitForExit(ExitTimeout);
    return Status && *Status == 0;
  }

  TProgram Program;
  HWND Application = nullptr;
};

int CheckAbout(const std::wstring& Dist, const std::wstring& Work, UINT Dpi) {
  TSession Session;
  const std::string At = " at " + std::to_string(Dpi) + " dpi";
  Check(Session.Start(Dist), "Talvex.exe starts" + At);
  HWND About = Session.ShowAbout();
  Check(About != nullptr, "a left click on the tray icon shows the about window");
  if (!About) return FailureCount();
  PumpFor(700);  // painted

  RECT Area{};
  GetWindowRect(About, &Area);
  const int Width = Area.right - Area.left, Height = Area.bottom - Area.top;
  Check(Width == MulDiv(364, static_cast<int>(Dpi), 96) && Height == MulDiv(181, static_cast<int>(Dpi), 96),
        "the about window is " + std::to_string(Width) + "x" + std::to_string(Height) + " px, 364x181 scaled");
  Check(Photograph(Work, Area, "about-window-" + std::to_string(Dpi) + "dpi.png"), "its screenshot was taken");

  // The program brings the window to the foreground itself; the keys go there.
  for (const auto& [Key, Name] : {std::pair<WORD, const char*>{VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}}) {
    if (!About) break;
    Check(GetForegroundWindow() == About, std::string("before ") + Name + " the about window is in the foreground");
    Press(Key);
    Check(PumpUntil([&] { return !IsWindowVisible(About); }, SettleTimeout), std::string(Name) + " closes the about window");
    if (Key == VK_ESCAPE) About = Session.ShowAbout();
  }
  Check(Session.Quit(), "WM_CLOSE ends the program with status 0");
  return FailureCount();
}

// The prefix holds no program for .html files (the script removed it).
int CheckHelp(const std::wstring& Dist, const std::wstring& Work) {
  struct TCase {
    const char* Name;
    std::wstring Folder;
    bool WithHelpFile;
    const wchar_t* FirstLine;
  };
  const TCase Cases[] = {
      {"no program opens .html files", Work + L"\\with-help", true,
       L"Нет программы, которая открывает файл справки (.html).\nФайл справки лежит здесь, его можно открыть в любом "
       L"браузере:\n"},
      {"the help file is missing", Work + L"\\without-help", false,
       L"Файл справки не найден. Он должен лежать рядом с Talvex.exe:\n"},
  };
  for (const TCase& C : Cases) {
    CreateDirectoryW(C.Folder.c_str(), nullptr);
    for (const wchar_t* File : {L"Talvex.exe", L"Vantrel.dll", L"talvex.html"})
      if (C.WithHelpFile || std::wstring(File) != L"talvex.html")
        CopyFileW((Dist + L"\\" + File).c_str(), (C.Folder + L"\\" + File).c_str(), FALSE);
    TSession Session;
    Check(Session.Start(C.Folder), std::string("Talvex.exe starts where ") + C.Name);
    const HWND Box = Session.ChooseHelp();
    Check(Box != nullptr, std::string("\"Справка\" says something when ") + C.Name);
    if (Box) {
      PumpFor(200);
      const std::wstring Expected = C.FirstLine + C.Folder + L"\\talvex.html";
      const auto Texts = MessageBoxTexts(Box);
      const bool Found = std::find(Texts.begin(), Texts.end(), Expected) != Texts.end();
      Check(Found, "its text names the help file's place: \"" + Utf8(Texts.empty() ? L"" : Texts.back()) + "\"");
      PressOk(Box);
    }
    Check(Session.Quit(), "the program runs on and ends with status 0");
  }
  return FailureCount();
}

}  // namespace
}  // namespace talvex::e2e

int main() {
  using namespace talvex::e2e;
  int Count = 0;
  wchar_t** Args = CommandLineToArgvW(GetCommandLineW(), &Count);
  const std::wstring Mode = Count > 1 ? Args[1] : L"";
  if (!Tray.Create()) {
    std::fprintf(stderr, "the driver's tray cannot be made\n");
    return 100;
  }
  if (Mode == L"about" && Count == 5) return CheckAbout(Args[2], Args[3], static_cast<UINT>(_wtoi(Args[4])));
  if (Mode == L"help" && Count == 4) return CheckHelp(Args[2], Args[3]);
  std::fprintf(stderr, "usage: e2e_about_driver.exe about DIST WORK DPI | help DIST WORK\n");
  return 100;
}
