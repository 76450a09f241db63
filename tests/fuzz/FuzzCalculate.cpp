// libFuzzer target over Calculate. The first three bytes choose the syntax
// mode, the output format and the angle unit with two switches (the Russian
// or the English separators, the syntax retry); the rest is the expression in
// code page 1251. Each input gets a fresh parser, so a finding replays alone.
// An engine error is an answer; anything else that escapes is a finding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/RuntimeErrors.h"
#include "parser/CalcParser.h"

namespace {

constexpr talvex::TSyntaxMode Modes[] = {talvex::smPascal, talvex::smC,     talvex::smDefault, talvex::smHex,
                                         talvex::smOctal,  talvex::smBinary, talvex::smBasic};
constexpr talvex::TOutputFormat Formats[] = {talvex::ofDefault, talvex::ofHex,      talvex::ofOctal,
                                             talvex::ofBinary,  talvex::ofFixed,    talvex::ofExponent,
                                             talvex::ofRoman,   talvex::ofFraction};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 3) return 0;
  const uint8_t Mode = Data[0], Format = Data[1], Unit = Data[2];
  talvex::TFormatSettings Settings =
      (Unit & 0x10) ? talvex::EnglishFormatSettings() : talvex::RussianFormatSettings();
  if (Unit & 0x20) Settings.DecimalSeparator = '.';
  talvex::FormatSettings() = Settings;

  talvex::TCalcParser Parser(talvex::BuiltinFunctions());
  Parser.AngleUnit = Unit % 3;
  Parser.AutoSyntax = (Unit & 0x40) != 0;
  Parser.OutputFormat = Formats[Format % std::size(Formats)];
  Parser.FixedDigits = Format / 8 % 19;
  Parser.ExpDigits = Format / 16 % 19;
  const std::string_view Text(reinterpret_cast<const char*>(Data) + 3, Size - 3);
  try {
    Parser.SetSyntax(Modes[Mode % std::size(Modes)]);
    talvex::Calculate(Parser, Text);
    // A second expression on the same parser: assignments and the table carry over.
    talvex::Calculate(Parser, Text);
  } catch (const talvex::Exception&) {
    // The engine's own errors (and the locale check's) are answers.
  }
  return 0;
}
