// The application object: it builds the program in its order, owns the about
// window, the tray icon, the menu, the parser, the hotkey cycle and the
// choice of its keys, and answers their requests with Win32 calls.
#pragma once

#include <memory>
#include <string>

#include "app/AboutVisibility.h"
#include "app/AboutWindow.h"
#include "app/AppHost.h"
#include "app/HotkeyChoice.h"
#include "app/HotkeyCycle.h"
#include "app/TrayMenuModel.h"
#include "app/TrayTexts.h"
#include "app/UserMessages.h"
#include "app/WindowsClock.h"
#include "lib/MonitorBinding.h"
#include "lib/Win32SystemApi.h"
#include "ParserFunctions/FunctionTable.h"
#include "parser/CalcParser.h"
#include "ui/ApplicationWindow.h"
#include "ui/Menu.h"
#include "ui/TrayIcon.h"

namespace talvex {

// The program's folder, with its last path delimiter.
std::wstring ProgramFolder();

// The about window's part of the system: its show state, its frame, the
// minimise animation.
class TAboutWindowShell final : public IAboutWindowShell {
 public:
  explicit TAboutWindowShell(std::unique_ptr<TAboutWindow>& About) : Window(About) {}
  bool GetMinimizeAnimation() override;
  void SetMinimizeAnimation(bool On) override;
  void SetSizingFrame(bool On) override;
  void ShowWindow(int Command) override;
  void BringToForeground() override;

 private:
  std::unique_ptr<TAboutWindow>& Window;
};

class TCalculatorApp final : public IAppHost {
 public:
  explicit TCalculatorApp(ui::TApplicationWindow& Application);
  ~TCalculatorApp() override;
  TCalculatorApp(const TCalculatorApp&) = delete;
  TCalculatorApp& operator=(const TCalculatorApp&) = delete;

  void SetupApplication();

  // IAppHost.
  THotkeyId AddGlobalAtom(const char* Name) override;
  void DeleteGlobalAtom(THotkeyId Atom) override;
  bool RegisterHotkey(THotkeyId Id, std::uint32_t Modifiers, std::uint8_t Vk) override;
  void UnregisterHotkey(THotkeyId Id) override;
  void SetTooltip(const std::wstring& Text) override;
  void ErrorBeep() override;
  void ShowMessage(const std::wstring& Text) override;
  void ShowBalloon(const std::wstring& Text) override;
  void StartTimer(std::uint32_t Milliseconds) override;
  void StopTimer() override;
  std::uintptr_t HotkeyWindow() override;
  std::optional<std::string> ReadSettings() override;
  bool WriteSettings(const std::string& Text) override;
  std::wstring SettingsPath() override;

 private:
  void RegisterHotkeys();
  void UnregisterHotkeys();
  void OnTrayMouse(UINT MouseMessage);
  void ShowTrayMenu();
  void ShowAboutWindow();
  void HideAboutWindow();
  void OnAboutDestroy();
  TMonitorFailure MonitorFailure() const;
  void BuildAboutWindow();

  // The tray menu and the help (TrayMenu.cpp).
  void BuildPopupMenu();
  void OnMenuItem(const TMenuCommand& Command);
  void OpenHelpFile();

  ui::TApplicationWindow& Application;
  // The clipboard is opened with the application window.
  TWin32SystemApi Sys{reinterpret_cast<TWindowHandle>(Application.Handle())};
  TMonitorBinding Monitor{Sys};
  TWindowsClock Clock;
  TCalcParser Parser{BuiltinFunctions()};
  THotkeyCycle Cycle{Sys, Monitor, *this, Parser};  // the hotkey ids, the last hotkey, the recent results
  THotkeyChoice HotkeyChoice{*this, Cycle};

  TTrayAbilities TrayAbilities;
  std::unique_ptr<ui::TTrayIcon> TrayIcon;
  // Built anew each time the menu opens, with the check marks and results of that moment.
  TTrayMenuModel MenuModel;
  std::unique_ptr<ui::TPopupMenu> PopupMenu;
  bool MenuOpen = false;

  // Its window receives the hotkeys and owns the menu.
  std::unique_ptr<TAboutWindow> AboutWindow;

  TAboutWindowShell AboutShell{AboutWindow};
  TAboutVisibility AboutVisibility{AboutShell};  // the saved animation setting
};

}  // namespace talvex
