// vrn2nec --run: the calculation without a window, through the same reader, drawing
// and export code as the program.
#include "engine/ListingReader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result runTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(240000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

QString sample(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/vrn/") + QLatin1String(name);
}

const QString kTool = QStringLiteral(PROGRAM_DIR "/vrn2nec");

} // namespace

TEST(Vrn2NecRun, PrintsTheSummaryAndSavesDiagramsAndCurrents)
{
    QTemporaryDir dir;
    const QString keep = dir.filePath("work");
    const Result r = runTool(kTool, {"--run", "--keep", keep, "--diagrams", dir.filePath("d"), "--currents",
                                     dir.filePath("c.csv"), sample("yagi3_21mhz_stacked_2_high.vrn")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    // Exactly the lines the reader gives for the kept listing.
    engine::SwrReference reference{50, 0};
    engine::ReadingInputs inputs;
    inputs.runNumber = 1;
    inputs.antennaHeight = 14;
    const engine::EngineOutput output =
        engine::ReadEngineOutput(QDir(keep).filePath("Outdata.txo").toStdString(), inputs, reference);
    ASSERT_TRUE(output.succeeded()) << output.message;
    QString expected;
    for (const std::string& line : output.memos.impedanceScreen)
        expected += QString::fromStdString(line) + "\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_TRUE(r.out.contains("Source in wire N 2:")) << "the stack's lower Yagi is fed on tag 2";
    EXPECT_TRUE(r.out.contains("Source in wire N 5:")) << "and its copy on tag 5";
    EXPECT_TRUE(QFile::exists(QDir(keep).filePath("Indata.txo")));
    EXPECT_TRUE(QFile::exists(QDir(keep).filePath("Outdata.nec2c.txo")));

    const QImage azimuth(dir.filePath("d/yagi3_21mhz_stacked_2_high_NEC-2 RP_AZ.bmp"), "BMP");
    const QImage elevation(dir.filePath("d/yagi3_21mhz_stacked_2_high_NEC-2 RP_EL.bmp"), "BMP");
    EXPECT_EQ(azimuth.size(), QSize(350, 350));
    EXPECT_EQ(elevation.size(), QSize(350, 175));

    QFile csv(dir.filePath("c.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
    EXPECT_EQ(lines.size(), 1 + 2 * 60) << "header and one line per segment of both Yagis";
    EXPECT_EQ(lines.first().trimmed(), "WIRE,PULSE,X(m),Y(m),Z(m),REAL(A),IMAGINARY(A),MAGNITUDE(A),PHASE(DEG)");
}

TEST(Vrn2NecRun, TheFilesReferenceImpedanceAndMessages)
{
    Result r = runTool(kTool, {"--run", sample("dipole_21mhz_75ohm_reference.vrn")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("SWR(75+j0)=")) << r.out.toStdString();

    r = runTool(kTool, {"--run", "/no/such/antenna.vrn"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("VORNA file not found:  /no/such/antenna.vrn\n")) << "nothing but the message";
    EXPECT_TRUE(r.out.isEmpty());

    r = runTool(kTool, {"--run", "--polarization", "x", sample("dipole_21mhz_75ohm_reference.vrn")});
    EXPECT_EQ(r.exitCode, 2);
    r = runTool(kTool, {"--diagrams", "/tmp", sample("dipole_21mhz_75ohm_reference.vrn")});
    EXPECT_EQ(r.exitCode, 2) << "the run options need --run";
}

// A program folder moved elsewhere, whose engine script fails.
TEST(Vrn2NecRun, AFailedEngineRunIsReported)
{
    QTemporaryDir program;
    for (const char* name : {"vrn2nec", "libVRN_NEC.so"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(PROGRAM_DIR "/") + name, program.filePath(name)));
    QFile(program.filePath("vrn2nec")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QFile script(program.filePath("GoNec.bat"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nexit 1\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);

    const Result r = runTool(program.filePath("vrn2nec"), {"--run", sample("dipole_14mhz_free_space.vrn")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Unable to start NEC-2.")) << r.err.toStdString();
}
