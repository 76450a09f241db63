// Every message the engine shows, in code page 1251. Kept in one place so the
// exact words (and their two-blank and full-stop quirks) are easy to check.
// Each message has an identity of its own, so a host can show it in another
// language from the identity and the arguments an error carries.
#pragma once

#include <cstdint>
#include <string_view>

#include "ParserLib/Cp1251.h"

// X(Name, Russian text): one row per message.
#define TALVEX_ENGINE_MESSAGES(X)                                                                                  \
  /* Kinds offered where they cannot be used. */                                                                  \
  X(BooleanKind, "Логический тип неприменим")                                                                     \
  X(IntegerKind, "Целый тип неприменим")                                                                          \
  X(RealKind, "Вещественный тип неприменим")                                                                      \
  X(StringKind, "Строковый тип неприменим")                                                                       \
  X(TimeKind, "Константа времени не применима")                                                                   \
  X(PercentKind, "Проценты не применимы")                                                                         \
  X(EmptyValue, "Пустое значение!")                                                                               \
  /* Scanning and evaluation. */                                                                                  \
  X(PositionPrefix, "Позиция %d:  ")                                                                              \
  X(UnexpectedEnd, "Неожиданный конец выражения")                                                                 \
  X(UnknownOperator, "Неизвестный оператор \"%s\" или неправильный формат чисел в выражении")                     \
  X(UnknownIdentifier, "Неизвестный идентификатор \"%s\" или неправильный формат чисел в выражении")              \
  X(FunctionNotFound, "Функция %s не найдена")                                                                    \
  X(BadOperatorArgument, "Недопустимый аргумент в операции \"%s\"")                                               \
  X(BadFunctionArgument, "Недопустимый аргумент в функции \"%s\"")                                                \
  X(WrongBracket, "Неправильная скобка")                                                                          \
  X(BadNumberOrExpression, "Неизвестный формат числа или неверное выражение.")                                    \
  X(Missing, "\"%s\" отсутствует")                                                                                \
  X(BadUserFunction, "Неправильное описание пользовательской функции %s")                                         \
  /* Names and cells. */                                                                                          \
  X(VariableNotFound, "Переменная %s не найдена!")                                                                \
  X(EmptyCell, "Эта ячейка памяти пуста")                                                                         \
  /* Arithmetic and output. */                                                                                    \
  X(DivisionByZero, "Деление на ноль")                                                                            \
  X(DivisionByZeroIn, "Деление на ноль в функции %s")                                                             \
  X(RomanTooLarge, "Слишком большое число для представления в римском формате")                                   \
  /* Functions. */                                                                                                \
  X(NotEnoughArguments, "Недостаточно аргументов в функции %s")                                                   \
  X(BadCharCode, "Неправильный код символа")                                                                      \
  X(CharExpected, "Ожидался символ")                                                                              \
  X(BadCellIndex, "Неправильный индекс ячейки памяти")                                                            \
  /* Locale separators that would make expressions ambiguous. */                                                  \
  X(DecimalEqualsThousand, "Символ разделителя целой и дробной части числа установлен равным разделителю групп разрядов.  В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(DecimalEqualsList, "Символ разделителя целой и дробной части числа установлен равным разделителю списков. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(DecimalIsSpace, "Символ разделителя целой и дробной части числа установлен равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(ListEqualsThousand, "Символ разделителя списков установлен в Windows равным символу разделителя групп разрядов. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(ThousandIsSpace, "Символ разделителя групп разрядов числа установлен равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(ListIsSpace, "Символ разделителя списков установлен в Windows равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(TimeIsSpace, "Символ разделителя времени установлен в Windows равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(TimeEqualsDecimal, "Символ разделителя целой и дробной части числа установлен равным разделителю времени. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки") \
  X(DateIsSpace, "Символ разделителя даты установлен в Windows равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки")

namespace talvex {

// The identity of an engine message; the values follow the rows above.
enum class TMessageId : uint8_t {
#define TALVEX_MESSAGE_ID(Name, Text) Name,
  TALVEX_ENGINE_MESSAGES(TALVEX_MESSAGE_ID)
#undef TALVEX_MESSAGE_ID
};

inline constexpr int MessageCount = 0
#define TALVEX_MESSAGE_COUNT(Name, Text) +1
    TALVEX_ENGINE_MESSAGES(TALVEX_MESSAGE_COUNT)
#undef TALVEX_MESSAGE_COUNT
    ;

// A message: its identity and its Russian text, where "%s" and "%d" stand for
// the arguments in order.
struct TMessage {
  TMessageId Id;
  std::string_view Text;
  constexpr operator std::string_view() const { return Text; }
};

namespace detail {
template <Utf8Literal S>
inline constexpr auto MessageBytes = operator""_cp<S>();
}  // namespace detail

namespace msg {
#define TALVEX_MESSAGE(Name, Text) \
  inline constexpr TMessage Name{TMessageId::Name, detail::MessageBytes<Text>.View()};
TALVEX_ENGINE_MESSAGES(TALVEX_MESSAGE)
#undef TALVEX_MESSAGE
}  // namespace msg

// The Russian text of the message with that identity.
std::string_view MessageText(TMessageId Id);

}  // namespace talvex
