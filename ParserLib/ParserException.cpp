#include "ParserLib/ParserException.h"

namespace talvex {
namespace {

std::vector<std::string> Texts(std::initializer_list<std::string_view> Args) {
  std::vector<std::string> Out;
  Out.reserve(Args.size());
  for (std::string_view Arg : Args) Out.emplace_back(Arg);
  return Out;
}

template <class TArgs>
std::string Format(std::string_view Fmt, const TArgs& Args) {
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

}  // namespace

std::string_view MessageText(TMessageId Id) {
  static constexpr std::string_view Texts[] = {
#define TALVEX_MESSAGE_TEXT(Name, Russian) msg::Name.Text,
      TALVEX_ENGINE_MESSAGES(TALVEX_MESSAGE_TEXT)
#undef TALVEX_MESSAGE_TEXT
  };
  const auto Index = static_cast<std::size_t>(Id);
  return Index < std::size(Texts) ? Texts[Index] : std::string_view();
}

std::string FormatMessage(std::string_view Fmt, std::initializer_list<std::string_view> Args) {
  return Format(Fmt, Args);
}

std::string FormatMessage(std::string_view Fmt, const std::vector<std::string>& Args) { return Format(Fmt, Args); }

EParserException::EParserException(TMessageId Id, std::vector<std::string> Args, int Pos, bool Prefixed,
                                   std::shared_ptr<const EParserException> Detail)
    : Exception(std::string()),
      FId(Id),
      FArgs(std::move(Args)),
      FPosition(Pos),
      FPrefixed(Prefixed),
      FDetail(std::move(Detail)) {
  SetMessage(Compose());
}

std::string EParserException::Compose() const {
  std::string Text;
  if (FPrefixed) Text = FormatMessage(msg::PositionPrefix, {std::to_string(FPosition)});
  Text += FormatMessage(MessageText(FId), FArgs);
  if (FDetail) {
    Text += "\n\r";
    Text += FDetail->Message();
  }
  return Text;
}

EParserException EParserException::CreatePos(int Pos, const TMessage& Msg,
                                             std::initializer_list<std::string_view> Args) {
  return EParserException(Msg.Id, Texts(Args), Pos, true, nullptr);
}

EParserException EParserException::Create(const TMessage& Msg) {
  return EParserException(Msg.Id, {}, -1, false, nullptr);
}

EParserException EParserException::CreateFmt(const TMessage& Msg, std::initializer_list<std::string_view> Args) {
  return EParserException(Msg.Id, Texts(Args), -1, false, nullptr);
}

EParserException EParserException::CreateWithDetail(const TMessage& Msg, std::initializer_list<std::string_view> Args,
                                                    const EParserException& Detail) {
  return EParserException(Msg.Id, Texts(Args), Detail.Position(), false,
                          std::make_shared<const EParserException>(Detail));
}

EParserException EParserException::At(int Pos) const { return EParserException(FId, FArgs, Pos, true, FDetail); }

}  // namespace talvex
