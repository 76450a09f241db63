#include "parser/PlainPass.h"

#include <limits>
#include <typeinfo>

#include "parser/MathParser.h"
#include "parser/PlainNumber.h"

namespace talvex {
namespace {

// A built-in operator row with a numeric step (or no row at all).
bool HasStep(const TOperator* Op) { return !Op || (typeid(*Op) == typeid(TOperator) && Op->Step != TNumericStep::None); }

// A built-in function whose row says it only computes.
bool IsComputing(const TOperator& Op) {
  return typeid(Op) == typeid(TFunction) && static_cast<const TFunction&>(Op).Computing;
}

void ToCalc(const TNumber& N, TCalcValue& V) {
  V.Kind = N.Kind;
  V.Numerator = N.Kind == vkReal ? 0 : N.Numerator;
  V.Denominator = N.Kind == vkReal ? 1 : N.Denominator;
  V.RealValue = N.Kind == vkReal ? N.RealValue : 0;
}

// False for every kind the pass does not carry.
bool FromCalc(const TCalcValue& V, TNumber& N) {
  if (V.Kind == vkReal) {
    N.Kind = vkReal;
    N.RealValue = V.RealValue;
    return true;
  }
  if ((V.Kind == vkInteger && V.Denominator == 1) || V.Kind == vkFraction) {
    N.Kind = V.Kind;
    N.Numerator = V.Numerator;
    N.Denominator = V.Denominator;
    return true;
  }
  return false;
}

}  // namespace

// One evaluation. The cursor holds the read position and the stacks' tops; it
// is a local of Evaluate and is handed only to functions inlined there, so that
// it stays in registers.
class TPlainEvaluation {
 public:
  TPlainEvaluation(TPlainPass& Pass, std::string_view Text)
      : FParser(Pass.FParser), FPass(Pass), FWork(*Pass.FWork), FText(Text) {}

  bool Run(TCalcValue& Result) {
    bool Done = false;
    try {
      Done = Evaluate();
    } catch (...) {
      Done = false;
    }
    if (!Done) {
      // Arguments are stacked inside calls only: the first level opened
      // found the stack as it was before.
      if (FOpened) FParser.ArgStack.resize(FWork.Levels[0].ArgBase);
      return false;
    }
    ToCalc(FWork.Values[0], Result);
    return true;
  }

 private:
  using TLevel = TPlainPass::TLevel;
  using TCallName = TPlainPass::TCallName;
  static constexpr int All = std::numeric_limits<int>::min();

  // The state of the pass: what it reads and the bounds of its stacks,
  // fixed, then the read position and the stacks' tops.
  struct TCursor {
    const std::string_view Text;
    const TMathParser::TSeparators Separators;
    TOperator* const* const BinaryOf;
    TOperator* const* const PrefixOf;
    TNumber* const Values;
    TNumber* const ValuesEnd;
    TOperator** const Pending;
    TOperator** const PendingEnd;
    TOperator** const Prefixes;
    TOperator** const PrefixesEnd;
    TLevel* const Levels;
    TLevel* const LevelsEnd;
    std::size_t I = 0;              // the next character
    TNumber* V = Values;            // the next free value
    TOperator** Op = Pending;       // the next free pending operator
    TOperator** Base = Pending;     // the innermost level's first pending operator
    TOperator** Prefix = Prefixes;  // the next free prefix sign
    TLevel* Level = Levels;         // the next free level
    int Nest = 1;  // the levels of the recursive loop, and the open levels once more (see Deeper)
  };
  enum class TAfter { Operand, Done, Declined };

  bool Evaluate() {
    TPlainPass::TWork& W = FWork;
    TCursor C{FText,
              FParser.Separators,
              FPass.FTable.Binary,
              FPass.FTable.Prefix,
              W.Values.data(),
              W.Values.data() + W.Values.size(),
              W.Binary.data(),
              W.Binary.data() + W.Binary.size(),
              W.Prefixes.data(),
              W.Prefixes.data() + W.Prefixes.size(),
              W.Levels.data(),
              W.Levels.data() + W.Levels.size()};
    for (;;) {
      if (!ReadOperand(C)) return false;
      switch (ReadAfterOperand(C)) {
        case TAfter::Operand: break;
        case TAfter::Done: return true;
        case TAfter::Declined: return false;
      }
    }
  }

