// Angles in and out of the parser's unit, shared by the trigonometric and
// hyperbolic functions.
#pragma once

#include "parser/MathParser.h"

namespace talvex {

// The argument in radians, by the parser's angle unit (a degrees value is
// always taken in degrees).
inline Extended Radians(const TOperator& Op, const TCalcValue& Argument) { return AngleInRadians(*Op.Parser, Argument); }

// A result in radians stored in the parser's angle unit.
inline void StoreAngle(const TOperator& Op, Extended Radians, TCalcValue& Result) {
  TCalcValue R;
  SetReal(R, Radians);
  RadiansToAngle(*Op.Parser, R, Result);
}

}  // namespace talvex
