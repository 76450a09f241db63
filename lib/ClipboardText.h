// The clipboard's text, and a whole copy of the clipboard to put back after
// the copy keystroke has borrowed it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "SystemApi.h"

namespace talvex {

// Holds the clipboard open for as long as it lives, and closes it on every
// way out of its scope, an exception's included: an open clipboard blocks
// every other program's copy and paste.
class TOpenClipboard {
 public:
  explicit TOpenClipboard(ISystemApi& System) : Sys(System), Opened(Sys.OpenClipboard()) {}
  ~TOpenClipboard() {
    if (Opened) Sys.CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  explicit operator bool() const { return Opened; }

 private:
  ISystemApi& Sys;
  bool Opened;
};

// The CF_UNICODETEXT text of the clipboard, which the program holds open
// (the system makes it from any other text format), up to its terminating
// zero; empty when there is none.
std::wstring TextOfOpenClipboard(ISystemApi& Sys);
// The same, opening the clipboard for it; nothing when it cannot be opened.
std::optional<std::wstring> ReadClipboardText(ISystemApi& Sys);

// The clipboard is busy while another application holds it open; that
// takes moments, not seconds. Opening is tried again for this long.
inline constexpr std::uint32_t ClipboardOpenTimeout = 250;

// Replaces the clipboard's content by Text as CF_UNICODETEXT (the system
// makes the other text formats from it), once the clipboard can be opened.
// False when it stayed taken or the text was not placed.
bool WriteClipboardText(ISystemApi& Sys, std::wstring_view Text);

// Put on what the program gives back, so that clipboard history and the
// cloud clipboard do not take it for something the user copied.
inline constexpr const char* ExcludeFromMonitorFormat = "ExcludeClipboardContentFromMonitorProcessing";

struct TClipboardSnapshot {
  // Every format whose data is a global memory block, in enumeration order.
  std::vector<std::pair<TClipboardFormat, std::vector<std::uint8_t>>> Formats;
};

// Formats held as GDI objects or private handles cannot be copied as bytes.
bool IsMemoryBlockFormat(TClipboardFormat Format);

// Every format of the clipboard the program holds open. Throws
// std::bad_alloc when the copies do not fit in memory.
TClipboardSnapshot SnapshotOfOpenClipboard(ISystemApi& Sys);

enum class TGiveBack {
  gbRestored,  // the saved formats are back
  gbLeft,      // someone changed the clipboard meanwhile, and that stays
  gbPartly,    // some of the saved formats could not be placed again
  gbFailed,    // the clipboard could not be opened or emptied
};

// Empties the clipboard and places exactly the saved formats again, marked
// as not to be recorded, but only while the clipboard's sequence number is
// still Sequence.
TGiveBack RestoreClipboard(ISystemApi& Sys, const TClipboardSnapshot& Snapshot, std::uint32_t Sequence);

}  // namespace talvex
