// The optimizer with the real engine: the command line on a dipole and a Yagi, checked
// against independent engine runs of the deck it writes; its refusals; a stop by signal
// that still writes the best deck; and the engine runs started through a runner named in
// engine.conf, with jobs= runs at once, for the optimizer and a 9-point sweep.
#include "analyses/OptimizeRun.h"
#include "analyses/SweepRun.h"
#include "engine/EngineJobs.h"

#include "ProgramFolder.h"
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

namespace {

using Result = testsupport::ToolResult;

const QString kNecdeck = QStringLiteral(PROGRAM_DIR "/necdeck");

Result runTool(const QStringList& args)
{
    return testsupport::RunTool(kNecdeck, args);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A dipole of 11 m at 14.2 MHz, lines ended by CR LF.
const QByteArray kDipole = "CM dipole of 11 m\r\nCE\r\nGW 1 21 0 -5.5 0 0 5.5 0 0.001\r\nGE 0\r\nFR 0 1 0 0 14.2 0\r\n"
                           "EX 0 1 11 0 1.0000 0.0000\r\nRP 0 1 360 1000 70 0 0 1\r\nRP 0 181 1 1000 90 0 -1 0\r\nEN\r\n";
const QByteArray kYagi = "CM three elements\nCE\nGW 1 21 -4 -5.3 0 -4 5.3 0 0.005\nGW 2 21 0 -5.1 0 0 5.1 0 0.005\n"
                         "GW 3 21 3 -4.9 0 3 4.9 0 0.005\nGE 0\nFR 0 1 0 0 14.2 0\nEX 0 2 11 0 1.0000 0.0000\n"
                         "RP 0 1 360 1000 90 0 0 1\nRP 0 181 1 1000 90 0 -1 0\nEN\n";

// R and X of the first source from nec2c run directly on `deck` (its own listing).
bool engineAlone(const QString& deck, const QString& folder, double& r, double& x)
{
    const QString listing = QDir(folder).filePath("alone.out");
    if (QProcess::execute(QStringLiteral("nec2c"), {"-i", deck, "-o", listing}) != 0)
        return false;
    return e2e::engineImpedance(listing, r, x);
}

// F/B and SWR from `necdeck run` of a deck.
std::pair<double, double> fbAndSwr(const QString& deck)
{
    const Result r = runTool({"run", deck});
    const auto fb = QRegularExpression("F/B: ([-0-9.]+) dB").match(r.out);
    const auto swr = QRegularExpression("SWR\\(50\\+j0\\)=([0-9.]+)").match(r.out);
    EXPECT_TRUE(fb.hasMatch() && swr.hasMatch()) << r.out.toStdString() << r.err.toStdString();
    return {fb.captured(1).toDouble(), swr.captured(1).toDouble()};
}

} // namespace

TEST(NecdeckOptimize, DipoleEndsResonantAndOtherCardsStayByteForByte)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("in.nec"), kDipole);
    const Result r = runTool({"optimize", "--vary", "length:1:9:11", "--goal", "x:1", dir.filePath("in.nec"),
                              dir.filePath("out.nec")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines.front().startsWith("evaluation 1: goal ")) << lines.front().toStdString();
    EXPECT_TRUE(QRegularExpression("^Goal: \\S+ after \\d+ evaluations$").match(lines[lines.size() - 2]).hasMatch())
        << r.out.toStdString();
    const auto length = QRegularExpression("^length 1 = ([0-9.]+) m$").match(lines.back());
    ASSERT_TRUE(length.hasMatch()) << lines.back().toStdString();
    EXPECT_GT(length.captured(1).toDouble(), 9.8);
    EXPECT_LT(length.captured(1).toDouble(), 10.6);

    double resistance = 0, reactance = 0;
    ASSERT_TRUE(engineAlone(dir.filePath("out.nec"), dir.path(), resistance, reactance));
    EXPECT_LT(std::abs(reactance), 1.0);
    EXPECT_GT(resistance, 60);

    // Only the GW line changed; it was written as the card rows write it.
    QList<QByteArray> in = kDipole.split('\n'), out = readFile(dir.filePath("out.nec")).split('\n');
    ASSERT_EQ(in.size(), out.size());
    for (int i = 0; i < in.size(); ++i) {
        if (i != 2) {
            EXPECT_EQ(out[i], in[i]) << i;
        }
    }
    const double half = length.captured(1).toDouble() / 2;
    EXPECT_TRUE(out[2].startsWith("GW 1 21 0 -")) << out[2].toStdString();
    EXPECT_TRUE(out[2].endsWith(" 0 0.001\r"));
    EXPECT_NEAR(out[2].split(' ')[4].toDouble(), -half, 1e-6);
}

