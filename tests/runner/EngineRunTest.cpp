#include "engine/EngineRun.h"
#include "tests/support/ScriptFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

void writeScript(const QString& path, const QByteArray& body)
{
    ASSERT_TRUE(testsupport::writeScript(path, body));
}

} // namespace

TEST(RunCommandLine, ExitCodesAndWorkingFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeScript(dir.filePath("ok.sh"), "pwd > where.txt; exit 0");
    writeScript(dir.filePath("fails.sh"), "exit 3");
    const QString before = QDir::currentPath();

    EXPECT_EQ(engine::RunCommandLine("ok.sh", 0, true, dir.path()), 0);
    EXPECT_EQ(QDir::currentPath(), before) << "the caller's own folder never changes";
    QFile where(dir.filePath("where.txt"));
    ASSERT_TRUE(where.open(QIODevice::ReadOnly));
    EXPECT_EQ(QDir(QString::fromLocal8Bit(where.readAll().trimmed())).canonicalPath(),
              QDir(dir.path()).canonicalPath());

    EXPECT_EQ(engine::RunCommandLine("fails.sh", 0, true, dir.path()), 3);
    EXPECT_EQ(engine::RunCommandLine("no-such-program-here", 0, true, dir.path()), -1);
    EXPECT_EQ(engine::RunCommandLine(QString(256, 'x'), 0, true, dir.path()), -1);
}

TEST(EngineRun, StopEndsAnEngineThatNeverFinishes)
{
    QTemporaryDir dir;
    writeScript(dir.filePath("GoNec.bat"), "sleep 1000 & wait");
    engine::EngineRun run;
    ASSERT_TRUE(run.start(dir.filePath("GoNec.bat"), dir.path()));
    EXPECT_TRUE(run.isRunning());

    QEventLoop loop;
    QObject::connect(&run, &engine::EngineRun::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(200, [&] { run.stop(); });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    loop.exec();
    EXPECT_LT(timer.elapsed(), 9000);
    EXPECT_FALSE(run.isRunning());
    EXPECT_TRUE(run.wasStopped());
    EXPECT_EQ(run.exitCode(), -1);
}

TEST(EngineRun, ReportsTheScriptsExitCode)
{
    QTemporaryDir dir;
    writeScript(dir.filePath("GoNec.bat"), "[ -f Indata.txo ] && exit 0; exit 7");
    engine::EngineRun run;
    QEventLoop loop;
    QObject::connect(&run, &engine::EngineRun::finished, &loop, &QEventLoop::quit);
    ASSERT_TRUE(run.start(dir.filePath("GoNec.bat"), dir.path()));
    loop.exec();
    EXPECT_EQ(run.exitCode(), 7);

    QFile(dir.filePath("Indata.txo")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(run.start(dir.filePath("GoNec.bat"), dir.path()));
    loop.exec();
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_FALSE(run.wasStopped());

    EXPECT_FALSE(run.start(dir.filePath("missing.bat"), dir.path()));
}

// The shipped scripts with the real engine: a dipole deck gives a classic listing.
TEST(EngineScripts, RealEngineLeavesBothListings)
{
    const QString programDir = QStringLiteral(PROGRAM_DIR);
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA_DIR) + "/decks/dipole_free.nec", dir.filePath("Indata.txo")));
    EXPECT_EQ(engine::RunCommandLine(programDir + "/GoNec.bat", 0, true, dir.path()), 0);
    QFile listing(dir.filePath("Outdata.txo"));
    ASSERT_TRUE(listing.open(QIODevice::ReadOnly));
    const QByteArray text = listing.readAll();
    EXPECT_TRUE(text.contains("- - - ANTENNA INPUT PARAMETERS - - -"));
    EXPECT_TRUE(QFile::exists(dir.filePath("Outdata.nec2c.txo")));

    // No deck: the script fails, and so does the run.
    QTemporaryDir empty;
    EXPECT_NE(engine::RunCommandLine(programDir + "/GoNec.bat", 0, true, empty.path()), 0);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
