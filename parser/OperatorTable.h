#pragma once

namespace talvex {

class TCalcParser;

// Appends the rows of the parser's operator set (the C set for smC, the word
// set otherwise), then the rows both sets share, in their fixed order.
void RegisterOperators(TCalcParser& Parser);

}  // namespace talvex
