// Evaluation: a recursive precedence loop over the text. Operands are read in a
// fixed order of forms; brackets, arguments and IF parts are sub-expressions
// ending at a closing bracket or a list separator.
#include "ParserLib/Cp1251.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Scanner.h"
#include "parser/MathParser.h"
#include "parser/Messages.h"

namespace talvex {

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

namespace {

std::string_view Rest(std::string_view Text, int Pos) {
  const auto From = static_cast<std::size_t>(Pos - 1);
  return From < Text.size() ? Text.substr(From) : std::string_view();
}

std::string OneChar(char C) { return std::string(1, C); }

// Skips a stretch up to the first ListSeparator (or, with Separator 0, the
// closing bracket) that lies outside brackets and outside strings; 0 when the
// stretch runs past Limit.
int FindOutsideNesting(std::string_view Text, int From, int Limit, char Separator) {
  const char Quote = CharClasses().QuoteChar;
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

void CheckBrackets(std::string_view Text) {
  TQuoteMap Quotes;
  Quotes.Build(Text);
  CheckBrackets(Text, Quotes);
}

void TMathParser::Evaluate(std::string_view Text, TCalcValue& Result) {
  if (Operators.empty()) InitOperators();
  const int SavedPosition = Position, SavedDepth = Depth, SavedStopDepth = StopDepth;
  Position = 1;
  Depth = 0;
  StopDepth = 1;
  try {
    Quotes.Build(Text);
    CheckBrackets(Text, Quotes);
    ParseExpression(Text, Position, Result);
  } catch (...) {
    Position = SavedPosition;
    Depth = SavedDepth;
    StopDepth = SavedStopDepth;
    Quotes.Clear();
    throw;
  }
  Position = SavedPosition;
  Depth = SavedDepth;
  StopDepth = SavedStopDepth;
  Quotes.Clear();
}

void TMathParser::ParseExpression(std::string_view Text, int& Pos, TCalcValue& Result) {
  TNestingGuard Guard(*this, Pos);
  ++Depth;
  Result.Kind = vkNone;
  try {
    ParseOperand(Text, Pos, Result);
    if (Result.Kind == vkNone)
      throw EParserException::CreateFmt(msg::UnknownIdentifier, {Rest(Text, Pos)});
    TCalcValue Args[2];
    while (!AtEnd(Text, Pos, Quotes)) {
      TOperator& Op1 = ReadBinaryOperator(Text, Pos);
      const int P1 = Pos;
      ParseOperand(Text, Pos, Args[1]);
      Args[0] = Result;
      if (AtEnd(Text, Pos, Quotes)) {
        Op1.Execute(Args, Result);
        continue;
      }
      const int P2 = Pos;
      TOperator& Op2 = ReadBinaryOperator(Text, Pos);
      LastOperator = &Op2;
      if (Op2.Priority > Op1.Priority) {
        // The following operator binds tighter: re-read the right operand
        // together with everything that binds tighter than Op1.
        Pos = P1;
        ParseExpression(Text, Pos, Args[1]);
      } else {
        Pos = P2;
      }
      Op1.Execute(Args, Result);
      // This level was opened for an operator binding tighter than what follows:
      // the caller applies its own operator first.
      if (Depth > StopDepth && LastOperator->Priority < Op1.Priority) break;
    }
    --Depth;
  } catch (EParserException& E) {
    if (E.Position == -1) throw EParserException::CreatePos(Pos, E.Message());
    throw;
  }
}

void TMathParser::ParseSubExpression(std::string_view Text, int& Pos, TCalcValue& Result) {
  const int SavedStopDepth = StopDepth, SavedDepth = Depth;
  StopDepth = Depth + 1;
  try {
    ParseExpression(Text, Pos, Result);
  } catch (...) {
    StopDepth = SavedStopDepth;
    Depth = SavedDepth;
    throw;
  }
  StopDepth = SavedStopDepth;
  Depth = SavedDepth;
  SkipBlanks(Pos, Text, false);
}

TOperator& TMathParser::ReadBinaryOperator(std::string_view Text, int& Pos) {
  const std::string Name = ReadOperatorName(Text, Pos);
  if (Name.empty()) throw EParserException::CreatePos(Pos, msg::BadNumberOrExpression);
  return FindOperatorOrRaise(Name, okBinary);
}

void TMathParser::ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result) {
  Result.Kind = vkNone;
  SkipBlanks(Pos, Text, true);

  if (CharAt(Text, Pos, false) == '(') {
    ++Pos;
    ParseSubExpression(Text, Pos, Result);
    if (CharAt(Text, Pos, false) != ')')
      throw EParserException::CreatePos(Pos, FormatMessage(msg::Missing, {")"}));
    ++Pos;
    return;
  }

  int P = Pos;
  ParseString(Text, P, Result);
  if (Result.Kind != vkNone) {
    Pos = P;
    return;
  }

  int IdentEnd = Pos;
  const std::string_view Ident = ReadIdentifier(Text, IdentEnd);
  if (SameTextCp1251(Ident, "IF")) {
    int Bracket = IdentEnd;
    SkipBlanks(Bracket, Text, false);
    if (CharAt(Text, Bracket, false) == '(') {
      Pos = Bracket;
      ParseIf(Text, Pos, Result);
      return;
    }
  }

  P = Pos;
  const std::string FunctionName = ReadFunctionName(Text, P);
  if (!FunctionName.empty()) {
    TOperator& Function = FindOperatorOrRaise(FunctionName, okFunction);
    ParseFunctionCall(Text, Pos, P, Function, Result);
    return;
  }

  if (!Ident.empty()) {
    GetIdentValue(UpperCase(Ident), Result);
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
  const std::string OperatorName = ReadOperatorName(Text, P);
  if (!OperatorName.empty()) {
    TOperator& Prefix = FindOperatorOrRaise(OperatorName, okPrefix);
    TNestingGuard Guard(*this, Pos);
    TCalcValue Operand[1];
    ParseOperand(Text, P, Operand[0]);
    Prefix.Execute(Operand, Result);
    Pos = P;
  }
}

// IF(Cond; Then; Else): only the chosen branch is evaluated.
void TMathParser::ParseIf(std::string_view Text, int& Pos, TCalcValue& Result) {
  const char List = FormatSettings().ListSeparator;
  ++Pos;  // the opening bracket
  const int Close = FindOutsideNesting(Text, Pos, static_cast<int>(Text.size()), 0);
  if (Close == 0)
    throw EParserException::CreatePos(static_cast<int>(Text.size()) + 1, msg::UnexpectedEnd);

  TCalcValue Condition;
  ParseSubExpression(Text, Pos, Condition);
  if (CharAt(Text, Pos, false) != List)
    throw EParserException::CreatePos(Pos, FormatMessage(msg::Missing, {OneChar(List)}));
  ++Pos;

  if (AsBoolean(Condition)) {
    ParseSubExpression(Text, Pos, Result);
    Pos = Close + 1;
    return;
  }
  // Skip the Then part as a sub-expression: separators inside its brackets or
  // strings belong to it.
  const int Separator = FindOutsideNesting(Text, Pos, Close, List);
  if (Separator == 0)
    throw EParserException::CreatePos(Pos, FormatMessage(msg::Missing, {OneChar(List)}));
  Pos = Separator + 1;
  ParseSubExpression(Text, Pos, Result);
  ++Pos;  // the closing bracket, not checked
}

void TMathParser::ParseFunctionCall(std::string_view Text, int& Pos, int BracketPos,
                                    TOperator& Op, TCalcValue& Result) {
  const auto& Function = static_cast<const TFunction&>(Op);
  const char List = FormatSettings().ListSeparator;
  const std::size_t Base = ArgStack.size();
  struct TArgStackRelease {
    std::vector<TCalcValue>& Stack;
    std::size_t Base;
    ~TArgStackRelease() { Stack.resize(Base); }
  } Release{ArgStack, Base};

  int P = BracketPos + 1;
  const auto ReadArgument = [&] {
    TCalcValue Argument;
    ParseSubExpression(Text, P, Argument);
    ArgStack.push_back(Argument);
  };

  if (Function.ArgCount < 0) {
    ReadArgument();
    while (CharAt(Text, P, false) == List) {
      ++P;
      ReadArgument();
    }
    ++P;  // the closing bracket, not checked
  } else {
    for (int I = 0; I < Function.ArgCount; ++I) {
      ReadArgument();
      const char Expected = I + 1 < Function.ArgCount ? List : ')';
      if (CharAt(Text, P, false) != Expected)
        throw EParserException::CreatePos(P, FormatMessage(msg::Missing, {OneChar(Expected)}));
      ++P;
    }
    // Errors of a fixed-count function are reported after its closing bracket,
    // those of a variadic one at the start of its name.
    Pos = P;
  }
  try {
    Op.Execute(std::span<const TCalcValue>(ArgStack).subspan(Base), Result);
  } catch (EParserException& E) {
    if (!Op.IsUserFunction()) throw;
    std::string Prefixed = FormatMessage(msg::BadUserFunction, {Op.UpperName});
    Prefixed += "\n\r";
    Prefixed += E.Message();
    E.SetMessage(std::move(Prefixed));
    throw;
  }
  Pos = P;
}

}  // namespace talvex
