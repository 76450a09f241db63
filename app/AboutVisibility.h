// Showing and hiding the about window, and the system's minimise animation
// that hiding switches off meanwhile so the window vanishes without it.
#pragma once

namespace talvex {

// ShowWindow commands used here.
inline constexpr int ShowHide = 0;
inline constexpr int ShowMinimize = 6;
inline constexpr int ShowRestore = 9;
inline constexpr int ShowShow = 5;

class IAboutWindowShell {
 public:
  virtual ~IAboutWindowShell() = default;
  virtual bool GetMinimizeAnimation() = 0;
  virtual void SetMinimizeAnimation(bool On) = 0;
  virtual void SetSizingFrame(bool On) = 0;
  virtual void ShowWindow(int Command) = 0;
  virtual void BringToForeground() = 0;
};

class TAboutVisibility {
 public:
  explicit TAboutVisibility(IAboutWindowShell& WindowShell) : Shell(WindowShell) {}

  void Hide();
  void Show();
  // Gives the user's animation setting back when the program ends with the
  // about window hidden (and so the animation still switched off).
  void Restore();

  bool IsHidden() const { return Hidden; }

 private:
  IAboutWindowShell& Shell;
  // The animation setting as it was when the about window was last hidden.
  bool SavedAnimation = true;
  bool Hidden = false;
};

}  // namespace talvex
