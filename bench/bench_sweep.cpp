// A 9-point and a 45-point frequency sweep of a three-element array of 303 segments: the
// sweep as one engine process, split over every core, and the engine alone on the same
// deck (nec2c and the listing rewrite, started directly) to measure what the program adds.
// The sweeps run with nec2c and, when the build has it, with the fast engine nec2c-blas
// (named by an engine.conf in the working folder).
#include "analyses/SweepRun.h"

#include "EngineAloneBench.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <fstream>

using namespace vrnnec;

namespace {

const analyses::SweepSettings kSettings{14, 1, 9};

analyses::SweepSettings settingsOf(int points)
{
    return {kSettings.centre, kSettings.bandWidth, points};
}

std::vector<std::string> arrayDeck(const analyses::SweepSettings& settings = kSettings)
{
    std::vector<std::string> deck = {"CM three-element array",
                                     "CE",
                                     "GW 1 101 -2 -5.3 0 -2 5.3 0 0.001",
                                     "GW 2 101 0 -5.15 0 0 5.15 0 0.001",
                                     "GW 3 101 2 -4.9 0 2 4.9 0 0.001",
                                     "GE 0",
                                     "EX 0 2 51 0 1 0",
                                     "FR 0 1 0 0 14 0",
                                     "EN"};
    analyses::PrepareSweepDeck(deck, settings);
    return deck;
}

// state.range(0): the points; state.range(1): 0 nec2c, 1 nec2c-blas.
void sweep(benchmark::State& state, bool allCores)
{
    const analyses::SweepSettings settings = settingsOf(static_cast<int>(state.range(0)));
    const int processes = allCores ? analyses::SweepProcesses(settings.points, QThread::idealThreadCount()) : 1;
    QTemporaryDir folder;
    const QString fast = QStringLiteral(PROGRAM_DIR "/nec2c-blas");
    if (state.range(1) == 1 && !QFileInfo(fast).isExecutable()) {
        state.SkipWithError("the fast engine nec2c-blas was not built");
        return;
    }
    std::ofstream(QDir(folder.path()).filePath("engine.conf").toStdString())
        << "command=" << (state.range(1) == 1 ? fast.toStdString() : std::string("nec2c")) << "\nfiles=options\n";
    analyses::SweepRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder.path();
    request.deck = arrayDeck(settings);
    request.settings = settings;
    request.processes = processes;
    for (auto _ : state) {
        analyses::SweepRun run;
        const analyses::SweepResult& result = run.run(request);
        if (result.outcome != analyses::SweepOutcome::Finished
            || result.listing.blocks.size() != static_cast<std::size_t>(settings.points)) {
            state.SkipWithError("the sweep failed");
            return;
        }
    }
    state.counters["processes"] = static_cast<double>(analyses::SweepParts(settings.points, processes).size());
}

void BM_SweepOneProcess(benchmark::State& state)
{
    sweep(state, false);
}

void BM_SweepAllCores(benchmark::State& state)
{
    sweep(state, true);
}

// The engine and the listing rewrite as the script runs them, without the program.
void BM_EngineAlone(benchmark::State& state)
{
    RunEngineAlone(state, analyses::DeckFileText(arrayDeck()));
}

} // namespace

BENCHMARK(BM_EngineAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SweepOneProcess)->ArgsProduct({{9, 45}, {0, 1}})->ArgNames({"points", "blas"})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SweepAllCores)->ArgsProduct({{9, 45}, {0, 1}})->ArgNames({"points", "blas"})
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
