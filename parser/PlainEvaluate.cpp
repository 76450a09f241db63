// The plain expression: numbers, the five arithmetic operators, prefix signs,
// brackets, blanks, variables and memory cells, and calls of the functions
// that only compute (abs to mediana), in the default syntax. Most selections
// are nothing else, and they are evaluated in one pass over the text with a
// stack of pending operators. The general loop builds the same tree (prefix
// signs bind to their operand, operators of one priority from the left) and
// the same descriptors compute every step, so the value is the one it would
// give; LastOperator is followed as that loop would leave it. Anything else,
// and every error, is left to the general evaluation, which starts afresh:
// what is done here has no side effects, so nothing is done twice.
#include <cmath>
#include <limits>
#include <typeinfo>

#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "parser/CalcParser.h"
#include "parser/MathParser.h"
#include "parser/Operators.h"
#include "parser/PlainNumber.h"

namespace talvex {
namespace {

// The built-in operators of the five characters: plain descriptors whose
// procedures only compute.
bool IsPureOperator(const TOperator* Op) {
  if (!Op) return true;
  if (typeid(*Op) != typeid(TOperator)) return false;
  const TOperatorProc P = Op->Proc;
  return P == OpAdd || P == OpSubtract || P == OpMultiply || P == OpDivide || P == OpPower ||
         P == OpUnaryPlus || P == OpNegate;
}

// A built-in function whose row says it only computes.
bool IsPureFunction(const TOperator& Op) {
  return typeid(Op) == typeid(TFunction) && static_cast<const TFunction&>(Op).Computing;
}

}  // namespace

class TPlainEvaluation {
 public:
  TPlainEvaluation(TMathParser& Parser, std::string_view Text)
      : FParser(Parser), FWork(*Parser.PlainWork), FText(Text) {}

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
    FParser.LastOperator = FLast;
    return true;
  }

 private:
  using TPlainValue = TMathParser::TPlainValue;
  using TPlainLevel = TMathParser::TPlainLevel;
  using TPlainOperators = TMathParser::TPlainOperators;
  using TCallName = TPlainOperators::TCallName;

  static bool IsNumber(const TPlainValue& V) { return V.Kind == vkInteger || V.Kind == vkReal; }
  static Extended RealOf(const TPlainValue& V) {
    return V.Kind == vkReal ? V.Real : static_cast<Extended>(V.Numerator);
  }
  // As SetReal stores X.
  static void SetValueReal(TPlainValue& V, Extended X) {
    if (IsStoredAsInteger(X, V.Numerator)) {
      V.Kind = vkInteger;
      V.Denominator = 1;
    } else {
      V.Kind = vkReal;
      V.Real = X;
    }
  }
  static void ToCalc(const TPlainValue& P, TCalcValue& V) {
    V.Kind = P.Kind;
    V.Numerator = P.Kind == vkReal ? 0 : P.Numerator;
    V.Denominator = P.Kind == vkReal ? 1 : P.Denominator;
    V.RealValue = P.Kind == vkReal ? P.Real : 0;
  }
  // False for every kind the one pass does not carry.
  static bool FromCalc(const TCalcValue& V, TPlainValue& P) {
    if (V.Kind == vkReal) {
      P.Kind = vkReal;
      P.Real = V.RealValue;
      return true;
    }
    if ((V.Kind == vkInteger && V.Denominator == 1) || V.Kind == vkFraction) {
      P.Kind = V.Kind;
      P.Numerator = V.Numerator;
      P.Denominator = V.Denominator;
      return true;
    }
    return false;
  }

  // The procedure itself, for everything the shortcuts leave.
  bool Through(TOperator& Op, TPlainValue& Left, const TPlainValue* Right) {
    ToCalc(Left, FWork.Args[0]);
    if (Right) ToCalc(*Right, FWork.Args[1]);
    Op.Proc(std::span<const TCalcValue>(FWork.Args, Right ? 2 : 1), Op, FWork.Out);
    return FromCalc(FWork.Out, Left);
  }

