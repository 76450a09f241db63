#include "SelectionCapture.h"

#include <algorithm>
#include <cwctype>

#include "ClipboardText.h"
#include "KeyEvents.h"
#include "ModifierKeys.h"
#include "Waits.h"
#include "WinConstants.h"

namespace talvex {

namespace {

enum class TControlKind { ckOther, ckEdit, ckRichEdit };

std::wstring Lower(std::wstring_view Text) {
  std::wstring Out(Text);
  for (wchar_t& C : Out) C = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(C)));
  return Out;
}

TControlKind KindOf(std::wstring_view BaseClass) {
  const std::wstring Name = Lower(BaseClass);
  if (Name == L"edit") return TControlKind::ckEdit;
  // RichEdit, RichEdit20W, RICHEDIT50W, and frameworks' classes built on them.
  if (Name.find(L"richedit") != std::wstring::npos) return TControlKind::ckRichEdit;
  return TControlKind::ckOther;
}

void SendCopyKeystroke(ISystemApi& Sys) {
  KeyDown(Sys, VkControl);
  KeyDown(Sys, VkInsert);
  KeyUp(Sys, VkInsert);
  KeyUp(Sys, VkControl);
}

}  // namespace

std::size_t RichEditOffsetToIndex(std::wstring_view Text, std::size_t Offset) {
  std::size_t Index = 0;
  for (std::size_t Counted = 0; Counted < Offset && Index < Text.size(); ++Counted)
    Index += Text.compare(Index, 2, L"\r\n") == 0 ? 2 : 1;
  return Index;
}

std::optional<std::wstring> CaptureDirect(ISystemApi& Sys, TWindowHandle Control) {
  if (Control == 0) return std::nullopt;
  const TControlKind Kind = KindOf(Sys.BaseClassName(Control));
  if (Kind == TControlKind::ckOther) return std::nullopt;
  std::uint32_t Start = 0;
  std::uint32_t End = 0;
  Sys.SendGetSelection(Control, Start, End);
  if (Start >= End) return std::nullopt;
  const std::intptr_t Length = Sys.SendGetTextLength(Control);
  if (Length <= 0) return std::nullopt;
  const std::wstring Text = Sys.SendGetText(Control, static_cast<std::size_t>(Length) + 1);
  std::size_t From = Start;
  std::size_t To = End;
  if (Kind == TControlKind::ckRichEdit) {
    From = RichEditOffsetToIndex(Text, From);
    To = RichEditOffsetToIndex(Text, To);
  }
  // A foreign control's answers are trusted only as far as the text reaches.
  To = std::min(To, Text.size());
  From = std::min(From, To);
  if (From == To) return std::nullopt;
  return Text.substr(From, To - From);
}

std::optional<std::wstring> CaptureViaClipboard(ISystemApi& Sys) {
  // Every format, not just the text: the user's image or file list must
  // survive the copy keystroke too. What cannot be saved is not risked.
  std::optional<TClipboardSnapshot> Saved;
  if (!WaitUntil(Sys, [&] { return (Saved = SaveClipboard(Sys)).has_value(); }, ClipboardOpenTimeout))
    return std::nullopt;
  const std::uint32_t Before = Sys.ClipboardSequence();
  {
    const TModifiersReleased Modifiers(Sys);
    SendCopyKeystroke(Sys);
  }
  // The number changes when the copy lands; the text is read as soon as the
  // copying application has let go of the clipboard.
  std::optional<std::wstring> Text;
  std::uint32_t Landed = Before;
  const bool Copied = WaitUntil(
      Sys,
      [&] {
        if (Sys.ClipboardSequence() == Before) return false;
        Text = ReadClipboardText(Sys);
        Landed = Sys.ClipboardSequence();
        return Text.has_value();
      },
      CopyTimeout);
  if (Landed == Before) return std::nullopt;
  WaitUntil(Sys, [&] { return RestoreClipboard(Sys, *Saved, Landed); }, ClipboardOpenTimeout);
  if (!Copied || Text->empty()) return std::nullopt;
  return Text;
}

std::optional<std::wstring> CaptureSelection(ISystemApi& Sys, const TForegroundTarget& Target) {
  if (Target.Window == 0 || Target.Elevated) return std::nullopt;
  if (auto Text = CaptureDirect(Sys, Target.Focus)) return Text;
  return CaptureViaClipboard(Sys);
}

}  // namespace talvex