TEST(NecdeckOptimize, YagiGainsFrontToBackWithSwrAtMostTwo)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("yagi.nec"), kYagi);
    const auto [fbBefore, swrBefore] = fbAndSwr(dir.filePath("yagi.nec"));
    const Result r = runTool({"optimize", "--vary", "length:1:10:11.5", "--vary", "length:3:9:10.5", "--goal", "fb:1",
                              "--goal", "swr:2:1", "--evaluations", "120", dir.filePath("yagi.nec"),
                              dir.filePath("tuned.nec")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QRegularExpression("\nlength 1 = [0-9.]+ m\nlength 3 = [0-9.]+ m\n$")))
        << r.out.toStdString();
    const auto [fbAfter, swrAfter] = fbAndSwr(dir.filePath("tuned.nec"));
    EXPECT_GT(fbAfter, fbBefore + 3) << fbBefore;
    EXPECT_LE(swrAfter, 2.0);
    (void)swrBefore;
}

TEST(NecdeckOptimize, RefusalsNameTheVariableAndWrongCommandLinesShowTheUsage)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("in.nec"), kDipole);
    writeFile(dir.filePath("out.nec"), "old");
    struct Case {
        QStringList args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"--vary", "length:4:9:11", "--goal", "x:1"}, 1, "length 4: no GW card has the tag 4."},
        {{"--vary", "length:1:11:9", "--goal", "x:1"}, 1, "length 1: the minimum 11 m must be below the maximum 9 m."},
        {{"--vary", "length:1:9:10", "--goal", "x:1"}, 1, "length 1: its value in the deck, 11 m, is outside 9 to 10 m."},
        {{"--vary", "radius:1:0.002:0.004", "--goal", "x:1"}, 1, "radius 1: its value in the deck"},
        {{"--vary", "length:1:9:11", "--goal", "gain:1", "--band", "400"}, 0, nullptr},
        {{"--vary", "length:1:9:11", "--goal", "swr:1", "--band", "400", "--points", "4"}, 1,
         "Incorrect value of points!"},
        {{"--vary", "length:1:9:11", "--goal", "r:1"}, 2, "The goal \"r:1\" must read r:TARGET:WEIGHT."},
        {{"--vary", "size:1:9:11", "--goal", "x:1"}, 2, "Unknown variable kind"},
        {{"--goal", "x:1"}, 2, "At least one --vary and one --goal are needed."},
        {{"--vary", "length:1:9:11", "--goal", "x:1", "--method", "fast"}, 2, "Invalid value for --method"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QStringList args = QStringList{"optimize"} + c.args;
        if (c.code == 0)
            args << "--evaluations" << "3";
        const Result r = runTool(args + QStringList{dir.filePath("in.nec"), dir.filePath("out.nec")});
        EXPECT_EQ(r.exitCode, c.code) << r.err.toStdString();
        if (c.message) {
            EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
        }
        if (c.code != 0)
            EXPECT_EQ(readFile(dir.filePath("out.nec")), "old");
        else
            writeFile(dir.filePath("out.nec"), "old");
    }
}

TEST(NecdeckOptimize, SigtermStopsTheRunAndStillWritesTheBestDeck)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("in.nec"), kDipole);
    QProcess tool;
    tool.start(kNecdeck, {"optimize", "--vary", "length:1:9:11", "--vary", "radius:1:0.0005:0.002", "--goal", "x:1",
                          "--goal", "r:50:1", "--method", "global", "--evaluations", "100000", dir.filePath("in.nec"),
                          dir.filePath("out.nec")});
    ASSERT_TRUE(tool.waitForStarted());
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    // The first finished evaluation is always an improvement and is always printed; later
    // numbers depend on which of the runs at once ends first.
    while (!out.contains("evaluation ") && tool.state() == QProcess::Running && clock.elapsed() < 60000) {
        tool.waitForReadyRead(1000);
        out += tool.readAllStandardOutput();
    }
    ASSERT_EQ(tool.state(), QProcess::Running) << out.toStdString();
    tool.terminate(); // SIGTERM
    ASSERT_TRUE(tool.waitForFinished(30000));
    out += tool.readAllStandardOutput();
    EXPECT_EQ(tool.exitCode(), 128 + 15);
    EXPECT_TRUE(tool.readAllStandardError().contains("NEC-2 run was stopped."));
    EXPECT_TRUE(out.contains("\nGoal: ")) << out.toStdString();
    EXPECT_TRUE(readFile(dir.filePath("out.nec")).startsWith("CM dipole of 11 m\r\nCE\r\nGW 1 21 "));
}

