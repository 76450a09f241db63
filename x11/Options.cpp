#include "x11/Options.h"

#include <getopt.h>

#include <cstring>
#include <string_view>

#ifndef TALVEX_VERSION
#error "TALVEX_VERSION comes from the build"
#endif

namespace talvex::x11 {

namespace {

enum : int { OptMessages = 256, OptLocale };

constexpr const char* ShortOptions = ":hVnk:o:";
constexpr option LongOptions[] = {
    {"help", no_argument, nullptr, 'h'},           {"version", no_argument, nullptr, 'V'},
    {"notify-results", no_argument, nullptr, 'n'}, {"keys", required_argument, nullptr, 'k'},
    {"oneshot", required_argument, nullptr, 'o'},  {"messages", required_argument, nullptr, OptMessages},
    {"locale", required_argument, nullptr, OptLocale}, {nullptr, 0, nullptr, 0},
};

// getopt_long says only '?' both for an unknown long option and for one
// given a value it does not take; the argument tells which. (No two long
// names share a beginning, so none is ambiguous.)
TOptionError LongOptionError(std::string_view Arg) {
  const std::size_t Equals = Arg.find('=');
  const std::string_view Name = Arg.substr(2, Equals == std::string_view::npos ? std::string_view::npos : Equals - 2);
  for (const option* O = LongOptions; O->name; ++O)
    if (!Name.empty() && std::string_view(O->name).substr(0, Name.size()) == Name && Equals != std::string_view::npos &&
        O->has_arg == no_argument)
      return {TMessageKey::TakesNoValue, {std::string("--") + O->name}};
  return {TMessageKey::UnknownOption, {std::string(Arg.substr(0, Equals))}};
}

bool IsLong(const char* Arg) { return std::strncmp(Arg, "--", 2) == 0; }

std::string ShortName(int Option) { return std::string("-") + static_cast<char>(Option); }

std::optional<THotkey> OneShotOf(std::string_view Value) {
  if (Value == "expression") return THotkey::hkExpression;
  if (Value == "result") return THotkey::hkResult;
  return std::nullopt;
}

std::optional<TLanguage> LanguageOf(std::string_view Value) {
  if (Value == "en") return TLanguage::English;
  if (Value == "ru") return TLanguage::Russian;
  return std::nullopt;
}

}  // namespace

const char* const VersionText =
    "talvex-x11 " TALVEX_VERSION "\n"
    "Copyright (c) 2026 The Talvex developers\n"
    "License: MIT. This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY. The licence text is in the file LICENSE of the sources\n"
    "and in /usr/share/doc/talvex-x11/copyright of the package.\n";

const char* const UsageText =
    "Usage: talvex-x11 [OPTION]...\n"
    "Calculates in place in any X11 application: highlight an expression and\n"
    "press Ctrl+Shift+F7, and it becomes the expression, '=' and the result\n"
    "(2+3*4=14); Ctrl+Shift+F8 puts the result alone in its place (14). Stays in\n"
    "the background until it is ended; errors show as desktop notifications.\n"
    "\n"
    "  -k, --keys=PAIR        other hotkeys: ctrl-shift-f7-f8 (the default),\n"
    "                         ctrl-shift-f10-f11, numlock, or two combinations\n"
    "                         such as Ctrl+Alt+E,Ctrl+Alt+R\n"
    "  -o, --oneshot=expression|result\n"
    "                         calculate the highlighted text once, type the\n"
    "                         answer and exit (for a shortcut of the desktop)\n"
    "  -n, --notify-results   show each result as a notification too\n"
    "      --locale=NAME      separators of a locale (de_DE, fr_FR.UTF-8, ...);\n"
    "                         default: LC_ALL, LC_NUMERIC/LC_TIME, LANG\n"
    "      --messages=en|ru   language of the messages; default: that of\n"
    "                         --locale, else LC_ALL, LC_MESSAGES, LANG\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and the licence and exit\n"
    "The keys can be set in $XDG_CONFIG_HOME/talvex/settings too: hotkeys=PAIR.\n"
    "Exit status: 0 ran (one-shot: the answer was typed), 1 failed or nothing\n"
    "typed, 2 bad options, 3 one-shot under Wayland: the answer is on the clipboard.\n"
    "The manual: man talvex-x11; the expression language: man talvex-calc\n";

bool ParseOptions(int Argc, char* const* Argv, TOptions& Options, TOptionError& Error) {
  bool Failed = false;
  const auto Fail = [&](TOptionError Found) {
    if (!Failed) Error = std::move(Found);
    Failed = true;
  };
  opterr = 0;
  optind = 0;  // glibc: start over, as for a new program
  for (int Option; (Option = getopt_long(Argc, Argv, ShortOptions, LongOptions, nullptr)) != -1;) {
    const char* Given = Argv[optind - 1];
    switch (Option) {
      case 'h':
        Options.Help = true;
        break;
      case 'V':
        Options.Version = true;
        break;
      case 'n':
        Options.NotifyResults = true;
        break;
      case 'k':
        if (!(Options.Keys = ParseKeys(optarg))) Fail({TMessageKey::InvalidValue, {optarg, "keys"}});
        break;
      case 'o':
        if (!(Options.OneShot = OneShotOf(optarg))) Fail({TMessageKey::InvalidValue, {optarg, "oneshot"}});
        break;
      case OptMessages:
        if (!(Options.Messages = LanguageOf(optarg))) Fail({TMessageKey::InvalidValue, {optarg, "messages"}});
        break;
      case OptLocale:
        Options.Locale = optarg;
        if (Options.Locale.empty()) Fail({TMessageKey::InvalidValue, {optarg, "locale"}});
        break;
      case ':':
        Fail({TMessageKey::NeedsValue, {IsLong(Given) ? std::string(Given) : ShortName(optopt)}});
        break;
      default:
        Fail(IsLong(Given) ? LongOptionError(Given) : TOptionError{TMessageKey::UnknownOption, {ShortName(optopt)}});
    }
  }
  for (int I = optind; I < Argc; ++I) Fail({TMessageKey::UnexpectedArgument, {Argv[I]}});
  return !Failed;
}

}  // namespace talvex::x11
