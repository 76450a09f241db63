// Evaluation: a recursive precedence loop over the text. Operands are read in a
// fixed order of forms; brackets, arguments and IF parts are sub-expressions
// ending at a closing bracket or a list separator.
#include "ParserLib/Cp1251.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/Scanner.h"
#include "parser/MathParser.h"
#include "parser/PlainPass.h"

namespace talvex {

// Bounds the nesting of prefix operators, which recurse without a new level.
class TNestingGuard {
 public:
  TNestingGuard(TMathParser& Parser, int Pos) : FParser(Parser) {
    if (++FParser.Nesting > TMathParser::MaxNesting) {
      --FParser.Nesting;
      throw EParserException::CreatePos(Pos, msg::BadNumberOrExpression);
    }
  }
  ~TNestingGuard() { --FParser.Nesting; }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;

 private:
  TMathParser& FParser;
};

// The innermost level's read position, for positioning its errors.
class TLevelPosition {
 public:
  TLevelPosition(TMathParser& Parser, int& Pos) : FParser(Parser), FSaved(Parser.LevelPos) { Parser.LevelPos = &Pos; }
  ~TLevelPosition() { FParser.LevelPos = FSaved; }
  TLevelPosition(const TLevelPosition&) = delete;
  TLevelPosition& operator=(const TLevelPosition&) = delete;

 private:
  TMathParser& FParser;
  int* FSaved;
};

// The state of one evaluation, saved around it and restored however it ends.
class TEvaluationScope {
 public:
  explicit TEvaluationScope(TMathParser& Parser)
      : FParser(Parser),
        FPosition(Parser.Position),
        FDepth(Parser.Depth),
        FStopDepth(Parser.StopDepth),
        FLevelPos(Parser.LevelPos),
        FError(std::move(Parser.Error)) {
    Parser.Error = nullptr;
    Parser.LastRead = {};
  }
  ~TEvaluationScope() {
    FParser.Position = FPosition;
    FParser.Depth = FDepth;
    FParser.StopDepth = FStopDepth;
    FParser.LevelPos = FLevelPos;
    FParser.Error = std::move(FError);
    FParser.LastRead = {};
    FParser.Quotes.Clear();
  }
  TEvaluationScope(const TEvaluationScope&) = delete;
  TEvaluationScope& operator=(const TEvaluationScope&) = delete;