  // Left := Op (Left, Right). Integers, and reals with reals or integers, meet
  // in place as OpAdd, OpSubtract, OpMultiply and OpDivide would have them
  // meet (an infinity, a NaN or a zero divisor ends the one pass); a number
  // to a whole power is what Power gives for a whole exponent.
  bool Apply(TOperator& Op, TPlainValue& Left, const TPlainValue& Right) {
    const TOperatorProc P = Op.Proc;
    if (Left.Kind == vkInteger && Right.Kind == vkInteger) {
      if (P == OpAdd) {
        Left.Numerator = WrapAdd(Left.Numerator, Right.Numerator);
        return true;
      }
      if (P == OpSubtract) {
        Left.Numerator = WrapSub(Left.Numerator, Right.Numerator);
        return true;
      }
      if (P == OpMultiply) {
        Left.Numerator = WrapMul(Left.Numerator, Right.Numerator);
        return true;
      }
    }
    else if (IsNumber(Left) && IsNumber(Right) && !(Left.Kind == vkInteger && Right.Kind == vkInteger) &&
        P != OpPower) {
      const Extended A = RealOf(Left), B = RealOf(Right);
      Extended X;
      if (P == OpAdd)
        X = A + B;
      else if (P == OpSubtract)
        X = A - B;
      else if (P == OpMultiply)
        X = A * B;
      else if (B == 0)
        return false;
      else
        X = A / B;
      if (!std::isfinite(X)) return false;
      SetValueReal(Left, X);
      return true;
    }
    return ApplyOther(Op, Left, Right);
  }
  [[gnu::noinline]] bool ApplyOther(TOperator& Op, TPlainValue& Left, const TPlainValue& Right) {
    const TOperatorProc P = Op.Proc;
    // The quotient of two integers is their fraction, as OpDivide stores it
    // in the default syntax (a zero divisor is its error).
    if (P == OpDivide && Left.Kind == vkInteger && Right.Kind == vkInteger && Right.Numerator != 0) {
      int64_t Num = Left.Numerator, Den = Right.Numerator;
      if (ReduceFraction(Num, Den)) {
        Left.Kind = Den == 1 ? vkInteger : vkFraction;
        Left.Numerator = Num;
        Left.Denominator = Den;
        return true;
      }
    }
    // An integer to a small whole power: while the exact power stays below
    // 2^63 - 1, every step of Power's repeated squaring is exact as well, so
    // the power in integers is the integer SetReal would keep.
    if (P == OpPower && Left.Kind == vkInteger && Right.Kind == vkInteger && Left.Numerator != 0 &&
        Right.Numerator >= 1 && Right.Numerator <= 63) {
      int64_t Power = 1;
      bool Overflow = false;
      for (int64_t K = 0; K < Right.Numerator && !Overflow; ++K)
        Overflow = __builtin_mul_overflow(Power, Left.Numerator, &Power) || Power == INT64_MIN ||
                   Power == INT64_MAX || Power == INT64_MIN + 1;
      if (!Overflow) {
        Left.Numerator = Power;
        return true;
      }
    }
    if (P == OpPower && IsNumber(Left) && Right.Kind == vkInteger && Right.Numerator != 0 &&
        Right.Numerator >= -2147483647 && Right.Numerator <= 2147483647) {
      const Extended A = RealOf(Left);
      if (A != 0) {
        const Extended X = IntPower(A, Right.Numerator);
        if (!std::isfinite(X)) return false;
        SetValueReal(Left, X);
        return true;
      }
    }
    return Through(Op, Left, &Right);
  }

  // The prefix signs read before an operand, innermost (last) first.
  bool ApplyPrefixes(TPlainValue& V, TOperator* const* First, TOperator* const* Last) {
    while (Last != First) {
      TOperator& Op = **--Last;
      if (Op.Proc == OpUnaryPlus) continue;
      // -N is an integer again below 2^63 - 1 in magnitude, as SetReal keeps it.
      if (Op.Proc == OpNegate && V.Kind == vkInteger && V.Numerator > INT64_MIN + 1 && V.Numerator < INT64_MAX) {
        V.Numerator = -V.Numerator;
      } else if (Op.Proc == OpNegate && V.Kind == vkReal) {
        SetValueReal(V, -V.Real);
      } else if (!Through(Op, V, nullptr)) {
        return false;
      }
    }
    return true;
  }

