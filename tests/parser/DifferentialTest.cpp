// Random expressions over integers with + - * / ^ and brackets, evaluated by the
// engine and by an exact reference written here: integers and reduced
// fractions in checked 64-bit arithmetic, reals where the engine's typing
// makes one (a division with a fraction in it, an integer result beyond 64
// bits). Whenever no cross product of a fraction leaves 64 bits, the two must
// agree exactly: the same kind, the same numerator and denominator, the same
// real bits. Each case runs with the one pass over plain expressions and
// without it, which must agree always.
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "support/EngineFixture.h"

namespace talvex {
namespace {

struct TReference {
  enum TKind { Exact, Real, DivisionByZero } Kind = Exact;
  int64_t Num = 0, Den = 1;  // Exact: reduced, Den > 0
  long double X = 0;
};

uint64_t Magnitude(int64_t V) { return V < 0 ? 0 - static_cast<uint64_t>(V) : static_cast<uint64_t>(V); }

uint64_t Gcd(uint64_t A, uint64_t B) {
  while (B != 0) {
    const uint64_t T = A % B;
    A = B;
    B = T;
  }
  return A;
}

// The values are whatever the engine's setters would store.
struct TModel {
  bool Wrapped = false;  // a fraction's cross product left 64 bits: not modelled
  bool Promoted = false;  // an integer result left 64 bits and became a real

  int64_t Mul(int64_t A, int64_t B) {
    int64_t R = 0;
    Wrapped = Wrapped || __builtin_mul_overflow(A, B, &R);
    return R;
  }
  int64_t Add(int64_t A, int64_t B) {
    int64_t R = 0;
    Wrapped = Wrapped || __builtin_add_overflow(A, B, &R);
    return R;
  }
  int64_t Sub(int64_t A, int64_t B) {
    int64_t R = 0;
    Wrapped = Wrapped || __builtin_sub_overflow(A, B, &R);
    return R;
  }

  TReference Fraction(int64_t N, int64_t D) {
    if (D < 0) {
      N = Sub(0, N);
      D = Sub(0, D);
    }
    const uint64_t G = Gcd(Magnitude(N), Magnitude(D));
    TReference R;
    R.Num = N / static_cast<int64_t>(G == 0 ? 1 : G);
    R.Den = D / static_cast<int64_t>(G == 0 ? 1 : G);
    return R;
  }
  static TReference RealValue(long double X) {
    TReference R;
    if (std::fabs(X) < 9223372036854775807.0L && X == std::trunc(X)) {
      R.Num = static_cast<int64_t>(X);
      return R;
    }
    R.Kind = TReference::Real;
    R.X = X;
    return R;
  }
  static long double AsReal(const TReference& V) {
    return V.Kind == TReference::Real ? V.X : static_cast<long double>(V.Num) / static_cast<long double>(V.Den);
  }

  TReference Apply(char Op, const TReference& L, const TReference& R) {
    if (L.Kind == TReference::DivisionByZero) return L;
    if (R.Kind == TReference::DivisionByZero) return R;
    const bool Exact = L.Kind == TReference::Exact && R.Kind == TReference::Exact;
    if (Exact && L.Den == 1 && R.Den == 1 && Op != '/') {
      int64_t N = 0;
      const bool Overflowed = Op == '+'   ? __builtin_add_overflow(L.Num, R.Num, &N)
                              : Op == '-' ? __builtin_sub_overflow(L.Num, R.Num, &N)
                                          : __builtin_mul_overflow(L.Num, R.Num, &N);
      if (!Overflowed) return Fraction(N, 1);
      Promoted = true;
      const long double A = AsReal(L), B = AsReal(R);
      return RealValue(Op == '+' ? A + B : Op == '-' ? A - B : A * B);
    }
    switch (Op) {
      case '+':
        if (Exact) return Fraction(Add(Mul(L.Num, R.Den), Mul(R.Num, L.Den)), Mul(L.Den, R.Den));
        return RealValue(AsReal(L) + AsReal(R));
      case '-':
        if (Exact) return Fraction(Sub(Mul(L.Num, R.Den), Mul(R.Num, L.Den)), Mul(L.Den, R.Den));
        return RealValue(AsReal(L) - AsReal(R));
      case '*':
        if (Exact) return Fraction(Mul(L.Num, R.Num), Mul(L.Den, R.Den));
        return RealValue(AsReal(L) * AsReal(R));
      default: {
        if (AsReal(R) == 0) return {TReference::DivisionByZero};
        // Only two integers divide exactly; anything with a fraction in it is a real.
        if (Exact && L.Den == 1 && R.Den == 1) return Fraction(L.Num, R.Num);
        return RealValue(AsReal(L) / AsReal(R));
      }
    }
  }
};

// A random expression and its reference value, built bottom up with the
// usual precedence (the text puts brackets wherever the tree needs them, and
// now and then where it does not).
class TGenerator {
 public:
  explicit TGenerator(uint32_t Seed) : Random(Seed) {}

  std::string Expression(TModel& Model, TReference& Value, int Depth = 0) {
    const int Terms = 1 + static_cast<int>(Next(Depth == 0 ? 6 : 3));
    std::string Text = Term(Model, Value, Depth);
    for (int I = 1; I < Terms; ++I) {
      const char Op = Next(2) ? '+' : '-';
      TReference Right;
      const std::string RightText = Term(Model, Right, Depth);
      Value = Model.Apply(Op, Value, Right);
      Text += Blank() + Op + Blank() + RightText;
    }
    return Text;
  }

