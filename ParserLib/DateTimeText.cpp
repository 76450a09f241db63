#include "ParserLib/DateTimeText.h"

#include <cstdint>

#include "ParserLib/Calendar.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/Platform.h"

namespace talvex {
namespace {

// ---- Formatting ----

void AppendNumber(std::string& Out, int Value, int MinDigits) {
  char Digits[12];
  int Count = 0;
  auto Rest = static_cast<unsigned>(Value < 0 ? 0 : Value);
  do {
    Digits[Count++] = static_cast<char>('0' + Rest % 10);
    Rest /= 10;
  } while (Rest != 0);
  while (Count < MinDigits) Digits[Count++] = '0';
  while (Count > 0) Out += Digits[--Count];
}

// Copies the quoted literal starting at Start (a ' or ") and returns the index
// after it. A doubled quote stands for the quote itself, inside a literal or
// alone; an unterminated literal runs to the end of the picture.
std::size_t CopyLiteral(std::string_view Picture, std::size_t Start, std::string& Out) {
  const char Quote = Picture[Start];
  if (Start + 1 < Picture.size() && Picture[Start + 1] == Quote) {
    Out += Quote;
    return Start + 2;
  }
  std::size_t I = Start + 1;
  while (I < Picture.size()) {
    if (Picture[I] != Quote) {
      Out += Picture[I++];
    } else if (I + 1 < Picture.size() && Picture[I + 1] == Quote) {
      Out += Quote;
      I += 2;
    } else {
      return I + 1;
    }
  }
  return I;
}

// ---- Parsing ----

bool IsBlank(char C) { return C == ' ' || C == '\t'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// Every part is checked against its range after reading, so a number that
// does not fit 16 bits is kept at a value no part accepts.
constexpr unsigned NumberCap = 65535;

struct TTextReader {
  std::string_view Text;
  std::size_t Pos = 0;

  bool AtEnd() const { return Pos >= Text.size(); }

  std::size_t SkipBlanks() {
    const std::size_t Start = Pos;
    while (Pos < Text.size() && IsBlank(Text[Pos])) ++Pos;
    return Pos - Start;
  }

  bool ReadChar(char C) {
    if (Pos >= Text.size() || Text[Pos] != C) return false;
    ++Pos;
    return true;
  }

  bool ReadNumber(unsigned& Value, std::size_t& Digits) {
    const std::size_t Start = Pos;
    Value = 0;
    while (Pos < Text.size() && IsDigit(Text[Pos])) {
      Value = Value * 10 + static_cast<unsigned>(Text[Pos] - '0');
      if (Value > NumberCap) Value = NumberCap;
      ++Pos;
    }
    Digits = Pos - Start;
    return Digits > 0;
  }

  bool ReadNumber(unsigned& Value) {
    std::size_t Digits = 0;
    return ReadNumber(Value, Digits);
  }

  // The rest of the text without its trailing blanks.
  std::string_view RestTrimmed() const {
    std::size_t End = Text.size();
    while (End > Pos && IsBlank(Text[End - 1])) --End;
    return Pos < End ? Text.substr(Pos, End - Pos) : std::string_view();
  }
};

enum class TDateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The first of d, M and y outside quoted literals decides; month first when
// the picture names none of them.
TDateOrder DateOrderOf(std::string_view Picture) {
  char Quote = 0;
  for (char C : Picture) {
    if (Quote != 0) {
      if (C == Quote) Quote = 0;
    } else if (C == '\'' || C == '"') {
      Quote = C;
    } else if (C == 'd') {
      return TDateOrder::DayMonthYear;
    } else if (C == 'y') {
      return TDateOrder::YearMonthDay;
    } else if (C == 'M') {
      return TDateOrder::MonthDayYear;
    }
  }
  return TDateOrder::MonthDayYear;
}

// Seconds' fraction of one to three digits, as milliseconds.
bool ReadMilliseconds(TTextReader& Reader, unsigned& Millisecond) {
  unsigned Value = 0;
  std::size_t Digits = 0;
  if (!Reader.ReadNumber(Value, Digits) || Digits > 3) return false;
  for (std::size_t I = Digits; I < 3; ++I) Value *= 10;
  Millisecond = Value;
  return true;
}

enum class TMarker { None, AM, PM, Unknown };

TMarker MarkerOf(std::string_view Text, const TFormatSettings& Settings) {
  if (Text.empty()) return TMarker::None;
  auto Is = [Text](std::string_view Name) { return !Name.empty() && SameTextCp1251(Text, Name); };
  if (Is(Settings.TimeAMString)) return TMarker::AM;
  if (Is(Settings.TimePMString)) return TMarker::PM;
  if (Is("AM") || Is("A")) return TMarker::AM;
  if (Is("PM") || Is("P")) return TMarker::PM;
  return TMarker::Unknown;
}

// A time from the reader's position to the end of the text.
bool ReadTime(TTextReader& Reader, const TFormatSettings& Settings, double& Value) {
  unsigned Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
  Reader.SkipBlanks();
  if (!Reader.ReadNumber(Hour)) return false;
  if (Reader.ReadChar(Settings.TimeSeparator)) {
    if (!Reader.ReadNumber(Minute)) return false;
    if (Reader.ReadChar(Settings.TimeSeparator)) {
      if (!Reader.ReadNumber(Second)) return false;
      if (Reader.ReadChar(Settings.DecimalSeparator) && !ReadMilliseconds(Reader, Millisecond))
        return false;
    }
  }
  Reader.SkipBlanks();
  const TMarker Marker = MarkerOf(Reader.RestTrimmed(), Settings);
  if (Marker == TMarker::Unknown) return false;
  if (Marker != TMarker::None) {
    if (Hour < 1 || Hour > 12) return false;
    if (Hour == 12) Hour = 0;
    if (Marker == TMarker::PM) Hour += 12;
  }
  return TryEncodeTime(static_cast<uint16_t>(Hour), static_cast<uint16_t>(Minute),
                       static_cast<uint16_t>(Second), static_cast<uint16_t>(Millisecond), Value);
}

unsigned ExpandYear(unsigned Year, std::size_t Digits) {
  if (Digits > 2) return Year;
  return Year < 50 ? 2000 + Year : 1900 + Year;
}

// Two or three numbers separated by the DateSeparator; the reader stops after
// the last number.
bool ReadDate(TTextReader& Reader, const TFormatSettings& Settings, double& Value) {
  unsigned Numbers[3] = {0, 0, 0};
  std::size_t Digits[3] = {0, 0, 0};
  int Count = 0;
  Reader.SkipBlanks();
  if (!Reader.ReadNumber(Numbers[0], Digits[0])) return false;
  Count = 1;
  while (Count < 3 && Reader.ReadChar(Settings.DateSeparator)) {
    if (!Reader.ReadNumber(Numbers[Count], Digits[Count])) return false;
    ++Count;
  }
  if (Count < 2) return false;

  unsigned Year = 0, Month = 0, Day = 0;
  const TDateOrder Order = DateOrderOf(Settings.ShortDateFormat);
  if (Count == 2) {
    Year = Clock().LocalTime().Year;
    if (Order == TDateOrder::DayMonthYear) {
      Day = Numbers[0];
      Month = Numbers[1];
    } else {
      Month = Numbers[0];
      Day = Numbers[1];
    }
  } else if (Order == TDateOrder::DayMonthYear) {
    Day = Numbers[0];
    Month = Numbers[1];
    Year = ExpandYear(Numbers[2], Digits[2]);
  } else if (Order == TDateOrder::MonthDayYear) {
    Month = Numbers[0];
    Day = Numbers[1];
    Year = ExpandYear(Numbers[2], Digits[2]);
  } else {
    Year = ExpandYear(Numbers[0], Digits[0]);
    Month = Numbers[1];
    Day = Numbers[2];
  }
  return TryEncodeDate(static_cast<uint16_t>(Year), static_cast<uint16_t>(Month),
                       static_cast<uint16_t>(Day), Value);
}

}  // namespace

std::string FormatDateTime(std::string_view Picture, double Value, const TFormatSettings& Settings) {
  const TDecodedDateTime Parts = DecodeDateTime(Value);
  const std::string& DayHalf = Parts.Hour < 12 ? Settings.TimeAMString : Settings.TimePMString;
  std::string Out;
  std::size_t I = 0;
  while (I < Picture.size()) {
    const char C = Picture[I];
    if (C == '\'' || C == '"') {
      I = CopyLiteral(Picture, I, Out);
      continue;
    }
    std::size_t Run = 1;
    while (I + Run < Picture.size() && Picture[I + Run] == C) ++Run;
    const int Width = Run >= 2 ? 2 : 1;
    switch (C) {
      case 'd': AppendNumber(Out, Parts.Day, Width); break;
      case 'M': AppendNumber(Out, Parts.Month, Width); break;
      case 'y':
        if (Run <= 2) AppendNumber(Out, Parts.Year % 100, 2);
        else AppendNumber(Out, Parts.Year, 4);
        break;
      case 'h': AppendNumber(Out, Parts.Hour % 12 == 0 ? 12 : Parts.Hour % 12, Width); break;
      case 'H': AppendNumber(Out, Parts.Hour, Width); break;
      case 'm': AppendNumber(Out, Parts.Minute, Width); break;
      case 's': AppendNumber(Out, Parts.Second, Width); break;
      case 't':
        if (Run == 1) Out.append(DayHalf.substr(0, 1));
        else Out += DayHalf;
        break;
      case '/': Out.append(Run, Settings.DateSeparator); break;
      case ':': Out.append(Run, Settings.TimeSeparator); break;
      default: Out.append(Picture.substr(I, Run)); break;
    }
    I += Run;
  }
  return Out;
}

bool TryStrToTime(std::string_view Text, const TFormatSettings& Settings, double& Value) {
  TTextReader Reader{Text};
  return ReadTime(Reader, Settings, Value);
}

bool TryStrToDate(std::string_view Text, const TFormatSettings& Settings, double& Value) {
  TTextReader Reader{Text};
  double Date = 0;
  if (!ReadDate(Reader, Settings, Date)) return false;
  Reader.SkipBlanks();
  if (!Reader.AtEnd()) return false;
  Value = Date;
  return true;
}

bool TryStrToDateTime(std::string_view Text, const TFormatSettings& Settings, double& Value) {
  TTextReader Reader{Text};
  double Date = 0;
  if (!ReadDate(Reader, Settings, Date)) return false;
  const bool Blanks = Reader.SkipBlanks() > 0;
  if (Reader.AtEnd()) {
    Value = Date;
    return true;
  }
  double Time = 0;
  if (!Blanks || !ReadTime(Reader, Settings, Time)) return false;
  // Before day 0 the time of day counts away from zero, as decoding reads it.
  Value = Date < 0 ? Date - Time : Date + Time;
  return true;
}

}  // namespace talvex
