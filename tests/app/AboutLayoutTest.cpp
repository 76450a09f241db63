#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutLayout.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Text(const TBox& B) {
  return std::to_string(B.Left) + "," + std::to_string(B.Top) + " " + std::to_string(B.Width) + "x" +
         std::to_string(B.Height);
}

// Records what rescaling asks of the window; moves it unless it is minimised.
class TFakeSurface final : public IAboutSurface {
 public:
  TBox Window{100, 200, 364, 181};
  bool Minimised = false;
  TBox Controls[acControlCount];
  std::vector<std::string> Calls;

  TBox WindowBox() override { return Window; }
  void MoveWindow(const TBox& Box) override {
    Calls.push_back("move " + Text(Box));
    if (!Minimised) Window = Box;
  }
  void PlaceControl(TAboutControl Control, const TBox& Box) override {
    Controls[Control] = Box;
    if (Control == acOk) Calls.push_back("place OK " + Text(Box));
  }
  void UseDpi(unsigned Dpi) override { Calls.push_back("dpi " + std::to_string(Dpi)); }
  void Repaint() override { Calls.push_back("repaint"); }
};

TEST(AboutLayout, TheWindowScalesWithItsMonitor) {
  struct TRow {
    unsigned Dpi;
    int Width, Height;
  };
  // 181 * 1.5 = 271.5: halves round up, as MulDiv rounds them.
  for (const TRow& R : {TRow{96, 364, 181}, {120, 455, 226}, {144, 546, 272}, {192, 728, 362}, {0, 364, 181}}) {
    const TBox Size = AboutWindowSize(UsableDpi(R.Dpi));
    EXPECT_EQ(Text(Size), Text({0, 0, R.Width, R.Height})) << R.Dpi << " dpi";
  }
}

TEST(AboutLayout, ANewScalePlacesTheControlsThenFontsThenTheWindowAboutItsCentre) {
  TFakeSurface Window;
  TAboutScaling Scaling(Window);
  Scaling.Apply(144);
  // OK: 240,144 113x25 at 96 dpi; its right and bottom edges, 353 and 169, scaled too.
  EXPECT_THAT(Window.Calls, ElementsAre("place OK 360,216 170x38", "dpi 144", "move 9,155 546x272", "repaint"));
  EXPECT_EQ(Scaling.Dpi(), 144u);
}

TEST(AboutLayout, TheSystemsSuggestedPlaceIsTakenAsItIs) {
  TFakeSurface Window;
  TAboutScaling Scaling(Window);
  Scaling.Apply(96);
  Window.Calls.clear();
  const TBox Suggested{1500, 40, 460, 230};
  Scaling.Apply(120, &Suggested);
  EXPECT_THAT(Window.Calls, ElementsAre("place OK 300,180 141x31", "dpi 120", "move 1500,40 460x230", "repaint"));
}

TEST(AboutLayout, BackAtTheFirstScaleEverythingIsWhereItWas) {
  TFakeSurface Window;
  TAboutScaling Scaling(Window);
  Scaling.Apply(96);
  const TBox Start = Window.Window;
  for (const unsigned Dpi : {120u, 144u, 192u, 120u, 96u}) Scaling.Apply(Dpi);
  EXPECT_EQ(Text(Window.Window), Text(Start));
  for (int C = 0; C < acControlCount; ++C)
    EXPECT_EQ(Text(Window.Controls[C]), Text(AboutControlBox(static_cast<TAboutControl>(C), 96))) << "control " << C;
}

TEST(AboutLayout, TheSameScaleAgainChangesNothing) {
  TFakeSurface Window;
  TAboutScaling Scaling(Window);
  Scaling.Apply(144);
  Window.Calls.clear();
  Scaling.Apply(144);
  EXPECT_THAT(Window.Calls, IsEmpty());
}

// A minimised window keeps its size; it gets the right one once shown again.
TEST(AboutLayout, AWindowThatMissedItsSizeGetsItLaterWithoutNewFonts) {
  TFakeSurface Window;
  TAboutScaling Scaling(Window);
  Scaling.Apply(96);
  Window.Minimised = true;
  Scaling.Apply(192);
  Window.Minimised = false;
  Window.Calls.clear();
  Scaling.Apply(192);
  EXPECT_THAT(Window.Calls, ElementsAre("move -82,110 728x362", "repaint"));
}

}  // namespace
}  // namespace talvex::testing
