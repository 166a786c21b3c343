// The page "Data sheet" on its own: the values the calculations read from its fields
// (the first field that does not convert stops them), what an antenna file's preview
// shows, the saved angle bar positions, the settings read and set by control name, and
// which changes outdate the last deck.
#include "app/DataSheetPage.h"
#include "app/GroundControls.h"
#include "common/NumberText.h"
#include "engine/AntennaPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <map>

using namespace vrnnec;

namespace {

using Texts = std::map<QString, QString>;

QString refusalOf(const char* text)
{
    return QString::fromStdString(numtext::invalidFloatMessage(text));
}

// A built page with the given field texts.
std::unique_ptr<DataSheetPage> pageWith(const Texts& texts)
{
    auto page = std::make_unique<DataSheetPage>();
    page->ensureBuilt();
    for (const auto& [name, text] : texts) {
        if (auto* combo = page->findChild<QComboBox*>(name))
            combo->setEditText(text);
        else
            page->findChild<QLineEdit*>(name)->setText(text);
    }
    return page;
}

} // namespace

class DataSheetTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void conversionOptionsFromTheFields_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<double>("theta");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<double>("sigma");
        const Texts good{{"AngleElevField", "20"}, {"AngleAzField", "15"}, {"EPSField", "13"}, {"SigmaField", "5"}};
        QTest::newRow("all convert") << false << good << QString() << 70.0 << 15.0 << 0.005;
        Texts badAzimuth = good;
        badAzimuth["AngleAzField"] = "1O";
        QTest::newRow("azimuth refused") << false << badAzimuth << refusalOf("1O") << 70.0 << 0.0 << 0.0;
        Texts twoBad = good;
        twoBad["EPSField"] = "x";
        twoBad["SigmaField"] = "y";
        QTest::newRow("the first of two refused fields") << false << twoBad << refusalOf("x") << 70.0 << 15.0 << 0.0;
        Texts comma = good;
        comma["AngleElevField"] = "12,5";
        comma["SigmaField"] = "7,5";
        QTest::newRow("comma locale") << true << comma << QString() << 77.5 << 15.0 << 0.0075;
        QTest::newRow("point in a comma locale")
            << true << Texts{{"AngleElevField", "12.5"}} << refusalOf("12.5") << 0.0 << 0.0 << 0.0;
    }
    void conversionOptionsFromTheFields()
    {
        QFETCH(bool, comma);
        QFETCH(Texts, texts);
        QFETCH(QString, refusal);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto page = pageWith(texts);
        const DataSheetPage::Checked<conversion::ConversionOptions> read = page->conversionOptions();
        QCOMPARE(read.refusal, refusal);
        QCOMPARE(read.ok(), refusal.isEmpty());
        if (!read.ok())
            return;
        QFETCH(double, theta);
        QFETCH(double, azimuth);
        QFETCH(double, sigma);
        QCOMPARE(read.value.thetaDeg, theta);
        QCOMPARE(read.value.azimuthDeg, azimuth);
        QCOMPARE(read.value.groundEps, 13.0);
        QCOMPARE(read.value.groundSigma, sigma);
    }

    void coatInputsAndFrequency_data()
    {
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QList<double>>("numbers"); // wire, coat, permittivity, shorter, frequency
        const Texts good{
            {"RwDField", "1"}, {"RDField", "2.5"}, {"EpsDielField", "3"}, {"UkorField", "4.2"}, {"FreqField", "14.1"}};
        QTest::newRow("all convert") << good << QString() << QList<double>{1, 2.5, 3, 4.2, 14.1};
        Texts badRadius = good;
        badRadius["RwDField"] = "";
        QTest::newRow("empty wire radius") << badRadius << refusalOf("") << QList<double>{};
        Texts badShorter = good;
        badShorter["UkorField"] = "4,2";
        QTest::newRow("shortening refused") << badShorter << refusalOf("4,2") << QList<double>{};
    }
    void coatInputsAndFrequency()
    {
        QFETCH(Texts, texts);
        QFETCH(QString, refusal);
        QFETCH(QList<double>, numbers);
        const auto page = pageWith(texts);
        page->findChild<QCheckBox*>("Y_Shrinking_CheckBox")->setChecked(false);
        const DataSheetPage::Checked<coat::CoatInputs> read = page->coatInputs();
        QCOMPARE(read.refusal, refusal);
        if (!read.ok())
            return;
        QCOMPARE((QList<double>{read.value.wireRadiusMm, read.value.coatRadiusMm, read.value.permittivity,
                                read.value.shorterPercent, page->frequencyMHz().value}),
                 numbers);
        QCOMPARE((QList<bool>{read.value.shrinkX, read.value.shrinkY, read.value.shrinkZ}),
                 (QList<bool>{true, false, true}));
    }

    void previewShowsGroundRadiiAndShrinking_data()
    {
        QTest::addColumn<int>("groundType");
        QTest::addColumn<QList<double>>("radii");
        QTest::addColumn<QString>("groundFlags"); // perfect/sommerfeld checked, enabled; values enabled
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<bool>("shrinking");
        using antenna::GroundType;
        QTest::newRow("free space, one radius")
            << int(GroundType::FreeSpace) << QList<double>{1, 1, 1} << "10 00 0" << QStringList{"1"} << true;
        QTest::newRow("perfect ground, two radii") << int(GroundType::PerfectGround) << QList<double>{1.5, 2, 1.5}
                                                   << "10 10 0" << QStringList{"1.5", "2"} << false;
        QTest::newRow("real ground, one radius")
            << int(GroundType::RealGround) << QList<double>{0.8} << "01 11 1" << QStringList{"0.8"} << true;
        QTest::newRow("no wires") << int(GroundType::RealGround) << QList<double>{} << "01 11 1" << QStringList{}
                                  << false;
    }
    void previewShowsGroundRadiiAndShrinking()
    {
        QFETCH(int, groundType);
        QFETCH(QList<double>, radii);
        QFETCH(QString, groundFlags);
        QFETCH(QStringList, offered);
        QFETCH(bool, shrinking);
        const auto page = pageWith({{"UkorField", "3.5"}, {"RwDField", "1.25"}});
        AntennaPreview preview;
        preview.frequency = 21.25;
        preview.groundType = static_cast<antenna::GroundType>(groundType);
        preview.radiiMm.assign(radii.begin(), radii.end());
        page->showPreview(preview);

        const ground::ControlsState s = page->groundControls().state();
        const auto bit = [](bool on) { return on ? QLatin1Char('1') : QLatin1Char('0'); };
        QCOMPARE(QString() + bit(s.perfectChecked) + bit(s.sommerfeldChecked) + ' ' + bit(s.perfectEnabled)
                     + bit(s.sommerfeldEnabled) + ' ' + bit(s.epsEnabled && s.sigmaEnabled && s.standardEnabled),
                 groundFlags);
        QCOMPARE(page->frequencyText(), QStringLiteral("21.25"));
        auto* wires = page->findChild<QComboBox*>("RwDField");
        QStringList items;
        for (int i = 0; i < wires->count(); ++i)
            items << wires->itemText(i);
        QCOMPARE(items, offered);
        // Without wires the field keeps the radius it showed.
        QCOMPARE(wires->currentText(), offered.value(0, QStringLiteral("1.25")));
        for (const char* name : {"UkorField", "UkorBar", "X_Shrinking_CheckBox", "Z_Shrinking_CheckBox"})
            QCOMPARE(page->findChild<QWidget*>(name)->isEnabled(), shrinking);
        // Shrinking not offered: the shortening goes back to 0.
        QCOMPARE(page->findChild<QLineEdit*>("UkorField")->text(),
                 shrinking ? QStringLiteral("3.5") : QStringLiteral("0"));
    }

    void savedAngleBarPositionsAreBroughtIntoRange_data()
    {
        QTest::addColumn<QVariant>("elevation"); // none: nothing saved
        QTest::addColumn<QVariant>("azimuth");
        QTest::addColumn<int>("elevationBar");
        QTest::addColumn<int>("azimuthBar");
        QTest::newRow("in range") << QVariant(45LL) << QVariant(270LL) << 45 << 270;
        QTest::newRow("beyond the ends") << QVariant(200LL) << QVariant(1000LL) << 90 << 360;
        QTest::newRow("below the start") << QVariant() << QVariant(-10LL) << 7 << 0;
        QTest::newRow("none saved") << QVariant() << QVariant() << 7 << 9;
    }
    void savedAngleBarPositionsAreBroughtIntoRange()
    {
        QFETCH(QVariant, elevation);
        QFETCH(QVariant, azimuth);
        const auto page = pageWith({});
        page->setPatternAngles(7, 9);
        const auto saved = [](const QVariant& value) {
            return value.isValid() ? std::optional<long long>(value.toLongLong()) : std::nullopt;
        };
        page->setAngleBarPositions(saved(elevation), saved(azimuth));
        QTEST(page->patternAngles().elevationPosition, "elevationBar");
        QTEST(page->patternAngles().azimuthPosition, "azimuthBar");
        QCOMPARE(page->patternAngles().elevationText, QStringLiteral("7")); // the fields keep their texts
    }

    void settingsByControlName_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("value"); // for a flag "1" or "0"
        QTest::addColumn<bool>("onPage");
        QTest::newRow("ground permittivity") << "EPSField" << false << "21" << true;
        QTest::newRow("standard ground") << "GroundListComboBox" << false << "Very poor (Eps=3, Sigma=0.1)" << true;
        QTest::newRow("coat permittivity") << "EpsDielField" << false << "2,3" << true;
        QTest::newRow("another page's field") << "ZSwrReNEC2Field" << false << "75" << false;
        QTest::newRow("a page's button is no field") << "Execute" << false << "x" << false;
        QTest::newRow("conversion switch") << "ShowNEC2InputCheck" << true << "1" << true;
        QTest::newRow("shrink switch off") << "X_Shrinking_CheckBox" << true << "0" << true;
        QTest::newRow("another page's switch") << "ReadADMCheck" << true << "1" << false;
    }
    void settingsByControlName()
    {
        QFETCH(QString, control);
        QFETCH(bool, flag);
        QFETCH(QString, value);
        QFETCH(bool, onPage);
        const auto page = pageWith({});
        if (flag) {
            const bool checked = value == QLatin1String("1");
            QCOMPARE(page->applySettingFlag(control, checked), onPage);
            QCOMPARE(page->settingFlag(control), onPage ? std::optional<bool>(checked) : std::nullopt);
        } else {
            QCOMPARE(page->applySettingText(control, value), onPage);
            QCOMPARE(page->settingText(control), onPage ? std::optional<QString>(value) : std::nullopt);
        }
    }

    void changesThatOutdateTheDeck_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("outdates");
        for (const char* name : {"EPSField", "SigmaField", "RDField", "EpsDielField", "UkorField", "RwDField",
                                 "EKSwitchCheck", "CDSVSCheck", "DM2AllSegmentationCheck"})
            QTest::newRow(name) << name << true;
        // Read afresh by every calculation, or not part of the deck.
        for (const char* name :
             {"FreqField", "AngleElevField", "AngleAzField", "ShowNEC2InputCheck", "X_Shrinking_CheckBox"})
            QTest::newRow(name) << name << false;
    }
    void changesThatOutdateTheDeck()
    {
        QFETCH(QString, control);
        QFETCH(bool, outdates);
        const auto page = pageWith({});
        QSignalSpy outdated(page.get(), &DataSheetPage::conversionInputChanged);
        if (auto* box = page->findChild<QCheckBox*>(control))
            box->toggle();
        else if (auto* combo = page->findChild<QComboBox*>(control))
            combo->setEditText(QStringLiteral("3.3"));
        else
            page->findChild<QLineEdit*>(control)->setText(QStringLiteral("3.3"));
        QCOMPARE(outdated.count() > 0, outdates);
    }

    void mirroredTextsAreSignalled()
    {
        const auto page = pageWith({});
        QSignalSpy elevation(page.get(), &DataSheetPage::elevationTextChanged);
        QSignalSpy frequency(page.get(), &DataSheetPage::frequencyTextChanged);
        QSignalSpy path(page.get(), &DataSheetPage::antennaPathChanged);
        page->setPatternAngles(12.5, 30);
        page->setFrequencyText(QStringLiteral("7.1"));
        page->setFrequencyText(QStringLiteral("7.1")); // unchanged: no second signal
        page->setAntennaPath(QStringLiteral("/antennas/a.vrn"));
        QCOMPARE(elevation.count(), 1);
        QCOMPARE(elevation.first().first().toString(), QStringLiteral("12.5"));
        QCOMPARE(frequency.count(), 1);
        QCOMPARE(path.count(), 1);
        QCOMPARE(path.first().first().toString(), page->antennaPath());
    }

    void busyCursorOverWhatTheCalculationStandsFor_data()
    {
        QTest::addColumn<bool>("coated");
        QTest::addColumn<QStringList>("covered");
        QTest::newRow("coated wires") << true << QStringList{"GroupBox3", "Execute"};
        QTest::newRow("original file") << false << QStringList{"TabSheet1", "Execute_Original"};
    }
    void busyCursorOverWhatTheCalculationStandsFor()
    {
        QFETCH(bool, coated);
        QFETCH(QStringList, covered);
        const auto page = pageWith({});
        const auto waiting = [&page](const QString& name) {
            const QWidget* w = name == page->objectName() ? page.get() : page->findChild<QWidget*>(name);
            return w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::WaitCursor;
        };
        page->setCalculationBusy(coated, true);
        for (const QString name : {"TabSheet1", "GroupBox3", "Execute", "Execute_Original"})
            QVERIFY2(waiting(name) == covered.contains(name), qPrintable(name));
        page->setCalculationBusy(coated, false);
        for (const QString& name : covered)
            QVERIFY2(!waiting(name), qPrintable(name));
    }
};

QTEST_MAIN(DataSheetTest)
#include "tst_datasheet.moc"
