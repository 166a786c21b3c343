// The fast engine nec2c-blas against nec2c: every deck of the test data that nec2c runs
// gives the same listing values through both engines (impedances, currents, patterns,
// near fields, power budgets) to the last printed digit, one unit allowed.
#include "ListingCompare.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Deck {
    std::string name;   // the test's name: folder_deck
    std::string path;
};

std::vector<Deck> decks()
{
    std::vector<Deck> out;
    for (const auto& [folder, prefix] : {std::pair{"decks", "fixture_"}, std::pair{"examples/decks", "example_"}}) {
        const std::filesystem::path dir = std::filesystem::path(TEST_DATA_DIR) / folder;
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            if (entry.path().extension() == ".nec")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            std::string name = prefix + file.stem().string();
            std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
            out.push_back({name, file.string()});
        }
    }
    return out;
}

// The name in test listings.
void PrintTo(const Deck& deck, std::ostream* out)
{
    *out << deck.name;
}

struct EngineRun {
    int exitCode = -1;
    bool finished = false;
    std::vector<std::string> lines;
};

// Runs `engine` on a copy of the deck in a folder of its own (short relative names, as
// the engine scripts give them).
EngineRun runEngine(const QString& engine, const std::string& deck, const QString& folder)
{
    EngineRun run;
    QDir().mkpath(folder);
    const QString input = QDir(folder).filePath(QStringLiteral("in.nec"));
    if (!QFile::copy(QString::fromStdString(deck), input))
        return run;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(engine, {QStringLiteral("-i"), QStringLiteral("in.nec"), QStringLiteral("-o"), QStringLiteral("out.txt")});
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.finished = true;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    QFile listing(QDir(folder).filePath(QStringLiteral("out.txt")));
    if (listing.open(QIODevice::ReadOnly))
        for (const QByteArray& line : listing.readAll().split('\n'))
            run.lines.push_back(line.toStdString());
    return run;
}

class EngineEquality : public testing::TestWithParam<Deck> {};

TEST_P(EngineEquality, SameListingValuesAsNec2c)
{
    const QString fast = QDir(QStringLiteral(PROGRAM_DIR)).filePath(QStringLiteral("nec2c-blas"));
    if (!QFileInfo(fast).isExecutable())
        GTEST_SKIP() << "the fast engine nec2c-blas was not built (Debian's nec2c source or LAPACKE/OpenBLAS "
                        "missing): there is nothing to compare";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const EngineRun reference = runEngine(QStringLiteral(NEC2C_PROGRAM), GetParam().path, scratch.filePath(QStringLiteral("nec2c")));
    const EngineRun candidate = runEngine(fast, GetParam().path, scratch.filePath(QStringLiteral("fast")));
    ASSERT_TRUE(reference.finished) << "nec2c did not finish";
    ASSERT_TRUE(candidate.finished) << "nec2c-blas did not finish";
    ASSERT_EQ(candidate.exitCode, reference.exitCode) << "the engines end differently";
    if (reference.exitCode != 0) {
        RecordProperty("not_compared", "nec2c refuses the deck with exit " + std::to_string(reference.exitCode));
        return;
    }
    ASSERT_FALSE(reference.lines.empty());
    const listingcompare::Comparison comparison = listingcompare::compare(reference.lines, candidate.lines);
    std::string report;
    for (std::size_t i = 0; i < comparison.differences.size() && i < 20; ++i)
        report += comparison.differences[i] + "\n";
    EXPECT_TRUE(comparison.differences.empty())
        << comparison.differences.size() << " lines differ (nec2c | nec2c-blas), the first ones:\n" << report;
    if (comparison.singular) {
        std::cout << "[   NOTE   ] the matrix is singular (PIVOT warnings): only the listing up to the first "
                     "warning and the warned pivots are compared\n";
        RecordProperty("singular", "values after the PIVOT warnings not compared");
    }
}

// A program reading the listing of a running sweep (its progress) finds every finished
// frequency on disk, and no block cut in the middle: the engine is killed as soon as its
// first block shows, and what it left holds whole blocks only.
TEST(FastEngineListing, ShowsEachFinishedFrequencyWhileRunning)
{
    const QString fast = QDir(QStringLiteral(PROGRAM_DIR)).filePath(QStringLiteral("nec2c-blas"));
    if (!QFileInfo(fast).isExecutable())
        GTEST_SKIP() << "the fast engine nec2c-blas was not built";
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    {
        QFile deck(scratch.filePath(QStringLiteral("sweep.nec")));
        ASSERT_TRUE(deck.open(QIODevice::WriteOnly));
        deck.write("CM sweep\nCE\nGW 1 100 -2 -5.3 0 -2 5.3 0 0.001\nGW 2 100 0 -5.15 0 0 5.15 0 0.001\n"
                   "GW 3 100 2 -4.9 0 2 4.9 0 0.001\nGE 0\nEX 0 2 50 0 1 0\nFR 0 400 0 0 13 0.005\nPT -1\nXQ\nEN\n");
    }
    const QString listing = scratch.filePath(QStringLiteral("sweep.out"));
    QProcess engine;
    engine.setWorkingDirectory(scratch.path());
    engine.start(fast, {QStringLiteral("-isweep.nec"), QStringLiteral("-osweep.out")});
    ASSERT_TRUE(engine.waitForStarted());
    const auto count = [](const QByteArray& text, const char* what) { return text.count(what); };
    QByteArray text;
    while (engine.state() == QProcess::Running) {
        QFile file(listing);
        if (file.open(QIODevice::ReadOnly) && count(text = file.readAll(), "FREQUENCY :") >= 1)
            break;
        engine.waitForFinished(5);
    }
    ASSERT_EQ(engine.state(), QProcess::Running) << "the engine ended before its first block showed";
    engine.kill();
    engine.waitForFinished();
    QFile file(listing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    text = file.readAll();
    const int blocks = count(text, "FREQUENCY :");
    EXPECT_GE(blocks, 1);
    EXPECT_LT(blocks, 400);
    EXPECT_EQ(count(text, "EFFICIENCY"), blocks) << "a block was cut";
    EXPECT_TRUE(text.trimmed().endsWith("Percent")) << text.right(200).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Decks, EngineEquality, testing::ValuesIn(decks()),
                         [](const testing::TestParamInfo<Deck>& info) { return info.param.name; });

} // namespace
