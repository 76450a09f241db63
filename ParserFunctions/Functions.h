// The procedures of the built-in functions, by family (the numeric five that
// share the operators' arithmetic are in parser/Operators.h).
#pragma once

#include "parser/Operators.h"

namespace talvex {

// Memory cells and variables.
TALVEX_PROC(FnClearCell);
TALVEX_PROC(FnClearCells);
TALVEX_PROC(FnCellIsEmpty);
TALVEX_PROC(FnDefineVar);
TALVEX_PROC(FnDeleteVar);

// Trigonometric and hyperbolic functions and their inverses.
TALVEX_PROC(FnSin);
TALVEX_PROC(FnSinh);
TALVEX_PROC(FnArcSin);
TALVEX_PROC(FnArcSinh);
TALVEX_PROC(FnCos);
TALVEX_PROC(FnCosh);
TALVEX_PROC(FnArcCos);
TALVEX_PROC(FnArcCosh);
TALVEX_PROC(FnTan);
TALVEX_PROC(FnTanh);
TALVEX_PROC(FnArcTan);
TALVEX_PROC(FnArcTanh);
TALVEX_PROC(FnCosec);
TALVEX_PROC(FnArcSec);
TALVEX_PROC(FnArcCosec);
TALVEX_PROC(FnSec);

// Logarithms, exponential, hypot, fact.
TALVEX_PROC(FnLn);
TALVEX_PROC(FnLog10);
TALVEX_PROC(FnLog2);
TALVEX_PROC(FnLog);
TALVEX_PROC(FnExp);
TALVEX_PROC(FnHypot);
TALVEX_PROC(FnFact);

// Angle unit conversions.
TALVEX_PROC(FnDegToGrad);
TALVEX_PROC(FnDegToRad);
TALVEX_PROC(FnGradToRad);
TALVEX_PROC(FnGradToDeg);
TALVEX_PROC(FnRadToDeg);
TALVEX_PROC(FnRadToGrad);
TALVEX_PROC(FnDMSToDeg);
TALVEX_PROC(FnDegToDMS);

// Statistics over argument lists.
TALVEX_PROC(FnSum);
TALVEX_PROC(FnSumSq);
TALVEX_PROC(FnAvg);
TALVEX_PROC(FnNorm);
TALVEX_PROC(FnMin);
TALVEX_PROC(FnMax);
TALVEX_PROC(FnStd);
TALVEX_PROC(FnStdP);
TALVEX_PROC(FnVarP);
TALVEX_PROC(FnVarS);
TALVEX_PROC(FnVarT);
TALVEX_PROC(FnCount);
TALVEX_PROC(FnMediana);

// Dates, times, the clock and random numbers.
TALVEX_PROC(FnSecToTime);
TALVEX_PROC(FnTimeToSec);
TALVEX_PROC(FnDayOfWeek);
TALVEX_PROC(FnDay);
TALVEX_PROC(FnMon);
TALVEX_PROC(FnYear);
TALVEX_PROC(FnNow);
TALVEX_PROC(FnEncodeDate);
TALVEX_PROC(FnEncodeTime);
TALVEX_PROC(FnHours);
TALVEX_PROC(FnMinutes);
TALVEX_PROC(FnSeconds);
TALVEX_PROC(FnRandom);
TALVEX_PROC(FnIsLeapYear);

// Text, type conversion and small numeric functions.
TALVEX_PROC(FnChr);
TALVEX_PROC(FnOrd);
TALVEX_PROC(FnLen);
TALVEX_PROC(FnPos);
TALVEX_PROC(FnString);
TALVEX_PROC(FnInteger);
TALVEX_PROC(FnReal);
TALVEX_PROC(FnBoolean);
TALVEX_PROC(FnDegrees);
TALVEX_PROC(FnTime);
TALVEX_PROC(FnDate);
TALVEX_PROC(FnFrac);
TALVEX_PROC(FnOdd);
TALVEX_PROC(FnSign);

// Financial functions.
TALVEX_PROC(FnFVal);
TALVEX_PROC(FnIPaymt);
TALVEX_PROC(FnIRate);
TALVEX_PROC(FnDDB);
TALVEX_PROC(FnNPer);
TALVEX_PROC(FnIRR);
TALVEX_PROC(FnNPV);
TALVEX_PROC(FnPaymt);
TALVEX_PROC(FnPPaymt);
TALVEX_PROC(FnPVal);
TALVEX_PROC(FnSLN);
TALVEX_PROC(FnSYD);

}  // namespace talvex
