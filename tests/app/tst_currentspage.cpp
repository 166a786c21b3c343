// The page "Currents and fields" on its own: what its typed calls read from the controls
// (the near-field grid, the wire choice, the reference impedance) and what its setters
// leave on them (the currents chart, the run buttons while a run is waited for).
#include "app/CurrentsPage.h"
#include "results/NearField.h"

#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>

using namespace vrnnec;

namespace {

template <typename T>
T* control(CurrentsPage& page, const char* name)
{
    T* found = page.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

bool busyCursor(const QWidget* w)
{
    return w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::WaitCursor;
}

} // namespace

class CurrentsPageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void nearFieldRequestReadsTheGrid_data()
    {
        QTest::addColumn<QString>("locale");
        // Points X, Y, Z, then origin X, Y, Z, then step X, Y, Z.
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("grid"); // counts, origins, steps when read

        const QStringList plain{"3", "4", "5", "1.5", "-2", "0", "0.25", "1", "2E-1"};
        QTest::newRow("read") << "C" << plain << "" << "3 4 5 1.5 -2 0 0.25 1 0.2";
        QStringList blanks = plain;
        blanks[0] = QStringLiteral(" 7 ");
        blanks[2] = QStringLiteral("-5");
        QTest::newRow("counts trimmed, signs dropped") << "C" << blanks << "" << "7 4 5 1.5 -2 0 0.25 1 0.2";
        QStringList comma{"2", "2", "2", "1,5", "0", "-0,5", "0,1", "1", "1"};
        QTest::newRow("comma locale") << "de_DE" << comma << "" << "2 2 2 1.5 0 -0.5 0.1 1 1";
        QTest::newRow("point refused in comma locale")
            << "de_DE" << plain << "'1.5' is not a valid floating point value" << "";
        QStringList badCount = plain;
        badCount[1] = QStringLiteral("x");
        badCount[8] = QStringLiteral("y");
        QTest::newRow("count before reals") << "C" << badCount << "'x' is not a valid integer value" << "";
        QStringList badStep = plain;
        badStep[6] = QStringLiteral("1..2");
        badStep[4] = QStringLiteral("z");
        QTest::newRow("step X before origin Y") << "C" << badStep << "'1..2' is not a valid floating point value"
                                                << "";
        QStringList none = plain;
        none[2] = QStringLiteral("0");
        QTest::newRow("no points") << "C" << none << QString::fromLatin1(results::nearfieldmessages::kNoPoints)
                                   << "";
        QStringList many = plain;
        many[0] = many[1] = QStringLiteral("1000");
        many[2] = QStringLiteral("2");
        many[3] = QStringLiteral("bad"); // the size is refused before the reals are read
        QTest::newRow("too many points")
            << "C" << many << QString::fromLatin1(results::nearfieldmessages::kTooManyPoints) << "";
    }

