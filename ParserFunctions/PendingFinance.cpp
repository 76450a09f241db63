// Rows whose procedures are still to come: calling one is a clear error,
// never a wrong value. Each goes when its family lands.
#include "ParserFunctions/Functions.h"
#include "parser/Messages.h"

namespace talvex {
namespace {

[[noreturn]] void NotYetAvailable(const TOperator& Op) {
  throw EParserException::CreateFmt(msg::FunctionNotFound, {Op.Name});
}

}  // namespace

TALVEX_PROC(FnSecToTime) { NotYetAvailable(Op); }
TALVEX_PROC(FnTimeToSec) { NotYetAvailable(Op); }
TALVEX_PROC(FnDayOfWeek) { NotYetAvailable(Op); }
TALVEX_PROC(FnDay) { NotYetAvailable(Op); }
TALVEX_PROC(FnMon) { NotYetAvailable(Op); }
TALVEX_PROC(FnYear) { NotYetAvailable(Op); }
TALVEX_PROC(FnNow) { NotYetAvailable(Op); }
TALVEX_PROC(FnEncodeDate) { NotYetAvailable(Op); }
TALVEX_PROC(FnEncodeTime) { NotYetAvailable(Op); }
TALVEX_PROC(FnHours) { NotYetAvailable(Op); }
TALVEX_PROC(FnMinutes) { NotYetAvailable(Op); }
TALVEX_PROC(FnSeconds) { NotYetAvailable(Op); }
TALVEX_PROC(FnRandom) { NotYetAvailable(Op); }
TALVEX_PROC(FnIsLeapYear) { NotYetAvailable(Op); }

}  // namespace talvex
