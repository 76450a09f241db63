#include "app/EngineSettings.h"

namespace talvex {

void UseLocaleSettings(const TFormatSettings& Locale) {
  FormatSettings() = Locale;
  FormatSettings().ThousandSeparator = ThousandSeparatorChar;
}

void UseDefaultSeparators() {
  const TFormatSettings Defaults;
  TFormatSettings& S = FormatSettings();
  S.DecimalSeparator = Defaults.DecimalSeparator;
  S.ListSeparator = Defaults.ListSeparator;
  S.TimeSeparator = Defaults.TimeSeparator;
  S.DateSeparator = Defaults.DateSeparator;
  S.ThousandSeparator = ThousandSeparatorChar;
}

}  // namespace talvex
