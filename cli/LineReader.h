// The readers of standard input: a plain one for files, pipes and the Windows
// console, and one with line editing and a history kept between sessions for
// a terminal (libedit).
#pragma once

#include <memory>
#include <string>

#include "cli/Completion.h"
#include "cli/Session.h"
#include "edge/Locale.h"

namespace talvex::cli {

// The history file: $XDG_STATE_HOME/talvex-calc/history, or
// ~/.local/state/talvex-calc/history when XDG_STATE_HOME is unset or not an
// absolute path; empty when neither folder is known.
std::string HistoryPath(const TGetenv& Getenv);

// Interactive: both standard input and standard output are terminals, so the
// reader shows a prompt (and edits lines and completes words with Complete
// where libedit is available); otherwise lines are read as they come and
// nothing but results is written.
std::unique_ptr<ILineReader> OpenStandardInput(bool Interactive, const TGetenv& Getenv, TCompleter Complete);

}  // namespace talvex::cli
