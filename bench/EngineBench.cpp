// One-shot cost of the engine (Calculate on a parser whose table is built:
// parse, evaluate and format the answer) over typical selections, side by side
// with muparser and libqalculate, then the worst cases and the heap
// allocations of one Calculate. Ends with the targets met or missed.
//
//   talvex_bench [--typical=FILE] [--repetitions=N] [--min-time=SECONDS]
//                [Google Benchmark flags]
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/Cp1251.h"
#include "ParserLib/FormatSettings.h"
#include "ParserLib/RealText.h"
#include "bench/AllocationCounter.h"
#include "bench/Peers.h"
#include "bench/Report.h"
#include "bench/WorstCases.h"
#include "parser/CalcParser.h"

namespace talvex::bench {
namespace {

constexpr double MuParserTarget = 0.5;    // at least 2 times faster
constexpr double QalculateTarget = 0.01;  // at least 100 times faster
constexpr double WorstCaseLimitNs = 100000;

struct TOutcome {
  std::string Text;  // the answer, or the error message (UTF-8)
  bool Failed = false;
  std::uint64_t Allocations = 0;
  std::uint64_t AnswerAllocations = 0;  // the answer's own buffer
};

TOutcome RunTalvex(TCalcParser& Parser, const std::string& Text) {
  TOutcome Out;
  const std::uint64_t Before = AllocationCount();
  try {
    const std::string Answer = Calculate(Parser, Text);
    Out.Allocations = AllocationCount() - Before;
    // An answer longer than the string's own small buffer needs one block.
    Out.AnswerAllocations = Answer.size() > std::string().capacity() ? 1 : 0;
    Out.Text = Cp1251ToUtf8(Answer);
  } catch (const Exception& E) {
    Out.Allocations = AllocationCount() - Before;
    Out.Text = Cp1251ToUtf8(E.Message());
    Out.Failed = true;
  }
  return Out;
}

bool ReadNumber(const std::string& Text, long double& X) { return TryTextToReal(Text, '.', X); }

// Relative agreement, with values below 1E-12 taken as zero.
bool Agree(long double A, long double B, long double Tolerance) {
  const long double Scale = std::fmax(std::fabs(A), std::fabs(B));
  return Scale < 1e-12L || std::fabs(A - B) <= Tolerance * Scale;
}

// Median real time per call, in nanoseconds, of each benchmark by name.
class TCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs) {
      if (R.error_occurred) continue;
      const bool Single = R.run_type == Run::RT_Iteration && R.repetitions <= 1;
      if (Single || (R.run_type == Run::RT_Aggregate && R.aggregate_name == "median"))
        Times[R.run_name.function_name] = R.GetAdjustedRealTime();
    }
  }
  double Time(const std::string& Name) const {
    const auto It = Times.find(Name);
    return It == Times.end() ? NAN : It->second;
  }

 private:
  std::map<std::string, double> Times;
};

struct TOptions {
  std::string Typical = TALVEX_BENCH_TYPICAL;
  int Repetitions = 5;
  double MinTime = 0.1;
};

TOptions ReadOptions(int& Argc, char** Argv) {
  TOptions Options;
  int Kept = 1;
  for (int I = 1; I < Argc; ++I) {
    const std::string Arg = Argv[I];
    if (Arg.rfind("--typical=", 0) == 0)
      Options.Typical = Arg.substr(10);
    else if (Arg.rfind("--repetitions=", 0) == 0)
      Options.Repetitions = std::stoi(Arg.substr(14));
    else if (Arg.rfind("--min-time=", 0) == 0)
      Options.MinTime = std::stod(Arg.substr(11));
    else
      Argv[Kept++] = Argv[I];
  }
  Argc = Kept;
  return Options;
}

template <class Body>
void Register(const std::string& Name, const TOptions& Options, Body&& Run) {
  auto* B = benchmark::RegisterBenchmark(Name.c_str(), [Run](benchmark::State& State) {
    for (auto _ : State) Run();
  });
  B->Unit(benchmark::kNanosecond)->UseRealTime()->MinTime(Options.MinTime);
  if (Options.Repetitions > 1) B->Repetitions(Options.Repetitions)->ReportAggregatesOnly(true);
}

struct TTypicalRow {
  TTypical Texts;
  TOutcome Talvex;
  bool MuFailed = false;
  std::string MuText;
  std::string QalculateText;
  std::uint64_t MuAllocations = 0, QalculateAllocations = 0;
};

