#include "x11/Evaluation.h"

#include <new>

#include "ParserLib/CharClasses.h"
#include "ParserLib/Cp1251.h"
#include "edge/AnswerFrame.h"
#include "edge/EngineMessages.h"
#include "x11/Messages.h"

namespace talvex::x11 {

namespace {

std::size_t CharacterCount(std::string_view Utf8) {
  std::size_t Count = 0;
  for (const char C : Utf8)
    if ((static_cast<unsigned char>(C) & 0xC0) != 0x80) ++Count;  // not a continuation byte
  return Count;
}

}  // namespace

std::string TypedAnswer(const TEvaluation& Evaluation, THotkey Hotkey) {
  return FramedAnswer<char>(Evaluation.Expression, Evaluation.Result, Hotkey == THotkey::hkExpression);
}

std::string Outcome(const TEvaluation& Evaluation) {
  return std::string(FrameOf<char>(Evaluation.Expression).Core) + "=" + Evaluation.Result;
}

std::optional<TEvaluation> TEvaluator::Evaluate(std::string_view Utf8Expression) {
  const TLanguage Lang = Reporter.Language();
  if (CharacterCount(Utf8Expression) > MaxExpressionLength) {
    Reporter.Error(Text(TMessageKey::TooLong, Lang));
    return std::nullopt;
  }
  TEvaluation Evaluation;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Utf8Expression, Evaluation.Expression, Offset)) {
    // Calculating a text with a character replaced would give a wrong answer.
    Reporter.Error(NotInCodePageText(Utf8Expression, Offset, Lang));
    return std::nullopt;
  }
  // An indented line's tabs are blanks around the expression, which the
  // engine would not read as such; a blank each keeps the positions.
  std::string Engine = Evaluation.Expression;
  const TFrame<char> Frame = FrameOf<char>(Engine);
  for (std::size_t I = 0; I < Engine.size(); ++I)
    if (Engine[I] == '\t' && (I < Frame.Leading.size() || I >= Frame.Leading.size() + Frame.Core.size())) Engine[I] = ' ';
  try {
    Evaluation.Result = Calculate(Parser, Engine);
  } catch (const Exception& E) {
    Reporter.Error(ErrorText(E, Lang, Engine));
    return std::nullopt;
  } catch (const std::bad_alloc&) {
    Reporter.Error(Text(TMessageKey::OutOfMemory, Lang));
    return std::nullopt;
  }
  if (Evaluation.Result.empty()) {
    Reporter.Error(Text(TMessageKey::NoValue, Lang));
    return std::nullopt;
  }
  return Evaluation;
}

}  // namespace talvex::x11
