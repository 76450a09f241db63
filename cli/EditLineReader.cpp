#include "cli/EditLineReader.h"

#include <fcntl.h>
#include <histedit.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "cli/Output.h"

namespace talvex::cli {
namespace {

constexpr int HistoryLength = 1000;

// The characters of names: a word to complete is the longest run of them
// before the cursor (bytes of UTF-8 beyond ASCII are letters of names too).
bool IsNameByte(char C) {
  const auto U = static_cast<unsigned char>(C);
  return U >= 0x80 || U == '_' || (U >= '0' && U <= '9') || ((U | 0x20) >= 'a' && (U | 0x20) <= 'z');
}

// Characters, not bytes, as libedit counts them.
int CharacterCount(std::string_view Utf8) {
  return static_cast<int>(std::count_if(Utf8.begin(), Utf8.end(), [](char C) { return (static_cast<unsigned char>(C) & 0xC0) != 0x80; }));
}

const char* Prompt(EditLine*) { return "> "; }

unsigned char OnTab(EditLine* Edit, int) {
  void* Reader = nullptr;
  el_get(Edit, EL_CLIENTDATA, &Reader);
  return static_cast<TEditLineReader*>(Reader)->CompleteWord();
}

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

TEditLineReader::TEditLineReader(std::string HistoryFile, TCompleter Complete)
    : FHistoryFile(std::move(HistoryFile)), FComplete(std::move(Complete)) {
  // libedit needs the terminal's multibyte encoding; the tool's text is UTF-8
  // whatever the locale says, so a locale of another codeset gives way to C.UTF-8.
  std::setlocale(LC_CTYPE, "");
  if (std::string_view(nl_langinfo(CODESET)) != "UTF-8") std::setlocale(LC_CTYPE, "C.UTF-8");
  HistEvent Event;
  FHistory = history_init();
  history(FHistory, &Event, H_SETSIZE, HistoryLength);
  FEdit = el_init("talvex-calc", stdin, stdout, stderr);
  el_set(FEdit, EL_EDITOR, "emacs");
  el_set(FEdit, EL_SIGNAL, 1);  // the terminal is given back on a signal
  el_set(FEdit, EL_PROMPT, Prompt);
  el_set(FEdit, EL_HIST, history, FHistory);
  el_set(FEdit, EL_CLIENTDATA, this);
  // The wide call keeps the names as given; the narrow one copies them and
  // never frees the copies.
  el_wset(FEdit, EL_ADDFN, L"talvex-complete", L"complete the name before the cursor", OnTab);
  // The keys people expect from readline, besides libedit's emacs map.
  static constexpr const char* Bindings[][2] = {
      {"^I", "talvex-complete"},       {"^R", "em-inc-search-prev"},     {"\\e[1~", "ed-move-to-beg"},
      {"\\e[4~", "ed-move-to-end"},    {"\\e[7~", "ed-move-to-beg"},     {"\\e[8~", "ed-move-to-end"},
      {"\\e[H", "ed-move-to-beg"},     {"\\e[F", "ed-move-to-end"},      {"\\e[3~", "ed-delete-next-char"},
      {"\\e[1;5C", "em-next-word"},    {"\\e[1;5D", "ed-prev-word"}};
  for (const auto& [Keys, Command] : Bindings) el_set(FEdit, EL_BIND, Keys, Command, nullptr);
  el_source(FEdit, nullptr);  // the user's ~/.editrc
  if (FHistoryFile.empty()) return;
  if (!PrepareHistoryFile(FHistoryFile)) {
    TOutput(stderr, isatty(2) != 0)
        .WriteLine("talvex-calc: no history kept: " + FHistoryFile + ": " + std::strerror(errno));
    FHistoryFile.clear();
    return;
  }
  history(FHistory, &Event, H_LOAD, FHistoryFile.c_str());
}

TEditLineReader::~TEditLineReader() {
  el_end(FEdit);
  history_end(FHistory);
}

bool TEditLineReader::ReadLine(std::string& Line) {
  int Count = 0;
  const char* Text = el_gets(FEdit, &Count);
  if (!Text || Count <= 0) {
    // The shell's prompt then starts on a line of its own.
    std::fputs("\n", stdout);
    std::fflush(stdout);
    return false;
  }
  Line.assign(Text, static_cast<std::size_t>(Count));
  if (!Line.empty() && Line.back() == '\n') Line.pop_back();
  // A tab that reaches the line (typed after Ctrl-V) separates as a blank does.
  std::replace(Line.begin(), Line.end(), '\t', ' ');
  return true;
}

void TEditLineReader::Remember(const std::string& Line) {
  // A line repeated at once is kept once, as shells do.
  if (Line == FLast) return;
  FLast = Line;
  HistEvent Event;
  history(FHistory, &Event, H_ENTER, Line.c_str());
  if (!FHistoryFile.empty()) history(FHistory, &Event, H_SAVE, FHistoryFile.c_str());
}

// As readline does: the word becomes its completion, or the beginning its
// completions share; with nothing to add the bell rings, and a second Tab at
// the same place lists them. (libedit's own completion would ring the bell
// after every completion.)
unsigned char TEditLineReader::CompleteWord() {
  const LineInfo* Info = el_line(FEdit);
  const std::string_view Before(Info->buffer, static_cast<std::size_t>(Info->cursor - Info->buffer));
  std::size_t Start = Before.size();
  while (Start > 0 && IsNameByte(Before[Start - 1])) --Start;
  const std::string_view Word = Before.substr(Start);
  const std::vector<std::string> Matches = Word.empty() ? std::vector<std::string>() : FComplete(Word);
  if (Matches.empty()) return CC_REFRESH_BEEP;
  const std::string Completion = Matches.size() == 1 ? Matches.front() : SharedBeginning(Matches);
  const std::string Line(Info->buffer, static_cast<std::size_t>(Info->lastchar - Info->buffer));
  const int Cursor = static_cast<int>(Before.size());
  if (Matches.size() > 1 && Line == FChoiceLine && Cursor == FChoiceCursor) {
    std::string List;
    for (const std::string& Match : Matches) List += (List.empty() ? "\n" : "  ") + Match;
    List += '\n';
    std::fputs(List.c_str(), stdout);
    return CC_REDISPLAY;
  }
  if (Completion != Word) {
    el_deletestr(FEdit, CharacterCount(Word));
    el_insertstr(FEdit, Completion.c_str());
  }
  const LineInfo* After = el_line(FEdit);
  FChoiceLine.assign(After->buffer, static_cast<std::size_t>(After->lastchar - After->buffer));
  FChoiceCursor = Matches.size() > 1 ? static_cast<int>(After->cursor - After->buffer) : -1;
  return Matches.size() > 1 && Completion.size() <= Word.size() ? CC_REFRESH_BEEP : CC_REFRESH;
}

}  // namespace talvex::cli
