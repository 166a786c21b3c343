// The typed calls of the pages "Table of results" and "RP plots", offscreen, each page on
// its own: the table's rows after a run's steps, the parameter change group, the wait
// cursor of a calculation, the polarization chosen and the save commands.
#include "app/RPPlotsPage.h"
#include "app/ResultsTablePage.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using vrnnec::Command;
using vrnnec::ResultsTablePage;
using vrnnec::RPPlotsPage;
using vrnnec::results::Polarization;
using vrnnec::results::TableStep;

Q_DECLARE_METATYPE(std::vector<TableStep>)
Q_DECLARE_METATYPE(Polarization)

namespace {

// A control of a page built by one of its calls.
template <typename T>
T* child(QWidget& page, const char* name)
{
    T* found = page.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

} // namespace

class ResultPagesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void tableStepsFillTheRowsNewestOnTop_data()
    {
        QTest::addColumn<std::vector<TableStep>>("steps");
        QTest::addColumn<QString>("rows"); // cells joined by '|' up to the last one filled, rows by " / "
        const TableStep first{true, 0, {"1", "1", "14.2", "73.1", "+j42.5", "2.18"}};
        const TableStep pattern{false, 6, {"Fr.Sp.", "30", "20.0"}};
        const TableStep second{true, 0, {"2", "1", "21.1"}};
        QTest::newRow("first run stays in the empty top row")
            << std::vector<TableStep>{first} << "1|1|14.2|73.1|+j42.5|2.18";
        QTest::newRow("pattern cells join the source row")
            << std::vector<TableStep>{first, pattern} << "1|1|14.2|73.1|+j42.5|2.18|Fr.Sp.|30|20.0";
        QTest::newRow("second run goes on top")
            << std::vector<TableStep>{first, second} << "2|1|21.1 / 1|1|14.2|73.1|+j42.5|2.18";
        QTest::newRow("no new row while column N is empty")
            << std::vector<TableStep>{pattern, TableStep{true, 0, {"3"}}} << "3||||||Fr.Sp.|30|20.0";
    }

    void tableStepsFillTheRowsNewestOnTop()
    {
        QFETCH(std::vector<TableStep>, steps);
        QFETCH(QString, rows);
        ResultsTablePage page;
        page.appendRun({"Frequency:   14.2  MHz", "Source in wire N 1"}, steps);
        const auto shown = [&page] {
            QStringList texts;
            for (const std::vector<QString>& cells : page.rows()) {
                QString text = QStringList(cells.begin(), cells.end()).join('|');
                while (text.endsWith('|'))
                    text.chop(1);
                texts << text;
            }
            return texts.join(QStringLiteral(" / "));
        };
        QCOMPARE(shown(), rows);
        auto* summary = child<QPlainTextEdit>(page, "ImpedanceScreen1");
        QCOMPARE(summary->toPlainText(), QStringLiteral("Frequency:   14.2  MHz\nSource in wire N 1"));
        page.clearSummary();
        QVERIFY(summary->toPlainText().isEmpty());
        QCOMPARE(shown(), rows); // the table keeps its runs
    }

