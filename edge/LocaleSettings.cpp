#include "edge/LocaleSettings.h"

#include <vector>

#include "ParserLib/Cp1251.h"

namespace talvex {
namespace {

// A picture as fields (Windows letters such as "dd") and literal text between them.
struct TPicturePart {
  bool Field;
  std::string Text;
};
using TPicture = std::vector<TPicturePart>;

void AddLiteral(TPicture& Picture, std::string_view Text) {
  if (!Picture.empty() && !Picture.back().Field)
    Picture.back().Text += Text;
  else
    Picture.push_back({false, std::string(Text)});
}

const char* FieldOf(char Specifier) {
  switch (Specifier) {
    case 'd': return "dd";
    case 'e': return "d";
    case 'm': return "MM";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'H': return "HH";
    case 'k': return "H";
    case 'I': return "hh";
    case 'l': return "h";
    case 'M': return "mm";
    case 'S': return "ss";
    case 'p':
    case 'P': return "tt";
    default: return nullptr;
  }
}

const char* CompositeOf(char Specifier) {
  switch (Specifier) {
    case 'T': return "%H:%M:%S";
    case 'R': return "%H:%M";
    case 'D': return "%m/%d/%y";
    case 'F': return "%Y-%m-%d";
    default: return nullptr;
  }
}

// Depth bounds %r inside the locale's own %r format.
void ParseFormat(std::string_view Format, std::string_view AmPmFormat, int Depth, TPicture& Picture) {
  std::size_t I = 0;
  while (I < Format.size()) {
    if (Format[I] != '%') {
      const std::size_t Next = Format.find('%', I);
      const std::size_t End = Next == std::string_view::npos ? Format.size() : Next;
      AddLiteral(Picture, Format.substr(I, End - I));
      I = End;
      continue;
    }
    ++I;
    // "-" drops the padding; other flags, a width and the E and O modifiers
    // change nothing a picture shows.
    bool Unpadded = false;
    while (I < Format.size() && std::string_view("_-0^#123456789EO").find(Format[I]) != std::string_view::npos)
      Unpadded = Format[I++] == '-' || Unpadded;
    if (I >= Format.size()) break;
    const char Specifier = Format[I++];
    if (const char* Field = FieldOf(Specifier)) {
      std::string Text = Field;
      if (Unpadded && Text.size() == 2 && Text != "yy" && Text != "tt") Text.pop_back();
      Picture.push_back({true, Text});
    } else if (const char* Composite = CompositeOf(Specifier)) {
      ParseFormat(Composite, AmPmFormat, Depth, Picture);
    } else if (Specifier == 'r' && Depth < 2) {
      ParseFormat(AmPmFormat.empty() ? "%I:%M:%S %p" : AmPmFormat, AmPmFormat, Depth + 1, Picture);
    } else if (Specifier == 'n' || Specifier == 't') {
      AddLiteral(Picture, " ");
    } else if (Specifier == '%') {
      AddLiteral(Picture, "%");
    }
  }
}

TPicture ParsePicture(std::string_view Format, std::string_view AmPmFormat) {
  TPicture Picture;
  ParseFormat(Format, AmPmFormat, 0, Picture);
  // Left-out specifiers can leave blanks at either end.
  while (!Picture.empty() && !Picture.back().Field &&
         Picture.back().Text.find_first_not_of(' ') == std::string::npos)
    Picture.pop_back();
  if (!Picture.empty() && !Picture.front().Field) {
    std::string& Text = Picture.front().Text;
    Text.erase(0, Text.find_first_not_of(' '));
    if (Text.empty()) Picture.erase(Picture.begin());
  }
  return Picture;
}

bool NeedsQuotes(std::string_view Literal) {
  return Literal.find_first_of("dMyhHmst'\"") != std::string_view::npos;
}

std::string Render(const TPicture& Picture) {
  std::string Out;
  for (const TPicturePart& Part : Picture) {
    if (Part.Field || !NeedsQuotes(Part.Text)) {
      Out += Part.Text;
      continue;
    }
    Out += '\'';
    for (char C : Part.Text) {
      if (C == '\'') Out += '\'';
      Out += C;
    }
    Out += '\'';
  }
  return Out;
}

bool IsLetterOrDigit(char C) {
  const auto B = static_cast<unsigned char>(C);
  return (B >= '0' && B <= '9') || (B >= 'A' && B <= 'Z') || (B >= 'a' && B <= 'z') || B >= 0xC0;
}

// A separator: one visible character that is neither a letter nor a digit
// (0xA0 is the no-break space).
bool IsSeparator(char C) {
  return C != 0 && C != ' ' && C != '\xA0' && C != '\'' && C != '"' && !IsLetterOrDigit(C);
}

// The engine's picture and separator: the literal after the first field
// separates the fields; a picture the code page cannot hold, or without such
// a separator, keeps its fields with Fallback between them.
std::string EnginePicture(const TPicture& Picture, char Fallback, char& Separator) {
  Separator = 0;
  for (std::size_t I = 1; I + 1 < Picture.size() && Separator == 0; ++I)
    if (!Picture[I].Field && Picture[I - 1].Field) Separator = SingleCharacter(Picture[I].Text);
  std::string Converted;
  std::size_t Offset = 0;
  if (IsSeparator(Separator) && Utf8ToCp1251(Render(Picture), Converted, Offset) && !Converted.empty())
    return Converted;
  Separator = Fallback;
  std::string Fields;
  for (const TPicturePart& Part : Picture) {
    if (!Part.Field) continue;
    if (!Fields.empty()) Fields += Part.Text == "tt" ? ' ' : Fallback;
    Fields += Part.Text;
  }
  return Fields;
}

std::string DayHalfText(const std::string& Utf8, const char* Fallback) {
  std::string Converted;
  std::size_t Offset = 0;
  if (Utf8.empty() || !Utf8ToCp1251(Utf8, Converted, Offset)) return Fallback;
  return Converted;
}

}  // namespace

char SingleCharacter(std::string_view Utf8) {
  std::string Converted;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Utf8, Converted, Offset) || Converted.size() != 1) return 0;
  return Converted[0];
}

