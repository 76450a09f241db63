// The about window, its controls and the tray menu.
#include "app/CalculatorApp.h"

#include <shellapi.h>

#include "app/Resources.h"

namespace talvex {

namespace {

constexpr int AboutWidth = 364;
constexpr int AboutHeight = 181;
constexpr BYTE AboutAlpha = 150;
constexpr int AboutFontHeight = 18;
constexpr WPARAM DragByCaption = 0xF012;  // SC_MOVE plus the caption's hit-test code

constexpr const wchar_t* HelpFileName = L"talvex.html";

// Index of ShellOpenFile's show states.
enum TShowIndex { siNormal, siMinimized, siMaximized, siHidden };

constexpr ui::TColor Blue = ui::TColor::Rgb(0, 0, 255);
constexpr ui::TColor Navy = ui::TColor::Rgb(0, 0, 128);
constexpr ui::TColor Yellow = ui::TColor::Rgb(255, 255, 0);

constexpr ui::TFontStyle TitleFont{L"Times New Roman", 20, true, false, RUSSIAN_CHARSET};
constexpr ui::TFontStyle LinkFont{L"MS Sans Serif", 0, true, true, RUSSIAN_CHARSET};

// The program's folder, with its last path delimiter.
std::wstring ProgramFolder() {
  wchar_t Path[MAX_PATH] = {};
  const DWORD Length = GetModuleFileNameW(nullptr, Path, MAX_PATH);
  std::wstring Folder(Path, Length);
  const std::size_t Delimiter = Folder.find_last_of(L"\\/:");
  return Delimiter == std::wstring::npos ? std::wstring() : Folder.substr(0, Delimiter + 1);
}

void ShellOpenFile(const std::wstring& File, const std::wstring& Parameters, const std::wstring& Directory,
                   TShowIndex ShowIndex) {
  static constexpr int ShowStates[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED, SW_HIDE};
  // A missing help file or browser is not reported: the shell's result is not used.
  ShellExecuteW(nullptr, nullptr, File.c_str(), Parameters.empty() ? nullptr : Parameters.c_str(),
                Directory.empty() ? nullptr : Directory.c_str(), ShowStates[ShowIndex]);
}

}  // namespace

void TCalculatorApp::BuildAboutWindow() {
  AboutWindow = std::make_unique<ui::TForm>(Application.Handle(), L"Talvex", AboutWidth, AboutHeight, CS_NOCLOSE);
  AboutWindow->SetFont({L"MS Sans Serif", AboutFontHeight});
  AboutWindow->SetAlpha(AboutAlpha);
  AboutWindow->OnMenuCommand = [this](UINT Command) {
    if (const auto Item = PopupMenu ? PopupMenu->ItemOfCommand(Command) : std::nullopt) OnMenuItem(*Item);
  };

  Panel = std::make_unique<ui::TGradientPanel>(*AboutWindow, Blue, Navy);
  // Its own colour, white, never shows: the gradient covers every pixel. It is
  // made transparent before its controls, which take that on, so the gradient
  // shows behind every label and button.
  Panel->Transparent = true;
  Panel->OnMouseDown = [this] { DragAboutWindow(); };

  const auto MakeLabel = [this](const wchar_t* Text, int X, int Y, int Width, int Height) {
    auto Label = std::make_unique<ui::TLabel>(*Panel, Text, X, Y, Width, Height);
    Label->TextColor = ui::White;
    Label->Background = ui::ButtonFace;
    Label->OnMouseDown = [this] { DragAboutWindow(); };
    return Label;
  };
  TitleLabel = MakeLabel(L"Talvex 2.0 бета (b43)", 16, 8, 353, 22);
  TitleLabel->TextColor = Yellow;
  TitleLabel->Background = Yellow;
  TitleLabel->Transparent = true;
  TitleLabel->Font = TitleFont;
  CreditsLabel = MakeLabel(L"Свободная разработка команды Talvex", 16, 32, 353, 22);
  EditorLabel = MakeLabel(L"В любом редакторе...", 16, 56, 353, 14);
  EditorLabel->Transparent = true;
  Step1Label = MakeLabel(L"1) Выделите математическое выражение", 16, 72, 353, 17);
  Step2Label = MakeLabel(L"2) Нажмите CTRL+NumLock (или Shift+NumLock) и ", 16, 88, 353, 17);
  ResultLabel = MakeLabel(L"Получите результат!", 16, 104, 161, 17);

  // No web page or mail address of the program exists: both links lead to its help.
  const HCURSOR Hand = LoadCursorW(GetModuleHandleW(nullptr), resources::HandCursor);
  const auto MakeLink = [&](const wchar_t* Text, int Y) {
    auto Link = MakeLabel(Text, 16, Y, 169, 17);
    Link->Font = LinkFont;
    Link->Cursor = Hand;
    Link->OnMouseDown = nullptr;
    Link->OnClick = [this] { OpenHelpFile(); };
    return Link;
  };
  WebLinkLabel = MakeLink(L"Справка: talvex.html", 128);
  MailLinkLabel = MakeLink(L"Функции и примеры", 144);
  MailLinkLabel->Background = ui::TLabel::DefaultBackground;

  HelpButton = std::make_unique<ui::TOwnerDrawButton>(*Panel, L"Справка", 240, 120, 113, 25);
  HelpButton->TextColor = ui::White;
  HelpButton->Background = ui::ButtonFace;
  HelpButton->OnClick = [this] { OpenHelpFile(); };
  OkButton = std::make_unique<ui::TOwnerDrawButton>(*Panel, L"OK", 240, 144, 113, 25);
  OkButton->TextColor = Yellow;
  OkButton->Background = ui::ButtonFace;
  OkButton->OnClick = [this] { HideAboutWindow(); };
}

void TCalculatorApp::BuildPopupMenu() {
  PopupMenu = std::make_unique<ui::TPopupMenu>(
      std::initializer_list<const wchar_t*>{L"Автора!", L"Справка", L"-", L"В&ыход"});
}

void TCalculatorApp::OnMenuItem(int Item) {
  switch (Item) {
    case 0:
      ShowAboutWindow();
      break;
    case 1:
      ShellOpenFile(HelpFileName, L"", ProgramFolder(), siNormal);
      break;
    case 2:
      PostMessageW(Application.Handle(), WM_CLOSE, 0, 0);
      break;
  }
}

void TCalculatorApp::DragAboutWindow() {
  ReleaseCapture();
  SendMessageW(AboutWindow->Handle(), WM_SYSCOMMAND, DragByCaption, 0);
}

void TCalculatorApp::OpenHelpFile() { ShellOpenFile(HelpFileName, L"", ProgramFolder(), siNormal); }

}  // namespace talvex
