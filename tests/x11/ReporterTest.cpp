#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/FormatSettings.h"
#include "x11/Reporter.h"
#include "x11/WaylandClipboard.h"

namespace talvex::x11::testing {
namespace {

using ::testing::ElementsAre;

struct TSwitchedNotifications final : INotifications {
  bool Show(const std::string& Body, bool IsError) override {
    if (Available) Shown.push_back((IsError ? "error " : "note ") + Body);
    return Available;
  }
  bool Available = true;
  std::vector<std::string> Shown;
};

TEST(Reporter, NotificationsWhileThereIsAServiceStandardErrorWithoutOneSaidOnce) {
  TSwitchedNotifications Service;
  std::vector<std::string> Written;
  TReporter Reporter(&Service, TLanguage::English, [&](std::string_view Line) { Written.emplace_back(Line); }, false);
  Reporter.Error("one");
  Reporter.Result("2+2=4");  // silent without --notify-results
  Service.Available = false;
  Reporter.Error("two");
  Reporter.Error("three");
  Service.Available = true;  // the desktop's service came after the program
  Reporter.NotifyResults = true;
  Reporter.Result("2+2=4");
  EXPECT_THAT(Service.Shown, ElementsAre("error one", "note 2+2=4"));
  EXPECT_THAT(Written, ElementsAre("talvex-x11: No notification service: messages follow on standard error.",
                                   "talvex-x11: two", "talvex-x11: three"));
}

TEST(Reporter, AMarkupReadingServerGetsTheTextAsWritten) {
  EXPECT_EQ(EscapedMarkup("a<b && c>d"), "a&lt;b &amp;&amp; c&gt;d");
}

struct TFakeClipboard final : IWaylandClipboard {
  std::optional<std::string> ReadPrimary() override { return Selected; }
  bool Copy(const std::string& Text) override {
    Copied.push_back(Text);
    return CopyWorks;
  }
  std::optional<std::string> Selected;
  bool CopyWorks = true;
  std::vector<std::string> Copied;
};

TEST(Wayland, AWaylandApplicationGetsTheAnswerOnTheClipboardAndTheUserIsToldWhere) {
  FormatSettings() = EnglishFormatSettings();
  TCalcParser Parser{BuiltinFunctions()};
  const struct {
    const char* Name;
    std::optional<std::string> Selected;
    bool CopyWorks;
    THotkey Hotkey;
    int Status;
    std::vector<std::string> Copied;
    std::string Told;
  } Cases[] = {
      {"copied", "2+3*4", true, THotkey::hkExpression, 3, {"2+3*4=14"},
       "note 2+3*4=14 is on the clipboard: paste it with Ctrl+V (the application is no X11 one)."},
      {"the result alone", "7/2", true, THotkey::hkResult, 3, {"3.5"}, "note 3.5 is on the clipboard"},
      {"no wl-copy", "7/2", false, THotkey::hkResult, 1, {"3.5"}, "error The application is no X11 one and wl-copy"},
      {"no wl-paste", std::nullopt, true, THotkey::hkResult, 1, {}, "error The application is no X11 one, and its"},
      {"nothing highlighted", "", true, THotkey::hkResult, 1, {}, "error Nothing is highlighted"},
      {"an error", "1/0", true, THotkey::hkResult, 1, {}, "error position 4: division by zero"},
  };
  for (const auto& C : Cases) {
    TSwitchedNotifications Service;
    TReporter Reporter(&Service, TLanguage::English, [](std::string_view) {}, true);
    TEvaluator Evaluator(Parser, Reporter);
    TFakeClipboard Clipboard;
    Clipboard.Selected = C.Selected;
    Clipboard.CopyWorks = C.CopyWorks;
    EXPECT_EQ(CalculateToClipboard(Clipboard, Evaluator, C.Hotkey, Reporter), C.Status) << C.Name;
    EXPECT_EQ(Clipboard.Copied, C.Copied) << C.Name;
    EXPECT_THAT(Service.Shown, ElementsAre(::testing::StartsWith(C.Told))) << C.Name;
  }
}

}  // namespace
}  // namespace talvex::x11::testing
