// The engine's error: a Russian message (code page 1251) and the 1-based
// position in the expression where it was found, -1 until the evaluator knows it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "ParserLib/RuntimeErrors.h"

namespace talvex {

class EParserException : public Exception {
 public:
  // "Позиция %d:  " (two blanks) followed by Msg.
  static EParserException CreatePos(int Pos, std::string_view Msg);
  static EParserException Create(std::string_view Msg);
  // %s and %d are replaced by Args in order.
  static EParserException CreateFmt(std::string_view Fmt, std::initializer_list<std::string_view> Args);

  int Position = -1;

 protected:
  EParserException(std::string Message, int Pos) : Exception(std::move(Message)), Position(Pos) {}
};

// %s and %d in Fmt replaced by Args in order (each argument already text).
std::string FormatMessage(std::string_view Fmt, std::initializer_list<std::string_view> Args);

}  // namespace talvex