  // The recursive loop nests a level per bracket, argument, prefix sign and
  // rise of priority, and reads an operand once more (one level deeper)
  // wherever a tighter operator follows it; counting every open level once
  // more keeps this pass inside the depth the loop allows.
  [[gnu::always_inline]] static bool Deeper(TCursor& C) {
    return ++C.Nest + 1 <= TMathParser::MaxNesting;
  }
  // Blanks are control characters or the space: most characters are told
  // apart by one comparison.
  [[gnu::always_inline]] static void SkipBlanks(TCursor& C) {
    while (C.I < C.Text.size() && static_cast<unsigned char>(C.Text[C.I]) <= ' ' && StaticBlanks.Contains(C.Text[C.I]))
      ++C.I;
  }

  // Prefix signs, then a number, a variable or a cell; a bracket or a call
  // opens a level and its first operand is read next.
  [[gnu::always_inline]] bool ReadOperand(TCursor& C) {
    const TMathParser::TSeparators& Separators = C.Separators;
    for (;;) {
      SkipBlanks(C);
      if (C.I == C.Text.size() || C.V == C.ValuesEnd) return false;
      TOperator** const PrefixBase = C.Prefix;
      // (Only the five operator characters have descriptors in the table.)
      while (TOperator* const Sign = C.PrefixOf[static_cast<unsigned char>(C.Text[C.I])]) {
        if (C.Prefix == C.PrefixesEnd || !Deeper(C)) return false;
        *C.Prefix++ = Sign;
        ++C.I;
        SkipBlanks(C);
        if (C.I == C.Text.size()) return false;
      }
      const char First = C.Text[C.I];
      if ((First >= '0' && First <= '9') || First == Separators.Decimal) {
        TPlainNumber Number;
        if (!ScanPlainNumber(C.Text, C.I, Separators.Decimal, Separators.Thousand, Separators.Time, true, Number))
          return false;
        SetPlainNumber(*C.V, Number);
      } else if (First == '(') {
        ++C.I;
        if (!Open(C, nullptr, PrefixBase)) return false;
        continue;
      } else if (StaticIdentStart.Contains(First)) {
        TOperator* Function = nullptr;
        C.I = ReadName(C.I, *C.V, Function);
        if (C.I == 0) return false;
        if (Function) {
          if (!Open(C, Function, PrefixBase)) return false;
          continue;
        }
      } else {
        return false;
      }
      if (!ApplyPrefixes(C, *C.V, PrefixBase)) return false;
      ++C.V;
      return true;
    }
  }

  // Closing brackets, then an operator, a list separator or the end.
  [[gnu::always_inline]] TAfter ReadAfterOperand(TCursor& C) {
    for (;;) {
      SkipBlanks(C);
      if (C.I == C.Text.size()) return C.Level == C.Levels && Reduce(C, All) ? TAfter::Done : TAfter::Declined;
      const char Next = C.Text[C.I++];
      if (TOperator* const Binary = C.BinaryOf[static_cast<unsigned char>(Next)])
        return PushOperator(C, *Binary) ? TAfter::Operand : TAfter::Declined;
      if (Next == ')') {
        if (!Close(C)) return TAfter::Declined;
        continue;
      }
      if (Next == C.Separators.List) return NextArgument(C) ? TAfter::Operand : TAfter::Declined;
      return TAfter::Declined;
    }
  }

  // The loop applies the pending operators that bind at least as tightly
  // first, and opens a level for one that binds tighter.
  [[gnu::always_inline]] bool PushOperator(TCursor& C, TOperator& Binary) {
    if (C.Op > C.Base) {
      if (Binary.Priority <= C.Op[-1]->Priority && !Reduce(C, Binary.Priority)) return false;
      if (C.Op > C.Base && !Deeper(C)) return false;
    }
    if (C.Op == C.PendingEnd) return false;
    *C.Op++ = &Binary;
    return true;
  }

  // The operators pending in the innermost level, down to the first one
  // looser than Priority.
  [[gnu::always_inline]] bool Reduce(TCursor& C, int Priority) {
    while (C.Op > C.Base && C.Op[-1]->Priority >= Priority) {
      TOperator& Prior = **--C.Op;
      if (C.Op > C.Base) --C.Nest;
      --C.V;
      if (!Apply(Prior, C.V[-1], C.V[0])) return false;
    }
    return true;
  }

