// The commands with several entries (buttons on two pages, menu entries): in every state
// of the program each entry shows its command's enabled state, and each entry gives its
// command once. The pages after the first are built when first needed, with the
// settings and mirrored texts that belong to them.
#include "AppTestSupport.h"

#include "app/LazyPage.h"
#include "WindowControls.h"
#include "engine/ListingParse.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {

const char* const kAntennaFile = TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn";

// One character per command, in the order of vrnnec::kCommands: 1 enabled, 0 disabled,
// ? when its entries disagree with each other or with the command's action; then one for
// the controls a reading offers (the saves and the currents chart's), all alike. A button
// counts as enabled when it would be with the window's controls enabled (a run disables
// the whole page area meanwhile).
QString commandStates(TForm1& w)
{
    WindowControls u(w);
    const auto on = [&w](QObject* entry) {
        const auto* widget = qobject_cast<QWidget*>(entry);
        return widget != nullptr ? widget->isEnabledTo(w.centralWidget()) : qobject_cast<QAction*>(entry)->isEnabled();
    };
    const auto states = [&](std::optional<Command> command, const QList<QObject*>& entries) {
        const bool enabled = command ? w.commandAction(*command)->isEnabled() : on(entries.first());
        const bool agree = std::all_of(entries.begin(), entries.end(), [&](QObject* e) { return on(e) == enabled; });
        return QChar(!agree ? '?' : enabled ? '1' : '0');
    };
    const QChar chars[] = {states(Command::FindAntennaFile, {u.ButtonVRNfileFind, u.ButtonVRNfileFind1}),
                           states(Command::Refresh, {u.RefreshButton, u.RefreshButton1}),
                           states(Command::CalculateOriginal, {u.Execute_Original, u.Execute_Original1}),
                           states(Command::CalculateCoated, {u.Execute, u.Execute1}),
                           states(Command::Viewer, {u.ViewerCallButton, u.ViewerCallButton1, u.ViewerCall, u.ViewerCall1}),
                           states(Command::AnglesDialog, {u.SetAnglesforRPcalculations, u.SetAnglesforRPcalculations1}),
                           states(Command::FrequencyPlots, {u.FreqPlotsShowMenuItem, u.FreqPlotsShowMenuItem1}),
                           QChar(' '),
                           states(std::nullopt, {u.SaveRP, u.SaveRes, u.SaveElevationPlot, u.SaveCurrentButton, u.TagNumField,
                                                 u.LLCheckBox, u.PHIndCheckBox})};
    return QString(chars, std::size(chars));
}

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void entriesFollowTheProgramState_data();
    void entriesFollowTheProgramState();
    void eachEntryGivesItsCommandOnce_data();
    void eachEntryGivesItsCommandOnce();
    void pagesAreBuiltWhenFirstNeeded_data();
    void pagesAreBuiltWhenFirstNeeded();
    void hiddenPagesTakeTheirSettingsAndMirrors();
    void aPageBuiltWhenShownLooksAsBuiltBefore();

private:
    AppTestSupport support;
};

enum class State { NoFile, FilePicked, Converted, ResultsRead, RunInProgress };
Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(vrnnec::Command)

void CommandsTest::entriesFollowTheProgramState_data()
{
    QTest::addColumn<State>("state");
    // Find, Refresh, Calculate at original, Calculate (coated), Viewer, RP angles, Frequency
    // plots; then the controls a reading offers.
    QTest::addColumn<QString>("expected");
    QTest::newRow("no file") << State::NoFile << "1000000 0";
    QTest::newRow("file picked") << State::FilePicked << "1111000 0";
    QTest::newRow("converted") << State::Converted << "1111011 0";
    QTest::newRow("results read") << State::ResultsRead << "1111111 1";
    QTest::newRow("run in progress") << State::RunInProgress << "1100000 0";
}

void CommandsTest::entriesFollowTheProgramState()
{
    QFETCH(State, state);
    QFETCH(QString, expected);
    // An engine that runs until it is stopped.
    support.writeFile(QStringLiteral("GoNec.bat"), "#!/bin/sh\nsleep 30\n", true);
    TForm1& w = support.createWindow();
    WindowControls u(w);
    if (state == State::RunInProgress)
        w.show();
    if (state != State::NoFile)
        w.OpenAntennaFile(QString::fromLatin1(kAntennaFile));
    QString seen = commandStates(w);
    if (state == State::Converted) {
        u.ShowNEC2InputCheck->setChecked(true);
        u.Execute_Original->click();
        seen = commandStates(w);
    } else if (state == State::ResultsRead) {
        w.ReadEngineOutput(engine::ParseListing(
            QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out").toStdString(), {}));
        seen = commandStates(w);
    } else if (state == State::RunInProgress) {
        QTimer::singleShot(300, &w, [&] {
            seen = commandStates(w);
            if (auto* stop = w.findChild<QPushButton*>(QStringLiteral("StopEngineButton")))
                stop->click();
        });
        u.Execute_Original1->click();
        QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("NEC-2 run was stopped.")});
        // After the run the calculations are offered again.
        QCOMPARE(commandStates(w), QStringLiteral("1111000 0"));
    }
    QCOMPARE(seen, expected);
}

