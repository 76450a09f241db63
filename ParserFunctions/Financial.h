// The financial routines behind FVal, PVAL, Paymt, IPaymt, PPaymt, NPer, IRate,
// IRR, NPV, SLN, SYD and DDB, in 80-bit arithmetic. Rates are fractions (0.1
// for 10 %). Every routine returns a finite result or raises: EInvalidArgument
// (named after the routine) for arguments it refuses, EZeroDivide, EInvalidOp
// or EOverflow where the arithmetic itself fails.
#pragma once

#include <cstdint>
#include <span>

namespace talvex {

enum TPaymentTime : uint8_t { ptEndOfPeriod = 0, ptStartOfPeriod = 1 };

// (1 + Rate) ^ N by repeated squaring, the reciprocal for a negative N. An
// overflow gives an infinity: callers compare it against their limits.
long double Compound(long double Rate, int32_t N);

struct TAnnuity {
  long double Factor = 0;    // the sum of the compound factors of the payments
  long double Compound = 1;  // (1 + Rate) ^ N, as the factor used it
};
TAnnuity Annuity(long double Rate, int32_t N, TPaymentTime PaymentTime);

long double FutureValue(long double Rate, int32_t NPeriods, long double Pmt, long double PV,
                        TPaymentTime PaymentTime);
long double PresentValue(long double Rate, int32_t NPeriods, long double Pmt, long double FV,
                         TPaymentTime PaymentTime);
long double Payment(long double Rate, int32_t NPeriods, long double PV, long double FV,
                    TPaymentTime PaymentTime);
// The interest and the principal part of the payment of one Period (1..NPeriods).
long double InterestPayment(long double Rate, int32_t Period, int32_t NPeriods, long double PV,
                            long double FV, TPaymentTime PaymentTime);
long double PeriodPayment(long double Rate, int32_t Period, int32_t NPeriods, long double PV,
                          long double FV, TPaymentTime PaymentTime);
long double NumberOfPeriods(long double Rate, long double Pmt, long double PV, long double FV,
                            TPaymentTime PaymentTime);
// Newton's method, at most 15 steps; EInvalidArgument when it has not settled.
long double InterestRate(int32_t NPeriods, long double Pmt, long double PV, long double FV,
                         TPaymentTime PaymentTime);
long double InternalRateOfReturn(long double Guess, std::span<const double> CashFlows);
long double NetPresentValue(long double Rate, std::span<const double> CashFlows,
                            TPaymentTime PaymentTime);

long double SLNDepreciation(long double Cost, long double Salvage, int32_t Life);
long double SYDDepreciation(long double Cost, long double Salvage, int32_t Life, int32_t Period);
long double DDBDepreciation(long double Cost, long double Salvage, int32_t Life, int32_t Period);

}  // namespace talvex
