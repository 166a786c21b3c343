// vrn2nec --run: the calculation without a window, through the same reader, drawing
// and export code as the program.
#include "engine/ListingReader.h"
#include "results/RunTexts.h"
#include "tests/support/EngineProcesses.h"
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using namespace vrnnec;

namespace {

using Result = testsupport::ToolResult;

Result runTool(const QString& program, const QStringList& args)
{
    return testsupport::RunTool(program, args);
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
    const Result r = runTool(kTool,
                             {"--run", "--keep", keep, "--diagrams", dir.filePath("d"), "--currents",
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
    for (const std::string& line : results::FormatRunTexts(output, inputs, reference).memos.impedanceScreen)
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

namespace {

// A copy of the program folder in a path with a blank and a non-ASCII letter; with a
// script body, GoNec.bat is replaced by a stand-in.
QString copyProgramFolder(const QTemporaryDir& root, const QByteArray& fakeEngine = {})
{
    const QString folder = root.filePath(QStringLiteral("Program Files/VRN NEC ü"));
    QDir().mkpath(folder);
    for (const char* name : {"vrn2nec", "libVRN_NEC.so", "GoNec.bat", "GoNecGN.bat", "GoNecRun.sh", "nec2c-classic"}) {
        const QString to = QDir(folder).filePath(QLatin1String(name));
        QFile::copy(QStringLiteral(PROGRAM_DIR "/") + name, to);
        QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (!fakeEngine.isEmpty()) {
        QFile script(QDir(folder).filePath(QStringLiteral("GoNec.bat")));
        script.open(QIODevice::WriteOnly | QIODevice::Truncate);
        script.write("#!/bin/sh\n" + fakeEngine + "\n");
    }
    return folder;
}

} // namespace

TEST(Vrn2NecRun, ProgramFolderWithABlankAndAnUmlaut)
{
    QTemporaryDir root;
    const QString folder = copyProgramFolder(root);
    const Result r = runTool(QDir(folder).filePath("vrn2nec"), {"--run", sample("dipole_14mhz_free_space.vrn")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("Frequency:   14.15  MHz\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("Source in wire N 1:")) << r.out.toStdString();
}

TEST(Vrn2NecRun, AWireOfZeroLengthNeverReachesTheEngine)
{
    QTemporaryDir root;
    const QString marker = root.filePath("engine-started");
    const QString folder = copyProgramFolder(root, "touch '" + marker.toUtf8() + "'; exit 0");
    QFile antenna(root.filePath("zero.vrn"));
    ASSERT_TRUE(antenna.open(QIODevice::WriteOnly));
    antenna.write("Zero wire\r\n*** Frequency (MHz) ***\r\n14\r\n*** Wires ***\r\n2\r\n"
                  "0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1\r\n1,\t1,\t1,\t1,\t1,\t1,\t0.001,\t-1\r\n"
                  "*** Sources ***\r\n1\r\nw1c,\t0,\t1\r\n*** Loads ***\r\n0,\t1\r\n"
                  "*** Segmentation density ***\r\n400,\t40,\t2,\t1\r\n"
                  "*** Ground (type, height, material, R, -, -, X) ***\r\n0,\t0,\t0,\t50,\t0,\t0,\t0\r\n");
    antenna.close();
    const Result r = runTool(QDir(folder).filePath("vrn2nec"), {"--run", antenna.fileName()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("The wire with tag 2 ")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(marker));
}

TEST(Vrn2NecRun, SigtermStopsTheEngineAndRemovesTheWorkingFolder)
{
    QTemporaryDir root;
    const QString pidFile = root.filePath("engine.pid");
    const QString folder = copyProgramFolder(root, "sleep 1000 &\necho $! > '" + pidFile.toUtf8() + "'\nwait");
    const QString temp = root.filePath("tmp");
    QDir().mkpath(temp);

    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temp);
    tool.setProcessEnvironment(environment);
    tool.start(QDir(folder).filePath("vrn2nec"), {"--run", sample("dipole_14mhz_free_space.vrn")});
    ASSERT_TRUE(tool.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(pidFile) || QFile(pidFile).size() == 0) {
        ASSERT_LT(waited.elapsed(), 20000) << "the stand-in engine never started";
        QThread::msleep(20);
    }
    QThread::msleep(50);
    QFile pid(pidFile);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    const qint64 enginePid = pid.readAll().trimmed().toLongLong();
    ASSERT_GT(enginePid, 0);
    EXPECT_FALSE(ProcessGone(enginePid));
    EXPECT_EQ(LeftInFolder(temp).size(), 1) << "the working folder";

    tool.terminate(); // SIGTERM
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 128 + 15);
    EXPECT_EQ(QString::fromLocal8Bit(tool.readAllStandardError()), QStringLiteral("NEC-2 run was stopped.\n"));
    waited.restart();
    while (!ProcessGone(enginePid) && waited.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_TRUE(ProcessGone(enginePid)) << "the engine keeps running";
    EXPECT_TRUE(LeftInFolder(temp).isEmpty()) << "the working folder stays";
}
