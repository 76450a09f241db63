// What the tool writes: results and messages line by line, with the control
// characters of their text made visible on a terminal (a result or a message
// can carry text from the input, and a terminal would obey its escape
// sequences), and every write checked, so that a full disk or a closed
// stream is an error and not a silent loss.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace talvex::cli {

// UTF-8 text with its control characters written as "\x" and two lower-case
// hexadecimal digits of their code: the codes below 32 but the tab, 127, and
// 128 to 159 (the C1 controls, two bytes in UTF-8). A byte that is not part
// of valid UTF-8 is written the same way, as its own value. "\x1b" is ESC.
std::string VisibleControls(std::string_view Utf8);

// Where the lines of a run go.
class ILineWriter {
 public:
  virtual ~ILineWriter() = default;
  // One line (UTF-8, without its line end); false when it could not be written.
  virtual bool WriteLine(std::string_view Utf8) = 0;
};

// A standard stream of the tool.
class TOutput final : public ILineWriter {
 public:
  // Terminal: the stream is a terminal, so lines show their control characters.
  TOutput(std::FILE* File, bool Terminal) : FFile(File), FTerminal(Terminal) {}

  // A result or message line, flushed: a person or a program may be waiting for it.
  bool WriteLine(std::string_view Utf8) override;
  // The tool's own text (the banner, --help), as it is.
  bool WriteText(std::string_view Text);
  // Flushes and closes the stream; false when anything written to it was lost.
  bool Close();

  bool Failed() const { return FError != 0; }
  // The reason of the first failure, as the C library words it.
  std::string Reason() const;

 private:
  bool Check(bool Written);

  std::FILE* FFile;
  bool FTerminal;
  int FError = 0;
};

// "talvex-calc: write error: REASON" on standard error; the exit status 1.
int ReportWriteError(const TOutput& Failed);

}  // namespace talvex::cli
