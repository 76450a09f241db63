#include "ParserFunctions/Financial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "ParserLib/RuntimeErrors.h"

namespace talvex {
namespace {

void ExpectClose(long double Got, long double Want, long double Tolerance) {
  EXPECT_LE(std::fabs(Got - Want), Tolerance * std::fabs(Want)) << static_cast<double>(Got)
                                                                << " against " << static_cast<double>(Want);
}

TEST(FinancialRoutines, CompoundFactorByRepeatedSquaring) {
  EXPECT_EQ(Compound(1, 10), 1024);
  EXPECT_EQ(Compound(1, -2), 0.25L);
  EXPECT_EQ(Compound(-0.5L, 3), 0.125L);
  EXPECT_EQ(Compound(0.5L, 0), 1);
  // Beyond the extended range the factor is an infinity for callers to test;
  // its reciprocal underflows quietly, even for the most negative count.
  EXPECT_EQ(Compound(1, 20000), std::numeric_limits<long double>::infinity());
  EXPECT_EQ(Compound(1, -20000), 0);
  EXPECT_EQ(Compound(1, INT32_MIN), 0);
}

// The exact annuity factors come from mpmath: expm1(n log1p(r)) / r.
TEST(FinancialRoutines, AnnuityFactorOnBothSidesOfTheSmallRate) {
  const TAnnuity Zero = Annuity(0, 100, ptStartOfPeriod);
  EXPECT_EQ(Zero.Factor, 100);  // no start-of-period factor at a zero rate
  EXPECT_EQ(Zero.Compound, 1);

  // Just below 6.1e-5: the second-order factor n (1 + (n - 1) r / 2), a few
  // units in the 7th digit off, while the compound factor stays exact.
  const TAnnuity Below = Annuity(6e-5L, 100, ptEndOfPeriod);
  ExpectClose(Below.Factor, 100.297L, 1e-18L);
  ExpectClose(Below.Compound, 1 + 100.2975829679612539465L * 6e-5L, 1e-17L);
  EXPECT_GT(std::fabs(Below.Factor - 100.2975829679612539465L), 5e-4L);

  const TAnnuity Above = Annuity(6.2e-5L, 100, ptEndOfPeriod);
  ExpectClose(Above.Factor, 100.3075225104512784804L, 1e-14L);
  const TAnnuity AboveAtStart = Annuity(6.2e-5L, 100, ptStartOfPeriod);
  ExpectClose(AboveAtStart.Factor, 100.3075225104512784804L * (1 + 6.2e-5L), 1e-14L);
}

// Past a compound factor of 1e16 the present value and the payment are the
// limits of their formulas, so they run on smoothly across it.
TEST(FinancialRoutines, PresentValueAndPaymentAcrossTheCompoundLimit) {
  // 2^53 is below 1e16, 2^54 above.
  EXPECT_EQ(PresentValue(1, 53, -1, 0, ptEndOfPeriod), 1 - 0x1p-53L);
  EXPECT_EQ(PresentValue(1, 54, -1, 0, ptEndOfPeriod), 1);
  EXPECT_EQ(PresentValue(1, 53, -1, 0, ptStartOfPeriod), 2 - 0x1p-52L);
  EXPECT_EQ(PresentValue(1, 54, -1, 0, ptStartOfPeriod), 2);
  ExpectClose(Payment(1, 53, 1000, 0, ptEndOfPeriod), -1000 / (1 - 0x1p-53L), 1e-18L);
  EXPECT_EQ(Payment(1, 54, 1000, 0, ptEndOfPeriod), -1000);
  EXPECT_EQ(Payment(1, 54, 1000, 0, ptStartOfPeriod), -500);
  // A million periods at a small rate: the factor is e^60, and the limit
  // 1/r is the exact present value to every shown digit.
  ExpectClose(PresentValue(6e-5L, 1000000, -1, 0, ptEndOfPeriod), 16666.666666666666667L, 1e-18L);
  // The future value has no limit and is refused.
  EXPECT_THROW(FutureValue(1, 54, -1, 0, ptEndOfPeriod), EInvalidArgument);
  EXPECT_EQ(FutureValue(1, 53, -1, 0, ptEndOfPeriod), 0x1p53L - 1);
}

// Rates within a few millionths of a percent of 0 still settle, and to the
// digits their inputs carry (references from mpmath).
TEST(FinancialRoutines, InterestRateNearZero) {
  EXPECT_EQ(InterestRate(10, -100, 1000, 0, ptEndOfPeriod), 0);
  EXPECT_EQ(InterestRate(10, -100, 1000, 0, ptStartOfPeriod), 0);
  ExpectClose(InterestRate(10, -100, 999.999999L, 0, ptEndOfPeriod), 1.818181819504132233e-10L, 1e-8L);
  ExpectClose(InterestRate(10, -100, 1000.000001L, 0, ptEndOfPeriod), -1.818181816859504133e-10L, 1e-8L);
  ExpectClose(InterestRate(10, -100, 999.99999999L, 0, ptEndOfPeriod), 1.818181818195041322e-12L, 1e-6L);
}

TEST(FinancialRoutines, InterestRateOfAPerpetuity) {
  // e^(nT) vanishes beside 1 long before the iteration settles: the rate is
  // then the payment over the loan.
  EXPECT_EQ(InterestRate(1000, -60, 1000, 0, ptEndOfPeriod), 0.06L);
  EXPECT_EQ(InterestRate(2147483647, -100, 1000, 0, ptEndOfPeriod), 0.1L);
}

}  // namespace
}  // namespace talvex
