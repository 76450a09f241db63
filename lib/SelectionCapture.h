// Reading the text the user has selected in the foreground application, as
// UTF-16: directly from an edit control, otherwise through the clipboard.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ForegroundTarget.h"
#include "SystemApi.h"

namespace talvex {

// The copy has this long in all to reach the clipboard.
inline constexpr std::uint32_t CopyTimeout = 1500;

// The selection, or nothing when none could be read.
std::optional<std::wstring> CaptureSelection(ISystemApi& Sys, const TForegroundTarget& Target);

// The selected text of an edit or rich-edit control (by the class the
// system reports as the control's base); nothing for any other window, and
// for an empty selection.
std::optional<std::wstring> CaptureDirect(ISystemApi& Sys, TWindowHandle Control);

// Ctrl+Insert into the foreground application, then the text it copied.
// Nothing when no copy reached the clipboard in time: the clipboard is then
// as the user had it. After a copy, the user's clipboard is put back unless
// someone changed it meanwhile.
std::optional<std::wstring> CaptureViaClipboard(ISystemApi& Sys);

// Rich-edit controls count a line break as one character in their
// selection, where the text WM_GETTEXT gives has two.
std::size_t RichEditOffsetToIndex(std::wstring_view Text, std::size_t Offset);

}  // namespace talvex