 private:
  std::string Term(TModel& Model, TReference& Value, int Depth) {
    const int Factors = 1 + static_cast<int>(Next(3));
    std::string Text = Factor(Model, Value, Depth);
    for (int I = 1; I < Factors; ++I) {
      const char Op = Next(2) ? '*' : '/';
      TReference Right;
      const std::string RightText = Factor(Model, Right, Depth);
      Value = Model.Apply(Op, Value, Right);
      Text += Blank() + Op + Blank() + RightText;
    }
    return Text;
  }

  std::string Factor(TModel& Model, TReference& Value, int Depth) {
    if (Depth < 4 && Next(4) == 0) {
      const std::string Inner = Expression(Model, Value, Depth + 1);
      return "(" + Inner + ")";
    }
    // Now and then a small power: a third priority, binding tighter than the
    // term's * and / around it.
    if (Next(6) == 0) {
      const int64_t Base = static_cast<int64_t>(1 + Next(3)), Exponent = static_cast<int64_t>(1 + Next(3));
      Value = {};
      Value.Num = 1;
      for (int64_t I = 0; I < Exponent; ++I) Value.Num *= Base;
      return std::to_string(Base) + "^" + std::to_string(Exponent);
    }
    // Mostly small numbers, sometimes large ones that make the fractions wrap,
    // and the edges of 64-bit products and sums.
    static constexpr int64_t Edges[] = {3037000499, 3037000500, 4294967296, 4611686018427387904,
                                        9223372036854775806, 1000000000000};
    const uint32_t Size = static_cast<uint32_t>(Next(42));
    const int64_t N = Size == 0    ? 0
                      : Size < 30  ? static_cast<int64_t>(1 + Next(12))
                      : Size >= 40 ? Edges[Next(std::size(Edges))]
                                   : static_cast<int64_t>(Next(Size < 37 ? 100000 : 4000000000u));
    Value = {};
    Value.Num = N;
    std::string Text = std::to_string(N);
    return Next(10) == 0 ? "(" + Text + ")" : Text;
  }

  std::string Blank() { return Next(5) == 0 ? " " : ""; }
  // The generator's own numbers: mt19937 is the same on every platform.
  uint64_t Next(uint64_t Bound) { return Random() % Bound; }

  std::mt19937 Random;
};

// The ten bytes of a real, most significant first.
std::string RealBits(long double X) {
  unsigned char Bytes[10];
  std::memcpy(Bytes, &X, sizeof Bytes);
  std::string Hex = "real ";
  for (int I = 9; I >= 0; --I) {
    Hex += "0123456789abcdef"[Bytes[I] >> 4];
    Hex += "0123456789abcdef"[Bytes[I] & 15];
  }
  return Hex;
}

// "kind value" of the engine's answer, or the error.
std::string Engine(TCalcParser& Parser, const std::string& Text) {
  try {
    TCalcValue V;
    Parser.Evaluate(Text, V);
    switch (V.Kind) {
      case vkInteger: return "int " + std::to_string(V.Numerator);
      case vkFraction: return "fraction " + std::to_string(V.Numerator) + "/" + std::to_string(V.Denominator);
      case vkReal: return RealBits(V.RealValue);
      default: return "other kind";
    }
  } catch (const EParserException& E) {
    return "error " + testing::ToUtf8(E.Message());
  }
}

std::string Expected(const TReference& R) {
  switch (R.Kind) {
    case TReference::DivisionByZero: return "error";
    case TReference::Real: return RealBits(R.X);
    default:
      if (R.Den == 1) return "int " + std::to_string(R.Num);
      return "fraction " + std::to_string(R.Num) + "/" + std::to_string(R.Den);
  }
}

class Differential : public testing::EngineTest {};

TEST_F(Differential, FractionArithmeticAgreesWithAnExactReference) {
  TGenerator Generator(20240521);
  int Compared = 0, Skipped = 0, Errors = 0, Fractions = 0, Reals = 0, Promoted = 0;
  for (int Case = 0; Case < 4000; ++Case) {
    TModel Model;
    TReference Value;
    const std::string Text = Generator.Expression(Model, Value);
    Parser.UsePlainPass = true;
    const std::string Plain = Engine(Parser, Text);
    Parser.UsePlainPass = false;
    EXPECT_EQ(Plain, Engine(Parser, Text)) << Text;
    if (Model.Wrapped) {
      ++Skipped;
      continue;
    }
    Promoted += Model.Promoted;
    if (Value.Kind == TReference::DivisionByZero) {
      ++Errors;
      EXPECT_NE(Plain.find("Деление на ноль"), std::string::npos) << Text << " gave " << Plain;
    } else {
      EXPECT_EQ(Plain, Expected(Value)) << Text;
      Fractions += Value.Kind == TReference::Exact && Value.Den != 1;
      Reals += Value.Kind == TReference::Real;
    }
    ++Compared;
  }
  // The comparison covers most cases, and each kind of outcome occurs.
  EXPECT_GT(Compared, 3000);
  EXPECT_GT(Skipped, 10);
  EXPECT_GT(Errors, 100);
  EXPECT_GT(Fractions, 300);
  EXPECT_GT(Reals, 300);
  EXPECT_GT(Promoted, 100);
}

}  // namespace
}  // namespace talvex
