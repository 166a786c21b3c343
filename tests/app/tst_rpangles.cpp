// The pattern cards of the "NEC-2 input" page following the angle fields, offscreen:
// the check box and the elevation field count a mode-0 elevation card, the azimuth field
// does not; out-of-range and incomplete angles change nothing.
#include "AppTestSupport.h"

#include "WindowControls.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {
const QString kDeck = QStringLiteral("CM\nCE\nGW 1 5 0 0 0 1 0 0 0.001\nGE\nFR 0 1 0 0 14\nRP 2 1 360 1000 70 0 0 "
                                     "1\nRP 0 181 1 1000 90 0 -1 0\nEN\nXQ");
}

class RPAnglesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void fieldsRewriteThePatternCards_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("tail");
        const QString unchanged = QStringLiteral("RP 2 1 360 1000 70 0 0 1\nRP 0 181 1 1000 90 0 -1 0\nEN\nXQ");
        QTest::newRow("check box") << "check"
                                   << "All RP cards will be as RP 0 ...."
                                   << "XQ\nRP 0 1 360 1000 70 0 0 1\nRP 0 181 1 1000 90 0 -1 0\nEN";
        QTest::newRow("azimuth") << "azimuth 10"
                                 << ""
                                 << "XQ\nRP 2 1 360 1000 70 0 0 1\nRP 2 181 1 1000 90 10 -1 0\nEN";
        QTest::newRow("elevation") << "elevation 30"
                                   << "All RP cards will be as RP 0 ...."
                                   << "XQ\nRP 0 1 360 1000 60 0 0 1\nRP 0 181 1 1000 90 0 -1 0\nEN";
        QTest::newRow("elevation 90 azimuth 360") << "azimuth 360 elevation 90"
                                                  << ""
                                                  << "XQ\nRP 2 1 360 1000 0 0 0 1\nRP 2 181 1 1000 90 360 -1 0\nEN";
        QTest::newRow("out of range") << "elevation 90.5"
                                      << "Azimuth or/and elevation angle are out of acceptable values." << unchanged;
        QTest::newRow("negative azimuth")
            << "azimuth -1"
            << "Azimuth or/and elevation angle are out of acceptable values." << unchanged;
        QTest::newRow("lone minus") << "elevation -"
                                    << "" << unchanged;
    }

    void fieldsRewriteThePatternCards()
    {
        QFETCH(QString, action);
        QFETCH(QString, message);
        QFETCH(QString, tail);
        TForm1& w = support.createWindow();
        WindowControls u(w);
        QVERIFY(!u.Elevation1Field->isEnabled());
        u.GeometryNEC2->setPlainText(kDeck);
        u.Elevation1Field->setText(QStringLiteral("30")); // not checked yet: nothing happens
        u.Elevation1Field->setText(QStringLiteral("20"));
        QCOMPARE(u.GeometryNEC2->toPlainText(), kDeck);
        if (action == QStringLiteral("check")) {
            u.AzimElevNEC2Check->click();
        } else {
            {
                const QSignalBlocker block(u.AzimElevNEC2Check);
                u.AzimElevNEC2Check->setChecked(true);
            }
            const QStringList words = action.split(QLatin1Char(' '));
            for (qsizetype i = 0; i + 1 < words.size(); i += 2)
                (words[i] == QStringLiteral("azimuth") ? u.Azimuth1Field : u.Elevation1Field)->setText(words[i + 1]);
        }
        const QStringList messages = support.dialogs.messages;
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(messages.last(), message);
        QVERIFY2(u.GeometryNEC2->toPlainText().endsWith(tail), qPrintable(u.GeometryNEC2->toPlainText()));
    }

private:
    AppTestSupport support;
};

QTEST_MAIN(RPAnglesTest)
#include "tst_rpangles.moc"
