// What the tooltip tells after a cycle that typed nothing or could not give
// everything back: each cause its own message, and an expression with no
// value to type shown as what it did.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lib/ClipboardText.h"
#include "lib/SelectionCapture.h"
#include "parser/CalcParser.h"

namespace talvex {

// The message for a capture that read nothing; none for a cycle ended from
// outside (the session ends), which nobody will read.
const wchar_t* CaptureFailureText(TCaptureFailure Failure);

// The warning for a user's clipboard not (wholly) given back; none when it was,
// or when someone else changed it meanwhile.
const wchar_t* GiveBackText(TGiveBack GiveBack);

// "x = 5" after an assignment at the start of Expression (the name as the
// user wrote it, the value as a result would read); otherwise a sentence
// that the expression has no value.
std::wstring ValuelessText(TCalcParser& Parser, std::wstring_view Expression);

}  // namespace talvex
