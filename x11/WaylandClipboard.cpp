#include "x11/WaylandClipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "ParserLib/Cp1251.h"
#include "x11/Messages.h"

extern char** environ;

namespace talvex::x11 {

namespace {

constexpr int HelperTimeoutMs = 3000;
// Far more than any expression; the rest is not read.
constexpr std::size_t MaxPasteBytes = 64 * 1024;

class TPipe {
 public:
  TPipe() { Ok = pipe2(Ends, O_CLOEXEC) == 0; }
  ~TPipe() {
    CloseRead();
    CloseWrite();
  }
  TPipe(const TPipe&) = delete;
  TPipe& operator=(const TPipe&) = delete;
  void CloseRead() { Close(Ends[0]); }
  void CloseWrite() { Close(Ends[1]); }
  int Read() const { return Ends[0]; }
  int Write() const { return Ends[1]; }
  bool Ok = false;

 private:
  static void Close(int& End) {
    if (End >= 0) close(End);
    End = -1;
  }
  int Ends[2] = {-1, -1};
};

int MillisecondsLeft(std::chrono::steady_clock::time_point Deadline) {
  const auto Left =
      std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now()).count();
  return Left > 0 ? static_cast<int>(Left) : 0;
}

bool WriteAll(int Fd, const std::string& Text) {
  std::size_t Written = 0;
  while (Written < Text.size()) {
    const ssize_t N = write(Fd, Text.data() + Written, Text.size() - Written);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) return false;
    Written += static_cast<std::size_t>(N);
  }
  return true;
}

// Reads Fd to its end or the deadline; false at the deadline.
bool ReadAll(int Fd, std::string& Output, std::chrono::steady_clock::time_point Deadline) {
  char Buffer[4096];
  for (;;) {
    pollfd Pipe{Fd, POLLIN, 0};
    const int Left = MillisecondsLeft(Deadline);
    if (Left == 0 || poll(&Pipe, 1, Left) == 0) return false;
    const ssize_t N = read(Fd, Buffer, sizeof Buffer);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) return true;
    if (Output.size() < MaxPasteBytes) Output.append(Buffer, static_cast<std::size_t>(N));
  }
}

// True when the child ended with status 0 before the deadline; killed after it.
bool Succeeded(pid_t Child, std::chrono::steady_clock::time_point Deadline) {
  int Status = 0;
  for (;;) {
    const pid_t Ended = waitpid(Child, &Status, WNOHANG);
    if (Ended == Child) return WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
    if (Ended < 0 && errno != EINTR) return false;
    if (MillisecondsLeft(Deadline) == 0) {
      kill(Child, SIGKILL);
      while (waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
      }
      return false;
    }
    usleep(5000);
  }
}

// Runs a helper with Input on its standard input and, when Output is given,
// its standard output collected; without, its output goes nowhere, so that
// a helper that leaves a background process behind (wl-copy) is not waited
// for. False when it cannot be started, fails or takes too long.
bool RunHelper(const char* const* Argv, const std::string& Input, std::string* Output) {
  TPipe In, Out;
  if (!In.Ok || (Output && !Out.Ok)) return false;
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, In.Read(), 0);
  if (Output)
    posix_spawn_file_actions_adddup2(&Actions, Out.Write(), 1);
  else
    posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t Child = 0;
  const int Spawned = posix_spawnp(&Child, Argv[0], &Actions, nullptr, const_cast<char* const*>(Argv), environ);
  posix_spawn_file_actions_destroy(&Actions);
  In.CloseRead();
  Out.CloseWrite();
  if (Spawned != 0) return false;
  // A helper that ends without reading must not end this program.
  signal(SIGPIPE, SIG_IGN);
  const bool Written = WriteAll(In.Write(), Input);
  In.CloseWrite();
  const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(HelperTimeoutMs);
  const bool Read = !Output || ReadAll(Out.Read(), *Output, Deadline);
  return Succeeded(Child, Read ? Deadline : std::chrono::steady_clock::now()) && Written && Read;
}

}  // namespace

std::optional<std::string> TWlClipboard::ReadPrimary() {
  const char* const Argv[] = {"wl-paste", "--primary", "--no-newline", "--type", "text/plain;charset=utf-8", nullptr};
  std::string Text;
  if (!RunHelper(Argv, {}, &Text)) return std::nullopt;
  return Text;
}

bool TWlClipboard::Copy(const std::string& Text) {
  const char* const Argv[] = {"wl-copy", "--type", "text/plain;charset=utf-8", nullptr};
  return RunHelper(Argv, Text, nullptr);
}

int CalculateToClipboard(IWaylandClipboard& Clipboard, TEvaluator& Evaluator, THotkey Hotkey, TReporter& Reporter) {
  const TLanguage Lang = Reporter.Language();
  const std::optional<std::string> Selected = Clipboard.ReadPrimary();
  if (!Selected) {
    Reporter.Error(Text(TMessageKey::WaylandNoPaste, Lang));
    return 1;
  }
  if (Selected->empty()) {
    Reporter.Error(Text(TMessageKey::NothingSelected, Lang));
    return 1;
  }
  const std::optional<TEvaluation> Answer = Evaluator.Evaluate(*Selected);
  if (!Answer) return 1;
  const std::string Utf8 = Cp1251ToUtf8(TypedAnswer(*Answer, Hotkey));
  if (!Clipboard.Copy(Utf8)) {
    Reporter.Error(Text(TMessageKey::WaylandNoCopy, Lang, {Utf8}));
    return 1;
  }
  // Said even without --notify-results: nothing was typed, and the user must
  // know where the answer is.
  Reporter.Notice(Text(TMessageKey::WaylandCopied, Lang, {Utf8}));
  return 3;
}

}  // namespace talvex::x11
