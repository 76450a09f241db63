// Angles in and out of the parser's unit, shared by the trigonometric and
// hyperbolic functions.
#pragma once

#include "parser/MathParser.h"

namespace talvex {

// The argument in radians, by the parser's angle unit (a degrees value is
// always taken in degrees).
inline Extended Radians(const TOperator& Op, const TCalcValue& Argument) {
  // A number in radians is its own value (the conversion stores it and reads it back unchanged).
  if (Op.Parser->AngleUnit == 1 && Argument.Kind == vkReal) return Argument.RealValue;
  if (Op.Parser->AngleUnit == 1 && Argument.Kind == vkInteger) return static_cast<Extended>(Argument.Numerator);
  TCalcValue R;
  AngleToRadians(*Op.Parser, Argument, R);
  return AsReal(R);
}

// A result in radians stored in the parser's angle unit.
inline void StoreAngle(const TOperator& Op, Extended Radians, TCalcValue& Result) {
  TCalcValue R;
  SetReal(R, Radians);
  RadiansToAngle(*Op.Parser, R, Result);
}

}  // namespace talvex
