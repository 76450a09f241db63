#include "edge/Bilingual.h"

#include "ParserLib/ParserException.h"

namespace talvex {

std::string FormatIn(const TBilingualText& Text, TLanguage Language, std::initializer_list<std::string_view> Args) {
  return FormatMessage(TextIn(Text, Language), Args);
}

}  // namespace talvex
