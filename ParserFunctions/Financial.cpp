#include "ParserFunctions/Financial.h"

#include <cmath>
#include <limits>
#include <utility>

#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"
#include "ParserLib/RuntimeErrors.h"
#include "ParserLib/X87.h"

namespace talvex {
namespace {

constexpr long double Infinity = std::numeric_limits<long double>::infinity();

// Below this rate (about 2^-14) 1 + r loses too many digits for repeated
// squaring, so the compound factor goes through ln(1 + r) instead.
constexpr long double SmallRate = 6.1e-5L;
// Beyond this compound factor the future value is refused and the present
// value and the payment take their limits.
constexpr long double CompoundLimit = 1e16L;
constexpr int MaxIterations = 15;

[[noreturn]] void Refuse(const char* Routine) { throw EInvalidArgument(Routine); }

// A / B as the processor would have it: a zero divisor is an error, never an infinity.
long double Divide(long double A, long double B) {
  if (B == 0) {
    if (A == 0) throw EInvalidOp();
    throw EZeroDivide();
  }
  return CheckReal(A / B);
}

// e^X, or an infinity from just below the largest extended number on.
long double ExpOrInfinity(long double X) { return X > 11356.5L ? Infinity : Exp(X); }

// e^X - 1 without forming e^X first: near a zero rate that subtraction would
// cost the rates their last digits and keep the interest-rate iteration from
// ever settling.
long double ExpM1(long double X) {
  const long double F = X * Log2E;
  return std::fabs(F) < 0.5L ? x87::Exp2M1(F) : CheckReal(Exp(X) - 1);
}

// The step of a Newton iteration is small enough to stop.
bool Settled(long double Step, long double X) {
  return std::fabs(Step) < 1e-15L + 1e-12L * std::fabs(X);
}

long double StartFactor(long double Rate, TPaymentTime PaymentTime) {
  return PaymentTime == ptStartOfPeriod ? 1 + Rate : 1;
}

struct TPaymentParts {
  long double Interest, Principal;
};

TPaymentParts PaymentParts(long double Rate, int32_t Period, int32_t NPeriods, long double PV,
                           long double FV, TPaymentTime PaymentTime, const char* Routine) {
  if (Rate <= -1 || Period < 1 || Period > NPeriods) Refuse(Routine);
  const long double Before = CheckReal(Compound(Rate, Period - 1));
  const TAnnuity A = Annuity(Rate, NPeriods, PaymentTime);
  const long double All = CheckReal(A.Compound);
  const long double Factor = CheckReal(A.Factor);
  return {Divide(CheckReal((Before - 1) * FV - (All - Before) * PV), Factor),
          Divide(CheckReal((-FV - PV) * Before), Factor)};
}

}  // namespace

long double Compound(long double Rate, int32_t N) {
  const long double Power = IntPower(1 + Rate, N < 0 ? -int64_t{N} : int64_t{N});
  if (N >= 0) return Power;
  return Power == 0 ? Infinity : 1 / Power;
}

TAnnuity Annuity(long double Rate, int32_t N, TPaymentTime PaymentTime) {
  const long double Periods = N;
  if (Rate == 0) return {Periods, 1};
  TAnnuity A;
  if (std::fabs(Rate) < SmallRate) {
    A.Compound = ExpOrInfinity(Periods * LnXP1(Rate));
    A.Factor = Periods * (1 + (Periods - 1) * Rate / 2);
  } else {
    A.Compound = Compound(Rate, N);
    A.Factor = (A.Compound - 1) / Rate;
  }
  A.Factor *= StartFactor(Rate, PaymentTime);
  return A;
}

long double FutureValue(long double Rate, int32_t NPeriods, long double Pmt, long double PV,
                        TPaymentTime PaymentTime) {
  if (Rate <= -1) Refuse("FutureValue");
  const TAnnuity A = Annuity(Rate, NPeriods, PaymentTime);
  if (A.Compound > CompoundLimit) Refuse("FutureValue");
  return CheckReal(-Pmt * A.Factor - PV * A.Compound);
}

long double PresentValue(long double Rate, int32_t NPeriods, long double Pmt, long double FV,
                         TPaymentTime PaymentTime) {
  if (Rate <= -1) Refuse("PresentValue");
  const TAnnuity A = Annuity(Rate, NPeriods, PaymentTime);
  // Past the limit the ordinary formula only loses digits on its way to
  // -p (1 + t r) / r, so that value is returned (Rate is not 0 here: a zero
  // rate has compound factor 1).
  if (A.Compound > CompoundLimit) return Divide(CheckReal(-Pmt * StartFactor(Rate, PaymentTime)), Rate);
  return Divide(CheckReal(-Pmt * A.Factor - FV), A.Compound);
}

long double Payment(long double Rate, int32_t NPeriods, long double PV, long double FV,
                    TPaymentTime PaymentTime) {
  if (Rate <= -1) Refuse("Payment");
  const TAnnuity A = Annuity(Rate, NPeriods, PaymentTime);
  // The limit of the ordinary formula, -v r / (1 + t r) with t the start flag.
  if (A.Compound > CompoundLimit) return Divide(CheckReal(-PV * Rate), StartFactor(Rate, PaymentTime));
  return Divide(CheckReal(-PV * A.Compound - FV), A.Factor);
}

long double InterestPayment(long double Rate, int32_t Period, int32_t NPeriods, long double PV,
                            long double FV, TPaymentTime PaymentTime) {
  return PaymentParts(Rate, Period, NPeriods, PV, FV, PaymentTime, "InterestPayment").Interest;
}

long double PeriodPayment(long double Rate, int32_t Period, int32_t NPeriods, long double PV,
                          long double FV, TPaymentTime PaymentTime) {
  return PaymentParts(Rate, Period, NPeriods, PV, FV, PaymentTime, "PeriodPayment").Principal;
}

long double NumberOfPeriods(long double Rate, long double Pmt, long double PV, long double FV,
                            TPaymentTime PaymentTime) {
  if (Rate <= -1) Refuse("NumberOfPeriods");
  Pmt = CheckReal(Pmt * StartFactor(Rate, PaymentTime));
  const long double D = CheckReal(PV * Rate + Pmt);
  if (D == 0) Refuse("NumberOfPeriods");
  const long double Owed = CheckReal(-(PV + FV));
  if (std::fabs(Rate) < SmallRate) return Divide(Owed, D);
  const long double Q = Divide(CheckReal(Owed * Rate), D);
  if (Q <= -1) Refuse("NumberOfPeriods");
  return Divide(LnXP1(Q), LnXP1(Rate));
}

// The payments become the cash flow First, Pmt, ..., Pmt, Last with First < 0
// and Pmt, Last >= 0; T is the log of the growth factor, found by Newton's
// method on ln(F(T) / -First) with F(T) = Pmt (e^T + ... + e^((n-1)T)) + Last e^(nT).
long double InterestRate(int32_t NPeriods, long double Pmt, long double PV, long double FV,
                         TPaymentTime PaymentTime) {
  if (NPeriods <= 0) Refuse("InterestRate");
  const long double N = NPeriods;
  long double First = PaymentTime == ptEndOfPeriod ? PV : CheckReal(PV + Pmt);
  long double Last = PaymentTime == ptEndOfPeriod ? CheckReal(FV + Pmt) : FV;
  bool Reverse = false;
  if (First * Pmt > 0) {
    Reverse = true;
    std::swap(First, Last);
  }
  if (First > 0) {
    First = -First;
    Pmt = -Pmt;
    Last = -Last;
  }
  if (First == 0 || Last < 0) Refuse("InterestRate");

  long double T = 0;
  for (int I = 0; I < MaxIterations; ++I) {
    const long double E = Exp(N * T);
    // Once e^(nT) vanishes beside 1 the flows are a perpetuity, whose rate is
    // the payment over the first flow. (While e^(nT) is huge they are not:
    // the iteration has to go on.)
    if (E + 1 == 1) {
      const long double Q = Divide(-Pmt, First);
      return Reverse ? ExpM1(-LnXP1(Q)) : Q;
    }
    const long double E1 = Exp(T);
    const long double M = ExpM1(T);
    long double S, D;
    if (M == 0) {
      // The limits of the sums below at T = 0.
      S = N - 1;
      D = N * (N - 1) / 2;
    } else {
      S = Divide(CheckReal(E1 * ExpM1((N - 1) * T)), M);
      D = Divide(CheckReal(N * E - E1 - S * E1), M);
    }
    const long double F = CheckReal(Pmt * S + Last * E);
    const long double Step = Divide(Ln(Divide(F, -First)), Divide(CheckReal(Pmt * D + N * Last * E), F));
    T = CheckReal(T - Step);
    if (Settled(Step, T)) return ExpM1(Reverse ? T : -T);
  }
  Refuse("InterestRate");
}

// Newton's method on X, the log of the discount factor V = e^X, for
// ln(-Neg(V) / Pos(V)) = 0 where Pos and Neg sum the positive and the negative
// flows discounted by V^i.
long double InternalRateOfReturn(long double Guess, std::span<const double> CashFlows) {
  std::size_t Outflows = 0;  // up to and including the last negative flow
  for (std::size_t I = CashFlows.size(); I-- > 0;)
    if (CashFlows[I] < 0) {
      Outflows = I + 1;
      break;
    }
  // While the running balance stays negative up to the last outflow, a zero
  // rate is a safe start; otherwise the guess is.
  bool StartAtZero = Outflows > 0;
  double Balance = 0;
  for (std::size_t I = 0; I < Outflows; ++I) {
    Balance += CashFlows[I];
    if (!std::isfinite(Balance)) throw EOverflow();
    if (Balance >= 0) StartAtZero = false;
  }
  long double X = 0;
  if (!StartAtZero) {
    if (Guess <= -1) Refuse("InternalRateOfReturn");
    X = -LnXP1(Guess);
  }

  for (int Iteration = 0; Iteration < MaxIterations; ++Iteration) {
    const long double V = Exp(X);
    long double Pos = 0, Neg = 0, DPos = 0, DNeg = 0;
    for (std::size_t I = CashFlows.size(); I-- > 0;) {
      const long double C = CashFlows[I];
      const long double Moment = static_cast<long double>(I) * C;
      const bool Inflow = C >= 0;
      Pos = Pos * V + (Inflow ? C : 0);
      Neg = Neg * V + (Inflow ? 0 : C);
      DPos = DPos * V + (Inflow ? Moment : 0);
      DNeg = DNeg * V + (Inflow ? 0 : Moment);
    }
    Pos = CheckReal(Pos);
    Neg = CheckReal(Neg);
    DPos = CheckReal(DPos);
    DNeg = CheckReal(DNeg);
    if (Pos <= Neg) Refuse("InternalRateOfReturn");
    if (Neg >= 0 || Pos <= 0) return -1;
    const long double Slope = CheckReal(Divide(DNeg, Neg) - Divide(DPos, Pos));
    const long double Step = Divide(Ln(Divide(-Neg, Pos)), Slope);
    X = CheckReal(X - Step);
    if (Settled(Step, X)) return ExpM1(-X);
  }
  Refuse("InternalRateOfReturn");
}

long double NetPresentValue(long double Rate, std::span<const double> CashFlows,
                            TPaymentTime PaymentTime) {
  if (Rate <= -1) Refuse("NetPresentValue");
  const long double D = 1 / (1 + Rate);
  long double Sum = 0;
  for (std::size_t I = CashFlows.size(); I-- > 0;) Sum = D * Sum + CashFlows[I];
  return CheckReal(PaymentTime == ptEndOfPeriod ? D * Sum : Sum);
}

long double SLNDepreciation(long double Cost, long double Salvage, int32_t Life) {
  if (Life <= 0) Refuse("SLNDepreciation");
  return CheckReal(CheckReal(Cost - Salvage) / Life);
}

long double SYDDepreciation(long double Cost, long double Salvage, int32_t Life, int32_t Period) {
  if (Period < 1 || Period > Life || Salvage >= Cost) return 0;
  // Formed in 64 bits: Life (Life + 1) outgrows 32 bits from a life of 46341 on.
  const int64_t Remaining = 2 * (int64_t{Life} - Period + 1);
  const int64_t Digits = int64_t{Life} * (int64_t{Life} + 1);
  return CheckReal(CheckReal(Cost - Salvage) * static_cast<long double>(Remaining) /
                   static_cast<long double>(Digits));
}

long double DDBDepreciation(long double Cost, long double Salvage, int32_t Life, int32_t Period) {
  if (Period < 1 || Life < Period || Life < 1 || Salvage >= Cost) return 0;
  // One or two periods: everything goes in the first.
  if (Life <= 2) return Period == 1 ? CheckReal(Cost - Salvage) : 0;
  const long double Factor = 2.0L / Life;
  const long double Book = CheckReal(Cost * IntPower(1 - Factor, Period - 1));
  long double Result = Factor * Book;
  const long double Left = CheckReal(Book - Salvage);
  if (Result > Left) Result = Left;
  if (Result < 0) Result = 0;
  return Result;
}

}  // namespace talvex
