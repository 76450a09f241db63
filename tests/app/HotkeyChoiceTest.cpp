#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeAppHost.h"
#include "ParserFunctions/FunctionTable.h"
#include "app/HotkeyChoice.h"
#include "app/TrayMenuModel.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr THotkeyId Id1 = 0xC001;
constexpr THotkeyId Id2 = 0xC002;
constexpr std::uint32_t CtrlShift = 6;

class HotkeyChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Cycle.Ids = {Id1, Id2};
  }
  std::vector<std::string> Calls;
  TFakeSystemApi Sys;
  TFakeAppHost Host{Calls};
  TMonitorBinding Monitor{Sys};
  TCalcParser Parser{BuiltinFunctions()};
  THotkeyCycle Cycle{Sys, Monitor, Host, Parser};
  THotkeyChoice Choice{Host, Cycle};
};

TEST_F(HotkeyChoiceTest, TheFileChoosesThePairAndABrokenOrMissingOneLeavesTheDefault) {
  const std::string Valid = "hotkeys=ctrl-shift-f7-f8\r\n";
  const struct {
    const char* Name;
    std::optional<std::string> File;
    std::size_t Pair;
  } Cases[] = {
      {"no file", std::nullopt, 0},
      {"as written", Valid, 1},
      {"the other alternative", "hotkeys=ctrl-shift-f10-f11\r\n", 2},
      {"the default written back", "hotkeys=numlock\r\n", 0},
      {"edited by hand", "\xEF\xBB\xBF# mine\n\n  HotKeys = Ctrl-Shift-F10-F11 \t\n", 2},
      {"the last line wins", "hotkeys=ctrl-shift-f10-f11\nhotkeys=ctrl-shift-f7-f8\n", 1},
      {"an unknown pair", "hotkeys=ctrl-alt-x\n", 0},
      {"a valid pair named wrong after it", Valid + "hotkeys=ctrl-alt-x\n", 0},
      {"commented out", "#hotkeys=ctrl-shift-f7-f8\n", 0},
      {"another key", "keys=ctrl-shift-f7-f8\n", 0},
      {"empty", "", 0},
      {"binary", std::string("\0\xFF\xFEhotkeys\0=", 12), 0},
      {"longer than any settings file", Valid + std::string(MaxSettingsBytes, ' '), 0},
  };
  for (const auto& C : Cases) {
    Calls.clear();
    Host.Settings = C.File;
    Choice.Load();
    EXPECT_EQ(Choice.Current(), C.Pair) << C.Name;
    EXPECT_EQ(Cycle.Keys[0].Vk, HotkeyPairs[C.Pair].Keys[0].Vk) << C.Name;
    EXPECT_EQ(Cycle.Keys[1].Vk, HotkeyPairs[C.Pair].Keys[1].Vk) << C.Name;
    EXPECT_THAT(Calls, ElementsAre(ReadSettings)) << C.Name << ": read, never written";
  }
}

TEST_F(HotkeyChoiceTest, TheRememberedPairIsWhatTheHotkeysRegister) {
  Host.Settings = "hotkeys=ctrl-shift-f7-f8\r\n";
  Choice.Load();
  Calls.clear();
  Cycle.RegisterHotkeys();
  EXPECT_THAT(Calls, ElementsAre("atom Talvex1", Register(Id1, CtrlShift, 0x76), "atom Talvex2",
                                 Register(Id2, CtrlShift, 0x77)));
}

