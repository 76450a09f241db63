#include "ParserLib/DateTimeText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "ParserLib/Calendar.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/Platform.h"

namespace talvex {
namespace {

double Date(int Y, int M, int D) {
  double Value = 0;
  EXPECT_TRUE(TryEncodeDate(static_cast<uint16_t>(Y), static_cast<uint16_t>(M), static_cast<uint16_t>(D), Value));
  return Value;
}

double Time(int H, int M, int S, int Ms = 0) {
  double Value = 0;
  EXPECT_TRUE(TryEncodeTime(static_cast<uint16_t>(H), static_cast<uint16_t>(M), static_cast<uint16_t>(S),
                            static_cast<uint16_t>(Ms), Value));
  return Value;
}

class TFixedClock final : public IClock {
 public:
  TSystemTime LocalTime() override {
    TSystemTime T;
    T.Year = 2024;
    T.Month = 3;
    T.Day = 5;
    return T;
  }
  TSystemTime UtcTime() override { return LocalTime(); }
};

class DateTimeText : public ::testing::Test {
 protected:
  void SetUp() override { SetClock(&FixedClock); }
  void TearDown() override { SetClock(nullptr); }

  TFixedClock FixedClock;
  const TFormatSettings Russian = RussianFormatSettings();
  const TFormatSettings English = EnglishFormatSettings();
};

struct TFormatCase {
  const char* Picture;
  double Value;
  std::string Text;
};

TEST_F(DateTimeText, FormatsByThePictureLetters) {
  const double Value = Date(2003, 2, 1) + Time(13, 5, 9, 999);
  const double Morning = Date(1987, 11, 23) + Time(0, 7, 0);
  const TFormatCase Cases[] = {
      {"dd.MM.yyyy", Value, "01.02.2003"},
      {"d.M.yy", Value, "1.2.03"},
      {"d/M/y", Value, "1.2.03"},
      {"yyy", Value, "2003"},
      {"ddd MMMM", Value, "01 02"},
      {"H:mm:ss", Value, "13:05:09"},
      {"HH:m:s", Morning, "00:7:0"},
      {"h:mm tt", Value, "1:05 PM"},
      {"hh:mm t", Morning, "12:07 A"},
      {"h:mm", Time(12, 30, 0), "12:30"},
      {"yyyy-MM-dd\"T\"HH:mm", Value, "2003-02-01T13:05"},
      {"'d M y:' d", Value, "d M y: 1"},
      {"'o''clock' ''", Value, "o'clock '"},
      {"'unterminated d", Value, "unterminated d"},
      {"\"'\"", Value, "'"},
      {"[d] x%", Value, "[1] x%"},
      {"", Value, ""},
  };
  for (const auto& C : Cases) EXPECT_EQ(FormatDateTime(C.Picture, C.Value, Russian), C.Text) << C.Picture;
}

TEST_F(DateTimeText, FormatsWithTheLocaleSettings) {
  const double Value = Date(2024, 12, 31) + Time(23, 59, 58);
  EXPECT_EQ(FormatDateTime(Russian.ShortDateFormat, Value, Russian), "31.12.2024");
  EXPECT_EQ(FormatDateTime(Russian.LongTimeFormat, Value, Russian), "23:59:58");
  EXPECT_EQ(FormatDateTime(English.ShortDateFormat, Value, English), "12/31/2024");
  EXPECT_EQ(FormatDateTime(English.LongTimeFormat, Value, English), "11:59:58 PM");
  EXPECT_EQ(FormatDateTime(English.LongTimeFormat, Time(0, 0, 1), English), "12:00:01 AM");
  EXPECT_EQ(FormatDateTime(English.LongTimeFormat, Time(12, 0, 0), English), "12:00:00 PM");

  // "/" and ":" stand for the separators; other characters are themselves.
  TFormatSettings Odd = Russian;
  Odd.DateSeparator = '-';
  Odd.TimeSeparator = '.';
  Odd.TimeAMString = "дп"_cp.Str();
  Odd.TimePMString = "пп"_cp.Str();
  EXPECT_EQ(FormatDateTime("dd/MM/yyyy H:mm:ss", Value, Odd), "31-12-2024 23.59.58");
  EXPECT_EQ(FormatDateTime("dd.MM.yyyy", Value, Odd), "31.12.2024");
  EXPECT_EQ(FormatDateTime("h:mm tt", Value, Odd), "11.59 "_cp.Str() + "пп"_cp.Str());
  EXPECT_EQ(FormatDateTime("h t", Time(9, 0, 0), Odd), "9 "_cp.Str() + "д"_cp.Str());

  Odd.TimeAMString.clear();
  EXPECT_EQ(FormatDateTime("h:mm t|tt|", Time(9, 0, 0), Odd), "9.00 ||");
}

TEST_F(DateTimeText, FormatsValuesBeforeDayZeroAndOutsideTheCalendar) {
  const char* Picture = "dd.MM.yyyy H:mm:ss";
  const TFormatCase Cases[] = {
      {Picture, -1.25, "29.12.1899 6:00:00"},
      {Picture, -0.5, "30.12.1899 12:00:00"},
      {Picture, -693593.5, "01.01.0001 12:00:00"},
      {Picture, 2958465.75, "31.12.9999 18:00:00"},
      {Picture, 2958466.75, "00.00.0000 18:00:00"},
      {Picture, -1e10 - 0.5, "00.00.0000 12:00:00"},
      {Picture, std::numeric_limits<double>::quiet_NaN(), "00.00.0000 0:00:00"},
      {Picture, std::numeric_limits<double>::infinity(), "00.00.0000 0:00:00"},
      {Picture, -1e300, "00.00.0000 0:00:00"},
      {"d.M.yy h tt", std::numeric_limits<double>::quiet_NaN(), "0.0.00 12 AM"},
      {"yyyy", Date(5, 6, 7), "0005"},
      {"yy", Date(5, 6, 7), "05"},
  };
  for (const auto& C : Cases) EXPECT_EQ(FormatDateTime(C.Picture, C.Value, Russian), C.Text) << C.Value;
}

struct TParseCase {
  const char* Text;
  bool Valid;
  double Value;
};

void ExpectParses(bool (*Parse)(std::string_view, const TFormatSettings&, double&),
                  const TFormatSettings& Settings, const std::vector<TParseCase>& Cases) {
  for (const auto& C : Cases) {
    double Value = -12345;
    EXPECT_EQ(Parse(C.Text, Settings, Value), C.Valid) << '"' << C.Text << '"';
    EXPECT_EQ(Value, C.Valid ? C.Value : -12345) << '"' << C.Text << '"';
  }
}

TEST_F(DateTimeText, ParsesTimes) {
  ExpectParses(TryStrToTime, Russian, {
      {"12:30", true, Time(12, 30, 0)},
      {"0:00", true, 0},
      {"23:59:59", true, Time(23, 59, 59)},
      {"7", true, Time(7, 0, 0)},
      {"  08:05:03  ", true, Time(8, 5, 3)},
      {"\t8:05\t", true, Time(8, 5, 0)},
      {"12:30:15,5", true, Time(12, 30, 15, 500)},
      {"12:30:15,25", true, Time(12, 30, 15, 250)},
      {"12:30:15,123", true, Time(12, 30, 15, 123)},
      {"1:00 PM", true, Time(13, 0, 0)},
      {"1:00pm", true, Time(13, 0, 0)},
      {"1:00 p", true, Time(13, 0, 0)},
      {"11:59:59 A", true, Time(11, 59, 59)},
      {"12:00 AM", true, 0},
      {"12:00 am", true, 0},
      {"12:15 PM", true, Time(12, 15, 0)},
      {"0012:30", true, Time(12, 30, 0)},
      {"25:00", false, 0},
      {"24:00", false, 0},
      {"12:60", false, 0},
      {"12:30:60", false, 0},
      {"12:30:15,1234", false, 0},
      {"12:30:15,", false, 0},
      {"12:30,5", false, 0},
      {"12:30:15.5", false, 0},
      {"12:", false, 0},
      {":30", false, 0},
      {"12:30:", false, 0},
      {"12::30", false, 0},
      {"12 : 30", false, 0},
      {"12:30:15:10", false, 0},
      {"-1:00", false, 0},
      {"0:30 AM", false, 0},
      {"13:00 PM", false, 0},
      {"12:00 XM", false, 0},
      {"12:00 AM PM", false, 0},
      {"65548:00", false, 0},
      {"99999999999999999999:00", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"AM", false, 0},
  });
}

TEST_F(DateTimeText, ParsesTimesWithTheLocaleMarkersAndSeparators) {
  TFormatSettings Odd = English;
  Odd.TimeSeparator = '.';
  Odd.DecimalSeparator = ',';
  Odd.TimeAMString = "дп"_cp.Str();
  Odd.TimePMString = "пп"_cp.Str();
  const std::string Upper = "1.05 "_cp.Str() + "ПП"_cp.Str();
  const std::string Lower = "1.05.07,9"_cp.Str() + "пп"_cp.Str();
  const std::string Morning = "12.00 "_cp.Str() + "дп"_cp.Str();
  ExpectParses(TryStrToTime, Odd, {
      {Upper.c_str(), true, Time(13, 5, 0)},
      {Lower.c_str(), true, Time(13, 5, 7, 900)},
      {Morning.c_str(), true, 0},
      {"1.05 PM", true, Time(13, 5, 0)},
      {"1:05", false, 0},
  });
  ExpectParses(TryStrToTime, English, {
      {"1:05:09 PM", true, Time(13, 5, 9)},
      {"1:05:09.25 AM", true, Time(1, 5, 9, 250)},
  });
}

TEST_F(DateTimeText, ParsesDatesInTheOrderOfTheShortDatePicture) {
  ExpectParses(TryStrToDate, Russian, {
      {"01.02.2003", true, Date(2003, 2, 1)},
      {" 1.2.2003 ", true, Date(2003, 2, 1)},
      {"1.2.03", true, Date(2003, 2, 1)},
      {"1.2.0", true, Date(2000, 2, 1)},
      {"1.2.49", true, Date(2049, 2, 1)},
      {"1.2.50", true, Date(1950, 2, 1)},
      {"1.2.99", true, Date(1999, 2, 1)},
      {"1.2.050", true, Date(50, 2, 1)},
      {"1.2.0003", true, Date(3, 2, 1)},
      {"31.12.9999", true, 2958465},
      {"1.1.1", true, Date(2001, 1, 1)},
      {"29.02.2000", true, Date(2000, 2, 29)},
      {"5.3", true, Date(2024, 3, 5)},
      {"31.02.2001", false, 0},
      {"29.02.2001", false, 0},
      {"0.1.2003", false, 0},
      {"1.13.2003", false, 0},
      {"1.1.10000", false, 0},
      {"1.1.000", false, 0},
      {"1..2.3", false, 0},
      {"1.2.", false, 0},
      {".1.2", false, 0},
      {"1.2.3.4", false, 0},
      {"1", false, 0},
      {"1/2/2003", false, 0},
      {"01.02.2003x", false, 0},
      {"01.02.2003 12:00", false, 0},
      {"-1.2.2003", false, 0},
      {"1. 2.2003", false, 0},
      {"1.1.67537", false, 0},
      {"99999999999999999999.1.2003", false, 0},
      {"", false, 0},
      {" ", false, 0},
  });
  ExpectParses(TryStrToDate, English, {
      {"2/1/2003", true, Date(2003, 2, 1)},
      {"12/31/1999", true, 36525},
      {"3/5", true, Date(2024, 3, 5)},
      {"31/12/1999", false, 0},
      {"2.1.2003", false, 0},
  });

  TFormatSettings Iso = English;
  Iso.DateSeparator = '-';
  Iso.ShortDateFormat = "yyyy-MM-dd";
  ExpectParses(TryStrToDate, Iso, {
      {"2003-02-01", true, Date(2003, 2, 1)},
      {"03-2-1", true, Date(2003, 2, 1)},
      {"3-5", true, Date(2024, 3, 5)},
      {"2003-13-01", false, 0},
  });
  // Quoted letters do not count for the order.
  Iso.ShortDateFormat = "'d M 'yyyy-M-d";
  ExpectParses(TryStrToDate, Iso, {{"2003-2-1", true, Date(2003, 2, 1)}});
  Iso.ShortDateFormat = "dd-MM-yyyy";
  ExpectParses(TryStrToDate, Iso, {{"2003-2-1", false, 0}, {"1-2-2003", true, Date(2003, 2, 1)}});
}

TEST_F(DateTimeText, ParsesDatesWithTimes) {
  ExpectParses(TryStrToDateTime, Russian, {
      {"01.02.2003 12:00", true, Date(2003, 2, 1) + 0.5},
      {"01.02.2003", true, Date(2003, 2, 1)},
      {" 01.02.2003  12:00:30 ", true, Date(2003, 2, 1) + Time(12, 0, 30)},
      {"5.3 6:00", true, Date(2024, 3, 5) + 0.25},
      {"01.01.1800 06:00", true, -36522.25},
      {"30.12.1899 18:00", true, 0.75},
      {"01.02.200312:00", false, 0},
      {"01.02.2003 25:00", false, 0},
      {"31.02.2003 12:00", false, 0},
      {"01.02.2003 12:00 junk", false, 0},
      {"01.02.2003 12", true, Date(2003, 2, 1) + 0.5},
      {"12:00", false, 0},
      {"", false, 0},
  });
  ExpectParses(TryStrToDateTime, English, {
      {"12/31/1999 11:59:59 PM", true, 36525 + Time(23, 59, 59)},
      {"12/31/1999 12:00 AM", true, 36525},
  });
}

// Text written with the locale's pictures reads back as the same value, over
// the whole calendar and on both sides of day 0.
TEST_F(DateTimeText, FormattedDateTimesReadBack) {
  for (const TFormatSettings* Settings : {&Russian, &English}) {
    const std::string Picture = Settings->ShortDateFormat + " " + Settings->LongTimeFormat;
    for (int64_t Day = -693593; Day <= 2958465; Day += 997) {
      const int Seconds = static_cast<int>((Day * 7919 % 86400 + 86400) % 86400);
      const double Time = Seconds / 86400.0;
      const double Value = Day < 0 ? static_cast<double>(Day) - Time : static_cast<double>(Day) + Time;
      const std::string Text = FormatDateTime(Picture, Value, *Settings);
      double Back = 0;
      ASSERT_TRUE(TryStrToDateTime(Text, *Settings, Back)) << Text;
      const TDecodedDateTime A = DecodeDateTime(Value), B = DecodeDateTime(Back);
      ASSERT_TRUE(A.Year == B.Year && A.Month == B.Month && A.Day == B.Day && A.Hour == B.Hour &&
                  A.Minute == B.Minute && A.Second == B.Second)
          << Text;
    }
  }
}

// Parsers see the text through an exactly sized heap block, so a read past the
// end is caught by the address sanitizer.
bool ParseAll(std::string_view Text, const TFormatSettings& Settings) {
  const auto Block = std::make_unique<char[]>(Text.size() + 1);
  std::copy(Text.begin(), Text.end(), Block.get());
  const std::string_view Exact(Block.get(), Text.size());
  double Value = 0;
  bool Any = false;
  if (TryStrToTime(Exact, Settings, Value)) {
    Any = true;
    EXPECT_TRUE(Value >= 0 && Value < 1) << Text;
  }
  if (TryStrToDate(Exact, Settings, Value)) {
    Any = true;
    EXPECT_TRUE(Value == std::floor(Value) && Value >= -693593 && Value <= 2958465) << Text;
  }
  if (TryStrToDateTime(Exact, Settings, Value)) {
    Any = true;
    EXPECT_TRUE(std::fabs(Value) < 2958466) << Text;
  }
  return Any;
}

TEST_F(DateTimeText, GarbageOfAnyLengthIsRefused) {
  const std::string Long[] = {
      std::string(1 << 20, '1'),         std::string(1 << 20, '.'), std::string(1 << 20, ' '),
      std::string(1 << 20, ':'),         "1.1.2003 " + std::string(1 << 20, '9') + ":00",
      "12:" + std::string(100000, '9'),  std::string(1 << 16, '\xFF'),
  };
  for (const auto& Text : Long) EXPECT_FALSE(ParseAll(Text, Russian)) << Text.substr(0, 20);

  // Short texts from the characters the parsers care about, plus any byte.
  const char Alphabet[] = "0123456789.:/, \taApPmM\xE4\xEF\xC4";
  uint32_t Seed = 12345;
  auto Next = [&Seed] { return Seed = Seed * 1664525u + 1013904223u; };
  int Accepted = 0;
  for (int Round = 0; Round < 20000; ++Round) {
    std::string Text(Next() % 24, ' ');
    for (char& C : Text)
      C = Next() % 8 == 0 ? static_cast<char>(Next() >> 24) : Alphabet[(Next() >> 16) % (sizeof Alphabet - 1)];
    if (ParseAll(Text, Round % 2 == 0 ? Russian : English)) ++Accepted;
  }
  EXPECT_GT(Accepted, 0);  // the generator does reach valid texts
}

}  // namespace
}  // namespace talvex
