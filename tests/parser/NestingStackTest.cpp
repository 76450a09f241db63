// The deepest nesting the engine allows must fit the 1 MB stack of a Windows
// thread: a probe function notes how deep the stack is where it runs, which
// gives the bytes each level of brackets, signs, calls, IF and assignment
// takes; and the deepest texts of every form run on a thread of exactly that
// stack (natively, where the sanitizers make frames larger, on a larger one).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "parser/Operators.h"
#include "support/EngineFixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace talvex {
namespace {

uintptr_t Deepest = 0;

TALVEX_PROC(ProcStackProbe) {
  volatile char Here = 0;
  Deepest = reinterpret_cast<uintptr_t>(&Here);
  SetInteger(Result, 1);
}

std::string Repeat(std::string_view Part, int Count) {
  std::string Out;
  for (int I = 0; I < Count; ++I) Out += Part;
  return Out;
}

struct TForm {
  const char* Name;
  std::string (*Text)(int Depth, const std::string& Core);
};

const TForm Forms[] = {
    {"brackets", [](int N, const std::string& Core) { return Repeat("(", N) + Core + Repeat(")", N); }},
    {"prefix signs", [](int N, const std::string& Core) { return Repeat("-", N) + Core; }},
    {"calls", [](int N, const std::string& Core) { return Repeat("abs(", N) + Core + Repeat(")", N); }},
    {"IF", [](int N, const std::string& Core) { return Repeat("IF(1<2;", N) + Core + Repeat(";0)", N); }},
    {"assignments", [](int N, const std::string& Core) { return Repeat("a:=", N) + Core; }},
    {"powers", [](int N, const std::string& Core) { return Repeat("(1+2*1^", N) + Core + Repeat(")", N); }},
};

bool Refused(const std::string& Answer) { return Answer.rfind("error", 0) == 0; }

// The largest depth of the form the engine evaluates.
int DeepestAllowed(TCalcParser& Parser, const TForm& Form, const std::string& Core) {
  int Low = 1, High = 2 * TMathParser::MaxNesting;
  while (Low < High) {
    const int Mid = (Low + High + 1) / 2;
    if (Refused(testing::Answer(Parser, Form.Text(Mid, Core)))) High = Mid - 1;
    else Low = Mid;
  }
  return Low;
}

class NestingStack : public testing::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Calc("1");
    Parser.AddOperator(std::make_unique<TFunction>(&Parser, "Probe", 1, ProcStackProbe));
  }
};

// Natively the sanitizers give every frame red zones, so the budget there is
// looser; the Windows build is what the 1 MB is about.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t ThreadStack = 8u << 20;
constexpr uintptr_t BytesPerLevel = 16384;
#else
constexpr std::size_t ThreadStack = 1u << 20;
constexpr uintptr_t BytesPerLevel = 4096;
#endif

TEST_F(NestingStack, EachLevelTakesLittleStack) {
  ASSERT_EQ(Calc("Probe(0)"), "1");
  const uintptr_t Top = Deepest;
  for (const TForm& Form : Forms) {
    const int Depth = 50;
    ASSERT_FALSE(Refused(Calc(Form.Text(Depth, "Probe(0)")))) << Form.Name;
    const uintptr_t PerLevel = (Top - Deepest) / Depth;
    RecordProperty(std::string("bytes per level of ") + Form.Name, static_cast<int>(PerLevel));
    std::printf("stack per level of %s: %u bytes\n", Form.Name, static_cast<unsigned>(PerLevel));
    EXPECT_LT(PerLevel, BytesPerLevel) << Form.Name;
    // At the deepest nesting allowed, the whole stack stays well inside the thread's.
    const int Allowed = DeepestAllowed(Parser, Form, "Probe(0)");
    EXPECT_LE(Allowed, 2 * TMathParser::MaxNesting) << Form.Name;
    EXPECT_LT(PerLevel * static_cast<uintptr_t>(Allowed), ThreadStack * 3 / 4) << Form.Name;
  }
}

// Every form at its deepest, plain ones (the one pass) and general ones.
void RunDeepest(TCalcParser* Parser, bool* Done) {
  for (const TForm& Form : Forms)
    for (const char* Core : {"1", "Probe(0)", "x"}) {
      const int Allowed = DeepestAllowed(*Parser, Form, Core);
      EXPECT_GT(Allowed, TMathParser::MaxNesting / 4) << Form.Name << " " << Core;
      EXPECT_FALSE(Refused(testing::Answer(*Parser, Form.Text(Allowed, Core)))) << Form.Name << " " << Core;
      EXPECT_TRUE(Refused(testing::Answer(*Parser, Form.Text(Allowed + 1, Core)))) << Form.Name << " " << Core;
    }
  *Done = true;
}

struct TArgs {
  TCalcParser* Parser;
  bool* Done;
};

#ifdef _WIN32
DWORD WINAPI DeepestThread(LPVOID P) {
  auto* A = static_cast<TArgs*>(P);
  RunDeepest(A->Parser, A->Done);
  return 0;
}
#endif

TEST_F(NestingStack, TheDeepestTextsRunOnAOneMegabyteThread) {
  Calc("x := 2");
  bool Done = false;
  TArgs Args{&Parser, &Done};
#ifdef _WIN32
  // The stack reserved is exactly ThreadStack, as for a thread of the calculator.
  HANDLE Thread = CreateThread(nullptr, ThreadStack, DeepestThread, &Args, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  ASSERT_NE(Thread, nullptr);
  WaitForSingleObject(Thread, INFINITE);
  CloseHandle(Thread);
#else
  pthread_attr_t Attributes;
  pthread_attr_init(&Attributes);
  pthread_attr_setstacksize(&Attributes, ThreadStack);
  pthread_t Thread;
  ASSERT_EQ(pthread_create(
                &Thread, &Attributes,
                [](void* P) -> void* {
                  auto* A = static_cast<TArgs*>(P);
                  RunDeepest(A->Parser, A->Done);
                  return nullptr;
                },
                &Args),
            0);
  pthread_join(Thread, nullptr);
  pthread_attr_destroy(&Attributes);
#endif
  EXPECT_TRUE(Done);
}

}  // namespace
}  // namespace talvex
