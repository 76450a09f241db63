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
const TBytes Marker = {0, 0, 0, 0};

// The snapshot as the loan takes it: with the clipboard held open.
std::optional<TClipboardSnapshot> SaveClipboard(ISystemApi& Sys) {
  const TOpenClipboard Open(Sys);
  if (!Open) return std::nullopt;
  return SnapshotOfOpenClipboard(Sys);
}

TEST(ClipboardText, ReadTakesUnicodeTextUpToItsZeroOrTheBlockEnd) {
  struct {
    TBytes Block;
    std::wstring Text;
  } const Cases[] = {
      {{'2', 0, '+', 0, '3', 0, 0, 0}, L"2+3"},
      {{0x16, 0x04, 0, 0}, L"\u0416"},
      {{0, 0}, L""},
      {{'2', 0, 0, 0, 'x', 0}, L"2"},
      {{'1', 0, '2', 0}, L"12"},   // no terminating zero: bounded by the block
      {{'1', 0, '2'}, L"1"},       // an odd last byte is no character
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.Clipboard = {{CfUnicodeText, C.Block}};
    EXPECT_EQ(ReadClipboardText(Sys), C.Text);
    EXPECT_THAT(Sys.Calls, ElementsAre(Open, "get 13", Close));
  }
}

TEST(ClipboardText, ReadWithoutTextIsEmptyAndWithoutAccessNothing) {
  TFakeSystemApi NoText;
  NoText.Clipboard = {{CfHdrop, Bytes("files")}};
  EXPECT_EQ(ReadClipboardText(NoText), L"");
  EXPECT_THAT(NoText.Calls, ElementsAre(Open, Close));

  TFakeSystemApi Busy;
  Busy.ClipboardOpens = false;
  Busy.PlaceCopy(L"7");
  EXPECT_EQ(ReadClipboardText(Busy), std::nullopt);
  EXPECT_THAT(Busy.Calls, ElementsAre(Open));  // not closed: it was never opened
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

TEST(ClipboardText, SnapshotRestoresExactlyTheSavedFormatsMarkedForNoHistory) {
  TFakeSystemApi Sys;
  const TBytes Dib = {0x28, 0, 0, 0, 0xFF, 0x00, 0x7F};
  Sys.Clipboard = {{CfText, Sz("earlier")}, {2, {1, 2, 3, 4}}, {8, Dib}, {Registered, Bytes("<b>x</b>")},
                   {CfUnicodeText, {'e', 0, 0, 0}}};
  const auto Snapshot = SaveClipboard(Sys);
  ASSERT_TRUE(Snapshot.has_value());
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, "get 1", "get 8", "get 49443", "get 13", Close));

  Sys.PlaceCopy(L"copied selection");
  Sys.ClearCalls();
  EXPECT_EQ(RestoreClipboard(Sys, *Snapshot, Sys.Sequence), TGiveBack::gbRestored);
  EXPECT_THAT(Sys.Clipboard, ElementsAre(Pair(CfText, Sz("earlier")), Pair(8, Dib),
                                         Pair(Registered, Bytes("<b>x</b>")), Pair(CfUnicodeText, TBytes{'e', 0, 0, 0}),
                                         Pair(TFakeSystemApi::ExcludeFormat, Marker)));
  EXPECT_EQ(Sys.Calls.front(), Open);
  EXPECT_EQ(Sys.Calls[1], Empty);
  EXPECT_EQ(Sys.Calls.back(), Close);

  // Given back a second time, the marker it now holds is not doubled.
  const auto Again = SaveClipboard(Sys);
  Sys.PlaceCopy(L"another");
  RestoreClipboard(Sys, *Again, Sys.Sequence);
  EXPECT_EQ(std::count_if(Sys.Clipboard.begin(), Sys.Clipboard.end(),
                          [](const auto& F) { return F.first == TFakeSystemApi::ExcludeFormat; }),
            1);
}

TEST(ClipboardText, WhatSomeoneCopiedAfterwardsIsNotOverwritten) {
  TFakeSystemApi Sys;
  Sys.PlaceCopy(L"earlier");
  const auto Snapshot = SaveClipboard(Sys);
  Sys.PlaceCopy(L"the selection");
  const std::uint32_t Landed = Sys.Sequence;
  Sys.PlaceCopy(L"the user's next copy");
  Sys.ClearCalls();
  EXPECT_EQ(RestoreClipboard(Sys, *Snapshot, Landed), TGiveBack::gbLeft);
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, Close));
  EXPECT_EQ(ReadClipboardText(Sys), L"the user's next copy");
}

TEST(ClipboardText, AnEmptyClipboardIsRestoredEmptyWithoutAMarker) {
  TFakeSystemApi Sys;
  const auto Snapshot = SaveClipboard(Sys);
  ASSERT_TRUE(Snapshot.has_value());
  EXPECT_THAT(Snapshot->Formats, IsEmpty());
  Sys.PlaceCopy(L"copied selection");
  Sys.ClearCalls();
  RestoreClipboard(Sys, *Snapshot, Sys.Sequence);
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, Empty, Close));
  EXPECT_THAT(Sys.Clipboard, IsEmpty());
}

TEST(ClipboardText, NothingIsSavedOrRestoredWithoutAccess) {
  TFakeSystemApi Sys;
  Sys.ClipboardOpens = false;
  Sys.Clipboard = {{CfText, Sz("earlier")}};
  EXPECT_FALSE(SaveClipboard(Sys).has_value());
  EXPECT_EQ(RestoreClipboard(Sys, TClipboardSnapshot{}, Sys.Sequence), TGiveBack::gbFailed);
  EXPECT_THAT(Sys.Calls, ElementsAre(Open, Open));
}

}  // namespace
}  // namespace talvex::testing
