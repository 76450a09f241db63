#include "ClipboardText.h"

#include <algorithm>

#include "Waits.h"
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

std::wstring TextOfOpenClipboard(ISystemApi& Sys) {
  std::wstring Text;
  if (!Sys.IsClipboardFormatAvailable(ClipboardUnicodeText)) return Text;
  if (auto Bytes = Sys.GetClipboardData(ClipboardUnicodeText)) {
    // The block's size bounds the string when its zero is missing.
    for (std::size_t I = 0; I + 1 < Bytes->size(); I += 2) {
      const auto Unit = static_cast<wchar_t>((*Bytes)[I] | ((*Bytes)[I + 1] << 8));
      if (Unit == 0) break;
      Text += Unit;
    }
  }
  return Text;
}

std::optional<std::wstring> ReadClipboardText(ISystemApi& Sys) {
  const TOpenClipboard Open(Sys);
  if (!Open) return std::nullopt;
  return TextOfOpenClipboard(Sys);
}

bool WriteClipboardText(ISystemApi& Sys, std::wstring_view Text) {
  std::vector<std::uint8_t> Bytes;
  Bytes.reserve(2 * Text.size() + 2);
  for (const wchar_t W : Text) {
    Bytes.push_back(static_cast<std::uint8_t>(W & 0xFF));
    Bytes.push_back(static_cast<std::uint8_t>((W >> 8) & 0xFF));
  }
  Bytes.insert(Bytes.end(), {0, 0});
  std::optional<TOpenClipboard> Open;
  if (!WaitUntil(Sys, [&] { return static_cast<bool>(Open.emplace(Sys)); }, ClipboardOpenTimeout)) return false;
  return Sys.EmptyClipboard() && Sys.SetClipboardData(ClipboardUnicodeText, Bytes);
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

TClipboardSnapshot SnapshotOfOpenClipboard(ISystemApi& Sys) {
  TClipboardSnapshot Snapshot;
  TClipboardFormat Format = 0;
  for (std::size_t Seen = 0; Seen < MaxFormats; ++Seen) {
    const TClipboardFormat Next = Sys.EnumClipboardFormats(Format);
    if (Next == 0 || Next == Format) break;
    Format = Next;
    if (!IsMemoryBlockFormat(Format)) continue;
    if (auto Bytes = Sys.GetClipboardData(Format)) Snapshot.Formats.emplace_back(Format, std::move(*Bytes));
  }
  return Snapshot;
}

TGiveBack RestoreClipboard(ISystemApi& Sys, const TClipboardSnapshot& Snapshot, std::uint32_t Sequence) {
  const TOpenClipboard Open(Sys);
  if (!Open) return TGiveBack::gbFailed;
  if (Sys.ClipboardSequence() != Sequence) return TGiveBack::gbLeft;
  if (!Sys.EmptyClipboard()) return TGiveBack::gbFailed;
  const TClipboardFormat Exclude = Sys.RegisterClipboardFormat(ExcludeFromMonitorFormat);
  bool Whole = true;
  for (const auto& [Format, Bytes] : Snapshot.Formats)
    if (Format != Exclude && !Sys.SetClipboardData(Format, Bytes)) Whole = false;
  // An empty clipboard is recorded by nobody and stays empty.
  if (!Snapshot.Formats.empty() && Exclude != 0) Sys.SetClipboardData(Exclude, {0, 0, 0, 0});
  return Whole ? TGiveBack::gbRestored : TGiveBack::gbPartly;
}

}  // namespace talvex
