// A program's own text in both of its languages, UTF-8, with "%s" for the
// arguments in order. The engine's messages have their identities instead
// (EngineMessages.h).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "edge/Language.h"

namespace talvex {

struct TBilingualText {
  std::string_view English;
  std::string_view Russian;
};

constexpr std::string_view TextIn(const TBilingualText& Text, TLanguage Language) {
  return Language == TLanguage::Russian ? Text.Russian : Text.English;
}

std::string FormatIn(const TBilingualText& Text, TLanguage Language, std::initializer_list<std::string_view> Args = {});

}  // namespace talvex
