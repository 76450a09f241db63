#include "cli/LineReader.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#ifdef TALVEX_LIBEDIT
#include "cli/EditLineReader.h"
#endif

namespace talvex::cli {
namespace {

class TStreamReader final : public ILineReader {
 public:
  explicit TStreamReader(bool Prompt) : FPrompt(Prompt) {}

  bool ReadLine(std::string& Line) override {
    if (FPrompt) {
      std::fputs("> ", stdout);
      std::fflush(stdout);
    }
    if (std::getline(std::cin, Line)) {
      // A tab in a line typed at the console separates as a blank does, as
      // at a terminal of the line editor.
      if (FPrompt) std::replace(Line.begin(), Line.end(), '\t', ' ');
      return true;
    }
    // The shell's prompt then starts on a line of its own.
    if (FPrompt) std::fputs("\n", stdout);
    return false;
  }

 private:
  bool FPrompt;
};

}  // namespace

std::string HistoryPath(const TGetenv& Getenv) {
  const char* State = Getenv("XDG_STATE_HOME");
  if (State && State[0] == '/') return std::string(State) + "/talvex-calc/history";
  const char* Home = Getenv("HOME");
  if (Home && Home[0] == '/') return std::string(Home) + "/.local/state/talvex-calc/history";
  return std::string();
}

std::unique_ptr<ILineReader> OpenStandardInput(bool Interactive, const TGetenv& Getenv, TCompleter Complete) {
#ifdef TALVEX_LIBEDIT
  if (Interactive) return std::make_unique<TEditLineReader>(HistoryPath(Getenv), std::move(Complete));
#else
  (void)Getenv;
  (void)Complete;
#endif
  return std::make_unique<TStreamReader>(Interactive);
}

}  // namespace talvex::cli
