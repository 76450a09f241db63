#include "x11/Selection.h"

#include <optional>

#include "ParserLib/Cp1251.h"

namespace talvex::x11 {

namespace {

TSelectionStatus StatusOf(TSelectionEvent Event) {
  return Event == TSelectionEvent::seOwnerGone ? TSelectionStatus::ssOwnerGone : TSelectionStatus::ssTimeout;
}

std::string Latin1ToUtf8(std::string_view Text) {
  std::string Out;
  for (const char C : Text) AppendUtf8(Out, static_cast<unsigned char>(C));
  return Out;
}

// The pieces of an INCR transfer, until the empty one that ends it.
TSelectionText ReadIncrementally(IXSystem& Sys, std::size_t MaxBytes) {
  TSelectionText Read{TSelectionStatus::ssText, {}};
  for (;;) {
    const TSelectionEvent Event = Sys.WaitSelection(true, SelectionTimeoutMs);
    if (Event != TSelectionEvent::seNewChunk) return {StatusOf(Event), {}};
    // A notice of the property that announced INCR finds it gone.
    const std::optional<TProperty> Piece = Sys.TakeProperty();
    if (!Piece) continue;
    if (Piece->Bytes.empty()) return Read;
    Read.Utf8 += Piece->Bytes;
    if (Read.Utf8.size() > MaxBytes) return {TSelectionStatus::ssTooLong, {}};
  }
}

}  // namespace

TSelectionText ReadPrimary(IXSystem& Sys, TTime Time, std::size_t MaxBytes) {
  const TXid Primary = Sys.Atom("PRIMARY");
  if (Sys.SelectionOwner(Primary) == NoWindow) return {TSelectionStatus::ssNoOwner, {}};
  const TXid Utf8String = Sys.Atom("UTF8_STRING");
  const TXid String = Sys.Atom("STRING");
  TSelectionText Read;
  for (const TXid Target : {Utf8String, String}) {
    Sys.ConvertSelection(Primary, Target, Time);
    const TSelectionEvent Event = Sys.WaitSelection(false, SelectionTimeoutMs);
    if (Event == TSelectionEvent::seRefused) continue;
    if (Event != TSelectionEvent::seConverted) return {StatusOf(Event), {}};
    const std::optional<TProperty> Answer = Sys.TakeProperty();
    if (!Answer) return {TSelectionStatus::ssNotText, {}};
    if (Answer->Type == Sys.Atom("INCR")) {
      Read = ReadIncrementally(Sys, MaxBytes);
    } else if (Answer->Format == 8) {  // in the form asked for, whatever type name the owner gives it
      Read = {TSelectionStatus::ssText, Answer->Bytes};
      if (Read.Utf8.size() > MaxBytes) return {TSelectionStatus::ssTooLong, {}};
    } else {
      return {TSelectionStatus::ssNotText, {}};
    }
    if (Read.Status != TSelectionStatus::ssText) return Read;
    if (Target == String) Read.Utf8 = Latin1ToUtf8(Read.Utf8);
    if (Read.Utf8.empty()) Read.Status = TSelectionStatus::ssEmpty;
    return Read;
  }
  return {TSelectionStatus::ssNotText, {}};
}

}  // namespace talvex::x11
