// Characters and strings: Chr, Ord, Len (also registered as Lenght) and Pos.
#include "ParserFunctions/Functions.h"
#include "ParserLib/Messages.h"

namespace talvex {

TALVEX_PROC(FnChr) {
  const int64_t Code = AsInteger(Args[0]);
  if (Code < 0 || Code > 255) throw EParserException::Create(msg::BadCharCode);
  SetString(Result, std::string(1, static_cast<char>(static_cast<unsigned char>(Code))));
}

TALVEX_PROC(FnOrd) {
  const std::string S = AsString(Args[0]);
  if (S.size() > 1) throw EParserException::Create(msg::CharExpected);
  // The empty string has no first character to read.
  if (S.empty()) throw EParserException::CreateFmt(msg::BadFunctionArgument, {Op.Name});
  SetInteger(Result, static_cast<unsigned char>(S[0]));
}

TALVEX_PROC(FnLen) { SetInteger(Result, static_cast<int64_t>(AsString(Args[0]).size())); }

// Pos(sub; s): 1-based, case-sensitive; 0 when absent or when either is empty.
TALVEX_PROC(FnPos) {
  const std::string Sub = AsString(Args[0]);
  const std::string S = AsString(Args[1]);
  if (Sub.empty()) {
    SetInteger(Result, 0);
    return;
  }
  const std::size_t At = S.find(Sub);
  SetInteger(Result, At == std::string::npos ? 0 : static_cast<int64_t>(At) + 1);
}

}  // namespace talvex
