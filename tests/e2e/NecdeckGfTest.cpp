// necdeck gf: the Green's function file of a deck, through a copy of the program folder
// in a path with a blank and a non-ASCII letter: refused by nec2c with OUT untouched,
// written by a classic engine named in engine.conf.
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using Result = testsupport::ToolResult;

QString programFolder(const QTemporaryDir& root)
{
    const QString folder = root.filePath(QStringLiteral("Program Files/VRN NEC ü"));
    QDir().mkpath(folder);
    for (const char* name : {"necdeck", "libVRN_NEC.so", "GoNec.bat", "GoNecGN.bat", "GoNecRun.sh", "nec2c-classic"}) {
        const QString to = QDir(folder).filePath(QLatin1String(name));
        QFile::copy(QStringLiteral(PROGRAM_DIR "/") + name, to);
        QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

Result necdeck(const QString& folder, const QStringList& args)
{
    return testsupport::RunTool(QDir(folder).filePath(QStringLiteral("necdeck")), args);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

const QString kDeck = QStringLiteral(TEST_DATA_DIR "/decks/green_write.nec");

} // namespace

TEST(NecdeckGf, EngineThatCannotWriteTheFileLeavesOutAlone)
{
    QTemporaryDir root;
    const QString folder = programFolder(root);
    const QString out = root.filePath(QStringLiteral("out ü.nec"));
    writeFile(out, "old bytes");
    const Result r = necdeck(folder, {QStringLiteral("gf"), kDeck, out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.trimmed(), "The NEC-2 engine cannot write or read Green function files (WG and GF cards).");
    EXPECT_EQ(readFile(out), "old bytes");
    // The run took place in a temporary folder, not in the program folder.
    EXPECT_FALSE(QFile::exists(QDir(folder).filePath(QStringLiteral("IndataGN.txo"))));
}

// A card the Green's function run cannot take is named with its line; OUT stays.
TEST(NecdeckGf, RefusedCardIsNamedWithItsLine)
{
    QTemporaryDir root;
    const QString folder = programFolder(root);
    const struct {
        QByteArray deck;
        const char* message;
    } cases[] = {
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGE 0\nQQ 1 2\nEN\n",
         "Incorrect card are present.\nLine 4 (QQ): this card cannot be used here."},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\n\nGE 0\nEN\n", "Incorrect card are present.\nLine 3: the line is empty."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const QString deck = root.filePath(QStringLiteral("refused.nec"));
        const QString out = root.filePath(QStringLiteral("out.nec"));
        writeFile(deck, c.deck);
        writeFile(out, "old bytes");
        const Result r = necdeck(folder, {QStringLiteral("gf"), deck, out});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.trimmed(), QString::fromLatin1(c.message));
        EXPECT_EQ(readFile(out), "old bytes");
    }
}

TEST(NecdeckGf, ClassicEngineNamedInEngineConf)
{
    QTemporaryDir root;
    const QString folder = programFolder(root);
    writeFile(QDir(folder).filePath(QStringLiteral("engine.conf")),
              "command=./classic engine\nfiles=stdin\ngreens=yes\ngreens_file=NGF2D.NEC\n");
    const QString engine = QDir(folder).filePath(QStringLiteral("classic engine"));
    writeFile(engine,
              "#!/bin/sh\nread in\nread out\ngrep -q '^WG' \"$in\" && printf 'green of %s\\n' \"$in\" > NGF2D.NEC\n"
              "cp '" TEST_DATA_DIR "/listings/classic/green_write.out' \"$out\"\n");
    QFile(engine).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString out = root.filePath(QStringLiteral("out.nec"));
    writeFile(out, "old bytes");

    const Result r = necdeck(folder, {QStringLiteral("gf"), kDeck, out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(out), "green of IndataGN.txo\n");

    EXPECT_EQ(necdeck(folder, {QStringLiteral("gf"), kDeck}).exitCode, 2);
    EXPECT_EQ(necdeck(folder, {QStringLiteral("gf"), root.filePath("missing.nec"), out}).exitCode, 1);
}
