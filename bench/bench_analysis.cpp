// Analysis, printing and conversion of generated driving files of growing size.
#include "bench/benchinputs.h"
#include "bench/scalingreporter.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <memory>

#include <time.h>

namespace {

const QString v70 = QStringLiteral("7.0");
const QString v64 = QStringLiteral("6.4");

// The least any analysis must do: split the text into lines and the lines into tokens.
int splitIntoTokens(const QString &text)
{
    int tokens = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList parts = line.trimmed().split(QLatin1Char(' '));
        for (const QString &part : parts)
            tokens += part.isEmpty() ? 0 : 1;
    }
    return tokens;
}

// CPU time of this thread, the time the benchmarks report.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

// Mean CPU time of the token floor of a text, over enough runs to be steady.
double floorSeconds(const QString &text)
{
    const double start = cpuSeconds();
    int runs = 0;
    do {
        benchmark::DoNotOptimize(splitIntoTokens(text));
        ++runs;
    } while (runs < 10 || cpuSeconds() - start < 0.2);
    return (cpuSeconds() - start) / runs;
}

// Building the tree from the definition belongs to every analysis; deleting it does not. The
// counter x_floor is the mean analysis time over the token floor of the same text.
void analysis(benchmark::State &state, const QString &version, Grown grown)
{
    const QString text = benchText(version, grown, int(state.range(0)));
    QStringList lines = text.split(QLatin1Char('\n'));
    double analysing = 0;
    for (auto _ : state) {
        const double start = cpuSeconds();
        auto analyzer = std::make_unique<SyntaxAnalyzer>(grammarOf(version));
        int line = -1;
        Node *failed = nullptr;
        if (!analyzer->analyze(&lines, line, failed))
            state.SkipWithError("the generated file does not pass its grammar");
        analysing += cpuSeconds() - start;
        state.PauseTiming();
        analyzer.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = lines.size();
    state.counters["x_floor"] = analysing / double(state.iterations()) / floorSeconds(text);
    state.SetComplexityN(state.range(0));
}

void tokenFloor(benchmark::State &state, const QString &version, Grown grown)
{
    const QString text = benchText(version, grown, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(splitIntoTokens(text));
    state.SetComplexityN(state.range(0));
}

std::unique_ptr<SyntaxAnalyzer> analysed(const QString &version, Grown grown, int n)
{
    QStringList lines = benchLines(version, grown, n);
    auto analyzer = std::make_unique<SyntaxAnalyzer>(grammarOf(version));
    int line = -1;
    Node *failed = nullptr;
    analyzer->analyze(&lines, line, failed);
    return analyzer;
}

void printing(benchmark::State &state, Grown grown)
{
    const auto analyzer = analysed(v70, grown, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(analyzer->printTree(false));
    state.SetComplexityN(state.range(0));
}

void conversion(benchmark::State &state, Grown grown)
{
    const auto source = analysed(v64, grown, int(state.range(0)));
    for (auto _ : state) {
        auto target = std::make_unique<SyntaxAnalyzer>(grammarOf(v70));
        benchmark::DoNotOptimize(target->convert(source.get()));
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// Doublings from 1,000, so that every size has its eighth among them.
void sizes(benchmark::internal::Benchmark *b)
{
    for (int n = 1000; n <= 16000; n *= 2)
        b->Arg(n);
    b->Unit(benchmark::kMillisecond)->Complexity();
}

void phaseCounts(benchmark::internal::Benchmark *b)
{
    b->RangeMultiplier(2)->Range(8, 64)->Unit(benchmark::kMillisecond)->Complexity();
}

// Analyses are timed after a warm-up of a second, so that a large file, which one run alone
// would time in a process that never held that much memory, is timed as the small ones are:
// as a repeated analysis whose memory the allocator has held before. The scaling goal compares
// sizes timed seconds apart, so each size reports the median of three runs, which a passing
// burst of load on the machine does not move.
void analysisSizes(benchmark::internal::Benchmark *b)
{
    sizes(b);
    b->MinWarmUpTime(1.0)->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);
}

// The series users grow furthest go on to 32,000, so that both 2,000 to 16,000 and 4,000 to
// 32,000 are measured.
void longAnalysisSizes(benchmark::internal::Benchmark *b)
{
    analysisSizes(b);
    b->Arg(32000);
}

void analysisPhaseCounts(benchmark::internal::Benchmark *b)
{
    phaseCounts(b);
    b->MinWarmUpTime(1.0)->MinTime(1.0);
}

} // namespace

// 10,000 grains is the size users name when they ask for speed.
BENCHMARK_CAPTURE(analysis, v70_grains, v70, Grown::Grains)->Apply(longAnalysisSizes)->Arg(10000);
BENCHMARK_CAPTURE(analysis, v70_output_times, v70, Grown::OutputTimes)->Apply(longAnalysisSizes);
BENCHMARK_CAPTURE(analysis, v70_seed_types, v70, Grown::SeedTypes)->Apply(longAnalysisSizes);
BENCHMARK_CAPTURE(analysis, v70_phases, v70, Grown::Phases)->Apply(analysisPhaseCounts);
BENCHMARK_CAPTURE(analysis, v64_grains, v64, Grown::Grains)->Apply(analysisSizes);
BENCHMARK_CAPTURE(analysis, v64_output_times, v64, Grown::OutputTimes)->Apply(analysisSizes);
BENCHMARK_CAPTURE(analysis, v64_seed_types, v64, Grown::SeedTypes)->Apply(analysisSizes);
BENCHMARK_CAPTURE(analysis, v64_phases, v64, Grown::Phases)->Apply(analysisPhaseCounts);
BENCHMARK_CAPTURE(tokenFloor, v70_grains, v70, Grown::Grains)->Apply(sizes);
BENCHMARK_CAPTURE(tokenFloor, v70_output_times, v70, Grown::OutputTimes)->Apply(sizes);
BENCHMARK_CAPTURE(tokenFloor, v70_seed_types, v70, Grown::SeedTypes)->Apply(sizes);
BENCHMARK_CAPTURE(printing, v70_grains, Grown::Grains)->Apply(sizes);
BENCHMARK_CAPTURE(printing, v70_phases, Grown::Phases)->Apply(phaseCounts);
BENCHMARK_CAPTURE(conversion, v64_grains, Grown::Grains)->Apply(sizes);
BENCHMARK_CAPTURE(conversion, v64_phases, Grown::Phases)->Apply(phaseCounts);

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(MyRes);
    benchmark::Initialize(&argc, argv);
    ScalingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return reporter.summary(std::cout) == 0 ? 0 : 1;
}
