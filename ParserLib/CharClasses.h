// Character classes of the scanner over the 256 code-page-1251 characters. The
// blanks and the identifier characters never change; the rest are built from
// the locale separators and the syntax mode, and each parser keeps its own, so
// parsers of different syntax modes can live side by side.
#pragma once

#include <cstdint>
#include <string_view>

#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/RuntimeErrors.h"

namespace talvex {

class TCharSet {
 public:
  constexpr void Add(unsigned char C) { Bits[C >> 6] |= uint64_t{1} << (C & 63); }
  constexpr void Add(char C) { Add(static_cast<unsigned char>(C)); }
  constexpr void AddRange(unsigned char First, unsigned char Last) {
    for (unsigned C = First; C <= Last; ++C) Add(static_cast<unsigned char>(C));
  }
  constexpr void Add(const TCharSet& Other) {
    for (int I = 0; I < 4; ++I) Bits[I] |= Other.Bits[I];
  }
  constexpr void Remove(unsigned char C) { Bits[C >> 6] &= ~(uint64_t{1} << (C & 63)); }
  constexpr bool Contains(unsigned char C) const { return (Bits[C >> 6] >> (C & 63)) & 1; }
  constexpr bool Contains(char C) const { return Contains(static_cast<unsigned char>(C)); }

 private:
  uint64_t Bits[4] = {0, 0, 0, 0};
};

constexpr TCharSet MakeCharSet(std::string_view Members) {
  TCharSet Set;
  for (char C : Members) Set.Add(C);
  return Set;
}

// Line feed, carriage return and space; a tab is not a blank.
inline constexpr TCharSet StaticBlanks = MakeCharSet("\n\r ");
// Latin letters and the Cyrillic letters of the code page (192..255); no
// underscore, no Ё or ё.
inline constexpr TCharSet StaticIdentStart = [] {
  TCharSet Set;
  Set.AddRange('A', 'Z');
  Set.AddRange('a', 'z');
  Set.AddRange(192, 255);
  return Set;
}();
inline constexpr TCharSet StaticIdentChars = [] {
  TCharSet Set = StaticIdentStart;
  Set.AddRange('0', '9');
  Set.Add('_');
  return Set;
}();

struct TCharClasses {
  TCharSet Blanks = StaticBlanks;
  TCharSet IdentStart = StaticIdentStart;
  TCharSet IdentChars = StaticIdentChars;
  TCharSet DecDigits;
  TCharSet BinDigits;
  TCharSet OctDigits;
  TCharSet HexDigits;
  TCharSet RomanLetters;
  TCharSet NumberChars;
  TCharSet TimeChars;
  TCharSet DateTimeChars;
  TCharSet DegreesChars;
  TCharSet StringChars;
  TCharSet SingleOpChars;
  TCharSet MultiOpChars;
  char QuoteChar = '"';
};

// The classes and QuoteChar for these separators: "'" quotes strings when
// PascalQuotes, the double quote otherwise; CSet adds ! % & | ~ to the
// multi-character operators.
TCharClasses BuildCharClasses(const TFormatSettings& Settings, bool PascalQuotes, bool CSet);

// Locale separators that would make expressions ambiguous.
class EWindowsOptionsException : public Exception {
 public:
  explicit EWindowsOptionsException(const TMessage& Msg) : Exception(std::string(Msg.Text)), FId(Msg.Id) {}
  TMessageId Id() const { return FId; }

 private:
  TMessageId FId;
};

// The nine checks in their order; the first that holds raises its message.
void CheckLocaleSeparators(const TFormatSettings& Settings);

}  // namespace talvex
