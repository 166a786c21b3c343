// A 45-point frequency sweep of a three-element array of 300 segments: the sweep as one
// engine process, split over every core, and the engine alone on the same deck (nec2c
// and the listing rewrite, started directly) to measure what the program adds; the same
// sweep keeping both pattern cuts per frequency; and the two-port sweep of the array fed
// on two elements against its plain sweep.
#include "analyses/PortSweep.h"
#include "analyses/SweepRun.h"

#include "EngineAloneBench.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>


#include <sys/resource.h>

using namespace vrnnec;

namespace {

constexpr int kPoints = 45;
const analyses::SweepSettings kSettings{14, 1, kPoints, {}};
const std::vector<std::string> kPatternPair = {"RP 0 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0"};

std::vector<std::string> arrayDeck(bool twoSources = false, bool gain = false,
                                   const std::vector<std::string>& portSources = {})
{
    std::vector<std::string> deck = {"CM three-element array",
                                     "CE",
                                     "GW 1 100 -2 -5.3 0 -2 5.3 0 0.001",
                                     "GW 2 100 0 -5.15 0 0 5.15 0 0.001",
                                     "GW 3 100 2 -4.9 0 2 4.9 0 0.001",
                                     "GE 0",
                                     "EX 0 2 50 0 1 0",
                                     "FR 0 1 0 0 14 0",
                                     "EN"};
    if (twoSources)
        deck.insert(deck.begin() + 7, "EX 0 3 50 0 1 0");
    analyses::SweepSettings settings = kSettings;
    if (gain)
        settings.patternCards = kPatternPair;
    settings.portSources = portSources;
    analyses::PrepareSweepDeck(deck, settings);
    return deck;
}

analyses::SweepRequest request(const QString& folder, int processes, bool twoSources = false, bool gain = false,
                                bool ports = false)
{
    analyses::SweepRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder;
    request.settings = kSettings;
    if (gain)
        request.settings.patternCards = kPatternPair;
    if (ports)
        request.settings.portSources = {"EX 0 2 50 0 1 0", "EX 0 3 50 0 1 0"};
    request.deck = arrayDeck(twoSources, gain, request.settings.portSources);
    request.processes = processes;
    return request;
}

// CPU time (user and system) of the ended child processes so far, in ms: the engines'
// own time, whatever else the machine runs.
double childrenCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double ownCpuMs()
{
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    return self.ru_utime.tv_sec * 1000.0 + self.ru_utime.tv_usec / 1000.0 + self.ru_stime.tv_sec * 1000.0
        + self.ru_stime.tv_usec / 1000.0;
}

// Per iteration: the engines' CPU time and the program's own CPU time beside it.
void countCpu(benchmark::State& state, double childrenBefore, double ownBefore)
{
    const double own = ownCpuMs();
    const double iterations = static_cast<double>(state.iterations());
    state.counters["engine_cpu_ms"] = (childrenCpuMs() - childrenBefore) / iterations;
    state.counters["own_cpu_ms"] = (own - ownBefore) / iterations;
}

int allCores()
{
    return analyses::SweepProcesses(kSettings.points, QThread::idealThreadCount());
}

void sweep(benchmark::State& state, int processes, bool twoSources = false, bool gain = false)
{
    QTemporaryDir folder;
    const analyses::SweepRequest asked = request(folder.path(), processes, twoSources, gain);
    const double childrenBefore = childrenCpuMs(), ownBefore = ownCpuMs();
    for (auto _ : state) {
        analyses::SweepRun run;
        const analyses::SweepResult& result = run.run(asked);
        if (result.outcome != analyses::SweepOutcome::Finished || result.listing.blocks.size() != kPoints
            || (gain && result.gains.size() != kPoints)) {
            state.SkipWithError("the sweep failed");
            return;
        }
    }
    countCpu(state, childrenBefore, ownBefore);
    state.counters["processes"] = static_cast<double>(analyses::SweepParts(kSettings.points, processes).size());
}

void BM_SweepOneProcess(benchmark::State& state)
{
    sweep(state, 1);
}

void BM_SweepAllCores(benchmark::State& state)
{
    sweep(state, allCores());
}

void BM_GainSweepAllCores(benchmark::State& state)
{
    sweep(state, allCores(), false, true);
}

// The plain sweep of the array fed on two elements, and its two-port sweep.
void BM_TwoSourceSweepAllCores(benchmark::State& state)
{
    sweep(state, allCores(), true);
}

void BM_TwoPortSweepAllCores(benchmark::State& state)
{
    QTemporaryDir folder;
    const analyses::SweepRequest asked = request(folder.path(), allCores(), true, false, true);
    const double childrenBefore = childrenCpuMs(), ownBefore = ownCpuMs();
    for (auto _ : state) {
        analyses::SweepRun run;
        const analyses::SweepResult& result = run.run(asked);
        const analyses::PortSweepData data = analyses::PortAdmittances(result.listing, asked.settings);
        if (result.outcome != analyses::SweepOutcome::Finished || !data.ok() || data.admittance.size() != kPoints) {
            state.SkipWithError("the port sweep failed");
            return;
        }
    }
    countCpu(state, childrenBefore, ownBefore);
}

// The engine and the listing rewrite as the script runs them, without the program.
void BM_EngineAlone(benchmark::State& state)
{
    const double childrenBefore = childrenCpuMs(), ownBefore = ownCpuMs();
    RunEngineAlone(state, analyses::DeckFileText(arrayDeck()));
    countCpu(state, childrenBefore, ownBefore);
}

} // namespace

BENCHMARK(BM_EngineAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SweepOneProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SweepAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_GainSweepAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_TwoSourceSweepAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_TwoPortSweepAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
