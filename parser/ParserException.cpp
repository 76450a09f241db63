#include "parser/ParserException.h"

#include "ParserLib/Cp1251.h"

namespace talvex {

std::string FormatMessage(std::string_view Fmt, std::initializer_list<std::string_view> Args) {
  std::string Out;
  Out.reserve(Fmt.size() + 32);
  auto Arg = Args.begin();
  for (std::size_t I = 0; I < Fmt.size(); ++I) {
    if (Fmt[I] == '%' && I + 1 < Fmt.size() && (Fmt[I + 1] == 's' || Fmt[I + 1] == 'd')) {
      if (Arg != Args.end()) Out += *Arg++;
      ++I;
    } else {
      Out += Fmt[I];
    }
  }
  return Out;
}

EParserException EParserException::CreatePos(int Pos, std::string_view Msg) {
  std::string Text = FormatMessage("Позиция %d:  "_cp, {std::to_string(Pos)});
  Text += Msg;
  return EParserException(std::move(Text), Pos);
}

EParserException EParserException::Create(std::string_view Msg) {
  return EParserException(std::string(Msg), -1);
}

EParserException EParserException::CreateFmt(std::string_view Fmt,
                                             std::initializer_list<std::string_view> Args) {
  return EParserException(FormatMessage(Fmt, Args), -1);
}

}  // namespace talvex
