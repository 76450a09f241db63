// The memory cells M0..M99 and the variable functions.
#include "ParserFunctions/Functions.h"
#include "ParserLib/Messages.h"
#include "parser/CalcParser.h"

namespace talvex {
namespace {

std::size_t CellIndex(const TCalcValue& Argument) {
  const int64_t Index = AsInteger(Argument);
  if (Index < 0 || Index >= TCalcParser::CellCount) throw EParserException::Create(msg::BadCellIndex);
  return static_cast<std::size_t>(Index);
}

auto& CellsOf(const TOperator& Op) { return static_cast<TCalcParser&>(*Op.Parser).Cells; }

}  // namespace

TALVEX_PROC(FnClearCell) {
  CellsOf(Op)[CellIndex(Args[0])] = TCalcValue{};
  SetNull(Result);
}

// Both indices are checked before any cell is touched.
TALVEX_PROC(FnClearCells) {
  const std::size_t First = CellIndex(Args[0]);
  const std::size_t Last = CellIndex(Args[1]);
  for (std::size_t I = First; I <= Last; ++I) CellsOf(Op)[I] = TCalcValue{};
  SetNull(Result);
}

TALVEX_PROC(FnCellIsEmpty) { SetBoolean(Result, CellsOf(Op)[CellIndex(Args[0])].Kind == vkNone); }

// Variables are defined and read by the expression syntax itself; these two
// accept their (already evaluated) arguments and give no value.
TALVEX_PROC(FnDefineVar) {}
TALVEX_PROC(FnDeleteVar) {}

}  // namespace talvex
