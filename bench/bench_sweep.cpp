// A 9-point frequency sweep of a three-element array of 303 segments: the sweep as one
// engine process, split over every core, and the engine alone on the same deck (nec2c
// and the listing rewrite, started directly) to measure what the program adds.
#include "analyses/SweepRun.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <fstream>

using namespace vrnnec;

namespace {

const analyses::SweepSettings kSettings{14, 1, 9};

std::vector<std::string> arrayDeck()
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
    analyses::PrepareSweepDeck(deck, kSettings);
    return deck;
}

void sweep(benchmark::State& state, int processes)
{
    QTemporaryDir folder;
    analyses::SweepRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder.path();
    request.deck = arrayDeck();
    request.settings = kSettings;
    request.processes = processes;
    for (auto _ : state) {
        analyses::SweepRun run;
        const analyses::SweepResult& result = run.run(request);
        if (result.outcome != analyses::SweepOutcome::Finished || result.listing.blocks.size() != 9) {
            state.SkipWithError("the sweep failed");
            return;
        }
    }
    state.counters["processes"] = static_cast<double>(analyses::SweepParts(kSettings.points, processes).size());
}

void BM_SweepOneProcess(benchmark::State& state)
{
    sweep(state, 1);
}

void BM_SweepAllCores(benchmark::State& state)
{
    sweep(state, analyses::SweepProcesses(kSettings.points, QThread::idealThreadCount()));
}

// The engine and the listing rewrite as the script runs them, without the program.
void BM_EngineAlone(benchmark::State& state)
{
    QTemporaryDir folder;
    {
        std::ofstream deck(QDir(folder.path()).filePath("IndataGN.txo").toStdString(), std::ios::binary);
        deck << analyses::DeckFileText(arrayDeck());
    }
    for (auto _ : state) {
        QProcess engine;
        engine.setWorkingDirectory(folder.path());
        engine.start(QStringLiteral("nec2c"), {"-i", "IndataGN.txo", "-o", "Outdata.nec2c.txo"});
        engine.waitForFinished(-1);
        QProcess rewrite;
        rewrite.setWorkingDirectory(folder.path());
        rewrite.start(QStringLiteral(PROGRAM_DIR "/nec2c-classic"), {"Outdata.nec2c.txo", "Outdata.txo"});
        rewrite.waitForFinished(-1);
        if (engine.exitCode() != 0 || rewrite.exitCode() != 0) {
            state.SkipWithError("the engine failed");
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_EngineAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SweepOneProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_SweepAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