  // A name in an operand's place: a computing function followed by its
  // bracket, or the value GetIdentValue gives a variable or a memory cell.
  // Returns the position after it (after the bracket of a call), 0 for
  // everything else (IF, a function without arguments, an assignment, an
  // unknown name, an empty cell).
  std::size_t ReadName(std::size_t I, TPlainValue& V, TOperator*& Function) {
    const TCharClasses& Classes = FParser.Classes;
    const std::size_t Start = I;
    while (I < FText.size() && Classes.IdentChars.Contains(FText[I])) ++I;
    const std::string_view Name = FText.substr(Start, I - Start);
    std::size_t After = I;
    while (After < FText.size() && Classes.Blanks.Contains(FText[After])) ++After;
    if (After < FText.size() && FText[After] == '(') {
      if (SameFolded(Name, "IF")) return 0;
      const TCallName& Call = CallName(Name);
      if (Call.Kind == TPlainOperators::ckOther) return 0;
      if (Call.Kind == TPlainOperators::ckComputing) {
        Function = Call.Function;
        return After + 1;
      }
    }
    if (FParser.IndexOfOperator(Name, okConstFunction) >= 0) return 0;
    FParser.ReadIdentValue(Name, FWork.Out);
    return FWork.Out.Kind != vkNone && FromCalc(FWork.Out, V) ? I : 0;
  }

  // What Name before a bracket names, looked up once per table for short names.
  const TCallName& CallName(std::string_view Name) {
    TPlainOperators& Plain = FParser.PlainOperators;
    const auto Lookup = [&](TCallName& Call) {
      const int Index = FParser.IndexOfOperator(Name, okFunction);
      Call.Kind = TPlainOperators::ckNone;
      if (Index >= 0) {
        const auto Place = static_cast<std::size_t>(Index);
        Call.Kind = Plain.PureFunction[Place] ? TPlainOperators::ckComputing : TPlainOperators::ckOther;
        Call.Function = FParser.Operators[Place].get();
      }
    };
    if (Name.size() > 8) {
      Lookup(FLongName);
      return FLongName;
    }
    uint64_t Key = 0;
    for (char C : Name) Key = Key << 8 | static_cast<unsigned char>(C);
    TCallName& Call = Plain.CallNames[(Key * 0x9E3779B97F4A7C15u) >> 60];
    if (Call.Length != Name.size() || Call.Key != Key) {
      Lookup(Call);
      Call.Key = Key;
      Call.Length = static_cast<uint32_t>(Name.size());
    }
    return Call;
  }

  void PushArgument(const TPlainValue& V) { ToCalc(V, FParser.ArgStack.emplace_back()); }

  // The call of an open level, its last argument in V; V becomes the result.
  bool Call(const TPlainLevel& Level, TPlainValue& V) {
    TOperator& F = *Level.Function;
    const int Count = static_cast<const TFunction&>(F).ArgCount;
    if (Count >= 0 && static_cast<int>(Level.Args) + 1 != Count) return false;
    if (Count == 1) {
      ToCalc(V, FWork.Args[0]);
      F.Proc(std::span<const TCalcValue>(FWork.Args, 1), F, FWork.Out);
      return FromCalc(FWork.Out, V);
    }
    PushArgument(V);
    std::vector<TCalcValue>& Stack = FParser.ArgStack;
    F.Proc(std::span<const TCalcValue>(Stack).subspan(Level.ArgBase), F, FWork.Out);
    Stack.resize(Level.ArgBase);
    return FromCalc(FWork.Out, V);
  }

  // The recursive loop nests a level per bracket, argument, prefix sign and
  // rise of priority, and reads an operand once more (one level deeper)
  // wherever a tighter operator follows it; counting every open level once
  // more keeps this pass inside the depth the loop allows.
  static bool WithinNesting(int Nest, std::ptrdiff_t OpenLevels) {
    return Nest + OpenLevels + 1 <= TMathParser::MaxNesting;
  }

