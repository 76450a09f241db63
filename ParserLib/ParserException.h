// The engine's error: which message (its identity and the texts of its
// arguments), the 1-based position in the expression where it was found (-1
// until the evaluator knows it), and the Russian text made of them.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ParserLib/Messages.h"
#include "ParserLib/RuntimeErrors.h"

namespace talvex {

class EParserException : public Exception {
 public:
  // "Позиция %d:  " (two blanks) followed by Msg with Args.
  static EParserException CreatePos(int Pos, const TMessage& Msg, std::initializer_list<std::string_view> Args = {});
  static EParserException Create(const TMessage& Msg);
  // %s and %d are replaced by Args in order.
  static EParserException CreateFmt(const TMessage& Msg, std::initializer_list<std::string_view> Args);
  // Msg with Args on a line of its own, then the text of the error it explains
  // (which stays readable through Detail); the position is that error's.
  static EParserException CreateWithDetail(const TMessage& Msg, std::initializer_list<std::string_view> Args,
                                           const EParserException& Detail);

  // The same error at Pos, with the position prefix.
  EParserException At(int Pos) const;

  TMessageId Id() const { return FId; }
  const std::vector<std::string>& Args() const { return FArgs; }
  int Position() const { return FPosition; }
  // The error this one explains, or null.
  const EParserException* Detail() const { return FDetail.get(); }

 private:
  EParserException(TMessageId Id, std::vector<std::string> Args, int Pos, bool Prefixed,
                   std::shared_ptr<const EParserException> Detail);
  std::string Compose() const;

  TMessageId FId;
  std::vector<std::string> FArgs;
  int FPosition;
  bool FPrefixed;  // the text starts with the position
  std::shared_ptr<const EParserException> FDetail;
};

// %s and %d in Fmt replaced by Args in order (each argument already text).
std::string FormatMessage(std::string_view Fmt, std::initializer_list<std::string_view> Args);
std::string FormatMessage(std::string_view Fmt, const std::vector<std::string>& Args);

}  // namespace talvex
