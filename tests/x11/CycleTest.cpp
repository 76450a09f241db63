#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "FakeXSystem.h"
#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/FormatSettings.h"
#include "x11/Cycle.h"
#include "x11/Keysyms.h"

namespace talvex::x11::testing {
namespace {

struct TRecordedNotifications final : INotifications {
  bool Show(const std::string& Body, bool) override {
    Shown.push_back(Body);
    return true;
  }
  std::vector<std::string> Shown;
};

// The text the keystrokes of Calls type on the fake keyboard.
std::u32string TypedText(const TFakeXSystem& X, std::map<TKeycode, std::array<TKeysym, 4>> Keys) {
  std::u32string Typed;
  bool Shift = false;
  for (const std::string& Call : X.Calls) {
    std::istringstream Words(Call);
    std::string Verb;
    unsigned Key = 0, Keysym = 0;
    Words >> Verb >> Key;
    if (Verb == "map" && (Words >> Keysym)) Keys[static_cast<TKeycode>(Key)] = {Keysym, Keysym, 0, 0};
    if (Key == KeyShift && (Verb == "down" || Verb == "up")) Shift = Verb == "down";
    else if (Verb == "down") Typed += UnicodeOfKeysym(Keys[static_cast<TKeycode>(Key)][Shift ? 1 : 0]);
  }
  return Typed;
}

class CycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseSmallKeyboard(X);
    FormatSettings() = EnglishFormatSettings();
  }
  TFakeXSystem X;
  TRecordedNotifications Notifications;
  TReporter Reporter{&Notifications, TLanguage::English, [](std::string_view) {}, false};
  TCalcParser Parser{BuiltinFunctions()};
  TEvaluator Evaluator{Parser, Reporter};
  TTyper Typer{X};
  TCycle Cycle{X, Typer, Evaluator, Reporter};
};

TEST_F(CycleTest, TheHighlightedTextOfTheFocusedClientIsAnsweredInItsPlace) {
  constexpr TXid Field = 0x200001, SameClient = 0x200007, OtherClient = 0x400001;
  const struct {
    const char* Name;
    TXid Active, Focus, Pointer, Owner;
    std::string Selected;
    THotkey Hotkey;
    std::u32string Typed;
    std::string Message;
  } Cases[] = {
      {"expression = result", NoWindow, Field, NoWindow, SameClient, "2+3*4", THotkey::hkExpression, U"2+3*4=14", ""},
      {"the result alone", NoWindow, Field, NoWindow, Field, "2+3*4", THotkey::hkResult, U"14", ""},
      {"a line selected with its line break keeps it", NoWindow, Field, NoWindow, Field, " 2+3*4\r\n",
       THotkey::hkExpression, U" 2+3*4=14\n", ""},
      {"and so does the result", NoWindow, Field, NoWindow, Field, "\t7/2 \n", THotkey::hkResult, U"\t3.5 \n", ""},
      {"a focus that follows the pointer", NoWindow, PointerRootFocus, Field, SameClient, "7/2", THotkey::hkResult,
       U"3.5", ""},
      {"the window manager's active window decides", OtherClient, Field, NoWindow, SameClient, "1+1",
       THotkey::hkResult, U"", "The highlighted text is in another window"},
      {"a selection of another client", NoWindow, Field, NoWindow, OtherClient, "1+1", THotkey::hkResult, U"",
       "The highlighted text is in another window"},
      {"no window has the focus", NoWindow, NoWindow, NoWindow, SameClient, "1+1", THotkey::hkResult, U"",
       "No window has the keyboard focus"},
      {"the pointer over the bare desktop", NoWindow, PointerRootFocus, NoWindow, SameClient, "1+1",
       THotkey::hkResult, U"", "No window has the keyboard focus"},
      {"nothing highlighted", NoWindow, Field, NoWindow, NoWindow, "", THotkey::hkResult, U"", "Nothing is highlighted"},
      {"an error of the engine", NoWindow, Field, NoWindow, Field, "2+1/0", THotkey::hkExpression, U"",
       "position 6: division by zero"},
      {"a character outside code page 1251", NoWindow, Field, NoWindow, Field, "2\xE2\x89\x88" "3",
       THotkey::hkResult, U"", "position 2: character not in code page 1251"},
  };
  for (const auto& C : Cases) {
    X.Calls.clear();
    X.Active = C.Active;
    X.Focus = C.Focus;
    X.Pointer = C.Pointer;
    X.Owner = C.Owner;
    X.Events = {TSelectionEvent::seConverted};
    X.Properties = {TProperty{X.Atom("UTF8_STRING"), 8, C.Selected}};
    Notifications.Shown.clear();
    const auto Keys = X.Keys;
    EXPECT_EQ(Cycle.Run(C.Hotkey, 99), !C.Typed.empty()) << C.Name;
    EXPECT_EQ(TypedText(X, Keys), C.Typed) << C.Name;
    if (C.Message.empty())
      EXPECT_THAT(Notifications.Shown, ::testing::IsEmpty()) << C.Name;
    else
      EXPECT_THAT(Notifications.Shown, ::testing::ElementsAre(::testing::StartsWith(C.Message))) << C.Name;
    Typer.GiveBackKeys();
  }
}

TEST_F(CycleTest, AWindowThatTookTheFocusMeanwhileGetsNothing) {
  X.Focus = 0x200001;
  X.LaterFocus = {0x300001};
  X.Owner = 0x200001;
  X.Events = {TSelectionEvent::seConverted};
  X.Properties = {TProperty{X.Atom("UTF8_STRING"), 8, "1+1"}};
  EXPECT_FALSE(Cycle.Run(THotkey::hkResult, 99));
  EXPECT_THAT(Notifications.Shown, ::testing::ElementsAre("The window changed; the answer was not typed."));
  EXPECT_THAT(X.Calls, ::testing::Not(::testing::Contains(::testing::StartsWith("down"))));
}

TEST_F(CycleTest, TwoHundredFiftyCharactersAreEvaluatedAndOneMoreIsRefused) {
  std::string Sum = "1";
  while (Sum.size() < 250) Sum += "+1";
  ASSERT_EQ(Sum.size(), 251u);
  EXPECT_EQ(Evaluator.Evaluate(Sum.substr(0, 249) + " "), (TEvaluation{Sum.substr(0, 249) + " ", "125"}));
  EXPECT_EQ(Evaluator.Evaluate(Sum), std::nullopt);
  EXPECT_THAT(Notifications.Shown, ::testing::ElementsAre("Expression too long (more than 250 characters)"));
}

}  // namespace
}  // namespace talvex::x11::testing