  // One pass with a stack of values and one of pending operators; each
  // bracket or call is a level of its own. The state lives in locals so that
  // it stays in registers.
  bool Evaluate() {
    const std::string_view Text = FText;
    const std::size_t Size = Text.size();
    const TCharSet& Blanks = FParser.Classes.Blanks;
    // Blanks are control characters or the space: most characters are told
    // apart by one comparison.
    const auto IsBlank = [&Blanks](char C) { return static_cast<unsigned char>(C) <= ' ' && Blanks.Contains(C); };
    const TCharSet& IdentStart = FParser.Classes.IdentStart;
    const TMathParser::TSeparators Separators = FParser.Separators;
    TOperator* const* const BinaryOf = FParser.PlainOperators.Binary;
    TOperator* const* const PrefixOf = FParser.PlainOperators.Prefix;

    TPlainValue* const Values = FWork.Values.data();
    TPlainValue* const ValuesEnd = Values + FWork.Values.size();
    TOperator** const Pending = FWork.Binary.data();
    TOperator** const PendingEnd = Pending + FWork.Binary.size();
    TOperator** const Prefixes = FWork.Prefixes.data();
    TOperator** const PrefixesEnd = Prefixes + FWork.Prefixes.size();
    TPlainLevel* const Levels = FWork.Levels.data();
    TPlainLevel* const LevelsEnd = Levels + FWork.Levels.size();

    TPlainValue* V = Values;     // the next free value
    TOperator** Op = Pending;    // the next free pending operator
    TOperator** Base = Pending;  // the innermost level's first pending operator
    TOperator** Prefix = Prefixes;
    TPlainLevel* Level = Levels;  // the next free level
    int Nest = 1;  // the levels of the recursive loop (see WithinNesting)
    const auto Deeper = [&] { return WithinNesting(++Nest, Level - Levels); };
    // LastOperator as the loop would leave it, how many times the loop would
    // have set it, and what the operand read last left it (if it set it).
    TOperator* Last = nullptr;
    uint32_t Events = 0;
    bool OperandEvents = false;
    TOperator* OperandLast = nullptr;
    const auto Open = [&](TOperator* Function, TOperator** PrefixBase) {
      if (Level == LevelsEnd || !WithinNesting(++Nest, Level - Levels)) return false;
      FOpened = true;
      *Level++ = {Function, static_cast<uint32_t>(Base - Pending), static_cast<uint32_t>(PrefixBase - Prefixes),
                  static_cast<uint32_t>(FParser.ArgStack.size()), 0, Events};
      Base = Op;
      return true;
    };
    // The operators pending in the innermost level, down to the first one
    // looser than Priority. (The lambdas capture no other lambda: a captured
    // closure would keep the state out of registers.)
    constexpr int All = std::numeric_limits<int>::min();
    const auto Reduce = [&](int Priority) {
      while (Op > Base && Op[-1]->Priority >= Priority) {
        TOperator& Prior = **--Op;
        if (Op > Base) --Nest;
        --V;
        if (!Apply(Prior, V[-1], V[0])) return false;
      }
      return true;
    };

    std::size_t I = 0;
    for (;;) {
      // An operand: prefix signs, then a number, a variable, a call or a
      // bracket (whose contents come next).
      for (;;) {
        while (I < Size && IsBlank(Text[I])) ++I;
        if (I == Size || V == ValuesEnd) return false;
        char C = Text[I];
        TOperator** const PrefixBase = Prefix;
        // (Only the five operator characters have descriptors in the tables.)
        while (TOperator* const Sign = PrefixOf[static_cast<unsigned char>(C)]) {
          if (Prefix == PrefixesEnd || !Deeper()) return false;
          *Prefix++ = Sign;
          ++I;
          while (I < Size && IsBlank(Text[I])) ++I;
          if (I == Size) return false;
          C = Text[I];
        }
        if ((C >= '0' && C <= '9') || C == Separators.Decimal) {
          TPlainNumber Number;
          if (!ScanPlainNumber(Text, I, Separators.Decimal, Separators.Thousand, Separators.Time, true, Number))
            return false;
          if (Number.Whole) {
            V->Kind = vkInteger;
            V->Numerator = Number.Integer;
            V->Denominator = 1;
          } else {
            V->Kind = vkReal;
            V->Real = Number.Real;
          }
        } else if (C == '(') {
          ++I;
          if (!Open(nullptr, PrefixBase)) return false;
          continue;
        } else if (IdentStart.Contains(C)) {
          TOperator* Function = nullptr;
          I = ReadName(I, *V, Function);
          if (I == 0) return false;
          if (Function) {
            if (!Open(Function, PrefixBase)) return false;
            continue;
          }
        } else {
          return false;
        }
        if (Prefix != PrefixBase) {
          TOperator** const Signs = Prefix;
          Nest -= static_cast<int>(Prefix - PrefixBase);
          Prefix = PrefixBase;
          if (!ApplyPrefixes(*V, PrefixBase, Signs)) return false;
        }
        ++V;
        OperandEvents = false;
        break;
      }
      // After an operand: closing brackets, then an operator, a list
      // separator or the end.
      for (;;) {
        while (I < Size && IsBlank(Text[I])) ++I;
        if (I == Size) {
          if (Level != Levels || !Reduce(All)) return false;
          FLast = Last;
          return true;
        }
        const char C = Text[I++];
        if (TOperator* const Binary = BinaryOf[static_cast<unsigned char>(C)]) {
          // The loop reads every operator but the first of a level a second
          // time, as the one after an operand (LastOperator); where it is
          // tighter than the one before, it then reads that operand again,
          // which leaves LastOperator as the operand left it.
          if (Op > Base) {
            Last = Binary;
            ++Events;
            if (Binary->Priority > Op[-1]->Priority) {
              if (OperandEvents) Last = OperandLast;
            } else if (!Reduce(Binary->Priority)) {
              return false;
            }
            if (Op > Base && !Deeper()) return false;
          }
          if (Op == PendingEnd) return false;
          *Op++ = Binary;
          break;
        }
        if (C == ')') {
          if (Level == Levels || !Reduce(All)) return false;
          const TPlainLevel& Closed = *--Level;
          --Nest;
          if (Closed.Function && !Call(Closed, V[-1])) return false;
          OperandEvents = Events != Closed.Events;
          OperandLast = Last;
          Base = Pending + Closed.OperatorBase;
          TOperator** const PrefixBase = Prefixes + Closed.PrefixBase;
          if (Prefix != PrefixBase) {
            TOperator** const Signs = Prefix;
            Nest -= static_cast<int>(Prefix - PrefixBase);
            Prefix = PrefixBase;
            if (!ApplyPrefixes(V[-1], PrefixBase, Signs)) return false;
          }
          continue;
        }
        if (C == Separators.List) {
          if (Level == Levels || !Level[-1].Function || !Reduce(All)) return false;
          TPlainLevel& Call = Level[-1];
          const int Count = static_cast<const TFunction&>(*Call.Function).ArgCount;
          if (Count >= 0 && static_cast<int>(Call.Args) + 1 >= Count) return false;
          PushArgument(*--V);
          ++Call.Args;
          break;
        }
        return false;
      }
    }
  }

