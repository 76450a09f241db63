// Reading the text the user has selected in the foreground application, as
// UTF-16: directly from an edit control, otherwise through the clipboard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ClipboardLoan.h"
#include "ForegroundTarget.h"
#include "ModifierKeys.h"
#include "SystemApi.h"

namespace talvex {

// The copy has this long in all to reach the clipboard.
inline constexpr std::uint32_t CopyTimeout = 1500;
// A copy that lands later still gives way to the user's clipboard, for this long after that.
inline constexpr std::uint32_t LateCopyTime = 5000;

// Why no selection was read.
enum class TCaptureFailure {
  cfNone,
  cfNoWindow,         // no window is in front
  cfOwnWindow,        // this program's own window is in front
  cfElevated,         // an administrator's window, which this program may not read
  cfNoAnswer,         // the focused control did not answer
  cfNothingSelected,  // an edit control with nothing selected, and no copy came
  cfClipboardBusy,    // another program kept the clipboard
  cfKeysRefused,      // the system did not take the copy keystroke
  cfNoCopy,           // the application copied nothing in time
  cfNoText,           // what it copied holds no text
  cfOutOfMemory,
  cfEnded,            // the loan was ended from outside (the session ends)
};

struct TCapture {
  std::wstring Text;  // the selection, when Failure is cfNone
  TCaptureFailure Failure = TCaptureFailure::cfNone;
  TGiveBack GiveBack = TGiveBack::gbRestored;  // what became of the user's clipboard
};

// The selection of Target's focused control. Through the clipboard, Loan
// holds the user's clipboard from before the copy keystroke; it ends empty,
// except when no copy came in time: then it is left held, for the caller to
// watch for the late copy.
TCapture CaptureSelection(ISystemApi& Sys, const TForegroundTarget& Target, const TUserKeyWatch& Watch,
                          std::optional<TClipboardLoan>& Loan);

enum class TDirect {
  drText,             // the selected text is in Text
  drNotEdit,          // no edit or rich-edit control: the clipboard must tell
  drNothingSelected,  // an edit control with an empty selection
  drNoAnswer,         // the control did not answer
};
struct TDirectRead {
  TDirect Kind;
  std::wstring Text;
};

// The selected text of an edit or rich-edit control (by the class the
// system reports as the control's base).
TDirectRead CaptureDirect(ISystemApi& Sys, TWindowHandle Control);

// Rich-edit controls from version 2.0 on count a line break as one
// character in their selection, where the text WM_GETTEXT gives has two.
std::size_t RichEditOffsetToIndex(std::wstring_view Text, std::size_t Offset);

}  // namespace talvex
