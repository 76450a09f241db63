#include "parser/CalcParser.h"

#include "ParserLib/CharClasses.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/Scanner.h"
#include "parser/OperatorTable.h"

namespace talvex {

int CellIndexOfName(std::string_view Name) {
  if (Name.size() < 2 || Name.size() > 3 || Name[0] != 'M') return -1;
  if (Name.size() == 3 && Name[1] == '0') return -1;
  int N = 0;
  for (std::size_t I = 1; I < Name.size(); ++I) {
    if (Name[I] < '0' || Name[I] > '9') return -1;
    N = N * 10 + (Name[I] - '0');
  }
  return N;
}

void TCalcParser::DefineVariable(std::string_view Name, const TCalcValue& Value) {
  SetVariable(Variables, Name, Value);
}

void TCalcParser::GetIdentValue(std::string_view UpperName, TCalcValue& Result) {
  const int Cell = CellIndexOfName(UpperName);
  if (Cell >= 0) {
    if (Cells[static_cast<std::size_t>(Cell)].Kind == vkNone) throw EParserException::Create(msg::EmptyCell);
    Result = Cells[static_cast<std::size_t>(Cell)];
    return;
  }
  TMathParser::GetIdentValue(UpperName, Result);
}

void TCalcParser::ParseOperand(std::string_view Text, int& Pos, TCalcValue& Result) {
  // The blanks skipped here are the ones the operand forms would skip.
  SkipBlanks(Pos, Text, true);
  const char First = Text[static_cast<std::size_t>(Pos - 1)];
  if (First >= '0' && First <= '9') {
    // A digit starts no other form than a number: this is what the operand
    // forms would come to first (and, finding no number, they try again).
    int P = Pos;
    ParseNumber(Text, P, Result);
    if (Result.Kind != vkNone) {
      Pos = P;
      return;
    }
  } else if (Classes.IdentStart.Contains(First)) {
    // Only a name can be assigned.
    if (ParseAssignment(Text, Pos, Pos, Result)) return;
  }
  ParseOperandAt(Text, Pos, Result);
}

bool TCalcParser::ParseAssignment(std::string_view Text, int& Pos, int P, TCalcValue& Result) {
  const std::string_view Name = ReadIdentifier(Text, P);
  SkipBlanks(P, Text, false);
  const char First = CharAt(Text, P, false), Second = CharAt(Text, P + 1, false);
  int RightSide = 0;
  if (First == ':' && Second == '=') {
    RightSide = P + 2;
  } else if (Syntax == smC && First == '=' && Second != '=') {
    // In the C syntax a single "=" after a name assigns; "==" after a name
    // stays the comparison, as a C reader expects.
    RightSide = P + 1;
  }
  if (RightSide == 0) return false;
  TCalcValue Value;
  ParseSubExpression(Text, RightSide, Value);
  if (Failed()) return true;
  DefineVariable(Name, Value);
  Pos = RightSide;
  SetNull(Result);
  return true;
}

void TCalcParser::InitOperators() {
  // Settings that fail the check leave the parser as it was.
  CheckLocaleSeparators(FormatSettings());
  AdoptSettings(FormatSettings());
  Operators.RemoveIf([](const TOperator& Op) { return !Op.IsUserFunction(); });
  RegisterOperators(*this);
  for (const TFunctionRow& Row : FFunctions)
    AddOperator(std::make_unique<TFunction>(this, Row.Name, Row.ArgCount, Row.Proc, Row.Computing));
}

}  // namespace talvex
