// The sweep's exports with the real engine: gain and F/B of every point against
// single-frequency runs of the tool, the one-port Touchstone file against the listing's
// impedances, and the two-port file of a symmetric array against a run with one source.
#include "analyses/SweepDeck.h"
#include "analyses/SweepRun.h"
#include "analyses/Touchstone.h"

#include "common/TextLines.h"
#include "engine/Calculation.h"
#include "engine/SweepListing.h"
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sstream>

using namespace vrnnec;

namespace {

const QString kDecks = QStringLiteral(TEST_DATA_DIR "/decks/");

using ToolRun = testsupport::ToolResult;

ToolRun necdeck(const QStringList& args)
{
    return testsupport::RunTool(QStringLiteral(PROGRAM_DIR "/necdeck"), args);
}

// A copy of a sample deck with its lines changed by `edit` (an empty result drops the line).
QString editedDeck(const QString& name, const QString& folder, const QString& as,
                   const std::function<std::string(const std::string&)>& edit)
{
    std::vector<std::string> lines;
    textlines::readAllLines((kDecks + name).toStdString(), lines);
    std::string text;
    for (const std::string& line : lines)
        if (const std::string changed = edit(line); !changed.empty())
            text += changed + "\n";
    const QString path = QDir(folder).filePath(as);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.c_str());
    return path;
}

std::vector<double> numbers(const QString& line)
{
    std::vector<double> out;
    std::istringstream in(line.toStdString());
    for (double v; in >> v;)
        out.push_back(v);
    return out;
}

} // namespace

