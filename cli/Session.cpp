#include "cli/Session.h"

#include <string_view>

#include "ParserLib/CharClasses.h"
#include "ParserLib/Cp1251.h"
#include "edge/EngineMessages.h"

namespace talvex::cli {
namespace {

std::string_view Trimmed(std::string_view Line) {
  const std::size_t First = Line.find_first_not_of(" \t");
  if (First == std::string_view::npos) return {};
  return Line.substr(First, Line.find_last_not_of(" \t") - First + 1);
}

bool IsQuitWord(std::string_view Word) {
  return SameTextCp1251(Word, "quit") || SameTextCp1251(Word, "exit");
}

}  // namespace

bool TSession::WriteLine(const std::string& Utf8) {
  FWriteFailed = FWriteFailed || !FOut.WriteLine(Utf8);
  return !FWriteFailed;
}

bool TSession::Evaluate(const std::string& Utf8Expression) {
  std::string Expression;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Utf8Expression, Expression, Offset)) {
    WriteLine("error: " + NotInCodePageText(Utf8Expression, Offset, FLanguage));
    FAllSucceeded = false;
    return false;
  }
  try {
    TCalcValue Value;
    const bool Written = WriteLine(Cp1251ToUtf8(Calculate(FParser, Expression, Value)));
    // An assignment's NULL is no result to keep.
    if (Value.Kind != vkNone && Value.Kind != vkNull) FParser.DefineVariable("ans", Value);
    return Written;
  } catch (const Exception& Error) {
    WriteLine("error: " + ErrorText(Error, FLanguage, Expression));
  }
  FAllSucceeded = false;
  return false;
}

bool TSession::RunLines(ILineReader& Reader) {
  std::string Line;
  while (!FWriteFailed && Reader.ReadLine(Line)) {
    while (!Line.empty() && (Line.back() == '\n' || Line.back() == '\r')) Line.pop_back();
    const std::string_view Text = Trimmed(Line);
    if (Text.empty() || Text.front() == '#') continue;
    Reader.Remember(Line);
    if (IsQuitWord(Text)) return false;
    Evaluate(Line);
  }
  return true;
}

}  // namespace talvex::cli
