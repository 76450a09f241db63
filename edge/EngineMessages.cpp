#include "edge/EngineMessages.h"

#include <iterator>
#include <vector>

#include "ParserLib/CharClasses.h"
#include "ParserLib/Cp1251.h"

namespace talvex {
namespace {

struct TTranslation {
  TMessageId Id;
  std::string_view Text;
};

// Worded for the command line: the separator messages name the options that
// change a separator instead of the program's settings dialog.
constexpr TTranslation English[] = {
    {TMessageId::BooleanKind, "a Boolean value is not allowed here"},
    {TMessageId::IntegerKind, "an integer is not allowed here"},
    {TMessageId::RealKind, "a real number is not allowed here"},
    {TMessageId::StringKind, "a string is not allowed here"},
    {TMessageId::TimeKind, "a time constant is not allowed here"},
    {TMessageId::PercentKind, "a percentage is not allowed here"},
    {TMessageId::EmptyValue, "empty value"},
    {TMessageId::PositionPrefix, "position %d: "},
    {TMessageId::UnexpectedEnd, "unexpected end of expression"},
    {TMessageId::UnknownOperator, "unknown operator \"%s\" or bad number format"},
    {TMessageId::UnknownIdentifier, "unknown identifier \"%s\" or bad number format"},
    {TMessageId::FunctionNotFound, "function %s not found"},
    {TMessageId::BadOperatorArgument, "invalid argument for operator \"%s\""},
    {TMessageId::BadFunctionArgument, "invalid argument for function \"%s\""},
    {TMessageId::WrongBracket, "unbalanced bracket"},
    {TMessageId::BadNumberOrExpression, "unknown number format or bad expression"},
    {TMessageId::Missing, "\"%s\" expected"},
    {TMessageId::BadUserFunction, "bad definition of user function %s"},
    {TMessageId::VariableNotFound, "variable %s not found"},
    {TMessageId::EmptyCell, "this memory cell is empty"},
    {TMessageId::DivisionByZero, "division by zero"},
    {TMessageId::DivisionByZeroIn, "division by zero in function %s"},
    {TMessageId::RomanTooLarge, "number too large for Roman numerals"},
    {TMessageId::NotEnoughArguments, "not enough arguments for function %s"},
    {TMessageId::BadCharCode, "invalid character code"},
    {TMessageId::CharExpected, "a single character expected"},
    {TMessageId::BadCellIndex, "invalid memory cell index"},
    {TMessageId::DecimalEqualsThousand,
     "the decimal symbol is also the digit-group mark; set another with --decimal or --thousand"},
    {TMessageId::DecimalEqualsList,
     "the decimal symbol is also the list separator; set another with --decimal or --list"},
    {TMessageId::DecimalIsSpace, "the decimal symbol is a space; set another with --decimal"},
    {TMessageId::ListEqualsThousand,
     "the list separator is also the digit-group mark; set another with --list or --thousand"},
    {TMessageId::ThousandIsSpace, "the digit-group mark is a space; set another with --thousand"},
    {TMessageId::ListIsSpace, "the list separator is a space; set another with --list"},
    {TMessageId::TimeIsSpace, "the time separator is a space; set another with --time-sep"},
    {TMessageId::TimeEqualsDecimal,
     "the decimal symbol is also the time separator; set another with --decimal or --time-sep"},
    {TMessageId::DateIsSpace, "the date separator is a space; set another with --date-sep"},
};

constexpr bool InIdentityOrder() {
  for (std::size_t I = 0; I < std::size(English); ++I)
    if (static_cast<std::size_t>(English[I].Id) != I) return false;
  return true;
}
// A message added to the engine stops the build here until it has its text.
static_assert(std::size(English) == MessageCount, "every engine message needs an English text");
static_assert(InIdentityOrder(), "English texts follow the engine's list of messages");

// UTF-8, as the programs' own texts are.
constexpr const char* NotInCodePageEnglish = "character not in code page 1251";
constexpr const char* NotInCodePageRussian = "Символ вне кодовой страницы 1251";

// Bytes of Cyrillic letters count as letters: names may be Russian.
bool IsNameChar(char C) {
  const auto U = static_cast<unsigned char>(C);
  return (U >= '0' && U <= '9') || (U >= 'A' && U <= 'Z') || (U >= 'a' && U <= 'z') || U == '_' || U >= 0x80;
}

// Not inside a longer name: a name character at an end of the occurrence
// must not continue into the text around it.
bool StandsAlone(std::string_view Text, std::size_t At, std::size_t Length) {
  const std::size_t End = At + Length;
  if (At > 0 && IsNameChar(Text[At]) && IsNameChar(Text[At - 1])) return false;
  return !(End < Text.size() && IsNameChar(Text[End - 1]) && IsNameChar(Text[End]));
}

}  // namespace

std::string_view EngineMessageText(TMessageId Id, TLanguage Language) {
  if (Language == TLanguage::Russian) return MessageText(Id);
  const auto Index = static_cast<std::size_t>(Id);
  return Index < std::size(English) ? English[Index].Text : std::string_view();
}

std::string AsWritten(std::string_view Argument, std::string_view Expression) {
  if (Argument.empty() || Argument.size() > Expression.size()) return std::string(Argument);
  const std::string Haystack = UpperCase(Expression);
  const std::string Needle = UpperCase(Argument);
  std::string_view Spelling;
  for (std::size_t At = Haystack.find(Needle); At != std::string::npos; At = Haystack.find(Needle, At + 1)) {
    if (!StandsAlone(Expression, At, Argument.size())) continue;
    const std::string_view Here = Expression.substr(At, Argument.size());
    if (!Spelling.empty() && Here != Spelling) return std::string(Argument);
    Spelling = Here;
  }
  return std::string(Spelling.empty() ? Argument : Spelling);
}

std::string ErrorText(const Exception& Error, TLanguage Language, std::string_view Expression) {
  if (const auto* Engine = dynamic_cast<const EParserException*>(&Error))
    return Cp1251ToUtf8(EngineErrorText(*Engine, Language, Expression));
  if (const auto* Separators = dynamic_cast<const EWindowsOptionsException*>(&Error))
    return Cp1251ToUtf8(EngineMessageText(Separators->Id(), Language));
  return Cp1251ToUtf8(Error.Message());  // a runtime error without an identity
}

std::string NotInCodePageText(std::string_view Utf8Expression, std::size_t ByteOffset, TLanguage Language) {
  int Position = 1;
  for (std::size_t I = 0; I < ByteOffset && I < Utf8Expression.size(); ++I)
    if ((static_cast<unsigned char>(Utf8Expression[I]) & 0xC0) != 0x80) ++Position;  // not a continuation byte
  const std::string Prefix =
      FormatMessage(EngineMessageText(TMessageId::PositionPrefix, Language), {std::to_string(Position)});
  return Cp1251ToUtf8(Prefix) + (Language == TLanguage::Russian ? NotInCodePageRussian : NotInCodePageEnglish);
}

std::string EngineErrorText(const EParserException& Error, TLanguage Language, std::string_view Expression) {
  const EParserException* Detail = Error.Detail();
  std::string Text;
  // An error explaining another shares that one's position, shown once with it.
  if (Error.Position() != -1 && !(Detail && Detail->Position() == Error.Position()))
    Text = FormatMessage(EngineMessageText(TMessageId::PositionPrefix, Language), {std::to_string(Error.Position())});
  std::vector<std::string> Arguments;
  for (const std::string& Argument : Error.Args()) Arguments.push_back(AsWritten(Argument, Expression));
  Text += FormatMessage(EngineMessageText(Error.Id(), Language), Arguments);
  if (Detail) Text += ": " + EngineErrorText(*Detail, Language, Expression);
  return Text;
}

}  // namespace talvex
