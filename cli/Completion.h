// The words Tab completes at the prompt: the functions of the calculator
// with their opening bracket, its variables (those of the session and the
// constants), and ans, quit and exit.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "parser/Descriptors.h"
#include "parser/Variables.h"

namespace talvex::cli {

// The completions of a word's beginning (UTF-8), UTF-8 and in alphabetical order.
using TCompleter = std::function<std::vector<std::string>(std::string_view Utf8Beginning)>;

// Names match in any letter case, as the calculator reads them; a completion
// keeps the name's own spelling when the beginning was typed that way, and is
// in small letters when the beginning has no capitals (sq gives sqr and sqrt(,
// Deg gives DegToRad( ...). A function that takes arguments comes with its
// bracket.
std::vector<std::string> Completions(TFunctionTable Functions, const TVariableList& Variables,
                                     std::string_view Utf8Beginning);

// The longest beginning the completions share, ASCII letters of either case
// counting as the same and never half a UTF-8 character: what one Tab adds
// when there is a choice.
std::string SharedBeginning(const std::vector<std::string>& Completions);

}  // namespace talvex::cli
