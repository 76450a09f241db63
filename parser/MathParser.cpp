#include "parser/MathParser.h"

#include "ParserLib/Cp1251.h"
#include "ParserLib/Exact.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/RealMath.h"
#include "parser/PlainPass.h"

namespace talvex {

TMathParser::TMathParser() : PlainPass(std::make_unique<TPlainPass>(*this)) {
  // Room for what typical expressions need, so that even the first one
  // evaluates without allocating.
  ArgStack.reserve(16);
  AdoptSettings(FormatSettings());
  NameBuffer.reserve(64);
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

TMathParser::TSeparators TMathParser::SeparatorsOf(const TFormatSettings& Settings) {
  // Punctuation that no literal form gives a meaning of its own.
  const auto Plain = [](char C) {
    const auto U = static_cast<unsigned char>(C);
    const bool Letter = (U >= 'A' && U <= 'Z') || (U >= 'a' && U <= 'z') || U >= 192;
    return U > ' ' && !(U >= '0' && U <= '9') && !Letter && std::string_view("+-*/^'%{}\"()").find(C) == std::string_view::npos;
  };
  const char D = Settings.DecimalSeparator, G = Settings.ThousandSeparator, T = Settings.TimeSeparator,
             L = Settings.ListSeparator;
  return {L, D, G, T,
          Plain(D) && Plain(G) && Plain(T) && Plain(L) && D != G && D != T && G != T && L != D && L != G && L != T};
}

void TMathParser::AdoptSettings(const TFormatSettings& S) {
  Settings = S;
  Classes = BuildCharClasses(Settings, Syntax == smPascal, Syntax == smC);
  Separators = SeparatorsOf(Settings);
}

void TMathParser::GetIdentValue(std::string_view UpperName, TCalcValue& Result) {
  const int Index = IndexOfOperator(UpperName, okConstFunction);
  if (Index >= 0) {
    TCalcValue Scratch[1];
    Operators[static_cast<std::size_t>(Index)]->Execute(Scratch, Result);
    return;
  }
  GetVariable(Variables, UpperName, false, Result);
}

void TMathParser::SetSyntax(TSyntaxMode Mode) {
  if (Mode == Syntax) return;
  Syntax = Mode;
  InitOperators();
}

TOperator& TMathParser::FindOperatorOrRaise(std::string_view Name, TOperatorKind Kind) const {
  const int Index = IndexOfOperator(Name, Kind);
  if (Index < 0)
    throw EParserException::CreateFmt(Kind == okBinary ? msg::UnknownOperator : msg::UnknownIdentifier, {Name});
  return *Operators[static_cast<std::size_t>(Index)];
}

TOperator& TMathParser::FindFunction(std::string_view Name, TOperatorKind Kind) const {
  const int Index = IndexOfOperator(Name, Kind);
  if (Index < 0) throw EParserException::CreateFmt(msg::FunctionNotFound, {Name});
  return *Operators[static_cast<std::size_t>(Index)];
}

void TMathParser::AddOperator(std::unique_ptr<TOperator> Op) { Operators.push_back(std::move(Op)); }

Extended AngleInRadians(const TMathParser& Parser, const TCalcValue& Value) {
  // As a stored value reads back: whole values (and -0) as their integers.
  const auto Kept = [](Extended X) {
    int64_t N = 0;
    return IsStoredAsInteger(X, N) ? static_cast<Extended>(N) : X;
  };
  if (Value.Kind == vkDegrees)
    return Kept(CheckReal(static_cast<Extended>(Value.ArcSeconds) / 3600 * DegreesToRadians));
  const Extended X = AsReal(Value);
  switch (Parser.AngleUnit) {
    case auDegrees: return Kept(CheckReal(X * DegreesToRadians));
    case auGrads: return Kept(CheckReal(X * GradsToRadians));
    default: return Value.Kind == vkReal || Value.Kind == vkInteger ? X : Kept(X);  // those read back as they are
  }
}

void RadiansToAngle(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result) {
  switch (Parser.AngleUnit) {
    case auDegrees: SetReal(Result, CheckReal(AsReal(Value) * RadiansToDegrees)); break;
    case auGrads: SetReal(Result, CheckReal(AsReal(Value) * RadiansToGrads)); break;
    default: SetReal(Result, AsReal(Value, true, Parser.Settings)); break;
  }
}

}  // namespace talvex
