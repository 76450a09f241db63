// The parser object: settings, the descriptor table of operators and
// functions, the variables, and the evaluation machinery (a single
// left-to-right pass that parses and computes at once, without a syntax tree).
#pragma once

#include <array>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ParserLib/FormatSettings.h"
#include "ParserLib/Scanner.h"
#include "parser/NameIndex.h"
#include "parser/NumericStep.h"
#include "ParserLib/ParserException.h"
#include "parser/Value.h"

namespace talvex {

enum TSyntaxMode : int32_t {
  smPascal = 0,
  smC = 1,
  smDefault = 2,
  smHex = 3,
  smOctal = 4,
  smBinary = 5,
  smBasic = 8,
};

enum TOutputFormat : int32_t {
  ofDefault = 2,
  ofHex = 3,
  ofOctal = 4,
  ofBinary = 5,
  ofFixed = 6,
  ofExponent = 7,
  ofRoman = 9,
  ofFraction = 10,
};

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
class TPlainPass;

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

struct TVariable {
  TCalcValue Value;
  std::string Name;  // upper-cased, at most 255 characters
};

// The variables in creation order, indexed by name.
class TVariableList {
 public:
  std::size_t size() const { return Items.size(); }
  bool empty() const { return Items.empty(); }
  const TVariable& operator[](std::size_t I) const { return Items[I]; }
  const TVariable& back() const { return Items.back(); }
  std::vector<TVariable>::const_iterator begin() const { return Items.begin(); }
  std::vector<TVariable>::const_iterator end() const { return Items.end(); }

  void push_back(TVariable Variable);
  TCalcValue& ValueAt(std::size_t I) { return Items[I].Value; }
  // The first variable whose name equals Name in any case, or -1.
  int IndexOf(std::string_view Name) const;

 private:
  std::vector<TVariable> Items;
  TNameIndex Index;
};

void SetVariable(TVariableList& List, std::string_view Name, const TCalcValue& Value);
void GetVariable(const TVariableList& List, std::string_view Name, bool RaiseIfMissing,
                 TCalcValue& Value);
int IndexOfVariable(const TVariableList& List, std::string_view Name);

class TMathParser {
 public:
  TMathParser();
  virtual ~TMathParser();
  TMathParser(const TMathParser&) = delete;
  TMathParser& operator=(const TMathParser&) = delete;

  // Settings and evaluation state.
  int Position = 0;
  int AngleUnit = 0;  // 0 degrees, 1 radians, 2 grads
  TSyntaxMode Syntax = smDefault;
  TOutputFormat OutputFormat = ofDefault;
  int FixedDigits = 2;
  int ExpDigits = 2;
  int Depth = 0;
  int StopDepth = 0;
  TOperatorList Operators;
  TVariableList Variables;
  // The locale this parser reads and writes with: the host's settings when
  // the parser is made and whenever it builds its table.
  TFormatSettings Settings;
  // The character classes of that locale and of the syntax mode.
  TCharClasses Classes;

  // For tests: false leaves every expression to the general evaluation, and
  // PlainEvaluations counts the expressions the one pass evaluated.
  bool UsePlainPass = true;
  uint64_t PlainEvaluations = 0;

  void SetSyntax(TSyntaxMode Mode);
  void Evaluate(std::string_view Text, TCalcValue& Result);

  int IndexOfOperator(std::string_view Name, TOperatorKind Kind) const { return Operators.IndexOf(Name, Kind); }
  TOperator& FindOperatorOrRaise(std::string_view Name, TOperatorKind Kind) const;
  TOperator& FindFunction(std::string_view Name, TOperatorKind Kind) const;
  void AddOperator(std::unique_ptr<TOperator> Op);

