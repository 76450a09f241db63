// The user's clipboard lent to the copy keystroke: what it held, which change
// of it is the target's copy, and giving it back. A copy counts only when
// the clipboard's new owner is a window of the target application: what a
// clipboard manager, a password manager or this very program writes
// meanwhile is none. Such a change is the user's clipboard from then on, so
// the loan follows it, and nothing another program wrote is ever undone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ClipboardText.h"
#include "ForegroundTarget.h"
#include "SystemApi.h"

namespace talvex {

enum class TLook {
  lkWaiting,  // nothing from the target yet (or the clipboard was busy)
  lkCopied,   // the target's copy is there
  lkLost,     // what the user's clipboard holds could not be kept: nothing to give back
};

class TClipboardLoan {
 public:
  // Nothing when the clipboard cannot be opened. Throws std::bad_alloc when
  // its content does not fit in memory; the clipboard is closed then.
  static std::optional<TClipboardLoan> Take(ISystemApi& Sys, const TForegroundTarget& Target);

  // Just before the copy keystroke: whatever changed the clipboard since it
  // was taken is the user's clipboard now, whoever wrote it. Throws
  // std::bad_alloc as Take does.
  void Refresh(ISystemApi& Sys);
  // Looks once, with the clipboard open for the whole look. At lkCopied,
  // Text is the copy's text (empty when the copy holds none). Reading the
  // text may throw std::bad_alloc; the copy has landed all the same.
  TLook Look(ISystemApi& Sys, std::wstring& Text);
  bool CopyLanded() const { return Landed.has_value(); }
  // After lkCopied: the user's clipboard back, unless someone changed it
  // again since the copy. Tries for ClipboardOpenTimeout while it is busy.
  TGiveBack GiveBack(ISystemApi& Sys);

  // The session ends: a copy that has landed gives way to the user's
  // clipboard at once, without waiting, and the loan is over. Whoever holds
  // the loan finds it ended and lets it go; it may be in the middle of a
  // look's or a give-back's wait when this is called.
  void EndNow(ISystemApi& Sys);
  bool Ended() const { return Over; }

 private:
  TClipboardLoan(TClipboardSnapshot Saved, std::uint32_t Sequence, const TForegroundTarget& Target)
      : Snapshot(std::move(Saved)), Before(Sequence), Owner(Target) {}

  TClipboardSnapshot Snapshot;
  std::uint32_t Before;      // the sequence number of what Snapshot holds
  std::optional<std::uint32_t> Landed;  // the sequence number of the target's copy
  TForegroundTarget Owner;
  bool Over = false;
};

}  // namespace talvex
