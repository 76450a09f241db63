// The hyperbolic functions and their inverses. Like the circular ones they
// take and give angles in the parser's unit.
#include <cmath>

#include "ParserFunctions/FunctionSupport.h"
#include "ParserFunctions/Functions.h"
#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

// Where e^2t would overflow tanh is +-1 to the last bit anyway.
constexpr Extended TanhLimit = 5678.22249441322L;
constexpr Extended LargeArgument = 1e10L;

// e^t - 1 for |t| < 0.5, without the cancellation of forming e^t first.
Extended ExpMinusOne(Extended T) { return x87::Exp2M1(T * Log2E); }

Extended WithSignOf(Extended X, Extended Magnitude) { return X < 0 ? -Magnitude : Magnitude; }

}  // namespace

// sinh and cosh are computed on |t| and given their symmetry, so both overflow
// at the same magnitude; near 0 sinh comes from e^t - 1, where e - 0.25/e would
// cancel its digits away.
TALVEX_PROC(FnSinh) {
  const Extended T = Radians(Op, Args[0]);
  const Extended A = std::fabs(T);
  Extended S;
  if (A < 0.5L) {
    const Extended U = ExpMinusOne(A);
    S = (U + U / (U + 1)) / 2;
  } else {
    const Extended E = Exp(A) / 2;
    S = CheckReal(E - 0.25L / E);
  }
  SetReal(Result, WithSignOf(T, S));
}

TALVEX_PROC(FnCosh) {
  const Extended E = Exp(std::fabs(Radians(Op, Args[0]))) / 2;
  SetReal(Result, CheckReal(E + 0.25L / E));
}

TALVEX_PROC(FnTanh) {
  const Extended T = Radians(Op, Args[0]);
  const Extended A = std::fabs(T);
  Extended H;
  if (A > TanhLimit) {
    H = 1;
  } else if (A < 0.5L) {
    // a^2 - 1 = u (u + 2) with u = e^t - 1.
    const Extended U = ExpMinusOne(A);
    const Extended N = U * (U + 2);
    H = N / (N + 2);
  } else {
    const Extended E = Exp(A);
    const Extended Square = E * E;
    H = (Square - 1) / (Square + 1);
  }
  SetReal(Result, WithSignOf(T, H));
}

TALVEX_PROC(FnArcSinh) {
  const Extended X = AsReal(Args[0]);
  if (X == 0) {
    StoreAngle(Op, 0, Result);
    return;
  }
  const Extended A = std::fabs(X);
  Extended R;
  if (A > LargeArgument)
    R = Ln2 + Ln(A);
  else
    R = LnXP1(A + A * A / (std::sqrt(A * A + 1) + 1));
  StoreAngle(Op, WithSignOf(X, R), Result);
}

TALVEX_PROC(FnArcCosh) {
  const Extended X = AsReal(Args[0]);
  Extended R;
  if (X <= 1)
    R = 0;
  else if (X > LargeArgument)
    R = Ln2 + Ln(X);
  else
    // ln(x + sqrt(x^2 - 1)) as ln(1 + u): x - 1 is exact next to 1, where the
    // logarithm of the formed sum would lose half its digits.
    R = LnXP1((X - 1) + std::sqrt((X - 1) * (X + 1)));
  StoreAngle(Op, R, Result);
}

TALVEX_PROC(FnArcTanh) {
  const Extended X = AsReal(Args[0]);
  if (X == 0) {
    StoreAngle(Op, 0, Result);
    return;
  }
  const Extended A = std::fabs(X);
  // |x| >= 1 is not refused: it gives the largest round number below the overflow.
  const Extended R = A >= 1 ? 1.1e4932L : 0.5L * LnXP1(2 * A / (1 - A));
  StoreAngle(Op, WithSignOf(X, R), Result);
}

}  // namespace talvex
