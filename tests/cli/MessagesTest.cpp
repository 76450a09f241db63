#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "ParserLib/CharClasses.h"
#include "cli/ToolMessages.h"
#include "edge/EngineMessages.h"
#include "support/EngineFixture.h"

namespace talvex::cli {
namespace {

using testing::ToCp;

// Every "%" of Text with the letter after it, in order: what arguments it takes.
std::string Placeholders(std::string_view Text) {
  std::string Out;
  for (std::size_t I = Text.find('%'); I != std::string_view::npos; I = Text.find('%', I + 2))
    Out += Text.substr(I, 2);
  return Out;
}

bool IsPlainAscii(std::string_view Text) {
  for (char C : Text)
    if (C < ' ' || C > '~') return false;
  return true;
}

TEST(Messages, EveryEngineMessageHasAnEnglishTextTakingTheSameArguments) {
  for (int I = 0; I < MessageCount; ++I) {
    const auto Id = static_cast<TMessageId>(I);
    const std::string_view English = EngineMessageText(Id, TLanguage::English);
    EXPECT_EQ(EngineMessageText(Id, TLanguage::Russian), MessageText(Id)) << I;
    EXPECT_FALSE(English.empty()) << I;
    // The same bytes in code page 1251 and UTF-8, and one line.
    EXPECT_TRUE(IsPlainAscii(English)) << English;
    EXPECT_EQ(Placeholders(English), Placeholders(MessageText(Id))) << English;
  }
}

TEST(Messages, EveryToolMessageTakesTheSameArgumentsInBothLanguages) {
  for (int I = 0; I < ToolMessageCount; ++I) {
    const auto Id = static_cast<TToolMessageId>(I);
    const std::string_view English = ToolMessageText(Id, TLanguage::English);
    const std::string_view Russian = ToolMessageText(Id, TLanguage::Russian);
    EXPECT_FALSE(English.empty() || Russian.empty()) << I;
    EXPECT_EQ(Placeholders(English), Placeholders(Russian)) << English;
  }
}

TEST(Messages, ErrorsReadInEitherLanguageWithNamesAsWritten) {
  const auto Unknown = EParserException::CreateFmt(msg::UnknownIdentifier, {"FOO"}).At(1);
  const auto InUserFunction =
      EParserException::CreateWithDetail(msg::BadUserFunction, {"TWICE"}, EParserException::Create(msg::BooleanKind))
          .At(12);
  const auto DetailAtItsPosition = EParserException::CreateWithDetail(
      msg::BadUserFunction, {"F"}, EParserException::CreatePos(3, msg::DivisionByZero));
  const auto Missing = EParserException::CreatePos(5, msg::Missing, {")"});
  const auto Variable = EParserException::CreateFmt(msg::VariableNotFound, {ToCp("ПРИВЕТ")});
  const EWindowsOptionsException Separators(msg::DecimalEqualsList);
  const EOverflow Overflow;
  const struct {
    const Exception& Error;
    TLanguage Language;
    const char* Expression;
    const char* Expected;
  } Cases[] = {
      {Unknown, TLanguage::English, "foo+1", "position 1: unknown identifier \"foo\" or bad number format"},
      {Unknown, TLanguage::Russian, "foo+1",
       "Позиция 1:  Неизвестный идентификатор \"foo\" или неправильный формат чисел в выражении"},
      // Two spellings, or only inside a longer name: the engine's own.
      {Unknown, TLanguage::English, "foo+Foo", "position 1: unknown identifier \"FOO\" or bad number format"},
      {Unknown, TLanguage::English, "food+1", "position 1: unknown identifier \"FOO\" or bad number format"},
      {Unknown, TLanguage::English, "2*(foo)+foo_", "position 1: unknown identifier \"foo\" or bad number format"},
      {Variable, TLanguage::Russian, "привет*2", "Переменная привет не найдена!"},
      {Variable, TLanguage::English, "приветик", "variable ПРИВЕТ not found"},
      {Missing, TLanguage::English, "(1+2", "position 5: \")\" expected"},
      {InUserFunction, TLanguage::English, "twice(TRUE)",
       "position 12: bad definition of user function twice: a Boolean value is not allowed here"},
      {DetailAtItsPosition, TLanguage::Russian, "f(1)",
       "Неправильное описание пользовательской функции f: Позиция 3:  Деление на ноль"},
      {Separators, TLanguage::English, "1",
       "the decimal symbol is also the list separator; set another with --decimal or --list"},
      {Overflow, TLanguage::Russian, "1", "Floating point overflow"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ErrorText(C.Error, C.Language, ToCp(C.Expression)), C.Expected) << C.Expression;
}

TEST(Messages, ACharacterTheCodePageLacksByItsCharacterPosition) {
  const struct {
    std::string_view Utf8;
    TLanguage Language;
    const char* Expected;
  } Cases[] = {
      {"1+中", TLanguage::English, "position 3: character not in code page 1251"},
      {"привет+中", TLanguage::Russian, "Позиция 8:  Символ вне кодовой страницы 1251"},
      {"ab\xff", TLanguage::English, "position 3: character not in code page 1251"},
  };
  for (const auto& C : Cases) {
    std::string Converted;
    std::size_t Offset = 0;
    ASSERT_FALSE(Utf8ToCp1251(C.Utf8, Converted, Offset));
    EXPECT_EQ(NotInCodePageText(C.Utf8, Offset, C.Language), C.Expected) << C.Utf8;
  }
}

}  // namespace
}  // namespace talvex::cli
