// libFuzzer target over Calculate. The first three bytes choose the syntax
// mode, the output format and the angle unit with two switches (the Russian
// or the English separators, the syntax retry); the rest is the expression in
// code page 1251. Each input gets fresh parsers, so a finding replays alone.
// An engine error is an answer; anything else that escapes is a finding, and
// so is any difference between the answers with and without the one pass over
// plain expressions.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/Platform.h"
#include "ParserLib/RuntimeErrors.h"
#include "parser/CalcParser.h"

namespace {

constexpr talvex::TSyntaxMode Modes[] = {talvex::smPascal, talvex::smC,     talvex::smDefault, talvex::smHex,
                                         talvex::smOctal,  talvex::smBinary, talvex::smBasic};
constexpr talvex::TOutputFormat Formats[] = {talvex::ofDefault, talvex::ofHex,      talvex::ofOctal,
                                             talvex::ofBinary,  talvex::ofFixed,    talvex::ofExponent,
                                             talvex::ofRoman,   talvex::ofFraction};

// A clock that stands still, so Now and Random answer alike both ways.
class TFixedClock final : public talvex::IClock {
 public:
  talvex::TSystemTime LocalTime() override { return {2024, 5, 2, 21, 13, 45, 30, 250}; }
  talvex::TSystemTime UtcTime() override { return LocalTime(); }
};

// The answers of two calculations of Text on one parser (assignments and the
// table carry over from the first to the second).
std::string TwoAnswers(const uint8_t* Data, std::string_view Text, bool PlainPass) {
  const uint8_t Mode = Data[0], Format = Data[1], Unit = Data[2];
  talvex::TCalcParser Parser(talvex::BuiltinFunctions());
  Parser.UsePlainPass = PlainPass;
  Parser.AngleUnit = static_cast<talvex::TAngleUnit>(Unit % 3);
  Parser.AutoSyntax = (Unit & 0x40) != 0;
  Parser.OutputFormat = Formats[Format % std::size(Formats)];
  Parser.FixedDigits = Format / 8 % 19;
  Parser.ExpDigits = Format / 16 % 19;
  std::string Answers;
  try {
    Parser.SetSyntax(Modes[Mode % std::size(Modes)]);
    for (int I = 0; I < 2; ++I) Answers += talvex::Calculate(Parser, Text) + '\n';
  } catch (const talvex::Exception& E) {
    // The engine's own errors (and the locale check's) are answers.
    Answers += "error: " + E.Message();
  }
  return Answers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 3) return 0;
  static TFixedClock Clock;
  talvex::SetClock(&Clock);
  const uint8_t Unit = Data[2];
  talvex::TFormatSettings Settings =
      (Unit & 0x10) ? talvex::EnglishFormatSettings() : talvex::RussianFormatSettings();
  if (Unit & 0x20) Settings.DecimalSeparator = '.';
  talvex::FormatSettings() = Settings;

  const std::string_view Text(reinterpret_cast<const char*>(Data) + 3, Size - 3);
  const std::string Plain = TwoAnswers(Data, Text, true), General = TwoAnswers(Data, Text, false);
  if (Plain != General) {
    std::fprintf(stderr, "the one pass answers\n%s\nthe general evaluation\n%s\n", Plain.c_str(), General.c_str());
    std::abort();
  }
  return 0;
}
