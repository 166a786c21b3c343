// The "Frequency plots" window on the real engine: opening from the menu entry, the
// sweep of the deck of the last calculation, the charts of each source tag, and the
// refusals before anything runs.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "app/FreqPlotsForm.h"
#include "WindowControls.h"

#include <QChart>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QValueAxis>
#include <QtTest>

class FreqPlotsTest : public QObject {
    Q_OBJECT
private:
    AppTestSupport support;

    TForm1& windowWithDeck(const char* deck)
    {
        support.prepare();
        [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        if (deck)
            QFile::copy(QStringLiteral(TEST_DATA_DIR "/decks/") + QLatin1String(deck),
                        QDir(support.folder()).filePath(QStringLiteral("Indata.txo")));
        TForm1& window = support.createWindow();
        window.session().SwrReference = {50, 0};
        window.setFrequencyPlotsEnabled(true);
        return window;
    }

    template <typename T>
    static T* child(QWidget* form, const char* name)
    {
        return form->findChild<T*>(QString::fromLatin1(name));
    }

private slots:
    void closingTheWindowDuringASweepStopsIt()
    {
        TForm1& window = windowWithDeck("sweep_two_sources.nec");
        {
            QFile script(QDir(support.folder()).filePath(QStringLiteral("GoNecGN.bat")));
            QVERIFY(script.remove());
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\nsleep 1000 & wait\n");
            script.close();
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        WindowControls(window).FreqPlotsShowMenuItem1->trigger();
        TFreqPlotsForm* form = window.freqPlotsForm();
        QVERIFY(form);
        const QPointer<TFreqPlotsForm> guard(form);
        bool wasRunning = false;
        QTimer::singleShot(800, form, [&] {
            wasRunning = !child<QPushButton>(form, "FreqPlotsCalculateButton")->isEnabled();
            form->close();
        });
        QElapsedTimer clock;
        clock.start();
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QVERIFY(wasRunning);
        QVERIFY(clock.elapsed() < 20000);
        QVERIFY(!guard || !guard->isVisible());
        QCOMPARE(support.dialogs.messages, QStringList());
    }

    // A Calculate that fails (or is stopped: the same path) leaves the shown sweep as it
    // was: stepping the source tags draws it at its own frequencies, not the failed run's.
    void aRerunThatDidNotFinishKeepsTheShownSweep()
    {
        TForm1& window = windowWithDeck("sweep_two_sources.nec");
        WindowControls(window).FreqVRNChangeField->setText(QStringLiteral("14"));
        WindowControls(window).FreqPlotsShowMenuItem1->trigger();
        TFreqPlotsForm* form = window.freqPlotsForm();
        QVERIFY(form);
        child<QSpinBox>(form, "FreqPlotsPointsUpDown")->setValue(2);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        const QList<QPointF> shown = form->seriesR()->points();
        QCOMPARE(shown.size(), 5);
        QFile script(QDir(support.folder()).filePath(QStringLiteral("GoNecGN.bat")));
        QVERIFY(script.remove() && script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexit 3\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        child<QLineEdit>(form, "FreqCentralField")->setText(QStringLiteral("21"));
        child<QSpinBox>(form, "FreqPlotsPointsUpDown")->setValue(4);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.takeMessages().size(), 1);
        QSpinBox* source = child<QSpinBox>(form, "SourceInWireNFreqPlotsUpDown");
        source->setValue(1);
        QCOMPARE(form->seriesR()->count(), 5);
        QVERIFY(qFuzzyCompare(form->seriesR()->at(0).x(), 13.8));
        QVERIFY(qFuzzyCompare(form->seriesR()->at(4).x(), 14.2));
        source->setValue(0);
        QCOMPARE(form->seriesR()->points(), shown);
        QCOMPARE(form->impedanceBottomAxis()->max(), 14.2);
    }

    // A buffer deck the calculation core refuses: its message once, whether the sweep is
    // split over engine processes or not, and the window ready for another try.
    void aBufferDeckTheCoreRefuses()
    {
        for (int points : {3, 45}) {
            TForm1& window = windowWithDeck(nullptr);
            QFile deck(QDir(support.folder()).filePath(QStringLiteral("Indata.txo")));
            QVERIFY(deck.open(QIODevice::WriteOnly));
            deck.write("CM\nCE\nGE 0\nFR 0 1 0 0 14 0\nEX 0 1 11 0 1 0\nEN\n");
            deck.close();
            WindowControls(window).FreqPlotsShowMenuItem1->trigger();
            TFreqPlotsForm* form = window.freqPlotsForm();
            QVERIFY(form);
            child<QSpinBox>(form, "FreqPlotsPointsUpDown")->setValue(points - 3);
            child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
            QCOMPARE(support.dialogs.messages,
                     QStringList{"The NEC-2 input has no wire segments and no surface patches (GW, GA, GH, SP or SM "
                                 "cards), so NEC-2 has nothing to compute. Please add a wire with one or more segments."});
            QVERIFY(child<QPushButton>(form, "FreqPlotsCalculateButton")->isEnabled());
            QVERIFY(!child<QPushButton>(form, "FreqPlotsStopButton")->isEnabled());
        }
    }

    void sweepsTheBufferDeckAndChartsEachSourceTag()
    {
        TForm1& window = windowWithDeck("sweep_two_sources.nec");
        WindowControls(window).FreqVRNChangeField->setText(QStringLiteral("14"));
        WindowControls(window).FreqPlotsShowMenuItem1->trigger();
        TFreqPlotsForm* form = window.freqPlotsForm();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Frequency plots"));
        QCOMPARE(child<QLineEdit>(form, "FreqCentralField")->text(), QStringLiteral("14"));
        QCOMPARE(child<QLineEdit>(form, "SourceInWireNFreqPlotsMemo")->text(), QStringLiteral("NA"));
        QVERIFY(!child<QSpinBox>(form, "SourceInWireNFreqPlotsUpDown")->isEnabled());
        // The empty charts span twice the band.
        QCOMPARE(form->impedanceBottomAxis()->min(), 13.6);
        QCOMPARE(form->impedanceBottomAxis()->max(), 14.4);

        child<QSpinBox>(form, "FreqPlotsPointsUpDown")->setValue(2);
        QCOMPARE(child<QLineEdit>(form, "FreqPlotsPointsMemo")->text(), QStringLiteral("5"));
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());

        // The deck that ran: the sweep cards instead of the deck's own.
        QFile deck(QDir(support.folder()).filePath(QStringLiteral("IndataGN.txo")));
        QVERIFY(deck.open(QIODevice::ReadOnly));
        const QByteArray text = deck.readAll();
        QVERIFY(text.endsWith("FR 0 5 0 0 13.8 0.1\r\nPT -1\r\nXQ\r\nEN\r\n"));
        QCOMPARE(text.count("FR "), 1);

        QCOMPARE(child<QLineEdit>(form, "SourceInWireNFreqPlotsMemo")->text(), QStringLiteral("3"));
        QCOMPARE(form->seriesR()->count(), 5);
        QCOMPARE(form->seriesJX()->count(), 5);
        QCOMPARE(form->seriesR()->at(0).x(), 13.8);
        QCOMPARE(form->seriesR()->pen().color(), QColor(Qt::blue));
        QCOMPARE(form->seriesJX()->pen().color(), QColor(Qt::red));
        QCOMPARE(form->seriesZeroLine()->pen().style(), Qt::DotLine);
        QCOMPARE(form->seriesZeroLine()->count(), 2);
        QCOMPARE(form->impedanceBottomAxis()->min(), 13.8);
        QCOMPARE(form->impedanceBottomAxis()->max(), 14.2);
        // Tag 3 has a negative input resistance here: no finite SWR, none charted.
        QCOMPARE(form->swrAxis()->titleText(), QStringLiteral("SWR,  Max=inf"));
        QVERIFY(form->seriesSWR()->count() < 5);
        QCOMPARE(form->swrAxis()->min(), 1.0);
        QCOMPARE(form->swrAxis()->tickInterval(), 0.5);

        QSpinBox* source = child<QSpinBox>(form, "SourceInWireNFreqPlotsUpDown");
        QVERIFY(source->isEnabled());
        QCOMPARE(source->maximum(), 1);
        source->setValue(1);
        QCOMPARE(child<QLineEdit>(form, "SourceInWireNFreqPlotsMemo")->text(), QStringLiteral("5"));
        QCOMPARE(form->seriesSWR()->count(), 5);
        QVERIFY(form->swrAxis()->titleText().startsWith(QStringLiteral("SWR,  Max=1.")));
        for (const QPointF& p : form->seriesSWR()->points())
            QVERIFY(std::isfinite(p.y()) && p.y() >= 1);
    }

    void refusesBeforeRunning()
    {
        {
            TForm1& window = windowWithDeck(nullptr);
            WindowControls(window).FreqPlotsShowMenuItem->trigger();
            QVERIFY(!window.freqPlotsForm());
            QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("Buffer file Indata.txo does not exist.")});
        }
        struct Case {
            const char* deck;
            const char* centre;
            const char* band;
            const char* message;
        };
        const Case cases[] = {
            {"dipole_free.nec", "0", "400", "Check value of frequency!"},
            {"dipole_free.nec", "0.1", "400", "Incorrect value of Band Width!"},
            {"dipole_free.nec", "14", "0", "Incorrect value of Band Width!"},
            {"dipole_free.nec", "14", "x", "Incorrect value of Band Width!"},
            {"plane_wave.nec", "14", "400", "Sousces must be voltage type only (EX 0 ... or EX 5 ...)! "},
        };
        for (const Case& c : cases) {
            TForm1& window = windowWithDeck(c.deck);
            WindowControls(window).FreqPlotsShowMenuItem->trigger();
            TFreqPlotsForm* form = window.freqPlotsForm();
            QVERIFY(form);
            child<QLineEdit>(form, "FreqCentralField")->setText(QLatin1String(c.centre));
            child<QLineEdit>(form, "BandWidthField")->setText(QLatin1String(c.band));
            child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
            QCOMPARE(support.dialogs.messages, QStringList{QLatin1String(c.message)});
            QVERIFY(!QFile::exists(QDir(support.folder()).filePath(QStringLiteral("IndataGN.txo"))));
        }
    }
};

QTEST_MAIN(FreqPlotsTest)
#include "tst_freqplots.moc"