void CheckPeers(TTypicalRow& Row, TMuParserPeer& Mu, TQalculatePeer& Qalculate) {
  double MuValue = 0;
  std::string MuError;
  std::uint64_t Before = AllocationCount();
  Row.MuFailed = !Mu.Evaluate(Row.Texts.MuParser, MuValue, MuError);
  Row.MuAllocations = AllocationCount() - Before;
  Before = AllocationCount();
  Row.QalculateText = Qalculate.Evaluate(Row.Texts.Qalculate);
  Row.QalculateAllocations = AllocationCount() - Before;
  if (Row.Talvex.Failed) return;
  long double Ours = 0, Theirs = 0;
  if (!ReadNumber(Row.Talvex.Text, Ours)) return;
  if (Row.MuFailed)
    std::printf("warning: muparser refuses %s: %s\n", Row.Texts.MuParser.c_str(), MuError.c_str());
  else if (!Agree(Ours, MuValue, 1e-11L))
    std::printf("warning: muparser disagrees on %s: %s, Talvex %s\n", Row.Texts.MuParser.c_str(),
                Fixed(MuValue, 12).c_str(), Row.Talvex.Text.c_str());
  // libqalculate prints 8 significant digits by default.
  if (!ReadNumber(Row.QalculateText, Theirs) || !Agree(Ours, Theirs, 1e-7L))
    std::printf("warning: libqalculate disagrees on %s: %s, Talvex %s\n", Row.Texts.Qalculate.c_str(),
                Row.QalculateText.c_str(), Row.Talvex.Text.c_str());
}

