// Conversions between degrees, radians, grads and degrees-minutes-seconds.
// They ignore the parser's angle unit: the unit is in the name.
#include "ParserFunctions/Functions.h"
#include "ParserLib/Exact.h"

namespace talvex {
namespace {

// Each the exact ratio rounded to 80 bits.
constexpr Extended DegreesToRadians = 0x8efa351294e9c8aep-69L;
constexpr Extended RadiansToDegrees = 0xe52ee0d31e0fbdc3p-58L;
constexpr Extended GradsToRadians = 0x80adfc90b938ce36p-69L;
constexpr Extended RadiansToGrads = 0xfea5dd5c5a4a6112p-58L;

void StoreProduct(const TCalcValue& X, Extended Factor, TCalcValue& Result) {
  SetReal(Result, CheckReal(AsReal(X) * Factor));
}

}  // namespace

TALVEX_PROC(FnDegToRad) { StoreProduct(Args[0], DegreesToRadians, Result); }
TALVEX_PROC(FnRadToDeg) { StoreProduct(Args[0], RadiansToDegrees, Result); }
TALVEX_PROC(FnGradToRad) { StoreProduct(Args[0], GradsToRadians, Result); }
TALVEX_PROC(FnRadToGrad) { StoreProduct(Args[0], RadiansToGrads, Result); }

// Through radians, two multiplications in this order.
TALVEX_PROC(FnDegToGrad) {
  SetReal(Result, CheckReal(CheckReal(AsReal(Args[0]) * DegreesToRadians) * RadiansToGrads));
}

TALVEX_PROC(FnGradToDeg) {
  SetReal(Result, CheckReal(CheckReal(AsReal(Args[0]) * GradsToRadians) * RadiansToDegrees));
}

TALVEX_PROC(FnDMSToDeg) { SetReal(Result, static_cast<Extended>(AsDegrees(Args[0])) / 3600); }

TALVEX_PROC(FnDegToDMS) { SetDegrees(Result, RoundToInt64(CheckReal(AsReal(Args[0]) * 3600))); }

}  // namespace talvex
