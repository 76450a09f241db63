#include "ParserLib/Angle.h"

#include "ParserLib/RealText.h"

namespace talvex {
namespace {

// Text[From, To) as an angle part; an empty or reversed range is an empty part,
// which the integer reader refuses.
int64_t AnglePart(std::string_view Text, std::size_t From, std::size_t To) {
  return StrToInt32(From < To ? Text.substr(From, To - From) : std::string_view());
}

void AppendDecimal(std::string& Text, int64_t N) {
  uint64_t Magnitude = static_cast<uint64_t>(N);
  if (N < 0) {
    Text += '-';
    Magnitude = 0 - Magnitude;
  }
  char Buffer[20];
  std::size_t Pos = sizeof Buffer;
  do {
    Buffer[--Pos] = static_cast<char>('0' + Magnitude % 10);
    Magnitude /= 10;
  } while (Magnitude != 0);
  Text.append(Buffer + Pos, sizeof Buffer - Pos);
}

}  // namespace

int64_t AngleTextToSeconds(std::string_view Text) {
  constexpr auto None = std::string_view::npos;
  const std::size_t Degree = Text.find('D');
  const std::size_t Minute = Text.find('\'');
  const std::size_t Second = Text.find("''");
  int64_t Degrees = 0, Minutes = 0, Seconds = 0;
  std::size_t SecondsStart = 0;
  if (Degree != None) {
    Degrees = AnglePart(Text, 0, Degree);
    SecondsStart = Degree + 1;
  }
  if (Minute != None && Minute != Second) {
    Minutes = AnglePart(Text, SecondsStart, Minute);
    SecondsStart = Minute + 1;
  }
  if (Second != None) Seconds = AnglePart(Text, SecondsStart, Second);
  // 64-bit, so that parts of any 32-bit size combine without wrapping.
  return Degrees * 3600 + Minutes * 60 + Seconds;
}

std::string SecondsToAngleText(int64_t Seconds) {
  std::string Text;
  AppendDecimal(Text, Seconds / 3600);
  Text += 'D';
  AppendDecimal(Text, Seconds % 3600 / 60);
  Text += '\'';
  AppendDecimal(Text, Seconds % 60);
  Text += "''";
  return Text;
}

}  // namespace talvex
