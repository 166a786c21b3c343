// The optimizer on a three-element array of 303 segments: evaluations per second with
// one engine run at a time and with one per core, and how much time the optimizer
// itself takes beside the engine. It prints its figures; run it on an otherwise idle
// machine:
//   build/bench-bin/bench_optimize [EVALUATIONS]
#include "analyses/OptimizeRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace vrnnec;

namespace {

const std::vector<std::string> kDeck = {"CM three-element array",
                                        "CE",
                                        "GW 1 101 -2 -5.3 0 -2 5.3 0 0.001",
                                        "GW 2 101 0 -5.15 0 0 5.15 0 0.001",
                                        "GW 3 101 2 -4.9 0 2 4.9 0 0.001",
                                        "GE 0",
                                        "FR 0 1 0 0 14 0",
                                        "EX 0 2 51 0 1 0",
                                        "RP 0 1 360 1000 90 0 0 1",
                                        "RP 0 181 1 1000 90 0 -1 0",
                                        "EN"};

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    double seconds = 0;
    int evaluations = 0;
    double ownCpu = 0;      // this process: searches, decks, listing parses
    double childrenCpu = 0; // scripts, engine, listing rewrite
};

Figures optimize(int jobs, int evaluations)
{
    QTemporaryDir folder;
    analyses::OptimizeRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder.path();
    request.deck = kDeck;
    request.variables = {{analyses::VariableKind::Length, 1, 'x', 10, 11.5},
                         {analyses::VariableKind::Length, 3, 'x', 9, 10.5}};
    request.goals = {{analyses::GoalKind::FrontToBack, 1, 1}, {analyses::GoalKind::Swr, 2, 1}};
    request.settings.method = analyses::SearchMethod::Global;
    request.settings.maxEvaluations = evaluations;
    request.jobs = jobs;
    const double own0 = cpuSeconds(RUSAGE_SELF), children0 = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    analyses::OptimizeRun run;
    const analyses::OptimizeResult& result = run.run(request);
    Figures f;
    f.seconds = clock.elapsed() / 1000.0;
    f.evaluations = result.evaluations;
    f.ownCpu = cpuSeconds(RUSAGE_SELF) - own0;
    f.childrenCpu = cpuSeconds(RUSAGE_CHILDREN) - children0;
    if (result.failed > 0 || result.evaluations != evaluations)
        std::fprintf(stderr, "warning: %d evaluations, %d failed\n", result.evaluations, result.failed);
    return f;
}

// nec2c alone on the deck, `runs` times one after the other: the engine's own time.
double engineAlone(int runs)
{
    QTemporaryDir folder;
    {
        std::ofstream deck(QDir(folder.path()).filePath("Indata.txo").toStdString(), std::ios::binary);
        for (const std::string& line : kDeck)
            deck << line << "\r\n";
    }
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < runs; ++i) {
        QProcess engine;
        engine.setWorkingDirectory(folder.path());
        engine.start(QStringLiteral("nec2c"), {"-i", "Indata.txo", "-o", "Outdata.nec2c.txo"});
        engine.waitForFinished(-1);
    }
    return clock.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int evaluations = argc > 1 ? std::atoi(argv[1]) : 24;
    const int cores = std::max(1, QThread::idealThreadCount());
    const Figures one = optimize(1, evaluations);
    const Figures all = optimize(cores, evaluations);
    const double engine = engineAlone(evaluations);
    const double oneRate = one.evaluations / one.seconds, allRate = all.evaluations / all.seconds;
    std::printf("deck: 303 segments, %d evaluations each\n", evaluations);
    std::printf("one engine run at a time: %.2f evaluations/s\n", oneRate);
    std::printf("%d at a time (cores):      %.2f evaluations/s = %.2f x cores x one-process rate\n", cores, allRate,
                allRate / (cores * oneRate));
    std::printf("nec2c alone, %d runs:      %.2f s (%.3f s each)\n", evaluations, engine, engine / evaluations);
    std::printf("optimizer process CPU:    %.3f s = %.2f %% of the engine's time\n", one.ownCpu,
                100 * one.ownCpu / engine);
    std::printf("scripts, engine, rewrite: %.2f s CPU (one at a time)\n", one.childrenCpu);
    std::printf("wall time beyond nec2c alone, one at a time: %.2f s = %.1f %%\n", one.seconds - engine,
                100 * (one.seconds - engine) / engine);
    return 0;
}
