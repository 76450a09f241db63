// The program's own texts, as they are shown: UTF-16, whatever the system's
// ANSI code page is.
#pragma once

namespace talvex::texts {

inline constexpr const wchar_t* AppCaption = L"Talvex v 2.0 beta";
inline constexpr const wchar_t* InitialTooltip = L"Talvex";
inline constexpr const wchar_t* HotkeyError = L"Ошибка инициализации горячих клавиш";
inline constexpr const wchar_t* InitError = L"Ошибка инициализации";
inline constexpr const wchar_t* TooLong = L"Слишком длинное выражение";
// After "Позиция N:  ", as the engine positions its own messages.
inline constexpr const wchar_t* PositionPrefix = L"Позиция ";
inline constexpr const wchar_t* NotInCodePage = L"Символ вне кодовой страницы 1251";
inline constexpr const wchar_t* OutOfMemory = L"Недостаточно памяти";
// The hotkey cycle typed nothing, and says why.
inline constexpr const wchar_t* NothingRead = L"Не удалось прочитать выделенный текст";
inline constexpr const wchar_t* WindowChanged = L"Окно сменилось, ответ не набран";
inline constexpr const wchar_t* ElevatedWindow = L"Нет доступа к окну администратора";

}  // namespace talvex::texts
