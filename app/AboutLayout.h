// The about window's layout: where each control lies at 96 dots per inch,
// the same scaled to the dots per inch of the monitor the window is on, and
// the steps that move the window to a new scale.
#pragma once

namespace talvex {

// 100 %: the scale the layout is given in.
inline constexpr unsigned BaseDpi = 96;

// Pixels: a place on the screen or in the window's client area.
struct TBox {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TBox&) const = default;
};

// The about window's controls, in the order of their fields.
enum TAboutControl {
  acTitle,
  acResult,
  acWebLink,
  acMailLink,
  acCredits,
  acStep1,
  acStep2,
  acEditor,
  acOk,
  acHelp,
  acControlCount
};

// Pixels at 96 dpi at Dpi, to the nearest pixel (halves away from zero, as
// MulDiv rounds).
int ScaleToDpi(int Pixels, unsigned Dpi);
// What the system reports, or 96 when it reports nothing usable (0 from a
// failed call).
unsigned UsableDpi(unsigned Reported);

// The window's width and height at Dpi.
TBox AboutWindowSize(unsigned Dpi);
// A control's place in the window at Dpi. Its edges are scaled, not its
// size, so neighbours that meet at 96 dpi meet at every scale.
TBox AboutControlBox(TAboutControl Control, unsigned Dpi);

// What rescaling asks of the about window.
class IAboutSurface {
 public:
  virtual ~IAboutSurface() = default;
  // The window's place on the screen.
  virtual TBox WindowBox() = 0;
  virtual void MoveWindow(const TBox& Box) = 0;
  // A control's place in the window.
  virtual void PlaceControl(TAboutControl Control, const TBox& Box) = 0;
  // Fonts and the hand cursor for Dpi.
  virtual void UseDpi(unsigned Dpi) = 0;
  virtual void Repaint() = 0;
};

class TAboutScaling {
 public:
  explicit TAboutScaling(IAboutSurface& Window) : Surface(Window) {}

  // Lays the window out for Dpi. The system's suggested place (with a
  // change of monitor) is taken as it is; otherwise the window keeps its
  // centre. Nothing happens when Dpi is the scale already laid out and the
  // window has its size for it.
  void Apply(unsigned Dpi, const TBox* Suggested = nullptr);
  unsigned Dpi() const { return Current; }

 private:
  IAboutSurface& Surface;
  unsigned Current = 0;  // nothing laid out yet
};

}  // namespace talvex
