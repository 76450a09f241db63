// FVal, PVAL, Paymt, IPaymt, PPaymt, NPer, IRate, IRR, NPV, SLN, SYD and DDB:
// rates in percent, counts in 32 bits, then one routine of Financial.h.
#include <cfloat>
#include <cmath>
#include <vector>

#include "ParserFunctions/Financial.h"
#include "ParserFunctions/Functions.h"
#include "ParserLib/Exact.h"
#include "ParserLib/Messages.h"

namespace talvex {
namespace {

Extended Rate(const TCalcValue& V) { return AsReal(V) / 100; }

// Periods, a period and a life: the low 32 bits, signed.
int32_t Count(const TCalcValue& V) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(AsInteger(V))));
}

uint8_t FlagBits(const TCalcValue& V) { return static_cast<uint8_t>(Count(V)); }

// The two readings of the payment-time flag: for the annuity functions only 1
// means the start of the period, for IRate and NPV anything but 0 does.
TPaymentTime StartIfOne(const TCalcValue& V) {
  return FlagBits(V) == 1 ? ptStartOfPeriod : ptEndOfPeriod;
}
TPaymentTime StartUnlessZero(const TCalcValue& V) {
  return FlagBits(V) == 0 ? ptEndOfPeriod : ptStartOfPeriod;
}

// A cash flow is kept in double precision; a value beyond the double range
// overflows as the processor's store would.
double CashFlow(const TCalcValue& V) {
  constexpr long double Overflow = static_cast<long double>(DBL_MAX) + 0x1p970L;
  const Extended X = AsReal(V);
  if (!(std::fabs(X) < Overflow)) throw EOverflow();
  return static_cast<double>(X);
}

std::vector<double> CashFlows(std::span<const TCalcValue> Args) {
  std::vector<double> Flows;
  Flows.reserve(Args.size());
  for (const TCalcValue& V : Args) Flows.push_back(CashFlow(V));
  return Flows;
}

void RequireArguments(std::span<const TCalcValue> Args, std::size_t Minimum, const char* Word) {
  if (Args.size() < Minimum) throw EParserException::CreateFmt(msg::NotEnoughArguments, {Word});
}

}  // namespace

TALVEX_PROC(FnFVal) {
  const Extended R = Rate(Args[0]);
  const int32_t N = Count(Args[1]);
  const Extended Pmt = AsReal(Args[2]), PV = AsReal(Args[3]);
  SetReal(Result, FutureValue(R, N, Pmt, PV, StartIfOne(Args[4])));
}

TALVEX_PROC(FnPVal) {
  const Extended R = Rate(Args[0]);
  const int32_t N = Count(Args[1]);
  const Extended Pmt = AsReal(Args[2]), FV = AsReal(Args[3]);
  SetReal(Result, PresentValue(R, N, Pmt, FV, StartIfOne(Args[4])));
}

TALVEX_PROC(FnPaymt) {
  const Extended R = Rate(Args[0]);
  const int32_t N = Count(Args[1]);
  const Extended PV = AsReal(Args[2]), FV = AsReal(Args[3]);
  SetReal(Result, Payment(R, N, PV, FV, StartIfOne(Args[4])));
}

TALVEX_PROC(FnIPaymt) {
  const Extended R = Rate(Args[0]);
  const int32_t K = Count(Args[1]), N = Count(Args[2]);
  const Extended PV = AsReal(Args[3]), FV = AsReal(Args[4]);
  SetReal(Result, InterestPayment(R, K, N, PV, FV, StartIfOne(Args[5])));
}

TALVEX_PROC(FnPPaymt) {
  const Extended R = Rate(Args[0]);
  const int32_t K = Count(Args[1]), N = Count(Args[2]);
  const Extended PV = AsReal(Args[3]), FV = AsReal(Args[4]);
  SetReal(Result, PeriodPayment(R, K, N, PV, FV, StartIfOne(Args[5])));
}

TALVEX_PROC(FnNPer) {
  const Extended R = Rate(Args[0]);
  const Extended Pmt = AsReal(Args[1]), PV = AsReal(Args[2]), FV = AsReal(Args[3]);
  SetInteger(Result, RoundToInt64(NumberOfPeriods(R, Pmt, PV, FV, StartIfOne(Args[4]))));
}

TALVEX_PROC(FnIRate) {
  const int32_t N = Count(Args[0]);
  // The payment is read as a whole number.
  const auto Pmt = static_cast<Extended>(AsInteger(Args[1]));
  const Extended PV = AsReal(Args[2]), FV = AsReal(Args[3]);
  SetReal(Result, CheckReal(InterestRate(N, Pmt, PV, FV, StartUnlessZero(Args[4])) * 100));
}

TALVEX_PROC(FnIRR) {
  RequireArguments(Args, 3, "IRR");
  const Extended Guess = Rate(Args[0]);
  const std::vector<double> Flows = CashFlows(Args.subspan(1));
  SetReal(Result, CheckReal(InternalRateOfReturn(Guess, Flows) * 100));
}

TALVEX_PROC(FnNPV) {
  RequireArguments(Args, 4, "NPV");
  const Extended R = Rate(Args[0]);
  const TPaymentTime PaymentTime = StartUnlessZero(Args[1]);
  const std::vector<double> Flows = CashFlows(Args.subspan(2));
  SetReal(Result, NetPresentValue(R, Flows, PaymentTime));
}

TALVEX_PROC(FnSLN) {
  const Extended Cost = AsReal(Args[0]), Salvage = AsReal(Args[1]);
  SetReal(Result, SLNDepreciation(Cost, Salvage, Count(Args[2])));
}

TALVEX_PROC(FnSYD) {
  const Extended Cost = AsReal(Args[0]), Salvage = AsReal(Args[1]);
  const int32_t Life = Count(Args[2]), Period = Count(Args[3]);
  SetReal(Result, SYDDepreciation(Cost, Salvage, Life, Period));
}

TALVEX_PROC(FnDDB) {
  const Extended Cost = AsReal(Args[0]), Salvage = AsReal(Args[1]);
  const int32_t Life = Count(Args[2]), Period = Count(Args[3]);
  SetReal(Result, DDBDepreciation(Cost, Salvage, Life, Period));
}

}  // namespace talvex
