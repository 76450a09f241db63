// Character classes of the scanner over the 256 code-page-1251 characters,
// rebuilt from the locale separators and the syntax mode with the operator table.
// Process-wide, shared by every parser: a process uses one syntax mode at a time.
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

struct TCharClasses {
  TCharSet Blanks;
  TCharSet IdentStart;
  TCharSet IdentChars;
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

namespace detail {
extern TCharClasses Classes;
}

// Inline: the scanner asks for a class at nearly every character.
inline const TCharClasses& CharClasses() { return detail::Classes; }

// Rebuilds the classes and QuoteChar: "'" quotes strings when PascalQuotes,
// the double quote otherwise; CSet adds ! % & | ~ to the multi-character operators.
void BuildCharClasses(const TFormatSettings& Settings, bool PascalQuotes, bool CSet);

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
