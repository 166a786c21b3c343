// The analysis parts of the "Frequency plots" window on the real engine: the Smith chart,
// the gain sweep and its tab, the readout, the SWR band, saving as CSV and Touchstone,
// and measured data beside the model.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "analyses/Touchstone.h"
#include "app/FreqPlotsExtras.h"
#include "app/FreqPlotsForm.h"
#include "WindowControls.h"
#include "app/SmithChartWidget.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QStatusBar>
#include <QtTest>

class FreqPlotsExtrasTest : public QObject {
    Q_OBJECT
private:
    AppTestSupport support;
    TForm1* window_ = nullptr;

    TFreqPlotsForm* openWith(const char* deck)
    {
        support.prepare();
        [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        QFile::copy(QStringLiteral(TEST_DATA_DIR "/decks/") + QLatin1String(deck),
                    QDir(support.folder()).filePath(QStringLiteral("Indata.txo")));
        TForm1& window = support.createWindow();
        window_ = &window;
        window.session().SwrReference = {50, 0};
        window.setFrequencyPlotsEnabled(true);
        WindowControls(window).FreqVRNChangeField->setText(QStringLiteral("14"));
        WindowControls(window).FreqPlotsShowMenuItem1->trigger();
        return window.freqPlotsForm();
    }

    template <typename T>
    static T* child(QWidget* form, const char* name)
    {
        return form->findChild<T*>(QString::fromLatin1(name));
    }

    static QStringList tabs(QTabWidget* pages)
    {
        QStringList titles;
        for (int i = 0; i < pages->count(); ++i)
            if (pages->isTabVisible(i))
                titles << pages->tabText(i);
        return titles;
    }

    QString deckThatRan() const
    {
        QFile deck(QDir(support.folder()).filePath(QStringLiteral("IndataGN.txo")));
        return deck.open(QIODevice::ReadOnly) ? QString::fromLatin1(deck.readAll()) : QString();
    }

    QString writeFile(const char* name, const char* text) const
    {
        const QString path = QDir(support.folder()).filePath(QLatin1String(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return path;
    }

private slots:
    void smithBandReadoutAndGainSweep()
    {
        TFreqPlotsForm* form = openWith("yagi3_loads.nec");
        QVERIFY(form);
        auto* pages = child<QTabWidget>(form, "PageControl1");
        QCOMPARE(tabs(pages), (QStringList{"Impedance", "SWR", "Smith"}));
        auto* gainCheck = child<QCheckBox>(form, "FreqPlotsGainCheck");
        QVERIFY(!gainCheck->isChecked());

        // Off: the specified deck.
        child<QSpinBox>(form, "FreqPlotsPointsUpDown")->setValue(2);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(deckThatRan().endsWith("FR 0 5 0 0 13.8 0.1\r\nPT -1\r\nXQ\r\nEN\r\n"));
        FreqPlotsExtras* extras = form->extras();
        QCOMPARE(extras->smithChart()->modelPoints().size(), std::size_t(5));
        QCOMPARE(extras->seriesGain()->count(), 0);
        QVERIFY(extras->bandLabel()->text().startsWith("minimum SWR "));
        // The Smith points are the listed impedances against 50 ohm.
        const QPointF z0(form->seriesR()->at(0).y(), form->seriesJX()->at(0).y());
        const analyses::SmithPoint p0 = extras->smithChart()->modelPoints()[0];
        const analyses::Complex gamma = analyses::ReflectionCoefficient({z0.x(), z0.y()}, 50);
        QVERIFY(std::abs(gamma - analyses::Complex(p0.u, p0.v)) < 1e-12);
        // Read as admittance the charts show G and B; the Smith chart still shows Z, as
        // 1 / (G + jB), to the listing's printed digits.
        WindowControls(*window_).ReadADMCheck->setChecked(true);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(form->seriesR()->at(0).y() < 1); // siemens
        QCOMPARE(extras->smithChart()->modelPoints().size(), std::size_t(5));
        const analyses::SmithPoint a0 = extras->smithChart()->modelPoints()[0];
        QVERIFY(std::abs(gamma - analyses::Complex(a0.u, a0.v)) < 1e-3);
        WindowControls(*window_).ReadADMCheck->setChecked(false);

        // On: the pattern pair per frequency, and the Gain tab.
        gainCheck->setChecked(true);
        QCOMPARE(tabs(pages), (QStringList{"Impedance", "SWR", "Smith", "Gain"}));
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        const QString deck = deckThatRan();
        QCOMPARE(deck.count("FR 0 1 0 0 "), 5);
        QCOMPARE(deck.count("RP 0 181 1 1000 90 0 -1 0"), 5);
        QVERIFY(deck.contains("FR 0 1 0 0 13.9 0\r\nRP 0 1 360 1000 70 0 0 1\r\nRP 0 181 1 1000 90 0 -1 0\r\n"));
        QCOMPARE(extras->seriesGain()->count(), 5);
        QCOMPARE(extras->seriesFrontToBack()->count(), 5);
        // The value of necdeck run / the main window at 13.8 MHz for this deck.
        QCOMPARE(extras->seriesGain()->at(0).x(), 13.8);
        QVERIFY(std::abs(extras->seriesGain()->at(0).y() - 10.14) < 0.006);
        QVERIFY(std::abs(extras->seriesFrontToBack()->at(0).y() - 18.11) < 0.006);

        // The readout follows the mouse over a chart.
        pages->setCurrentIndex(1);
        form->show();
        auto* swrView = child<QChartView>(form, "SWRChart");
        QChart* chart = swrView->chart();
        const QPointF atLast = chart->mapToPosition(form->seriesSWR()->at(4), form->seriesSWR());
        const QPointF at = swrView->mapFromScene(chart->mapToScene(atLast));
        QMouseEvent move(QEvent::MouseMove, at, swrView->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(swrView->viewport(), &move);
        QVERIFY2(extras->readoutLabel()->text().startsWith("14.2 MHz,  R "), qPrintable(extras->readoutLabel()->text()));
        QVERIFY2(extras->readoutLabel()->text().contains(",  Gain 9.84 dBi,  F/B 15.6 dB"),
                 qPrintable(extras->readoutLabel()->text()));
        // And over the Smith chart.
        SmithChartWidget* smith = extras->smithChart();
        pages->setCurrentWidget(smith);
        const QPointF first = smith->toWidget(smith->modelPoints()[0]);
        QMouseEvent overSmith(QEvent::MouseMove, first, smith->mapToGlobal(first), Qt::NoButton, Qt::NoButton,
                              Qt::NoModifier);
        QApplication::sendEvent(smith, &overSmith);
        QVERIFY2(extras->readoutLabel()->text().startsWith("13.8 MHz,  R "), qPrintable(extras->readoutLabel()->text()));
    }

    // An N-port save whose run with the ports solved fails (or is stopped: the same path)
    // writes nothing and says so once: no "Saved" in the status line.
    void aPortSaveWhoseRunDidNotFinishSavesNothing()
    {
        TFreqPlotsForm* form = openWith("two_dipoles.nec");
        QVERIFY(form);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        writeFile("GoNecGN.bat", "#!/bin/sh\nexit 3\n");
        QVERIFY(QFile(QDir(support.folder()).filePath("GoNecGN.bat"))
                    .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString path = QDir(support.folder()).filePath("a.s2p");
        support.dialogs.fileAnswers = {path};
        child<QPushButton>(form, "FreqPlotsSaveButton")->click();
        QCOMPARE(support.dialogs.messages.size(), 1);
        QVERIFY(!QFile::exists(path));
        QVERIFY(form->extras()->statusLine()->currentMessage().isEmpty());
    }

    void saveAsCsvAndTouchstone()
    {
        TFreqPlotsForm* form = openWith("two_dipoles.nec");
        QVERIFY(form);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        auto* save = child<QPushButton>(form, "FreqPlotsSaveButton");
        QVERIFY(save->isEnabled());
        const QDir folder(support.folder());
        // Each save says where in the window's status line; one that fails leaves no
        // "Saved" text there.
        const struct {
            const char* name;
            const char* status; // the kind, or nullptr when the save fails
        } saves[] = {{"a.csv", "CSV"},
                     {"a.s1p", "Touchstone"},
                     {"a.txt", nullptr},
                     {"a.s2p", "Touchstone"},
                     {"missing/a.csv", nullptr},
                     {"missing/a.s1p", nullptr}};
        QStatusBar* status = form->extras()->statusLine();
        // The 2-port save runs the sweep again; the wire shown (tag 2 here) stays shown.
        auto* source = child<QSpinBox>(form, "SourceInWireNFreqPlotsUpDown");
        for (const auto& s : saves) {
            const bool ports = QLatin1String(s.name) == QLatin1String("a.s2p");
            if (ports)
                source->setValue(1);
            support.dialogs.fileAnswers = {folder.filePath(s.name)};
            save->click();
            if (ports) {
                QCOMPARE(source->value(), 1);
                source->setValue(0);
            }
            const QString expected =
                s.status ? QStringLiteral("Saved %1 to %2").arg(s.status, folder.filePath(s.name)) : QString();
            QCOMPARE(status->currentMessage(), expected);
        }
        QVERIFY(!QFile::exists(folder.filePath("missing")));
        QCOMPARE(support.dialogs.messages.size(), 3);
        support.dialogs.messages.removeIf([](const QString& m) { return m.startsWith("Unable to write"); });
        QVERIFY(support.dialogs.fileRequests.at(0).filter.endsWith("|Touchstone 2-port (all sources)|*.s2p"));
        QCOMPARE(support.dialogs.messages, QStringList{"Choose a file of type .csv, .s1p, or .s2p"});
        QFile csv(folder.filePath("a.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readLine(), QByteArray("MHz,Tag,R,X,SWR\n"));
        QVERIFY(csv.readLine().startsWith("13.8,1,"));
        QVERIFY(csv.readLine().startsWith("13.8,2,"));
        const analyses::MeasuredSweep one = analyses::ReadTouchstoneOnePort(folder.filePath("a.s1p").toStdString());
        QVERIFY2(one.ok(), one.message.c_str());
        QCOMPARE(one.s11.size(), std::size_t(3));
        const analyses::Complex s =
            analyses::ReflectionCoefficient({form->seriesR()->at(1).y(), form->seriesJX()->at(1).y()}, 50);
        QVERIFY(std::abs(one.s11[1] - s) < 1e-6);
        QFile s2p(folder.filePath("a.s2p"));
        QVERIFY(s2p.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(s2p.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2 + 3);
        QCOMPARE(lines[1], QStringLiteral("# MHZ S RI R 50"));
        QCOMPARE(lines[2].split(' ', Qt::SkipEmptyParts).size(), 9);
        // The 2-port file came from the shown sweep run again with its ports solved (the
        // charts, drawn again, still give the S11 saved before): the sweep deck holds the
        // port solutions, and no folder of further runs is left behind.
        QFile sweepDeck(folder.filePath("IndataGN.txo"));
        QVERIFY(sweepDeck.open(QIODevice::ReadOnly));
        QCOMPARE(sweepDeck.readAll().count("EX 0 1 11 0 1E-20 0"), 3);
        QCOMPARE(folder.entryList({"port-*", "sweep-*"}, QDir::AllEntries), QStringList());
        QVERIFY(save->isEnabled());
        QVERIFY(child<QPushButton>(form, "FreqPlotsCalculateButton")->isEnabled());

        // A reference with a reactance is refused for Touchstone, not for CSV.
        support.dialogs.messages.clear();
        window_->session().SwrReference = {50, 10};
        support.dialogs.fileAnswers = {folder.filePath("b.s1p"), folder.filePath("b.csv")};
        save->click();
        save->click();
        QCOMPARE(support.dialogs.messages.size(), 1);
        QVERIFY(support.dialogs.messages[0].startsWith("Touchstone files take a real reference impedance only"));
        QVERIFY(!QFile::exists(folder.filePath("b.s1p")));
        QVERIFY(QFile::exists(folder.filePath("b.csv")));
    }

    void commaLocaleShowsCommasAndFilesKeepThePoint()
    {
        TFreqPlotsForm* form = openWith("dipole_free.nec");
        QVERIFY(form);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        child<QLineEdit>(form, "FreqCentralField")->setText(QStringLiteral("14,1"));
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QVERIFY2(support.dialogs.messages.isEmpty(), qPrintable(support.dialogs.messages.join('|')));
        FreqPlotsExtras* extras = form->extras();
        QVERIFY2(extras->bandLabel()->text().startsWith("minimum SWR 1,"), qPrintable(extras->bandLabel()->text()));
        extras->showReadout(0);
        QVERIFY2(extras->readoutLabel()->text().startsWith("13,9 MHz,  R "), qPrintable(extras->readoutLabel()->text()));
        const QString csvPath = QDir(support.folder()).filePath("comma.csv");
        support.dialogs.fileAnswers = {csvPath};
        child<QPushButton>(form, "FreqPlotsSaveButton")->click();
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        csv.readLine();
        QVERIFY(csv.readLine().startsWith("13.9,1,"));
        QLocale::setDefault(QLocale::c());
    }

    void measuredDataBesideTheModel()
    {
        TFreqPlotsForm* form = openWith("dipole_free.nec");
        QVERIFY(form);
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        FreqPlotsExtras* extras = form->extras();
        auto* clear = child<QPushButton>(form, "FreqPlotsClearMeasuredButton");
        QVERIFY(!clear->isEnabled());
        const QString good = writeFile("analyser.s1p", "! my analyser\n# kHz S MA R 50\n13900 0.2 10\n14000 0 0\n"
                                                        "14100 0.5 -90\n");
        const QString bad = writeFile("bad.s1p", "# MHz S RI R 50\n14 0.1 0.1\n14.1 0.1\n");
        support.dialogs.fileAnswers = {bad};
        child<QPushButton>(form, "FreqPlotsLoadMeasuredButton")->click();
        QCOMPARE(support.dialogs.messages.size(), 1);
        QVERIFY(support.dialogs.messages[0].startsWith("bad.s1p: Line 3: "));
        QCOMPARE(extras->measuredSwr()->count(), 0);
        QVERIFY(extras->smithChart()->measuredPoints().empty());

        support.dialogs.fileAnswers = {good};
        child<QPushButton>(form, "FreqPlotsLoadMeasuredButton")->click();
        QCOMPARE(support.dialogs.messages.size(), 1);
        QCOMPARE(extras->measuredSwr()->count(), 3);
        QCOMPARE(extras->measuredR()->count(), 3);
        QCOMPARE(extras->measuredSwr()->at(1), QPointF(14, 1));
        QVERIFY(std::abs(extras->measuredSwr()->at(2).y() - 3) < 1e-9); // |S| 0.5
        QVERIFY(std::abs(extras->measuredR()->at(1).y() - 50) < 1e-9);
        QCOMPARE(extras->smithChart()->measuredPoints().size(), std::size_t(3));
        QCOMPARE(extras->measuredSwr()->name(), QStringLiteral("analyser.s1p"));
        auto* swrChart = child<QChartView>(form, "SWRChart")->chart();
        QVERIFY(swrChart->legend()->isVisible());
        // A later sweep keeps the measured data.
        child<QPushButton>(form, "FreqPlotsCalculateButton")->click();
        QCOMPARE(extras->measuredSwr()->count(), 3);
        QVERIFY(clear->isEnabled());
        clear->click();
        QCOMPARE(extras->measuredSwr()->count(), 0);
        QCOMPARE(extras->measuredR()->count(), 0);
        QVERIFY(extras->smithChart()->measuredPoints().empty());
        QVERIFY(!swrChart->legend()->isVisible());
    }
};

QTEST_MAIN(FreqPlotsExtrasTest)
#include "tst_freqplots_extras.moc"
