#include "cli/Session.h"

#include <string_view>

#include "ParserLib/CharClasses.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/ParserException.h"
#include "cli/EngineMessages.h"
#include "cli/ToolMessages.h"

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

std::string ErrorText(const Exception& Error, TLanguage Language, std::string_view Expression) {
  if (const auto* Engine = dynamic_cast<const EParserException*>(&Error))
    return Cp1251ToUtf8(EngineErrorText(*Engine, Language, Expression));
  if (const auto* Separators = dynamic_cast<const EWindowsOptionsException*>(&Error))
    return Cp1251ToUtf8(EngineMessageText(Separators->Id(), Language));
  return Cp1251ToUtf8(Error.Message());  // a runtime error without an identity
}

std::string NotInCodePageText(std::string_view Utf8Expression, std::size_t ByteOffset, TLanguage Language) {
  int Position = 1;
  for (std::size_t I = 0; I < ByteOffset && I < Utf8Expression.size(); ++I)
    if ((static_cast<unsigned char>(Utf8Expression[I]) & 0xC0) != 0x80) ++Position;  // not a continuation byte
  const std::string Prefix =
      FormatMessage(EngineMessageText(TMessageId::PositionPrefix, Language), {std::to_string(Position)});
  return Cp1251ToUtf8(Prefix) + ToolText(TToolMessageId::NotInCodePage, Language);
}

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
