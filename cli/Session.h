// One run of the tool: the expressions of the command line and the lines of
// standard input through one parser, each answered by one line.
#pragma once

#include <string>
#include <string_view>

#include "ParserLib/RuntimeErrors.h"
#include "cli/Output.h"
#include "edge/Language.h"
#include "parser/CalcParser.h"

namespace talvex::cli {

// Where the lines of standard input come from.
class ILineReader {
 public:
  virtual ~ILineReader() = default;
  // The next line without its line end; false at the end of input.
  virtual bool ReadLine(std::string& Line) = 0;
  // An expression the user entered, for a reader that keeps a history.
  virtual void Remember(const std::string&) {}
};

class TSession {
 public:
  TSession(TCalcParser& Parser, ILineWriter& Out, TLanguage Language)
      : FParser(Parser), FOut(Out), FLanguage(Language) {}

  // One expression (UTF-8): its result line or its error line. A result with
  // a value becomes the variable ans. False when it failed or its line could
  // not be written.
  bool Evaluate(const std::string& Utf8Expression);

  // Lines until the end of input, quit or a line that could not be written;
  // blank lines and # comments are skipped. False when quit or exit ended them.
  bool RunLines(ILineReader& Reader);

  bool AllSucceeded() const { return FAllSucceeded; }
  // A line could not be written: nothing later can be either.
  bool WriteFailed() const { return FWriteFailed; }

 private:
  bool WriteLine(const std::string& Utf8);

  TCalcParser& FParser;
  ILineWriter& FOut;
  TLanguage FLanguage;
  bool FAllSucceeded = true;
  bool FWriteFailed = false;
};

}  // namespace talvex::cli
