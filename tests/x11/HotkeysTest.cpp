#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "FakeXSystem.h"
#include "x11/Hotkeys.h"
#include "x11/Settings.h"

namespace talvex::x11::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(KeyCombination, WrittenAsTheUserLikesNamedAsTheProgramDoes) {
  const struct {
    const char* Text;
    const char* Name;  // null: refused
    unsigned Modifiers;
    TKeysym Keysym;
  } Cases[] = {
      {"Ctrl+Shift+F7", "Ctrl+Shift+F7", ModControl | ModShift, 0xffc4},
      {"shift + ctrl + f7", "Ctrl+Shift+F7", ModControl | ModShift, 0xffc4},
      {"Control+Alt+e", "Ctrl+Alt+E", ModControl | ModAlt, 'e'},
      {"win+Return", "Super+Enter", ModSuper, 0xff0d},
      {"Ctrl+NumLock", "Ctrl+NumLock", ModControl, 0xff7f},
      {"F12", "F12", 0, 0xffc9},
      {"Ctrl+F35", "Ctrl+F35", ModControl, 0xffbe + 34},
      {"Ctrl+F36", nullptr, 0, 0},
      {"Ctrl+F0", nullptr, 0, 0},
      {"Ctrl+Ctrl+A", nullptr, 0, 0},
      {"Hyper+A", nullptr, 0, 0},
      {"Ctrl+", nullptr, 0, 0},
      {"", nullptr, 0, 0},
      // They would take a character from every program.
      {"A", nullptr, 0, 0},
      {"Shift+1", nullptr, 0, 0},
      {"Shift+Space", nullptr, 0, 0},
  };
  for (const auto& C : Cases) {
    const std::optional<THotkeyKeys> Keys = ParseCombination(C.Text);
    if (!C.Name) {
      EXPECT_EQ(Keys, std::nullopt) << C.Text;
      continue;
    }
    ASSERT_TRUE(Keys) << C.Text;
    EXPECT_EQ(Keys->Name, C.Name);
    EXPECT_EQ(Keys->Modifiers, C.Modifiers) << C.Text;
    EXPECT_EQ(Keys->Keysym, C.Keysym) << C.Text;
  }
}

TEST(KeyCombination, PairsByTheWindowsNamesOrAsTwoCombinations) {
  const struct {
    const char* Text;
    const char* First;  // null: refused
    const char* Second;
  } Cases[] = {
      {"ctrl-shift-f7-f8", "Ctrl+Shift+F7", "Ctrl+Shift+F8"},
      {" Ctrl-Shift-F10-F11 ", "Ctrl+Shift+F10", "Ctrl+Shift+F11"},
      {"numlock", "Ctrl+NumLock", "Shift+NumLock"},
      {"Ctrl+Alt+E,Ctrl+Alt+R", "Ctrl+Alt+E", "Ctrl+Alt+R"},
      {"Ctrl+Alt+E,alt+ctrl+e", nullptr, nullptr},
      {"Ctrl+Alt+E", nullptr, nullptr},
      {"Ctrl+Alt+E,Ctrl+Alt+R,Ctrl+Alt+T", nullptr, nullptr},
      {"ctrl-alt-x", nullptr, nullptr},
  };
  for (const auto& C : Cases) {
    const std::optional<THotkeyPair> Pair = ParseKeys(C.Text);
    if (!C.First) {
      EXPECT_EQ(Pair, std::nullopt) << C.Text;
      continue;
    }
    ASSERT_TRUE(Pair) << C.Text;
    EXPECT_EQ((*Pair)[0].Name, C.First);
    EXPECT_EQ((*Pair)[1].Name, C.Second);
  }
  EXPECT_EQ(DefaultPair()[0].Name, "Ctrl+Shift+F7");
}

TEST(Settings, TheFileNamesThePairAndAnUnknownOneIsToldAndLeavesTheDefault) {
  const struct {
    std::optional<std::string> File;
    const char* First;
    const char* Unknown;
  } Cases[] = {
      {std::nullopt, "Ctrl+Shift+F7", ""},
      {"hotkeys=ctrl-shift-f10-f11\r\n", "Ctrl+Shift+F10", ""},
      {"# mine\nHotkeys = Super+C, Super+R\n", "Super+C", ""},
      {"hotkeys=ctrl-alt-x\n", "Ctrl+Shift+F7", "ctrl-alt-x"},
      {"other=1\n", "Ctrl+Shift+F7", ""},
  };
  for (const auto& C : Cases) {
    std::string Unknown;
    EXPECT_EQ(KeysOfSettings(C.File, Unknown)[0].Name, C.First) << C.File.value_or("no file");
    EXPECT_EQ(Unknown, C.Unknown);
  }
  const std::map<std::string, std::string> Cases2[] = {
      {{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}},
      {{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}},
      {{"HOME", "/home/u"}},
      {},
  };
  const char* Paths[] = {"/cfg/talvex/settings", "/home/u/.config/talvex/settings",
                         "/home/u/.config/talvex/settings", ""};
  for (std::size_t I = 0; I < std::size(Cases2); ++I) {
    const auto& Environment = Cases2[I];
    EXPECT_EQ(SettingsPath([&](const char* Name) -> const char* {
                const auto It = Environment.find(Name);
                return It == Environment.end() ? nullptr : It->second.c_str();
              }),
              Paths[I]);
  }
}