std::string WindowsPicture(std::string_view Format, std::string_view AmPmFormat) {
  return Render(ParsePicture(Format, AmPmFormat));
}

TFormatSettings SettingsFromFacts(const TLocaleFacts& Facts) {
  TFormatSettings S;
  const char Decimal = SingleCharacter(Facts.Decimal);
  S.DecimalSeparator = IsSeparator(Decimal) ? Decimal : '.';
  const char Thousand = SingleCharacter(Facts.Thousands);
  S.ThousandSeparator = Thousand != 0 ? Thousand : '`';
  const TPicture Date = ParsePicture(Facts.DateFormat, Facts.TimeFormatAmPm);
  const TPicture Clock = ParsePicture(Facts.TimeFormat, Facts.TimeFormatAmPm);
  S.ShortDateFormat = EnginePicture(Date.empty() ? ParsePicture("%m/%d/%Y", "") : Date, '/', S.DateSeparator);
  S.LongTimeFormat = EnginePicture(Clock.empty() ? ParsePicture("%T", "") : Clock, ':', S.TimeSeparator);
  S.TimeAMString = DayHalfText(Facts.Am, "AM");
  S.TimePMString = DayHalfText(Facts.Pm, "PM");
  return CombineHalves(S, S);
}

TFormatSettings CombineHalves(const TFormatSettings& Numeric, const TFormatSettings& Time) {
  TFormatSettings S = Time;
  S.DecimalSeparator = Numeric.DecimalSeparator;
  S.ThousandSeparator = Numeric.ThousandSeparator;
  // A time separator that is also the decimal symbol would make 1.5 a time.
  if (S.TimeSeparator == S.DecimalSeparator) {
    S.TimeSeparator = ':';
    S.LongTimeFormat = "HH:mm:ss";
  }
  SettleSeparators(S, false, false);
  return S;
}

void SettleSeparators(TFormatSettings& S, bool KeepList, bool KeepThousand) {
  if (!KeepList) S.ListSeparator = S.DecimalSeparator == ',' ? ';' : ',';
  const char G = S.ThousandSeparator;
  if (!KeepThousand && (!IsSeparator(G) || G == S.DecimalSeparator || G == S.ListSeparator ||
                        G == S.TimeSeparator))
    S.ThousandSeparator = '`';
}

}  // namespace talvex
