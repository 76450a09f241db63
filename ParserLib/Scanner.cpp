#include "ParserLib/Scanner.h"

#include "ParserLib/Messages.h"
#include "ParserLib/ParserException.h"

namespace talvex {
namespace {

int Size(std::string_view Text) { return static_cast<int>(Text.size()); }

}  // namespace

void RaiseUnexpectedEnd(int Pos) { throw EParserException::CreatePos(Pos, msg::UnexpectedEnd); }

std::string_view ReadIdentifier(std::string_view Text, int& Pos) {
  SkipBlanks(Pos, Text, true);
  if (!StaticIdentStart.Contains(Text[static_cast<std::size_t>(Pos - 1)])) return {};
  const int Start = Pos;
  ++Pos;
  while (Pos <= Size(Text) && StaticIdentChars.Contains(Text[static_cast<std::size_t>(Pos - 1)])) ++Pos;
  return Text.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(Pos - Start));
}

std::string_view ScanToken(std::string_view Text, std::string_view Prefix, std::string_view Suffix,
                           const TCharSet& Set, int& Pos) {
  if (Pos < 1) return {};
  std::size_t I = static_cast<std::size_t>(Pos - 1);
  if (I > Text.size() || Text.substr(I, Prefix.size()) != Prefix) return {};
  I += Prefix.size();
  const std::size_t BodyStart = I;
  while (I < Text.size() && Set.Contains(Text[I])) ++I;
  if (I == BodyStart || Text.substr(I, Suffix.size()) != Suffix) return {};
  Pos = static_cast<int>(I + Suffix.size()) + 1;
  return Text.substr(BodyStart, I - BodyStart);
}

bool InString(std::string_view Text, int Pos, char Quote) {
  const int Last = Size(Text);
  bool Inside = false;
  int LastToggle = 0;
  for (int I = 1; I <= Pos && I <= Last; ++I) {
    // A quote that ends the text opens nothing.
    if (Text[static_cast<std::size_t>(I - 1)] == Quote && I != Last) {
      Inside = !Inside;
      LastToggle = I;
    }
  }
  return Inside && Text.find(Quote, static_cast<std::size_t>(LastToggle)) != std::string_view::npos;
}

bool AtEnd(std::string_view Text, int Pos, char Quote, char ListSeparator) {
  SkipBlanks(Pos, Text, false);
  if (Pos > Size(Text)) return true;
  const char C = Text[static_cast<std::size_t>(Pos - 1)];
  return (C == ')' || C == ListSeparator) && !InString(Text, Pos, Quote);
}

void TQuoteMap::Build(std::string_view Text, char QuoteChar) {
  Quote = QuoteChar;
  Source = Text;
  const std::size_t LastQuote = Text.rfind(Quote);  // 0-based
  HasQuotes = LastQuote != std::string_view::npos;
  if (!HasQuotes) return;
  Inside.assign(Text.size(), 0);
  bool Flag = false;
  std::size_t LastToggle = 0;  // 1-based, 0 for none
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == Quote && I + 1 != Text.size()) {
      Flag = !Flag;
      LastToggle = I + 1;
    }
    // Inside when toggled on and some quote still follows the last toggling one.
    Inside[I] = Flag && LastQuote + 1 > LastToggle;
  }
}

void CheckBrackets(std::string_view Text, const TQuoteMap& Quotes) {
  int Level = 0;
  const int Length = Size(Text);
  for (int P = 1; P <= Length; ++P) {
    const char C = Text[static_cast<std::size_t>(P - 1)];
    if ((C != '(' && C != ')') || Quotes.InString(P)) continue;
    Level += C == '(' ? 1 : -1;
    if (Level < 0) throw EParserException::CreatePos(P, msg::WrongBracket);
  }
  if (Level != 0) throw EParserException::CreatePos(Length, msg::WrongBracket);
}

}  // namespace talvex
