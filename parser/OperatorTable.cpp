#include "parser/OperatorTable.h"

#include <memory>

#include "parser/CalcParser.h"
#include "parser/Operators.h"

namespace talvex {
namespace {

struct TOperatorRow {
  const char* Name;
  TOperatorKind Kind;
  int Priority;
  TOperatorProc Proc;
};

// A larger priority binds tighter.
constexpr TOperatorRow CSetRows[] = {
    {"==", okBinary, -2, OpEqual},      {"!=", okBinary, -2, OpNotEqual},
    {"&&", okBinary, -6, OpAnd},        {"&", okBinary, -3, OpBitAnd},
    {"^", okBinary, -4, OpBitXor},      {"||", okBinary, -7, OpOr},
    {"|", okBinary, -5, OpBitOr},       {"!", okPrefix, 4, OpNot},
    {"~", okPrefix, 4, OpBitNot},       {"%", okBinary, 3, OpMod},
    {">", okBinary, -1, OpGreater},     {"<", okBinary, -1, OpLess},
    {"<=", okBinary, -1, OpLessEqual},  {">=", okBinary, -1, OpGreaterEqual},
    {"<<", okBinary, 0, OpShl},         {">>", okBinary, 0, OpShr},
};

constexpr TOperatorRow WordSetRows[] = {
    {"=", okBinary, 1, OpEqual},       {"^", okBinary, 4, OpPower},
    {"<>", okBinary, 1, OpNotEqual},   {"and", okBinary, 3, OpAnd},
    {"or", okBinary, 2, OpOr},         {"xor", okBinary, 2, OpXor},
    {"not", okPrefix, 4, OpNot},       {">", okBinary, 1, OpGreater},
    {"<", okBinary, 1, OpLess},        {"<=", okBinary, 1, OpLessEqual},
    {">=", okBinary, 1, OpGreaterEqual},
};

constexpr TOperatorRow SharedRows[] = {
    {"+", okBinary, 2, OpAdd},      {"+", okPrefix, 4, OpUnaryPlus},
    {"-", okBinary, 2, OpSubtract}, {"-", okPrefix, 4, OpNegate},
    {"*", okBinary, 3, OpMultiply}, {"/", okBinary, 3, OpDivide},
    {"shl", okBinary, 3, OpShl},    {"shr", okBinary, 3, OpShr},
    {"div", okBinary, 3, OpIntDiv}, {"mod", okBinary, 3, OpMod},
};

template <std::size_t N>
void Register(TCalcParser& Parser, const TOperatorRow (&Rows)[N]) {
  for (const TOperatorRow& Row : Rows)
    Parser.AddOperator(std::make_unique<TOperator>(&Parser, Row.Name, Row.Kind, Row.Priority, Row.Proc));
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
