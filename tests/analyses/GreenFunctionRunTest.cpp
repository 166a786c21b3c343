// The run that writes Ngf2d.nec, through the real engine scripts in a program folder
// with a blank and a non-ASCII letter in its path: the engine named in engine.conf (a
// stand-in classic engine, or nec2c), the one message for an engine that cannot handle
// Green's function files, and an old Ngf2d.nec that survives every failed run.
#include "analyses/GreenFunctionRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

void writeFile(const QString& path, const QByteArray& text, bool executable = false)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    if (executable)
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

struct ProgramFolder {
    QTemporaryDir root;
    QString path = root.filePath(QStringLiteral("Program Files/VRN NEC ü"));
    ProgramFolder()
    {
        QDir().mkpath(path);
        for (const char* name : {"GoNec.bat", "GoNecGN.bat", "GoNecRun.sh", "nec2c-classic"}) {
            QFile::copy(QStringLiteral(PROGRAM_DIR "/") + name, file(name));
            QFile(file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    QString file(const char* name) const { return QDir(path).filePath(QLatin1String(name)); }
};

// A classic engine: file names on standard input, the Green's function file under its
// own name. It records what it read on a GF card.
const QByteArray kStandIn = "#!/bin/sh\nread in\nread out\n"
                            "if grep -q '^GF' \"$in\"; then cp NGF2D.NEC gf-read.txt || exit 1; fi\n"
                            "if grep -q '^WG' \"$in\"; then printf 'new file\\n' > NGF2D.NEC; fi\n"
                            "cp '" TEST_DATA_DIR "/listings/classic/green_write.out' \"$out\"\n";
const QByteArray kClassicConf = "# a classic engine\r\ncommand=./engine/stand in.sh\r\nfiles=stdin\r\ngreens=yes\r\n"
                                "greens_file=NGF2D.NEC\r\n";

const std::vector<std::string> kDeck = {"CE",
                                        "GW 1 21 0 -5.25 10 0 5.25 10 0.001",
                                        "GE 1",
                                        "GN 1",
                                        "FR 0 1 0 0 14",
                                        "EX 0 1 11 0 1",
                                        "RP 0 1 1 1000 0 0 0 0",
                                        "EN"};

} // namespace

TEST(GreenFunctionRun, EngineChosenInEngineConf)
{
    struct Case {
        const char* what;
        QByteArray conf;   // empty: no engine.conf (nec2c)
        QByteArray engine; // the stand-in's body; empty: none
        bool readsFile;    // the deck holds a GF card
        bool written;
        const char* message;
        QByteArray fileAfter;
    };
    const char* unsupported = "The NEC-2 engine cannot write or read Green function files (WG and GF cards).";
    const Case cases[] = {
        {"classic engine writes", kClassicConf, kStandIn, false, true, "", "new file\n"},
        {"classic engine reads and writes", kClassicConf, kStandIn, true, true, "", "new file\n"},
        {"nec2c, no engine.conf", "", "", false, false, unsupported, "old file"},
        {"nec2c refuses by itself (251)", "command=nec2c\nfiles=options\ngreens=yes\n", "", false, false, unsupported,
         "old file"},
        {"engine fails", kClassicConf, "#!/bin/sh\nexit 1\n", false, false, "Unable to start NEC-2.", "old file"},
        {"engine writes no file", kClassicConf,
         "#!/bin/sh\nread in\nread out\ncp '" TEST_DATA_DIR "/listings/classic/green_write.out' \"$out\"\n", false,
         false, "Green function file Ngf2d.nec not created. See NEC-2 output file for details.", "old file"},
        {"reading engine writes no file", kClassicConf,
         "#!/bin/sh\nread in\nread out\ncp '" TEST_DATA_DIR "/listings/classic/green_write.out' \"$out\"\n", true,
         false, "Green function file Ngf2d.nec not created. See NEC-2 output file for details.", "old file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder program;
        if (!c.conf.isEmpty())
            writeFile(program.file("engine.conf"), c.conf);
        if (!c.engine.isEmpty()) {
            QDir(program.path).mkdir(QStringLiteral("engine"));
            writeFile(program.file("engine/stand in.sh"), c.engine, true);
        }
        writeFile(program.file("Ngf2d.nec"), "old file");
        std::vector<std::string> deck = kDeck;
        if (c.readsFile)
            deck.insert(deck.begin() + 1, "GF");

        analyses::GreenFunctionRun run;
        if (run.start(deck, program.path))
            run.calculation().waitForFinished();
        const analyses::GreenFunctionRunResult result = run.finish();
        EXPECT_EQ(result.written, c.written);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(readFile(program.file("Ngf2d.nec")), c.fileAfter);
        EXPECT_FALSE(QFile::exists(analyses::GreenFunctionRun::asidePath(program.path)));
        EXPECT_FALSE(QFile::exists(program.file("NGF2D.NEC")));
        if (c.readsFile && c.written) {
            EXPECT_EQ(readFile(program.file("gf-read.txt")), "old file"); // copied to the engine's name first
        }
        const QByteArray deckRun = readFile(program.file("IndataGN.txo"));
        EXPECT_TRUE(deckRun.endsWith("GN 1\r\nFR 0 1 0 0 14\r\nWG\r\nEN\r\n")) << deckRun.constData();
    }
}

TEST(GreenFunctionRun, OldFileThatCannotBePutAsideStopsTheRun)
{
    ProgramFolder program;
    writeFile(program.file("engine.conf"), kClassicConf);
    QDir(program.path).mkdir(QStringLiteral("engine"));
    writeFile(program.file("engine/stand in.sh"), kStandIn, true);
    writeFile(program.file("Ngf2d.nec"), "old file");
    // A folder where the old file would go.
    QDir(program.path).mkdir(QStringLiteral("Ngf2d.nec.old"));
    writeFile(program.file("Ngf2d.nec.old/x"), "");

    analyses::GreenFunctionRun run;
    EXPECT_FALSE(run.start(kDeck, program.path));
    const analyses::GreenFunctionRunResult result = run.finish();
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.engineEnded);
    EXPECT_NE(result.message.find("cannot be removed"), std::string::npos) << result.message;
    EXPECT_EQ(readFile(program.file("Ngf2d.nec")), "old file");
    EXPECT_FALSE(QFile::exists(program.file("IndataGN.txo")));
}

// A run killed while the old file was aside left it under its other name: the next run
// puts it back first, whatever that run then does.
TEST(GreenFunctionRun, AFileLeftAsideByAKilledRunComesBack)
{
    const struct {
        QByteArray engine;
        QByteArray fileAfter;
    } cases[] = {{"#!/bin/sh\nexit 1\n", "old file"}, {kStandIn, "new file\n"}};
    for (const auto& c : cases) {
        ProgramFolder program;
        writeFile(program.file("engine.conf"), kClassicConf);
        QDir(program.path).mkdir(QStringLiteral("engine"));
        writeFile(program.file("engine/stand in.sh"), c.engine, true);
        writeFile(program.file("Ngf2d.nec.old"), "old file");
        analyses::GreenFunctionRun run;
        if (run.start(kDeck, program.path))
            run.calculation().waitForFinished();
        run.finish();
        EXPECT_EQ(readFile(program.file("Ngf2d.nec")), c.fileAfter);
        EXPECT_FALSE(QFile::exists(program.file("Ngf2d.nec.old")));
    }
}

// The engine runs report through the event loop of a Qt application.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