int Main(int Argc, char** Argv) {
  const TOptions Options = ReadOptions(Argc, Argv);
  benchmark::Initialize(&Argc, Argv);
  if (benchmark::ReportUnrecognizedArguments(Argc, Argv)) return 2;

  // The settings the engine's tests use: "." for decimals, ";" between
  // arguments, "`" between digit groups; angles in radians, as in the calculator.
  TFormatSettings Settings = RussianFormatSettings();
  Settings.DecimalSeparator = '.';
  FormatSettings() = Settings;
  TCalcParser Parser{BuiltinFunctions()};
  Parser.AngleUnit = auRadians;
  Calculate(Parser, "0");  // builds the table

  TMuParserPeer Mu;
  TQalculatePeer Qalculate;
  std::vector<TTypicalRow> Typical;
  for (const TTypical& Texts : ReadTypical(Options.Typical)) {
    TTypicalRow Row;
    Row.Texts = Texts;
    RunTalvex(Parser, Texts.Talvex);  // grows what a first call grows
    Row.Talvex = RunTalvex(Parser, Texts.Talvex);
    CheckPeers(Row, Mu, Qalculate);
    Typical.push_back(std::move(Row));
  }
  const std::vector<TWorstCase> Worst = WorstCases();
  std::vector<TOutcome> WorstOutcomes;
  for (const TWorstCase& Case : Worst) {
    if (!Case.Setup.empty()) Calculate(Parser, Case.Setup);
    RunTalvex(Parser, Case.Text);
    WorstOutcomes.push_back(RunTalvex(Parser, Case.Text));
  }

  for (std::size_t I = 0; I < Typical.size(); ++I) {
    const TTypicalRow& Row = Typical[I];
    // An expression the engine refuses is reported, not timed.
    if (Row.Talvex.Failed) continue;
    const std::string Id = "typical/" + std::to_string(I + 1);
    Register(Id + "/talvex", Options, [&Parser, Text = Row.Texts.Talvex] {
      benchmark::DoNotOptimize(Calculate(Parser, Text));
    });
    if (!Row.MuFailed)
      Register(Id + "/muparser", Options, [&Mu, Text = Row.Texts.MuParser] {
        double Value = 0;
        std::string Error;
        benchmark::DoNotOptimize(Mu.Evaluate(Text, Value, Error));
        benchmark::DoNotOptimize(Value);
      });
    Register(Id + "/libqalculate", Options, [&Qalculate, Text = Row.Texts.Qalculate] {
      benchmark::DoNotOptimize(Qalculate.Evaluate(Text));
    });
  }
  for (std::size_t I = 0; I < Worst.size(); ++I)
    Register("worst/" + std::to_string(I + 1), Options, [&Parser, Text = Worst[I].Text] {
      try {
        benchmark::DoNotOptimize(Calculate(Parser, Text));
      } catch (const Exception& E) {
        benchmark::DoNotOptimize(E.Message());
      }
    });

  TCollector Collector;
  benchmark::RunSpecifiedBenchmarks(&Collector);
  benchmark::Shutdown();

  std::printf("\nTypical selections: median real time per call, ratio Talvex/peer\n");
  std::printf("%s %s %s %s %s %s %s %s\n", Column("#", 3).c_str(), Column("expression", 34).c_str(),
              Column("Talvex", 9).c_str(), Column("muparser", 9).c_str(), Column("libqalc", 9).c_str(),
              Column("T/mu", 6).c_str(), Column("T/qalc", 7).c_str(), "allocs T/mu/qalc, answer");
  std::vector<double> MuRatios, QalculateRatios, OurTimes, MuTimes, QalculateTimes;
  std::vector<std::string> Errored;
  std::uint64_t MostAllocations = 0;
  for (std::size_t I = 0; I < Typical.size(); ++I) {
    const TTypicalRow& Row = Typical[I];
    const std::string Id = "typical/" + std::to_string(I + 1);
    if (Row.Talvex.Failed) {
      std::printf("%s %s error: %s\n", Column(std::to_string(I + 1), 3).c_str(),
                  Column(Row.Texts.Talvex, 34).c_str(), Row.Talvex.Text.c_str());
      Errored.push_back(std::to_string(I + 1));
      continue;
    }
    const double Ours = Collector.Time(Id + "/talvex"), MuTime = Collector.Time(Id + "/muparser"),
                 QalculateTime = Collector.Time(Id + "/libqalculate");
    const double MuRatio = Ours / MuTime, QalculateRatio = Ours / QalculateTime;
    if (!std::isnan(MuRatio)) MuRatios.push_back(MuRatio), MuTimes.push_back(MuTime);
    if (!std::isnan(QalculateRatio)) QalculateRatios.push_back(QalculateRatio), QalculateTimes.push_back(QalculateTime);
    OurTimes.push_back(Ours);
    MostAllocations = std::max(MostAllocations, Row.Talvex.Allocations - Row.Talvex.AnswerAllocations);
    std::printf("%s %s %s %s %s %s %s %s\n", Column(std::to_string(I + 1), 3).c_str(),
                Column(Row.Texts.Talvex, 34).c_str(), Column(Duration(Ours), 9).c_str(),
                Column(Row.MuFailed ? "refused" : Duration(MuTime), 9).c_str(),
                Column(Duration(QalculateTime), 9).c_str(), Column(Fixed(MuRatio, 3), 6).c_str(),
                Column(Fixed(QalculateRatio, 4), 7).c_str(),
                (std::to_string(Row.Talvex.Allocations) + "/" + std::to_string(Row.MuAllocations) + "/" +
                 std::to_string(Row.QalculateAllocations) + ", " + Row.Talvex.Text)
                    .c_str());
  }

  std::printf("\nWorst cases (at most 250 characters)\n");
  double Slowest = 0;
  std::uint64_t MostWorstAllocations = 0;
  for (std::size_t I = 0; I < Worst.size(); ++I) {
    const TOutcome& Out = WorstOutcomes[I];
    const double Time = Collector.Time("worst/" + std::to_string(I + 1));
    if (!std::isnan(Time)) Slowest = std::max(Slowest, Time);
    if (!Out.Failed && !Worst[I].HasStrings)
      MostWorstAllocations = std::max(MostWorstAllocations, Out.Allocations - Out.AnswerAllocations);
    std::printf("%s %s %s %s allocs %s, %s%s\n", Column(std::to_string(I + 1), 3).c_str(),
                Column(Worst[I].Name, 38).c_str(), Column(std::to_string(Worst[I].Text.size()) + " ch", 6).c_str(),
                Column(Duration(Time), 9).c_str(), std::to_string(Out.Allocations).c_str(),
                Out.Failed ? "error: " : "", Column(Out.Text, 60).c_str());
  }

  const double MuMedian = Median(MuRatios), QalculateMedian = Median(QalculateRatios);
  const bool MuMet = MuMedian <= MuParserTarget, QalculateMet = QalculateMedian <= QalculateTarget;
  const bool WorstMet = Slowest < WorstCaseLimitNs;
  const bool AllocationsMet = MostAllocations == 0 && MostWorstAllocations == 0;
  const auto Verdict = [](bool Met) { return Met ? "met" : "MISSED"; };
  std::printf("\nSummary over %zu timed typical selections", OurTimes.size());
  if (!Errored.empty()) {
    std::printf(" (not timed, answered with an error:");
    for (const std::string& E : Errored) std::printf(" %s", E.c_str());
    std::printf(")");
  }
  std::printf("\n");
  std::printf("  median ratio Talvex/muparser      %s   (target <= %s: %s); medians %s vs %s\n",
              Fixed(MuMedian, 3).c_str(), Fixed(MuParserTarget, 2).c_str(), Verdict(MuMet),
              Duration(Median(OurTimes)).c_str(), Duration(Median(MuTimes)).c_str());
  std::printf("  median ratio Talvex/libqalculate  %s  (target <= %s: %s); medians %s vs %s\n",
              Fixed(QalculateMedian, 4).c_str(), Fixed(QalculateTarget, 2).c_str(), Verdict(QalculateMet),
              Duration(Median(OurTimes)).c_str(), Duration(Median(QalculateTimes)).c_str());
  std::printf("  slowest worst case                %s (target < 100 us: %s)\n", Duration(Slowest).c_str(),
              Verdict(WorstMet));
  std::printf("  heap allocations per Calculate without strings, besides a long answer's buffer: %s"
              " (target 0: %s)\n",
              std::to_string(std::max(MostAllocations, MostWorstAllocations)).c_str(), Verdict(AllocationsMet));
  return MuMet && QalculateMet && WorstMet && AllocationsMet ? 0 : 1;
}

}  // namespace
}  // namespace talvex::bench

int main(int Argc, char** Argv) { return talvex::bench::Main(Argc, Argv); }
