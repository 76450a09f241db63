// The engine's process-wide locale settings as the program uses them.
#pragma once

#include "ParserLib/FormatSettings.h"

namespace talvex {

// Digit groups in the user's expressions are marked with the backquote, so
// the locale's grouping character (often a comma or a blank) never splits or
// joins numbers by surprise.
inline constexpr char ThousandSeparatorChar = '`';

// The user's locale, with the backquote for digit grouping.
void UseLocaleSettings(const TFormatSettings& Locale);

// The engine's default separators, for when the locale's cannot be used: its
// messages about unusable separators promise exactly this.
void UseDefaultSeparators();

}  // namespace talvex
