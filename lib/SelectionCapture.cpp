#include "SelectionCapture.h"

#include <algorithm>
#include <cwctype>
#include <new>
#include <vector>

#include "KeyEvents.h"
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
  // Rich Edit 1.0 ("RichEdit") keeps CR LF as two characters, like an edit control.
  if (Name == L"edit" || Name == L"richedit") return TControlKind::ckEdit;
  // RichEdit20W, RICHEDIT50W, and frameworks' classes built on them.
  if (Name.find(L"richedit") != std::wstring::npos) return TControlKind::ckRichEdit;
  return TControlKind::ckOther;
}

// Ctrl+Insert with the keys' scan codes, Insert marked extended.
std::vector<TKeyInput> CopyKeystroke(ISystemApi& Sys) {
  return {KeyPress(Sys, VkControl), KeyPress(Sys, VkInsert), KeyRelease(Sys, VkInsert), KeyRelease(Sys, VkControl)};
}

TCapture Failed(TCaptureFailure Failure, TGiveBack GiveBack = TGiveBack::gbRestored) { return {{}, Failure, GiveBack}; }

TCapture CaptureViaClipboard(ISystemApi& Sys, const TForegroundTarget& Target, const TUserKeyWatch& Watch,
                             std::optional<TClipboardLoan>& Loan, bool NothingSelected) {
  try {
    // Every format, not just the text: the user's image or file list must
    // survive the copy keystroke too. What cannot be saved is not risked.
    if (!WaitUntil(Sys, [&] { return (Loan = TClipboardLoan::Take(Sys, Target)).has_value(); },
                   ClipboardOpenTimeout))
      return Failed(TCaptureFailure::cfClipboardBusy);
    const std::vector<TKeyInput> Keys = WithModifiersUp(Sys, Watch, CopyKeystroke(Sys));
    Loan->Refresh(Sys);
    if (Sys.SendKeys(Keys) != Keys.size()) return Failed(TCaptureFailure::cfKeysRefused);
    std::wstring Text;
    TLook Seen = TLook::lkWaiting;
    WaitUntil(
        Sys,
        [&] {
          Seen = Loan->Look(Sys, Text);
          return Seen != TLook::lkWaiting;
        },
        CopyTimeout);
    if (Loan->Ended()) {
      Loan.reset();
      return Failed(TCaptureFailure::cfEnded);
    }
    if (Seen == TLook::lkLost) {
      Loan.reset();
      return Failed(TCaptureFailure::cfOutOfMemory);
    }
    if (Seen == TLook::lkWaiting)
      return Failed(NothingSelected ? TCaptureFailure::cfNothingSelected : TCaptureFailure::cfNoCopy);
    const TGiveBack GiveBack = Loan->GiveBack(Sys);
    Loan.reset();
    if (Text.empty()) return Failed(TCaptureFailure::cfNoText, GiveBack);
    return {std::move(Text), TCaptureFailure::cfNone, GiveBack};
  } catch (const std::bad_alloc&) {
    // A copy that landed gives way to the user's clipboard; one that did not
    // finds a snapshot that may be out of date, which is not risked.
    const TGiveBack GiveBack = Loan && Loan->CopyLanded() ? Loan->GiveBack(Sys) : TGiveBack::gbRestored;
    Loan.reset();
    return Failed(TCaptureFailure::cfOutOfMemory, GiveBack);
  }
}

}  // namespace

std::size_t RichEditOffsetToIndex(std::wstring_view Text, std::size_t Offset) {
  std::size_t Index = 0;
  for (std::size_t Counted = 0; Counted < Offset && Index < Text.size(); ++Counted)
    Index += Text.compare(Index, 2, L"\r\n") == 0 ? 2 : 1;
  return Index;
}

TDirectRead CaptureDirect(ISystemApi& Sys, TWindowHandle Control) {
  if (Control == 0) return {TDirect::drNotEdit, {}};
  const TControlKind Kind = KindOf(Sys.BaseClassName(Control));
  if (Kind == TControlKind::ckOther) return {TDirect::drNotEdit, {}};
  std::uint32_t Start = 0;
  std::uint32_t End = 0;
  if (!Sys.SendGetSelection(Control, Start, End)) return {TDirect::drNoAnswer, {}};
  if (Start >= End) return {TDirect::drNothingSelected, {}};
  const auto Length = Sys.SendGetTextLength(Control);
  if (!Length) return {TDirect::drNoAnswer, {}};
  if (*Length <= 0) return {TDirect::drNothingSelected, {}};
  const auto Text = Sys.SendGetText(Control, static_cast<std::size_t>(*Length) + 1);
  if (!Text) return {TDirect::drNoAnswer, {}};
  std::size_t From = Start;
  std::size_t To = End;
  if (Kind == TControlKind::ckRichEdit) {
    From = RichEditOffsetToIndex(*Text, From);
    To = RichEditOffsetToIndex(*Text, To);
  }
  // A foreign control's answers are trusted only as far as the text reaches.
  To = std::min(To, Text->size());
  From = std::min(From, To);
  if (From == To) return {TDirect::drNothingSelected, {}};
  return {TDirect::drText, Text->substr(From, To - From)};
}

TCapture CaptureSelection(ISystemApi& Sys, const TForegroundTarget& Target, const TUserKeyWatch& Watch,
                          std::optional<TClipboardLoan>& Loan) {
  if (Target.Own) return Failed(TCaptureFailure::cfOwnWindow);
  if (Target.Window == 0) return Failed(TCaptureFailure::cfNoWindow);
  if (Target.Elevated) return Failed(TCaptureFailure::cfElevated);
  try {
    TDirectRead Direct = CaptureDirect(Sys, Target.Focus);
    if (Direct.Kind == TDirect::drText) return {std::move(Direct.Text), TCaptureFailure::cfNone, TGiveBack::gbRestored};
    // A control that does not answer is hung: it would not copy either.
    if (Direct.Kind == TDirect::drNoAnswer) return Failed(TCaptureFailure::cfNoAnswer);
    return CaptureViaClipboard(Sys, Target, Watch, Loan, Direct.Kind == TDirect::drNothingSelected);
  } catch (const std::bad_alloc&) {
    return Failed(TCaptureFailure::cfOutOfMemory);
  }
}

}  // namespace talvex
