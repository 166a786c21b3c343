// What a new user met in the main window: decks rewritten by the program stay marked
// as changed, the result memos are read-only and show the newest result under the
// page's menu, and closing the window during a run asks first.
#include "AppTestSupport.h"

#include "app/DeckFileCommands.h"
#include "WindowControls.h"
#include "app/RunController.h"
#include "engine/ListingParse.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class NewUserTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void rewritesKeepTheDeckChanged();
    void resultMemosShowTheNewestResult();
    void resultMemosAreReadOnlyUnderThePageMenu();
    void closingDuringARunAsksAndStopsIt();
    void deckBytesComeBackFromTheMemo();
    void commandEntriesFollowTheProgramState();
    void theAnglesDialogRunCanBeStopped();

private:
    void writeFile(const QString& name, const QByteArray& bytes, bool executable = false)
    {
        support.writeFile(name, bytes, executable);
    }

    AppTestSupport support;
};

const QByteArray kDeck = "CM dipole\r\nCE\r\nGW 1 21 0 -5 10 0 5 10 0.001\r\nGE 0\r\nEX 0 1 11 0 1 0\r\n"
                         "FR 0 1 0 0 14 0\r\nRP 0 1 360 1000 70 0 0 1\r\nRP 0 181 1 1000 90 0 -1 0\r\nEN\r\n";

void NewUserTest::rewritesKeepTheDeckChanged()
{
    writeFile(QStringLiteral("Indata.txo"), kDeck);
    TForm1& w = support.createWindow();
    WindowControls u(w);
    u.ReadIndataButton->click();
    QVERIFY(!u.GeometryNEC2->document()->isModified());

    // The angle rule rewrites the pattern cards: the deck differs from the file now.
    u.Elevation1Field->setText(QStringLiteral("35"));
    u.AzimElevNEC2Check->click();
    QVERIFY(u.GeometryNEC2->toPlainText().contains(QStringLiteral("RP 0 1 360 1000 55 0 0 1")));
    QVERIFY(u.GeometryNEC2->document()->isModified());

    // So reading the file again asks before the rewritten deck goes.
    u.ReadIndataButton->click();
    QCOMPARE(support.dialogs.questions.size(), 1);
    QVERIFY(u.GeometryNEC2->toPlainText().contains(QStringLiteral("RP 0 1 360 1000 55 0 0 1")));
}

