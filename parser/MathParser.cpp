#include "parser/MathParser.h"

#include "ParserLib/Cp1251.h"
#include "ParserLib/Exact.h"
#include "parser/Messages.h"

namespace talvex {

TOperator::TOperator(TMathParser* AParser, std::string_view AName, TOperatorKind AOpKind,
                     int APriority, TOperatorProc AProc)
    : Parser(AParser),
      Priority(APriority),
      UpperName(UpperCase(AName)),
      Name(AName),
      OpKind(AOpKind),
      Proc(AProc) {}

void TOperator::Run(std::span<const TCalcValue> Args, TCalcValue& Result,
                    std::string_view ErrorFormat) {
  try {
    Proc(Args, *this, Result);
  } catch (const EParserException&) {
    throw;
  } catch (const Exception&) {
    throw EParserException::CreateFmt(ErrorFormat, {Name});
  }
}

void TOperator::Execute(std::span<const TCalcValue> Args, TCalcValue& Result) {
  Run(Args, Result, msg::BadOperatorArgument);
}

TFunction::TFunction(TMathParser* AParser, std::string_view AName, int AArgCount,
                     TOperatorProc AProc)
    : TOperator(AParser, AName, AArgCount == 0 ? okConstFunction : okFunction, 4, AProc),
      ArgCount(AArgCount) {}

void TFunction::Execute(std::span<const TCalcValue> Args, TCalcValue& Result) {
  Run(Args, Result, msg::BadFunctionArgument);
}

void SetVariable(TVariableList& List, std::string_view Name, const TCalcValue& Value) {
  const int Index = IndexOfVariable(List, Name);
  if (Index >= 0) {
    List[static_cast<std::size_t>(Index)].Value = Value;
    return;
  }
  std::string Upper = UpperCase(Name.substr(0, 255));
  List.push_back({Value, std::move(Upper)});
}

void GetVariable(const TVariableList& List, std::string_view Name, bool RaiseIfMissing,
                 TCalcValue& Value) {
  Value.Kind = vkNone;
  const int Index = IndexOfVariable(List, Name);
  if (Index >= 0) {
    Value = List[static_cast<std::size_t>(Index)].Value;
  } else if (RaiseIfMissing) {
    throw EParserException::CreateFmt(msg::VariableNotFound, {Name});
  }
}

int IndexOfVariable(const TVariableList& List, std::string_view Name) {
  for (std::size_t I = 0; I < List.size(); ++I)
    if (SameTextCp1251(List[I].Name, Name)) return static_cast<int>(I);
  return -1;
}

TMathParser::TMathParser() {
  // DefineConstants is virtual; a subclass's own constants come from its constructor.
  TMathParser::DefineConstants();
}

TMathParser::~TMathParser() = default;

void TMathParser::DefineConstants() {
  TCalcValue V;
  SetBoolean(V, true);
  SetVariable(Variables, "TRUE", V);
  SetBoolean(V, false);
  SetVariable(Variables, "FALSE", V);
  SetReal(V, 3.1415926535897932385L);
  SetVariable(Variables, "PI", V);
  SetNull(V);
  SetVariable(Variables, "NULL", V);
}

void TMathParser::SetSyntax(TSyntaxMode Mode) {
  if (Mode == Syntax) return;
  Syntax = Mode;
  InitOperators();
}

int TMathParser::IndexOfOperator(std::string_view Name, TOperatorKind Kind) const {
  for (std::size_t I = 0; I < Operators.size(); ++I) {
    const TOperator& Op = *Operators[I];
    if ((Kind == okAny || Op.OpKind == Kind) && SameTextCp1251(Op.UpperName, Name))
      return static_cast<int>(I);
  }
  return -1;
}

TOperator& TMathParser::FindOperatorOrRaise(std::string_view Name, TOperatorKind Kind) const {
  const int Index = IndexOfOperator(Name, Kind);
  if (Index < 0)
    throw EParserException::CreateFmt(Kind == okBinary ? msg::UnknownOperator.View()
                                                       : msg::UnknownIdentifier.View(),
                                      {Name});
  return *Operators[static_cast<std::size_t>(Index)];
}

TOperator& TMathParser::FindFunction(std::string_view Name, TOperatorKind Kind) const {
  const int Index = IndexOfOperator(Name, Kind);
  if (Index < 0) throw EParserException::CreateFmt(msg::FunctionNotFound, {Name});
  return *Operators[static_cast<std::size_t>(Index)];
}

void TMathParser::AddOperator(std::unique_ptr<TOperator> Op) { Operators.push_back(std::move(Op)); }

void AngleToRadians(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result) {
  constexpr Extended DegToRad = 0.017453292519943295769L;
  constexpr Extended GradToRad = 0.015707963267948966192L;
  if (Value.Kind == vkDegrees) {
    SetReal(Result, CheckReal(static_cast<Extended>(Value.ArcSeconds) / 3600 * DegToRad));
    return;
  }
  const Extended X = AsReal(Value);
  switch (Parser.AngleUnit) {
    case 0: SetReal(Result, CheckReal(X * DegToRad)); break;
    case 2: SetReal(Result, CheckReal(X * GradToRad)); break;
    default: SetReal(Result, X); break;
  }
}

void RadiansToAngle(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result) {
  constexpr Extended RadToDeg = 57.295779513082320877L;
  constexpr Extended RadToGrad = 63.661977236758134305L;
  switch (Parser.AngleUnit) {
    case 0: SetReal(Result, CheckReal(AsReal(Value) * RadToDeg)); break;
    case 2: SetReal(Result, CheckReal(AsReal(Value) * RadToGrad)); break;
    default: SetReal(Result, AsReal(Value, true)); break;
  }
}

}  // namespace talvex
