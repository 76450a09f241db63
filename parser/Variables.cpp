#include "parser/Variables.h"

#include "ParserLib/Cp1251.h"
#include "ParserLib/ParserException.h"

namespace talvex {

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

}  // namespace talvex
