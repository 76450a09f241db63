#include "app/AboutLayout.h"

#include <cstdint>

namespace talvex {

namespace {

constexpr int AboutWidth = 364;
constexpr int AboutHeight = 181;
// A usable report lies within what Windows offers (100 % to 500 %), with room.
constexpr unsigned LowestDpi = 48;
constexpr unsigned HighestDpi = 960;

// At 96 dpi, in the order of TAboutControl.
constexpr TBox BaseBoxes[acControlCount] = {
    {16, 8, 353, 22},     // title
    {16, 104, 161, 17},   // result
    {16, 128, 169, 17},   // web link
    {16, 144, 169, 17},   // mail link
    {16, 32, 353, 22},    // credits
    {16, 72, 353, 17},    // step 1
    {16, 88, 353, 17},    // step 2
    {16, 56, 353, 14},    // editor
    {240, 144, 113, 25},  // OK
    {240, 120, 113, 25},  // help
};

}  // namespace

int ScaleToDpi(int Pixels, unsigned Dpi) {
  const std::int64_t Product = std::int64_t{Pixels} * Dpi;
  const std::int64_t Half = BaseDpi / 2;
  return static_cast<int>(Product >= 0 ? (Product + Half) / BaseDpi : (Product - Half) / BaseDpi);
}

unsigned UsableDpi(unsigned Reported) {
  return Reported >= LowestDpi && Reported <= HighestDpi ? Reported : BaseDpi;
}

TBox AboutWindowSize(unsigned Dpi) { return {0, 0, ScaleToDpi(AboutWidth, Dpi), ScaleToDpi(AboutHeight, Dpi)}; }

TBox AboutControlBox(TAboutControl Control, unsigned Dpi) {
  const TBox& Base = BaseBoxes[Control];
  const int Left = ScaleToDpi(Base.Left, Dpi);
  const int Top = ScaleToDpi(Base.Top, Dpi);
  return {Left, Top, ScaleToDpi(Base.Left + Base.Width, Dpi) - Left, ScaleToDpi(Base.Top + Base.Height, Dpi) - Top};
}

void TAboutScaling::Apply(unsigned Dpi, const TBox* Suggested) {
  Dpi = UsableDpi(Dpi);
  const TBox Size = AboutWindowSize(Dpi);
  const TBox Now = Surface.WindowBox();
  const bool Sized = Now.Width == Size.Width && Now.Height == Size.Height;
  if (Dpi == Current && !Suggested && Sized) return;

  if (Dpi != Current) {
    for (int Control = 0; Control < acControlCount; ++Control)
      Surface.PlaceControl(static_cast<TAboutControl>(Control), AboutControlBox(static_cast<TAboutControl>(Control), Dpi));
    Surface.UseDpi(Dpi);
    Current = Dpi;
  }
  if (Suggested) {
    Surface.MoveWindow(*Suggested);
  } else if (!Sized) {
    // About the same centre; the half is cut toward zero whichever way the size
    // changes, so a window scaled up and back down returns to its place.
    Surface.MoveWindow({Now.Left + (Now.Width - Size.Width) / 2, Now.Top + (Now.Height - Size.Height) / 2, Size.Width,
                        Size.Height});
  }
  Surface.Repaint();
}

}  // namespace talvex
