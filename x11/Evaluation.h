// A highlighted expression evaluated as on Windows: at most 250
// characters, none outside code page 1251 (refused with its position), the
// engine's errors in the user's language.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "parser/CalcParser.h"
#include "x11/KeyCombination.h"
#include "x11/Reporter.h"

namespace talvex::x11 {

inline constexpr std::size_t MaxExpressionLength = 250;

struct TEvaluation {
  std::string Expression;  // code page 1251
  std::string Result;

  bool operator==(const TEvaluation&) const = default;
};

// What replaces the highlighted text: the expression, "=" and the result, or
// the result alone. Blanks and line breaks around the expression stay
// around the answer: a line selected with its line break (as xterm and
// editors select a line) keeps it, instead of breaking the answer in two.
std::string TypedAnswer(const TEvaluation& Evaluation, THotkey Hotkey);

// The expression and its result as a notification shows them, without the
// blanks around the expression.
std::string Outcome(const TEvaluation& Evaluation);

class TEvaluator {
 public:
  TEvaluator(TCalcParser& CalcParser, TReporter& Outcome) : Parser(CalcParser), Reporter(Outcome) {}

  // The expression's answer, or nothing after telling the user why.
  std::optional<TEvaluation> Evaluate(std::string_view Utf8Expression);

 private:
  TCalcParser& Parser;
  TReporter& Reporter;
};

}  // namespace talvex::x11
