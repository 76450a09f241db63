#include "ClipboardLoan.h"

#include <new>

#include "Waits.h"

namespace talvex {

std::optional<TClipboardLoan> TClipboardLoan::Take(ISystemApi& Sys, const TForegroundTarget& Target) {
  const TOpenClipboard Open(Sys);
  if (!Open) return std::nullopt;
  // Read while the clipboard is held: nobody can change it between the two.
  const std::uint32_t Sequence = Sys.ClipboardSequence();
  return TClipboardLoan(SnapshotOfOpenClipboard(Sys), Sequence, Target);
}

void TClipboardLoan::Refresh(ISystemApi& Sys) {
  if (Sys.ClipboardSequence() == Before) return;
  const TOpenClipboard Open(Sys);
  // Busy: the next look sees the change, and whose it is.
  if (!Open) return;
  const std::uint32_t Sequence = Sys.ClipboardSequence();
  Snapshot = SnapshotOfOpenClipboard(Sys);
  Before = Sequence;
}

TLook TClipboardLoan::Look(ISystemApi& Sys, std::wstring& Text) {
  if (Over) return TLook::lkLost;
  // The sequence number can be read without the clipboard; opening it every
  // time would keep it from the application that is copying.
  if (Sys.ClipboardSequence() == Before) return TLook::lkWaiting;
  const TOpenClipboard Open(Sys);
  if (!Open) return TLook::lkWaiting;
  const std::uint32_t Sequence = Sys.ClipboardSequence();
  std::uint32_t Process = 0;
  Sys.WindowThread(Sys.ClipboardOwner(), Process);
  if (!Owner.IsTargetProcess(Process)) {
    try {
      Snapshot = SnapshotOfOpenClipboard(Sys);
    } catch (const std::bad_alloc&) {
      return TLook::lkLost;
    }
    Before = Sequence;
    return TLook::lkWaiting;
  }
  Landed = Sequence;
  Text = TextOfOpenClipboard(Sys);
  return TLook::lkCopied;
}

TGiveBack TClipboardLoan::GiveBack(ISystemApi& Sys) {
  // Not landed: the clipboard is still as the user had it. Ended: given back already.
  if (!Landed || Over) return TGiveBack::gbRestored;
  TGiveBack Result = TGiveBack::gbFailed;
  WaitUntil(Sys, [&] { return (Result = RestoreClipboard(Sys, Snapshot, *Landed)) != TGiveBack::gbFailed; },
            ClipboardOpenTimeout);
  return Result;
}

void TClipboardLoan::EndNow(ISystemApi& Sys) {
  if (Over) return;
  std::wstring Text;
  try {
    Look(Sys, Text);
  } catch (const std::bad_alloc&) {
    // the copy has landed all the same
  }
  if (Landed) RestoreClipboard(Sys, Snapshot, *Landed);
  Over = true;
}

}  // namespace talvex
