// Text forms of 80-bit reals. All digits come from exact binary-to-decimal
// conversion in this project's own code, so both targets print the same text
// and no C library locale or printf is involved. Every rounding here takes
// halves away from zero; a value that rounds to zero is written without a sign,
// and non-finite values read INF, -INF and NAN.
#pragma once

#include <string>

namespace talvex {

// Display text of a real: rounded to 13 significant digits (halves away from
// zero), a magnitude below 1E-13 shows as 0, then general format: plain decimal
// without trailing zeros when the decimal exponent is below 15 and the magnitude
// is at least 1E-5, otherwise mantissa, "E", exponent without "+" or leading
// zeros (1E20, 1.5E-6, -2.5E-7). Non-finite values read INF, -INF, NAN.
// X by reference: its bits are read where the value lies, which for a stored
// value spares a fresh copy that the read would have to wait for.
std::string FloatToText(const long double& X, char DecimalSeparator);

// Fixed notation with Digits decimals (clamped to 0..18), rounded halves away from
// zero, Thousand between groups of three integer digits: 1234.567 with 2 digits,
// "." and "`" gives 1`234.57. Magnitudes of 1E18 and above fall back to FloatToText.
std::string FormatNumberFixed(long double X, int Digits, char DecimalSeparator, char Thousand);

// Scientific notation with Precision significant digits (clamped to 1..18):
// mantissa, "E", sign, at least three exponent digits: 1234.5 with precision 3
// gives 1.23E+003, -0.00012 with precision 2 gives -1.2E-004, 0 gives 0.00E+000.
std::string FormatScientific(long double X, int Precision, char DecimalSeparator);

// Fixed-point text with Digits decimals (negative counts as 0, at most 64) and
// the point ".", right-aligned with blanks in a field of at least Width
// characters (no padding for Width 0 or less). The rounding reader of round()
// parses this back.
std::string FormatFixedField(long double X, int Digits, int Width);

}  // namespace talvex