TEST_F(HotkeyChoiceTest, AChangeTakesEffectAtOnceAndIsWrittenOnlyWhenItChanges) {
  Choice.Load();
  const struct {
    std::size_t Pair;
    std::vector<std::string> Calls;
  } Steps[] = {
      {1,
       {Unregister(Id1), Unregister(Id2), Register(Id1, CtrlShift, 0x76), Register(Id2, CtrlShift, 0x77),
        WriteSettings("hotkeys=ctrl-shift-f7-f8\r\n")}},
      {1, {}},
      {2,
       {Unregister(Id1), Unregister(Id2), Register(Id1, CtrlShift, 0x79), Register(Id2, CtrlShift, 0x7A),
        WriteSettings("hotkeys=ctrl-shift-f10-f11\r\n")}},
      {0, {Unregister(Id1), Unregister(Id2), Register(Id1, 2, 0x13), Register(Id2, 4, 0x90),
           WriteSettings("hotkeys=numlock\r\n")}},
      {0, {}},
      {HotkeyPairs.size(), {}},
  };
  for (const auto& S : Steps) {
    Calls.clear();
    Choice.Choose(S.Pair);
    EXPECT_THAT(Calls, ElementsAreArray(S.Calls)) << "pair " << S.Pair;
  }
  // What was written is read back as the same choice.
  Host.Settings = "hotkeys=ctrl-shift-f10-f11\r\n";
  Choice.Choose(2);
  THotkeyCycle Later{Sys, Monitor, Host, Parser};
  THotkeyChoice Restarted{Host, Later};
  Restarted.Load();
  EXPECT_EQ(Restarted.Current(), 2u);
}

TEST_F(HotkeyChoiceTest, ACombinationAnotherProgramHoldsIsNamedAndTheOtherStillWorks) {
  Choice.Load();
  Calls.clear();
  Host.Taken = {Id2};
  Choice.Choose(2);
  EXPECT_THAT(Calls, ElementsAre(Unregister(Id1), Unregister(Id2), Register(Id1, CtrlShift, 0x79),
                                 Register(Id2, CtrlShift, 0x7A), TakenMessage("Ctrl+Shift+F11"),
                                 WriteSettings("hotkeys=ctrl-shift-f10-f11\r\n")));
  EXPECT_EQ(Choice.Current(), 2u);
  EXPECT_EQ(Cycle.Keys[0].Vk, 0x79) << "the hotkey that registered has its new keys";
}

TEST_F(HotkeyChoiceTest, ASettingsFileThatCannotBeWrittenIsReportedWithItsPlace) {
  Choice.Load();
  Host.SettingsWritable = false;
  Choice.Choose(1);
  ASSERT_FALSE(Calls.empty());
  EXPECT_EQ(Calls.back(), Message("Не удалось запомнить выбор горячих клавиш: файл настроек не записан. Выбранные "
                                  "клавиши работают до выхода из программы.\n" + Utf8(SettingsFile)));
  EXPECT_EQ(Cycle.Keys[1].Vk, 0x77) << "the keys work for this run";
}

TEST_F(HotkeyChoiceTest, TheMenuChecksThePairInUse) {
  TTrayMenuModel Model;
  const TRecentResults Recent;
  for (std::size_t Current = 0; Current < HotkeyPairs.size(); ++Current) {
    const std::vector<ui::TMenuItem> Items = Model.Build(Recent, Current);
    const ui::TMenuItem& Hotkeys = Items[4];
    ASSERT_EQ(Hotkeys.Text, L"Горячие клавиши");
    std::vector<std::string> Shown;
    for (const ui::TMenuItem& Pair : Hotkeys.Submenu) {
      Shown.push_back((Pair.Checked ? "* " : "  ") + Utf8(Pair.Text));
      const auto Command = Model.CommandOf(Pair.Command);
      ASSERT_TRUE(Command.has_value());
      EXPECT_EQ(Command->Action, TMenuAction::maChoosePair);
      EXPECT_EQ(Command->Index, Shown.size() - 1);
    }
    std::vector<std::string> Expected = {"  Ctrl+NumLock и Shift+NumLock", "  Ctrl+Shift+F7 и Ctrl+Shift+F8",
                                         "  Ctrl+Shift+F10 и Ctrl+Shift+F11"};
    Expected[Current][0] = '*';
    EXPECT_THAT(Shown, ElementsAreArray(Expected)) << "pair " << Current;
  }
}

}  // namespace
}  // namespace talvex::testing
