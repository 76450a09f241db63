#include "ParserFunctions/FunctionTable.h"

#include <memory>

#include "ParserFunctions/Functions.h"
#include "parser/CalcParser.h"

namespace talvex {
namespace {

struct TFunctionRow {
  const char* Name;
  int ArgCount;  // -1: one or more; 0: written as a bare name
  TOperatorProc Proc;
};

// The registration order is also the search order among the functions.
constexpr TFunctionRow Rows[] = {
    {"ClearCell", 1, FnClearCell},
    {"ClearCells", 2, FnClearCells},
    {"CellIsEmpty", 1, FnCellIsEmpty},
    {"DefineVar", 2, FnDefineVar},
    {"DeleteVar", 1, FnDeleteVar},
    {"abs", 1, FnAbs},
    {"SQR", 1, FnSqr},
    {"SQRT", 1, FnSqrt},
    {"round", 2, FnRound},
    {"trunc", 1, FnTrunc},
    {"sin", 1, FnSin},
    {"sinh", 1, FnSinh},
    {"arcsin", 1, FnArcSin},
    {"arcsinh", 1, FnArcSinh},
    {"cos", 1, FnCos},
    {"cosh", 1, FnCosh},
    {"arccos", 1, FnArcCos},
    {"arccosh", 1, FnArcCosh},
    {"tan", 1, FnTan},
    {"tanh", 1, FnTanh},
    {"arctan", 1, FnArcTan},
    {"arctanh", 1, FnArcTanh},
    {"cosec", 1, FnCosec},
    {"arcsec", 1, FnArcSec},
    {"arccosec", 1, FnArcCosec},
    {"sec", 1, FnSec},
    {"ln", 1, FnLn},
    {"log10", 1, FnLog10},
    {"log2", 1, FnLog2},
    {"log", 2, FnLog},
    {"exp", 1, FnExp},
    {"hypot", 2, FnHypot},
    {"fact", 1, FnFact},
    {"DegToGrad", 1, FnDegToGrad},
    {"DegToRad", 1, FnDegToRad},
    {"GradToRad", 1, FnGradToRad},
    {"GradToDeg", 1, FnGradToDeg},
    {"RadToDeg", 1, FnRadToDeg},
    {"RadToGrad", 1, FnRadToGrad},
    {"sum", -1, FnSum},
    {"sumsq", -1, FnSumSq},
    {"avg", -1, FnAvg},
    {"norm", -1, FnNorm},
    {"min", -1, FnMin},
    {"max", -1, FnMax},
    {"std", -1, FnStd},
    {"stdp", -1, FnStdP},
    {"varp", -1, FnVarP},
    {"vars", -1, FnVarS},
    {"vart", -1, FnVarT},
    {"count", -1, FnCount},
    {"mediana", -1, FnMediana},
    {"SecToTime", 1, FnSecToTime},
    {"TimeToSec", 1, FnTimeToSec},
    {"DayOfWeek", 1, FnDayOfWeek},
    {"Day", 1, FnDay},
    {"Mon", 1, FnMon},
    {"Year", 1, FnYear},
    {"Now", 0, FnNow},
    {"EncodeDate", 3, FnEncodeDate},
    {"EncodeTime", 3, FnEncodeTime},
    {"Hours", 1, FnHours},
    {"Minutes", 1, FnMinutes},
    {"Seconds", 1, FnSeconds},
    {"Random", 1, FnRandom},
    {"IsLeapYear", 1, FnIsLeapYear},
    {"DMSToDeg", 1, FnDMSToDeg},
    {"DegToDMS", 1, FnDegToDMS},
    {"Chr", 1, FnChr},
    {"Ord", 1, FnOrd},
    {"Len", 1, FnLen},
    {"Lenght", 1, FnLen},
    {"Pos", 2, FnPos},
    {"String", 1, FnString},
    {"Integer", 1, FnInteger},
    {"Real", 1, FnReal},
    {"Boolean", 1, FnBoolean},
    {"Degrees", 1, FnDegrees},
    {"Time", 1, FnTime},
    {"Date", 1, FnDate},
    {"Int", 1, FnTrunc},
    {"Frac", 1, FnFrac},
    {"Odd", 1, FnOdd},
    {"Sign", 1, FnSign},
    {"FVal", 5, FnFVal},
    {"IPaymt", 6, FnIPaymt},
    {"IRate", 5, FnIRate},
    {"DDB", 4, FnDDB},
    {"NPer", 5, FnNPer},
    {"IRR", -1, FnIRR},
    {"NPV", -1, FnNPV},
    {"Paymt", 5, FnPaymt},
    {"PPaymt", 6, FnPPaymt},
    {"PVAL", 5, FnPVal},
    {"SLN", 3, FnSLN},
    {"SYD", 4, FnSYD},
};

}  // namespace

void RegisterFunctions(TCalcParser& Parser) {
  for (const TFunctionRow& Row : Rows)
    Parser.AddOperator(std::make_unique<TFunction>(&Parser, Row.Name, Row.ArgCount, Row.Proc));
}

}  // namespace talvex