  // The token readers and the overridable steps of evaluation.
  virtual void GetIdentValue(std::string_view UpperName, TCalcValue& Result);
  virtual void ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseNumber(std::string_view Text, int& Pos, TCalcValue& Result);
  // The two name readers return the name as written, a view into Text: names
  // are looked up in any case and shown upper-cased in messages.
  virtual std::string_view ReadOperatorName(std::string_view Text, int& Pos);
  virtual std::string_view ReadFunctionName(std::string_view Text, int& Pos);
  virtual void ParseString(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseDateTime(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseDegrees(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void InitOperators() = 0;
  virtual void DefineConstants();

  // An error inside the evaluation does not unwind the recursion: the level
  // that meets it keeps it and every level above returns at once. After an
  // error Failed() holds, and Evaluate raises the error kept.
  void ParseExpression(std::string_view Text, int& Pos, TCalcValue& Result);
  // ParseOperand from a position already past the blanks and inside the text.
  void ParseOperandAt(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseSubExpression(std::string_view Text, int& Pos, TCalcValue& Result);
  bool Failed() const { return Error != nullptr; }
  TOperator& ReadBinaryOperator(std::string_view Text, int& Pos);
  void ParseDecimal(std::string_view Text, int& Pos, TCalcValue& Result);
  bool ReadPlainNumber(std::string_view Text, int& Pos, TCalcValue& Result, bool DefaultSyntax) const;

  // Deeper nesting than this (brackets, prefix operators, calls) is refused
  // with an error instead of exhausting the stack.
  static constexpr int MaxNesting = 256;

 private:
  // The precedence loop at one level, opened for an operator of
  // OpenerPriority; returns the operator before which it handed back, null
  // when it ran to the end of its sub-expression.
  TOperator* ParseLevel(std::string_view Text, int& Pos, TCalcValue& Result, int OpenerPriority);
  void ParseIf(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseFunctionCall(std::string_view Text, int& Pos, int BracketPos, TOperator& Op,
                         TCalcValue& Result);

  friend class TNestingGuard;
  friend class TLevelPosition;
  friend class TEvaluationScope;
  void ReadIdentValue(std::string_view Ident, TCalcValue& Result);
  void ParseNumberForms(std::string_view Text, int& Pos, TCalcValue& Result);

 protected:
  // Takes S as the parser's locale and builds the classes of the syntax mode.
  void AdoptSettings(const TFormatSettings& S);

 private:

  // The plain expression, read in one pass.
  friend class TPlainPass;
  friend class TPlainEvaluation;
  std::unique_ptr<TPlainPass> PlainPass;
  [[gnu::noinline]] void EvaluateGeneral(std::string_view Text, TCalcValue& Result);
  void ParsePrefixOperand(std::string_view Text, int& Pos, int P, TOperator& Prefix, TCalcValue& Result);
  // Keeps the error being handled (positioned at the innermost level's read
  // position when it has no position yet) as the evaluation's outcome.
  void Fail(EParserException& E);

  int Nesting = 0;
  // The read position of the innermost level of the loop.
  int* LevelPos = nullptr;
  // The error that ended the evaluation, raised once by Evaluate.
  std::exception_ptr Error;
  // The locale's separators, as the one pass and the readers test them.
  struct TSeparators {
    char List = ',', Decimal = '.', Thousand = ',', Time = ':';
    // The decimal separator, the group mark and the time separator are three
    // different punctuation characters that no literal form reads otherwise,
    // and the list separator is a fourth.
    bool Plain = true;
  } Separators;
  static TSeparators SeparatorsOf(const TFormatSettings& Settings);
  // The binary operator read last, by where it stood: the loop reads most
  // operators twice, and the second reading is the first one's result.
  struct TOperatorRead {
    const char* Text = nullptr;
    std::size_t Size = 0;
    int Start = 0, End = 0;
    uint32_t Generation = 0;
    TOperator* Op = nullptr;
  } LastRead;
  // Where strings lie in the text being evaluated.
  TQuoteMap Quotes;
  // A name upper-cased for GetIdentValue; keeps its capacity, so reading a
  // name needs no allocation.
  std::string NameBuffer;
  // Arguments of the calls being read, shared by nested calls as one stack so a
  // calculation needs no allocation once it has grown.
  std::vector<TCalcValue> ArgStack;
};

// The value in radians by the parser's angle unit (a degrees value is always
// taken in degrees), as a stored real would read back.
Extended AngleInRadians(const TMathParser& Parser, const TCalcValue& Value);
void RadiansToAngle(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result);

}  // namespace talvex
