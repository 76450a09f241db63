// What replaces a selected expression: the answer inside the blanks and line
// breaks that framed the expression. A line selected with its line break (as
// editors and terminals select a line) keeps it, instead of the answer being
// broken in two or the line joined to the next.
#pragma once

#include <string>
#include <string_view>

namespace talvex {

template <class TChar>
struct TFrame {
  std::basic_string_view<TChar> Leading, Core, Trailing;
};

// Text split into the blanks before, the expression, and the blanks after.
template <class TChar>
TFrame<TChar> FrameOf(std::basic_string_view<TChar> Text) {
  constexpr TChar Blanks[] = {' ', '\t', '\r', '\n', 0};
  const std::size_t First = Text.find_first_not_of(Blanks);
  if (First == std::basic_string_view<TChar>::npos) return {Text, {}, {}};
  const std::size_t End = Text.find_last_not_of(Blanks) + 1;
  return {Text.substr(0, First), Text.substr(First, End - First), Text.substr(End)};
}

// The expression, "=" and the result, or the result alone, framed as the expression was.
template <class TChar>
std::basic_string<TChar> FramedAnswer(std::basic_string_view<TChar> Expression, std::basic_string_view<TChar> Result,
                                      bool WithExpression) {
  const TFrame<TChar> Frame = FrameOf(Expression);
  std::basic_string<TChar> Answer(Frame.Leading);
  if (WithExpression) {
    Answer += Frame.Core;
    Answer += TChar('=');
  }
  Answer += Result;
  Answer += Frame.Trailing;
  return Answer;
}

}  // namespace talvex
