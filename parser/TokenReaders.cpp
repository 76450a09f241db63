// The literal and name readers of the parser. Each reads from the position it
// is given and advances it over what it recognised; callers hand them a copy.
#include "ParserLib/Angle.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/DateTimeText.h"
#include "ParserLib/Exact.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Radix.h"
#include "ParserLib/RealText.h"
#include "ParserLib/Roman.h"
#include "ParserLib/Scanner.h"
#include "parser/MathParser.h"
#include "parser/Messages.h"

namespace talvex {
namespace {

bool Contains(std::string_view Text, char C) { return Text.find(C) != std::string_view::npos; }

void SetHex(TCalcValue& Result, std::string_view Body) {
  std::string Text = "$";
  Text += Body;
  SetInteger(Result, StrToInt64(Text));
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

void TMathParser::GetIdentValue(std::string_view UpperName, TCalcValue& Result) {
  const int Index = IndexOfOperator(UpperName, okConstFunction);
  if (Index >= 0) {
    TCalcValue Scratch[1];
    Operators[static_cast<std::size_t>(Index)]->Execute(Scratch, Result);
    return;
  }
  GetVariable(Variables, UpperName, false, Result);
}

void TMathParser::ParseNumber(std::string_view Text, int& Pos, TCalcValue& Result) {
  Result.Kind = vkNone;
  SkipBlanks(Pos, Text, true);
  const TCharClasses& C = CharClasses();
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
        const std::string Word = UpperCase(ReadIdentifier(Text, P));
        bool Roman = !Word.empty();
        for (char Letter : Word) Roman = Roman && C.RomanLetters.Contains(Letter);
        if (Roman) {
          SetInteger(Result, RomanToInt(Word));
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

void TMathParser::ParseDecimal(std::string_view Text, int& Pos, TCalcValue& Result) {
  const TCharClasses& C = CharClasses();
  const TFormatSettings& S = FormatSettings();
  const int Size = static_cast<int>(Text.size());
  const auto At = [&](int P) { return Text[static_cast<std::size_t>(P - 1)]; };
  int P = Pos;
  while (P <= Size && C.NumberChars.Contains(At(P))) ++P;
  if (P <= Size && At(P) == 'E' && P != 1) {
    ++P;
    const char Sign = CharAt(Text, P, true);
    if (Sign == '+' || Sign == '-') ++P;
    while (P <= Size && C.NumberChars.Contains(At(P))) ++P;
  }
  const std::string Number =
      DeleteChar(Text.substr(static_cast<std::size_t>(Pos - 1), static_cast<std::size_t>(P - Pos)),
                 S.ThousandSeparator);
  Extended X = 0;
  if (!TryTextToReal(Number, S.DecimalSeparator, X)) return;
  SetReal(Result, X);
  Pos = P;
  if (CharAt(Text, Pos, false) != '%') return;
  // 50% and 50%+1 are percentages; in 7%2 the sign is left to the operator reader.
  const int After = Pos + 1;
  const bool Ends = AtEnd(Text, After, Quotes);
  const bool OperatorFollows =
      !Ends && After <= Size && IndexOfOperator(Text.substr(static_cast<std::size_t>(After - 1), 1), okBinary) >= 0;
  if (Ends || OperatorFollows) {
    SetPercent(Result, X);
    Pos = After;
  }
}

void TMathParser::ParseString(std::string_view Text, int& Pos, TCalcValue& Result) {
  const TCharClasses& C = CharClasses();
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
  const TCharClasses& C = CharClasses();
  const TFormatSettings& S = FormatSettings();
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
  const std::string_view Body = ScanToken(Text, "", "", CharClasses().DegreesChars, P);
  if (Contains(Body, '\'') || Contains(Body, 'D')) {
    SetDegrees(Result, AngleTextToSeconds(Body));
    Pos = P;
  }
}

std::string TMathParser::ReadOperatorName(std::string_view Text, int& Pos) {
  SkipBlanks(Pos, Text, true);
  const TCharClasses& C = CharClasses();
  const char First = Text[static_cast<std::size_t>(Pos - 1)];
  if (C.SingleOpChars.Contains(First)) {
    ++Pos;
    return std::string(1, First);
  }
  const int Start = Pos;
  const int Size = static_cast<int>(Text.size());
  while (Pos <= Size && C.MultiOpChars.Contains(Text[static_cast<std::size_t>(Pos - 1)])) ++Pos;
  if (Pos > Start) {
    // An expression may not end in "<", ">" or "=".
    if (Pos > Size) throw EParserException::CreatePos(Pos, msg::UnexpectedEnd);
    return std::string(Text.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(Pos - Start)));
  }
  return UpperCase(ReadIdentifier(Text, Pos));
}

std::string TMathParser::ReadFunctionName(std::string_view Text, int& Pos) {
  int P = Pos;
  const std::string_view Name = ReadIdentifier(Text, P);
  if (Name.empty()) return {};
  SkipBlanks(P, Text, false);
  if (CharAt(Text, P, false) != '(' || IndexOfOperator(Name, okFunction) < 0) return {};
  Pos = P;
  return UpperCase(Name);
}

}  // namespace talvex
