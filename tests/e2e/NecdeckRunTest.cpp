// necdeck run with the real engine: the same summary as vrn2nec --run for a converted
// deck, the pair check with and without angles, the refusal of several frequencies, and
// command lines and outputs the tools cannot serve.
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using Result = testsupport::ToolResult;

Result runTool(const QString& program, const QStringList& args)
{
    return testsupport::RunTool(program, args);
}

const QString kVrn2Nec = QStringLiteral(PROGRAM_DIR "/vrn2nec");
const QString kNecdeck = QStringLiteral(PROGRAM_DIR "/necdeck");
const QString kSample = QStringLiteral(TEST_DATA_DIR "/vrn/dipole_21mhz_75ohm_reference.vrn");

// Converts the sample into `path`.
void convert(const QString& path)
{
    const Result r = runTool(kVrn2Nec, {kSample, path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
}

// The deck's lines with `edit` applied, written to `path`.
void rewriteDeck(const QString& from, const QString& path, const std::function<void(QStringList&)>& edit)
{
    QFile in(from);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromLatin1(in.readAll()).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    edit(lines);
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(lines.join(QStringLiteral("\r\n")).toLatin1());
}

} // namespace

TEST(NecdeckRun, AConvertedDeckGivesTheSummaryOfTheAntennaRun)
{
    QTemporaryDir dir;
    const QString deck = dir.filePath("dipole.nec");
    convert(deck);
    const Result direct = runTool(kNecdeck, {"run", "--swr-reference", "75,0", deck});
    ASSERT_EQ(direct.exitCode, 0) << direct.err.toStdString();
    const Result antenna = runTool(kVrn2Nec, {"--run", kSample});
    ASSERT_EQ(antenna.exitCode, 0) << antenna.err.toStdString();
    EXPECT_EQ(direct.out, antenna.out);
    EXPECT_TRUE(direct.out.contains("Elevation angle: 20.0 deg")) << direct.out.toStdString();

    const Result at50 = runTool(kNecdeck, {"run", deck});
    ASSERT_EQ(at50.exitCode, 0) << at50.err.toStdString();
    EXPECT_NE(at50.out, direct.out) << "the SWR reference reaches the summary";
}

TEST(NecdeckRun, MissingPatternCardsAreRewrittenOnlyWithBothAngles)
{
    QTemporaryDir dir;
    const QString converted = dir.filePath("dipole.nec");
    convert(converted);
    const QString deck = dir.filePath("norp.nec");
    rewriteDeck(converted, deck, [](QStringList& lines) {
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString& l) { return l.startsWith(QStringLiteral("RP")); }),
                    lines.end());
    });

    const Result refused = runTool(kNecdeck, {"run", "--elevation", "35", deck});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("RP strings (cards) in NEC-2 input code were incorrect (or missing)."))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());

    const QString keep = dir.filePath("work");
    const Result ran = runTool(kNecdeck, {"run", "--elevation", "35", "--azimuth", "0", "--keep", keep, deck});
    ASSERT_EQ(ran.exitCode, 0) << ran.err.toStdString();
    EXPECT_TRUE(ran.out.contains("Elevation angle: 35.0 deg")) << ran.out.toStdString();
    QFile written(QDir(keep).filePath("Indata.txo"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("RP 0 1 360 1000 55 0 0 1\r\nRP 0 181 1 1000 90 0 -1 0\r\nEN"));
}

TEST(NecdeckRun, ADeckOfThreeFrequenciesIsRefused)
{
    QTemporaryDir dir;
    const QString converted = dir.filePath("dipole.nec");
    convert(converted);
    const QString deck = dir.filePath("sweep.nec");
    rewriteDeck(converted, deck, [](QStringList& lines) {
        for (QString& l : lines)
            if (l.startsWith(QStringLiteral("FR ")))
                l = QStringLiteral("FR 0 3 0 0 21 0.1");
    });
    const QString keep = dir.filePath("work");
    const Result r = runTool(kNecdeck, {"run", "--keep", keep, deck});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("A direct NEC-2 run takes one frequency")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(QDir(keep).filePath("Outdata.txo"))) << "the engine did not run";
}

// Example 3 with its pattern cards moved after XQ breaks the engine's heap: the run must
// end and say so (the fast engine used to wait forever in its exit handlers).
TEST(NecdeckRun, AnEngineThatCrashesEndsTheRunAndSaysSo)
{
    const Result r = runTool(kNecdeck, {"run", "--elevation", "20", "--azimuth", "0",
                                        QStringLiteral(TEST_DATA_DIR "/examples/decks/example3.nec")});
    ASSERT_NE(r.exitCode, -1) << "the run never ended";
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Unable to start NEC-2.\nThe engine crashed on this deck (an abort, exit code 6)."))
        << r.err.toStdString();
}

