// The literal and name readers of the parser. Each reads from the position it
// is given and advances it over what it recognised; callers hand them a copy.
#include "ParserLib/Angle.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/DateTimeText.h"
#include "ParserLib/Exact.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/Radix.h"
#include "ParserLib/RealText.h"
#include "ParserLib/Roman.h"
#include "ParserLib/Scanner.h"
#include "parser/MathParser.h"
#include "parser/PlainNumber.h"

namespace talvex {
namespace {

bool Contains(std::string_view Text, char C) { return Text.find(C) != std::string_view::npos; }

// The runtime's 64-bit reader on "$" + Body, for a body of HexDigits: the bit
// pattern, and a conversion error beyond 16 significant digits.
void SetHex(TCalcValue& Result, std::string_view Body) {
  std::size_t First = 0;
  while (First < Body.size() && Body[First] == '0') ++First;
  if (Body.size() - First > 16) {
    std::string Text = "$";
    Text += Body;
    SetInteger(Result, StrToInt64(Text));  // raises, as it does for every such body
    return;
  }
  uint64_t Bits = 0;
  for (std::size_t I = First; I < Body.size(); ++I) {
    const char C = Body[I];
    Bits = (Bits << 4) | static_cast<uint64_t>(C <= '9' ? C - '0' : C - 'A' + 10);
  }
  SetInteger(Result, static_cast<int64_t>(Bits));
}

bool AllRomanLetters(std::string_view Word, const TCharClasses& C) {
  for (char Letter : Word)
    if (!C.RomanLetters.Contains(FoldCp1251(Letter))) return false;
  return !Word.empty();
}

// Tries one radix form; true when it produced the value.
bool TryRadix(std::string_view Text, int& Pos, std::string_view Prefix, std::string_view Suffix,
              const TCharSet& Digits, int Radix, TCalcValue& Result) {
  int P = Pos;
  const std::string_view Body = ScanToken(Text, Prefix, Suffix, Digits, P);
  if (Body.empty()) return false;
  if (Radix == 16)
    SetHex(Result, Body);
  else
    SetInteger(Result, RadixTextToInt(Body, Radix));
  Pos = P;
  return true;
}

}  // namespace

void TMathParser::ParseNumber(std::string_view Text, int& Pos, TCalcValue& Result) {
  // The common literal first: it needs none of the forms of the syntax (and,
  // starting with no blank, no blank skipped).
  if (Syntax == smDefault && ReadPlainNumber(Text, Pos, Result, true)) return;
  ParseNumberForms(Text, Pos, Result);
}

void TMathParser::ParseNumberForms(std::string_view Text, int& Pos, TCalcValue& Result) {
  Result.Kind = vkNone;
  SkipBlanks(Pos, Text, true);
  const TCharClasses& C = Classes;
  const auto Guarded = [&](auto&& Read) {
    try {
      Read();
    } catch (const Exception&) {
      // A literal that does not convert is simply no number.
      Result.Kind = vkNone;
    }
  };
  switch (Syntax) {
    case smPascal:
      Guarded([&] {
        TryRadix(Text, Pos, "", "B", C.BinDigits, 2, Result) ||
            TryRadix(Text, Pos, "", "O", C.OctDigits, 8, Result) ||
            TryRadix(Text, Pos, "$", "", C.HexDigits, 16, Result) ||
            TryRadix(Text, Pos, "", "H", C.HexDigits, 16, Result) ||
            (ParseDecimal(Text, Pos, Result), true);
      });
      break;
    case smC:
      Guarded([&] {
        TryRadix(Text, Pos, "0B", "", C.BinDigits, 2, Result) ||
            TryRadix(Text, Pos, "0X", "", C.HexDigits, 16, Result) ||
            TryRadix(Text, Pos, "0", "", C.OctDigits, 8, Result) ||
            (ParseDecimal(Text, Pos, Result), true);
      });
      break;
    case smDefault:
      Guarded([&] {
        ParseDegrees(Text, Pos, Result);
        if (Result.Kind != vkNone) return;
        ParseDateTime(Text, Pos, Result);
        if (Result.Kind != vkNone) return;
        int P = Pos;
        const std::string_view Word = ReadIdentifier(Text, P);
        if (AllRomanLetters(Word, C)) {
          NameBuffer.assign(Word);
          for (char& Letter : NameBuffer) Letter = static_cast<char>(FoldCp1251(Letter));
          int64_t Value = 0;
          if (!RomanToInt(NameBuffer, Value)) return;  // beyond 64 bits: no number
          SetInteger(Result, Value);
          Pos = P;
          return;
        }
        ParseDecimal(Text, Pos, Result);
      });
      break;
    case smHex:
      Guarded([&] { TryRadix(Text, Pos, "", "", C.HexDigits, 16, Result); });
      break;
    case smOctal:
      TryRadix(Text, Pos, "", "", C.OctDigits, 8, Result);
      break;
    case smBinary:
      TryRadix(Text, Pos, "", "", C.BinDigits, 2, Result);
      break;
    case smBasic:
      Guarded([&] {
        TryRadix(Text, Pos, "&B", "", C.BinDigits, 2, Result) ||
            TryRadix(Text, Pos, "&O", " ", C.OctDigits, 8, Result) ||
            TryRadix(Text, Pos, "&H", "", C.HexDigits, 16, Result) ||
            (ParseDecimal(Text, Pos, Result), true);
      });
      break;
    default:
      break;
  }
}

bool TMathParser::ReadPlainNumber(std::string_view Text, int& Pos, TCalcValue& Result, bool DefaultSyntax) const {
  const TSeparators& S = Separators;
  if (!S.Plain || Pos < 1) return false;
  std::size_t I = static_cast<std::size_t>(Pos - 1);
  TPlainNumber Number;
  if (!ScanPlainNumber(Text, I, S.Decimal, S.Thousand, S.Time, DefaultSyntax, Number)) return false;
  SetPlainNumber(Result, Number);
  Pos = static_cast<int>(I) + 1;
  return true;
}

void TMathParser::ParseDecimal(std::string_view Text, int& Pos, TCalcValue& Result) {
  const TCharClasses& C = Classes;
  const TSeparators& S = Separators;
  const int Size = static_cast<int>(Text.size());
  const auto At = [&](int P) { return Text[static_cast<std::size_t>(P - 1)]; };
  if (ReadPlainNumber(Text, Pos, Result, false)) return;
  Extended X = 0;
  int P = Pos;
  {
    bool Grouped = false;
    while (P <= Size && C.NumberChars.Contains(At(P))) {
      Grouped = Grouped || At(P) == S.Thousand;
      ++P;
    }
    if (P <= Size && At(P) == 'E' && P != 1) {
      ++P;
      const char Sign = CharAt(Text, P, true);
      if (Sign == '+' || Sign == '-') ++P;
      while (P <= Size && C.NumberChars.Contains(At(P))) {
        Grouped = Grouped || At(P) == S.Thousand;
        ++P;
      }
    }
    const std::string_view Taken = Text.substr(static_cast<std::size_t>(Pos - 1), static_cast<std::size_t>(P - Pos));
    const bool Read = Grouped ? TryTextToReal(DeleteChar(Taken, S.Thousand), S.Decimal, X)
                              : TryTextToReal(Taken, S.Decimal, X);
    if (!Read) return;
    SetReal(Result, X);
  }
  Pos = P;
  if (CharAt(Text, Pos, false) != '%') return;
  // 50% and 50%+1 are percentages; in 7%2 the sign is left to the operator reader.
  const int After = Pos + 1;
  const bool Ends = AtEnd(Text, After, Quotes, S.List);
  const bool OperatorFollows =
      !Ends && After <= Size && IndexOfOperator(Text.substr(static_cast<std::size_t>(After - 1), 1), okBinary) >= 0;
  if (Ends || OperatorFollows) {
    SetPercent(Result, X);
    Pos = After;
  }
}

void TMathParser::ParseString(std::string_view Text, int& Pos, TCalcValue& Result) {
  const TCharClasses& C = Classes;
  const char Quote[1] = {C.QuoteChar};
  const std::string_view QuoteText(Quote, 1);
  if (CharAt(Text, Pos, false) == C.QuoteChar && CharAt(Text, Pos + 1, false) == C.QuoteChar) {
    SetString(Result, "");
    Pos += 2;
    return;
  }
  const std::string_view Body = ScanToken(Text, QuoteText, QuoteText, C.StringChars, Pos);
  if (!Body.empty()) SetString(Result, Body);
}

void TMathParser::ParseDateTime(std::string_view Text, int& Pos, TCalcValue& Result) {
  const TCharClasses& C = Classes;
  const TFormatSettings& S = Settings;
  TCharSet TimeBody = C.TimeChars;
  TimeBody.Add(S.ThousandSeparator);
  int P = Pos;
  const std::string_view Time = ScanToken(Text, "", "", TimeBody, P);
  if (Contains(Time, S.TimeSeparator)) {
    double Value = 0;
    if (!TryStrToTime(Time, S, Value)) RaiseConvertError(Time, "time");
    SetTime(Result, Value);
    Pos = P;
    return;
  }
  P = Pos;
  const std::string_view DateTime = ScanToken(Text, "{", "}", C.DateTimeChars, P);
  if (!DateTime.empty()) {
    double Value = 0;
    if (!TryStrToDateTime(DateTime, S, Value)) RaiseConvertError(DateTime, "date and time");
    SetDateTime(Result, Value);
    Pos = P;
  }
}

void TMathParser::ParseDegrees(std::string_view Text, int& Pos, TCalcValue& Result) {
  int P = Pos;
  const std::string_view Body = ScanToken(Text, "", "", Classes.DegreesChars, P);
  if (Contains(Body, '\'') || Contains(Body, 'D')) {
    SetDegrees(Result, AngleTextToSeconds(Body));
    Pos = P;
  }
}

std::string_view TMathParser::ReadOperatorName(std::string_view Text, int& Pos) {
  SkipBlanks(Pos, Text, true);
  const TCharClasses& C = Classes;
  const int Start = Pos;
  const char First = Text[static_cast<std::size_t>(Pos - 1)];
  if (C.SingleOpChars.Contains(First)) {
    ++Pos;
    return Text.substr(static_cast<std::size_t>(Start - 1), 1);
  }
  const int Size = static_cast<int>(Text.size());
  while (Pos <= Size && C.MultiOpChars.Contains(Text[static_cast<std::size_t>(Pos - 1)])) ++Pos;
  if (Pos > Start) {
    // An expression may not end in "<", ">" or "=".
    if (Pos > Size) throw EParserException::CreatePos(Pos, msg::UnexpectedEnd);
    return Text.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(Pos - Start));
  }
  return ReadIdentifier(Text, Pos);
}

std::string_view TMathParser::ReadFunctionName(std::string_view Text, int& Pos) {
  int P = Pos;
  const std::string_view Name = ReadIdentifier(Text, P);
  if (Name.empty()) return {};
  SkipBlanks(P, Text, false);
  if (CharAt(Text, P, false) != '(' || IndexOfOperator(Name, okFunction) < 0) return {};
  Pos = P;
  return Name;
}

}  // namespace talvex
