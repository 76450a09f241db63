// Conversions between degrees, radians, grads and degrees-minutes-seconds.
// They ignore the parser's angle unit: the unit is in the name.
#include "ParserFunctions/Functions.h"
#include "ParserLib/Exact.h"
#include "ParserLib/RealMath.h"

namespace talvex {
namespace {

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
