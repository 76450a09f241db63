// The calculation entry: text in, answer text out.
#include <string>

#include "ParserLib/CharClasses.h"
#include "ParserLib/FloatText.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Messages.h"
#include "ParserLib/Radix.h"
#include "ParserLib/Roman.h"
#include "parser/CalcParser.h"

namespace talvex {
namespace {

bool IsTrailingOperator(char C) {
  return C == '*' || C == '+' || C == '-' || C == '/' || C == '^';
}

// A selection ending in an operator combines its operand with itself: 5* is 25.
std::string RewriteTrailingOperator(std::string_view Text) {
  std::string S(Text.substr(0, Text.size() - 1));
  std::string Out;
  Out.reserve(2 * S.size() + 5);
  Out += '(';
  Out += S;
  Out += ')';
  Out += Text.back();
  Out += '(';
  Out += S;
  Out += ')';
  return Out;
}

// With AutoSyntax, a failed expression is tried in the other syntax modes.
[[gnu::noinline]] void EvaluateInSomeSyntax(TCalcParser& Parser, std::string_view Text, TCalcValue& Result) {
  try {
    Parser.Evaluate(Text, Result);
    return;
  } catch (const EParserException&) {
    // the other modes are tried in turn
  }
  const TSyntaxMode Saved = Parser.Syntax;
  for (TSyntaxMode Mode : {smHex, smDefault, smC, smPascal}) {
    try {
      Parser.SetSyntax(Mode);
      Parser.Evaluate(Text, Result);
      return;  // the parser keeps the mode that worked
    } catch (...) {
      Parser.SetSyntax(Saved);
      if (Mode == smPascal) throw;
    }
  }
}

void EvaluateWithRetry(TCalcParser& Parser, std::string_view Text, TCalcValue& Result) {
  if (Parser.AutoSyntax)
    EvaluateInSomeSyntax(Parser, Text, Result);
  else
    Parser.Evaluate(Text, Result);
}

bool IsDateKind(const TCalcValue& R) { return R.Kind == vkTime || R.Kind == vkDate || R.Kind == vkDateTime; }

bool ReadsAsInteger(const TCalcValue& R) {
  try {
    AsInteger(R);
    return true;
  } catch (const EParserException&) {
    return false;
  }
}

std::string RadixText(TSyntaxMode Syntax, std::string Digits, const char* Pascal, bool PascalSuffix,
                      const char* C, const char* Basic) {
  switch (Syntax) {
    case smPascal: return PascalSuffix ? Digits + Pascal : Pascal + Digits;
    case smC: return C + Digits;
    case smBasic: return Basic + Digits;
    default: return Digits;
  }
}

std::string FormatResult(TCalcParser& Parser, const TCalcValue& R) {
  if (R.Kind == vkBoolean) return R.BoolValue ? "True" : "False";
  // An assignment or a cell procedure: the empty answer in every format.
  if (R.Kind == vkNull) return std::string();
  if (R.Kind == vkString) {
    const char Quote = Parser.Classes.QuoteChar;
    std::string Text(1, Quote);
    Text += R.StrValue.View();
    Text += Quote;
    return Text;
  }
  if (Parser.AutoSyntax) {
    const TOutputFormat F = Parser.OutputFormat;
    const bool IntegerFormat = F == ofHex || F == ofOctal || F == ofBinary || F == ofRoman;
    if ((IntegerFormat && !ReadsAsInteger(R)) || (IsDateKind(R) && F != ofDefault))
      Parser.OutputFormat = ofDefault;
  }
  switch (Parser.OutputFormat) {
    case ofDefault:
      if (R.Kind == vkReal) return FloatToText(R.RealValue, Parser.Settings.DecimalSeparator);
      if (R.Kind == vkFraction) return FloatToText(AsReal(R), Parser.Settings.DecimalSeparator);
      if (R.Kind == vkInteger) return std::to_string(R.Numerator);
      return AsString(R, true, Parser.Settings);
    case ofHex:
      return RadixText(Parser.Syntax, IntToHexText(AsInteger(R)), "$", false, "0x", "&H");
    case ofOctal:
      return RadixText(Parser.Syntax, IntToOctText(AsInteger(R, true)), "o", true, "0", "&O");
    case ofBinary:
      return RadixText(Parser.Syntax, IntToBinText(AsInteger(R, true)), "B", true, "0b", "&B");
    case ofFixed: {
      const TFormatSettings& S = Parser.Settings;
      return FormatNumberFixed(AsReal(R), Parser.FixedDigits, S.DecimalSeparator, S.ThousandSeparator);
    }
    case ofExponent:
      return FormatScientific(AsReal(R), Parser.ExpDigits + 1, Parser.Settings.DecimalSeparator);
    case ofRoman: {
      const int64_t N = AsInteger(R, true);
      if (N >= 30000) throw EParserException::Create(msg::RomanTooLarge);
      return N <= 0 ? std::string() : IntToRoman(static_cast<int32_t>(N));
    }
    case ofFraction: {
      if (R.Kind == vkInteger || R.Kind == vkFraction) return AsString(R, true, Parser.Settings);
      TCalcValue Fraction;
      RealToFraction(Fraction, AsReal(R));
      return AsString(Fraction, true, Parser.Settings);
    }
    default:
      return std::string();
  }
}

// Result is fresh: the evaluation builds it from nothing. Inlined, so the
// plain Calculate costs what it did before the value was offered.
[[gnu::always_inline]] inline std::string CalculateInto(TCalcParser& Parser, std::string_view Text, TCalcValue& Result) {
  if (Parser.Operators.empty()) Parser.InitOperators();
  if (Text.size() > 1 && IsTrailingOperator(Text.back())) {
    const std::string Rewritten = RewriteTrailingOperator(Text);
    EvaluateWithRetry(Parser, Rewritten, Result);
  } else {
    EvaluateWithRetry(Parser, Text, Result);
  }
  return FormatResult(Parser, Result);
}

}  // namespace

std::string Calculate(TCalcParser& Parser, std::string_view Text) {
  TCalcValue Result;
  return CalculateInto(Parser, Text, Result);
}

std::string FormatValue(TCalcParser& Parser, const TCalcValue& Value) { return FormatResult(Parser, Value); }

std::string Calculate(TCalcParser& Parser, std::string_view Text, TCalcValue& Result) {
  TCalcValue Fresh;
  std::string Answer = CalculateInto(Parser, Text, Fresh);
  Result = Fresh;
  return Answer;
}

}  // namespace talvex
