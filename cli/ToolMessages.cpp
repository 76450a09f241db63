#include "cli/ToolMessages.h"

#include <iterator>

#include "ParserLib/ParserException.h"

namespace talvex::cli {
namespace {

constexpr TBilingualText Texts[] = {
#define TALVEX_TOOL_MESSAGE_TEXTS(Name, English, Russian) {English, Russian},
    TALVEX_TOOL_MESSAGES(TALVEX_TOOL_MESSAGE_TEXTS)
#undef TALVEX_TOOL_MESSAGE_TEXTS
};

}  // namespace

std::string_view ToolMessageText(TToolMessageId Id, TLanguage Language) {
  return TextIn(Texts[static_cast<std::size_t>(Id)], Language);
}

std::string ToolText(TToolMessageId Id, TLanguage Language, std::initializer_list<std::string_view> Args) {
  return FormatIn(Texts[static_cast<std::size_t>(Id)], Language, Args);
}

std::string ToolText(const TToolMessage& Message, TLanguage Language) {
  return FormatMessage(ToolMessageText(Message.Id, Language), Message.Args);
}

}  // namespace talvex::cli
