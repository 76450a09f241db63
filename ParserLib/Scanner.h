// Scanning primitives over the expression text. Positions are 1-based and
// always point at the next unread character; past the end means Pos > size.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ParserLib/CharClasses.h"

namespace talvex {

// "Неожиданный конец выражения" at Pos.
[[noreturn]] void RaiseUnexpectedEnd(int Pos);

// The character at Pos, or 0 past the end ("Неожиданный конец выражения" at Pos
// instead when RaiseAtEnd).
inline char CharAt(std::string_view Text, int Pos, bool RaiseAtEnd) {
  if (Pos >= 1 && static_cast<std::size_t>(Pos) <= Text.size()) return Text[static_cast<std::size_t>(Pos - 1)];
  if (RaiseAtEnd) RaiseUnexpectedEnd(Pos);
  return 0;
}

// Inline: called before nearly every token, and most often there is no blank.
inline void SkipBlanks(int& Pos, std::string_view Text, bool RaiseAtEnd) {
  const int Size = static_cast<int>(Text.size());
  while (Pos <= Size && StaticBlanks.Contains(Text[static_cast<std::size_t>(Pos - 1)])) ++Pos;
  if (RaiseAtEnd && Pos > Size) RaiseUnexpectedEnd(Pos);
}

// Skips blanks (raising at the end), then an identifier as written; empty when
// none starts there (Pos is then after the blanks).
std::string_view ReadIdentifier(std::string_view Text, int& Pos);

// Prefix, a non-empty body of Set characters, Suffix: the body, Pos after the
// suffix. Empty and Pos unchanged when any of the three does not match.
std::string_view ScanToken(std::string_view Text, std::string_view Prefix, std::string_view Suffix,
                           const TCharSet& Set, int& Pos);

// Pos lies inside a string quoted with Quote.
bool InString(std::string_view Text, int Pos, char Quote);

// Only blanks before the end of the text, a closing bracket or a list separator
// outside strings: where a sub-expression stops.
bool AtEnd(std::string_view Text, int Pos, char Quote, char ListSeparator);

// InString for every position of one text, computed in a single pass, so that
// evaluation stays linear in the length of the text. A text without quote
// characters needs no table at all.
class TQuoteMap {
 public:
  void Build(std::string_view Text, char QuoteChar);
  void Clear() { Source = {}; }
  // The map describes exactly this text (the same characters in memory).
  bool Covers(std::string_view Text) const {
    return Text.data() == Source.data() && Text.size() == Source.size();
  }
  char QuoteChar() const { return Quote; }
  bool InString(int Pos) const {
    return HasQuotes && Pos >= 1 && Pos <= static_cast<int>(Inside.size()) && Inside[static_cast<std::size_t>(Pos - 1)];
  }

 private:
  std::string_view Source;
  char Quote = '"';
  bool HasQuotes = false;
  std::vector<uint8_t> Inside;  // keeps its capacity from text to text
};

// AtEnd with the strings of the text read from its map.
inline bool AtEnd(std::string_view Text, int Pos, const TQuoteMap& Quotes, char ListSeparator) {
  SkipBlanks(Pos, Text, false);
  if (static_cast<std::size_t>(Pos) > Text.size()) return true;
  const char C = Text[static_cast<std::size_t>(Pos - 1)];
  if (C != ')' && C != ListSeparator) return false;
  return Quotes.Covers(Text) ? !Quotes.InString(Pos) : !InString(Text, Pos, Quotes.QuoteChar());
}
void CheckBrackets(std::string_view Text, const TQuoteMap& Quotes);

}  // namespace talvex
