#include "engine/Calculation.h"
#include "engine/EngineRun.h"
#include "tests/support/ScriptFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

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

// engine.conf reaches nothing outside the working folder, and what it gets wrong is
// said plainly before any engine starts.
TEST(EngineScripts, EngineConfIsCheckedBeforeTheEngineStarts)
{
    QTemporaryDir dir;
    const QString victim = dir.filePath("victim.txt"); // outside the working folder
    writeScript(dir.filePath("standin.sh"), "touch started; exit 3");
    const QByteArray standIn = "command=" + QFile::encodeName(dir.filePath("standin.sh")) + "\n";
    const struct {
        QByteArray conf;
        const char* message; // empty: the engine starts (and the stand-in exits 3)
    } cases[] = {
        {standIn, ""},
        {"  # indented comment\r\n\r\n" + standIn.trimmed() + "  \r\n files = options \r\ngreens = yes\r\n", ""},
        {standIn + "greens=yes\ngreens_file=NGF2D.NEC\n", ""},
        {standIn + "greens=yes\ngreens_file=" + QFile::encodeName(victim) + "\n", "greens_file= must be a plain file name"},
        {standIn + "greens=yes\ngreens_file=../victim.txt\n", "greens_file= must be a plain file name"},
        {standIn + "greens_file=..\n", "greens_file= must be a plain file name"},
        {standIn + "greens_file= . \n", "greens_file= must be a plain file name"},
        {standIn + "greens_file=-rf\n", "greens_file= must be a plain file name"},
        {standIn + "greens_file=\n", "greens_file= must be a plain file name"},
        {standIn + "greens=yes\ngreens_file=Indata.txo\n", "greens_file= cannot be Indata.txo, a file of the run itself"},
        {"command=\n", "command= is empty (line 1)"},
        {"command=   \n", "command= is empty (line 1)"},
        {standIn + "comand=nec2c\n", "unknown key 'comand' (line 2)"},
        {standIn + "files=both\n", "files= takes options or stdin, not 'both'"},
        {standIn + "greens=maybe\n", "greens= takes yes or no, not 'maybe'"},
        {standIn + "just words\n", "line 2 is not key=value: just words"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.conf.toStdString());
        QTemporaryDir work;
        writeFile(work.filePath("Indata.txo"), "CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nEN\n");
        writeFile(work.filePath("engine.conf"), c.conf);
        writeFile(victim, "the user's own file");
        QProcess script;
        script.setWorkingDirectory(work.path());
        script.start(QStringLiteral(PROGRAM_DIR "/GoNec.bat"), {});
        ASSERT_TRUE(script.waitForFinished(20000));
        const QString err = QString::fromLocal8Bit(script.readAllStandardError());
        if (*c.message == '\0') {
            EXPECT_EQ(script.exitCode(), 3) << err.toStdString();
            EXPECT_TRUE(QFile::exists(work.filePath("started")));
        } else {
            EXPECT_EQ(script.exitCode(), engine::kEngineConfExitCode);
            EXPECT_TRUE(err.startsWith("engine.conf: ")) << err.toStdString();
            EXPECT_TRUE(err.contains(QString::fromUtf8(c.message))) << err.toStdString();
            EXPECT_FALSE(QFile::exists(work.filePath("started"))) << "the engine started";
        }
        EXPECT_TRUE(QFile::exists(victim)) << "a file outside the working folder was touched";
    }
}

// An engine without Green's function files is never started on a deck whose WG or GF
// card comes before EN, in either letter case; such a card after EN does not count.
TEST(EngineScripts, GreensCardsBeforeTheEndAreRefusedWithoutGreensSupport)
{
    QTemporaryDir dir;
    writeScript(dir.filePath("standin.sh"), "touch started; exit 3");
    const QByteArray conf = "command=" + QFile::encodeName(dir.filePath("standin.sh")) + "\ngreens=no\n";
    const struct {
        const char* deck;
        bool refused;
    } cases[] = {
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nEN\n", false},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nWG\nEN\n", true},
        {"CE\ngf 0\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nEN\n", true},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nEN\nGF 0\nWG\n", false},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nen\nwg\n", false},
        {"CM WG and GF in a comment are not cards\nCE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nEN\n", false},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE\nWg\nGF\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deck);
        QTemporaryDir work;
        writeFile(work.filePath("Indata.txo"), c.deck);
        writeFile(work.filePath("engine.conf"), conf);
        QProcess script;
        script.setWorkingDirectory(work.path());
        script.start(QStringLiteral(PROGRAM_DIR "/GoNec.bat"), {});
        ASSERT_TRUE(script.waitForFinished(20000));
        EXPECT_EQ(script.exitCode(), c.refused ? engine::kGreenFunctionUnsupportedExitCode : 3);
        EXPECT_EQ(QFile::exists(work.filePath("started")), !c.refused);
    }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
