// The tray icon's menu: its showing, what its items do, and the help file it opens.
#include "app/CalculatorApp.h"

#include <shellapi.h>

#include "app/UserMessages.h"

namespace talvex {

namespace {

// Index of ShellOpenFile's show states.
enum TShowIndex { siNormal, siMinimized, siMaximized, siHidden };

// ShellExecute's result: above 32 when it succeeded, else its error.
long ShellOpenFile(const std::wstring& File, const std::wstring& Parameters, const std::wstring& Directory,
                   TShowIndex ShowIndex) {
  static constexpr int ShowStates[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED, SW_HIDE};
  const HINSTANCE Result =
      ShellExecuteW(nullptr, nullptr, File.c_str(), Parameters.empty() ? nullptr : Parameters.c_str(),
                    Directory.empty() ? nullptr : Directory.c_str(), ShowStates[ShowIndex]);
  return static_cast<long>(reinterpret_cast<INT_PTR>(Result));
}

constexpr long ShellSucceeded = 32;  // results above this one

}  // namespace

void TCalculatorApp::ShowTrayMenu() {
  // The menu's own loop dispatches messages; a second click must not rebuild the menu it shows.
  if (MenuOpen) return;
  POINT Cursor{};
  GetCursorPos(&Cursor);
  BuildPopupMenu();
  SetForegroundWindow(AboutWindow->Handle());
  MenuOpen = true;
  const std::optional<unsigned> Item = PopupMenu->Track(AboutWindow->Handle(), Cursor);
  MenuOpen = false;
  // A hotkey pressed while the menu was open has run its cycle inside the menu's loop; it is over now.
  if (const auto Chosen = Item ? MenuModel.CommandOf(*Item) : std::nullopt)
    Cycle.RunOutsideCycle([this, Command = *Chosen] { OnMenuItem(Command); });
}

void TCalculatorApp::BuildPopupMenu() {
  PopupMenu = std::make_unique<ui::TPopupMenu>(MenuModel.Build(Cycle.Recent, HotkeyChoice.Current()));
}

void TCalculatorApp::OnMenuItem(const TMenuCommand& Command) {
  switch (Command.Action) {
    case TMenuAction::maAbout:
      ShowAboutWindow();
      break;
    case TMenuAction::maHelp:
      OpenHelpFile();
      break;
    case TMenuAction::maExit:
      PostMessageW(Application.Handle(), WM_CLOSE, 0, 0);
      break;
    case TMenuAction::maCopyResult:
      CopyRecentResult(Sys, *this, Command.Result);
      break;
    case TMenuAction::maChoosePair:
      HotkeyChoice.Choose(Command.Index);
      break;
  }
}

void TCalculatorApp::OpenHelpFile() {
  const std::wstring Folder = ProgramFolder();
  const long Result = ShellOpenFile(HelpFile, L"", Folder, siNormal);
  // Without a word, a click that opens nothing looks like a program that does not work.
  if (Result <= ShellSucceeded) ShowMessage(HelpFailureText(Result, Folder));
}

}  // namespace talvex
