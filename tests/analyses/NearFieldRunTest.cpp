// The near-field run the window and necdeck near share: the refusals before anything
// runs, the prepared deck the engine gets, and the saved field block.
#include "analyses/NearFieldRun.h"
#include "tests/support/ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

void writeScript(const QString& path, const QByteArray& body)
{
    ASSERT_TRUE(testsupport::writeScript(path, body));
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

const std::vector<std::string> kDeck = {"CE", "GW 1 21 0 -5 0 0 5 0 0.001", "GE 0", "FR 0 1 0 0 14 0",
                                        "EX 0 1 11 0 1 0", "RP 0 1 360 1000 70 0 0 1", "EN"};

} // namespace

TEST(NearFieldRun, RefusesBeforeItRuns)
{
    results::NearFieldGrid empty;
    empty.points[1] = 0;
    const struct {
        std::vector<std::string> deck;
        results::NearFieldGrid grid;
        const char* message;
    } cases[] = {
        {kDeck, empty, results::nearfieldmessages::kNoPoints},
        {{"CE", "GW 1 21 0 -5 0 0 5 0 0.001", "FR 0 1 0 0 14 0", "XQ", "FR 0 1 0 0 21 0", "EN"},
         {},
         results::nearfieldmessages::kSeveralFrequencies},
        {{"CE", "ZZ 1", "EN"}, {}, "Incorrect card are present.\nLine 2 (ZZ): this card cannot be used here."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        analyses::NearFieldRun run;
        EXPECT_EQ(run.prepare(c.deck, results::NearField::Electric, c.grid), c.message);
        EXPECT_FALSE(run.start(QStringLiteral("/nonexistent")));
        EXPECT_FALSE(run.finished());
        EXPECT_EQ(run.message(), c.message);
    }
    analyses::NearFieldRun unprepared;
    EXPECT_FALSE(unprepared.start(QStringLiteral("/nonexistent")));
    EXPECT_FALSE(unprepared.message().empty());
}

TEST(NearFieldRun, RunsThePreparedDeckAndSavesTheField)
{
    QTemporaryDir program;
    QTemporaryDir work;
    writeScript(QDir(program.path()).filePath("GoNecGN.bat"),
                "cp IndataGN.txo seen.txo && cp '" TEST_DATA_DIR "/listings/classic/near_electric.out' Outdata.txo");
    analyses::NearFieldRun run;
    results::NearFieldGrid grid;
    grid.points[0] = -2; // taken absolute
    ASSERT_EQ(run.prepare(kDeck, results::NearField::Electric, grid), "");
    ASSERT_TRUE(run.start(program.path(), work.path()));
    run.calculation().waitForFinished();
    ASSERT_TRUE(run.finished()) << run.message();
    EXPECT_EQ(readFile(QDir(work.path()).filePath("seen.txo")),
              "CE\r\nGW 1 21 0 -5 0 0 5 0 0.001\r\nGE 0\r\nFR 0 1 0 0 14 0\r\nEX 0 1 11 0 1 0\r\n"
              "NE 0 2 5 5 0 0 0 1 1 1\r\nEN\r\n");
    const std::string csv = QDir(work.path()).filePath("field.csv").toStdString();
    const results::NearFieldSave save = run.save(csv);
    EXPECT_EQ(save.message, "");
    EXPECT_TRUE(readFile(QString::fromStdString(csv)).startsWith("X(m),Y(m),Z(m),VECTOR,REAL(V/m)"));
}

TEST(NearFieldRun, AFailedEngineSaysWhy)
{
    QTemporaryDir program;
    writeScript(QDir(program.path()).filePath("GoNecGN.bat"), "exit 3");
    analyses::NearFieldRun run;
    ASSERT_EQ(run.prepare(kDeck, results::NearField::Magnetic, {}), "");
    ASSERT_TRUE(run.start(program.path()));
    run.calculation().waitForFinished();
    EXPECT_FALSE(run.finished());
    EXPECT_EQ(run.message(), "Unable to start NEC-2.");
}