namespace {

// A program folder with the real engine scripts, whose engine.conf starts the engine
// through a runner script that logs its command line and then runs it.
struct RunnerFolder {
    QTemporaryDir dir;
    QString log;
    explicit RunnerFolder(const QByteArray& jobs, const QByteArray& beforeRun = "")
    {
        EXPECT_TRUE(e2e::installEngine(dir.path()));
        log = dir.filePath("runner.log");
        const QString runner = dir.filePath("runner.sh");
        writeFile(runner, "#!/bin/sh\necho \"$@\" >> '" + log.toUtf8() + "'\n" + beforeRun + "exec \"$@\"\n");
        QFile(runner).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeFile(dir.filePath("engine.conf"), "# through a runner\nrunner=" + runner.toUtf8() + "\njobs=" + jobs + "\n");
    }
    QStringList logLines() const { return QString::fromUtf8(readFile(log)).split('\n', Qt::SkipEmptyParts); }
};

analyses::OptimizeRequest dipoleRequest(const QString& programFolder, const QString& workingFolder)
{
    analyses::OptimizeRequest request;
    request.programFolder = programFolder;
    request.workingFolder = workingFolder;
    for (const QByteArray& line : kDipole.split('\n'))
        if (!line.isEmpty())
            request.deck.push_back(line.chopped(1).toStdString());
    request.variables = {{analyses::VariableKind::Length, 1, 'x', 9, 11}};
    request.goals = {{analyses::GoalKind::X, 1, 1}};
    request.settings.maxEvaluations = 20;
    request.jobs = engine::EngineJobs(workingFolder, programFolder);
    return request;
}

} // namespace

TEST(EngineRunner, JobsComeFromEngineConf)
{
    QTemporaryDir dir;
    struct Case {
        QByteArray conf;
        int jobs;
    };
    const Case cases[] = {{"jobs=3\n", 3}, {"command=nec2c\njobs=12\n", 12}, {"jobs=0\n", 0}, {"jobs=two\n", 0},
                          {"# jobs=5\n", 0}, {"jobs=2\r\n", 2}};
    for (const Case& c : cases) {
        writeFile(dir.filePath("engine.conf"), c.conf);
        EXPECT_EQ(engine::JobsOfConf(dir.filePath("engine.conf")), c.jobs) << c.conf.toStdString();
    }
    // The working folder's file comes first; without any, the core count.
    QTemporaryDir work;
    writeFile(dir.filePath("engine.conf"), "jobs=5\n");
    EXPECT_EQ(engine::EngineJobs(work.path(), dir.path()), 5);
    writeFile(work.filePath("engine.conf"), "jobs=7\n");
    EXPECT_EQ(engine::EngineJobs(work.path(), dir.path()), 7);
    QTemporaryDir none;
    EXPECT_EQ(engine::EngineJobs(none.path(), none.path()), std::max(1, QThread::idealThreadCount()));
}

TEST(EngineRunner, OptimizerEvaluationsRunThroughTheRunner)
{
    RunnerFolder program("3");
    QTemporaryDir work;
    analyses::OptimizeRun run;
    const analyses::OptimizeRequest request = dipoleRequest(program.dir.path(), work.path());
    EXPECT_EQ(request.jobs, 3);
    const analyses::OptimizeResult& result = run.run(request);
    ASSERT_EQ(result.outcome, analyses::OptimizeOutcome::Finished) << result.message;
    EXPECT_EQ(result.evaluations, 20);
    EXPECT_EQ(result.failed, 0);
    const QStringList lines = program.logLines();
    EXPECT_EQ(lines.size(), 20);
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith("nec2c -i Indata.txo -o Outdata.nec2c.txo")) << line.toStdString();
    EXPECT_LT(*result.bestGoal, 0.2);
}

TEST(EngineRunner, EvaluationsAtOnceFactorOnOneThreadEach)
{
    // The runner notes the BLAS threads each engine run is given.
    const QByteArray inherited = qgetenv("OPENBLAS_NUM_THREADS");
    for (const QByteArray& jobs : {QByteArray("1"), QByteArray("3")}) {
        SCOPED_TRACE(jobs.toStdString());
        QTemporaryDir notesDir;
        const QString notes = QDir(notesDir.path()).filePath("threads.txt");
        RunnerFolder program(jobs, "echo \"${OPENBLAS_NUM_THREADS:-every}\" >> '" + notes.toUtf8() + "'\n");
        QTemporaryDir work;
        analyses::OptimizeRun run;
        const analyses::OptimizeResult& result = run.run(dipoleRequest(program.dir.path(), work.path()));
        ASSERT_EQ(result.outcome, analyses::OptimizeOutcome::Finished) << result.message;
        const QStringList noted = QString::fromUtf8(readFile(notes)).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(noted.size(), 20);
        const QString expected = jobs == "1" ? (inherited.isEmpty() ? "every" : QString::fromUtf8(inherited)) : "1";
        for (const QString& line : noted)
            EXPECT_EQ(line, expected);
    }
}