  [[gnu::always_inline]] bool Open(TCursor& C, TOperator* Function, TOperator** PrefixBase) {
    if (C.Level == C.LevelsEnd || !Deeper(C)) return false;
    ++C.Nest;  // the level itself
    FOpened = true;
    *C.Level++ = {Function, static_cast<uint32_t>(C.Base - C.Pending), static_cast<uint32_t>(PrefixBase - C.Prefixes),
                  static_cast<uint32_t>(FParser.ArgStack.size()), 0};
    C.Base = C.Op;
    return true;
  }

  // The bracket or call of the innermost level ends: its value (the call's
  // result) takes the prefix signs read before it.
  [[gnu::always_inline]] bool Close(TCursor& C) {
    if (C.Level == C.Levels || !Reduce(C, All)) return false;
    const TLevel& Closed = *--C.Level;
    C.Nest -= 2;
    if (Closed.Function && !Call(Closed, C.V[-1])) return false;
    C.Base = C.Pending + Closed.OperatorBase;
    return ApplyPrefixes(C, C.V[-1], C.Prefixes + Closed.PrefixBase);
  }

  [[gnu::always_inline]] bool NextArgument(TCursor& C) {
    if (C.Level == C.Levels || !C.Level[-1].Function || !Reduce(C, All)) return false;
    TLevel& Open = C.Level[-1];
    const int Count = static_cast<const TFunction&>(*Open.Function).ArgCount;
    if (Count >= 0 && static_cast<int>(Open.Args) + 1 >= Count) return false;
    ToCalc(*--C.V, FParser.ArgStack.emplace_back());
    ++Open.Args;
    return true;
  }

  // The prefix signs read since PrefixBase, innermost (last) first.
  [[gnu::always_inline]] bool ApplyPrefixes(TCursor& C, TNumber& V, TOperator** PrefixBase) {
    TOperator** Last = C.Prefix;
    if (Last == PrefixBase) return true;
    C.Nest -= static_cast<int>(Last - PrefixBase);
    C.Prefix = PrefixBase;
    while (Last != PrefixBase) {
      TOperator& Sign = **--Last;
      if (!NumericStep(Sign.Step, V, V) && !Through(Sign, V, nullptr)) return false;
    }
    return true;
  }

  // Left := Left Op Right. The pass runs in the default syntax only, whose
  // integers leave 64 bits as reals.
  [[gnu::always_inline]] bool Apply(TOperator& Op, TNumber& Left, const TNumber& Right) {
    return NumericStep(Op.Step, Left, Right, Left, TIntegerOverflow::Real) || Through(Op, Left, &Right);
  }

  // The procedure itself, for everything the step declines.
  [[gnu::noinline]] bool Through(TOperator& Op, TNumber& Left, const TNumber* Right) {
    ToCalc(Left, FWork.Args[0]);
    if (Right) ToCalc(*Right, FWork.Args[1]);
    Op.Proc(std::span<const TCalcValue>(FWork.Args, Right ? 2 : 1), Op, FWork.Out);
    return FromCalc(FWork.Out, Left);
  }

  std::size_t ReadName(std::size_t I, TNumber& V, TOperator*& Function);
  const TCallName& CallName(std::string_view Name);
  bool Call(const TLevel& Level, TNumber& V);

