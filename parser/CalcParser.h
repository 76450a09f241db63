// The calculator's parser: the memory cells, assignment, and the actual
// operator and function tables.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "parser/MathParser.h"

namespace talvex {

class TCalcParser : public TMathParser {
 public:
  static constexpr int CellCount = 100;

  bool AutoSyntax = false;
  std::array<TCalcValue, CellCount> Cells{};

  void DefineVariable(std::string_view Name, const TCalcValue& Value);

  void GetIdentValue(std::string_view UpperName, TCalcValue& Result) override;
  void ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result) override;
  void InitOperators() override;
};

// Text in, answer text out: the trailing-operator rewrite, evaluation, the
// optional syntax retry and the output format.
std::string Calculate(TCalcParser& Parser, std::string_view Text);

// The index N when Name (upper-cased) is exactly "M" and N in 0..99 without
// leading zeros; -1 otherwise.
int CellIndexOfName(std::string_view UpperName);

}  // namespace talvex
