#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeAppHost.h"
#include "app/AppTexts.h"
#include "app/RecentResults.h"
#include "app/TrayMenuModel.h"
#include "lib/ClipboardText.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::string> MenuTexts(const TRecentResults& Recent) {
  std::vector<std::string> Texts;
  for (const TRecentResult& Entry : Recent.Entries()) Texts.push_back(Utf8(MenuTextOf(Entry)));
  return Texts;
}

TEST(RecentResults, TenAreKeptNewestFirstAndARepeatMovesToTheFront) {
  TRecentResults Recent;
  for (int I = 1; I <= 12; ++I) Recent.Add(L"1+" + std::to_wstring(I), std::to_wstring(I + 1));
  EXPECT_THAT(MenuTexts(Recent), ElementsAre("1+12=13", "1+11=12", "1+10=11", "1+9=10", "1+8=9", "1+7=8", "1+6=7",
                                             "1+5=6", "1+4=5", "1+3=4"));
  Recent.Add(L"1+6", L"7");
  Recent.Add(L"1+12", L"13");
  EXPECT_THAT(MenuTexts(Recent), ElementsAre("1+12=13", "1+6=7", "1+11=12", "1+10=11", "1+9=10", "1+8=9", "1+7=8",
                                             "1+5=6", "1+4=5", "1+3=4"));
}

TEST(RecentResults, AMenuItemShowsOneLineWithTheResultWhole) {
  const std::wstring Long = std::wstring(40, L'1') + L"+" + std::wstring(40, L'2');
  const struct {
    TRecentResult Entry;
    const char* Shown;
  } Cases[] = {
      {{L"2+3*4", L"14"}, "2+3*4=14"},
      // An ampersand alone would underline the next character and vanish.
      {{L"\"a\" & \"b\"", L"\"a&b\""}, "\"a\" && \"b\"=\"a&&b\""},
      // A tab would push the rest into the column of shortcut keys.
      {{L"1+\t2\r\n+3", L"6"}, "1+ 2  +3=6"},
      {{Long, L"2222222222222222222222222222222222222222"}, nullptr},
      {{L"\"" + std::wstring(70, L'x') + L"\"", L"\"" + std::wstring(70, L'x') + L"\""}, nullptr},
  };
  for (const auto& C : Cases) {
    const std::wstring Text = MenuTextOf(C.Entry);
    if (C.Shown) {
      EXPECT_EQ(Utf8(Text), C.Shown);
      continue;
    }
    EXPECT_LE(Text.size(), 64u) << Utf8(Text);
    EXPECT_EQ(Text.substr(0, 20), C.Entry.Expression.substr(0, 20)) << Utf8(Text);
    EXPECT_NE(Text.find(L'\u2026'), std::wstring::npos) << Utf8(Text);
  }
  // A long expression is shortened in its middle: the result stays whole.
  const std::wstring Text = MenuTextOf(Cases[3].Entry);
  EXPECT_EQ(Text.substr(Text.size() - 41), L"=2222222222222222222222222222222222222222");
}

TEST(RecentResults, TheMenuListsTheResultsAsShownAndACommandCopiesThatOne) {
  TTrayMenuModel Model;
  TRecentResults Recent;
  std::vector<ui::TMenuItem> Items = Model.Build(Recent, 0);
  ASSERT_EQ(Items[3].Text, texts::RecentMenu);
  ASSERT_EQ(Items[3].Submenu.size(), 1u);
  EXPECT_EQ(Items[3].Submenu[0].Text, texts::NoRecentResults);
  EXPECT_FALSE(Items[3].Submenu[0].Enabled);
  EXPECT_EQ(Model.CommandOf(Items[3].Submenu[0].Command), std::nullopt);

  Recent.Add(L"2+3*4", L"14");
  Recent.Add(L"84/2", L"42");
  Items = Model.Build(Recent, 0);
  std::vector<std::string> Shown;
  for (const ui::TMenuItem& Item : Items[3].Submenu) Shown.push_back(Utf8(Item.Text));
  EXPECT_THAT(Shown, ElementsAre("84/2=42", "2+3*4=14"));
  // A cycle that ends while the menu is open does not shift what a click copies.
  Recent.Add(L"1+1", L"2");
  const auto Command = Model.CommandOf(Items[3].Submenu[1].Command);
  ASSERT_TRUE(Command.has_value());
  EXPECT_EQ(Command->Action, TMenuAction::maCopyResult);
  EXPECT_EQ(Command->Result, L"14");
}

TEST(RecentResults, TheSpecifiedMenuItemsKeepTheirTextsAndCommands) {
  TTrayMenuModel Model;
  const std::vector<ui::TMenuItem> Items = Model.Build(TRecentResults{}, 0);
  std::vector<std::string> Texts;
  for (const ui::TMenuItem& Item : Items) Texts.push_back(Utf8(Item.Text));
  EXPECT_THAT(Texts, ElementsAre("Автора!", "Справка", "-", "Последние результаты", "Горячие клавиши", "-", "В&ыход"));
  const TMenuAction Actions[] = {TMenuAction::maAbout, TMenuAction::maHelp, TMenuAction::maExit};
  const std::size_t Places[] = {0, 1, 6};
  for (std::size_t I = 0; I < 3; ++I) {
    const auto Command = Model.CommandOf(Items[Places[I]].Command);
    ASSERT_TRUE(Command.has_value()) << I;
    EXPECT_EQ(Command->Action, Actions[I]);
  }
}

TEST(RecentResults, ACopyPutsTheResultOnTheClipboardAsText) {
  TFakeSystemApi Sys;
  TFakeAppHost Host{Sys.Calls};
  Sys.PlaceCopy(L"earlier");
  CopyRecentResult(Sys, Host, L"14");
  EXPECT_THAT(Sys.Calls, ElementsAre(Pump, Open, Empty, SetData(13, std::string("1\\0" "4\\0\\0\\0")), Close));
  EXPECT_EQ(ReadClipboardText(Sys), L"14");
}

TEST(RecentResults, AClipboardThatStaysTakenIsTriedAgainThenReported) {
  TFakeSystemApi Sys;
  TFakeAppHost Host{Sys.Calls};
  Sys.PlaceCopy(L"earlier");
  int Opens = 0;
  Sys.OnOpen = [&] { Sys.ClipboardOpens = ++Opens >= 3; };
  CopyRecentResult(Sys, Host, L"42");
  EXPECT_EQ(ReadClipboardText(Sys), L"42") << "taken for a moment";

  Sys.ClearCalls();
  Sys.OnOpen = nullptr;
  Sys.ClipboardOpens = false;
  const std::uint32_t Start = Sys.Clock;
  CopyRecentResult(Sys, Host, L"7");
  ASSERT_FALSE(Sys.Calls.empty());
  EXPECT_EQ(Sys.Calls.back(), Message(Utf8(texts::ClipboardBusy)));
  EXPECT_EQ(std::count(Sys.Calls.begin(), Sys.Calls.end(), Empty), 0);
  EXPECT_EQ(Sys.Clock - Start, ClipboardOpenTimeout) << "gave up at the timeout";
  Sys.ClipboardOpens = true;
  EXPECT_EQ(ReadClipboardText(Sys), L"42");
}

}  // namespace
}  // namespace talvex::testing