  TMathParser& FParser;
  TMathParser::TPlainWork& FWork;
  const std::string_view FText;
  bool FOpened = false;  // a bracket or call was opened
  TOperator* FLast = nullptr;
  TCallName FLongName;  // a longer name, looked up each time
};

// Once per table: the descriptors of the five characters and which functions only compute.
void TMathParser::BuildPlainOperators() {
  PlainOperators = {};
  PlainOperators.Usable = true;
  for (char C : std::string_view("+-*/^")) {
    const char Name[1] = {C};
    const int B = IndexOfOperator(std::string_view(Name, 1), okBinary);
    const int P = IndexOfOperator(std::string_view(Name, 1), okPrefix);
    TOperator* Bin = B >= 0 ? Operators[static_cast<std::size_t>(B)].get() : nullptr;
    TOperator* Pre = P >= 0 ? Operators[static_cast<std::size_t>(P)].get() : nullptr;
    PlainOperators.Usable = PlainOperators.Usable && IsPureOperator(Bin) && IsPureOperator(Pre);
    PlainOperators.Binary[static_cast<unsigned char>(C)] = Bin;
    PlainOperators.Prefix[static_cast<unsigned char>(C)] = Pre;
  }
  PlainOperators.PureFunction.reserve(Operators.size());
  for (const auto& Op : Operators) PlainOperators.PureFunction.push_back(IsPureFunction(*Op));
  PlainOperators.Generation = Operators.Generation();
  PlainOperators.Known = true;
}

bool TMathParser::EvaluatePlain(std::string_view Text, TCalcValue& Result) {
  if (Syntax != smDefault || !Separators.Plain) return false;
  if (PlainOperators.Generation != Operators.Generation() || !PlainOperators.Known) BuildPlainOperators();
  return PlainOperators.Usable && TPlainEvaluation(*this, Text).Run(Result);
}

}  // namespace talvex
