#include "bench/Peers.h"

#include <libqalculate/qalculate.h>
#include <muParser.h>

namespace talvex::bench {

struct TMuParserPeer::TState {
  mu::Parser Parser;
};

TMuParserPeer::TMuParserPeer() : State(std::make_unique<TState>()) {}
TMuParserPeer::~TMuParserPeer() = default;

bool TMuParserPeer::Evaluate(const std::string& Text, double& Value, std::string& Error) {
  try {
    State->Parser.SetExpr(Text);
    Value = State->Parser.Eval();
    return true;
  } catch (const mu::Parser::exception_type& E) {
    Error = E.GetMsg();
    return false;
  }
}

namespace {

// The library's default options with two changes that make the answers
// comparable: angles in radians (as the calculator uses them) and intervals
// of inexact results shown as their significant digits, not as interval(a, b).
EvaluationOptions Evaluation() {
  EvaluationOptions Options = default_user_evaluation_options;
  Options.parse_options.angle_unit = ANGLE_UNIT_RADIANS;
  return Options;
}

PrintOptions Printing() {
  PrintOptions Options = default_print_options;
  Options.interval_display = INTERVAL_DISPLAY_SIGNIFICANT_DIGITS;
  return Options;
}

const EvaluationOptions EvaluationSettings = Evaluation();
const PrintOptions PrintSettings = Printing();

}  // namespace

TQalculatePeer::TQalculatePeer() {
  if (!CALCULATOR) {
    new Calculator(true);  // the library keeps it as CALCULATOR for the process
    CALCULATOR->loadGlobalDefinitions();
  }
}

std::string TQalculatePeer::Evaluate(const std::string& Text) {
  const MathStructure Result = CALCULATOR->calculate(Text, EvaluationSettings);
  return CALCULATOR->print(Result, 100000, PrintSettings);
}

}  // namespace talvex::bench
