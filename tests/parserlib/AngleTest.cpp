#include "ParserLib/Angle.h"

#include <gtest/gtest.h>

#include "ParserLib/RuntimeErrors.h"

namespace talvex {
namespace {

TEST(AngleTextToSeconds, CombinesTheMarkedParts) {
  struct Case { const char* Text; int64_t Seconds; };
  const Case Cases[] = {
      {"10D30'15''", 37815},
      {"10D15''", 36015},
      {"30'", 1800},
      {"10D", 36000},
      {"-10D30'", -34200},  // the sign belongs to the degrees only
      {"0D0'0''", 0},
      {"1D60'", 7200},      // no normalisation on input
      {"10D5", 36000},      // digits after the last mark are ignored
      {"10D30'7", 37800},
      {"15''", 15},
      {"10D-30'", 34200},
      // Parts combine in 64 bits: far beyond what 32-bit arithmetic could hold.
      {"596524D", 2147486400},
      {"2147483647D", 7730941129200},
      {"-2147483648D-2147483648'-2147483648''", -7861937635328},
  };
  for (const auto& C : Cases) EXPECT_EQ(AngleTextToSeconds(C.Text), C.Seconds) << C.Text;
}

TEST(AngleTextToSeconds, RefusesPartsThatAreNotIntegers) {
  const char* const Texts[] = {"xD", "D", "10D'", "''", "10D30'x''", "2147483648D", "1.5D", "5'3D", "10D 30 '"};
  for (const char* T : Texts) EXPECT_THROW(AngleTextToSeconds(T), EConvertError) << T;
}

TEST(SecondsToAngleText, TruncatesEachPartTowardZero) {
  struct Case { int64_t Seconds; const char* Text; };
  const Case Cases[] = {
      {0, "0D0'0''"},
      {37815, "10D30'15''"},
      {3600, "1D0'0''"},
      {-37800, "-10D-30'0''"},
      {-61, "0D-1'-1''"},
      {INT64_MAX, "2562047788015215D30'7''"},
      {INT64_MIN, "-2562047788015215D-30'-8''"},
  };
  for (const auto& C : Cases) EXPECT_EQ(SecondsToAngleText(C.Seconds), C.Text) << C.Seconds;
  const int64_t RoundTrips[] = {1, 59, 60, 3599, 3601, 1296000, 7730941129200, -3601};
  for (int64_t S : RoundTrips) EXPECT_EQ(AngleTextToSeconds(SecondsToAngleText(S)), S) << S;
}

}  // namespace
}  // namespace talvex
