// abs, SQR, SQRT, round, trunc and Int: the functions that share the
// operators' arithmetic.
#include <cmath>
#include <limits>

#include "ParserLib/Exact.h"
#include "ParserLib/FloatText.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/RealText.h"
#include "parser/Operators.h"

namespace talvex {

TALVEX_PROC(FnAbs) { SetReal(Result, std::fabs(AsReal(Args[0]))); }

TALVEX_PROC(FnSqr) {
  const Extended X = AsReal(Args[0]);
  SetReal(Result, CheckReal(X * X));
}

TALVEX_PROC(FnSqrt) {
  const Extended X = AsReal(Args[0]);
  if (X < 0) throw EInvalidOp();
  SetReal(Result, std::sqrt(X));
}

TALVEX_PROC(FnTrunc) { SetInteger(Result, TruncToInt64(AsReal(Args[0]))); }

// Rounds by writing the number as fixed-point text with N decimals (at least 15
// wide) and reading it back, so round(x; n) shows exactly what the text shows.
TALVEX_PROC(FnRound) {
  const Extended X = AsReal(Args[0]);
  const int64_t N = AsInteger(Args[1]);
  const int Digits = N < 0 ? 0 : (N > 64 ? 64 : static_cast<int>(N));
  std::string Text = FormatFixedField(X, Digits, 15);
  const char Decimal = Op.Parser->Settings.DecimalSeparator;
  const std::size_t Point = Text.find('.');
  if (Point != std::string::npos) Text[Point] = Decimal;
  SetReal(Result, TextToReal(Text, Decimal));
}

}  // namespace talvex
