// What the command-line tools never do to the user's files and machine: write an output
// over an input, leave an engine running after a signal or after their own death, or
// misread a command line.
#include "tests/support/EngineProcesses.h"
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <filesystem>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

using Result = testsupport::ToolResult;

const QString kSample = QStringLiteral(TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn");

Result runIn(const QString& folder, const QString& program, const QStringList& args)
{
    return testsupport::RunTool(program, args, folder);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A scratch folder with the antenna A.vrn, its deck D.nec, a hard link to the deck and
// a folder "antennas".
struct Scratch {
    QTemporaryDir dir;
    QString path = dir.path();
    Scratch()
    {
        QFile::copy(kSample, file("A.vrn"));
        runIn(path, PROGRAM_DIR "/vrn2nec", {"A.vrn", "D.nec"});
        QFile::link(file("D.nec"), file("soft.nec"));
        QDir(path).mkdir("antennas");
        QDir(path).mkdir("K");
    }
    QString file(const QString& name) const { return QDir(path).filePath(name); }
};

} // namespace

TEST(CommandSafety, NoOutputIsEverAnInput)
{
    Scratch s;
    ASSERT_TRUE(QFile::exists(s.file("D.nec")));
    QFile::copy(s.file("D.nec"), s.file("K/Outdata.txo"));
    QFile::copy(s.file("D.nec"), s.file("K/IndataGN.txo"));
    QFile::copy(s.file("A.vrn"), s.file("K/Indata.txo"));
    const struct {
        const char* tool;
        QStringList args;
        const char* message;
        const char* input; // stays as it was
    } cases[] = {
        {"necdeck", {"near", "--electric", "--points", "1,1,1", "--csv", "D.nec", "D.nec"},
         "The CSV file D.nec is the deck being read; nothing was written.", "D.nec"},
        {"necdeck", {"run", "--currents", "D.nec", "D.nec"},
         "The currents file D.nec is the deck being read; nothing was written.", "D.nec"},
        {"necdeck", {"run", "--currents", "soft.nec", "./D.nec"},
         "The currents file soft.nec is the deck ./D.nec being read; nothing was written.", "D.nec"},
        {"necdeck", {"sweep", "--keep", "K", "K/IndataGN.txo"},
         "The working file of the --keep folder K/IndataGN.txo is the deck being read; nothing was written.",
         "K/IndataGN.txo"},
        {"necdeck", {"run", "--keep", "K", "K/Outdata.txo"},
         "The working file of the --keep folder K/Outdata.txo is the deck being read; nothing was written.",
         "K/Outdata.txo"},
        {"necdeck", {"gf", "D.nec", "antennas/../D.nec"},
         "The Green's function file antennas/../D.nec is the deck D.nec being read; nothing was written.", "D.nec"},
        {"necdeck", {"view", "--png", "D.nec", "D.nec"},
         "The picture D.nec is the listing being read; nothing was written.", "D.nec"},
        {"necdeck", {"sweep", "--touchstone", "D.nec", "D.nec"},
         "The Touchstone file D.nec is the deck being read; nothing was written.", "D.nec"},
        {"necdeck", {"sweep", "--touchstone", "x.s1p", "--csv", "./x.s1p", "D.nec"},
         "The CSV file ./x.s1p is also the Touchstone file; nothing was written.", "D.nec"},
        {"necdeck", {"pattern", "--csv", "D.nec", "D.nec"},
         "The CSV file D.nec is the deck being read; nothing was written.", "D.nec"},
        {"necdeck", {"pattern", "--png", "K/Indata.txo", "--keep", "K", "D.nec"},
         "The working file of the --keep folder K/Indata.txo is also the picture; nothing was written.", "D.nec"},
        {"necdeck", {"optimize", "--vary", "length:1:1:99", "--goal", "x:1", "D.nec", "./D.nec"},
         "The tuned deck ./D.nec is the deck D.nec being read; nothing was written.", "D.nec"},
        {"vrn2nec", {"--run", "--currents", "A.vrn", "A.vrn"},
         "The currents file A.vrn is the antenna file being read; nothing was written.", "A.vrn"},
        {"vrn2nec", {"--run", "--keep", "K", "K/Indata.txo"},
         "The working file of the --keep folder K/Indata.txo is the antenna file being read; nothing was written.",
         "K/Indata.txo"},
        {"vrn2nec", {"A.vrn", "A.vrn"}, "The deck A.vrn is the antenna file being read; nothing was written.",
         "A.vrn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const QByteArray before = readAll(s.file(c.input));
        ASSERT_FALSE(before.isEmpty());
        const Result r = runIn(s.path, QStringLiteral(PROGRAM_DIR "/") + c.tool, c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, QString::fromUtf8(c.message) + "\n");
        EXPECT_EQ(readAll(s.file(c.input)), before);
    }
    // A formatter in place: the deck is read whole, then replaced atomically.
    const Result tidy = runIn(s.path, PROGRAM_DIR "/necdeck", {"tidy", "D.nec", "D.nec"});
    EXPECT_EQ(tidy.exitCode, 0) << tidy.err.toStdString();
}

// Writing a deck into a FIFO (read by another process), through a link, or into the
// tool's own standard output never replaces what is there.
TEST(CommandSafety, SpecialFilesAreWrittenIntoNotReplaced)
{
    Scratch s;
    ASSERT_EQ(::mkfifo(QFile::encodeName(s.file("fifo")).constData(), 0600), 0);
    QFile::link(s.file("fifo"), s.file("fifo-link"));
    const struct {
        const char* tool;
        QStringList args;
    } cases[] = {
        {"necdeck", {"tidy", "D.nec", "fifo"}},
        {"necdeck", {"tidy", "D.nec", "fifo-link"}},
        {"vrn2nec", {"A.vrn", "fifo-link"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess reader;
        reader.start("cat", {s.file("fifo")});
        ASSERT_TRUE(reader.waitForStarted());
        const Result r = runIn(s.path, QStringLiteral(PROGRAM_DIR "/") + c.tool, c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        ASSERT_TRUE(reader.waitForFinished(20000));
        EXPECT_TRUE(reader.readAllStandardOutput().startsWith("CE\r\nGW 1 "));
        EXPECT_TRUE(QFileInfo(s.file("fifo-link")).isSymLink());
        struct stat st {};
        EXPECT_TRUE(::stat(QFile::encodeName(s.file("fifo")).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    }
    // Standard output is the test's pipe here.
    const Result out = runIn(s.path, PROGRAM_DIR "/necdeck", {"tidy", "D.nec", "/dev/stdout"});
    EXPECT_EQ(out.exitCode, 0) << out.err.toStdString();
    EXPECT_EQ(QDir(s.path).entryList(QDir::Files | QDir::System).size(), 5) << "no temporary file left";
    ASSERT_EQ(runIn(s.path, PROGRAM_DIR "/necdeck", {"tidy", "D.nec", "T.nec"}).exitCode, 0);
    EXPECT_EQ(out.out.toLatin1(), readAll(s.file("T.nec")));

    if (::geteuid() != 0)
        return; // a device node needs root: made in the scratch folder, never /dev's own
    ASSERT_EQ(::mknod(QFile::encodeName(s.file("null")).constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    QFile::link(s.file("null"), s.file("null-link"));
    for (const char* tool : {"necdeck", "vrn2nec"}) {
        const QStringList args = QByteArray(tool) == "necdeck" ? QStringList{"tidy", "D.nec", "null-link"}
                                                                : QStringList{"A.vrn", "null-link"};
        const Result r = runIn(s.path, QStringLiteral(PROGRAM_DIR "/") + tool, args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        struct stat st {};
        EXPECT_TRUE(::stat(QFile::encodeName(s.file("null")).constData(), &st) == 0 && S_ISCHR(st.st_mode)) << tool;
        EXPECT_TRUE(QFileInfo(s.file("null-link")).isSymLink()) << tool;
    }
}

TEST(CommandSafety, CommandLinesANewUserGetsWrong)
{
    Scratch s;
    const struct {
        const char* tool;
        QStringList args;
        int code;
        const char* start; // of standard error, or of standard output for code 0
    } cases[] = {
        {"necdeck", {"run", "--help"}, 0, "usage: necdeck run "},
        {"necdeck", {"sweep", "D.nec", "--help"}, 0, "usage: necdeck sweep "},
        {"necdeck", {"near", "-h"}, 0, "usage: necdeck near "},
        {"necdeck", {"gf", "--help"}, 0, "usage: necdeck gf DECK OUT\n"},
        {"necdeck", {"tidy", "--help"}, 0, "usage: necdeck tidy DECK [OUT]\n"},
        {"necdeck", {"view", "--help"}, 0, "usage: necdeck view "},
        {"necdeck", {"run", "--bogus", "D.nec"}, 2, "Unknown option --bogus.\n"},
        {"necdeck", {"sweep", "-x", "D.nec"}, 2, "Unknown option -x.\n"},
        {"necdeck", {"near", "--electric", "--csv", "c.csv", "--bogus", "D.nec"}, 2, "Unknown option --bogus.\n"},
        {"necdeck", {"gf", "--bogus", "D.nec", "out"}, 2, "Unknown option --bogus.\n"},
        {"necdeck", {"view", "--dump", "--bogus", "D.nec"}, 2, "Unknown option --bogus.\n"},
        {"necdeck", {"pattern", "--help"}, 0, "usage: necdeck pattern "},
        {"necdeck", {"optimize", "--help"}, 0, "usage: necdeck optimize "},
        {"necdeck", {"optimize", "--bogus", "1", "D.nec", "out.nec"}, 2, "Unknown option --bogus.\n"},
        {"necdeck", {"optimize", "--goal", "x:1", "D.nec", "out.nec", "--vary"}, 2, "Option --vary needs a value.\n"},
        {"necdeck", {"pattern", "antennas"}, 1, "antennas is a folder, not a deck.\n"},
        {"necdeck", {"run", "D.nec", "--keep"}, 2, "Option --keep needs a value.\n"},
        {"necdeck", {"near", "--electric", "--magnetic", "--csv", "c.csv", "D.nec"}, 2,
         "Give --electric or --magnetic, not both.\n"},
        {"necdeck", {"run", "antennas"}, 1, "antennas is a folder, not a deck.\n"},
        {"necdeck", {"sweep", "antennas"}, 1, "antennas is a folder, not a deck.\n"},
        {"necdeck", {"near", "--magnetic", "--csv", "c.csv", "antennas"}, 1, "antennas is a folder, not a deck.\n"},
        {"necdeck", {"near", "--magnetic", "--csv", "antennas", "D.nec"}, 1, "antennas is a folder, not a CSV file.\n"},
        {"necdeck", {"gf", "antennas", "out"}, 1, "antennas is a folder, not a deck.\n"},
        {"necdeck", {"view", "--dump", "antennas"}, 1, "antennas is a folder, not a listing.\n"},
        {"necdeck", {"run", "--currents", "antennas", "D.nec"}, 1, "antennas is a folder, not a currents file.\n"},
        {"vrn2nec", {"antennas"}, 1, "antennas is a folder, not an antenna file.\n"},
        {"vrn2nec", {"--run", "antennas"}, 1, "antennas is a folder, not an antenna file.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Result r = runIn(s.path, QStringLiteral(PROGRAM_DIR "/") + c.tool, c.args);
        EXPECT_EQ(r.exitCode, c.code);
        EXPECT_TRUE((c.code == 0 ? r.out : r.err).startsWith(QString::fromUtf8(c.start)))
            << r.out.toStdString() << r.err.toStdString();
    }
}

// Folder names that are not valid UTF-8 keep their bytes.
TEST(CommandSafety, FolderNamesKeepTheirBytes)
{
    Scratch s;
    const QByteArray keep = QFile::encodeName(s.path) + "/keep-caf\xe9";
    const QByteArray diagrams = QFile::encodeName(s.path) + "/diagrams-\xff";
    const QByteArray program = PROGRAM_DIR "/necdeck";
    const QByteArray command = "cd '" + QFile::encodeName(s.path) + "' && '" + program + "' run --keep '" + keep
        + "' --diagrams '" + diagrams + "' D.nec >/dev/null";
    ASSERT_EQ(std::system(command.constData()), 0);
    EXPECT_EQ(std::system(("test -s '" + keep + "/Outdata.txo'").constData()), 0) << "the kept listing";
    EXPECT_EQ(std::system(("test -s '" + diagrams + "/D_NEC-2 RP_AZ.bmp'").constData()), 0) << "the diagram";
    // The toolkit cannot name these folders: counted and removed by their bytes.
    int folders = 0;
    for (const auto& entry : std::filesystem::directory_iterator(s.path.toStdString()))
        folders += entry.is_directory() ? 1 : 0;
    EXPECT_EQ(folders, 4) << "no folder of another name";
    std::filesystem::remove_all(keep.toStdString());
    std::filesystem::remove_all(diagrams.toStdString());
}

namespace {

// A copy of the program folder whose engine.conf names a stand-in engine that notes its
// process id and sleeps.
struct StandInProgram {
    QTemporaryDir root;
    QString folder = root.filePath("program");
    QString pids = root.filePath("engine.pids");
    QString temp = root.filePath("tmp");
    StandInProgram()
    {
        QDir().mkpath(folder);
        QDir().mkpath(temp);
        for (const char* name : {"necdeck", "vrn2nec", "libVRN_NEC.so", "GoNec.bat", "GoNecGN.bat", "GoNecRun.sh",
                                 "nec2c-classic"}) {
            const QString to = QDir(folder).filePath(QLatin1String(name));
            QFile::copy(QStringLiteral(PROGRAM_DIR "/") + name, to);
            QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        writeFile(QDir(folder).filePath("standin.sh"),
                  "#!/bin/sh\necho $$ >> '" + QFile::encodeName(pids) + "'\nexec sleep 1000\n");
        QFile(QDir(folder).filePath("standin.sh")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        writeFile(QDir(folder).filePath("engine.conf"),
                  "command=./standin.sh\nfiles=options\ngreens=yes\ngreens_file=NGF2D.NEC\n");
    }

    // Starts a tool in `work` and waits until its engine runs; the engines' ids.
    QList<qint64> start(QProcess& tool, const QString& work, const QStringList& args)
    {
        QFile::remove(pids);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TMPDIR", temp);
        tool.setProcessEnvironment(environment);
        tool.setWorkingDirectory(work);
        tool.start(QDir(folder).filePath(args.first()), args.mid(1));
        QElapsedTimer waited;
        waited.start();
        while (readAll(pids).isEmpty() && waited.elapsed() < 20000)
            QThread::msleep(20);
        QThread::msleep(100);
        QList<qint64> ids;
        for (const QByteArray& line : readAll(pids).split('\n'))
            if (!line.trimmed().isEmpty())
                ids.push_back(line.trimmed().toLongLong());
        return ids;
    }
};

// True when every engine has ended within the time; the ones left are then ended here,
// so a failing test leaves nothing running.
bool allGoneWithin(const QList<qint64>& ids, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds) {
        if (std::all_of(ids.begin(), ids.end(), ProcessGone))
            return true;
        QThread::msleep(50);
    }
    for (qint64 id : ids)
        ::kill(static_cast<pid_t>(id), SIGKILL);
    return false;
}

const QStringList kEngineRuns[] = {
    {"necdeck", "run", "D.nec"},
    {"necdeck", "sweep", "--points", "5", "D.nec"},
    {"necdeck", "near", "--electric", "--points", "2,2,2", "--csv", "c.csv", "D.nec"},
    {"necdeck", "gf", "D.nec", "out.gf"},
    {"necdeck", "pattern", "D.nec"},
    {"vrn2nec", "--run", "A.vrn"},
};

} // namespace

TEST(CommandSafety, EverySignalStopsTheEnginesAndRemovesTheWorkingFolder)
{
    Scratch s;
    StandInProgram program;
    int signalIndex = 0;
    for (const QStringList& args : kEngineRuns) {
        const int signal = std::array{SIGINT, SIGTERM, SIGHUP}[static_cast<std::size_t>(signalIndex++ % 3)];
        SCOPED_TRACE((args.join(' ') + " signal " + QString::number(signal)).toStdString());
        QProcess tool;
        const QList<qint64> engines = program.start(tool, s.path, args);
        ASSERT_FALSE(engines.isEmpty()) << "the stand-in engine never started";
        EXPECT_FALSE(LeftInFolder(program.temp).isEmpty()) << "the working folder";
        ::kill(static_cast<pid_t>(tool.processId()), signal);
        ASSERT_TRUE(tool.waitForFinished(20000));
        EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tool.exitCode(), 128 + signal);
        EXPECT_EQ(QString::fromLocal8Bit(tool.readAllStandardError()), QStringLiteral("NEC-2 run was stopped.\n"));
        EXPECT_TRUE(allGoneWithin(engines, 5000)) << "an engine keeps running";
        EXPECT_TRUE(LeftInFolder(program.temp).isEmpty()) << LeftInFolder(program.temp).join(' ').toStdString();
    }
}

// SIGKILL cannot be caught: the engines still end with their parent, and what the
// killed run left behind does not trip the next run.
TEST(CommandSafety, NoEngineOutlivesAKilledParent)
{
    Scratch s;
    StandInProgram program;
    for (const QStringList& args : kEngineRuns) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QProcess tool;
        const QList<qint64> engines = program.start(tool, s.path, args);
        ASSERT_FALSE(engines.isEmpty()) << "the stand-in engine never started";
        tool.kill(); // SIGKILL
        ASSERT_TRUE(tool.waitForFinished(20000));
        EXPECT_TRUE(allGoneWithin(engines, 5000)) << "an engine outlived its parent";
    }
    QProcess killed;
    ASSERT_FALSE(program.start(killed, s.path, {"necdeck", "run", "--keep", "K", "D.nec"}).isEmpty());
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(20000));

    // The real engine, with the same temporary and --keep folders.
    QProcess next;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", program.temp);
    for (const QStringList& args : {QStringList{"run", "--keep", "K", "D.nec"}, QStringList{"run", "D.nec"}}) {
        next.setProcessEnvironment(environment);
        next.setWorkingDirectory(s.path);
        next.start(PROGRAM_DIR "/necdeck", args);
        ASSERT_TRUE(next.waitForFinished(120000));
        EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
        EXPECT_TRUE(next.readAllStandardOutput().contains("Source in wire N 1:"));
    }
}
