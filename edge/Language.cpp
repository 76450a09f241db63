#include "edge/Language.h"

namespace talvex {

TLanguage LanguageOfLocale(std::string_view Name) {
  return LocaleLanguage(Name) == "ru" ? TLanguage::Russian : TLanguage::English;
}

TLanguage EnvironmentLanguage(const TGetenv& Getenv) {
  return LanguageOfLocale(LocaleNameFor("LC_MESSAGES", Getenv));
}

TLanguage MessageLanguage(std::optional<TLanguage> MessagesOption, const std::string& LocaleOption,
                          TLanguage System) {
  if (MessagesOption) return *MessagesOption;
  return LocaleOption.empty() ? System : LanguageOfLocale(LocaleOption);
}

}  // namespace talvex