void NewUserTest::resultMemosShowTheNewestResult()
{
    TForm1& w = support.createWindow();
    WindowControls u(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const engine::ListingData listing =
        engine::ParseListing(QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out").toStdString(), {});
    for (int run = 0; run < 6; ++run)
        w.ReadEngineOutput(listing);
    QCOMPARE(w.session().RunNumber, 6);
    const std::pair<QPlainTextEdit*, QWidget*> memos[] = {{u.Memo1, u.TabSheet1}, {u.NEC2ResultSheetScreen, u.TabSheet4}};
    for (auto [memo, page] : memos) {
        u.PageControl1->setCurrentWidget(page);
        QCoreApplication::processEvents();
        QScrollBar* bar = memo->verticalScrollBar();
        QVERIFY2(bar->maximum() > 0, qPrintable(memo->objectName()));
        QCOMPARE(bar->value(), bar->maximum());
        // The last line is in view.
        QTextCursor end(memo->document());
        end.movePosition(QTextCursor::End);
        QVERIFY(memo->viewport()->rect().intersects(memo->cursorRect(end)));
    }
}

void NewUserTest::resultMemosAreReadOnlyUnderThePageMenu()
{
    TForm1& w = support.createWindow();
    WindowControls u(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QPlainTextEdit* memo : {u.Memo1, u.ImpedanceScreen, u.ImpedanceScreen1, u.NEC2ResultSheetScreen}) {
        QVERIFY2(memo->isReadOnly(), qPrintable(memo->objectName()));
        QVERIFY2(!memo->isUndoRedoEnabled(), qPrintable(memo->objectName()));
    }
    u.PageControl1->setCurrentWidget(u.TabSheet2);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy pageMenu(u.TabSheet2, &QWidget::customContextMenuRequested);
    QWidget* viewport = u.ImpedanceScreen->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, viewport->rect().center(),
                            viewport->mapToGlobal(viewport->rect().center()));
    QCoreApplication::sendEvent(viewport, &event);
    QCOMPARE(pageMenu.count(), 1);
    QMenu* menu = u.TabSheet2->findChild<QMenu*>(QStringLiteral("PopupRPDiagrMenu"));
    QVERIFY(menu);
    menu->close();
}

void NewUserTest::closingDuringARunAsksAndStopsIt()
{
    writeFile(QStringLiteral("GoNec.bat"), "#!/bin/sh\nsleep 30\n", true);
    TForm1& w = support.createWindow();
    WindowControls u(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    u.GeometryNEC2->setPlainText(QString::fromLatin1(kDeck).remove(QLatin1Char('\r')).trimmed());
    u.StartNEC2Button->setEnabled(true);

    // "No" keeps the run and the window; "Yes" stops the engine and closes it.
    support.dialogs.answers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    bool runningAtFirstClose = false;
    QTimer::singleShot(500, &w, [&] {
        runningAtFirstClose = w.runs().running();
        w.close();
        QTimer::singleShot(300, &w, [&w] { w.close(); });
    });
    QElapsedTimer clock;
    clock.start();
    u.StartNEC2Button->click();
    QVERIFY(runningAtFirstClose);
    QVERIFY(clock.elapsed() < 15000);
    QCOMPARE(support.dialogs.questions.size(), 2);
    QCOMPARE(support.dialogs.questions.at(0).text, QString::fromLatin1(kStopRunAndQuitQuestion));
    QVERIFY(!w.isVisible());
    QVERIFY(!w.runs().running());
    // The stop is the user's own: no message about it.
    QCOMPARE(support.dialogs.messages, QStringList());
}

void NewUserTest::deckBytesComeBackFromTheMemo()
{
    writeFile(QStringLiteral("Indata.txo"), "CM a\xA0" "b \xFF\xC3\r\nGW 1 3 0 0 0 0 0 1 0.001\r\nEN\r\n\r\n");
    TForm1& w = support.createWindow();
    WindowControls(w).ReadIndataButton->click();
    const std::vector<std::string> lines{"CM a\xA0" "b \xFF\xC3", "GW 1 3 0 0 0 0 0 1 0.001", "EN", ""};
    QVERIFY(deckmemo::lines(*WindowControls(w).GeometryNEC2) == lines);
    // A run takes the same bytes, without the final empty line.
    QVERIFY(deckmemo::runLines(*WindowControls(w).GeometryNEC2) == std::vector<std::string>(lines.begin(), lines.end() - 1));
    // The lines a run takes from the memo's text.
    using Lines = std::vector<std::string>;
    const std::pair<const char*, Lines> cases[] = {
        {"", {}},
        {"CE\nEN", {"CE", "EN"}},
        {"CE\nEN\n", {"CE", "EN"}}, // one trailing empty block is no line
        {"CE\nEN\n\n", {"CE", "EN", ""}},
        {"\n", {""}},
        {"CE\n\nEN", {"CE", "", "EN"}},
    };
    for (const auto& [text, expected] : cases)
        QVERIFY2(deckmemo::runLines(QString::fromLatin1(text)) == expected, text);
    QVERIFY(deckmemo::runLines(QString(300, QLatin1Char('C')) + QStringLiteral("\nEN"))
            == (Lines{std::string(255, 'C'), "EN"}));
    // A long typed line is cut once, to 255 bytes.
    QVERIFY(deckmemo::lines(QString(300, QLatin1Char('C'))) == std::vector<std::string>{std::string(255, 'C')});
}

void NewUserTest::commandEntriesFollowTheProgramState()
{
    writeFile(QStringLiteral("dipole.wcf"), kDeck);
    TForm1& w = support.createWindow();
    WindowControls u(w);
    // Every entry of a command, in the order: calculations, viewer, RP angles dialog,
    // "Frequency plots".
    const auto entries = [&u] {
        const auto on = [](std::initializer_list<QObject*> list) {
            QString states;
            for (QObject* entry : list) {
                if (auto* widget = qobject_cast<QWidget*>(entry))
                    states += widget->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
                else
                    states += qobject_cast<QAction*>(entry)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
            }
            return states;
        };
        return QStringList{on({u.Execute_Original, u.Execute, u.Execute_Original1, u.Execute1, u.RefreshButton,
                               u.RefreshButton1}),
                           on({u.ViewerCallButton, u.ViewerCallButton1, u.ViewerCall, u.ViewerCall1}),
                           on({u.SetAnglesforRPcalculations, u.SetAnglesforRPcalculations1}),
                           on({u.FreqPlotsShowMenuItem, u.FreqPlotsShowMenuItem1})}
            .join(QLatin1Char(' '));
    };
    QCOMPARE(entries(), QStringLiteral("000000 0000 00 00"));
    w.OpenAntennaFile(QStringLiteral(TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn"));
    QCOMPARE(support.dialogs.messages, QStringList());
    QCOMPARE(entries(), QStringLiteral("111111 0000 00 00"));

    const engine::ListingData listing =
        engine::ParseListing(QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out").toStdString(), {});
    w.ReadEngineOutput(listing);
    QCOMPARE(entries(), QStringLiteral("111111 1111 11 11"));
    // A changed parameter outdates the sweep only.
    u.EPSField->setText(QStringLiteral("14"));
    QCOMPARE(entries(), QStringLiteral("111111 1111 11 00"));
    // An opened deck file: the results on show are no longer its.
    support.dialogs.fileAnswers = {QDir(support.folder()).filePath(QStringLiteral("dipole.wcf"))};
    u.OpenNEC2Button->click();
    QCOMPARE(entries(), QStringLiteral("111111 0000 00 00"));
    // A new file keeps the calculations and clears what belonged to the old results.
    w.ReadEngineOutput(listing);
    w.OpenAntennaFile(QStringLiteral(TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn"));
    QCOMPARE(entries(), QStringLiteral("111111 0000 00 00"));
}

void NewUserTest::theAnglesDialogRunCanBeStopped()
{
    writeFile(QStringLiteral("GoNec.bat"), "#!/bin/sh\nsleep 30\n", true);
    writeFile(QStringLiteral("Indata.txo"), kDeck);
    TForm1& w = support.createWindow();
    w.show();
    w.setAnglesDialogEnabled(true);
    WindowControls(w).SetAnglesforRPcalculations->trigger();
    QWidget* dialog = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("TAnglesRPForm") && top->isVisible())
            dialog = top;
    QVERIFY(dialog);
    bool busyEnabled = false;
    bool stayedOpen = false;
    QTimer::singleShot(500, dialog, [&] {
        auto* busy = dialog->findChild<QWidget*>(QStringLiteral("EngineBusyDialog"));
        busyEnabled = busy && busy->isVisible() && busy->isEnabled();
        // The dialog cannot go while its run lasts.
        dialog->close();
        stayedOpen = dialog->isVisible();
        if (auto* stop = busy ? busy->findChild<QPushButton*>(QStringLiteral("StopEngineButton")) : nullptr)
            stop->click();
    });
    QElapsedTimer clock;
    clock.start();
    dialog->findChild<QPushButton*>(QStringLiteral("SetAnglesRPFormAndStartNEC2Button"))->click();
    QVERIFY(clock.elapsed() < 15000);
    QVERIFY(busyEnabled);
    QVERIFY(stayedOpen);
    QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("NEC-2 run was stopped.")});
    QVERIFY(dialog->isVisible());
    dialog->close();
}

QTEST_MAIN(NewUserTest)
#include "tst_newuser.moc"
