// The page "Currents and fields" on its own: what its typed calls read from the controls
// (the near-field grid, the wire choice, the reference impedance) and what its setters
// leave on them (the currents chart, the run buttons while a run is waited for).
#include "app/CurrentsPage.h"
#include "results/NearField.h"

#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QValueAxis>

using namespace vrnnec;

namespace {

template <typename T = QWidget>
T* control(CurrentsPage& page, const QString& name)
{
    T* found = page.findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
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
        QTest::addColumn<QString>("texts");   // points X|Y|Z|origin X|Y|Z|step X|Y|Z
        QTest::addColumn<QString>("outcome"); // the refusal, else counts, origins and steps read
        const QString tooMany = QString::fromLatin1(results::nearfieldmessages::kTooManyPoints);
        const QString rows[][4] = {
            {"counts trimmed, signs dropped", "C", " 7 |4|-5|1.5|-2|0|0.25|1|2E-1", "7 4 5 1.5 -2 0 0.25 1 0.2"},
            {"comma locale", "de_DE", "2|2|2|1,5|0|-0,5|0,1|1|1", "2 2 2 1.5 0 -0.5 0.1 1 1"},
            {"point refused in comma", "de_DE", "3|4|5|1.5|-2|0|0.25|1|2", "'1.5' is not a valid floating point value"},
            {"count before reals", "C", "3|x|5|1|1|1|1|1|y", "'x' is not a valid integer value"},
            {"step X before origin Y", "C", "3|4|5|1|z|0|1..2|1|1", "'1..2' is not a valid floating point value"},
            {"size before reals", "C", "1000|1000|2|bad|0|0|1|1|1", tooMany},
        };
        for (const auto& row : rows)
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
    }

    void nearFieldRequestReadsTheGrid()
    {
        QFETCH(QString, locale);
        QFETCH(QString, texts);
        QFETCH(QString, outcome);
        QLocale::setDefault(QLocale(locale));
        CurrentsPage page;
        page.ensureBuilt();
        const QStringList names{"PointsXField", "PointsYField", "PointsZField", "X0Field",   "Y0Field",
                                "Z0Field",      "StepXField",   "StepYField",   "StepZField"};
        for (int i = 0; i < 9; ++i)
            control<QLineEdit>(page, names[i])->setText(texts.split('|').at(i));

        const NearFieldRequest request = page.nearFieldRequest();
        QStringList read;
        for (long long n : request.grid.points)
            read << QString::number(n);
        for (const double* values : {request.grid.origin, request.grid.step})
            for (int k = 0; k < 3; ++k)
                read << QString::number(values[k]);
        QCOMPARE(request.refusal.isEmpty() ? read.join(' ') : request.refusal, outcome);
    }

    void theFirstWireIsChosenSilently_data()
    {
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<long long>("first"); // -1: none
        QTest::addColumn<QString>("typed");
        QTest::addColumn<long long>("chosen"); // 0: no chart
        QTest::newRow("leading zero") << QStringList{"1", "2", "12"} << 1LL << "012" << 12LL;
        QTest::newRow("not listed") << QStringList{"7", "8"} << 7LL << "9" << 0LL;
        QTest::newRow("no wires") << QStringList{} << -1LL << "" << 0LL;
        QTest::newRow("unreadable first") << QStringList{"x", "3"} << -1LL << "3" << 3LL;
    }

    void theFirstWireIsChosenSilently()
    {
        QFETCH(QStringList, tags);
        QFETCH(long long, first);
        QFETCH(QString, typed);
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
        QCOMPARE(page.selectFirstTag().value_or(-1), first);
        QCOMPARE(changes.count(), 0);

        control<QComboBox>(page, "TagNumField")->setEditText(typed);
        const results::TagChoice choice = page.tagChoice();
        QCOMPARE(choice.action == results::TagChoice::Action::Chart, chosen != 0);
        QCOMPARE(choice.tag, chosen);
    }

    void showCurrentsSetsWhatTheChartCarries()
    {
        // Each chart: message, title, axis set, its range, series replaced, points.
        for (auto [setAxis, replaceSeries] : {std::pair{true, true}, {false, false}, {false, true}}) {
            CurrentsPage page;
            page.ensureBuilt();
            page.showCurrents({"", "first", true, -2, 2, true, {{0.0, 0.5}, {0.5, 1.0}}});
            page.showCurrents({"", "Wire 2", setAxis, 0, 0.75, replaceSeries, {{0.0, 0.1}, {1.0, 0.7}, {2.0, 0.2}}});
            QCOMPARE(page.chartModel()->title(), QStringLiteral("Wire 2"));
            QCOMPARE(page.axisLeft()->max(), setAxis ? 0.75 : 2.0);
            QCOMPARE(page.series()->count(), replaceSeries ? 3 : 2);
            QCOMPARE(page.axisBottom()->max(), replaceSeries ? 2.0 : 0.5);
        }
    }

    void swrReferenceTextsWaitForThePage()
    {
        CurrentsPage page;
        QSignalSpy edits(&page, &CurrentsPage::swrReferenceEdited);
        QCOMPARE(page.swrReferenceTexts().r + ' ' + page.swrReferenceTexts().x, QStringLiteral("50 0"));
        page.setSwrReferenceTexts({QStringLiteral("75"), QStringLiteral("-5")});
        QVERIFY(!page.isBuilt());
        QCOMPARE(page.swrReferenceTexts().r, QStringLiteral("75"));
        page.ensureBuilt();
        QCOMPARE(control<QLineEdit>(page, "ZSwrReNEC2Field")->text(), QStringLiteral("75"));
        QCOMPARE(control<QLineEdit>(page, "ZSwrImNEC2Field")->text(), QStringLiteral("-5"));
        page.setSwrReferenceTexts({QStringLiteral("60"), QStringLiteral("1")});
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
        QTest::newRow("electric") << int(FieldRun::ElectricField) << "ElectricNFButton"
                                  << "GroupBox7"
                                  << "GroupBox6";
        QTest::newRow("magnetic") << int(FieldRun::MagneticField) << "MagneticNFButton"
                                  << "GroupBox7"
                                  << "GroupBox6";
        QTest::newRow("green") << int(FieldRun::GreenFunction) << "GFwriteButton"
                               << "GroupBox6"
                               << "GroupBox7";
    }

    void runButtonsWhileARunIsWaitedFor()
    {
        QFETCH(int, run);
        QFETCH(QString, button);
        QFETCH(QString, group);
        QFETCH(QString, otherGroup);
        CurrentsPage page;
        page.ensureBuilt();
        const QStringList buttons{"GFwriteButton", "ElectricNFButton", "MagneticNFButton"};
        for (bool busy : {true, false}) {
            page.setRunBusy(FieldRun(run), busy);
            for (const QString& name : buttons) {
                QCOMPARE(control(page, name)->isEnabled(), !busy);
                QCOMPARE(busyCursor(control(page, name)), busy && button == name);
            }
            QCOMPARE(busyCursor(control<QGroupBox>(page, group)), busy);
            QVERIFY(!busyCursor(control<QGroupBox>(page, otherGroup)));
        }
    }
};

QTEST_MAIN(CurrentsPageTest)
#include "tst_currentspage.moc"
