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

TALVEX_PROC(FnClearCell) { NotYetAvailable(Op); }
TALVEX_PROC(FnClearCells) { NotYetAvailable(Op); }
TALVEX_PROC(FnCellIsEmpty) { NotYetAvailable(Op); }
TALVEX_PROC(FnDefineVar) { NotYetAvailable(Op); }
TALVEX_PROC(FnDeleteVar) { NotYetAvailable(Op); }
TALVEX_PROC(FnSin) { NotYetAvailable(Op); }
TALVEX_PROC(FnSinh) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcSin) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcSinh) { NotYetAvailable(Op); }
TALVEX_PROC(FnCos) { NotYetAvailable(Op); }
TALVEX_PROC(FnCosh) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcCos) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcCosh) { NotYetAvailable(Op); }
TALVEX_PROC(FnTan) { NotYetAvailable(Op); }
TALVEX_PROC(FnTanh) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcTan) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcTanh) { NotYetAvailable(Op); }
TALVEX_PROC(FnCosec) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcSec) { NotYetAvailable(Op); }
TALVEX_PROC(FnArcCosec) { NotYetAvailable(Op); }
TALVEX_PROC(FnSec) { NotYetAvailable(Op); }
TALVEX_PROC(FnLn) { NotYetAvailable(Op); }
TALVEX_PROC(FnLog10) { NotYetAvailable(Op); }
TALVEX_PROC(FnLog2) { NotYetAvailable(Op); }
TALVEX_PROC(FnLog) { NotYetAvailable(Op); }
TALVEX_PROC(FnExp) { NotYetAvailable(Op); }
TALVEX_PROC(FnHypot) { NotYetAvailable(Op); }
TALVEX_PROC(FnFact) { NotYetAvailable(Op); }
TALVEX_PROC(FnDegToGrad) { NotYetAvailable(Op); }
TALVEX_PROC(FnDegToRad) { NotYetAvailable(Op); }
TALVEX_PROC(FnGradToRad) { NotYetAvailable(Op); }
TALVEX_PROC(FnGradToDeg) { NotYetAvailable(Op); }
TALVEX_PROC(FnRadToDeg) { NotYetAvailable(Op); }
TALVEX_PROC(FnRadToGrad) { NotYetAvailable(Op); }
TALVEX_PROC(FnDMSToDeg) { NotYetAvailable(Op); }
TALVEX_PROC(FnDegToDMS) { NotYetAvailable(Op); }
TALVEX_PROC(FnSum) { NotYetAvailable(Op); }
TALVEX_PROC(FnSumSq) { NotYetAvailable(Op); }
TALVEX_PROC(FnAvg) { NotYetAvailable(Op); }
TALVEX_PROC(FnNorm) { NotYetAvailable(Op); }
TALVEX_PROC(FnMin) { NotYetAvailable(Op); }
TALVEX_PROC(FnMax) { NotYetAvailable(Op); }
TALVEX_PROC(FnStd) { NotYetAvailable(Op); }
TALVEX_PROC(FnStdP) { NotYetAvailable(Op); }
TALVEX_PROC(FnVarP) { NotYetAvailable(Op); }
TALVEX_PROC(FnVarS) { NotYetAvailable(Op); }
TALVEX_PROC(FnVarT) { NotYetAvailable(Op); }
TALVEX_PROC(FnCount) { NotYetAvailable(Op); }
TALVEX_PROC(FnMediana) { NotYetAvailable(Op); }
TALVEX_PROC(FnChr) { NotYetAvailable(Op); }
TALVEX_PROC(FnOrd) { NotYetAvailable(Op); }
TALVEX_PROC(FnLen) { NotYetAvailable(Op); }
TALVEX_PROC(FnPos) { NotYetAvailable(Op); }
TALVEX_PROC(FnString) { NotYetAvailable(Op); }
TALVEX_PROC(FnInteger) { NotYetAvailable(Op); }
TALVEX_PROC(FnReal) { NotYetAvailable(Op); }
TALVEX_PROC(FnBoolean) { NotYetAvailable(Op); }
TALVEX_PROC(FnDegrees) { NotYetAvailable(Op); }
TALVEX_PROC(FnTime) { NotYetAvailable(Op); }
TALVEX_PROC(FnDate) { NotYetAvailable(Op); }
TALVEX_PROC(FnFrac) { NotYetAvailable(Op); }
TALVEX_PROC(FnOdd) { NotYetAvailable(Op); }
TALVEX_PROC(FnSign) { NotYetAvailable(Op); }

}  // namespace talvex
