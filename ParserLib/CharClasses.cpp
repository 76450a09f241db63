#include "ParserLib/CharClasses.h"

#include "ParserLib/Messages.h"

namespace talvex {

// The evaluation tests "not above the space" before it asks for a blank.
static_assert([] {
  for (int I = ' ' + 1; I < 256; ++I)
    if (StaticBlanks.Contains(static_cast<unsigned char>(I))) return false;
  return true;
}());

TCharClasses BuildCharClasses(const TFormatSettings& S, bool PascalQuotes, bool CSet) {
  TCharClasses C;
  C.DecDigits.AddRange('0', '9');
  C.BinDigits.AddRange('0', '1');
  C.OctDigits.AddRange('0', '7');
  C.HexDigits = C.DecDigits;
  C.HexDigits.AddRange('A', 'F');
  C.RomanLetters = MakeCharSet("CDILMVX");
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
  C.SingleOpChars = MakeCharSet("*+-/^");
  C.MultiOpChars = MakeCharSet(CSet ? "<=>!%&|~" : "<=>");
  C.QuoteChar = PascalQuotes ? '\'' : '"';
  C.StringChars.AddRange(1, 255);
  C.StringChars.Remove(static_cast<unsigned char>(C.QuoteChar));
  return C;
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