// A 9-point sweep of the dipole through the runner of `program` in `processes` parts
// against one direct process: the same impedances, and one runner line per part.
void expectSweepThroughRunner(const RunnerFolder& program, int processes)
{
    std::vector<std::string> deck;
    for (const QByteArray& line : kDipole.split('\n'))
        if (!line.isEmpty())
            deck.push_back(line.chopped(1).toStdString());
    const analyses::SweepSettings settings{14.2, 0.8, 9};
    ASSERT_EQ(analyses::PrepareSweepDeck(deck, settings), "");
    analyses::SweepResult results[2];
    for (int i = 0; i < 2; ++i) {
        QTemporaryDir work;
        analyses::SweepRequest request;
        request.programFolder = i == 0 ? program.dir.path() : QStringLiteral(PROGRAM_DIR);
        request.workingFolder = work.path();
        request.deck = deck;
        request.settings = settings;
        request.processes = i == 0 ? processes : 1;
        analyses::SweepRun run;
        results[i] = run.run(request);
        ASSERT_EQ(results[i].outcome, analyses::SweepOutcome::Finished) << results[i].message;
        ASSERT_EQ(results[i].listing.blocks.size(), 9u);
    }
    EXPECT_EQ(program.logLines().size(), processes);
    for (std::size_t j = 0; j < 9; ++j) {
        EXPECT_EQ(results[0].listing.blocks[j].sources.at(0).impedanceReal,
                  results[1].listing.blocks[j].sources.at(0).impedanceReal);
        EXPECT_EQ(results[0].listing.blocks[j].sources.at(0).impedanceImaginary,
                  results[1].listing.blocks[j].sources.at(0).impedanceImaginary);
    }
}

TEST(EngineRunner, NinePointSweepThroughTheRunnerEqualsTheDirectOne)
{
    RunnerFolder program("3");
    QTemporaryDir work;
    // jobs=3: three parts of three frequencies.
    expectSweepThroughRunner(program, analyses::SweepProcesses(9, engine::EngineJobs(work.path(), program.dir.path())));
}

TEST(EngineRunner, StopReachesTheRunnerAsSigterm)
{
    // The runner notes SIGTERM and ends; without it the engine would start after 60 s.
    RunnerFolder program("2", "trap 'echo TERM >> \"" + QByteArray("$0") + ".log\"; exit 143' TERM\n"
                              "sleep 60 & wait $!\n");
    QTemporaryDir work;
    analyses::OptimizeRun run;
    analyses::OptimizeRequest request = dipoleRequest(program.dir.path(), work.path());
    ASSERT_TRUE(run.start(request));
    QTimer::singleShot(1500, &run, [&run] { run.stop(); });
    QEventLoop loop;
    QObject::connect(&run, &analyses::OptimizeRun::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    loop.exec();
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(run.result().outcome, analyses::OptimizeOutcome::Stopped);
    EXPECT_EQ(run.result().evaluations, 0);
    EXPECT_FALSE(run.result().bestGoal);
    EXPECT_EQ(run.result().bestDeck, request.deck); // nothing better: the deck as it was
    const QStringList terms =
        QString::fromUtf8(readFile(program.dir.filePath("runner.sh.log"))).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(terms.size(), 2); // both runs at once got it
}

TEST(EngineRunner, DestroyingARunningOptimizationEndsItsSearchesAndEngines)
{
    RunnerFolder program("2", "sleep 60 & wait $!\n");
    QTemporaryDir work;
    QElapsedTimer clock;
    clock.start();
    {
        analyses::OptimizeRun run;
        ASSERT_TRUE(run.start(dipoleRequest(program.dir.path(), work.path())));
        QEventLoop loop;
        QTimer::singleShot(800, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(run.isRunning());
        EXPECT_EQ(program.logLines().size(), 2); // two engine runs at once
    }
    EXPECT_LT(clock.elapsed(), 15000);
}

// A 9-point sweep through srun on a Slurm cluster this machine reaches (skipped when
// sinfo names no usable node): the same impedances as without it, and every part's
// engine run is a Slurm job step (the runner logs its command line, srun runs it).
TEST(EngineRunner, NinePointSweepThroughSrun)
{
    QProcess sinfo;
    sinfo.start(QStringLiteral("sinfo"), {"-h", "-o", "%t"});
    if (!sinfo.waitForFinished(10000) || sinfo.exitCode() != 0
        || !QString::fromLatin1(sinfo.readAllStandardOutput()).contains(QRegularExpression("idle|mix|alloc")))
        GTEST_SKIP() << "no Slurm cluster reachable (sinfo)";
    RunnerFolder program("3", "set -- srun --ntasks=1 --quiet \"$@\"\n");
    expectSweepThroughRunner(program, 3);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
