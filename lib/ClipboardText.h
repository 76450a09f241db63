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

// The CF_TEXT text, up to its terminating zero; empty when there is none or
// the clipboard cannot be opened.
std::string GetClipboardText(ISystemApi& Sys);

// Replaces the clipboard by Text as CF_TEXT; an empty Text leaves it empty.
void SetClipboardText(ISystemApi& Sys, std::string_view Text);

struct TClipboardSnapshot {
  // Every format whose data is a global memory block, in enumeration order.
  std::vector<std::pair<TClipboardFormat, std::vector<std::uint8_t>>> Formats;
};

// Formats held as GDI objects or private handles cannot be copied as bytes.
bool IsMemoryBlockFormat(TClipboardFormat Format);

// Nothing when the clipboard cannot be opened (then nothing is to be restored).
std::optional<TClipboardSnapshot> SaveClipboard(ISystemApi& Sys);

// Empties the clipboard and places exactly the saved formats again.
void RestoreClipboard(ISystemApi& Sys, const TClipboardSnapshot& Snapshot);

}  // namespace talvex
