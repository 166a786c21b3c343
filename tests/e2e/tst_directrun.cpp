// "Start NEC-2" on the deck of the "NEC-2 input" page with the real engine: the same
// results as the calculation that wrote the deck, the pattern card check, the angles
// dialog, and the refusal of several frequencies.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "app/DeckFileCommands.h"
#include "WindowControls.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class DirectRunTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;

    TForm1& calculatedWindow()
    {
        support.prepare();
        [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        TForm1& window = support.createWindow();
        support.dialogs.fileAnswers << e2e::sample("dipole_14mhz_free_space.vrn");
        WindowControls(window).ButtonVRNfileFind->click();
        WindowControls(window).Execute_Original->click();
        return window;
    }

    QStringList row(TForm1& window, int r)
    {
        QStringList cells;
        for (int c = 0; c < WindowControls(window).ResultsTable->columnCount(); ++c) {
            const QTableWidgetItem* item = WindowControls(window).ResultsTable->item(r, c);
            cells << (item ? item->text() : QString());
        }
        return cells;
    }

    QStringList deckLines(TForm1& window)
    {
        QStringList lines;
        for (const std::string& line : deckmemo::lines(*WindowControls(window).GeometryNEC2))
            lines << QString::fromStdString(line);
        return lines;
    }

    void setDeck(TForm1& window, const QStringList& lines)
    {
        std::vector<std::string> deck;
        for (const QString& l : lines)
            deck.push_back(l.toStdString());
        deckmemo::setLines(*WindowControls(window).GeometryNEC2, deck);
    }

private slots:
    void cleanup() { support.reset(); }

    void theReadDeckGivesTheCalculationsRow()
    {
        TForm1& window = calculatedWindow();
        WindowControls u(window);
        QCOMPARE(support.dialogs.messages, QStringList());
        const QStringList calculated = row(window, 0);
        QVERIFY(!calculated.at(3).isEmpty());

        u.ReadIndataButton->click();
        QVERIFY(u.StartNEC2Button->isEnabled());
        u.StartNEC2Button->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(u.ResultsTable->rowCount(), 2);
        QStringList direct = row(window, 0);
        QCOMPARE(direct.at(0), QStringLiteral("2"));
        QCOMPARE(direct.at(7), QStringLiteral("NA"));
        QStringList expected = calculated;
        expected[0] = QStringLiteral("2");
        expected[7] = QStringLiteral("NA");
        QCOMPARE(direct, expected);
        QVERIFY(u.TotalDCheck->isEnabled());
    }

    void aTrailingBlankOnThePatternCardIsRewritten()
    {
        TForm1& window = calculatedWindow();
        WindowControls u(window);
        u.ReadIndataButton->click();
        QStringList lines = deckLines(window);
        const qsizetype azimuth = lines.indexOf(QStringLiteral("RP 0 1 360 1000 70 0 0 1"));
        QVERIFY(azimuth > 0);
        lines[azimuth] += QLatin1Char(' ');
        setDeck(window, lines);
        u.Elevation1Field->setText(QStringLiteral("35"));
        support.dialogs.messages.clear();

        u.StartNEC2Button->click();
        QCOMPARE(support.dialogs.messages,
                 QStringList{QStringLiteral("RP strings (cards) in NEC-2 input code were incorrect (or missing). "
                                            "Specify proper values of azimuth and elevation.")});
        QCOMPARE(u.ResultsTable->rowCount(), 1);
        QVERIFY(u.AzimElevNEC2Check->isChecked());
        QVERIFY(u.Elevation1Field->isEnabled());
        const QStringList rewritten = deckLines(window);
        QCOMPARE(rewritten.mid(rewritten.size() - 3),
                 (QStringList{"RP 0 1 360 1000 55 0 0 1", "RP 0 181 1 1000 90 0 -1 0", "EN"}));
        QCOMPARE(rewritten.size(), lines.size());

        support.dialogs.messages.clear();
        u.StartNEC2Button->click();
        QCOMPARE(support.dialogs.messages.join("|"), QString());
        QCOMPARE(u.ResultsTable->rowCount(), 2);
        QVERIFY(u.ImpedanceScreen->toPlainText().contains(QStringLiteral("Elevation angle: 35.0 deg")));
    }

    void theAnglesDialogReRunsTheLastDeck()
    {
        TForm1& window = calculatedWindow();
        WindowControls u(window);
        QVERIFY(u.ImpedanceScreen->toPlainText().contains(QStringLiteral("Elevation angle: 20.0 deg")));
        u.SetAnglesforRPcalculations->trigger();
        QWidget* dialog = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("TAnglesRPForm") && w->isVisible())
                dialog = w;
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Angles for RP calculations"));
        QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window.isEnabled());
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("AngleElevFieldF"))->text(), u.AngleElevField->text());

        dialog->findChild<QLineEdit*>(QStringLiteral("AngleElevFieldF"))->setText(QStringLiteral("35"));
        dialog->findChild<QPushButton*>(QStringLiteral("SetAnglesRPFormAndStartNEC2Button"))->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(u.ImpedanceScreen->toPlainText().contains(QStringLiteral("Elevation angle: 35.0 deg")));
        QVERIFY(!dialog->isVisible());
        QVERIFY(window.isEnabled());
        QCOMPARE(u.AngleElevField->text(), QStringLiteral("35"));
        QCOMPARE(u.AngleElevSetBar->value(), 35);
        QCOMPARE(u.Elevation1Field->text(), QStringLiteral("35"));
    }

    void aDeckOfThreeFrequenciesIsRefused()
    {
        TForm1& window = calculatedWindow();
        WindowControls u(window);
        u.ReadIndataButton->click();
        QStringList lines = deckLines(window);
        for (QString& l : lines)
            if (l.startsWith(QStringLiteral("FR ")))
                l = QStringLiteral("FR 0 3 0 0 14 0.1");
        setDeck(window, lines);
        support.dialogs.messages.clear();
        u.StartNEC2Button->click();
        QCOMPARE(support.dialogs.messages.size(), 1);
        QVERIFY(support.dialogs.messages.first().contains(QStringLiteral("A direct NEC-2 run takes one frequency")));
        QCOMPARE(u.ResultsTable->rowCount(), 1);
    }
};

QTEST_MAIN(DirectRunTest)
#include "tst_directrun.moc"