// Command lines and outputs the tools cannot serve, on the converted sample deck.
class NecdeckRefusal : public testing::Test {
protected:
    void SetUp() override { convert(deck); }
    bool engineRan() const { return QFile::exists(QDir(keep).filePath("Outdata.txo")); }
    QTemporaryDir dir;
    const QString deck = dir.filePath("dipole.nec");
    const QString keep = dir.filePath("work");
};

// Options that shape a file nobody asked for, and an SWR reference whose R is not above 0
// (0 + j0 was taken as 50 ohm, a negative R printed "inf"), are refused before any run.
TEST_F(NecdeckRefusal, CommandLinesThatCannotBeServed)
{
    const QString tuned = dir.filePath("tuned.nec");
    const QString ports = "Options --ports and --format go with --touchstone.";
    const QString reference = "Invalid value for --swr-reference: ";
    const std::pair<QStringList, QString> cases[] = {
        {{"run", "--keep", keep, deck, "--polarization", "total"}, "Option --polarization goes with --diagrams."},
        {{"sweep", "--ports", "--keep", keep, deck}, ports},
        {{"sweep", "--format", "ma", "--csv", dir.filePath("s.csv"), "--keep", keep, deck}, ports},
        {{"run", "--keep", keep, "--swr-reference", "0,0", deck}, reference + "0,0"},
        {{"run", "--keep", keep, "--swr-reference", "-0,0", deck}, reference + "-0,0"},
        {{"sweep", "--keep", keep, "--touchstone", dir.filePath("s.s1p"), "--swr-reference", "-50,0", deck},
         reference + "-50,0"},
        {{"optimize", "--vary", "length:1:6:8", "--goal", "swr:1", "--evaluations", "2", "--swr-reference", "0,25", deck,
          tuned},
         reference + "0,25"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const Result r = runTool(kNecdeck, args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.startsWith(message)) << r.err.toStdString();
        EXPECT_FALSE(engineRan());
        for (const QString& output : {dir.filePath("s.csv"), dir.filePath("s.s1p"), tuned})
            EXPECT_FALSE(QFile::exists(output)) << output.toStdString();
    }
    const Result small = runTool(kNecdeck, {"run", "--swr-reference", "0.5,-3", deck});
    ASSERT_EQ(small.exitCode, 0) << small.err.toStdString();
    EXPECT_TRUE(small.out.contains("SWR(0.5-j3)=")) << small.out.toStdString();
}

// An output whose folder is missing is refused before the engine runs (an optimisation
// would lose its deck at its end) and before any other output is written.
TEST_F(NecdeckRefusal, AnOutputThatCannotBeWrittenStopsTheCommandBeforeTheEngine)
{
    const QString earlier = dir.filePath("earlier.csv");
    const QString missing = dir.filePath("no such folder/out");
    const struct {
        QString program;
        QStringList args;
    } cases[] = {
        {kNecdeck, {"run", "--keep", keep, "--currents", missing, deck}},
        {kNecdeck, {"sweep", "--keep", keep, "--csv", earlier, "--touchstone", missing, deck}},
        {kNecdeck, {"optimize", "--vary", "length:1:6:8", "--goal", "x:1", "--evaluations", "3", deck, missing}},
        {kVrn2Nec, {"--run", "--keep", keep, "--currents", missing, kSample}},
    };
    {
        QFile old(earlier);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("the user's table\n") > 0);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const Result r = runTool(c.program, c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.trimmed().toStdString(), "Unable to write to " + missing.toStdString());
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        QFile old(earlier);
        EXPECT_TRUE(old.open(QIODevice::ReadOnly) && old.readAll() == "the user's table\n");
        EXPECT_FALSE(engineRan());
    }
    // A diagrams folder is made when missing, with the folders above it.
    const Result r = runTool(kNecdeck, {"run", "--diagrams", missing, "--currents", earlier, deck});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(missing).isDir());
}

// What a tool prints is what a script reads: when it cannot all be written, the tool
// fails instead of reporting success with half a file.
TEST_F(NecdeckRefusal, StandardOutputThatCannotBeWrittenIsAFailure)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a device node needs root: made in the scratch folder, never /dev's own";
    const QString full = dir.filePath("full");
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0
        || !QFile(full).open(QIODevice::WriteOnly))
        GTEST_SKIP() << "no device node can be made and opened here (a container without mknod, a nodev mount)";
    const std::pair<QString, QStringList> cases[] = {
        {kNecdeck, {"tidy", deck}}, {kVrn2Nec, {kSample, dir.filePath("converted.nec")}}};
    for (const auto& [program, args] : cases)
        for (const bool toFull : {false, true}) {
            SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
            QProcess tool;
            tool.setStandardOutputFile(toFull ? full : dir.filePath("out.txt"));
            tool.start(program, args);
            ASSERT_TRUE(tool.waitForFinished(240000));
            const QString err = QString::fromLocal8Bit(tool.readAllStandardError());
            EXPECT_EQ(tool.exitCode(), toFull ? 1 : 0) << err.toStdString();
            EXPECT_EQ(err.contains(QLatin1String("Unable to write to standard output")), toFull) << err.toStdString();
        }
}
