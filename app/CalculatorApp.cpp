#include "app/CalculatorApp.h"

#include "app/AppTexts.h"
#include "app/EngineSettings.h"
#include "app/MinimizeAnimation.h"
#include "app/Resources.h"
#include "lib/TextCodec.h"
#include "lib/WindowsLocale.h"

namespace talvex {

namespace {

constexpr TAngleUnit RadiansUnit = auRadians;

static_assert(ShowHide == SW_HIDE && ShowMinimize == SW_MINIMIZE && ShowRestore == SW_RESTORE && ShowShow == SW_SHOW);

}  // namespace

TCalculatorApp::TCalculatorApp(ui::TApplicationWindow& ApplicationWindow) : Application(ApplicationWindow) {}

TCalculatorApp::~TCalculatorApp() {
  ui::SetMessageObserver(nullptr);
  Application.SetTrayIcon(nullptr);
  SetClock(nullptr);
}

void TCalculatorApp::SetupApplication() {
  BuildAboutWindow();
  HideAboutWindow();
  RegisterHotkeys();
  BuildPopupMenu();

  TrayIcon = std::make_unique<ui::TTrayIcon>(
      Application.Handle(), LoadIconW(GetModuleHandleW(nullptr), resources::TrayIcon), texts::InitialTooltip);
  TrayIcon->OnMouse = [this](UINT MouseMessage) { OnTrayMouse(MouseMessage); };
  Application.SetTrayIcon(TrayIcon.get());

  if (!Monitor.InstallMonitor()) {
    ShowMessage(texts::InitError);
    PostQuitMessage(1);  // the loop ends on its first pass; the steps below still run
  }
  AboutWindow->OnDestroy = [this] { OnAboutDestroy(); };

  ShowWindow(Application.Handle(), SW_MINIMIZE);
  ShowWindow(Application.Handle(), SW_HIDE);

  UseLocaleSettings(ReadWindowsFormatSettings());
  SetClock(&Clock);
  // The operator and function tables are built at the first calculation.
  Parser.AngleUnit = RadiansUnit;
}

void TCalculatorApp::RegisterHotkeys() {
  Cycle.RegisterHotkeys();
  ui::SetMessageObserver(
      [this](HWND, UINT Message, WPARAM WParam, LPARAM) { return Cycle.HandleHotkey(Message, WParam); });
}

void TCalculatorApp::UnregisterHotkeys() {
  ui::SetMessageObserver(nullptr);
  Cycle.UnregisterHotkeys();
}

void TCalculatorApp::OnTrayMouse(UINT MouseMessage) {
  POINT Cursor{};
  GetCursorPos(&Cursor);
  switch (MouseMessage) {
    case WM_RBUTTONUP:
      SetForegroundWindow(AboutWindow->Handle());
      PopupMenu->Track(AboutWindow->Handle(), Cursor);
      break;
    case WM_LBUTTONUP:
      ShowAboutWindow();
      break;
  }
}

void TCalculatorApp::HideAboutWindow() { AboutVisibility.Hide(); }

void TCalculatorApp::ShowAboutWindow() { AboutVisibility.Show(); }

void TCalculatorApp::OnAboutDestroy() {
  UnregisterHotkeys();
  Parser.Operators.clear();
  Monitor.UninstallMonitor();
  // Quitting while the about window is hidden must not leave the user's
  // animation switched off for the rest of the session.
  AboutVisibility.Restore();
}

bool TAboutWindowShell::GetMinimizeAnimation() { return talvex::GetMinimizeAnimation(); }

void TAboutWindowShell::SetMinimizeAnimation(bool On) { talvex::SetMinimizeAnimation(On); }

void TAboutWindowShell::SetSizingFrame(bool On) { Form->SetSizingFrame(On); }

void TAboutWindowShell::ShowWindow(int Command) { ::ShowWindow(Form->Handle(), Command); }

void TAboutWindowShell::BringToForeground() { SetForegroundWindow(Form->Handle()); }

THotkeyId TCalculatorApp::AddGlobalAtom(const char* Name) { return GlobalAddAtomA(Name); }

void TCalculatorApp::DeleteGlobalAtom(THotkeyId Atom) { GlobalDeleteAtom(Atom); }

bool TCalculatorApp::RegisterHotkey(THotkeyId Id, std::uint32_t Modifiers, std::uint8_t Vk) {
  return RegisterHotKey(AboutWindow->Handle(), Id, Modifiers, Vk) != FALSE;
}

void TCalculatorApp::UnregisterHotkey(THotkeyId Id) { UnregisterHotKey(AboutWindow->Handle(), Id); }

void TCalculatorApp::SetTooltip(const std::wstring& Text) {
  if (TrayIcon) TrayIcon->SetTooltip(Text);
}

void TCalculatorApp::ErrorBeep() { MessageBeep(MB_ICONHAND); }

void TCalculatorApp::ShowMessage(const std::wstring& Text) { Application.ShowMessage(Text); }

std::wstring TCalculatorApp::AnsiToWide(std::string_view Ansi) { return talvex::AnsiToWide(Ansi); }

}  // namespace talvex
