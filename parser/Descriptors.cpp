#include "parser/Descriptors.h"

#include "ParserLib/Cp1251.h"
#include "ParserLib/ParserException.h"

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
    if (SingleChar[Op.OpKind][C] < 0) SingleChar[Op.OpKind][C] = Position;
    return;
  }
  Index.Add(Op.UpperName, Op.OpKind, Position, NameAt);
  Index.Add(Op.UpperName, okAny, Position, NameAt);
}

}  // namespace talvex