void CommandsTest::eachEntryGivesItsCommandOnce_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("pagesFirst");
    for (const bool pagesFirst : {false, true}) {
        const QString suffix = pagesFirst ? QStringLiteral("1") : QString();
        for (const auto& [name, command] : {std::pair{"ButtonVRNfileFind", Command::FindAntennaFile},
                                            std::pair{"RefreshButton", Command::Refresh}})
            QTest::newRow(qPrintable(QLatin1String(name) + suffix)) << QLatin1String(name) + suffix << command << pagesFirst;
    }
}

void CommandsTest::eachEntryGivesItsCommandOnce()
{
    QFETCH(QString, entry);
    QFETCH(Command, command);
    QFETCH(bool, pagesFirst);
    TForm1& w = support.createWindow();
    w.session().commands.antennaFile = true;
    w.updateCommands();
    if (pagesFirst)
        w.buildPages();
    QCOMPARE(w.pagesBuilt(), pagesFirst);
    QVERIFY(w.commandAction(command)->isEnabled());
    QSignalSpy given(w.commandAction(command), &QAction::triggered);
    auto* button = w.findChild<QPushButton*>(entry);
    QVERIFY(button != nullptr);
    button->click();
    QCOMPARE(given.count(), 1);
    // "Find" asked for a file and got none; "Refresh" read the empty file name once and
    // said so once.
    QCOMPARE(support.dialogs.messages.size(), command == Command::Refresh ? 1 : 0);
}

void CommandsTest::pagesAreBuiltWhenFirstNeeded_data()
{
    QTest::addColumn<QString>("need");
    QTest::newRow("a page shown") << "tab";
    QTest::newRow("the controls asked for") << "ui";
    QTest::newRow("an antenna file opened") << "open";
    QTest::newRow("the settings written") << "save";
    QTest::newRow("nothing") << "";
}

void CommandsTest::pagesAreBuiltWhenFirstNeeded()
{
    QFETCH(QString, need);
    TForm1& w = support.createWindow();
    auto* results = w.findChild<LazyPage*>(QStringLiteral("TabSheet3"));
    auto* currents = w.findChild<LazyPage*>(QStringLiteral("TabSheet5"));
    QVERIFY(results != nullptr && currents != nullptr);
    QVERIFY(w.findChild<LazyPage*>(QStringLiteral("TabSheet1"))->isBuilt());

    if (need == QLatin1String("tab"))
        w.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(4);
    else if (need == QLatin1String("ui"))
        QVERIFY(WindowControls(w).ResultsTable != nullptr);
    else if (need == QLatin1String("open"))
        w.OpenAntennaFile(QString::fromLatin1(kAntennaFile));
    else if (need == QLatin1String("save"))
        w.saveSettings();
    const bool built = !need.isEmpty();
    QCOMPARE(w.pagesBuilt(), built);
    QCOMPARE(results->isBuilt(), built);
    QCOMPARE(currents->isBuilt(), built);
    QCOMPARE(results->findChildren<QWidget*>().isEmpty(), !built);
    QCOMPARE(w.findChild<QWidget*>(QStringLiteral("ResultsTable")) != nullptr, built);
}

// The settings the pages show once built are checked with the settings file; here what
// counts before they are built, and the fields that mirror the first page's.
void CommandsTest::hiddenPagesTakeTheirSettingsAndMirrors()
{
    support.prepare("[Angles]\nAzimuth=120\n[NEC2SwrZ]\nRe=75\nIm=-5\n");
    TForm1& w = support.createWindow();
    QVERIFY(!w.pagesBuilt());
    QCOMPARE(w.session().EditWindowSwrReference.r, 75.0);
    QCOMPARE(w.session().EditWindowSwrReference.x, -5.0);
    WindowControls u(w);
    const std::pair<QLineEdit*, QString> fields[] = {{u.ZSwrImNEC2Field, QStringLiteral("-5")},
                                                     {u.Azimuth1Field, QStringLiteral("120")},
                                                     {u.FreqVRNChangeField, u.FreqField->text()}};
    for (const auto& [field, text] : fields)
        QCOMPARE(field->text(), text);
    QCOMPARE(support.dialogs.messages, QStringList());
}

void CommandsTest::aPageBuiltWhenShownLooksAsBuiltBefore()
{
    const auto shots = [](TForm1& w) {
        QList<QImage> images;
        auto* pages = w.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        for (int page = 1; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QTest::qWait(20);
            images << pages->currentWidget()->grab().toImage();
        }
        return images;
    };
    TForm1& before = support.createWindow();
    before.buildPages();
    before.show();
    QVERIFY(QTest::qWaitForWindowExposed(&before));
    const QList<QImage> built = shots(before);
    support.destroyWindow();

    TForm1& shown = support.createWindow();
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    QVERIFY(!shown.pagesBuilt());
    const QList<QImage> onShow = shots(shown);
    QVERIFY(shown.pagesBuilt());
    QCOMPARE(onShow.size(), 4);
    for (int i = 0; i < onShow.size(); ++i)
        QVERIFY2(onShow.at(i) == built.at(i), qPrintable(QStringLiteral("page %1").arg(i + 2)));
}

QTEST_MAIN(CommandsTest)
#include "tst_commands.moc"
