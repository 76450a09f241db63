// Line editing, a history kept between sessions and completion of names on a
// terminal, with Debian's libedit.
#pragma once

#include <string>

#include "cli/Completion.h"
#include "cli/Session.h"

struct editline;
struct history;

namespace talvex::cli {

class TEditLineReader final : public ILineReader {
 public:
  // HistoryFile is read now and rewritten after every line, so a session that
  // is killed keeps what it had; empty keeps no history. Tab completes the
  // word before the cursor with Complete; a second Tab lists the choices.
  TEditLineReader(std::string HistoryFile, TCompleter Complete);
  ~TEditLineReader() override;
  TEditLineReader(const TEditLineReader&) = delete;
  TEditLineReader& operator=(const TEditLineReader&) = delete;

  bool ReadLine(std::string& Line) override;
  void Remember(const std::string& Line) override;

  // The Tab key: libedit's command result for the line being edited.
  unsigned char CompleteWord();

 private:
  std::string FHistoryFile;
  std::string FLast;
  TCompleter FComplete;
  editline* FEdit = nullptr;
  history* FHistory = nullptr;
  // The line and cursor after the last Tab that left a choice: a Tab at the
  // same place lists the choices.
  std::string FChoiceLine;
  int FChoiceCursor = -1;
};

}  // namespace talvex::cli
