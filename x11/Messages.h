// What talvex-x11 itself says, beside the engine's messages: why nothing
// was typed, what is wrong with its keys or its display, option errors. One
// row per message holds both languages, UTF-8, "%s" for the arguments.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "edge/Bilingual.h"

// X(Name, English, Russian)
#define TALVEX_X11_MESSAGES(X)                                                                                    \
  X(NoFocus, "No window has the keyboard focus; nothing was typed.",                                             \
    "Ни одно окно не принимает ввод с клавиатуры; ничего не набрано.")                                           \
  X(NothingSelected, "Nothing is highlighted: highlight an expression first.",                                   \
    "Ничего не выделено: сначала выделите выражение.")                                                           \
  X(SelectionElsewhere,                                                                                          \
    "The highlighted text is in another window: highlight the expression in the window you type in.",           \
    "Выделенный текст находится в другом окне: выделите выражение в том окне, где набираете.")                   \
  X(SelectionNotText, "What is highlighted is not text.", "Выделенное — не текст.")                              \
  X(SelectionTimeout, "The window with the highlighted text did not hand it over within half a second.",         \
    "Окно с выделенным текстом не передало его за полсекунды.")                                                  \
  X(SelectionOwnerGone, "The window with the highlighted text closed.", "Окно с выделенным текстом закрылось.")  \
  X(TooLong, "Expression too long (more than 250 characters)", "Слишком длинное выражение")                      \
  X(OutOfMemory, "Not enough memory", "Недостаточно памяти")                                                     \
  X(NoValue, "The expression has no value to type.", "У выражения нет значения, которое можно набрать.")         \
  X(WindowChanged, "The window changed; the answer was not typed.", "Окно сменилось, ответ не набран")           \
  X(KeyboardBusy, "Another program holds the keyboard; the answer was not typed.",                             \
    "Клавиатуру удерживает другая программа; ответ не набран.")                                                  \
  X(Untypable, "The answer holds a character no key can type (U+%s); nothing was typed.",                        \
    "В ответе есть символ, который нельзя набрать (U+%s); ничего не набрано.")                                   \
  X(HotkeyTaken, "%s is taken by another program; other keys can be chosen with --keys or in %s.",              \
    "Сочетание %s занято другой программой. Другие сочетания можно выбрать параметром --keys или в файле %s.")   \
  X(HotkeyNoKey, "No key of this keyboard gives %s; other keys can be chosen with --keys or in %s.",             \
    "Ни одна клавиша этой клавиатуры не даёт %s. Другие сочетания можно выбрать параметром --keys или в файле %s.") \
  X(NoHotkeys, "Neither hotkey could be set up, so talvex-x11 ends.",                                            \
    "Ни одну горячую клавишу установить не удалось, talvex-x11 завершает работу.")                               \
  X(AlreadyRunning, "talvex-x11 is already running on this display.", "talvex-x11 уже запущен на этом дисплее.") \
  X(NoDisplay, "DISPLAY is not set: talvex-x11 needs an X11 session, or XWayland.",                              \
    "Переменная DISPLAY не задана: talvex-x11 работает в сеансе X11 или через XWayland.")                         \
  X(DisplayUnavailable, "Cannot open the X display '%s'.", "Не удаётся открыть дисплей X «%s».")                  \
  X(MissingExtension, "The X server lacks the %s extension, which talvex-x11 needs.",                            \
    "У X-сервера нет расширения %s, без которого talvex-x11 не работает.")                                       \
  X(WaylandResident,                                                                                             \
    "This is a Wayland session: talvex-x11 hears its hotkeys and types only while an X11 (XWayland) "            \
    "application has the focus. For the others bind 'talvex-x11 --oneshot expression' to a shortcut in the "     \
    "desktop's settings.",                                                                                        \
    "Это сеанс Wayland: talvex-x11 слышит свои горячие клавиши и набирает ответ, только пока активно "           \
    "приложение X11 (XWayland). Для остальных назначьте команду «talvex-x11 --oneshot expression» сочетанию "    \
    "клавиш в настройках рабочего стола.")                                                                        \
  X(WaylandCopied, "%s is on the clipboard: paste it with Ctrl+V (the application is no X11 one).",              \
    "%s — в буфере обмена: вставьте сочетанием Ctrl+V (приложение — не X11).")                                   \
  X(WaylandNoCopy,                                                                                               \
    "The application is no X11 one and wl-copy (package wl-clipboard) is missing, so %s could not be handed "    \
    "over.",                                                                                                      \
    "Приложение — не X11, а программы wl-copy (пакет wl-clipboard) нет, поэтому ответ %s передать не удалось.")  \
  X(WaylandNoPaste,                                                                                              \
    "The application is no X11 one, and its highlighted text could not be read (wl-paste, package "              \
    "wl-clipboard).",                                                                                             \
    "Приложение — не X11, и его выделенный текст прочитать не удалось (wl-paste, пакет wl-clipboard).")         \
  X(NoNotifications, "No notification service: messages follow on standard error.",                             \
    "Службы уведомлений нет: сообщения выводятся в стандартный поток ошибок.")                                   \
  X(BadSettings, "The settings file %s names unknown keys '%s'; the default ones are used.",                    \
    "В файле настроек %s указаны неизвестные клавиши «%s»; используются клавиши по умолчанию.")                  \
  X(UnknownOption, "unknown option '%s'", "неизвестный параметр «%s»")                                           \
  X(UnexpectedArgument, "unexpected argument '%s'", "лишний аргумент «%s»")                                     \
  X(TakesNoValue, "option '%s' takes no value", "параметр «%s» не принимает значения")                           \
  X(NeedsValue, "option '%s' needs a value", "параметру «%s» нужно значение")                                    \
  X(InvalidValue, "bad value '%s' for option '--%s'", "недопустимое значение «%s» параметра «--%s»")                \
  X(UnknownLocale, "unknown locale '%s'", "неизвестная локаль «%s»")                                             \
  X(TryHelp, "Try 'talvex-x11 --help' for more information.", "Подробнее: talvex-x11 --help")

namespace talvex::x11 {

enum class TMessageKey : std::uint8_t {
#define TALVEX_X11_MESSAGE_ID(Name, English, Russian) Name,
  TALVEX_X11_MESSAGES(TALVEX_X11_MESSAGE_ID)
#undef TALVEX_X11_MESSAGE_ID
};

inline constexpr TBilingualText MessageTexts[] = {
#define TALVEX_X11_MESSAGE_TEXT(Name, English, Russian) {English, Russian},
    TALVEX_X11_MESSAGES(TALVEX_X11_MESSAGE_TEXT)
#undef TALVEX_X11_MESSAGE_TEXT
};

inline std::string Text(TMessageKey Key, TLanguage Language, std::initializer_list<std::string_view> Args = {}) {
  return FormatIn(MessageTexts[static_cast<std::size_t>(Key)], Language, Args);
}

}  // namespace talvex::x11
