#include "parser/MathParser.h"

#include "ParserLib/Cp1251.h"
#include "ParserLib/Exact.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/RealMath.h"
#include "ParserLib/Messages.h"
#include "parser/PlainPass.h"

namespace talvex {

TOperator::TOperator(TMathParser* AParser, std::string_view AName, TOperatorKind AOpKind,
                     int APriority, TOperatorProc AProc, TNumericStep AStep)
    : Parser(AParser),
      Priority(APriority),
      UpperName(UpperCase(AName)),
      Name(AName),
      OpKind(AOpKind),
      Proc(AProc),
      Step(AStep) {}

void TOperator::Run(std::span<const TCalcValue> Args, TCalcValue& Result,
                    const TMessage& Error) {
  try {
    Proc(Args, *this, Result);
  } catch (const EParserException&) {
    throw;
  } catch (const Exception&) {
    throw EParserException::CreateFmt(Error, {Name});
  }
}

void TOperator::Execute(std::span<const TCalcValue> Args, TCalcValue& Result) {
  Run(Args, Result, msg::BadOperatorArgument);
}

TFunction::TFunction(TMathParser* AParser, std::string_view AName, int AArgCount, TOperatorProc AProc,
                     bool AComputing)
    : TOperator(AParser, AName, AArgCount == 0 ? okConstFunction : okFunction, prFunction, AProc),
      ArgCount(AArgCount),
      Computing(AComputing) {}

void TFunction::Execute(std::span<const TCalcValue> Args, TCalcValue& Result) {
  Run(Args, Result, msg::BadFunctionArgument);
}

void TOperatorList::push_back(std::unique_ptr<TOperator> Op) {
  ++Changes;
  Items.push_back(std::move(Op));
  IndexLast();
}

void TOperatorList::clear() {
  ++Changes;
  Items.clear();
  Index.Clear();
  SingleChar = EmptySingleChar();
}

std::array<std::array<int32_t, 256>, okAny + 1> TOperatorList::EmptySingleChar() {
  std::array<std::array<int32_t, 256>, okAny + 1> Table;
  for (auto& Row : Table) Row.fill(-1);
  return Table;
}

int TOperatorList::IndexOfLong(std::string_view Name, TOperatorKind Kind) const {
  return Index.Find(Name, Kind, [this](int32_t P) -> std::string_view { return Items[static_cast<std::size_t>(P)]->UpperName; });
}

void TOperatorList::Reindex() {
  ++Changes;
  Index.Clear();
  SingleChar = EmptySingleChar();
  const std::size_t Count = Items.size();
  // Re-adding in list order keeps the first descriptor of each name and kind.
  TItems Kept;
  Kept.swap(Items);
  for (std::size_t I = 0; I < Count; ++I) {
    Items.push_back(std::move(Kept[I]));
    IndexLast();
  }
}

void TOperatorList::IndexLast() {
  const auto Position = static_cast<int32_t>(Items.size() - 1);
  const TOperator& Op = *Items.back();
  const auto NameAt = [this](int32_t P) -> std::string_view { return Items[static_cast<std::size_t>(P)]->UpperName; };
  if (Op.UpperName.size() == 1) {
    // The first registered of a name and kind wins, as everywhere.
    const unsigned char C = FoldCp1251(Op.UpperName[0]);
    if (SingleChar[okAny][C] < 0) SingleChar[okAny][C] = Position;
    if (Op.OpKind > okAny)
      Index.Add(Op.UpperName, Op.OpKind, Position, NameAt);
    else if (SingleChar[Op.OpKind][C] < 0)
      SingleChar[Op.OpKind][C] = Position;
    return;
  }
  Index.Add(Op.UpperName, Op.OpKind, Position, NameAt);
  Index.Add(Op.UpperName, okAny, Position, NameAt);
}

void TVariableList::push_back(TVariable Variable) {
  Items.push_back(std::move(Variable));
  Index.Add(Items.back().Name, 0, static_cast<int32_t>(Items.size() - 1),
            [this](int32_t P) -> std::string_view { return Items[static_cast<std::size_t>(P)].Name; });
}

int TVariableList::IndexOf(std::string_view Name) const {
  return Index.Find(Name, 0, [this](int32_t P) -> std::string_view { return Items[static_cast<std::size_t>(P)].Name; });
}

void SetVariable(TVariableList& List, std::string_view Name, const TCalcValue& Value) {
  const int Index = List.IndexOf(Name);
  if (Index >= 0) {
    List.ValueAt(static_cast<std::size_t>(Index)) = Value;
    return;
  }
  std::string Upper = UpperCase(Name.substr(0, 255));
  List.push_back({Value, std::move(Upper)});
}

void GetVariable(const TVariableList& List, std::string_view Name, bool RaiseIfMissing,
                 TCalcValue& Value) {
  Value.Kind = vkNone;
  const int Index = List.IndexOf(Name);
  if (Index >= 0) {
    Value = List[static_cast<std::size_t>(Index)].Value;
  } else if (RaiseIfMissing) {
    throw EParserException::CreateFmt(msg::VariableNotFound, {Name});
  }
}

int IndexOfVariable(const TVariableList& List, std::string_view Name) { return List.IndexOf(Name); }

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
    case 0: return Kept(CheckReal(X * DegreesToRadians));
    case 2: return Kept(CheckReal(X * GradsToRadians));
    default: return Value.Kind == vkReal || Value.Kind == vkInteger ? X : Kept(X);  // those read back as they are
  }
}

void RadiansToAngle(const TMathParser& Parser, const TCalcValue& Value, TCalcValue& Result) {
  switch (Parser.AngleUnit) {
    case 0: SetReal(Result, CheckReal(AsReal(Value) * RadiansToDegrees)); break;
    case 2: SetReal(Result, CheckReal(AsReal(Value) * RadiansToGrads)); break;
    default: SetReal(Result, AsReal(Value, true, Parser.Settings)); break;
  }
}

}  // namespace talvex
