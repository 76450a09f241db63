// The parser object: settings, the descriptor table of operators and
// functions, the variables, and the evaluation machinery (a single
// left-to-right pass that parses and computes at once, without a syntax tree).
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ParserLib/Scanner.h"
#include "parser/ParserException.h"
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

class TMathParser;
class TOperator;

// The one callback contract of operators and functions: the evaluated
// arguments (copies, in source order), the descriptor, the result to fill.
using TOperatorProc = void (*)(std::span<const TCalcValue> Args, TOperator& Op, TCalcValue& Result);

class TOperator {
 public:
  TOperator(TMathParser* Parser, std::string_view Name, TOperatorKind OpKind, int Priority,
            TOperatorProc Proc);
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

 protected:
  void Run(std::span<const TCalcValue> Args, TCalcValue& Result, std::string_view ErrorFormat);
};

class TFunction : public TOperator {
 public:
  // ArgCount: the exact count, -1 for one or more, 0 for a bare name.
  TFunction(TMathParser* Parser, std::string_view Name, int ArgCount, TOperatorProc Proc);
  void Execute(std::span<const TCalcValue> Args, TCalcValue& Result) override;

  int ArgCount;
};

// Nothing in the system creates one, but the table keeps them first across
// rebuilds, so a user function would hide a built-in one of the same name.
class TUserFunction : public TFunction {
 public:
  using TFunction::TFunction;
  bool IsUserFunction() const override { return true; }
};

struct TVariable {
  TCalcValue Value;
  std::string Name;  // upper-cased, at most 255 characters
};
using TVariableList = std::vector<TVariable>;

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
  TOperator* LastOperator = nullptr;
  std::vector<std::unique_ptr<TOperator>> Operators;
  TVariableList Variables;

  void SetSyntax(TSyntaxMode Mode);
  void Evaluate(std::string_view Text, TCalcValue& Result);

  int IndexOfOperator(std::string_view Name, TOperatorKind Kind) const;
  TOperator& FindOperatorOrRaise(std::string_view Name, TOperatorKind Kind) const;
  TOperator& FindFunction(std::string_view Name, TOperatorKind Kind) const;
  void AddOperator(std::unique_ptr<TOperator> Op);

  // The token readers and the overridable steps of evaluation.
  virtual void GetIdentValue(std::string_view UpperName, TCalcValue& Result);
  virtual void ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseNumber(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual std::string ReadOperatorName(std::string_view Text, int& Pos);
  virtual std::string ReadFunctionName(std::string_view Text, int& Pos);
  virtual void ParseString(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseDateTime(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseDegrees(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void InitOperators() = 0;
  virtual void DefineConstants();

  void ParseExpression(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseSubExpression(std::string_view Text, int& Pos, TCalcValue& Result);
  TOperator& ReadBinaryOperator(std::string_view Text, int& Pos);
  void ParseDecimal(std::string_view Text, int& Pos, TCalcValue& Result);

  // Deeper nesting than this (brackets, prefix operators, calls) is refused
  // with an error instead of exhausting the stack.
  static constexpr int MaxNesting = 256;

 private:
  void ParseIf(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseFunctionCall(std::string_view Text, int& Pos, int BracketPos, TOperator& Op,
                         TCalcValue& Result);

  friend class TNestingGuard;
  int Nesting = 0;
  // Where strings lie in the text being evaluated.
  TQuoteMap Quotes;
  // Arguments of the calls being read, shared by nested calls as one stack so a
  // calculation needs no allocation once it has grown.
  std::vector<TCalcValue> ArgStack;
};

void CheckBrackets(std::string_view Text);
void AngleToRadians(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result);
void RadiansToAngle(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result);

}  // namespace talvex
