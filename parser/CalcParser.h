// The calculator's parser: the memory cells, assignment, the operator table,
// and the function table its host hands it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "parser/MathParser.h"

namespace talvex {

// Final: the calculator's parser is the one concrete parser, so its own code
// may call the readers without a virtual dispatch.
class TCalcParser final : public TMathParser {
 public:
  static constexpr int CellCount = 100;

  // The functions are registered after the operators, in the table's order,
  // whenever the table is built; the rows must outlive the parser.
  explicit TCalcParser(TFunctionTable Functions) : FFunctions(Functions) {}

  bool AutoSyntax = false;
  std::array<TCalcValue, CellCount> Cells{};

  void DefineVariable(std::string_view Name, const TCalcValue& Value);

  void GetIdentValue(std::string_view UpperName, TCalcValue& Result) override;
  void ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result) override;
  void InitOperators() override;

 private:
  // Name := expression (and Name = expression in the C syntax), the name
  // starting at P; false when no assignment starts there.
  bool ParseAssignment(std::string_view Text, int& Pos, int P, TCalcValue& Result);

  TFunctionTable FFunctions;
};

// Text in, answer text out: the trailing-operator rewrite, evaluation, the
// optional syntax retry and the output format.
std::string Calculate(TCalcParser& Parser, std::string_view Text);
// The same, also giving the result's value, for a host that keeps it for later
// expressions (the command line's ans).
std::string Calculate(TCalcParser& Parser, std::string_view Text, TCalcValue& Result);
// The answer text Calculate gives for a result of this value.
std::string FormatValue(TCalcParser& Parser, const TCalcValue& Value);

// The index N when Name (upper-cased) is exactly "M" and N in 0..99 without
// leading zeros; -1 otherwise.
int CellIndexOfName(std::string_view UpperName);

}  // namespace talvex
