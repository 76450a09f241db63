#include "ParserFunctions/FunctionTable.h"

#include <memory>

#include "parser/CalcParser.h"
#include "parser/Operators.h"

namespace talvex {
namespace {

struct TFunctionRow {
  const char* Name;
  int ArgCount;  // -1: one or more
  TOperatorProc Proc;
};

constexpr TFunctionRow Rows[] = {
    {"abs", 1, FnAbs},
    {"SQR", 1, FnSqr},
    {"SQRT", 1, FnSqrt},
    {"round", 2, FnRound},
    {"trunc", 1, FnTrunc},
    {"Int", 1, FnTrunc},
};

}  // namespace

void RegisterFunctions(TCalcParser& Parser) {
  for (const TFunctionRow& Row : Rows)
    Parser.AddOperator(std::make_unique<TFunction>(&Parser, Row.Name, Row.ArgCount, Row.Proc));
}

}  // namespace talvex
