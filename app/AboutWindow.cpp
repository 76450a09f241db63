#include "app/AboutWindow.h"

#include <utility>
#include <vector>

#include "app/Resources.h"
#include "ui/Dpi.h"

namespace talvex {

namespace {

constexpr BYTE AboutAlpha = 150;
constexpr int AboutFontHeight = 18;
constexpr WPARAM DragByCaption = 0xF012;  // SC_MOVE plus the caption's hit-test code
constexpr int HandCursorSize = 32;

constexpr ui::TColor Blue = ui::TColor::Rgb(0, 0, 255);
constexpr ui::TColor Navy = ui::TColor::Rgb(0, 0, 128);
constexpr ui::TColor Yellow = ui::TColor::Rgb(255, 255, 0);

constexpr ui::TFontStyle WindowFont{L"MS Sans Serif", AboutFontHeight};
constexpr ui::TFontStyle TitleFont{L"Times New Roman", 20, true, false, RUSSIAN_CHARSET};
constexpr ui::TFontStyle LinkFont{L"MS Sans Serif", 0, true, true, RUSSIAN_CHARSET};

TBox BoxOf(const RECT& R) { return {R.left, R.top, R.right - R.left, R.bottom - R.top}; }

// The hand cursor at Size pixels, from the image nearest that size. Kept for
// the life of the process, like the fonts: a cursor on the screen must not
// be destroyed, and there are only as many as scales met.
HCURSOR HandCursorOf(int Size) {
  static std::vector<std::pair<int, HCURSOR>> Loaded;
  for (const auto& [LoadedSize, Cursor] : Loaded)
    if (LoadedSize == Size) return Cursor;
  const auto Cursor =
      static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), resources::HandCursor, IMAGE_CURSOR, Size, Size, 0));
  Loaded.emplace_back(Size, Cursor);
  return Cursor;
}

}  // namespace

TAboutWindow::TAboutWindow(HWND Owner) {
  const TBox Size = AboutWindowSize(BaseDpi);
  Window = std::make_unique<ui::TForm>(Owner, L"Talvex", Size.Width, Size.Height, CS_NOCLOSE);
  Window->SetAlpha(AboutAlpha);
  Window->OnDpiChanged = [this](UINT Dpi, const RECT& Suggested) {
    const TBox Place = BoxOf(Suggested);
    // A minimised window keeps its place; it gets its size when shown.
    Scaling.Apply(Dpi, IsIconic(Handle()) ? nullptr : &Place);
  };
  Window->OnKey = [this](UINT Key) { return OnKey(Key); };
  // The window lives as long as the program: closing it means hiding it.
  Window->OnCloseRequest = [this] {
    if (OnClose) OnClose();
  };

  Panel = std::make_unique<ui::TGradientPanel>(*Window, Blue, Navy);
  // Its own colour, white, never shows: the gradient covers every pixel. It is
  // made transparent before its controls, which take that on, so the gradient
  // shows behind every label and button.
  Panel->Transparent = true;
  Panel->OnMouseDown = [this] { DragAboutWindow(); };

  // Made at their places at 96 dpi; Scaling moves them to the monitor's scale.
  const auto MakeLabel = [this](const wchar_t* Text, TAboutControl Control) {
    const TBox B = AboutControlBox(Control, BaseDpi);
    auto Label = std::make_unique<ui::TLabel>(*Panel, Text, B.Left, B.Top, B.Width, B.Height);
    Label->TextColor = ui::White;
    Label->Background = ui::ButtonFace;
    Label->OnMouseDown = [this] { DragAboutWindow(); };
    return Label;
  };
  TitleLabel = MakeLabel(L"Talvex 2.0 бета (b43)", acTitle);
  TitleLabel->TextColor = Yellow;
  TitleLabel->Background = Yellow;
  TitleLabel->Transparent = true;
  TitleLabel->Font = TitleFont;
  CreditsLabel = MakeLabel(L"Свободная разработка команды Talvex", acCredits);
  EditorLabel = MakeLabel(L"В любом редакторе...", acEditor);
  EditorLabel->Transparent = true;
  Step1Label = MakeLabel(L"1) Выделите математическое выражение", acStep1);
  Step2Label = MakeLabel(L"2) Нажмите CTRL+NumLock (или Shift+NumLock) и ", acStep2);
  ResultLabel = MakeLabel(L"Получите результат!", acResult);

  // No web page or mail address of the program exists: both links lead to its help.
  const auto MakeLink = [&](const wchar_t* Text, TAboutControl Control) {
    auto Link = MakeLabel(Text, Control);
    Link->Font = LinkFont;
    Link->OnMouseDown = nullptr;
    Link->OnClick = [this] {
      if (OnHelp) OnHelp();
    };
    return Link;
  };
  WebLinkLabel = MakeLink(L"Справка: talvex.html", acWebLink);
  MailLinkLabel = MakeLink(L"Функции и примеры", acMailLink);
  MailLinkLabel->Background = ui::TLabel::DefaultBackground;

  const auto MakeButton = [this](const wchar_t* Text, TAboutControl Control, ui::TColor Colour) {
    const TBox B = AboutControlBox(Control, BaseDpi);
    auto Button = std::make_unique<ui::TOwnerDrawButton>(*Panel, Text, B.Left, B.Top, B.Width, B.Height);
    Button->TextColor = Colour;
    Button->Background = ui::ButtonFace;
    return Button;
  };
  HelpButton = MakeButton(L"Справка", acHelp, ui::White);
  HelpButton->OnClick = [this] {
    if (OnHelp) OnHelp();
  };
  OkButton = MakeButton(L"OK", acOk, Yellow);
  OkButton->OnClick = [this] {
    if (OnClose) OnClose();
  };

  Scaling.Apply(ui::DpiOfWindow(Handle()));
}