TEST(SweepExport, GainAndFrontToBackEqualSingleFrequencyRuns)
{
    QTemporaryDir folder;
    const ToolRun sweep = necdeck({"sweep", "--points", "3", "--band", "600", "--gain", "--csv",
                                   QDir(folder.path()).filePath("sweep.csv"), kDecks + "yagi3_loads.nec"});
    ASSERT_EQ(sweep.exitCode, 0) << sweep.err.toStdString();
    const QStringList lines = sweep.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "MHz\tTag\tR\tX\tSWR\tGain\tF/B");
    for (int j = 1; j <= 3; ++j) {
        const QStringList cells = lines[j].split('\t');
        ASSERT_EQ(cells.size(), 7) << lines[j].toStdString();
        const std::string mhz = cells[0].toStdString();
        const QString deck = editedDeck("yagi3_loads.nec", folder.path(), QStringLiteral("at%1.nec").arg(j),
                                        [&](const std::string& line) {
                                            return line.rfind("FR", 0) == 0 ? "FR 0 1 0 0 " + mhz + " 0" : line;
                                        });
        const ToolRun single = necdeck({"run", deck});
        ASSERT_EQ(single.exitCode, 0) << single.err.toStdString();
        const QString expected = QStringLiteral("Max Gain: %1 dBi  at azimuth: ").arg(cells[5]);
        EXPECT_TRUE(single.out.contains(expected)) << mhz << "\n" << single.out.toStdString();
        EXPECT_TRUE(single.out.contains(QStringLiteral("F/B: %1 dB").arg(cells[6]))) << mhz;
    }
    QFile csv(QDir(folder.path()).filePath("sweep.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList csvLines = QString::fromLatin1(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(csvLines.size(), 4);
    EXPECT_EQ(csvLines[0], "MHz,Tag,R,X,SWR,Gain dBi,F/B dB");
    EXPECT_EQ(csvLines[2], QString(lines[2]).replace('\t', ','));

    // Without the deck's pattern pair the gain is refused.
    const ToolRun refused = necdeck({"sweep", "--gain", kDecks + "sweep_two_sources.nec"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith("RP strings (cards) in NEC-2 input code were incorrect")) << refused.err.toStdString();
}

TEST(SweepExport, OnePortFileHoldsS11OfTheListedImpedances)
{
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath("dipole.s1p");
    for (const char* format : {"ri", "ma", "db"}) {
        SCOPED_TRACE(format);
        const ToolRun sweep = necdeck({"sweep", "--points", "7", "--swr-reference", "75,0", "--touchstone", file,
                                       "--format", format, "--keep", folder.path(), kDecks + "dipole_free.nec"});
        ASSERT_EQ(sweep.exitCode, 0) << sweep.err.toStdString();
        const engine::SweepListing listing =
            engine::ReadSweepListing(QDir(folder.path()).filePath("Outdata.txo").toStdString(), 7, false);
        ASSERT_TRUE(listing.ok()) << listing.message;
        const analyses::MeasuredSweep read = analyses::ReadTouchstoneOnePort(file.toStdString());
        ASSERT_TRUE(read.ok()) << read.message;
        EXPECT_EQ(read.reference, 75);
        ASSERT_EQ(read.s11.size(), 7u);
        const analyses::SweepSettings settings{14, 0.4, 7, {}};
        for (std::size_t j = 0; j < 7; ++j) {
            const engine::SourceRow& row = listing.blocks[j].sources.at(0);
            const analyses::Complex s =
                analyses::ReflectionCoefficient({*row.impedanceReal, *row.impedanceImaginary}, 75);
            EXPECT_NEAR(std::abs(read.s11[j] - s), 0, 1e-6) << j;
            EXPECT_NEAR(read.frequency[j], settings.frequency(static_cast<int>(j)), 1e-9);
        }
    }
    // A reference with a reactance is refused before anything runs.
    const ToolRun refused = necdeck(
        {"sweep", "--swr-reference", "50,10", "--touchstone", file + "x", kDecks + "dipole_free.nec"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith("Touchstone files take a real reference impedance only"));
    EXPECT_FALSE(QFile::exists(file + "x"));
    // Two outputs into one file, or an output over the deck, are refused.
    const ToolRun same = necdeck({"sweep", "--touchstone", file, "--csv", file, kDecks + "dipole_free.nec"});
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_EQ(same.err, "The CSV file " + file + " is also the Touchstone file; nothing was written.\n");
    const QString deckCopy = QDir(folder.path()).filePath("deck.nec");
    QFile::copy(kDecks + "dipole_free.nec", deckCopy);
    const ToolRun overDeck = necdeck({"sweep", "--csv", deckCopy, deckCopy});
    EXPECT_EQ(overDeck.exitCode, 1);
    EXPECT_EQ(overDeck.err, "The CSV file " + deckCopy + " is the deck being read; nothing was written.\n");
    QFile kept(deckCopy);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().startsWith("CE"));
}

TEST(SweepExport, TwoPortFileOfASymmetricArrayIsReciprocalAndMatchesAShortedRun)
{
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath("array.s2p");
    const ToolRun sweep =
        necdeck({"sweep", "--points", "3", "--ports", "--touchstone", file, "--keep", folder.path(),
                 kDecks + "two_dipoles.nec"});
    ASSERT_EQ(sweep.exitCode, 0) << sweep.err.toStdString();
    // The port solutions ride on the sweep: its table is the plain sweep's, and the working
    // folder holds no further run folders.
    const ToolRun plain = necdeck({"sweep", "--points", "3", kDecks + "two_dipoles.nec"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_EQ(sweep.out, plain.out);
    EXPECT_EQ(QDir(folder.path()).entryList({"port-*", "sweep-*"}, QDir::AllEntries), QStringList());
    QFile s2p(file);
    ASSERT_TRUE(s2p.open(QIODevice::ReadOnly));
    std::vector<std::vector<double>> rows;
    for (const QString& line : QString::fromLatin1(s2p.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('#'))
            EXPECT_EQ(line, "# MHZ S RI R 50");
        else if (!line.startsWith('!'))
            rows.push_back(numbers(line));
    }
    ASSERT_EQ(rows.size(), 3u);
    // The middle point is 14 MHz: the frequency of the single-source run below.
    const std::vector<double>& mid = rows[1];
    ASSERT_EQ(mid.size(), 9u);
    EXPECT_EQ(mid[0], 14);
    analyses::ComplexMatrix s(2);
    s.at(0, 0) = {mid[1], mid[2]};
    s.at(1, 0) = {mid[3], mid[4]};
    s.at(0, 1) = {mid[5], mid[6]};
    s.at(1, 1) = {mid[7], mid[8]};
    EXPECT_LE(std::abs(s.at(0, 1) - s.at(1, 0)), 1e-4);
    EXPECT_LE(std::abs(s.at(0, 0) - s.at(1, 1)), 1e-4);
    EXPECT_GT(std::abs(s.at(0, 1)), 0.1); // the dipoles are coupled

    // One source, the other dipole's feed a plain (shorted) segment.
    const QString single = editedDeck("two_dipoles.nec", folder.path(), "single.nec", [](const std::string& line) {
        return line.rfind("EX 0 2", 0) == 0 ? std::string() : line;
    });
    std::vector<std::string> deck;
    textlines::readAllLines(single.toStdString(), deck);
    engine::CalculationRequest request;
    request.programFolder = QStringLiteral(PROGRAM_DIR);
    request.workingFolder = folder.path();
    request.auxiliary = true;
    request.deckText = analyses::DeckFileText(deck);
    engine::Calculation calculation;
    const engine::CalculationResult& result = calculation.run(request);
    ASSERT_EQ(result.outcome, engine::CalculationOutcome::Finished) << result.message;
    const engine::SourceRow& row = result.listing.blocks.at(0).sources.at(0);
    const analyses::Complex y11 = 1.0 / analyses::Complex(*row.impedanceReal, *row.impedanceImaginary);
    const auto y = analyses::AdmittanceFromScattering(s, 50);
    ASSERT_TRUE(y);
    EXPECT_LE(std::abs(y->at(0, 0) - y11) / std::abs(y11), 1e-4) << y->at(0, 0) << " " << y11;

    // The 3-port layout: one matrix row per line.
    const QString three = editedDeck("two_dipoles.nec", folder.path(), "three.nec", [](const std::string& line) {
        return line.rfind("EX 0 2", 0) == 0 ? line + "\nEX 0 1 5 0 1 0" : line;
    });
    const ToolRun sweep3 = necdeck({"sweep", "--points", "3", "--ports", "--format", "ma", "--touchstone",
                                    QDir(folder.path()).filePath("three.s3p"), three});
    ASSERT_EQ(sweep3.exitCode, 0) << sweep3.err.toStdString();
    QFile s3p(QDir(folder.path()).filePath("three.s3p"));
    ASSERT_TRUE(s3p.open(QIODevice::ReadOnly));
    int dataLines = 0;
    for (const QString& line : QString::fromLatin1(s3p.readAll()).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith('!') && !line.startsWith('#')) {
            ++dataLines;
            EXPECT_EQ(numbers(line).size(), line.startsWith(' ') ? 6u : 7u) << line.toStdString();
        }
    EXPECT_EQ(dataLines, 9);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
