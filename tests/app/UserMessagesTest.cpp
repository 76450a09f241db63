#include <gtest/gtest.h>

#include <string>

#include "app/FakeAppHost.h"
#include "app/UserMessages.h"

namespace talvex::testing {
namespace {

constexpr const wchar_t* Folder = L"C:\\Tools\\Talvex\\";

// "Ошибка инициализации" stays the first line; the second says what is
// wrong, and where the file is expected whenever a file is the matter.
TEST(UserMessages, AMonitorFailureSaysWhatIsWrongBelowTheFirstLine) {
  struct TRow {
    TMonitorFailure Failure;
    int ProgramBits;
    const char* Second;
    bool NamesThePath;
  };
  const TRow Rows[] = {
      {TMonitorFailure::Missing, 32, "Не найден файл Vantrel.dll. Он должен лежать рядом с Talvex.exe:", true},
      {TMonitorFailure::Unusable, 64, "Файл Vantrel.dll не загружается или не подходит", true},
      {TMonitorFailure::OtherBitness, 64, "Файл Vantrel.dll рядом с Talvex.exe 32-разрядный, а эта Talvex.exe 64-разрядная", true},
      {TMonitorFailure::OtherBitness, 32, "Файл Vantrel.dll рядом с Talvex.exe 64-разрядный, а эта Talvex.exe 32-разрядная", true},
      {TMonitorFailure::NotInstalled, 32, "Vantrel.dll не смог установить перехват клавиатуры и мыши.", false},
  };
  const std::string First = "Ошибка инициализации\n";
  for (const TRow& R : Rows) {
    const std::string Text = Utf8(MonitorFailureText(R.Failure, Folder, R.ProgramBits));
    EXPECT_EQ(Text.rfind(First, 0), 0u) << Text;
    EXPECT_EQ(Text.find(R.Second), First.size()) << Text;
    EXPECT_EQ(Text.find("\nC:\\Tools\\Talvex\\Vantrel.dll") != std::string::npos, R.NamesThePath) << Text;
  }
}

TEST(UserMessages, AFailedHelpSaysWhyAndWhereTheFileLies) {
  const std::string Path = "C:\\Tools\\Talvex\\talvex.html";
  const std::string LiesHere = "Файл справки лежит здесь, его можно открыть в любом браузере:\n" + Path;
  struct TRow {
    long ShellResult;
    std::string Text;
  };
  for (const TRow& R : {TRow{31, "Нет программы, которая открывает файл справки (.html).\n" + LiesHere},
                        {27, "Нет программы, которая открывает файл справки (.html).\n" + LiesHere},
                        {2, "Файл справки не найден. Он должен лежать рядом с Talvex.exe:\n" + Path},
                        {3, "Файл справки не найден. Он должен лежать рядом с Talvex.exe:\n" + Path},
                        {5, "Не удалось открыть файл справки (ошибка 5).\n" + LiesHere},
                        {0, "Не удалось открыть файл справки (ошибка 0).\n" + LiesHere}})
    EXPECT_EQ(Utf8(HelpFailureText(R.ShellResult, Folder)), R.Text) << R.ShellResult;
}

}  // namespace
}  // namespace talvex::testing
