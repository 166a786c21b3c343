// The frequency sweep with the real engine: its impedances against single-frequency
// runs, two sources, the parts of a parallel sweep against one process, and the
// command-line tool.
#include "analyses/SweepRun.h"

#include "common/TextLines.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace vrnnec;

namespace {

std::vector<std::string> deckLines(const char* name)
{
    std::vector<std::string> lines;
    textlines::readAllLines(std::string(TEST_DATA_DIR) + "/decks/" + name, lines);
    return lines;
}

analyses::SweepResult sweep(const char* deckName, const analyses::SweepSettings& settings, int processes,
                            const QString& folder)
{
    std::vector<std::string> deck = deckLines(deckName);
    EXPECT_EQ(analyses::PrepareSweepDeck(deck, settings), "");
    analyses::SweepRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder;
    request.deck = deck;
    request.settings = settings;
    request.processes = processes;
    analyses::SweepRun run;
    return run.run(request);
}

// R and X of the first source of a single-frequency run of `deckName` at `mhz`.
std::pair<double, double> singleRun(const char* deckName, double mhz, const QString& folder)
{
    std::vector<std::string> deck;
    for (const std::string& line : deckLines(deckName))
        deck.push_back(line.rfind("FR", 0) == 0 ? "FR 0 1 0 0 " + std::to_string(mhz) + " 0" : line);
    engine::CalculationRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder;
    request.auxiliary = true;
    request.deckText = analyses::DeckFileText(deck);
    engine::Calculation calculation;
    const engine::CalculationResult& result = calculation.run(request);
    EXPECT_EQ(result.outcome, engine::CalculationOutcome::Finished) << result.message;
    if (result.listing.blocks.empty() || result.listing.blocks[0].sources.empty())
        return {NAN, NAN};
    const engine::SourceRow& row = result.listing.blocks[0].sources[0];
    return {row.impedanceReal.value_or(NAN), row.impedanceImaginary.value_or(NAN)};
}

} // namespace

TEST(SweepRun, ImpedancesEqualThoseOfSingleFrequencyRuns)
{
    QTemporaryDir folder;
    const analyses::SweepSettings settings{14, 1, 5};
    const analyses::SweepResult result = sweep("dipole_free.nec", settings, 1, folder.path());
    ASSERT_EQ(result.outcome, analyses::SweepOutcome::Finished) << result.message;
    ASSERT_EQ(result.listing.message, "");
    ASSERT_EQ(result.listing.blocks.size(), 5u);
    EXPECT_EQ(result.listing.sourceTags, (std::vector<long long>{1}));
    for (int j = 0; j < 5; ++j) {
        SCOPED_TRACE(j);
        const auto [r, x] = singleRun("dipole_free.nec", settings.frequency(j), folder.path());
        const engine::SourceRow& row = result.listing.blocks[static_cast<std::size_t>(j)].sources.at(0);
        EXPECT_NEAR(*row.impedanceReal, r, 1e-4 * std::abs(r));
        EXPECT_NEAR(*row.impedanceImaginary, x, 1e-4 * std::abs(x) + 1e-4);
    }
}

TEST(SweepRun, TwoSourcesAndAParallelSweepEqualToOneProcess)
{
    QTemporaryDir serialFolder, parallelFolder;
    const analyses::SweepSettings settings{14, 0.4, 7};
    const analyses::SweepResult serial = sweep("sweep_two_sources.nec", settings, 1, serialFolder.path());
    const analyses::SweepResult parallel = sweep("sweep_two_sources.nec", settings, 3, parallelFolder.path());
    ASSERT_EQ(serial.outcome, analyses::SweepOutcome::Finished) << serial.message;
    ASSERT_EQ(parallel.outcome, analyses::SweepOutcome::Finished) << parallel.message;
    ASSERT_EQ(serial.listing.message, "");
    ASSERT_EQ(parallel.listing.message, "");
    EXPECT_EQ(serial.listing.sourceTags, (std::vector<long long>{3, 5}));
    EXPECT_EQ(parallel.listing.sourceTags, serial.listing.sourceTags);
    ASSERT_EQ(serial.listing.blocks.size(), 7u);
    ASSERT_EQ(parallel.listing.blocks.size(), 7u);
    for (std::size_t j = 0; j < 7; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(parallel.listing.blocks[j].listedFrequency, serial.listing.blocks[j].listedFrequency);
        ASSERT_EQ(serial.listing.blocks[j].sources.size(), 2u);
        ASSERT_EQ(parallel.listing.blocks[j].sources.size(), 2u);
        for (std::size_t s = 0; s < 2; ++s) {
            EXPECT_EQ(parallel.listing.blocks[j].sources[s].tag, serial.listing.blocks[j].sources[s].tag);
            EXPECT_EQ(parallel.listing.blocks[j].sources[s].impedanceReal,
                      serial.listing.blocks[j].sources[s].impedanceReal);
            EXPECT_EQ(parallel.listing.blocks[j].sources[s].impedanceImaginary,
                      serial.listing.blocks[j].sources[s].impedanceImaginary);
        }
    }
}

