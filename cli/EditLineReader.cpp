#include "cli/EditLineReader.h"

#include <editline/readline.h>
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace talvex::cli {
namespace {

constexpr int HistoryLength = 1000;

// Every folder of Path up to its last part, as mkdir -p makes them.
bool MakeFolders(const std::string& Path) {
  for (std::size_t Slash = Path.find('/', 1); Slash != std::string::npos; Slash = Path.find('/', Slash + 1)) {
    const std::string Folder = Path.substr(0, Slash);
    if (mkdir(Folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// The file exists, readable only by its owner (expressions can be private).
bool PrepareHistoryFile(const std::string& Path) {
  if (!MakeFolders(Path)) return false;
  const int File = open(Path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (File < 0) return false;
  close(File);
  return true;
}

}  // namespace

TEditLineReader::TEditLineReader(std::string HistoryFile) : FHistoryFile(std::move(HistoryFile)) {
  // libedit needs the terminal's multibyte encoding; the tool's text is UTF-8
  // whatever the locale says, so a locale of another codeset gives way to C.UTF-8.
  std::setlocale(LC_CTYPE, "");
  if (std::string_view(nl_langinfo(CODESET)) != "UTF-8") std::setlocale(LC_CTYPE, "C.UTF-8");
  using_history();
  stifle_history(HistoryLength);
  // A tab is text here, not a request to complete file names.
  rl_bind_key('\t', rl_insert);
  if (FHistoryFile.empty()) return;
  if (!PrepareHistoryFile(FHistoryFile)) {
    std::fprintf(stderr, "talvex-calc: no history kept: %s: %s\n", FHistoryFile.c_str(), std::strerror(errno));
    FHistoryFile.clear();
    return;
  }
  read_history(FHistoryFile.c_str());
}

bool TEditLineReader::ReadLine(std::string& Line) {
  char* Text = readline("> ");
  if (!Text) {
    // The shell's prompt then starts on a line of its own.
    std::fputs("\n", stdout);
    std::fflush(stdout);
    return false;
  }
  Line = Text;
  std::free(Text);
  return true;
}

void TEditLineReader::Remember(const std::string& Line) {
  // A line repeated at once is kept once, as shells do.
  if (Line == FLast) return;
  FLast = Line;
  add_history(Line.c_str());
  if (!FHistoryFile.empty()) write_history(FHistoryFile.c_str());
}

}  // namespace talvex::cli
