// The plain expression: numbers, the five arithmetic operators, prefix signs,
// brackets, blanks, variables and memory cells, and calls of the functions
// that only compute (abs to mediana), in the default syntax. Most selections
// are nothing else, and for them the text is read once into tokens and the
// precedence loop runs over the tokens: the same loop, step for step (the same
// operands read twice, the same LastOperator), calling the same descriptors,
// so the value is the one the general evaluation would give. Anything else,
// and every error, is left to the general evaluation, which starts afresh:
// what is done here has no side effects, so nothing is done twice.
#include <cmath>
#include <typeinfo>

#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "parser/CalcParser.h"
#include "parser/MathParser.h"
#include "parser/Operators.h"
#include "parser/PlainNumber.h"

namespace talvex {
namespace {

bool IsArithmetic(char C) { return C == '+' || C == '-' || C == '*' || C == '/' || C == '^'; }

// The built-in operators of the five characters: plain descriptors whose
// procedures only compute.
bool IsPureOperator(const TOperator* Op) {
  if (!Op) return true;
  if (typeid(*Op) != typeid(TOperator)) return false;
  const TOperatorProc P = Op->Proc;
  return P == OpAdd || P == OpSubtract || P == OpMultiply || P == OpDivide || P == OpPower ||
         P == OpUnaryPlus || P == OpNegate;
}

// The built-in functions that only compute from their arguments (and the
// angle unit): the numeric, trigonometric and statistical rows.
bool IsPureFunction(const TOperator& Op) {
  if (typeid(Op) != typeid(TFunction)) return false;
  static constexpr std::string_view Names[] = {
      "ABS",     "SQR",      "SQRT",    "ROUND",     "TRUNC",     "SIN",       "SINH",      "ARCSIN",
      "ARCSINH", "COS",      "COSH",    "ARCCOS",    "ARCCOSH",   "TAN",       "TANH",      "ARCTAN",
      "ARCTANH", "COSEC",    "ARCSEC",  "ARCCOSEC",  "SEC",       "LN",        "LOG10",     "LOG2",
      "LOG",     "EXP",      "HYPOT",   "FACT",      "DEGTOGRAD", "DEGTORAD",  "GRADTORAD", "GRADTODEG",
      "RADTODEG", "RADTOGRAD", "SUM",   "SUMSQ",     "AVG",       "NORM",      "MIN",       "MAX",
      "STD",     "STDP",     "VARP",    "VARS",      "VART",      "COUNT",     "MEDIANA"};
  for (std::string_view Name : Names)
    if (Op.UpperName == Name) return true;
  return false;
}

}  // namespace

// The precedence loop of Evaluate over tokens. Every false means "not here":
// the general evaluation decides, with its own messages.
class TPlainEvaluation {
 public:
  TPlainEvaluation(TMathParser& Parser, const TMathParser::TPlainToken* Tokens)
      : FParser(Parser), FTokens(Tokens) {}

  bool Run(TCalcValue& Result) {
    if (!Expression(Result) || Here().Kind != TMathParser::ptEnd) return false;
    FParser.LastOperator = FLast;
    return true;
  }

 private:
  using TToken = TMathParser::TPlainToken;

  const TToken& Here() const { return FTokens[FAt]; }
  bool AtEnd() const {
    const auto K = Here().Kind;
    return K == TMathParser::ptEnd || K == TMathParser::ptClose || K == TMathParser::ptList;
  }

  TOperator* Binary() {
    if (Here().Kind != TMathParser::ptOperator) return nullptr;
    return FParser.PlainOperators.Binary[static_cast<unsigned char>(FTokens[FAt++].Char)];
  }

  // The descriptors here are plain TOperator and TFunction objects, whose
  // Execute is their procedure plus the translation of errors, and an error
  // ends the plain way.
  static bool Execute(TOperator& Op, std::span<const TCalcValue> Args, TCalcValue& Result) {
    try {
      Op.Proc(Args, Op, Result);
      return true;
    } catch (...) {
      return false;
    }
  }

