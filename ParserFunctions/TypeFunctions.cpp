// Conversions between kinds (the accessors with conversion allowed) and the
// small numeric functions Frac, Odd and Sign.
#include "ParserFunctions/Functions.h"
#include "ParserLib/Exact.h"

namespace talvex {

TALVEX_PROC(FnString) { SetString(Result, AsString(Args[0], true, Op.Parser->Settings)); }
TALVEX_PROC(FnInteger) { SetInteger(Result, AsInteger(Args[0], true)); }
TALVEX_PROC(FnReal) { SetReal(Result, AsReal(Args[0], true, Op.Parser->Settings)); }
TALVEX_PROC(FnBoolean) { SetBoolean(Result, AsBoolean(Args[0], true)); }
TALVEX_PROC(FnDegrees) { SetDegrees(Result, AsDegrees(Args[0], true)); }
TALVEX_PROC(FnTime) { SetTime(Result, AsTime(Args[0], true, Op.Parser->Settings)); }
TALVEX_PROC(FnDate) { SetDate(Result, AsDate(Args[0], true, Op.Parser->Settings)); }

TALVEX_PROC(FnFrac) { SetReal(Result, FracReal(AsReal(Args[0]))); }

TALVEX_PROC(FnOdd) { SetBoolean(Result, (static_cast<uint64_t>(AsInteger(Args[0])) & 1) != 0); }

TALVEX_PROC(FnSign) {
  const Extended X = AsReal(Args[0]);
  SetInteger(Result, X > 0 ? 1 : (X < 0 ? -1 : 0));
}

}  // namespace talvex
