#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeXSystem.h"
#include "x11/Keysyms.h"
#include "x11/Typing.h"
#include "x11/TypingPlan.h"

namespace talvex::x11::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(Keysyms, CharactersOfTheKeysymsLayoutsUse) {
  const struct {
    TKeysym Keysym;
    char32_t Character;
    bool BothWays;
  } Cases[] = {
      {'a', U'a', true},         {0xe9, U'é', true},         {0x6d1, U'я', true},      {0x6f1, U'Я', true},
      {0x6c0, U'ю', true},       {0x6ff, U'Ъ', true},        {0x6a3, U'ё', true},      {0x6b3, U'Ё', true},
      {0x6a6, U'і', true},       {0x6bd, U'Ґ', true},        {0x6b0, U'№', true},      {0xaa9, U'—', true},
      {0x20ac, U'€', true},      {0xff09, U'\t', true},      {0xff0d, U'\n', true},    {0x1002248, U'≈', true},
      {0x10000e9, U'é', false},  // a Unicode keysym for a Latin-1 letter
      {0xffae, 0, false},        // KP_Decimal: NumLock decides what it types
      {0xffc4, 0, false},        // F7
      {0x1000007, 0, false},     // a control character
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(UnicodeOfKeysym(C.Keysym), C.Character) << std::hex << C.Keysym;
    if (C.BothWays) {
      EXPECT_EQ(KeysymOfUnicode(C.Character), C.Keysym) << std::hex << C.Keysym;
    }
  }
}

class TypingPlanTest : public ::testing::Test {
 protected:
  void SetUp() override { UseSmallKeyboard(X); }
  TPlan Plan(std::u32string_view Text) { return PlanTyping(ReadLayout(X), Text); }
  TFakeXSystem X;
};

TEST_F(TypingPlanTest, EachCharacterByTheFewestModifiersOfTheCurrentLayout) {
  const TPlan P = Plan(U"2+3*4=14 Q@€\n");
  ASSERT_EQ(P.Batches.size(), 1u);
  EXPECT_TRUE(P.Batches[0].Borrowed.empty());
  const auto S = [](TKeycode Key, bool Shift = false, bool Level3 = false) { return TStroke{Key, Shift, Level3}; };
  // "@" is on two keys: Shift beats the third level.
  EXPECT_THAT(P.Batches[0].Strokes,
              ElementsAre(S(11), S(21, true), S(12), S(17, true), S(13), S(21), S(10), S(13), S(48), S(24, true),
                          S(11, true), S(26, false, true), S(49)));
}

TEST_F(TypingPlanTest, CapsLockIsLeftOutOfTheLookupAndNumLockKeptIn) {
  // Typing switches CapsLock off; NumLock stays as it is, so the keypad is read with it.
  X.Locked = ModLock;
  EXPECT_EQ(Plan(U"a").Batches[0].Strokes[0], (TStroke{38, false, false}));
}

TEST_F(TypingPlanTest, CharactersNoKeyGivesBorrowSpareKeysInBatches) {
  const struct {
    const char* Name;
    std::u32string Text;
    std::size_t Spare;
    std::vector<std::vector<std::pair<TKeycode, TKeysym>>> Borrowed;  // by batch
    std::vector<std::size_t> Strokes;                                 // by batch
  } Cases[] = {
      {"a decimal comma", U"3,5", 5, {{{56, ','}}}, {3}},
      {"one key for each repeat", U"ба,б", 5, {{{56, 0x6c2}, {57, 0x6c1}, {58, ','}}}, {4}},
      {"more characters than spare keys", U"абв,г", 2,
       {{{56, 0x6c1}, {57, 0x6c2}}, {{56, 0x6d7}, {57, ','}}, {{56, 0x6c7}}},
       {2, 2, 1}},
  };
  for (const auto& C : Cases) {
    X.Range.Max = static_cast<TKeycode>(55 + C.Spare);
    const TPlan P = Plan(C.Text);
    ASSERT_EQ(P.Batches.size(), C.Borrowed.size()) << C.Name;
    for (std::size_t B = 0; B < P.Batches.size(); ++B) {
      EXPECT_THAT(P.Batches[B].Borrowed, ElementsAreArray(C.Borrowed[B])) << C.Name << " batch " << B;
      EXPECT_EQ(P.Batches[B].Strokes.size(), C.Strokes[B]) << C.Name << " batch " << B;
    }
  }
}

