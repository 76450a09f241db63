// Every message the engine shows, in code page 1251. Kept in one place so the
// exact words (and their two-blank and full-stop quirks) are easy to check.
#pragma once

#include "ParserLib/Cp1251.h"

namespace talvex::msg {

// Kinds offered where they cannot be used.
inline constexpr auto BooleanKind = "Логический тип неприменим"_cp;
inline constexpr auto IntegerKind = "Целый тип неприменим"_cp;
inline constexpr auto RealKind = "Вещественный тип неприменим"_cp;
inline constexpr auto StringKind = "Строковый тип неприменим"_cp;
inline constexpr auto TimeKind = "Константа времени не применима"_cp;
inline constexpr auto PercentKind = "Проценты не применимы"_cp;
inline constexpr auto EmptyValue = "Пустое значение!"_cp;

// Scanning and evaluation.
inline constexpr auto PositionPrefix = "Позиция %d:  "_cp;
inline constexpr auto UnexpectedEnd = "Неожиданный конец выражения"_cp;
inline constexpr auto UnknownOperator = "Неизвестный оператор \"%s\" или неправильный формат чисел в выражении"_cp;
inline constexpr auto UnknownIdentifier = "Неизвестный идентификатор \"%s\" или неправильный формат чисел в выражении"_cp;
inline constexpr auto FunctionNotFound = "Функция %s не найдена"_cp;
inline constexpr auto BadOperatorArgument = "Недопустимый аргумент в операции \"%s\""_cp;
inline constexpr auto BadFunctionArgument = "Недопустимый аргумент в функции \"%s\""_cp;
inline constexpr auto WrongBracket = "Неправильная скобка"_cp;
inline constexpr auto BadNumberOrExpression = "Неизвестный формат числа или неверное выражение."_cp;
inline constexpr auto Missing = "\"%s\" отсутствует"_cp;
inline constexpr auto BadUserFunction = "Неправильное описание пользовательской функции %s"_cp;

// Names and cells.
inline constexpr auto VariableNotFound = "Переменная %s не найдена!"_cp;
inline constexpr auto EmptyCell = "Эта ячейка памяти пуста"_cp;

// Arithmetic and output.
inline constexpr auto DivisionByZero = "Деление на ноль"_cp;
inline constexpr auto DivisionByZeroIn = "Деление на ноль в функции %s"_cp;
inline constexpr auto RomanTooLarge = "Слишком большое число для представления в римском формате"_cp;

// Functions.
inline constexpr auto NotEnoughArguments = "Недостаточно аргументов в функции %s"_cp;
inline constexpr auto BadCharCode = "Неправильный код символа"_cp;
inline constexpr auto CharExpected = "Ожидался символ"_cp;
inline constexpr auto BadCellIndex = "Неправильный индекс ячейки памяти"_cp;

// Locale separators that would make expressions ambiguous.
inline constexpr auto DecimalEqualsThousand = "Символ разделителя целой и дробной части числа установлен равным разделителю групп разрядов.  В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto DecimalEqualsList = "Символ разделителя целой и дробной части числа установлен равным разделителю списков. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto DecimalIsSpace = "Символ разделителя целой и дробной части числа установлен равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto ListEqualsThousand = "Символ разделителя списков установлен в Windows равным символу разделителя групп разрядов. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto ThousandIsSpace = "Символ разделителя групп разрядов числа установлен равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto ListIsSpace = "Символ разделителя списков установлен в Windows равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto TimeIsSpace = "Символ разделителя времени установлен в Windows равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto TimeEqualsDecimal = "Символ разделителя целой и дробной части числа установлен равным разделителю времени. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;
inline constexpr auto DateIsSpace = "Символ разделителя даты установлен в Windows равным пробелу. В программе будут использованы настройки \"по умолчанию\", их можно просмотреть и изменить на вкладке \"Символы\" диалога настройки"_cp;

}  // namespace talvex::msg