    void nearFieldRequestReadsTheGrid()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, texts);
        QFETCH(QString, refusal);
        QFETCH(QString, grid);
        QLocale::setDefault(QLocale(locale));
        CurrentsPage page;
        page.ensureBuilt();
        const char* names[9] = {"PointsXField", "PointsYField", "PointsZField", "X0Field",   "Y0Field",
                                "Z0Field",      "StepXField",   "StepYField",   "StepZField"};
        for (int i = 0; i < 9; ++i)
            control<QLineEdit>(page, names[i])->setText(texts[i]);

        const NearFieldRequest request = page.nearFieldRequest();
        QCOMPARE(request.refusal, refusal);
        if (!refusal.isEmpty())
            return;
        QStringList read;
        for (long long n : request.grid.points)
            read << QString::number(n);
        for (const double* values : {request.grid.origin, request.grid.step})
            for (int k = 0; k < 3; ++k)
                read << QString::number(values[k]);
        QCOMPARE(read.join(' '), grid);
    }

    void nearFieldRequestNamesTheDeck()
    {
        CurrentsPage page;
        page.ensureBuilt();
        QVERIFY(!page.nearFieldRequest().fromEditWindow);
        control<QRadioButton>(page, "NFfromEditWindowCheck")->setChecked(true);
        QVERIFY(page.nearFieldRequest().fromEditWindow);
        QVERIFY(page.greenFunctionFromEditWindow());
        control<QRadioButton>(page, "GFwriteCurrentInputCheck")->setChecked(true);
        QVERIFY(!page.greenFunctionFromEditWindow());
    }

    void theFirstWireIsChosenSilently_data()
    {
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<long long>("first"); // -1: none
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("action");
        QTest::addColumn<long long>("chosen");
        using Action = results::TagChoice::Action;
        QTest::newRow("leading zero") << QStringList{"1", "2", "12"} << 1LL << "012" << int(Action::Chart) << 12LL;
        QTest::newRow("not listed") << QStringList{"7", "8"} << 7LL << "9" << int(Action::Nothing) << 0LL;
        QTest::newRow("no number") << QStringList{"4"} << 4LL << "w4" << int(Action::Error) << 0LL;
        QTest::newRow("no wires") << QStringList{} << -1LL << "" << int(Action::Nothing) << 0LL;
        QTest::newRow("unreadable first") << QStringList{"x", "3"} << -1LL << "3" << int(Action::Chart) << 3LL;
    }

    void theFirstWireIsChosenSilently()
    {
        QFETCH(QStringList, tags);
        QFETCH(long long, first);
        QFETCH(QString, typed);
        QFETCH(int, action);
        QFETCH(long long, chosen);
        CurrentsPage page;
        page.ensureBuilt();
        QSignalSpy changes(&page, &CurrentsPage::currentsChoiceChanged);
        std::vector<std::string> items;
        for (const QString& tag : tags)
            items.push_back(tag.toStdString());
        page.setTags(items);
        page.setTags(items); // a second reading replaces the list
        QCOMPARE(control<QComboBox>(page, "TagNumField")->count(), int(tags.size()));
        const std::optional<long long> selected = page.selectFirstTag();
        QCOMPARE(selected.value_or(-1), first);
        QCOMPARE(changes.count(), 0);

        control<QComboBox>(page, "TagNumField")->setEditText(typed);
        const results::TagChoice choice = page.tagChoice();
        QCOMPARE(int(choice.action), action);
        QCOMPARE(choice.tag, chosen);
        QCOMPARE(choice.message.empty(), choice.action != results::TagChoice::Action::Error);
    }

    void chartOptionsAndResultsState()
    {
        CurrentsPage page;
        page.ensureBuilt();
        QSignalSpy changes(&page, &CurrentsPage::currentsChoiceChanged);
        auto* lengths = control<QCheckBox>(page, "LLCheckBox");
        auto* phase = control<QCheckBox>(page, "PHIndCheckBox");
        for (bool on : {true, false}) {
            lengths->setChecked(on);
            phase->setChecked(!on);
            QCOMPARE(page.distanceInWavelengths(), on);
            QCOMPARE(page.phaseIndicated(), !on);
            page.setResultsRead(on);
            for (const char* name : {"SaveCurrentButton", "TagNumField", "LLCheckBox", "PHIndCheckBox"})
                QCOMPARE(control<QWidget>(page, name)->isEnabled(), on);
        }
        page.setResultsRead(true);
        lengths->click();
        phase->click();
        QCOMPARE(changes.count(), 2);
    }

    void showCurrentsSetsWhatTheChartCarries_data()
    {
        QTest::addColumn<bool>("setAxis");
        QTest::addColumn<bool>("replaceSeries");
        QTest::newRow("everything") << true << true;
        QTest::newRow("title only") << false << false;
        QTest::newRow("axis kept") << false << true;
    }

    void showCurrentsSetsWhatTheChartCarries()
    {
        QFETCH(bool, setAxis);
        QFETCH(bool, replaceSeries);
        CurrentsPage page;
        page.ensureBuilt();
        results::WireCurrentChart first;
        first.title = "first";
        first.setAxis = first.replaceSeries = true;
        first.axisMinimum = -2;
        first.axisMaximum = 2;
        first.points = {{0.0, 0.5}, {0.5, 1.0}};
        page.showCurrents(first);

        results::WireCurrentChart next;
        next.title = "Wire 2";
        next.setAxis = setAxis;
        next.axisMinimum = 0;
        next.axisMaximum = 0.75;
        next.replaceSeries = replaceSeries;
        next.points = {{0.0, 0.1}, {1.0, 0.7}, {2.0, 0.2}};
        page.showCurrents(next);
        QCOMPARE(page.chartModel()->title(), QStringLiteral("Wire 2"));
        QCOMPARE(page.axisLeft()->max(), setAxis ? 0.75 : 2.0);
        QCOMPARE(page.series()->count(), replaceSeries ? 3 : 2);
        QCOMPARE(page.axisBottom()->max(), replaceSeries ? 2.0 : 0.5);
    }

    void swrReferenceTextsWaitForThePage()
    {
        CurrentsPage page;
        QSignalSpy edits(&page, &CurrentsPage::swrReferenceEdited);
        QCOMPARE(page.swrReferenceTexts().r, QStringLiteral("50"));
        QCOMPARE(page.swrReferenceTexts().x, QStringLiteral("0"));
        page.setSwrReferenceTexts({QStringLiteral("75"), QStringLiteral("-5")});
        QVERIFY(!page.isBuilt());
        QCOMPARE(page.swrReferenceTexts().r, QStringLiteral("75"));
        page.ensureBuilt();
        QCOMPARE(control<QLineEdit>(page, "ZSwrReNEC2Field")->text(), QStringLiteral("75"));
        QCOMPARE(control<QLineEdit>(page, "ZSwrImNEC2Field")->text(), QStringLiteral("-5"));
        page.setSwrReferenceTexts({QStringLiteral("60"), QStringLiteral("1")});
        QCOMPARE(page.swrReferenceTexts().x, QStringLiteral("1"));
        QCOMPARE(edits.count(), 0);
        QTest::keyClicks(control<QLineEdit>(page, "ZSwrImNEC2Field"), QStringLiteral("2"));
        QCOMPARE(edits.count(), 1);
        QCOMPARE(page.swrReferenceTexts().x, QStringLiteral("12"));
    }

    void runButtonsWhileARunIsWaitedFor_data()
    {
        QTest::addColumn<int>("run");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("otherGroup");
        QTest::newRow("electric") << int(FieldRun::ElectricField) << "ElectricNFButton" << "GroupBox7" << "GroupBox6";
        QTest::newRow("magnetic") << int(FieldRun::MagneticField) << "MagneticNFButton" << "GroupBox7" << "GroupBox6";
        QTest::newRow("green") << int(FieldRun::GreenFunction) << "GFwriteButton" << "GroupBox6" << "GroupBox7";
    }

    void runButtonsWhileARunIsWaitedFor()
    {
        QFETCH(int, run);
        QFETCH(QString, button);
        QFETCH(QString, group);
        QFETCH(QString, otherGroup);
        CurrentsPage page;
        page.ensureBuilt();
        const char* buttons[3] = {"GFwriteButton", "ElectricNFButton", "MagneticNFButton"};
        page.setGreenFunctionWriteEnabled(true);
        QVERIFY(control<QWidget>(page, "GFwriteButton")->isEnabled());
        QVERIFY(!control<QWidget>(page, "ElectricNFButton")->isEnabled());

        page.setRunBusy(FieldRun(run), true);
        for (const char* name : buttons) {
            QVERIFY(!control<QWidget>(page, name)->isEnabled());
            QCOMPARE(busyCursor(control<QWidget>(page, name)), button == QLatin1String(name));
        }
        QVERIFY(busyCursor(page.findChild<QGroupBox*>(group)));
        QVERIFY(!busyCursor(page.findChild<QGroupBox*>(otherGroup)));

        page.setRunBusy(FieldRun(run), false);
        for (const char* name : buttons) {
            QVERIFY(control<QWidget>(page, name)->isEnabled());
            QVERIFY(!busyCursor(control<QWidget>(page, name)));
        }
        QVERIFY(!busyCursor(page.findChild<QGroupBox*>(group)));
    }

    void buttonsAskForTheirCommands()
    {
        CurrentsPage page;
        page.ensureBuilt();
        page.setFieldRunsEnabled(true);
        page.setResultsRead(true);
        QSignalSpy fields(&page, &CurrentsPage::nearFieldRequested);
        QSignalSpy writes(&page, &CurrentsPage::greenFunctionWriteRequested);
        QSignalSpy copies(&page, &CurrentsPage::copyGreenFunctionRequested);
        QSignalSpy saves(&page, &CurrentsPage::saveCurrentsRequested);
        control<QPushButton>(page, "MagneticNFButton")->click();
        control<QPushButton>(page, "ElectricNFButton")->click();
        control<QPushButton>(page, "GFwriteButton")->click();
        control<QPushButton>(page, "CopyGFButton")->click();
        control<QAction>(page, "CopyGF")->trigger();
        control<QPushButton>(page, "SaveCurrentButton")->click();
        QCOMPARE(fields.count(), 2);
        QCOMPARE(fields[0][0].value<results::NearField>(), results::NearField::Magnetic);
        QCOMPARE(fields[1][0].value<results::NearField>(), results::NearField::Electric);
        QCOMPARE(writes.count(), 1);
        QCOMPARE(copies.count(), 2);
        QCOMPARE(saves.count(), 1);
    }
};

QTEST_MAIN(CurrentsPageTest)
#include "tst_currentspage.moc"
