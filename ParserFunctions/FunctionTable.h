#pragma once

namespace talvex {

class TCalcParser;

// Appends the built-in function rows after the operator rows, in their fixed order.
void RegisterFunctions(TCalcParser& Parser);

}  // namespace talvex
