// The descriptor table: operators and functions as descriptors that carry
// their name, kind, priority and procedure, in registration order, which is
// also the search order, with the rows they are registered from.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ParserLib/Messages.h"
#include "parser/NameIndex.h"
#include "parser/NumericStep.h"
#include "parser/Value.h"

namespace talvex {

enum TOperatorKind : uint8_t {
  okPrefix = 0,
  okBinary = 1,
  okFunction = 2,
  okConstFunction = 3,
  okAny = 4,  // a search key only
};

// How tightly an operator binds: a larger priority is applied first. The word
// set uses 1 to 4, the C set -7 to 4; the priority of prefix operators and
// functions is never compared.
enum TPriority : int {
  prLogicalOr = -7,     // C ||
  prLogicalAnd = -6,    // C &&
  prBitOr = -5,         // C |
  prBitXor = -4,        // C ^
  prBitAnd = -3,        // C &
  prEquality = -2,      // C == !=
  prOrder = -1,         // C < > <= >=
  prShift = 0,          // C << >>
  prComparison = 1,     // word set = <> < > <= >=
  prAdditive = 2,       // + - or xor
  prMultiplicative = 3, // * / div mod shl shr, word and, C %
  prPower = 4,          // word ^
  prPrefix = 4,
  prFunction = 4,
};

class TMathParser;
class TOperator;

// The one callback contract of operators and functions: the evaluated
// arguments (copies, in source order), the descriptor, the result to fill.
using TOperatorProc = void (*)(std::span<const TCalcValue> Args, TOperator& Op, TCalcValue& Result);

class TOperator {
 public:
  TOperator(TMathParser* Parser, std::string_view Name, TOperatorKind OpKind, int Priority,
            TOperatorProc Proc, TNumericStep Step = TNumericStep::None);
  virtual ~TOperator() = default;

  // Runs Proc; a runtime error escaping it becomes "Недопустимый аргумент в операции".
  virtual void Execute(std::span<const TCalcValue> Args, TCalcValue& Result);
  virtual bool IsUserFunction() const { return false; }

  TMathParser* Parser;
  int Priority;
  std::string UpperName;
  std::string Name;
  TOperatorKind OpKind;
  TOperatorProc Proc;
  // The numeric step Proc begins with, which a shortcut may take directly.
  TNumericStep Step;

 protected:
  void Run(std::span<const TCalcValue> Args, TCalcValue& Result, const TMessage& Error);
};

class TFunction : public TOperator {
 public:
  // ArgCount: the exact count, -1 for one or more, 0 for a bare name.
  TFunction(TMathParser* Parser, std::string_view Name, int ArgCount, TOperatorProc Proc, bool Computing = false);
  void Execute(std::span<const TCalcValue> Args, TCalcValue& Result) override;

  int ArgCount;
  // The result depends on the arguments (and the angle unit) alone: no
  // clock, no random numbers, no cells or variables.
  bool Computing;
};

// A row of a function table, in registration order.
struct TFunctionRow {
  const char* Name;
  int ArgCount;  // -1: one or more; 0: written as a bare name
  TOperatorProc Proc;
  bool Computing;
};
using TFunctionTable = std::span<const TFunctionRow>;

// Nothing in the system creates one, but the table keeps them first across
// rebuilds, so a user function would hide a built-in one of the same name.
class TUserFunction : public TFunction {
 public:
  using TFunction::TFunction;
  bool IsUserFunction() const override { return true; }
};

// The descriptors in registration order, which is also the search order, with
// a hashed index that finds the first descriptor of a name and kind.
class TOperatorList {
 public:
  using TItems = std::vector<std::unique_ptr<TOperator>>;

  std::size_t size() const { return Items.size(); }
  bool empty() const { return Items.empty(); }
  const std::unique_ptr<TOperator>& operator[](std::size_t I) const { return Items[I]; }
  TItems::const_iterator begin() const { return Items.begin(); }
  TItems::const_iterator end() const { return Items.end(); }

  void push_back(std::unique_ptr<TOperator> Op);
  void clear();
  // Removes (and destroys) every descriptor for which Remove holds, keeping the order of the rest.
  template <class TPredicate>
  void RemoveIf(const TPredicate& Remove) {
    std::erase_if(Items, [&](const std::unique_ptr<TOperator>& Op) { return Remove(*Op); });
    Reindex();
  }

  // The position of the first descriptor named Name (any case) of that kind,
  // okAny matching every kind; -1 when there is none.
  int IndexOf(std::string_view Name, TOperatorKind Kind) const {
    if (Name.size() == 1 && Kind <= okAny) return SingleChar[Kind][FoldCp1251(Name[0])];
    return IndexOfLong(Name, Kind);
  }
  // Counts the changes of the list, so what was looked up in it can tell it is still valid.
  uint32_t Generation() const { return Changes; }

 private:
  int IndexOfLong(std::string_view Name, TOperatorKind Kind) const;
  void Reindex();
  void IndexLast();
  TItems Items;
  uint32_t Changes = 0;
  TNameIndex Index;  // keys: the kind, and okAny for every descriptor
  // One-character names (most operators) by kind and upper-cased character.
  std::array<std::array<int32_t, 256>, okAny + 1> SingleChar = EmptySingleChar();
  static std::array<std::array<int32_t, 256>, okAny + 1> EmptySingleChar();
};

}  // namespace talvex
