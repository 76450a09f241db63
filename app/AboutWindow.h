// The about window: a borderless, translucent popup that explains the two
// hotkeys and leads to the help; drawn at the scale of the monitor it is on.
// Its window also receives the hotkeys and owns the tray menu.
#pragma once

#include <functional>
#include <memory>

#include "app/AboutLayout.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace talvex {

class TAboutWindow final : private IAboutSurface {
 public:
  // Made hidden, centred on the screen, owned by Owner.
  explicit TAboutWindow(HWND Owner);
  TAboutWindow(const TAboutWindow&) = delete;
  TAboutWindow& operator=(const TAboutWindow&) = delete;

  ui::TForm& Form() { return *Window; }
  HWND Handle() const { return Window->Handle(); }

  // Once shown: the size for the monitor it is on, which it may have missed
  // while it was minimised.
  void FitToMonitor();

  std::function<void()> OnHelp;   // the help button and the two links
  std::function<void()> OnClose;  // the OK button, Esc, Enter and WM_CLOSE from outside
  // While it holds, the window is not dragged: the drag's own loop would
  // hold up whatever dispatched the mouse press.
  std::function<bool()> IsBusy;

 private:
  // IAboutSurface.
  TBox WindowBox() override;
  void MoveWindow(const TBox& Box) override;
  void PlaceControl(TAboutControl Control, const TBox& Box) override;
  void UseDpi(unsigned Dpi) override;
  void Repaint() override;

  HWND ControlHandle(TAboutControl Control) const;
  void DragAboutWindow();
  bool OnKey(UINT Key);

  // The controls, in their order.
  std::unique_ptr<ui::TForm> Window;
  std::unique_ptr<ui::TGradientPanel> Panel;
  std::unique_ptr<ui::TLabel> TitleLabel;
  std::unique_ptr<ui::TLabel> ResultLabel;
  std::unique_ptr<ui::TLabel> WebLinkLabel;
  std::unique_ptr<ui::TLabel> MailLinkLabel;
  std::unique_ptr<ui::TLabel> CreditsLabel;
  std::unique_ptr<ui::TLabel> Step1Label;
  std::unique_ptr<ui::TLabel> Step2Label;
  std::unique_ptr<ui::TLabel> EditorLabel;
  std::unique_ptr<ui::TOwnerDrawButton> OkButton;
  std::unique_ptr<ui::TOwnerDrawButton> HelpButton;

  TAboutScaling Scaling{*this};
};

}  // namespace talvex