  // Result := Op (Result, Args[1]). Two integers meet in place, as OpAdd,
  // OpSubtract and OpMultiply would store them; the rest through the procedure.
  static bool Apply(TOperator& Op, TCalcValue& Result, TCalcValue (&Args)[2]) {
    const TCalcValue& Right = Args[1];
    if (Result.Kind == vkInteger && Right.Kind == vkInteger && Result.Denominator == 1 && Right.Denominator == 1) {
      if (Op.Proc == OpAdd) {
        SetInteger(Result, WrapAdd(Result.Numerator, Right.Numerator));
        return true;
      }
      if (Op.Proc == OpSubtract) {
        SetInteger(Result, WrapSub(Result.Numerator, Right.Numerator));
        return true;
      }
      if (Op.Proc == OpMultiply) {
        SetInteger(Result, WrapMul(Result.Numerator, Right.Numerator));
        return true;
      }
    }
    // A real with a real or an integer: the sum, difference or product as
    // those procedures compute it (an infinity or NaN ends the plain way).
    if ((Op.Proc == OpAdd || Op.Proc == OpSubtract || Op.Proc == OpMultiply) && IsNumber(Result) &&
        IsNumber(Right) && !(Result.Kind == vkInteger && Right.Kind == vkInteger)) {
      const Extended A = Result.Kind == vkReal ? Result.RealValue : static_cast<Extended>(Result.Numerator);
      const Extended B = Right.Kind == vkReal ? Right.RealValue : static_cast<Extended>(Right.Numerator);
      const Extended X = Op.Proc == OpAdd ? A + B : (Op.Proc == OpSubtract ? A - B : A * B);
      if (!std::isfinite(X)) return false;
      SetReal(Result, X);
      return true;
    }
    // A number to a whole power: what Power gives for a whole exponent, by
    // repeated squaring (the zero cases and the errors are left to OpPower).
    if (Op.Proc == OpPower && IsNumber(Result) && Right.Kind == vkInteger && Right.Denominator == 1 &&
        Right.Numerator != 0 && Right.Numerator >= -2147483647 && Right.Numerator <= 2147483647) {
      const Extended A = Result.Kind == vkReal ? Result.RealValue : static_cast<Extended>(Result.Numerator);
      if (A != 0) {
        Extended X = 0;
        try {
          X = IntPower(A, Right.Numerator);
        } catch (...) {
          return false;
        }
        if (!std::isfinite(X)) return false;
        SetReal(Result, X);
        return true;
      }
    }
    Args[0] = Result;
    return Execute(Op, Args, Result);
  }
  static bool IsNumber(const TCalcValue& V) { return V.Kind == vkReal || V.Kind == vkInteger; }

  bool Expression(TCalcValue& Result) {
    if (++FNesting > TMathParser::MaxNesting) return false;
    ++FDepth;
    Result.Kind = vkNone;
    if (!Operand(Result)) return false;
    TCalcValue Args[2];
    // Most operands are numbers: read in place.
    const auto RightOperand = [&] {
      const TToken& T = Here();
      if (T.Kind != TMathParser::ptNumber) return Operand(Args[1]);
      SetPlainNumber(Args[1], T.Number);
      ++FAt;
      return true;
    };
    while (!AtEnd()) {
      TOperator* Op1 = Binary();
      if (!Op1) return false;
      const int P1 = FAt;
      if (!RightOperand()) return false;
      if (AtEnd()) {
        if (!Apply(*Op1, Result, Args)) return false;
        continue;
      }
      const int P2 = FAt;
      TOperator* Op2 = Binary();
      if (!Op2) return false;
      FLast = Op2;
      if (Op2->Priority > Op1->Priority) {
        FAt = P1;
        const int SavedOpener = FOpener;
        FOpener = Op1->Priority;
        if (!Expression(Args[1])) return false;
        FOpener = SavedOpener;
      } else {
        FAt = P2;
      }
      if (!Apply(*Op1, Result, Args)) return false;
      if (FDepth > FStopDepth && FLast->Priority <= FOpener) break;
    }
    --FDepth;
    --FNesting;
    return true;
  }

  bool SubExpression(TCalcValue& Result) {
    const int SavedStopDepth = FStopDepth, SavedDepth = FDepth;
    FStopDepth = FDepth + 1;
    if (!Expression(Result)) return false;
    FStopDepth = SavedStopDepth;
    FDepth = SavedDepth;
    return true;
  }

  bool Operand(TCalcValue& Result) {
    Result.Kind = vkNone;
    const TToken& T = Here();
    switch (T.Kind) {
      case TMathParser::ptNumber:
        SetPlainNumber(Result, T.Number);
        ++FAt;
        return true;
      case TMathParser::ptName:
        Result = FParser.PlainNames[static_cast<std::size_t>(T.Number.Integer)];
        ++FAt;
        return true;
      case TMathParser::ptOpen:
        ++FAt;
        if (!SubExpression(Result) || Here().Kind != TMathParser::ptClose) return false;
        ++FAt;
        return true;
      case TMathParser::ptFunction:
        return Call(*T.Function, Result);
      case TMathParser::ptOperator: {
        TOperator* Prefix = FParser.PlainOperators.Prefix[static_cast<unsigned char>(T.Char)];
        if (!Prefix || ++FNesting > TMathParser::MaxNesting) return false;
        ++FAt;
        TCalcValue Operand[1];
        if (!this->Operand(Operand[0]) || !Execute(*Prefix, Operand, Result)) return false;
        --FNesting;
        return true;
      }
      default:
        return false;
    }
  }