 private:
  TMathParser& FParser;
  int FPosition, FDepth, FStopDepth;
  int* FLevelPos;
  std::exception_ptr FError;
};

namespace {

std::string_view Rest(std::string_view Text, int Pos) {
  const auto From = static_cast<std::size_t>(Pos - 1);
  return From < Text.size() ? Text.substr(From) : std::string_view();
}

std::string OneChar(char C) { return std::string(1, C); }

// Skips a stretch up to the first ListSeparator (or, with Separator 0, the
// closing bracket) that lies outside brackets and outside strings; 0 when the
// stretch runs past Limit.
int FindOutsideNesting(std::string_view Text, int From, int Limit, char Separator, char Quote) {
  int Level = 0;
  bool Quoted = false;
  for (int P = From; P <= Limit && P <= static_cast<int>(Text.size()); ++P) {
    const char C = Text[static_cast<std::size_t>(P - 1)];
    if (C == Quote) {
      Quoted = !Quoted;
    } else if (Quoted) {
      continue;
    } else if (C == '(') {
      ++Level;
    } else if (C == ')') {
      if (Level == 0 && Separator == 0) return P;
      --Level;
    } else if (C == Separator && Level == 0 && Separator != 0) {
      return P;
    }
  }
  return 0;
}

}  // namespace

void TMathParser::Evaluate(std::string_view Text, TCalcValue& Result) {
  if (Operators.empty()) InitOperators();
  if (UsePlainPass && PlainPass->Evaluate(Text, Result)) {
    ++PlainEvaluations;
    return;
  }
  EvaluateGeneral(Text, Result);
}

void TMathParser::EvaluateGeneral(std::string_view Text, TCalcValue& Result) {
  TEvaluationScope Scope(*this);
  Position = 1;
  Depth = 0;
  StopDepth = 1;
  Quotes.Build(Text, Classes.QuoteChar);
  CheckBrackets(Text, Quotes);
  ParseExpression(Text, Position, Result);
  if (Failed()) std::rethrow_exception(Error);
  // The top level ends only at the end of the text or at a list separator
  // outside brackets, and what follows that separator belongs to no call: it
  // is refused rather than dropped (1,000,000*3 is no 1).
  SkipBlanks(Position, Text, false);
  if (Position <= static_cast<int>(Text.size())) throw EParserException::CreatePos(Position, msg::BadNumberOrExpression);
}

void TMathParser::Fail(EParserException& E) {
  if (Failed()) return;  // the first error is the one reported
  if (E.Position() == -1 && LevelPos)
    Error = std::make_exception_ptr(E.At(*LevelPos));
  else
    Error = std::current_exception();
}

void TMathParser::ParseExpression(std::string_view Text, int& Pos, TCalcValue& Result) {
  // A level opened for a sub-expression never hands back early, whatever its opener.
  ParseLevel(Text, Pos, Result, prFunction);
}

TOperator* TMathParser::ParseLevel(std::string_view Text, int& Pos, TCalcValue& Result, int OpenerPriority) {
  TNestingGuard Guard(*this, Pos);
  TLevelPosition Level(*this, Pos);
  ++Depth;
  Result.Kind = vkNone;
  TOperator* Next = nullptr;  // the operator where the loop stands, unread
  try {
    ParseOperand(Text, Pos, Result);
    if (Failed()) return nullptr;
    if (Result.Kind == vkNone)
      throw EParserException::CreateFmt(msg::UnknownIdentifier, {Rest(Text, Pos)});
    TCalcValue Args[2];
    while (!AtEnd(Text, Pos, Quotes, Separators.List)) {
      TOperator& Op1 = ReadBinaryOperator(Text, Pos);
      const int P1 = Pos;
      ParseOperand(Text, Pos, Args[1]);
      if (Failed()) return nullptr;
      Args[0] = Result;
      if (AtEnd(Text, Pos, Quotes, Separators.List)) {
        Op1.Execute(Args, Result);
        continue;
      }
      const int P2 = Pos;
      TOperator& Op2 = ReadBinaryOperator(Text, Pos);
      Next = &Op2;
      if (Op2.Priority > Op1.Priority) {
        // The following operator binds tighter: re-read the right operand
        // together with everything that binds tighter than Op1.
        Pos = P1;
        Next = ParseLevel(Text, Pos, Args[1], Op1.Priority);
        if (Failed()) return nullptr;
      } else {
        Pos = P2;
      }
      Op1.Execute(Args, Result);
      // This level was opened for the caller's operator and has reached one
      // that binds no tighter: the caller applies its own first. Comparing with
      // this level's Op1 instead would hand back too early with three
      // priorities: 1+2^2*3 would be (1+2^2)*3.
      if (Depth > StopDepth && Next && Next->Priority <= OpenerPriority) break;
      Next = nullptr;
    }
    --Depth;
  } catch (EParserException& E) {
    Fail(E);
    return nullptr;
  }
  return Next;
}

void TMathParser::ParseSubExpression(std::string_view Text, int& Pos, TCalcValue& Result) {
  struct TRestore {
    TMathParser& Parser;
    const int StopDepth, Depth;
    ~TRestore() {
      Parser.StopDepth = StopDepth;
      Parser.Depth = Depth;
    }
  } Restore{*this, StopDepth, Depth};
  StopDepth = Depth + 1;
  ParseExpression(Text, Pos, Result);
  if (Failed()) return;
  SkipBlanks(Pos, Text, false);
}

TOperator& TMathParser::ReadBinaryOperator(std::string_view Text, int& Pos) {
  const TOperatorRead& Last = LastRead;
  if (Pos == Last.Start && Text.data() == Last.Text && Text.size() == Last.Size &&
      Operators.Generation() == Last.Generation) {
    Pos = Last.End;
    return *Last.Op;
  }
  const int Start = Pos;
  const std::string_view Name = ReadOperatorName(Text, Pos);
  if (Name.empty()) throw EParserException::CreatePos(Pos, msg::BadNumberOrExpression);
  const int Index = IndexOfOperator(Name, okBinary);
  if (Index < 0) return FindOperatorOrRaise(UpperCase(Name), okBinary);  // raises, naming it upper-cased
  TOperator& Op = *Operators[static_cast<std::size_t>(Index)];
  LastRead = {Text.data(), Text.size(), Start, Pos, Operators.Generation(), &Op};
  return Op;
}

// The forms are tried in their fixed order, each only where its first
// character can start it: a string at the quote, IF, a call or a name at a
// letter; a number and a prefix operator anywhere.
void TMathParser::ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result) {
  SkipBlanks(Pos, Text, true);
  ParseOperandAt(Text, Pos, Result);
}

