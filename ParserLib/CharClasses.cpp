#include "ParserLib/CharClasses.h"

#include "ParserLib/Messages.h"

namespace talvex {
namespace {

constexpr TCharClasses StaticClasses() {
  TCharClasses C;
  C.Blanks.Add('\n');
  C.Blanks.Add('\r');
  C.Blanks.Add(' ');
  C.IdentStart.AddRange('A', 'Z');
  C.IdentStart.AddRange('a', 'z');
  C.IdentStart.AddRange(192, 255);
  return C;
}

}  // namespace

// The evaluation tests "not above the space" before it asks for a blank.
static_assert([] {
  const TCharClasses C = StaticClasses();
  for (int I = ' ' + 1; I < 256; ++I)
    if (C.Blanks.Contains(static_cast<unsigned char>(I))) return false;
  return true;
}());

// Constant-initialised, so a reader in another file's static initialiser sees
// the static classes already in place.
constinit TCharClasses detail::Classes = StaticClasses();

void BuildCharClasses(const TFormatSettings& S, bool PascalQuotes, bool CSet) {
  TCharClasses& C = detail::Classes;
  C.DecDigits = {};
  C.DecDigits.AddRange('0', '9');
  C.IdentChars = C.IdentStart;
  C.IdentChars.Add(C.DecDigits);
  C.IdentChars.Add('_');
  C.BinDigits = {};
  C.BinDigits.AddRange('0', '1');
  C.OctDigits = {};
  C.OctDigits.AddRange('0', '7');
  C.HexDigits = C.DecDigits;
  C.HexDigits.AddRange('A', 'F');
  C.RomanLetters = {};
  for (char L : std::string_view("CDILMVX")) C.RomanLetters.Add(L);
  C.NumberChars = C.DecDigits;
  C.NumberChars.Add(S.DecimalSeparator);
  C.NumberChars.Add(S.ThousandSeparator);
  C.TimeChars = C.DecDigits;
  C.TimeChars.Add(S.TimeSeparator);
  C.DateTimeChars = C.TimeChars;
  C.DateTimeChars.Add(S.DateSeparator);
  C.DateTimeChars.Add(' ');
  C.DegreesChars = C.DecDigits;
  C.DegreesChars.Add('D');
  C.DegreesChars.Add('\'');
  C.SingleOpChars = {};
  for (char Op : std::string_view("*+-/^")) C.SingleOpChars.Add(Op);
  C.MultiOpChars = {};
  for (char Op : std::string_view("<=>")) C.MultiOpChars.Add(Op);
  if (CSet)
    for (char Op : std::string_view("!%&|~")) C.MultiOpChars.Add(Op);
  C.QuoteChar = PascalQuotes ? '\'' : '"';
  C.StringChars = {};
  C.StringChars.AddRange(1, 255);
  C.StringChars.Remove(static_cast<unsigned char>(C.QuoteChar));
}

void CheckLocaleSeparators(const TFormatSettings& S) {
  const auto Fail = [](const TMessage& Message) { throw EWindowsOptionsException(Message); };
  if (S.DecimalSeparator == S.ThousandSeparator) Fail(msg::DecimalEqualsThousand);
  if (S.DecimalSeparator == S.ListSeparator) Fail(msg::DecimalEqualsList);
  if (S.DecimalSeparator == ' ') Fail(msg::DecimalIsSpace);
  if (S.ListSeparator == S.ThousandSeparator) Fail(msg::ListEqualsThousand);
  if (S.ThousandSeparator == ' ') Fail(msg::ThousandIsSpace);
  if (S.ListSeparator == ' ') Fail(msg::ListIsSpace);
  if (S.TimeSeparator == ' ') Fail(msg::TimeIsSpace);
  if (S.TimeSeparator == S.DecimalSeparator) Fail(msg::TimeEqualsDecimal);
  if (S.DateSeparator == ' ') Fail(msg::DateIsSpace);
}

}  // namespace talvex
