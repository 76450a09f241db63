// The plain expression: numbers, the five arithmetic operators, prefix signs,
// brackets, blanks, variables and memory cells, and calls of the functions
// whose rows say they only compute, in the default syntax. Most selections are
// nothing else, and they are evaluated in one pass over the text with a stack
// of values and one of pending operators.
//
// The pass builds the tree the general precedence loop builds (prefix signs
// bind to their operand, operators of one priority group from the left) and
// computes every step with the same meaning: an operator's numeric step, or
// else its procedure; a function's procedure. Anything else, and every error,
// is declined and left to the general evaluation, which starts afresh: what
// the pass does has no side effects, so nothing is done twice.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "parser/MathParser.h"

namespace talvex {

// An integer, a real or a fraction, held as TCalcValue holds them: what the
// pass carries from operator to operator.
struct TNumber {
  Extended RealValue = 0;
  int64_t Numerator = 0, Denominator = 1;
  TValueKind Kind = vkInteger;
};

class TPlainPass {
 public:
  static constexpr int MaxNesting = TMathParser::MaxNesting;

  explicit TPlainPass(TMathParser& Parser) : FParser(Parser) {}

  // True with Result when Text is a plain expression; false (nothing changed)
  // leaves it to the general evaluation.
  bool Evaluate(std::string_view Text, TCalcValue& Result);

 private:
  friend class TPlainEvaluation;

  struct TLevel {  // an open bracket, or a call with its arguments so far
    TOperator* Function = nullptr;
    uint32_t OperatorBase = 0, PrefixBase = 0, ArgBase = 0, Args = 0;
  };
  // What a name read before a bracket names: a computing function, another
  // function, or nothing.
  enum TCallKind : uint8_t { ckNone, ckComputing, ckOther };
  struct TCallName {
    uint64_t Key = 0;     // up to 8 characters as typed
    uint32_t Length = 0;  // 0: an empty slot
    TCallKind Kind = ckNone;
    TOperator* Function = nullptr;
  };
  // What the pass needs of the descriptor table, taken once per table.
  struct TTable {
    uint32_t Generation = 0;
    bool Known = false, Usable = false;
    TOperator* Binary[256] = {};
    TOperator* Prefix[256] = {};
    std::vector<bool> Computing;  // by place in the table
    std::array<TCallName, 16> CallNames{};
  };
  // The stacks, of fixed size for the deepest nesting allowed.
  struct TWork {
    std::array<TNumber, 4 * MaxNesting> Values;
    std::array<TOperator*, 2 * MaxNesting> Binary;
    std::array<TOperator*, MaxNesting> Prefixes;
    std::array<TLevel, MaxNesting> Levels;
    TCalcValue Args[2], Out;
  };

  // Kept out of line so that the evaluation of every expression stays lean.
  [[gnu::noinline]] void BuildTable();

  TMathParser& FParser;
  TTable FTable;
  std::unique_ptr<TWork> FWork = std::make_unique<TWork>();
};

}  // namespace talvex
