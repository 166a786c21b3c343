// The main road as a user walks it: pick an antenna file, calculate, look at the
// results, save them; and the ways a run can fail.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "app/CurrentsPage.h"
#include "WindowControls.h"
#include "app/RPPlotsPage.h"

#include <QApplication>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

class CalculationTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;

    TForm1& windowWithEngine(bool realEngine = true)
    {
        support.prepare();
        if (realEngine)
            [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        return support.createWindow();
    }

    void pick(TForm1& window, const char* sampleName)
    {
        support.dialogs.fileAnswers << e2e::sample(sampleName);
        WindowControls(window).ButtonVRNfileFind->click();
    }

    QString cell(TForm1& window, int row, int column)
    {
        const QTableWidgetItem* item = WindowControls(window).ResultsTable->item(row, column);
        return item ? item->text() : QString();
    }

private slots:
    void cleanup() { support.reset(); }

    void plainCalculationFillsTheResults()
    {
        TForm1& window = windowWithEngine();
        WindowControls u(window);
        QVERIFY(!u.Execute_Original->isEnabled());
        pick(window, "dipole_14mhz_free_space.vrn");
        QVERIFY(support.dialogs.messages.isEmpty());
        QVERIFY(u.Execute_Original->isEnabled());
        QCOMPARE(support.dialogs.fileRequests.first().title, QStringLiteral("VORNA files to be calculated"));

        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());

        // The table row against the engine's own listing, read by its own layout.
        double r = 0, x = 0;
        QVERIFY(e2e::engineImpedance(QDir(support.folder()).filePath("Outdata.nec2c.txo"), r, x));
        QCOMPARE(cell(window, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(window, 0, 1), QStringLiteral("1"));
        QCOMPARE(cell(window, 0, 2), QStringLiteral("14.15"));
        QVERIFY(std::abs(cell(window, 0, 3).toDouble() - r) < 0.01 + 1e-4 * std::abs(r));
        const QString reactance = cell(window, 0, 4);
        QVERIFY(reactance.startsWith(x >= 0 ? "+j" : "-j"));
        QVERIFY(std::abs(reactance.mid(2).toDouble() - std::abs(x)) < 0.01 + 1e-4 * std::abs(x));
        // SWR against 50 ohm by hand from the same impedance.
        const double gamma = std::hypot(r - 50, x) / std::hypot(r + 50, x);
        QCOMPARE(cell(window, 0, 5), QString::number((1 + gamma) / (1 - gamma), 'f', 2));
        QCOMPARE(cell(window, 0, 6), QStringLiteral("Fr.Sp."));
        QCOMPARE(cell(window, 0, 7), QStringLiteral("0"));
        QCOMPARE(cell(window, 0, 14), QStringLiteral("-"));
        // A free-space dipole along Y radiates broadside: 2.1 dBi or so, F/B about 0.
        const double gain = cell(window, 0, 9).toDouble();
        QVERIFY2(gain > 1.9 && gain < 2.3, qPrintable(cell(window, 0, 9)));

        QVERIFY(u.ImpedanceScreen->toPlainText().contains(QStringLiteral("Source in wire N 1:      Z=")));
        QVERIFY(u.ImpedanceScreen->toPlainText().startsWith(QStringLiteral("Frequency:   14.15  MHz")));
        QVERIFY(u.OuterRingGainInfo->text().startsWith(QStringLiteral("Outer ring level = ")));
        QVERIFY(u.SaveRP->isEnabled() && u.SaveElevationPlot->isEnabled() && u.SaveRes->isEnabled());
        QVERIFY(u.TotalDCheck->isEnabled());
        QCOMPARE(u.TagNumField->count(), 1);
        QCOMPARE(u.TagNumField->currentText(), QStringLiteral("1"));
        QCOMPARE(window.currentsPage().series()->count(), 20);
        QVERIFY(window.currentsPage().chartModel()->title().startsWith(
            QStringLiteral("Current in wire N 1. Max current: ")));
        QVERIFY(!window.rpPlotsPage().diagrams().azimuth.isNull());

        // A second run adds a row on top and moves the first one down.
        u.Execute_Original->click();
        QCOMPARE(u.ResultsTable->rowCount(), 2);
        QCOMPARE(cell(window, 0, 0), QStringLiteral("2"));
        QCOMPARE(cell(window, 1, 0), QStringLiteral("1"));
    }

    void resultsAreSavedBesideTheAntennaFile()
    {
        TForm1& window = windowWithEngine();
        WindowControls u(window);
        pick(window, "yagi3_14mhz_copper_real_ground.vrn");
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());

        QTemporaryDir out;
        support.dialogs.fileAnswers << out.filePath("az.bmp") << out.filePath("el.bmp") << out.filePath("res.txt")
                                    << out.filePath("currents.csv");
        u.SaveRP->trigger();
        u.SaveElevationPlot->trigger();
        u.SaveRes->trigger();
        u.SaveCurrentButton->click();
        QCOMPARE(support.dialogs.messages, QStringList());

        const auto& requests = support.dialogs.fileRequests;
        QCOMPARE(requests.size(), 5);
        QCOMPARE(requests[1].title, QStringLiteral("Save azimuth diagram"));
        QCOMPARE(requests[1].proposedName, QStringLiteral("yagi3_14mhz_copper_real_ground_NEC-2 RP_AZ"));
        QCOMPARE(QDir(requests[1].folder).canonicalPath(), QDir(QStringLiteral(TEST_DATA_DIR "/vrn")).canonicalPath());
        QCOMPARE(requests[2].proposedName, QStringLiteral("yagi3_14mhz_copper_real_ground_NEC-2 RP_EL"));
        QCOMPARE(requests[3].proposedName, QStringLiteral("yagi3_14mhz_copper_real_ground_NEC-2 Results"));

        QImage azimuth(out.filePath("az.bmp"), "BMP");
        QCOMPARE(azimuth.size(), QSize(350, 350));
        QCOMPARE(QImage(out.filePath("el.bmp"), "BMP").size(), QSize(350, 175));

        QFile results(out.filePath("res.txt"));
        QVERIFY(results.open(QIODevice::ReadOnly));
        const QByteArray text = results.readAll();
        QVERIFY(text.startsWith("Frequency:   14.15  MHz\r\n"));
        QVERIFY(text.endsWith("***\r\n"));

        QFile csv(out.filePath("currents.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 1 + 60); // header and one line per segment
        QVERIFY(lines.first().startsWith("WIRE,PULSE,X(m)"));

        // Another wire on the chart: wire 2 has 20 segments.
        u.TagNumField->setCurrentText(QStringLiteral("2"));
        QCOMPARE(window.currentsPage().series()->count(), 20);

        // A results text that cannot be written says so.
        support.dialogs.fileAnswers << out.filePath("no such folder/res.txt");
        u.SaveRes->trigger();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Unable to write to ") + out.filePath("no such folder/res.txt")});

        // A reading that stops before the patterns leaves no diagram of the earlier antenna.
        const results::PatternImages empty;
        QVERIFY(window.rpPlotsPage().diagrams().azimuth != empty.azimuth);
        QVERIFY(e2e::installFakeEngine(support.folder(), "sed -i '/RADIATION PATTERNS/,$d' Outdata.txo"));
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Radiation pattern data in output NEC-2 file not found.")});
        QVERIFY(window.rpPlotsPage().diagrams().azimuth == empty.azimuth);
        QVERIFY(window.rpPlotsPage().diagrams().elevation == empty.elevation);
        QVERIFY(u.ImpedanceScreen->toPlainText().startsWith(QStringLiteral("Frequency:   14.15  MHz")));
    }

    // Every save of a bitmap, a text or a CSV file says where in the status line; a save
    // that fails shows its message and leaves no "Saved" text.
    void savesSayWhereInTheStatusLine()
    {
        TForm1& window = windowWithEngine();
        WindowControls u(window);
        pick(window, "dipole_14mhz_free_space.vrn");
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        auto* status = window.findChild<QStatusBar*>(QStringLiteral("StatusLine"));
        QVERIFY(status);

        QTemporaryDir out;
        const std::function<void()> commands[] = {
            [&] { u.SaveRP->trigger(); },
            [&] { u.SaveElevationPlot->trigger(); },
            [&] { u.SaveRes->trigger(); },
            [&] { u.SaveCurrentButton->click(); },
            [&] { u.ElectricNFButton->click(); },
        };
        const struct {
            int command;
            const char* file;
            const char* kind; // nullptr: the save fails
        } saves[] = {
            {0, "az.bmp", "bitmap"},       {0, "missing/az.bmp", nullptr}, {1, "el.bmp", "bitmap"},
            {2, "res.txt", "text"},        {1, "missing/el.bmp", nullptr}, {3, "currents.csv", "CSV"},
            {3, "missing/c.csv", nullptr}, {4, "near.csv", "CSV"},         {4, "missing/near.csv", nullptr},
        };
        for (const auto& s : saves) {
            const QString path = out.filePath(QString::fromLatin1(s.file));
            support.dialogs.fileAnswers << path;
            commands[s.command]();
            const QStringList messages = support.dialogs.takeMessages();
            QVERIFY2(support.dialogs.fileAnswers.isEmpty(), s.file);
            if (s.kind) {
                QCOMPARE(messages, QStringList());
                QCOMPARE(status->currentMessage(), QStringLiteral("Saved %1 to %2").arg(s.kind, path));
                QVERIFY2(QFileInfo(path).size() > 0, s.file);
            } else {
                QCOMPARE(messages.size(), 1); // the reason, as the command words it
                QVERIFY(!messages[0].startsWith(QStringLiteral("Saved")));
                QCOMPARE(status->currentMessage(), QString());
            }
        }
        QVERIFY(!QFile::exists(out.filePath("missing")));
    }

    void convertOnlyListsTheDeck()
    {
        TForm1& window = windowWithEngine();
        WindowControls u(window);
        pick(window, "dipole_14mhz_free_space.vrn");
        u.ShowNEC2InputCheck->setChecked(true);
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        const QStringList memo = u.Memo1->toPlainText().split('\n');
        QCOMPARE(memo.first(), QStringLiteral("*******"));
        QCOMPARE(memo.at(1), QStringLiteral("Input NEC-2 file:"));
        QCOMPARE(memo.at(2), QStringLiteral("CE"));
        QCOMPARE(memo.at(memo.size() - 2), QStringLiteral("EN"));
        QCOMPARE(memo.last(), QStringLiteral("*******"));
        QVERIFY(!QFile::exists(QDir(support.folder()).filePath("Outdata.txo")));
        QVERIFY(u.StartNEC2Button->isEnabled());
    }

    void failedRunsSayWhatWentWrong()
    {
        TForm1& window = windowWithEngine(false);
        WindowControls u(window);
        pick(window, "dipole_14mhz_free_space.vrn");

        QVERIFY(e2e::installFakeEngine(support.folder(), "exit 1"));
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("Unable to start NEC-2.")});
        QVERIFY(u.Execute_Original->isEnabled() && u.Execute->isEnabled());

        // The engine ends well but leaves no listing.
        support.dialogs.messages.clear();
        QVERIFY(e2e::installFakeEngine(support.folder(), "exit 0"));
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("Error opening NEC-2 output file Outdata.txo")});
        QVERIFY(!u.ViewerCallButton->isEnabled());

        // A library message reaches the user unchanged.
        support.dialogs.messages.clear();
        u.AngleElevField->setText(QStringLiteral("95"));
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("Error in elevation angle value.")});

        support.dialogs.messages.clear();
        u.AngleElevField->setText(QStringLiteral("2x"));
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("'2x' is not a valid floating point value")});
    }

    void anEngineThatNeverEndsIsStopped()
    {
        TForm1& window = windowWithEngine(false);
        WindowControls u(window);
        pick(window, "dipole_14mhz_free_space.vrn");
        QVERIFY(e2e::installFakeEngine(support.folder(), "sleep 1000 & wait"));

        bool sawBusyWindow = false;
        bool buttonsDisabled = false;
        QString elapsedText;
        QTimer::singleShot(1600, [&] {
            // The busy window is not modal (the main window can still be closed), but
            // the main window's controls take no input meanwhile.
            QWidget* busy = window.findChild<QWidget*>(QStringLiteral("EngineBusyDialog"));
            sawBusyWindow = busy && busy->isVisible() && busy->windowTitle() == QStringLiteral("NEC-2 is running...");
            buttonsDisabled = !u.Execute_Original->isEnabled() && !u.Execute1->isEnabled()
                && !window.centralWidget()->isEnabled() && !window.menuBar()->isEnabled();
            if (auto* label = busy ? busy->findChild<QLabel*>(QStringLiteral("EngineBusyLabel")) : nullptr)
                elapsedText = label->text();
            if (auto* stop = busy ? busy->findChild<QPushButton*>(QStringLiteral("StopEngineButton")) : nullptr)
                stop->click();
        });
        QElapsedTimer timer;
        timer.start();
        u.Execute_Original->click();
        QVERIFY(timer.elapsed() < 20000);
        QVERIFY(sawBusyWindow);
        QVERIFY(buttonsDisabled);
        // The busy window counts the seconds the engine has been running.
        QCOMPARE(elapsedText, QStringLiteral("NEC-2 is running... 0:01"));
        // The engine did start: the message says it was stopped.
        QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("NEC-2 run was stopped.")});
        QVERIFY(u.Execute_Original->isEnabled());
    }

    void previewAndCoatedCalculation()
    {
        TForm1& window = windowWithEngine();
        WindowControls u(window);
        pick(window, "quad2_14mhz_two_radii.vrn");
        QCOMPARE(u.RwDField->count(), 2);
        QCOMPARE(u.RwDField->itemText(0), QStringLiteral("1"));
        QCOMPARE(u.RwDField->itemText(1), QStringLiteral("1.5"));
        QCOMPARE(u.RwDField->currentText(), QStringLiteral("1"));
        QVERIFY(!u.UkorBar->isEnabled());
        QVERIFY(u.SNGround->isEnabled() && u.SNGround->isChecked() && u.EPSField->isEnabled());

        // The two coat checks stop the command before anything is converted.
        u.RDField->setText(QStringLiteral("0.5"));
        u.Execute->click();
        QCOMPARE(support.dialogs.messages,
                 QStringList{QStringLiteral("Radius of coated wire must be not lower than uncoated one.")});
        support.dialogs.messages.clear();
        u.RDField->setText(QStringLiteral("2"));
        u.EpsDielField->setText(QStringLiteral("1.1"));
        u.Execute->click();
        QCOMPARE(support.dialogs.messages,
                 QStringList{QStringLiteral("Dielectric constant of wire coats must be greater.")});
        QVERIFY(!QFile::exists(QDir(support.folder()).filePath("Indata.txo")));

        support.dialogs.messages.clear();
        u.EpsDielField->setText(QStringLiteral("3"));
        u.Execute->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(cell(window, 0, 14), QStringLiteral("Diel"));
        QCOMPARE(cell(window, 0, 6), QStringLiteral("Som."));
        QFile deck(QDir(support.folder()).filePath("Indata.txo"));
        QVERIFY(deck.open(QIODevice::ReadOnly));
        QVERIFY(deck.readAll().contains("LD 2 1 1 11 0 8.74274E-08 0"));

        // A free-space file disables both ground buttons and shows height 0.
        pick(window, "dipole_14mhz_free_space.vrn");
        QVERIFY(!u.PGround->isEnabled() && !u.SNGround->isEnabled());
        QCOMPARE(u.HAntField->text(), QStringLiteral("0"));
        QVERIFY(u.UkorBar->isEnabled());
    }

    void commaLocaleReadsAndShowsCommas()
    {
        TForm1& window = windowWithEngine();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowControls u(window);
        pick(window, "dipole_14mhz_free_space.vrn");
        QCOMPARE(u.FreqField->text(), QStringLiteral("14,15"));
        u.EnableParamChangeCheck->setChecked(true);
        u.FreqVRNChangeField->setText(QStringLiteral("14,2"));
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        // The table keeps the point of the listing.
        QCOMPARE(cell(window, 0, 2), QStringLiteral("14.2"));
        QFile deck(QDir(support.folder()).filePath("Indata.txo"));
        QVERIFY(deck.open(QIODevice::ReadOnly));
        QVERIFY(deck.readAll().contains("FR 0 1 0 0 14.2 0"));
    }
};

QTEST_MAIN(CalculationTest)
#include "tst_calculation.moc"

using namespace vrnnec;