void TMathParser::ParseOperandAt(std::string_view Text, int& Pos, TCalcValue& Result) {
  Result.Kind = vkNone;
  const TCharClasses& C = Classes;
  const char First = Text[static_cast<std::size_t>(Pos - 1)];

  if (First == '(') {
    ++Pos;
    ParseSubExpression(Text, Pos, Result);
    if (Failed()) return;
    if (CharAt(Text, Pos, false) != ')')
      throw EParserException::CreatePos(Pos, msg::Missing, {")"});
    ++Pos;
    return;
  }

  int P = Pos;
  if (First == C.QuoteChar) {
    ParseString(Text, P, Result);
    if (Result.Kind != vkNone) {
      Pos = P;
      return;
    }
  }

  if (C.IdentStart.Contains(First)) {
    int IdentEnd = Pos;
    const std::string_view Ident = ReadIdentifier(Text, IdentEnd);
    if (SameFolded(Ident, "IF")) {
      int Bracket = IdentEnd;
      SkipBlanks(Bracket, Text, false);
      if (CharAt(Text, Bracket, false) == '(') {
        Pos = Bracket;
        ParseIf(Text, Pos, Result);
        return;
      }
    }
    P = Pos;
    const std::string_view FunctionName = ReadFunctionName(Text, P);
    if (!FunctionName.empty()) {
      const int Index = IndexOfOperator(FunctionName, okFunction);
      TOperator& Function = Index >= 0 ? *Operators[static_cast<std::size_t>(Index)]
                                       : FindOperatorOrRaise(UpperCase(FunctionName), okFunction);
      ParseFunctionCall(Text, Pos, P, Function, Result);
      return;
    }
    ReadIdentValue(Ident, Result);
    if (Result.Kind != vkNone) {
      Pos = IdentEnd;
      return;
    }
  }

  P = Pos;
  ParseNumber(Text, P, Result);
  if (Result.Kind != vkNone) {
    Pos = P;
    return;
  }

  P = Pos;
  const std::string_view OperatorName = ReadOperatorName(Text, P);
  if (!OperatorName.empty()) {
    const int Index = IndexOfOperator(OperatorName, okPrefix);
    TOperator& Prefix = Index >= 0 ? *Operators[static_cast<std::size_t>(Index)]
                                   : FindOperatorOrRaise(UpperCase(OperatorName), okPrefix);
    ParsePrefixOperand(Text, Pos, P, Prefix, Result);
  }
}

// A chain of prefix operators nests without new levels of the loop; each
// link keeps its own errors, so an error at the end of a long chain is noted
// where it happens instead of unwinding the whole chain.
void TMathParser::ParsePrefixOperand(std::string_view Text, int& Pos, int P, TOperator& Prefix,
                                     TCalcValue& Result) {
  TNestingGuard Guard(*this, Pos);
  try {
    TCalcValue Operand[1];
    ParseOperand(Text, P, Operand[0]);
    if (Failed()) return;
    Prefix.Execute(Operand, Result);
    Pos = P;
  } catch (EParserException& E) {
    Fail(E);
  }
}