void TAboutWindow::FitToMonitor() { Scaling.Apply(ui::DpiOfWindow(Handle())); }

bool TAboutWindow::OnKey(UINT Key) {
  if (Key != VK_ESCAPE && Key != VK_RETURN) return false;
  if (OnClose) OnClose();
  return true;
}

void TAboutWindow::DragAboutWindow() {
  if (IsBusy && IsBusy()) return;
  ReleaseCapture();
  SendMessageW(Handle(), WM_SYSCOMMAND, DragByCaption, 0);
}

TBox TAboutWindow::WindowBox() {
  RECT R{};
  GetWindowRect(Handle(), &R);
  return BoxOf(R);
}

void TAboutWindow::MoveWindow(const TBox& Box) {
  // A minimised window would take this as its icon's place.
  if (IsIconic(Handle())) return;
  SetWindowPos(Handle(), nullptr, Box.Left, Box.Top, Box.Width, Box.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Panel->Handle(), nullptr, 0, 0, Box.Width, Box.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TAboutWindow::ControlHandle(TAboutControl Control) const {
  switch (Control) {
    case acTitle: return TitleLabel->Handle();
    case acResult: return ResultLabel->Handle();
    case acWebLink: return WebLinkLabel->Handle();
    case acMailLink: return MailLinkLabel->Handle();
    case acCredits: return CreditsLabel->Handle();
    case acStep1: return Step1Label->Handle();
    case acStep2: return Step2Label->Handle();
    case acEditor: return EditorLabel->Handle();
    case acOk: return OkButton->Handle();
    case acHelp: return HelpButton->Handle();
    case acControlCount: break;
  }
  return nullptr;
}

void TAboutWindow::PlaceControl(TAboutControl Control, const TBox& Box) {
  SetWindowPos(ControlHandle(Control), nullptr, Box.Left, Box.Top, Box.Width, Box.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAboutWindow::UseDpi(unsigned Dpi) {
  Window->SetFont(WindowFont, Dpi);
  for (ui::TLabel* Label : {TitleLabel.get(), ResultLabel.get(), WebLinkLabel.get(), MailLinkLabel.get(),
                            CreditsLabel.get(), Step1Label.get(), Step2Label.get(), EditorLabel.get()})
    Label->Dpi = Dpi;
  OkButton->SetDpi(Dpi);
  HelpButton->SetDpi(Dpi);

  // Drawn at 32 pixels for 100 %, with images for 125, 150 and 200 %.
  const HCURSOR Hand = HandCursorOf(ScaleToDpi(HandCursorSize, Dpi));
  WebLinkLabel->Cursor = Hand;
  MailLinkLabel->Cursor = Hand;
}

void TAboutWindow::Repaint() { RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN); }

}  // namespace talvex
