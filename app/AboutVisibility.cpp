#include "app/AboutVisibility.h"

namespace talvex {

void TAboutVisibility::Hide() {
  // Hidden already, the animation is ours (off): saving it would lose the user's.
  if (!Hidden) SavedAnimation = Shell.GetMinimizeAnimation();
  Shell.SetMinimizeAnimation(false);
  Shell.SetSizingFrame(true);
  Shell.ShowWindow(ShowMinimize);
  Shell.ShowWindow(ShowHide);
  Hidden = true;
}

void TAboutVisibility::Show() {
  Shell.SetMinimizeAnimation(SavedAnimation);
  Shell.SetSizingFrame(false);
  Shell.ShowWindow(ShowRestore);
  Shell.ShowWindow(ShowShow);
  Shell.BringToForeground();
  Hidden = false;
}

void TAboutVisibility::Restore() {
  if (Hidden) Shell.SetMinimizeAnimation(SavedAnimation);
}

}  // namespace talvex