// Out of the recursive path, so the name's upper-casing never weighs on the
// stack of nested brackets.
void TMathParser::ReadIdentValue(std::string_view Ident, TCalcValue& Result) {
  NameBuffer.assign(Ident);
  for (char& Letter : NameBuffer) Letter = static_cast<char>(FoldCp1251(Letter));
  GetIdentValue(NameBuffer, Result);
}

// IF(Cond; Then; Else): only the chosen branch is evaluated.
void TMathParser::ParseIf(std::string_view Text, int& Pos, TCalcValue& Result) {
  const char List = Separators.List;
  ++Pos;  // the opening bracket
  const int Close = FindOutsideNesting(Text, Pos, static_cast<int>(Text.size()), 0, Classes.QuoteChar);
  if (Close == 0)
    throw EParserException::CreatePos(static_cast<int>(Text.size()) + 1, msg::UnexpectedEnd);

  TCalcValue Condition;
  ParseSubExpression(Text, Pos, Condition);
  if (Failed()) return;
  if (CharAt(Text, Pos, false) != List)
    throw EParserException::CreatePos(Pos, msg::Missing, {OneChar(List)});
  ++Pos;

  if (AsBoolean(Condition)) {
    ParseSubExpression(Text, Pos, Result);
    if (Failed()) return;
    Pos = Close + 1;
    return;
  }
  // Skip the Then part as a sub-expression: separators inside its brackets or
  // strings belong to it.
  const int Separator = FindOutsideNesting(Text, Pos, Close, List, Classes.QuoteChar);
  if (Separator == 0)
    throw EParserException::CreatePos(Pos, msg::Missing, {OneChar(List)});
  Pos = Separator + 1;
  ParseSubExpression(Text, Pos, Result);
  if (Failed()) return;
  ++Pos;  // the closing bracket, not checked
}

void TMathParser::ParseFunctionCall(std::string_view Text, int& Pos, int BracketPos,
                                    TOperator& Op, TCalcValue& Result) {
  const auto& Function = static_cast<const TFunction&>(Op);
  const char List = Separators.List;
  const std::size_t Base = ArgStack.size();
  struct TArgStackRelease {
    std::vector<TCalcValue>& Stack;
    std::size_t Base;
    ~TArgStackRelease() { Stack.resize(Base); }
  } Release{ArgStack, Base};

  int P = BracketPos + 1;
  // False after an error in the argument.
  const auto ReadArgument = [&] {
    TCalcValue Argument;
    ParseSubExpression(Text, P, Argument);
    if (Failed()) return false;
    ArgStack.push_back(Argument);
    return true;
  };

  if (Function.ArgCount < 0) {
    if (!ReadArgument()) return;
    while (CharAt(Text, P, false) == List) {
      ++P;
      if (!ReadArgument()) return;
    }
    ++P;  // the closing bracket, not checked
  } else {
    for (int I = 0; I < Function.ArgCount; ++I) {
      if (!ReadArgument()) return;
      const char Expected = I + 1 < Function.ArgCount ? List : ')';
      if (CharAt(Text, P, false) != Expected)
        throw EParserException::CreatePos(P, msg::Missing, {OneChar(Expected)});
      ++P;
    }
    // Errors of a fixed-count function are reported after its closing bracket,
    // those of a variadic one at the start of its name.
    Pos = P;
  }
  const std::span<const TCalcValue> Arguments = std::span<const TCalcValue>(ArgStack).subspan(Base);
  if (!Op.IsUserFunction()) {
    Op.Execute(Arguments, Result);
    Pos = P;
    return;
  }
  try {
    Op.Execute(Arguments, Result);
  } catch (const EParserException& E) {
    throw EParserException::CreateWithDetail(msg::BadUserFunction, {Op.UpperName}, E);
  }
  Pos = P;
}

}  // namespace talvex
