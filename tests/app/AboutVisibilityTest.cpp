#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutVisibility.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAreArray;

class TFakeShell final : public IAboutWindowShell {
 public:
  bool Animation = true;  // the user's setting
  std::vector<std::string> Calls;

  bool GetMinimizeAnimation() override { return Animation; }
  void SetMinimizeAnimation(bool On) override {
    Animation = On;
    Calls.push_back(On ? "animation on" : "animation off");
  }
  void SetSizingFrame(bool On) override { Calls.push_back(On ? "frame" : "no frame"); }
  void ShowWindow(int Command) override { Calls.push_back("show " + std::to_string(Command)); }
  void BringToForeground() override { Calls.push_back("foreground"); }
};

TEST(AboutVisibility, HidingSwitchesTheAnimationOffAndShowingGivesItBack) {
  TFakeShell Shell;
  TAboutVisibility About(Shell);
  About.Hide();
  EXPECT_THAT(Shell.Calls, ElementsAreArray({"animation off", "frame", "show 6", "show 0"}));
  Shell.Calls.clear();
  About.Show();
  EXPECT_THAT(Shell.Calls, ElementsAreArray({"animation on", "no frame", "show 9", "show 5", "foreground"}));
}

// Each row: the user's setting, what happens, the setting the user is left with.
TEST(AboutVisibility, TheUsersAnimationSettingSurvivesTheProgram) {
  const struct {
    const char* Name;
    bool UserSetting;
    const char* Steps;  // h hide, s show, u the user switches the animation off meanwhile
  } Cases[] = {
      {"quit while hidden", true, "h"},          {"quit while hidden, user's setting off", false, "h"},
      {"quit while shown", true, "hs"},          {"hidden twice", true, "hh"},
      {"shown, then hidden again", true, "hsh"},
  };
  for (const auto& C : Cases) {
    TFakeShell Shell;
    Shell.Animation = C.UserSetting;
    TAboutVisibility About(Shell);
    for (const char* Step = C.Steps; *Step; ++Step) *Step == 'h' ? About.Hide() : About.Show();
    About.Restore();
    EXPECT_EQ(Shell.Animation, C.UserSetting) << C.Name;
  }
}

TEST(AboutVisibility, AChangeTheUserMadeWhileTheWindowWasShownIsKept) {
  TFakeShell Shell;
  TAboutVisibility About(Shell);
  About.Hide();
  About.Show();
  Shell.Animation = false;  // changed in the control panel meanwhile
  About.Hide();
  About.Show();
  EXPECT_FALSE(Shell.Animation);
}

}  // namespace
}  // namespace talvex::testing