    void parameterChangeGroup()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        // Locale, box offered, box checked, then height and frequency after the rule.
        const std::tuple<QLocale, bool, bool, const char*> cases[] = {
            {QLocale::c(), true, true, "99 21"},      // typed texts stay while the group is open
            {QLocale::c(), false, true, "12.5 7.05"}, // refreshed: the box stays disabled
            {german, true, false, "12,5 7,05"}};      // the file's values come back
        for (const auto& [locale, offer, check, texts] : cases) {
            QLocale::setDefault(locale);
            ResultsTablePage page;
            // The window applies the rule with the file's values whenever the box toggles.
            QObject::connect(&page, &ResultsTablePage::parameterChangeToggled, &page,
                             [&page] { page.applyParameterChange(12.5, 7.05); });
            QSignalSpy frequencies(&page, &ResultsTablePage::frequencyTextChanged);
            page.resetParameterChange(12.5, 7.05, offer);
            QCOMPARE(frequencies.count(), 1); // "14" of the form becomes the file's frequency
            auto* box = child<QCheckBox>(page, "EnableParamChangeCheck");
            QCOMPARE(box->isEnabled(), offer);
            QVERIFY(!page.changesParameters());

            box->setChecked(check);
            auto* heightField = child<QLineEdit>(page, "HAntField");
            for (QWidget* control : {static_cast<QWidget*>(heightField), child<QWidget>(page, "FreqVRNChangeField"),
                                     child<QWidget>(page, "GNDParChangeButton")})
                QCOMPARE(control->isEnabled(), offer && check);
            heightField->setText(QStringLiteral("99"));
            page.setFrequencyText(QStringLiteral("21"));
            page.applyParameterChange(12.5, 7.05);
            QCOMPARE(page.heightText() + ' ' + page.frequencyText(), QString::fromLatin1(texts));
        }
    }

    void frequencyTextIsSetOnlyWhenItDiffers()
    {
        for (auto [text, changes] : {std::pair{"14", 0}, {"14.0", 1}}) {
            ResultsTablePage page;
            page.setFrequencyText(QStringLiteral("14"));
            QSignalSpy spy(&page, &ResultsTablePage::frequencyTextChanged);
            page.setFrequencyText(QString::fromLatin1(text));
            QCOMPARE(spy.count(), changes);
            QCOMPARE(page.frequencyText(), QString::fromLatin1(text));
        }
    }

    void calculationShowsItsWaitCursor()
    {
        const std::tuple<Command, const char*, const char*> cases[] = {
            {Command::CalculateCoated, "Execute1", "Execute_Original1"},
            {Command::CalculateOriginal, "Execute_Original1", "Execute1"}};
        for (auto [command, button, other] : cases) {
            QWidget window; // the page's place in the window's tabs
            auto& page = *new ResultsTablePage(&window);
            page.ensureBuilt();
            for (bool busy : {true, false}) {
                page.showBusy(command, busy);
                QCOMPARE(page.testAttribute(Qt::WA_SetCursor), busy);
                QCOMPARE(child<QPushButton>(page, button)->testAttribute(Qt::WA_SetCursor), busy);
                QCOMPARE(child<QPushButton>(page, button)->cursor().shape(), busy ? Qt::WaitCursor : Qt::ArrowCursor);
                QVERIFY(!child<QPushButton>(page, other)->testAttribute(Qt::WA_SetCursor));
            }
        }
    }

    void patternsAreDrawnInTheChosenPolarization_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Polarization>("polarization");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("ring");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("total") << "TotalDCheck" << Polarization::Total << QLocale::c() << "8.5";
        QTest::newRow("phi") << "PhiDCheck" << Polarization::Phi << QLocale::c() << "8.5";
        QTest::newRow("theta, comma") << "ThetaDCheck" << Polarization::Theta << german << "8,5";
        QTest::newRow("both, comma") << "PhiThetaDCheck" << Polarization::PhiTheta << german << "8,5";
    }

    void patternsAreDrawnInTheChosenPolarization()
    {
        QFETCH(QString, button);
        QFETCH(Polarization, polarization);
        QFETCH(QLocale, locale);
        QFETCH(QString, ring);
        QLocale::setDefault(locale);
        // Total gain on the outer ring, horizontal 3 dB and vertical 6 dB down.
        const double maximum = 8.5;
        vrnnec::engine::PatternCuts cuts;
        for (int phi = 0; phi < 360; ++phi)
            cuts.azimuth.push_back({70.0, double(phi), maximum - 6, maximum - 3, maximum});
        for (int theta = 90; theta >= -90; --theta)
            cuts.elevation.push_back({double(theta), 0.0, maximum - 6, maximum - 3, maximum});
        RPPlotsPage page;
        QCOMPARE(page.polarization(), Polarization::Total);
        auto* radio = child<QRadioButton>(page, qPrintable(button));
        QSignalSpy chosen(&page, &RPPlotsPage::polarizationChosen);
        radio->click(); // disabled until a reading: nothing happens
        QCOMPARE(chosen.count(), 0);
        page.enablePolarization();
        radio->click();
        QCOMPARE(page.polarization(), polarization);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).value<Polarization>(), polarization);

        const vrnnec::results::PolarizationOutcome outcome = page.showPatterns(cuts, maximum);
        QVERIFY(outcome.messages.empty() && outcome.enableSave);
        QCOMPARE(QString::fromStdString(outcome.outerRingText), QStringLiteral("Outer ring level = %1 dBi").arg(ring));
        vrnnec::results::PatternImages expected;
        vrnnec::results::ShowPolarization(expected, cuts, maximum, polarization, '.');
        QVERIFY(page.diagrams().azimuth == expected.azimuth);
        QVERIFY(page.diagrams().elevation == expected.elevation);
        vrnnec::results::PatternImages total;
        vrnnec::results::ShowPolarization(total, cuts, maximum, Polarization::Total, '.');
        QCOMPARE(page.diagrams().azimuth == total.azimuth, polarization == Polarization::Total);
        // A new reading starts from the empty grids.
        page.clearResults();
        QVERIFY(page.diagrams().azimuth == vrnnec::results::PatternImages().azimuth);
    }

    void savesFollowTheirState()
    {
        for (auto [azimuthAndResults, elevation] : {std::pair{true, false}, {false, true}}) {
            RPPlotsPage page;
            page.setSavesEnabled(azimuthAndResults, elevation);
            QCOMPARE(child<QAction>(page, "SaveRP")->isEnabled(), azimuthAndResults);
            QCOMPARE(child<QAction>(page, "SaveRes")->isEnabled(), azimuthAndResults);
            QCOMPARE(child<QAction>(page, "SaveElevationPlot")->isEnabled(), elevation);
        }
    }

    void summaryLinesAreWhatIsSaved()
    {
        const std::vector<std::string> cases[] = {
            {}, {"Frequency:   14.15  MHz"}, {"Frequency:   14.15  MHz", "", "Max gain = 2.1 dBi"}};
        for (const std::vector<std::string>& lines : cases) {
            RPPlotsPage page;
            page.setOuterRingText(QStringLiteral("Outer ring level = 2.1 dBi"));
            page.appendSummary(lines);
            QCOMPARE(page.summaryLines(), lines);
            page.clearResults();
            QVERIFY(page.summaryLines().empty());
            QCOMPARE(child<QLabel>(page, "OuterRingGainInfo")->text(), QStringLiteral(" "));
        }
    }
};

QTEST_MAIN(ResultPagesTest)
#include "tst_resultpages.moc"