TEST_F(TypingPlanTest, WhatCannotBeTypedIsToldAndNothingPlanned) {
  EXPECT_EQ(Plan(U"1\u00012").Untypable, U'\u0001');
  EXPECT_TRUE(Plan(U"1\u00012").Batches.empty());
  X.Range.Max = 55;  // no spare key
  EXPECT_EQ(Plan(U"3,5").Untypable, U',');
}

TEST_F(TypingPlanTest, CrLfAndALoneCrAreOneReturnEach) {
  const TPlan P = Plan(U"a\r\n\r");
  ASSERT_EQ(P.Batches.size(), 1u);
  EXPECT_THAT(P.Batches[0].Strokes, ElementsAre(TStroke{38, false, false}, TStroke{49, false, false},
                                                TStroke{49, false, false}));
}

TEST(Typing, HeldModifiersGoForTheTypingAndComeBackOnlyWhereStillHeld) {
  TFakeXSystem X;
  UseSmallKeyboard(X);
  X.Range.Max = 56;
  TTyper Typer(X);
  // Ctrl and Shift of the hotkey are down; the user has let go of Shift only.
  X.Pressed.Set(KeyControl, true);
  X.Pressed.Set(KeyShift, true);
  X.Held.Set(KeyControl, true);
  X.Locked = ModLock;
  EXPECT_EQ(Typer.Type(U"A,"), std::nullopt);
  EXPECT_THAT(X.Calls, ElementsAre("load keyboard", "up 50", "up 37", "lock 2 0", "map 56 44", "down 50", "down 38",
                                   "up 38", "up 50", "down 56", "up 56", "lock 2 2", "down 37"));
  EXPECT_TRUE(X.Pressed.Down(KeyControl));
  EXPECT_FALSE(X.Pressed.Down(KeyShift));
  EXPECT_TRUE(Typer.HoldsBorrowedKeys());
  X.Calls.clear();
  Typer.GiveBackKeys();
  EXPECT_THAT(X.Calls, ElementsAre("map 56 0"));
  EXPECT_FALSE(Typer.HoldsBorrowedKeys());
}

TEST(Typing, ABatchWaitsForTheLookupBeforeItsKeysAreBorrowedAgainAndATypingGivesBackTheLastOnes) {
  TFakeXSystem X;
  UseSmallKeyboard(X);
  X.Range.Max = 56;
  TTyper Typer(X);
  EXPECT_EQ(Typer.Type(U"бв"), std::nullopt);
  EXPECT_THAT(X.Calls, ElementsAre("load keyboard", "map 56 1730", "down 56", "up 56", "pause 250", "map 56 1751",
                                   "down 56", "up 56"));
  X.Calls.clear();
  EXPECT_EQ(Typer.Type(U"1"), std::nullopt);
  EXPECT_THAT(X.Calls, ElementsAre("map 56 0", "load keyboard", "down 10", "up 10"));
}

TEST(Typing, AnUntypableAnswerTypesNothingAndTouchesNoKey) {
  TFakeXSystem X;
  UseSmallKeyboard(X);
  X.Pressed.Set(KeyControl, true);
  TTyper Typer(X);
  EXPECT_EQ(Typer.Type(U"1\u0007"), U'\u0007');
  EXPECT_THAT(X.Calls, ElementsAre("load keyboard"));
}

}  // namespace
}  // namespace talvex::x11::testing
