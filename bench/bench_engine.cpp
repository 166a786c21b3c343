// The engines on a 3000-segment deck (one frequency): nec2c against the fast engine
// nec2c-blas (every core, and one thread), each run started directly; and the limit the
// fast engine's factor step can reach, LAPACK's zgetrf alone on a random complex matrix
// of the same size. Counters: the engine's own FILL and FACTOR times from its listing
// (processor time of all its threads, as nec2c measures them) and the bare zgetrf's
// processor time, so that both factor steps are compared by the same clock; and the
// engine process's whole processor time (engine_cpu_s), which a busy machine distorts
// less than the elapsed time.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <complex>
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <lapacke.h>

#include <random>
#include <sys/resource.h>
#include <sys/times.h>
#include <unistd.h>
#include <vector>

extern "C" void openblas_set_num_threads(int);

namespace {

constexpr int kSize = 3000;

// Ten parallel wires of 300 segments each at 14 MHz: 3000 segments, one source.
QByteArray deck3000()
{
    QByteArray deck = "CM 3000 segments: ten wires of 300\nCE\n";
    for (int wire = 1; wire <= 10; ++wire) {
        const double x = 0.6 * (wire - 1);
        deck += QStringLiteral("GW %1 300 %2 -5.3 0 %2 5.3 0 0.001\n").arg(wire).arg(x).toLatin1();
    }
    deck += "GE 0\nEX 0 1 150 0 1 0\nFR 0 1 0 0 14 0\nXQ\nEN\n";
    return deck;
}

double processorSeconds()
{
    tms now{};
    times(&now);
    return static_cast<double>(now.tms_utime + now.tms_stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double childrenSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + 1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// Runs `engine` on the deck; `threads` > 0 sets OPENBLAS_NUM_THREADS.
void engineRun(benchmark::State& state, const QString& engine, int threads)
{
    QTemporaryDir folder;
    QFile deck(QDir(folder.path()).filePath(QStringLiteral("in.nec")));
    if (!deck.open(QIODevice::WriteOnly) || deck.write(deck3000()) < 0) {
        state.SkipWithError("cannot write the deck");
        return;
    }
    deck.close();
    double fill = 0.0, factor = 0.0, whole = 0.0;
    for (auto _ : state) {
        const double before = childrenSeconds();
        QProcess process;
        process.setWorkingDirectory(folder.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (threads > 0)
            environment.insert(QStringLiteral("OPENBLAS_NUM_THREADS"), QString::number(threads));
        process.setProcessEnvironment(environment);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(engine, {QStringLiteral("-i"), QStringLiteral("in.nec"), QStringLiteral("-o"), QStringLiteral("out.txt")});
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            state.SkipWithError("the engine failed");
            return;
        }
        whole += childrenSeconds() - before;
        QFile listing(QDir(folder.path()).filePath(QStringLiteral("out.txt")));
        listing.open(QIODevice::ReadOnly);
        const QRegularExpressionMatch timing =
            QRegularExpression(QStringLiteral("FILL:\\s*(\\d+) msec\\s+FACTOR:\\s*(\\d+) msec")).match(QString::fromLatin1(listing.readAll()));
        if (!timing.hasMatch()) {
            state.SkipWithError("the listing has no matrix timing");
            return;
        }
        fill += timing.captured(1).toDouble() / 1000.0;
        factor += timing.captured(2).toDouble() / 1000.0;
    }
    state.counters["fill_cpu_s"] = benchmark::Counter(fill, benchmark::Counter::kAvgIterations);
    state.counters["factor_cpu_s"] = benchmark::Counter(factor, benchmark::Counter::kAvgIterations);
    state.counters["engine_cpu_s"] = benchmark::Counter(whole, benchmark::Counter::kAvgIterations);
}

void BM_Nec2c(benchmark::State& state)
{
    engineRun(state, QStringLiteral("nec2c"), 0);
}

void BM_FastEngine(benchmark::State& state)
{
    engineRun(state, QStringLiteral(PROGRAM_DIR "/nec2c-blas"), 0);
}

void BM_FastEngineOneThread(benchmark::State& state)
{
    engineRun(state, QStringLiteral(PROGRAM_DIR "/nec2c-blas"), 1);
}

// zgetrf alone on a random complex matrix of the deck's size; `state.range(0)` threads
// (0: OpenBLAS's own choice, every core).
void BM_BareZgetrf(benchmark::State& state)
{
    const int threads = static_cast<int>(state.range(0));
    if (threads > 0)
        openblas_set_num_threads(threads);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::vector<std::complex<double>> original(static_cast<std::size_t>(kSize) * kSize);
    for (auto& z : original)
        z = {uniform(random), uniform(random)};
    std::vector<std::complex<double>> a;
    std::vector<lapack_int> pivots(kSize);
    double processor = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        a = original;
        state.ResumeTiming();
        const double before = processorSeconds();
        const lapack_int info = LAPACKE_zgetrf_work(LAPACK_COL_MAJOR, kSize, kSize, a.data(), kSize, pivots.data());
        processor += processorSeconds() - before;
        if (info != 0) {
            state.SkipWithError("zgetrf failed");
            return;
        }
    }
    state.counters["factor_cpu_s"] = benchmark::Counter(processor, benchmark::Counter::kAvgIterations);
    if (threads > 0)
        openblas_set_num_threads(0);
}

} // namespace

BENCHMARK(BM_Nec2c)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_FastEngine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_FastEngineOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_BareZgetrf)->Arg(0)->Arg(1)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
