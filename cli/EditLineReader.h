// Line editing and history on a terminal, with Debian's libedit.
#pragma once

#include <string>

#include "cli/Session.h"

namespace talvex::cli {

class TEditLineReader final : public ILineReader {
 public:
  // HistoryFile is read now and rewritten after every line, so a session that
  // is killed keeps what it had; empty keeps no history.
  explicit TEditLineReader(std::string HistoryFile);

  bool ReadLine(std::string& Line) override;
  void Remember(const std::string& Line) override;

 private:
  std::string FHistoryFile;
  std::string FLast;
};

}  // namespace talvex::cli
