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

// The CF_UNICODETEXT text (which the system makes from any other text
// format), up to its terminating zero; empty when there is none; nothing
// when the clipboard cannot be opened.
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

// Nothing when the clipboard cannot be opened (then nothing is to be restored).
std::optional<TClipboardSnapshot> SaveClipboard(ISystemApi& Sys);

// Empties the clipboard and places exactly the saved formats again, marked
// as not to be recorded, but only while the clipboard's sequence number is
// still Sequence: what someone put there afterwards stays. False when the
// clipboard cannot be opened.
bool RestoreClipboard(ISystemApi& Sys, const TClipboardSnapshot& Snapshot, std::uint32_t Sequence);

}  // namespace talvex
