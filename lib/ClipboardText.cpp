#include "ClipboardText.h"

#include <algorithm>

#include "WinConstants.h"

namespace talvex {

namespace {

// Handle formats that are not global memory blocks (winuser.h numbers).
constexpr TClipboardFormat CfBitmap = 2;
constexpr TClipboardFormat CfMetafilePict = 3;  // a block, but it holds a metafile handle
constexpr TClipboardFormat CfPalette = 9;
constexpr TClipboardFormat CfEnhMetafile = 14;
constexpr TClipboardFormat CfOwnerDisplay = 0x80;
constexpr TClipboardFormat CfDspBitmap = 0x82;
constexpr TClipboardFormat CfDspMetafilePict = 0x83;
constexpr TClipboardFormat CfDspEnhMetafile = 0x8E;
constexpr TClipboardFormat CfPrivateFirst = 0x200;
constexpr TClipboardFormat CfGdiObjLast = 0x3FF;

// A clipboard never holds this many formats; a looping enumeration stops here.
constexpr std::size_t MaxFormats = 4096;

}  // namespace

std::string GetClipboardText(ISystemApi& Sys) {
  if (!Sys.OpenClipboard()) return {};
  std::string Text;
  if (Sys.IsClipboardFormatAvailable(ClipboardText)) {
    if (auto Bytes = Sys.GetClipboardData(ClipboardText)) {
      // The block's size bounds the string when its zero is missing.
      const auto End = std::find(Bytes->begin(), Bytes->end(), std::uint8_t{0});
      Text.assign(Bytes->begin(), End);
    }
  }
  Sys.CloseClipboard();
  return Text;
}

void SetClipboardText(ISystemApi& Sys, std::string_view Text) {
  if (!Sys.OpenClipboard()) return;
  Sys.EmptyClipboard();
  if (!Text.empty()) {
    std::vector<std::uint8_t> Bytes(Text.begin(), Text.end());
    Bytes.push_back(0);
    Sys.SetClipboardData(ClipboardText, Bytes);
  }
  Sys.CloseClipboard();
}

bool IsMemoryBlockFormat(TClipboardFormat Format) {
  switch (Format) {
    case CfBitmap:
    case CfMetafilePict:
    case CfPalette:
    case CfEnhMetafile:
    case CfOwnerDisplay:
    case CfDspBitmap:
    case CfDspMetafilePict:
    case CfDspEnhMetafile:
      return false;
    default:
      return Format < CfPrivateFirst || Format > CfGdiObjLast;
  }
}

std::optional<TClipboardSnapshot> SaveClipboard(ISystemApi& Sys) {
  if (!Sys.OpenClipboard()) return std::nullopt;
  TClipboardSnapshot Snapshot;
  TClipboardFormat Format = 0;
  for (std::size_t Seen = 0; Seen < MaxFormats; ++Seen) {
    const TClipboardFormat Next = Sys.EnumClipboardFormats(Format);
    if (Next == 0 || Next == Format) break;
    Format = Next;
    if (!IsMemoryBlockFormat(Format)) continue;
    if (auto Bytes = Sys.GetClipboardData(Format)) Snapshot.Formats.emplace_back(Format, std::move(*Bytes));
  }
  Sys.CloseClipboard();
  return Snapshot;
}

void RestoreClipboard(ISystemApi& Sys, const TClipboardSnapshot& Snapshot) {
  if (!Sys.OpenClipboard()) return;
  Sys.EmptyClipboard();
  for (const auto& [Format, Bytes] : Snapshot.Formats) Sys.SetClipboardData(Format, Bytes);
  Sys.CloseClipboard();
}

}  // namespace talvex
