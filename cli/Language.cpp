#include "cli/Language.h"

namespace talvex::cli {

TLanguage LanguageOfLocale(std::string_view Name) {
  const std::string_view Language = Name.substr(0, Name.find_first_of("_.@"));
  const bool Russian = Language.size() == 2 && (Language[0] == 'r' || Language[0] == 'R') &&
                       (Language[1] == 'u' || Language[1] == 'U');
  return Russian ? TLanguage::Russian : TLanguage::English;
}

TLanguage EnvironmentLanguage(const TGetenv& Getenv) {
  return LanguageOfLocale(LocaleNameFor("LC_MESSAGES", Getenv));
}

TLanguage MessageLanguage(std::optional<TLanguage> MessagesOption, const std::string& LocaleOption,
                          TLanguage System) {
  if (MessagesOption) return *MessagesOption;
  return LocaleOption.empty() ? System : LanguageOfLocale(LocaleOption);
}

}  // namespace talvex::cli
