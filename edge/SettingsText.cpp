#include "edge/SettingsText.h"

#include "ParserLib/Cp1251.h"

namespace talvex {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view Text) {
  const auto First = Text.find_first_not_of(" \t\r");
  if (First == std::string_view::npos) return {};
  const auto Last = Text.find_last_not_of(" \t\r");
  return Text.substr(First, Last - First + 1);
}

}  // namespace

std::optional<std::string_view> SettingValue(std::string_view Text, std::string_view Name) {
  if (Text.size() > MaxSettingsBytes) return std::nullopt;
  if (Text.substr(0, Utf8Bom.size()) == Utf8Bom) Text.remove_prefix(Utf8Bom.size());
  std::optional<std::string_view> Value;
  while (!Text.empty()) {
    const std::size_t End = Text.find('\n');
    const std::string_view Line = Trimmed(Text.substr(0, End));
    Text.remove_prefix(End == std::string_view::npos ? Text.size() : End + 1);
    const std::size_t Equals = Line.find('=');
    if (Line.empty() || Line.front() == '#' || Equals == std::string_view::npos) continue;
    if (SameTextCp1251(Trimmed(Line.substr(0, Equals)), Name)) Value = Trimmed(Line.substr(Equals + 1));
  }
  return Value;
}

}  // namespace talvex
