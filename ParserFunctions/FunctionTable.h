// The built-in functions, handed to the calculating parser by its host:
//   TCalcParser Parser(BuiltinFunctions());
#pragma once

#include "parser/MathParser.h"

namespace talvex {

// The rows in their fixed registration order (also the search order among
// the functions); static, so they outlive every parser.
TFunctionTable BuiltinFunctions();

}  // namespace talvex
