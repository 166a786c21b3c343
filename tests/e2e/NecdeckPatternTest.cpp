// necdeck pattern with the real engine: the maximum and the front-to-back ratio, the CSV
// table compared value by value with the listing's pattern table at its columns, and
// the refusals, which write nothing.
#include "engine/ListingColumns.h"

#include "common/TextLines.h"
#include "tests/support/ToolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

using Result = testsupport::ToolResult;

Result necdeck(const QStringList& args)
{
    return testsupport::RunTool(QStringLiteral(PROGRAM_DIR "/necdeck"), args);
}

QString deck(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/decks/") + QLatin1String(name);
}

QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// The rows of the listing's (first) pattern table: the fields at the table's columns.
std::vector<std::vector<std::string>> listingTable(const QString& path)
{
    namespace c = vrnnec::engine::columns;
    std::vector<std::string> lines;
    EXPECT_TRUE(vrnnec::textlines::readAllLines(path.toStdString(), lines));
    std::vector<std::vector<std::string>> rows;
    std::size_t k = 0;
    while (k < lines.size()
           && vrnnec::textlines::columns(lines[k], c::kPatterns.from, c::kPatterns.to) != c::kPatterns.text)
        ++k;
    for (k += static_cast<std::size_t>(c::kPatterns.firstRow); k < lines.size() && !lines[k].empty(); ++k) {
        std::vector<std::string> row;
        for (const c::Field f : {c::pattern::kTheta, c::pattern::kPhi, c::pattern::kVerticalGain,
                                 c::pattern::kHorizontalGain, c::pattern::kTotalGain}) {
            std::string text(vrnnec::textlines::columns(lines[k], f.from, f.to));
            text.erase(0, text.find_first_not_of(' '));
            text.erase(text.find_last_not_of(' ') + 1);
            row.push_back(text);
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(NecdeckPattern, CsvHoldsTheListingsTableValueByValue)
{
    struct Case {
        const char* deck;
        const char* step;
        std::size_t rows;
        const char* maxLine;
    };
    const Case cases[] = {
        {"dipole_free.nec", "10", 19 * 36, "Max Gain: 2.15 dBi at theta 0 deg, phi 0 deg"},
        {"dipole_perfect.nec", "15", 7 * 24, "Max Gain: 7.92 dBi at theta 60 deg, phi 0 deg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deck);
        QTemporaryDir folder;
        const QString keep = folder.filePath(QStringLiteral("run"));
        const QString csv = folder.filePath(QStringLiteral("pattern.csv"));
        const Result r = necdeck({QStringLiteral("pattern"), QStringLiteral("--step"), QLatin1String(c.step),
                                  QStringLiteral("--csv"), csv, QStringLiteral("--keep"), keep, deck(c.deck)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        const QStringList out = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(out.size(), 2);
        EXPECT_EQ(out[0], QLatin1String(c.maxLine));
        EXPECT_EQ(out[1], QStringLiteral("F/B: 0.00 dB")); // a dipole is symmetric

        const QStringList lines = fileLines(csv);
        ASSERT_EQ(static_cast<std::size_t>(lines.size()), c.rows + 1);
        EXPECT_EQ(lines[0], QStringLiteral("Theta,Phi,Vertical dBi,Horizontal dBi,Total dBi"));
        const auto table = listingTable(QDir(keep).filePath(QStringLiteral("Outdata.txo")));
        ASSERT_EQ(table.size(), c.rows);
        for (std::size_t k = 0; k < c.rows; ++k) {
            const QStringList values = lines[static_cast<int>(k) + 1].split(QLatin1Char(','));
            ASSERT_EQ(values.size(), 5) << k;
            for (int f = 0; f < 5; ++f)
                ASSERT_EQ(values[f].toStdString(), table[k][static_cast<std::size_t>(f)])
                    << "row " << k << " field " << f;
        }
        // The kept deck asks for the full pattern only.
        const QStringList kept = fileLines(QDir(keep).filePath(QStringLiteral("Indata.txo")));
        EXPECT_EQ(kept.filter(QRegularExpression(QStringLiteral("^RP"))).size(), 1);
    }
}

TEST(NecdeckPattern, RefusalsExitOneAndWriteNothing)
{
    QTemporaryDir folder;
    const QString zeroWire = folder.filePath(QStringLiteral("zero.nec"));
    {
        QFile f(zeroWire);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("CE\nGW 1 5 0 0 1 0 0 1 0.001\nGE 0\nFR 0 1 0 0 14 0\nEX 0 1 3 0 1 0\nEN\n");
    }
    struct Case {
        const char* name;
        QStringList args;
        QString deck;
        const char* message;
    };
    const Case cases[] = {
        {"a step not dividing 90",
         {QStringLiteral("--step"), QStringLiteral("7")},
         deck("dipole_free.nec"),
         "The pattern step must be"},
        {"a step above 30",
         {QStringLiteral("--step"), QStringLiteral("45")},
         deck("dipole_free.nec"),
         "The pattern step must be"},
        {"a step that is no number",
         {QStringLiteral("--step"), QStringLiteral("5deg")},
         deck("dipole_free.nec"),
         "The pattern step must be"},
        {"several frequencies", {}, deck("sweep.nec"), "more than one frequency"},
        {"a failing deck", {}, zeroWire, "has zero length"},
        {"a missing deck", {}, folder.filePath(QStringLiteral("none.nec")), "Unable to read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString csv = folder.filePath(QStringLiteral("old.csv"));
        {
            QFile f(csv);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("older content\n");
        }
        const QString png = folder.filePath(QStringLiteral("new.png"));
        const Result r = necdeck(QStringList{QStringLiteral("pattern")} + c.args
                                 + QStringList{QStringLiteral("--csv"), csv, QStringLiteral("--png"), png, c.deck});
        EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(fileLines(csv).join(QString()), QStringLiteral("older content\n"));
        EXPECT_FALSE(QFile::exists(png));
    }
    // Without a display the picture cannot be made: nothing is written, not even the CSV.
    const QString csv = folder.filePath(QStringLiteral("fresh.csv"));
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PROGRAM_DIR "/necdeck"),
                  {QStringLiteral("pattern"), QStringLiteral("--step"), QStringLiteral("30"), QStringLiteral("--csv"),
                   csv, QStringLiteral("--png"), folder.filePath(QStringLiteral("p.png")), deck("dipole_free.nec")});
    ASSERT_TRUE(process.waitForFinished(240000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(
        QString::fromLocal8Bit(process.readAllStandardError()).contains(QStringLiteral("Error handling image!")));
    EXPECT_FALSE(QFile::exists(csv));
}
