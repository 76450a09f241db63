// The parser object: its settings, its descriptor table and variables, and
// the evaluation (a single left-to-right pass that parses and computes at
// once, without a syntax tree). Members are defined by theme: the evaluator in
// Evaluate.cpp, the token readers in TokenReaders.cpp, the one pass over plain
// expressions in PlainPass.cpp, everything else in MathParser.cpp.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ParserLib/CharClasses.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/ParserException.h"
#include "ParserLib/Scanner.h"
#include "parser/Descriptors.h"
#include "parser/Value.h"
#include "parser/Variables.h"

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

// The unit in which trigonometric functions take and return angles; any other
// value counts as radians.
enum TAngleUnit : int32_t {
  auDegrees = 0,
  auRadians = 1,
  auGrads = 2,
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

class TPlainPass;

class TMathParser {
 public:
  TMathParser();
  virtual ~TMathParser();
  TMathParser(const TMathParser&) = delete;
  TMathParser& operator=(const TMathParser&) = delete;

  // Settings and evaluation state.
  int Position = 0;
  TAngleUnit AngleUnit = auDegrees;
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

  // Deeper nesting than this (brackets, prefix operators, calls) is refused
  // with an error instead of exhausting the stack.
  static constexpr int MaxNesting = 256;

  // The parser object (MathParser.cpp).
  void SetSyntax(TSyntaxMode Mode);
  int IndexOfOperator(std::string_view Name, TOperatorKind Kind) const { return Operators.IndexOf(Name, Kind); }
  TOperator& FindOperatorOrRaise(std::string_view Name, TOperatorKind Kind) const;
  TOperator& FindFunction(std::string_view Name, TOperatorKind Kind) const;
  void AddOperator(std::unique_ptr<TOperator> Op);
  virtual void GetIdentValue(std::string_view UpperName, TCalcValue& Result);
  virtual void InitOperators() = 0;
  virtual void DefineConstants();

  // The evaluator (Evaluate.cpp). An error inside the evaluation does not
  // unwind the recursion: the level that meets it keeps it and every level
  // above returns at once. After an error Failed() holds, and Evaluate
  // raises the error kept.
  void Evaluate(std::string_view Text, TCalcValue& Result);
  void ParseExpression(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseSubExpression(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result);
  // ParseOperand from a position already past the blanks and inside the text.
  void ParseOperandAt(std::string_view Text, int& Pos, TCalcValue& Result);
  TOperator& ReadBinaryOperator(std::string_view Text, int& Pos);
  bool Failed() const { return Error != nullptr; }

  // The token readers (TokenReaders.cpp). The two name readers return the
  // name as written, a view into Text: names are looked up in any case and
  // shown upper-cased in messages.
  virtual void ParseNumber(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual std::string_view ReadOperatorName(std::string_view Text, int& Pos);
  virtual std::string_view ReadFunctionName(std::string_view Text, int& Pos);
  virtual void ParseString(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseDateTime(std::string_view Text, int& Pos, TCalcValue& Result);
  virtual void ParseDegrees(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseDecimal(std::string_view Text, int& Pos, TCalcValue& Result);
  bool ReadPlainNumber(std::string_view Text, int& Pos, TCalcValue& Result, bool DefaultSyntax) const;

 protected:
  // Takes S as the parser's locale and builds the classes of the syntax mode.
  void AdoptSettings(const TFormatSettings& S);

 private:
  friend class TNestingGuard;
  friend class TLevelPosition;
  friend class TEvaluationScope;
  friend class TPlainPass;
  friend class TPlainEvaluation;

  // The evaluator (Evaluate.cpp).
  [[gnu::noinline]] void EvaluateGeneral(std::string_view Text, TCalcValue& Result);
  // The precedence loop at one level, opened for an operator of
  // OpenerPriority; returns the operator before which it handed back, null
  // when it ran to the end of its sub-expression.
  TOperator* ParseLevel(std::string_view Text, int& Pos, TCalcValue& Result, int OpenerPriority);
  void ParsePrefixOperand(std::string_view Text, int& Pos, int P, TOperator& Prefix, TCalcValue& Result);
  void ParseIf(std::string_view Text, int& Pos, TCalcValue& Result);
  void ParseFunctionCall(std::string_view Text, int& Pos, int BracketPos, TOperator& Op, TCalcValue& Result);
  void ReadIdentValue(std::string_view Ident, TCalcValue& Result);
  // Keeps the error being handled (positioned at the innermost level's read
  // position when it has no position yet) as the evaluation's outcome.
  void Fail(EParserException& E);

  // The token readers (TokenReaders.cpp).
  void ParseNumberForms(std::string_view Text, int& Pos, TCalcValue& Result);

  // The locale's separators, as the one pass and the readers test them.
  struct TSeparators {
    char List = ',', Decimal = '.', Thousand = ',', Time = ':';
    // The decimal separator, the group mark and the time separator are three
    // different punctuation characters that no literal form reads otherwise,
    // and the list separator is a fourth.
    bool Plain = true;
  } Separators;
  static TSeparators SeparatorsOf(const TFormatSettings& Settings);

  // The one pass over plain expressions (PlainPass.cpp).
  std::unique_ptr<TPlainPass> PlainPass;

  // The state of one evaluation.
  int Nesting = 0;
  // The read position of the innermost level of the loop.
  int* LevelPos = nullptr;
  // The error that ended the evaluation, raised once by Evaluate.
  std::exception_ptr Error;
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
