#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSystemApi.h"
#include "lib/ClipboardText.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Pair;

constexpr TClipboardFormat CfText = 1;
constexpr TClipboardFormat CfUnicodeText = 13;
constexpr TClipboardFormat CfHdrop = 15;
constexpr TClipboardFormat Registered = 0xC123;  // e.g. "HTML Format"

TEST(ClipboardText, GetReadsTextUpToItsZeroOrTheBlockEnd) {
  struct {
    TBytes Block;
    std::string Text;
  } const Cases[] = {
      {Sz("2+3"), "2+3"},
      {Sz(""), ""},
      {Bytes("2+3\0junk"), "2+3"},
      {Bytes("12"), "12"},  // no terminating zero: bounded by the block
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.Clipboard = {{CfText, C.Block}};
    EXPECT_EQ(GetClipboardText(Sys), C.Text);
    EXPECT_THAT(Sys.Calls, ElementsAre(Open, "get 1", Close));
  }
}

TEST(ClipboardText, GetWithoutTextOrAccessIsEmpty) {
  TFakeSystemApi NoText;
  NoText.Clipboard = {{CfHdrop, Bytes("files")}};
  EXPECT_EQ(GetClipboardText(NoText), "");
  EXPECT_THAT(NoText.Calls, ElementsAre(Open, Close));

  TFakeSystemApi Busy;
  Busy.ClipboardOpens = false;
  Busy.Clipboard = {{CfText, Sz("7")}};
  EXPECT_EQ(GetClipboardText(Busy), "");
  EXPECT_THAT(Busy.Calls, ElementsAre(Open));  // not closed: it was never opened
}

TEST(ClipboardText, SetReplacesEverythingWithZeroTerminatedText) {
  TFakeSystemApi Sys;
  Sys.Clipboard = {{CfHdrop, Bytes("files")}};
  SetClipboardText(Sys, "14");
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, Empty, SetData(CfText, "14\\0"), Close));
  EXPECT_THAT(Sys.Clipboard, ElementsAre(Pair(CfText, Sz("14"))));

  Sys.ClearCalls();
  SetClipboardText(Sys, "");
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, Empty, Close));
  EXPECT_THAT(Sys.Clipboard, IsEmpty());

  TFakeSystemApi Busy;
  Busy.ClipboardOpens = false;
  SetClipboardText(Busy, "14");
  EXPECT_THAT(Busy.Calls, ElementsAre(Open));
}

TEST(ClipboardText, OnlyGlobalMemoryFormatsAreCopiedAsBytes) {
  struct {
    TClipboardFormat Format;
    bool Memory;
  } const Cases[] = {
      {1, true},       {2, false},      {3, false},      {8, true},  // CF_DIB
      {9, false},      {13, true},      {14, false},     {15, true},     {16, true},
      {0x80, false},   {0x81, true},    {0x82, false},   {0x83, false},  {0x8E, false},
      {0x1FF, true},   {0x200, false},  {0x2FF, false},  {0x300, false}, {0x3FF, false},
      {0x400, true},   {0xC000, true},  {0xFFFF, true},
  };
  for (const auto& C : Cases) EXPECT_EQ(IsMemoryBlockFormat(C.Format), C.Memory) << C.Format;
}

TEST(ClipboardText, SnapshotRestoresExactlyTheSavedFormats) {
  TFakeSystemApi Sys;
  const TBytes Dib = {0x28, 0, 0, 0, 0xFF, 0x00, 0x7F};
  Sys.Clipboard = {{CfText, Sz("earlier")}, {2, {1, 2, 3, 4}}, {8, Dib}, {Registered, Bytes("<b>x</b>")},
                   {CfUnicodeText, {'e', 0, 0, 0}}};
  const auto Snapshot = SaveClipboard(Sys);
  ASSERT_TRUE(Snapshot.has_value());
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, "get 1", "get 8", "get 49443", "get 13", Close));

  SetClipboardText(Sys, "copied selection");
  Sys.ClearCalls();
  RestoreClipboard(Sys, *Snapshot);
  EXPECT_THAT(Sys.Clipboard, ElementsAre(Pair(CfText, Sz("earlier")), Pair(8, Dib),
                                         Pair(Registered, Bytes("<b>x</b>")), Pair(CfUnicodeText, TBytes{'e', 0, 0, 0})));
  EXPECT_EQ(Sys.Calls.front(), Open);
  EXPECT_EQ(Sys.Calls[1], Empty);
  EXPECT_EQ(Sys.Calls.back(), Close);
}

TEST(ClipboardText, AnEmptyClipboardIsRestoredEmpty) {
  TFakeSystemApi Sys;
  const auto Snapshot = SaveClipboard(Sys);
  ASSERT_TRUE(Snapshot.has_value());
  EXPECT_THAT(Snapshot->Formats, IsEmpty());
  SetClipboardText(Sys, "copied selection");
  Sys.ClearCalls();
  RestoreClipboard(Sys, *Snapshot);
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, Empty, Close));
  EXPECT_THAT(Sys.Clipboard, IsEmpty());
}

TEST(ClipboardText, NoSnapshotWithoutAccess) {
  TFakeSystemApi Sys;
  Sys.ClipboardOpens = false;
  Sys.Clipboard = {{CfText, Sz("earlier")}};
  EXPECT_FALSE(SaveClipboard(Sys).has_value());
  EXPECT_THAT(Sys.Calls, ElementsAre(Open));
}

}  // namespace
}  // namespace talvex::testing