  // ParseFunctionCall over tokens: the name, its bracket, the arguments.
  bool Call(TOperator& Op, TCalcValue& Result) {
    const auto& Function = static_cast<const TFunction&>(Op);
    FAt += 2;  // the name and the opening bracket
    std::vector<TCalcValue>& Stack = FParser.ArgStack;
    const std::size_t Base = Stack.size();
    struct TRelease {
      std::vector<TCalcValue>& Stack;
      std::size_t Base;
      ~TRelease() { Stack.resize(Base); }
    } Release{Stack, Base};
    const auto Argument = [&] {
      TCalcValue Value;
      if (!SubExpression(Value)) return false;
      Stack.push_back(Value);
      return true;
    };
    if (Function.ArgCount < 0) {
      if (!Argument()) return false;
      while (Here().Kind == TMathParser::ptList) {
        ++FAt;
        if (!Argument()) return false;
      }
    } else {
      for (int I = 0; I < Function.ArgCount; ++I) {
        if (!Argument()) return false;
        if (I + 1 < Function.ArgCount) {
          if (Here().Kind != TMathParser::ptList) return false;
          ++FAt;
        }
      }
    }
    if (Here().Kind != TMathParser::ptClose) return false;
    ++FAt;
    return Execute(Op, std::span<const TCalcValue>(Stack).subspan(Base), Result);
  }

  TMathParser& FParser;
  const TToken* FTokens;
  int FAt = 0;
  int FDepth = 0, FStopDepth = 1, FNesting = 0;
  int FOpener = 0;  // as TMathParser::OpenerPriority
  TOperator* FLast = nullptr;
};

// A name in an operand's place: the value GetIdentValue gives a variable or a
// memory cell, as a token. False for everything else (IF, a function without
// arguments, an assignment, an unknown name, an empty cell).
bool TMathParser::ReadPlainName(std::string_view Text, std::size_t& I, TPlainToken& T) {
  const TCharClasses& C = CharClasses();
  const std::size_t Start = I;
  while (I < Text.size() && C.IdentChars.Contains(Text[I])) ++I;
  const std::string_view Name = Text.substr(Start, I - Start);
  std::size_t After = I;
  while (After < Text.size() && C.Blanks.Contains(Text[After])) ++After;
  if (After < Text.size() && Text[After] == '(') {
    if (SameFolded(Name, "IF")) return false;
    const int Index = IndexOfOperator(Name, okFunction);
    if (Index >= 0) {
      const auto Place = static_cast<std::size_t>(Index);
      if (!PlainOperators.PureFunction[Place]) return false;
      TOperator& F = *Operators[Place];
      T.Kind = ptFunction;
      T.Function = &F;
      return true;
    }
  }
  if (IndexOfOperator(Name, okConstFunction) >= 0 || PlainNameCount == PlainNames.size()) return false;
  TCalcValue& Value = PlainNames[PlainNameCount];
  try {
    ReadIdentValue(Name, Value);
  } catch (...) {
    return false;
  }
  if (Value.Kind == vkNone) return false;
  T.Kind = ptName;
  T.Number.Integer = static_cast<int64_t>(PlainNameCount++);
  return true;
}

bool TMathParser::EvaluatePlain(std::string_view Text, TCalcValue& Result) {
  if (Syntax != smDefault || !Separators.Plain) return false;
  if (PlainOperators.Generation != Operators.Generation() || !PlainOperators.Known) {
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
  if (!PlainOperators.Usable) return false;

  // Read the tokens; anything outside the plain forms gives up at once.
  const TSeparators& S = Separators;
  const TCharClasses& Classes = CharClasses();
  const std::size_t Size = Text.size();
  std::size_t Count = 0, I = 0;
  PlainNameCount = 0;
  for (;;) {
    while (I < Size && Classes.Blanks.Contains(Text[I])) ++I;
    if (Count + 1 >= PlainTokens.size()) return false;
    TPlainToken& T = PlainTokens[Count++];
    if (I == Size) {
      T.Kind = ptEnd;
      break;
    }
    const char C = Text[I];
    if ((C >= '0' && C <= '9') || C == S.Decimal) {
      if (!ScanPlainNumber(Text, I, S.Decimal, S.Thousand, S.Time, true, T.Number)) return false;
      T.Kind = ptNumber;
    } else if (IsArithmetic(C)) {
      T.Kind = ptOperator;
      T.Char = C;
      ++I;
    } else if (C == '(' || C == ')') {
      T.Kind = C == '(' ? ptOpen : ptClose;
      ++I;
    } else if (C == S.List) {
      T.Kind = ptList;
      ++I;
    } else if (Classes.IdentStart.Contains(C)) {
      if (!ReadPlainName(Text, I, T)) return false;
    } else {
      return false;
    }
  }
  TPlainEvaluation Evaluation(*this, PlainTokens.data());
  return Evaluation.Run(Result);
}

}  // namespace talvex
