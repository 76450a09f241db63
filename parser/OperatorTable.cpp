#include "parser/OperatorTable.h"

#include <memory>

#include "parser/CalcParser.h"
#include "parser/Operators.h"

namespace talvex {
namespace {

struct TOperatorRow {
  const char* Name;
  TOperatorKind Kind;
  TPriority Priority;
  TOperatorProc Proc;
  TNumericStep Step = TNumericStep::None;  // the arithmetic its procedure begins with
};

constexpr TOperatorRow CSetRows[] = {
    {"==", okBinary, prEquality, OpEqual},
    {"!=", okBinary, prEquality, OpNotEqual},
    {"&&", okBinary, prLogicalAnd, OpAnd},
    {"&", okBinary, prBitAnd, OpBitAnd},
    {"^", okBinary, prBitXor, OpBitXor},
    {"||", okBinary, prLogicalOr, OpOr},
    {"|", okBinary, prBitOr, OpBitOr},
    {"!", okPrefix, prPrefix, OpNot},
    {"~", okPrefix, prPrefix, OpBitNot},
    {"%", okBinary, prMultiplicative, OpMod},
    {">", okBinary, prOrder, OpGreater},
    {"<", okBinary, prOrder, OpLess},
    {"<=", okBinary, prOrder, OpLessEqual},
    {">=", okBinary, prOrder, OpGreaterEqual},
    {"<<", okBinary, prShift, OpShl},
    {">>", okBinary, prShift, OpShr},
};

constexpr TOperatorRow WordSetRows[] = {
    {"=", okBinary, prComparison, OpEqual},
    {"^", okBinary, prPower, OpPower, TNumericStep::Power},
    {"<>", okBinary, prComparison, OpNotEqual},
    {"and", okBinary, prMultiplicative, OpAnd},
    {"or", okBinary, prAdditive, OpOr},
    {"xor", okBinary, prAdditive, OpXor},
    {"not", okPrefix, prPrefix, OpNot},
    {">", okBinary, prComparison, OpGreater},
    {"<", okBinary, prComparison, OpLess},
    {"<=", okBinary, prComparison, OpLessEqual},
    {">=", okBinary, prComparison, OpGreaterEqual},
};

constexpr TOperatorRow SharedRows[] = {
    {"+", okBinary, prAdditive, OpAdd, TNumericStep::Add},
    {"+", okPrefix, prPrefix, OpUnaryPlus, TNumericStep::Plus},
    {"-", okBinary, prAdditive, OpSubtract, TNumericStep::Subtract},
    {"-", okPrefix, prPrefix, OpNegate, TNumericStep::Negate},
    {"*", okBinary, prMultiplicative, OpMultiply, TNumericStep::Multiply},
    {"/", okBinary, prMultiplicative, OpDivide, TNumericStep::Divide},
    {"shl", okBinary, prMultiplicative, OpShl},
    {"shr", okBinary, prMultiplicative, OpShr},
    {"div", okBinary, prMultiplicative, OpIntDiv},
    {"mod", okBinary, prMultiplicative, OpMod},
};

template <std::size_t N>
void Register(TCalcParser& Parser, const TOperatorRow (&Rows)[N]) {
  for (const TOperatorRow& Row : Rows)
    Parser.AddOperator(std::make_unique<TOperator>(&Parser, Row.Name, Row.Kind, Row.Priority, Row.Proc, Row.Step));
}

}  // namespace

void RegisterOperators(TCalcParser& Parser) {
  if (Parser.Syntax == smC)
    Register(Parser, CSetRows);
  else
    Register(Parser, WordSetRows);
  Register(Parser, SharedRows);
}

}  // namespace talvex
