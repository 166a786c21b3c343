// The typed calls of the "NEC-2 input" page: the deck as lines of bytes in and out, the
// changed mark a rewrite by the program keeps, and the states its setters leave on the page's
// controls.
#include "AppTestSupport.h"
#include "app/NEC2InputPage.h"

#include "WindowControls.h"

#include <QTest>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

QStringList asList(const Lines& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    return out;
}

} // namespace

class NEC2InputPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void deckLinesComeBackAsBytes_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("runLines");
        const auto row = [](const char* name, const Lines& given, const Lines& lines, const Lines& run) {
            QTest::newRow(name) << asList(given).join(QLatin1Char('\n')) << asList(lines) << asList(run);
        };
        row("empty deck", {}, {}, {});
        row("final empty line only for files", {"CE", "EN", ""}, {"CE", "EN", ""}, {"CE", "EN"});
        const std::string odd = std::string("CM a\xA0") + "b\xE9"; // no-break space, a byte that is not UTF-8
        row("no-break space and a byte that is not UTF-8", {odd, "EN"}, {odd, "EN"}, {odd, "EN"});
        row("long line cut at 255", {std::string(300, 'C'), "EN"}, {std::string(255, 'C'), "EN"},
            {std::string(255, 'C'), "EN"});
    }

    void deckLinesComeBackAsBytes()
    {
        QFETCH(QString, given);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, runLines);
        TForm1& w = support.createWindow();
        NEC2InputPage& page = w.nec2InputPage();
        WindowControls(w).GeometryNEC2->setPlainText(given);
        QCOMPARE(asList(page.deckLines()), lines);
        QCOMPARE(asList(page.deckRunLines()), runLines);
    }

    void rewriteKeepsTheChangedMark_data()
    {
        QTest::addColumn<bool>("markedBefore");
        QTest::addColumn<bool>("sameLines");
        QTest::addColumn<bool>("markedAfter");
        QTest::newRow("unchanged deck rewritten") << false << false << true;
        QTest::newRow("changed deck rewritten") << true << false << true;
        QTest::newRow("same lines leave an unchanged deck") << false << true << false;
        QTest::newRow("same lines leave a changed deck") << true << true << true;
    }

    void rewriteKeepsTheChangedMark()
    {
        QFETCH(bool, markedBefore);
        QFETCH(bool, sameLines);
        QFETCH(bool, markedAfter);
        TForm1& w = support.createWindow();
        NEC2InputPage& page = w.nec2InputPage();
        const Lines deck{"CE", "GW 1 5 0 0 0 1 0 0 .001", "FR 0 1 0 0 14", "EN"};
        page.showDeckFromFile(deck);
        page.setDeckModified(markedBefore);
        Lines next = deck;
        if (!sameLines)
            next[2] = "FR 0 1 0 0 21";
        page.setDeckLines(next);
        QCOMPARE(page.isDeckModified(), markedAfter);
        QVERIFY(page.deckLines() == next);
    }

    void deckFromFileIsUnchangedAndUsable()
    {
        TForm1& w = support.createWindow();
        NEC2InputPage& page = w.nec2InputPage();
        WindowControls u(w);
        const QStringList needADeck{"StartNEC2Button", "SaveNEC2Button", "NEC2CodeEditorButton", "OptimizeButton"};
        const auto enabled = [&w, &needADeck] {
            QStringList on;
            for (const QString& name : needADeck)
                if (w.findChild<QWidget*>(name)->isEnabled())
                    on << name;
            return on;
        };
        u.GeometryNEC2->insertPlainText(QStringLiteral("typed"));
        QVERIFY(page.isDeckModified());
        QCOMPARE(enabled(), QStringList());
        page.showDeckFromFile({"CE", "EN"});
        QVERIFY(!page.isDeckModified());
        QCOMPARE(u.GeometryNEC2->toPlainText(), QStringLiteral("CE\nEN"));
        QCOMPARE(enabled(), needADeck);
    }

    void settersLeaveTheirStates_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }

    void settersLeaveTheirStates()
    {
        QFETCH(bool, on);
        TForm1& w = support.createWindow();
        NEC2InputPage& page = w.nec2InputPage();
        WindowControls u(w);

        const auto angleFields = [&u] {
            return QList<bool>{u.Elevation1Field->isEnabled(), u.Azimuth1Field->isEnabled()};
        };
        page.setAnglesForPatterns(on);
        QCOMPARE(u.AzimElevNEC2Check->isChecked(), on);
        QCOMPARE(angleFields(), QList<bool>(2, on));
        // The user's click on the check box takes the fields along.
        u.AzimElevNEC2Check->click();
        QCOMPARE(page.anglesForPatterns(), !on);
        QCOMPARE(angleFields(), QList<bool>(2, !on));

        page.setStartEnabled(true);
        page.setRunning(on);
        QCOMPARE(u.StartNEC2Button->isEnabled(), !on);
        QCOMPARE(page.testAttribute(Qt::WA_SetCursor), on);
        page.setRunning(false);
        QVERIFY(u.StartNEC2Button->isEnabled());
        QVERIFY(!page.testAttribute(Qt::WA_SetCursor));

        u.NEC2ResultSheetScreen->clear();
        page.appendResults(QStringList{QStringLiteral("first"), QStringLiteral("second")});
        QCOMPARE(u.NEC2ResultSheetScreen->toPlainText(), QStringLiteral("first\nsecond"));
    }

private:
    AppTestSupport support;
};

QTEST_MAIN(NEC2InputPageTest)
#include "tst_nec2input.moc"
