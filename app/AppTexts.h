// The program's own texts, as they are shown: UTF-16, whatever the system's
// ANSI code page is.
#pragma once

namespace talvex::texts {

inline constexpr const wchar_t* AppCaption = L"Talvex v 2.0 beta";
inline constexpr const wchar_t* InitialTooltip = L"Talvex";
inline constexpr const wchar_t* HotkeyError = L"Ошибка инициализации горячих клавиш";
// The second line of HotkeyError: which keys, and what to do.
inline constexpr const wchar_t* HotkeyTakenBefore = L"Сочетание ";
inline constexpr const wchar_t* HotkeyTakenAfter =
    L" занято другой программой. Другие сочетания можно выбрать в меню значка Talvex: «Горячие клавиши».";
inline constexpr const wchar_t* SettingsNotWritten =
    L"Не удалось запомнить выбор горячих клавиш: файл настроек не записан. Выбранные клавиши работают до выхода "
    L"из программы.";
inline constexpr const wchar_t* ClipboardBusy =
    L"Результат не скопирован: буфер обмена занят другой программой. Попробуйте ещё раз.";

// The tray menu's additions.
inline constexpr const wchar_t* RecentMenu = L"Последние результаты";
inline constexpr const wchar_t* NoRecentResults = L"Пока нет результатов";
inline constexpr const wchar_t* HotkeysMenu = L"Горячие клавиши";
inline constexpr const wchar_t* InitError = L"Ошибка инициализации";
inline constexpr const wchar_t* TooLong = L"Слишком длинное выражение";
// After "Позиция N:  ", as the engine positions its own messages.
inline constexpr const wchar_t* PositionPrefix = L"Позиция ";
inline constexpr const wchar_t* NotInCodePage = L"Символ вне кодовой страницы 1251";
inline constexpr const wchar_t* OutOfMemory = L"Недостаточно памяти";
// The hotkey cycle typed nothing, and says why.
inline constexpr const wchar_t* NoWindow = L"Нет активного окна, выражение не прочитано";
inline constexpr const wchar_t* OwnWindow = L"Впереди окно Talvex: выделите выражение в другой программе";
inline constexpr const wchar_t* ElevatedWindow = L"Нет доступа к окну администратора";
inline constexpr const wchar_t* NotAnswering = L"Программа не отвечает, выражение не прочитано";
inline constexpr const wchar_t* NothingSelected = L"Ничего не выделено";
inline constexpr const wchar_t* ClipboardTaken = L"Буфер обмена занят другой программой, выражение не прочитано";
inline constexpr const wchar_t* CopyRefused = L"Windows не приняла нажатие Ctrl+Insert, выражение не прочитано";
inline constexpr const wchar_t* CopiedNothing = L"Программа не скопировала выделенный текст";
inline constexpr const wchar_t* CopiedNoText = L"В выделении нет текста";
inline constexpr const wchar_t* WindowChanged = L"Окно сменилось, ответ не набран";
inline constexpr const wchar_t* TypedPartly = L"Ответ набран не полностью: Windows приняла не все нажатия";
// An expression that has no value to type, such as an assignment elsewhere than at its start.
inline constexpr const wchar_t* NoValue = L"Выражение вычислено, значения у него нет";
// What the cycle could not give back.
inline constexpr const wchar_t* ClipboardNotRestored = L"Не удалось вернуть прежнее содержимое буфера обмена";
inline constexpr const wchar_t* ClipboardPartlyRestored = L"Прежнее содержимое буфера обмена возвращено не полностью";
inline constexpr const wchar_t* NumLockNotRestored = L"Не удалось вернуть NumLock: нажмите NumLock ещё раз";

// The second lines of "Ошибка инициализации": what is wrong with the monitor
// library and what to do.
inline constexpr const wchar_t* MonitorMissing = L"Не найден файл Vantrel.dll. Он должен лежать рядом с Talvex.exe:";
inline constexpr const wchar_t* MonitorUnusable =
    L"Файл Vantrel.dll не загружается или не подходит к этой версии программы. Нужен Vantrel.dll из того же "
    L"выпуска, что и Talvex.exe:";
inline constexpr const wchar_t* Monitor32For64 =
    L"Файл Vantrel.dll рядом с Talvex.exe 32-разрядный, а эта Talvex.exe 64-разрядная: такой файл она не "
    L"загрузит. Нужен Vantrel.dll из того же архива, что и Talvex.exe (Talvex-…-win64.zip):";
inline constexpr const wchar_t* Monitor64For32 =
    L"Файл Vantrel.dll рядом с Talvex.exe 64-разрядный, а эта Talvex.exe 32-разрядная: такой файл она не "
    L"загрузит. Нужен Vantrel.dll из того же архива, что и Talvex.exe (Talvex-…-win32.zip):";
inline constexpr const wchar_t* MonitorNotInstalled =
    L"Vantrel.dll не смог установить перехват клавиатуры и мыши. Запустите Talvex.exe ещё раз; если это не "
    L"поможет, проверьте, не запрещает ли перехват защитная программа.";

// When "Справка" cannot open the help file.
inline constexpr const wchar_t* HelpNoProgram = L"Нет программы, которая открывает файл справки (.html).";
inline constexpr const wchar_t* HelpMissing = L"Файл справки не найден. Он должен лежать рядом с Talvex.exe:";
inline constexpr const wchar_t* HelpFailed = L"Не удалось открыть файл справки (ошибка ";
inline constexpr const wchar_t* HelpLiesHere = L"Файл справки лежит здесь, его можно открыть в любом браузере:";

}  // namespace talvex::texts
