// What the tool itself says, beside the engine's messages: option errors, a
// character code page 1251 lacks, the banner. One row per message holds both
// languages, UTF-8, with "%s" for the arguments in order.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "edge/Bilingual.h"
#include "edge/Language.h"

// X(Name, English, Russian)
#define TALVEX_TOOL_MESSAGES(X)                                                                                \
  X(UnknownOption, "unrecognized option '%s'", "нераспознанный параметр «%s»")                               \
  X(AmbiguousOption, "option '%s' is ambiguous; possibilities: %s", "параметр «%s» неоднозначен; возможные варианты: %s") \
  X(InvalidOption, "invalid option -- '%s'", "неверный параметр — «%s»")                                        \
  X(TakesNoValue, "option '--%s' doesn't allow an argument", "параметр «--%s» не допускает аргумента")       \
  X(NeedsValue, "option '--%s' requires an argument", "параметру «--%s» требуется аргумент")                 \
  X(BadValue, "bad value '%s' for option '--%s'", "недопустимое значение «%s» параметра «--%s»")              \
  X(UnknownLocale, "unknown locale '%s'", "неизвестная локаль «%s»")                                          \
  X(TryHelp, "Try 'talvex-calc --help' for more information.", "Подробнее: talvex-calc --help")               \
  X(Banner,                                                                                                   \
    "talvex-calc %s: type an expression and Enter; ans is the last result.\n"                                 \
    "Leave with quit, exit or %s. The language: man talvex-calc.",                                            \
    "talvex-calc %s: введите выражение и нажмите Enter; ans — последний результат.\n"                         \
    "Выход: quit, exit или %s. Язык выражений: man talvex-calc.")                                             \
  X(EndOfInputKeys, "Ctrl-D", "Ctrl-D")                                                                       \
  X(EndOfInputKeysWindows, "Ctrl-Z and Enter", "Ctrl-Z и Enter")

namespace talvex::cli {

enum class TToolMessageId : uint8_t {
#define TALVEX_TOOL_MESSAGE_ID(Name, English, Russian) Name,
  TALVEX_TOOL_MESSAGES(TALVEX_TOOL_MESSAGE_ID)
#undef TALVEX_TOOL_MESSAGE_ID
};

inline constexpr int ToolMessageCount = 0
#define TALVEX_TOOL_MESSAGE_COUNT(Name, English, Russian) +1
    TALVEX_TOOL_MESSAGES(TALVEX_TOOL_MESSAGE_COUNT)
#undef TALVEX_TOOL_MESSAGE_COUNT
    ;

// A message to be written once the language is known (options are read
// before it is).
struct TToolMessage {
  TToolMessageId Id{};
  std::vector<std::string> Args;
};

// The message's text in Language, with its "%s".
std::string_view ToolMessageText(TToolMessageId Id, TLanguage Language);

// The message in Language with Args in place of its "%s" in order.
std::string ToolText(TToolMessageId Id, TLanguage Language, std::initializer_list<std::string_view> Args = {});
std::string ToolText(const TToolMessage& Message, TLanguage Language);

}  // namespace talvex::cli
