#include "cli/Output.h"

#include <cerrno>
#include <cstring>

namespace talvex::cli {
namespace {

// The length of the valid UTF-8 sequence at Text[I], 0 when there is none.
std::size_t SequenceLength(std::string_view Text, std::size_t I) {
  const auto Byte = [&Text](std::size_t K) { return static_cast<unsigned char>(Text[K]); };
  if (Byte(I) < 0x80) return 1;
  // The well-formed sequences of the Unicode standard: the range of the second
  // byte leaves out overlong forms, surrogates and codes beyond U+10FFFF.
  struct TForm {
    unsigned FirstLead, LastLead;
    std::size_t Length;
    unsigned Low, High;
  };
  static constexpr TForm Forms[] = {{0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
                                    {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
                                    {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
                                    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F}};
  for (const TForm& Form : Forms) {
    if (Byte(I) < Form.FirstLead || Byte(I) > Form.LastLead) continue;
    if (I + Form.Length > Text.size() || Byte(I + 1) < Form.Low || Byte(I + 1) > Form.High) return 0;
    for (std::size_t K = I + 2; K < I + Form.Length; ++K)
      if (Byte(K) < 0x80 || Byte(K) > 0xBF) return 0;
    return Form.Length;
  }
  return 0;
}

void AppendEscape(std::string& Out, unsigned Code) {
  static constexpr char Digits[] = "0123456789abcdef";
  Out += "\\x";
  Out += Digits[Code >> 4];
  Out += Digits[Code & 15];
}

}  // namespace

std::string VisibleControls(std::string_view Utf8) {
  std::string Out;
  Out.reserve(Utf8.size());
  for (std::size_t I = 0; I < Utf8.size();) {
    const auto Byte = static_cast<unsigned char>(Utf8[I]);
    const std::size_t Length = SequenceLength(Utf8, I);
    if (Length == 0) {
      AppendEscape(Out, Byte);
      ++I;
    } else if ((Byte < 0x20 && Byte != '\t') || Byte == 0x7F) {
      AppendEscape(Out, Byte);
      ++I;
    } else if (Byte == 0xC2 && static_cast<unsigned char>(Utf8[I + 1]) <= 0x9F) {
      AppendEscape(Out, static_cast<unsigned char>(Utf8[I + 1]));  // U+0080 to U+009F
      I += 2;
    } else {
      Out.append(Utf8, I, Length);
      I += Length;
    }
  }
  return Out;
}

bool TOutput::Check(bool Written) {
  if (!Written && FError == 0) FError = errno != 0 ? errno : EIO;
  return Written && FError == 0;
}

bool TOutput::WriteLine(std::string_view Utf8) {
  errno = 0;
  std::string Line = FTerminal ? VisibleControls(Utf8) : std::string(Utf8);
  Line += '\n';
  return Check(std::fwrite(Line.data(), 1, Line.size(), FFile) == Line.size() && std::fflush(FFile) == 0);
}

bool TOutput::WriteText(std::string_view Text) {
  errno = 0;
  return Check(std::fwrite(Text.data(), 1, Text.size(), FFile) == Text.size());
}

bool TOutput::Close() {
  errno = 0;
  // A failure of someone else's write to the stream (the line editor's
  // prompt) is kept in its error flag.
  const bool Flushed = std::fflush(FFile) == 0 && !std::ferror(FFile);
  const bool Closed = std::fclose(FFile) == 0;
  return Check(Flushed && Closed);
}

std::string TOutput::Reason() const { return std::strerror(FError); }

int ReportWriteError(const TOutput& Failed) {
  const std::string Text = "talvex-calc: write error: " + Failed.Reason() + "\n";
  std::fputs(Text.c_str(), stderr);
  return 1;
}

}  // namespace talvex::cli
