#include "app/CalculatorApp.h"

#include <optional>

#include "app/AppTexts.h"
#include "app/EngineSettings.h"
#include "app/MinimizeAnimation.h"
#include "app/Resources.h"
#include "app/SettingsFile.h"
#include "lib/ImageBitness.h"
#include "lib/TextCodec.h"
#include "lib/WindowsLocale.h"

namespace talvex {

namespace {

constexpr TAngleUnit RadiansUnit = auRadians;
constexpr UINT_PTR CycleTimerId = 1;

bool FileExists(const std::wstring& Path) {
  const DWORD Attributes = GetFileAttributesW(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The bitness of the image file at Path; nothing when it cannot be read or is no image.
std::optional<int> FileBitness(const std::wstring& Path) {
  const HANDLE File = CreateFileW(Path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string Head(ImageHeadBytes, '\0');
  DWORD Read = 0;
  const bool Ok = ReadFile(File, Head.data(), static_cast<DWORD>(Head.size()), &Read, nullptr) != 0;
  CloseHandle(File);
  if (!Ok) return std::nullopt;
  Head.resize(Read);
  return ImageBitness(Head);
}

static_assert(ShowHide == SW_HIDE && ShowMinimize == SW_MINIMIZE && ShowRestore == SW_RESTORE && ShowShow == SW_SHOW);

}  // namespace

std::wstring ProgramFolder() {
  wchar_t Path[MAX_PATH] = {};
  const DWORD Length = GetModuleFileNameW(nullptr, Path, MAX_PATH);
  std::wstring Folder(Path, Length);
  const std::size_t Delimiter = Folder.find_last_of(L"\\/:");
  return Delimiter == std::wstring::npos ? std::wstring() : Folder.substr(0, Delimiter + 1);
}

TCalculatorApp::TCalculatorApp(ui::TApplicationWindow& ApplicationWindow) : Application(ApplicationWindow) {}

TCalculatorApp::~TCalculatorApp() {
  Application.SetTrayIcon(nullptr);
  Application.OnCloseRequest = nullptr;
  Application.OnEndSession = nullptr;
  SetClock(nullptr);
}

void TCalculatorApp::SetupApplication() {
  BuildAboutWindow();
  HideAboutWindow();
  // Without a settings file the hotkeys are the NumLock pair, and nothing is written.
  HotkeyChoice.Load();
  RegisterHotkeys();
  BuildPopupMenu();

  // The tray shows small icons: the image drawn for that size, not the large one shrunk.
  const auto Icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resources::TrayIcon, IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  std::optional<TShellVersion> Shell;
  if (const auto Version = ui::ShellVersion()) Shell = TShellVersion{Version->first, Version->second};
  TrayAbilities = TrayAbilitiesOf(Shell);
  TrayIcon = std::make_unique<ui::TTrayIcon>(Application.Handle(), Icon, texts::InitialTooltip, TrayAbilities.Balloons);
  TrayIcon->OnMouse = [this](UINT MouseMessage) { OnTrayMouse(MouseMessage); };
  Application.SetTrayIcon(TrayIcon.get());

  if (!Monitor.InstallMonitor()) {
    ShowMessage(MonitorFailureText(MonitorFailure(), ProgramFolder()));
    PostQuitMessage(1);  // the loop ends on its first pass; the steps below still run
  }
  AboutWindow->Form().OnDestroy = [this] { OnAboutDestroy(); };
  // "Выход" and a close from outside end the program after a running cycle has given everything back.
  Application.OnCloseRequest = [this] { Cycle.RunOutsideCycle([this] { Application.Close(); }); };
  // The process may end as soon as this returns: the clipboard and NumLock go back first.
  Application.OnEndSession = [this] {
    Cycle.EndSession();
    Cycle.RunOutsideCycle([this] { Application.Close(); });
  };

  ShowWindow(Application.Handle(), SW_MINIMIZE);
  ShowWindow(Application.Handle(), SW_HIDE);

  UseLocaleSettings(ReadWindowsFormatSettings());
  SetClock(&Clock);
  // The operator and function tables are built at the first calculation.
  Parser.AngleUnit = RadiansUnit;
}

void TCalculatorApp::BuildAboutWindow() {
  AboutWindow = std::make_unique<TAboutWindow>(Application.Handle());
  // Clicks that a cycle's waits dispatch run when the cycle is over.
  AboutWindow->OnHelp = [this] { Cycle.RunOutsideCycle([this] { OpenHelpFile(); }); };
  AboutWindow->OnClose = [this] { Cycle.RunOutsideCycle([this] { HideAboutWindow(); }); };
  AboutWindow->IsBusy = [this] { return Cycle.Running(); };
  AboutWindow->Form().OnTimer = [this](UINT_PTR Id) {
    if (Id == CycleTimerId) Cycle.OnTimer();
  };
}

TMonitorFailure TCalculatorApp::MonitorFailure() const {
  if (Monitor.IsBound()) return TMonitorFailure::NotInstalled;
  const std::wstring Path = ProgramFolder() + MonitorLibraryFile;
  if (!FileExists(Path)) return TMonitorFailure::Missing;
  // Windows loads no library of the other bitness into a process, and says only "not a valid image".
  const auto Bits = FileBitness(Path);
  return Bits && *Bits != static_cast<int>(sizeof(void*) * 8) ? TMonitorFailure::OtherBitness
                                                               : TMonitorFailure::Unusable;
}

// The hotkeys are registered on the about window: its WM_HOTKEY starts the cycle.
void TCalculatorApp::RegisterHotkeys() {
  Cycle.RegisterHotkeys();
  AboutWindow->Form().OnHotkey = [this](WPARAM Id) { Cycle.OnHotkey(Id); };
}

void TCalculatorApp::UnregisterHotkeys() {
  AboutWindow->Form().OnHotkey = nullptr;
  Cycle.UnregisterHotkeys();
}

void TCalculatorApp::OnTrayMouse(UINT MouseMessage) {
  switch (MouseMessage) {
    case WM_RBUTTONUP:
      Cycle.RunOutsideCycle([this] { ShowTrayMenu(); });
      break;
    case WM_LBUTTONUP:
      Cycle.RunOutsideCycle([this] { ShowAboutWindow(); });
      break;
  }
}

void TCalculatorApp::HideAboutWindow() { AboutVisibility.Hide(); }

void TCalculatorApp::ShowAboutWindow() {
  AboutVisibility.Show();
  AboutWindow->FitToMonitor();
}

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

void TAboutWindowShell::SetSizingFrame(bool On) { Window->Form().SetSizingFrame(On); }

void TAboutWindowShell::ShowWindow(int Command) { ::ShowWindow(Window->Handle(), Command); }

void TAboutWindowShell::BringToForeground() { SetForegroundWindow(Window->Handle()); }

THotkeyId TCalculatorApp::AddGlobalAtom(const char* Name) { return GlobalAddAtomA(Name); }

void TCalculatorApp::DeleteGlobalAtom(THotkeyId Atom) { GlobalDeleteAtom(Atom); }

bool TCalculatorApp::RegisterHotkey(THotkeyId Id, std::uint32_t Modifiers, std::uint8_t Vk) {
  return RegisterHotKey(AboutWindow->Handle(), Id, Modifiers, Vk) != FALSE;
}

void TCalculatorApp::UnregisterHotkey(THotkeyId Id) { UnregisterHotKey(AboutWindow->Handle(), Id); }

void TCalculatorApp::SetTooltip(const std::wstring& Text) {
  if (TrayIcon) TrayIcon->SetTooltip(CutTooltip(Text, TrayAbilities.TooltipChars));
}

void TCalculatorApp::StartTimer(std::uint32_t Milliseconds) {
  SetTimer(AboutWindow->Handle(), CycleTimerId, Milliseconds, nullptr);
}

void TCalculatorApp::StopTimer() { KillTimer(AboutWindow->Handle(), CycleTimerId); }

std::uintptr_t TCalculatorApp::HotkeyWindow() { return reinterpret_cast<std::uintptr_t>(AboutWindow->Handle()); }

void TCalculatorApp::ShowBalloon(const std::wstring& Text) {
  // The icon itself shows none in the first layout, which has no room for one.
  if (TrayIcon) TrayIcon->ShowBalloon(BalloonTitle, CutBalloon(Text), TrayAbilities.SilentBalloons);
}

void TCalculatorApp::ErrorBeep() { MessageBeep(MB_ICONHAND); }

void TCalculatorApp::ShowMessage(const std::wstring& Text) { Application.ShowMessage(Text); }

std::optional<std::string> TCalculatorApp::ReadSettings() {
  return ReadSettingsFile(SettingsFilePath(), MaxSettingsBytes);
}

bool TCalculatorApp::WriteSettings(const std::string& Text) { return WriteSettingsFile(SettingsFilePath(), Text); }

std::wstring TCalculatorApp::SettingsPath() { return SettingsFilePath(); }

}  // namespace talvex
