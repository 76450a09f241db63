#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/FormatSettings.h"
#include "cli/Session.h"

namespace talvex::cli {
namespace {

class TFakeReader final : public ILineReader {
 public:
  explicit TFakeReader(std::vector<std::string> Lines) : FLines(std::move(Lines)) {}
  bool ReadLine(std::string& Line) override {
    if (FNext == FLines.size()) return false;
    Line = FLines[FNext++];
    return true;
  }
  void Remember(const std::string& Line) override { Remembered.push_back(Line); }
  std::vector<std::string> Remembered;

 private:
  std::vector<std::string> FLines;
  std::size_t FNext = 0;
};

// The lines written, or a stream that refuses them (a full disk).
class TFakeWriter final : public ILineWriter {
 public:
  bool WriteLine(std::string_view Utf8) override {
    if (Full) return false;
    Text += std::string(Utf8) + "\n";
    return true;
  }
  std::string str() const { return Text; }
  void str(const std::string& New) { Text = New; }
  bool Full = false;

 private:
  std::string Text;
};

class Session : public ::testing::Test {
 protected:
  void SetUp() override { FormatSettings() = EnglishFormatSettings(); }
  TFakeWriter Out;
  TCalcParser Parser{BuiltinFunctions()};
  TSession Run{Parser, Out, TLanguage::English};
};

TEST_F(Session, AnsHoldsTheLastResultWithAValue) {
  const struct {
    const char* Expression;
    bool Succeeds;
  } Steps[] = {
      {"ans", false}, {"2+3", true},    {"ans*2", true}, {"x := 4", true}, {"ans", true},
      {"1/0", false}, {"ans+x", true},  {"\"ab\"", true}, {"Len(ans)", true}, {"ANS", true},
  };
  for (const auto& Step : Steps) EXPECT_EQ(Run.Evaluate(Step.Expression), Step.Succeeds) << Step.Expression;
  EXPECT_EQ(Out.str(),
            "error: position 1: unknown identifier \"ans\" or bad number format\n"
            "5\n10\n\n10\nerror: position 4: division by zero\n14\n\"ab\"\n2\n2\n");
  EXPECT_FALSE(Run.AllSucceeded());
}

TEST_F(Session, LinesSkipCommentsAndStopAtQuit) {
  const struct {
    std::vector<std::string> Lines;
    bool RanToTheEnd;
    const char* Output;
    std::vector<std::string> Remembered;
  } Cases[] = {
      {{"# a comment", "  # indented", "", " \t ", "1+1\r\n", "2*3"}, true, "2\n6\n", {"1+1", "2*3"}},
      {{"1", " quit ", "2"}, false, "1\n", {"1", " quit "}},
      {{"EXIT", "2"}, false, "", {"EXIT"}},
      {{"quit := 5", "quit2"}, true, "\nerror: position 1: unknown identifier \"quit2\" or bad number format\n",
       {"quit := 5", "quit2"}},
      {{"1+中"}, true, "error: position 3: character not in code page 1251\n", {"1+中"}},
  };
  for (const auto& C : Cases) {
    Out.str("");
    TFakeReader Reader(C.Lines);
    EXPECT_EQ(Run.RunLines(Reader), C.RanToTheEnd) << C.Lines[0];
    EXPECT_EQ(Out.str(), C.Output) << C.Lines[0];
    EXPECT_EQ(Reader.Remembered, C.Remembered) << C.Lines[0];
  }
}

// Nothing more is read once a line could not be written.
TEST_F(Session, StopsAtALineThatCannotBeWritten) {
  Out.Full = true;
  TFakeReader Reader({"1+1", "2+2", "3+3"});
  EXPECT_TRUE(Run.RunLines(Reader));
  EXPECT_TRUE(Run.WriteFailed());
  EXPECT_EQ(Reader.Remembered, std::vector<std::string>{"1+1"});
  EXPECT_FALSE(Run.Evaluate("4+4"));
}

}  // namespace
}  // namespace talvex::cli
