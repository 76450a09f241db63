#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeXSystem.h"
#include "x11/Selection.h"

namespace talvex::x11::testing {
namespace {

using E = TSelectionEvent;
using S = TSelectionStatus;

TEST(Selection, TheConversationWithTheOwner) {
  TFakeXSystem Atoms;
  const TXid Utf8 = Atoms.Atom("UTF8_STRING"), String = Atoms.Atom("STRING"), Incr = Atoms.Atom("INCR");
  const TProperty IncrStart{Incr, 32, ""};
  const auto Text = [&](const char* Bytes) { return std::optional<TProperty>(TProperty{Utf8, 8, Bytes}); };
  const struct {
    const char* Name;
    TXid Owner;
    std::vector<E> Events;
    std::vector<std::optional<TProperty>> Properties;
    S Status;
    std::string Utf8;
    std::size_t Conversions;
  } Cases[] = {
      {"at once", 5, {E::seConverted}, {Text("2+3*4")}, S::ssText, "2+3*4", 1},
      {"an owner without UTF8_STRING, in Latin-1", 5, {E::seRefused, E::seConverted},
       {TProperty{String, 8, "\xE9+1"}}, S::ssText, "\xC3\xA9+1", 2},
      {"INCR in pieces, the notice of its own property first", 5,
       {E::seConverted, E::seNewChunk, E::seNewChunk, E::seNewChunk, E::seNewChunk},
       {IncrStart, std::nullopt, Text("2+3"), Text("*4"), Text("")}, S::ssText, "2+3*4", 1},
      {"nobody owns it", 0, {}, {}, S::ssNoOwner, "", 0},
      {"an empty selection", 5, {E::seConverted}, {Text("")}, S::ssEmpty, "", 1},
      {"no answer", 5, {}, {}, S::ssTimeout, "", 1},
      {"INCR stops", 5, {E::seConverted, E::seNewChunk}, {IncrStart, Text("2+")}, S::ssTimeout, "", 1},
      {"the owner closes", 5, {E::seConverted, E::seNewChunk, E::seOwnerGone}, {IncrStart, Text("2")},
       S::ssOwnerGone, "", 1},
      {"longer than the limit at once", 5, {E::seConverted}, {Text("123456789+123456789+1")}, S::ssTooLong, "", 1},
      {"longer than the limit in pieces, not read to the end", 5,
       {E::seConverted, E::seNewChunk, E::seNewChunk, E::seNewChunk},
       {IncrStart, Text("123456789+"), Text("123456789+1"), Text("never read")}, S::ssTooLong, "", 1},
      {"no text form at all", 5, {E::seRefused, E::seRefused}, {}, S::ssNotText, "", 2},
      {"not 8-bit text", 5, {E::seConverted}, {TProperty{Utf8, 32, ""}}, S::ssNotText, "", 1},
  };
  for (const auto& C : Cases) {
    TFakeXSystem X;
    for (const char* Name : {"UTF8_STRING", "STRING", "INCR"}) X.Atom(Name);
    X.Owner = C.Owner;
    X.Events.assign(C.Events.begin(), C.Events.end());
    X.Properties.assign(C.Properties.begin(), C.Properties.end());
    const TSelectionText Read = ReadPrimary(X, 77, 20);
    EXPECT_EQ(Read.Status, C.Status) << C.Name;
    EXPECT_EQ(Read.Utf8, C.Utf8) << C.Name;
    const std::vector<std::string> Utf8First = {"convert PRIMARY UTF8_STRING 77", "convert PRIMARY STRING 77"};
    EXPECT_THAT(X.Calls, ::testing::ElementsAreArray(Utf8First.begin(), Utf8First.begin() + static_cast<long>(C.Conversions)))
        << C.Name;
  }
}

}  // namespace
}  // namespace talvex::x11::testing