  TMathParser& FParser;
  TPlainPass& FPass;
  TPlainPass::TWork& FWork;
  const std::string_view FText;
  bool FOpened = false;  // a bracket or call was opened
  TCallName FLongName;   // a longer name, looked up each time
};

// A name in an operand's place: a computing function followed by its
// bracket, or the value GetIdentValue gives a variable or a memory cell.
// Returns the position after it (after the bracket of a call), 0 for
// everything else (IF, a function without arguments, an assignment, an
// unknown name, an empty cell).
std::size_t TPlainEvaluation::ReadName(std::size_t I, TNumber& V, TOperator*& Function) {
  const std::size_t Start = I;
  while (I < FText.size() && StaticIdentChars.Contains(FText[I])) ++I;
  const std::string_view Name = FText.substr(Start, I - Start);
  std::size_t After = I;
  while (After < FText.size() && StaticBlanks.Contains(FText[After])) ++After;
  if (After < FText.size() && FText[After] == '(') {
    if (SameFolded(Name, "IF")) return 0;
    const TCallName& Call = CallName(Name);
    if (Call.Kind == TPlainPass::ckOther) return 0;
    if (Call.Kind == TPlainPass::ckComputing) {
      Function = Call.Function;
      return After + 1;
    }
  }
  if (FParser.IndexOfOperator(Name, okConstFunction) >= 0) return 0;
  FParser.ReadIdentValue(Name, FWork.Out);
  return FWork.Out.Kind != vkNone && FromCalc(FWork.Out, V) ? I : 0;
}

// What Name before a bracket names, looked up once per table for short names.
const TPlainEvaluation::TCallName& TPlainEvaluation::CallName(std::string_view Name) {
  TPlainPass::TTable& Table = FPass.FTable;
  const auto Lookup = [&](TCallName& Call) {
    const int Index = FParser.IndexOfOperator(Name, okFunction);
    Call.Kind = TPlainPass::ckNone;
    if (Index >= 0) {
      const auto Place = static_cast<std::size_t>(Index);
      Call.Kind = Table.Computing[Place] ? TPlainPass::ckComputing : TPlainPass::ckOther;
      Call.Function = FParser.Operators[Place].get();
    }
  };
  if (Name.size() > 8) {
    Lookup(FLongName);
    return FLongName;
  }
  uint64_t Key = 0;
  for (char Letter : Name) Key = Key << 8 | static_cast<unsigned char>(Letter);
  TCallName& Call = Table.CallNames[static_cast<std::size_t>((Key * 0x9E3779B97F4A7C15u) >> 60)];
  if (Call.Length != Name.size() || Call.Key != Key) {
    Lookup(Call);
    Call.Key = Key;
    Call.Length = static_cast<uint32_t>(Name.size());
  }
  return Call;
}

// The call of an open level, its last argument in V; V becomes the result.
bool TPlainEvaluation::Call(const TLevel& Level, TNumber& V) {
  TOperator& F = *Level.Function;
  const int Count = static_cast<const TFunction&>(F).ArgCount;
  if (Count >= 0 && static_cast<int>(Level.Args) + 1 != Count) return false;
  if (Count == 1) {
    ToCalc(V, FWork.Args[0]);
    F.Proc(std::span<const TCalcValue>(FWork.Args, 1), F, FWork.Out);
    return FromCalc(FWork.Out, V);
  }
  std::vector<TCalcValue>& Stack = FParser.ArgStack;
  ToCalc(V, Stack.emplace_back());
  F.Proc(std::span<const TCalcValue>(Stack).subspan(Level.ArgBase), F, FWork.Out);
  Stack.resize(Level.ArgBase);
  return FromCalc(FWork.Out, V);
}

// Once per table: the descriptors of the five characters and which functions only compute.
void TPlainPass::BuildTable() {
  FTable = {};
  FTable.Usable = true;
  for (char C : std::string_view("+-*/^")) {
    const char Name[1] = {C};
    const int B = FParser.IndexOfOperator(std::string_view(Name, 1), okBinary);
    const int P = FParser.IndexOfOperator(std::string_view(Name, 1), okPrefix);
    TOperator* Binary = B >= 0 ? FParser.Operators[static_cast<std::size_t>(B)].get() : nullptr;
    TOperator* Prefix = P >= 0 ? FParser.Operators[static_cast<std::size_t>(P)].get() : nullptr;
    FTable.Usable = FTable.Usable && HasStep(Binary) && HasStep(Prefix);
    FTable.Binary[static_cast<unsigned char>(C)] = Binary;
    FTable.Prefix[static_cast<unsigned char>(C)] = Prefix;
  }
  FTable.Computing.reserve(FParser.Operators.size());
  for (const auto& Op : FParser.Operators) FTable.Computing.push_back(IsComputing(*Op));
  FTable.Generation = FParser.Operators.Generation();
  FTable.Known = true;
}

bool TPlainPass::Evaluate(std::string_view Text, TCalcValue& Result) {
  if (FParser.Syntax != smDefault || !FParser.Separators.Plain) return false;
  if (FTable.Generation != FParser.Operators.Generation() || !FTable.Known) BuildTable();
  return FTable.Usable && TPlainEvaluation(*this, Text).Run(Result);
}

}  // namespace talvex
