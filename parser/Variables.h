// The named values of a parser, in creation order, indexed by name (any case).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "parser/NameIndex.h"
#include "parser/Value.h"

namespace talvex {

struct TVariable {
  TCalcValue Value;
  std::string Name;  // upper-cased, at most 255 characters
};

// The variables in creation order, indexed by name.
class TVariableList {
 public:
  std::size_t size() const { return Items.size(); }
  bool empty() const { return Items.empty(); }
  const TVariable& operator[](std::size_t I) const { return Items[I]; }
  const TVariable& back() const { return Items.back(); }
  std::vector<TVariable>::const_iterator begin() const { return Items.begin(); }
  std::vector<TVariable>::const_iterator end() const { return Items.end(); }

  void push_back(TVariable Variable);
  TCalcValue& ValueAt(std::size_t I) { return Items[I].Value; }
  // The first variable whose name equals Name in any case, or -1.
  int IndexOf(std::string_view Name) const;

 private:
  std::vector<TVariable> Items;
  TNameIndex Index;
};

void SetVariable(TVariableList& List, std::string_view Name, const TCalcValue& Value);
void GetVariable(const TVariableList& List, std::string_view Name, bool RaiseIfMissing,
                 TCalcValue& Value);
int IndexOfVariable(const TVariableList& List, std::string_view Name);

}  // namespace talvex