TEST(SweepRun, EveryPartUsesTheEngineConfOfTheWorkingFolder)
{
    // The working folder's engine.conf names an engine that always fails: a serial and
    // a parallel sweep both run it instead of the program folder's default.
    for (int processes : {1, 2}) {
        SCOPED_TRACE(processes);
        QTemporaryDir folder;
        QFile conf(QDir(folder.path()).filePath(QStringLiteral("engine.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("command=false\nfiles=options\n");
        conf.close();
        const analyses::SweepResult result = sweep("dipole_free.nec", {14, 1, 4}, processes, folder.path());
        EXPECT_EQ(result.outcome, analyses::SweepOutcome::Failed) << result.message;
    }
}

TEST(SweepRun, EachEngineOfAParallelSweepFactorsOnOneThread)
{
    // The working folder's engine notes the BLAS threads it was given, then runs nec2c.
    const QByteArray inherited = qgetenv("OPENBLAS_NUM_THREADS");
    for (int processes : {1, 2}) {
        SCOPED_TRACE(processes);
        QTemporaryDir folder;
        const QString notes = QDir(folder.path()).filePath(QStringLiteral("threads.txt"));
        const QString engine = QDir(folder.path()).filePath(QStringLiteral("engine.sh"));
        QFile script(engine);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"${OPENBLAS_NUM_THREADS:-every}\" >>'" + notes.toUtf8() + "'\nexec nec2c \"$@\"\n");
        script.close();
        ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QFile conf(QDir(folder.path()).filePath(QStringLiteral("engine.conf")));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("command=" + engine.toUtf8() + "\nfiles=options\n");
        conf.close();
        const analyses::SweepResult result = sweep("dipole_free.nec", {14, 1, 4}, processes, folder.path());
        EXPECT_EQ(result.outcome, analyses::SweepOutcome::Finished) << result.message;
        QFile noted(notes);
        ASSERT_TRUE(noted.open(QIODevice::ReadOnly));
        const QByteArray expected = processes == 1 ? (inherited.isEmpty() ? "every" : inherited) : "1";
        EXPECT_EQ(noted.readAll(), QByteArray(expected + "\n").repeated(processes));
    }
}

TEST(SweepRun, StopEndsEveryEngineAsAStoppedRun)
{
    // The 3000-segment deck takes many seconds per frequency.
    QTemporaryDir folder;
    std::vector<std::string> deck = deckLines("big.nec");
    const analyses::SweepSettings settings{14, 0.4, 5};
    ASSERT_EQ(analyses::PrepareSweepDeck(deck, settings), "");
    analyses::SweepRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder.path();
    request.deck = deck;
    request.settings = settings;
    request.processes = 2;
    analyses::SweepRun run;
    int reportedPoints = 0;
    QObject::connect(&run, &analyses::SweepRun::progress, [&](int done, int points, int) {
        EXPECT_LE(done, points);
        reportedPoints = points;
        run.stop();
    });
    QElapsedTimer clock;
    clock.start();
    const analyses::SweepResult& result = run.run(request);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(result.outcome, analyses::SweepOutcome::Stopped);
    EXPECT_EQ(result.message, engine::kStoppedMessage);
    EXPECT_EQ(reportedPoints, 5);
    EXPECT_TRUE(result.listing.blocks.empty());
}

TEST(SweepRun, TheToolPrintsEveryRowAndTheAxisTitles)
{
    QTemporaryDir folder;
    QProcess tool;
    tool.start(QStringLiteral(PROGRAM_DIR "/necdeck"),
               {"sweep", "--centre", "14", "--band", "200", "--points", "5", "--keep", folder.path(),
                QStringLiteral(TEST_DATA_DIR "/decks/sweep_two_sources.nec")});
    ASSERT_TRUE(tool.waitForFinished(120000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QStringList lines = QString::fromLatin1(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 5 * 2 + 2 + 2);
    EXPECT_EQ(lines[0], "MHz\tTag\tR\tX\tSWR");
    EXPECT_TRUE(lines[1].startsWith("13.9\t3\t")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("13.9\t5\t")) << lines[2].toStdString();
    EXPECT_TRUE(lines[9].startsWith("14.1\t3\t")) << lines[9].toStdString();
    // Tag 3 has a negative resistance at these frequencies: no finite SWR.
    EXPECT_EQ(lines[11], "Tag 3: SWR,  Max=inf");
    EXPECT_TRUE(lines[12].startsWith("Tag 5: SWR,  Max=1.")) << lines[12].toStdString();
    EXPECT_EQ(lines[13], "Tag 3: no SWR");
    EXPECT_TRUE(lines[14].startsWith("Tag 5: minimum SWR 1.")) << lines[14].toStdString();
    EXPECT_TRUE(lines[14].endsWith(" MHz")) << lines[14].toStdString();
    EXPECT_TRUE(QFile::exists(QDir(folder.path()).filePath("IndataGN.txo")));

    // Frequencies the engine would loop on are refused before anything is written.
    QTemporaryDir refused;
    tool.start(
        QStringLiteral(PROGRAM_DIR "/necdeck"),
        {"sweep", "--centre", "0.1", "--keep", refused.path(), QStringLiteral(TEST_DATA_DIR "/decks/dipole_free.nec")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_EQ(tool.readAllStandardError().trimmed(), "Incorrect value of Band Width!");
    EXPECT_FALSE(QFile::exists(QDir(refused.path()).filePath("IndataGN.txo")));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
