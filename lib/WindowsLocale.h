// The engine's locale settings from the user's Windows locale, read once at
// start-up.
#pragma once

#include "ParserLib/FormatSettings.h"

namespace talvex {

TFormatSettings ReadWindowsFormatSettings();

}  // namespace talvex
