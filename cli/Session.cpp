#include "cli/Session.h"

#include <string_view>

#include "ParserLib/Cp1251.h"
#include "ParserLib/FormatSettings.h"

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

// The 1-based position of a list separator outside brackets and strings, 0
// when there is none. The engine stops there and ignores the rest, so
// 2,5*3,1 with a decimal point would print 2: the usual slip of a locale.
int TopLevelSeparator(std::string_view Expression, TSyntaxMode Syntax) {
  const char Separator = FormatSettings().ListSeparator;
  const char Quote = Syntax == smPascal ? '\'' : '"';
  int Depth = 0;
  bool InString = false;
  for (std::size_t I = 0; I < Expression.size(); ++I) {
    const char C = Expression[I];
    if (C == Quote) InString = !InString;
    else if (InString) continue;
    else if (C == '(') ++Depth;
    else if (C == ')' && --Depth < 0) return 0;  // the engine reports the bracket
    else if (C == Separator && Depth == 0) return static_cast<int>(I + 1);
  }
  return 0;
}

}  // namespace

std::string ErrorText(const Exception& Error) { return Cp1251ToUtf8(Error.Message()); }

// Flushed: a person or a program may be waiting for this line.
void TSession::WriteLine(const std::string& Utf8) { FOut << Utf8 << '\n' << std::flush; }

bool TSession::Evaluate(const std::string& Utf8Expression) {
  std::string Expression;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Utf8Expression, Expression, Offset)) {
    WriteLine("error: character at byte " + std::to_string(Offset + 1) + " is not in code page 1251");
    FAllSucceeded = false;
    return false;
  }
  if (const int Position = TopLevelSeparator(Expression, FParser.Syntax)) {
    const TFormatSettings& S = FormatSettings();
    WriteLine("error: position " + std::to_string(Position) + ": '" + Cp1251ToUtf8({&S.ListSeparator, 1}) +
              "' separates function arguments only; the decimal symbol here is '" +
              Cp1251ToUtf8({&S.DecimalSeparator, 1}) + "'");
    FAllSucceeded = false;
    return false;
  }
  try {
    TCalcValue Value;
    WriteLine(Cp1251ToUtf8(Calculate(FParser, Expression, Value)));
    // An assignment's NULL is no result to keep.
    if (Value.Kind != vkNone && Value.Kind != vkNull) FParser.DefineVariable("ans", Value);
    return true;
  } catch (const Exception& Error) {
    WriteLine("error: " + ErrorText(Error));
  }
  FAllSucceeded = false;
  return false;
}

bool TSession::RunLines(ILineReader& Reader) {
  std::string Line;
  while (Reader.ReadLine(Line)) {
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