class HotkeysTest : public ::testing::Test {
 protected:
  void SetUp() override { UseSmallKeyboard(X); }
  TFakeXSystem X;
  THotkeys Hotkeys{X};
};

// Lock is CapsLock; NumLock is Mod2 on this keyboard, and ScrollLock has no modifier.
constexpr unsigned Caps = ModLock, Num = 1u << 4, CtrlShift = ModControl | ModShift;

TEST_F(HotkeysTest, EachHotkeyIsGrabbedUnderEveryStateOfTheLocks) {
  EXPECT_THAT(Hotkeys.Grab(DefaultPair()), IsEmpty());
  EXPECT_THAT(X.Calls, ElementsAre("grab 54 5", "grab 54 7", "grab 54 21", "grab 54 23", "grab 55 5", "grab 55 7",
                                   "grab 55 21", "grab 55 23"));
  EXPECT_EQ(Hotkeys.GrabbedNames(), "Ctrl+Shift+F7 Ctrl+Shift+F8");
  const struct {
    TKeycode Key;
    unsigned State;
    std::optional<THotkey> Hotkey;
  } Presses[] = {
      {KeyF7, CtrlShift, THotkey::hkExpression},
      {KeyF8, CtrlShift | Caps | Num, THotkey::hkResult},
      {KeyF8, CtrlShift | (1u << 8), THotkey::hkResult},  // a mouse button held too
      {KeyF8, CtrlShift | ModAlt, std::nullopt},
      {KeyF8, ModControl, std::nullopt},
      {KeyF7 + 2, CtrlShift, std::nullopt},
  };
  for (const auto& P : Presses) EXPECT_EQ(Hotkeys.Match(P.Key, P.State), P.Hotkey) << int(P.Key) << " " << P.State;
}

TEST_F(HotkeysTest, AHotkeyAnotherClientHoldsIsNamedTheOtherWorksAndNoHalfGrabStays) {
  X.GrabbedElsewhere = {{KeyF7, CtrlShift | Num}};
  const auto Failures = Hotkeys.Grab(DefaultPair());
  ASSERT_EQ(Failures.size(), 1u);
  EXPECT_EQ(Failures[0].Name, "Ctrl+Shift+F7");
  EXPECT_FALSE(Failures[0].NoKey);
  EXPECT_THAT(X.Calls, ElementsAre("grab 54 5", "grab 54 7", "grab refused 54 21", "ungrab 54 5", "ungrab 54 7",
                                   "grab 55 5", "grab 55 7", "grab 55 21", "grab 55 23"));
  EXPECT_EQ(Hotkeys.Match(KeyF7, CtrlShift), std::nullopt);
  EXPECT_EQ(Hotkeys.Match(KeyF8, CtrlShift), THotkey::hkResult);
  EXPECT_TRUE(Hotkeys.AnyGrabbed());
  // A change of the mapping that moves nothing grabs nothing again.
  X.Calls.clear();
  EXPECT_EQ(Hotkeys.Refresh(), std::nullopt);
  EXPECT_THAT(X.Calls, IsEmpty());
}

TEST_F(HotkeysTest, AKeyTheKeyboardLacksIsToldAsSuchAndAMovedKeyIsGrabbedAgain) {
  const auto Failures = Hotkeys.Grab(*ParseKeys("Ctrl+Alt+F20,Ctrl+Shift+F8"));
  ASSERT_EQ(Failures.size(), 1u);
  EXPECT_TRUE(Failures[0].NoKey);
  X.Keys[KeyF7] = {0xffc4 + 13, 0, 0, 0};  // setxkbmap put F20 where F7 was
  X.Calls.clear();
  EXPECT_THAT(Hotkeys.Refresh().value_or(std::vector<TGrabFailure>{{"none", true}}), IsEmpty());
  EXPECT_THAT(X.Calls, ::testing::Contains("grab 54 12"));
}

TEST_F(HotkeysTest, NumLockToggledByItsHotkeyIsPutBackOnceTheKeyIsUp) {
  X.Pressed.Set(KeyNumLock, true);
  int Polls = 0;
  X.OnPause = [&] {
    if (++Polls == 3) X.Pressed.Set(KeyNumLock, false);
  };
  RestoreNumLock(X, ModControl | Num);  // it was on before the press
  EXPECT_THAT(X.Calls, ElementsAre("pause 10", "pause 10", "pause 10", "lock 16 16"));
}

}  // namespace
}  // namespace talvex::x11::testing
