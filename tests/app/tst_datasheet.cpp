// The page "Data sheet" on its own: the values the calculations read from its fields
// (the first field that does not convert stops them), what an antenna file's preview
// shows, the pattern angles and saved bar positions, and the busy cursor of a
// calculation.
#include "app/DataSheetPage.h"
#include "app/GroundControls.h"
#include "common/NumberText.h"
#include "engine/AntennaPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
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

    // Both readers: the conversion options and the coated wire inputs with the frequency.
    void valuesReadFromTheFields_data()
    {
        QTest::addColumn<bool>("coat");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<QString>("refusal");
        // theta, azimuth, permittivity, conductivity; or wire, coat, permittivity, shorter, frequency
        QTest::addColumn<QList<double>>("numbers");
        const auto row = [](const char* name, bool coat, bool comma, const Texts& texts, const QString& refusal,
                            const QList<double>& numbers = {}) {
            QTest::newRow(name) << coat << comma << texts << refusal << numbers;
        };
        const auto with = [](Texts texts, const Texts& changes) {
            for (const auto& [name, text] : changes)
                texts[name] = text;
            return texts;
        };
        const Texts ground{{"AngleElevField", "20"}, {"AngleAzField", "15"}, {"EPSField", "13"}, {"SigmaField", "5"}};
        row("ground: all convert", false, false, ground, {}, {70, 15, 13, 0.005});
        row("ground: the first of two refused", false, false,
            with(ground, {{"AngleAzField", "1O"}, {"SigmaField", "y"}}), refusalOf("1O"));
        row("ground: comma locale", false, true, with(ground, {{"AngleElevField", "12,5"}, {"SigmaField", "7,5"}}), {},
            {77.5, 15, 13, 0.0075});
        row("ground: point in a comma locale", false, true, {{"AngleElevField", "12.5"}}, refusalOf("12.5"));
        const Texts coat{
            {"RwDField", "1"}, {"RDField", "2.5"}, {"EpsDielField", "3"}, {"UkorField", "4.2"}, {"FreqField", "14.1"}};
        row("coat: all convert", true, false, coat, {}, {1, 2.5, 3, 4.2, 14.1});
        row("coat: empty wire radius", true, false, with(coat, {{"RwDField", ""}}), refusalOf(""));
        row("coat: comma refused", true, false, with(coat, {{"UkorField", "4,2"}}), refusalOf("4,2"));
    }
    void valuesReadFromTheFields()
    {
        QFETCH(bool, coat);
        QFETCH(bool, comma);
        QFETCH(Texts, texts);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto page = pageWith(texts);
        page->findChild<QCheckBox*>("Y_Shrinking_CheckBox")->setChecked(false);
        QString refusal;
        QList<double> numbers;
        if (coat) {
            const auto [c, why] = page->coatInputs();
            refusal = why;
            numbers = {c.wireRadiusMm, c.coatRadiusMm, c.permittivity, c.shorterPercent, page->frequencyMHz().value};
            QCOMPARE((QList<bool>{c.shrinkX, c.shrinkY, c.shrinkZ}), (QList<bool>{true, false, true}));
        } else {
            const auto [o, why] = page->conversionOptions();
            refusal = why;
            numbers = {o.thetaDeg, o.azimuthDeg, o.groundEps, o.groundSigma};
        }
        QTEST(refusal, "refusal");
        if (refusal.isEmpty())
            QTEST(numbers, "numbers");
    }

    void previewShowsGroundRadiiAndShrinking_data()
    {
        QTest::addColumn<int>("groundType");
        QTest::addColumn<QList<double>>("radii");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<bool>("shrinking");
        using antenna::GroundType;
        QTest::newRow("free space, one radius")
            << int(GroundType::FreeSpace) << QList<double>{1, 1, 1} << QStringList{"1"} << true;
        QTest::newRow("perfect ground, two radii")
            << int(GroundType::PerfectGround) << QList<double>{1.5, 2, 1.5} << QStringList{"1.5", "2"} << false;
        QTest::newRow("real ground, one radius")
            << int(GroundType::RealGround) << QList<double>{0.8} << QStringList{"0.8"} << true;
        QTest::newRow("no wires") << int(GroundType::RealGround) << QList<double>{} << QStringList{} << false;
    }
    void previewShowsGroundRadiiAndShrinking()
    {
        QFETCH(int, groundType);
        QFETCH(QList<double>, radii);
        QFETCH(QStringList, offered);
        QFETCH(bool, shrinking);
        const auto page = pageWith({{"UkorField", "3.5"}, {"RwDField", "1.25"}});
        AntennaPreview preview;
        preview.frequency = 21.25;
        preview.groundType = static_cast<antenna::GroundType>(groundType);
        preview.radiiMm.assign(radii.begin(), radii.end());
        page->showPreview(preview);

        // The ground choices follow the ground type (the ground model has the whole rule).
        QCOMPARE(page->groundControls().state().sommerfeldChecked, groundType == int(antenna::GroundType::RealGround));
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

    void patternAnglesAndSavedBarPositions_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QVariant>("elevation"); // none: nothing saved
        QTest::addColumn<QVariant>("azimuth");
        QTest::addColumn<int>("elevationBar");
        QTest::addColumn<int>("azimuthBar");
        QTest::newRow("in range") << false << QVariant(45LL) << QVariant(270LL) << 45 << 270;
        QTest::newRow("beyond either end") << true << QVariant(200LL) << QVariant(-10LL) << 90 << 0;
        QTest::newRow("only the azimuth saved") << false << QVariant() << QVariant(1000LL) << 7 << 360;
    }
    void patternAnglesAndSavedBarPositions()
    {
        QFETCH(bool, comma);
        QFETCH(QVariant, elevation);
        QFETCH(QVariant, azimuth);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto page = pageWith({});
        page->setPatternAngles(7.5, 9);
        const auto saved = [](const QVariant& value) {
            return value.isValid() ? std::optional<long long>(value.toLongLong()) : std::nullopt;
        };
        page->setAngleBarPositions(saved(elevation), saved(azimuth));
        QTEST(page->patternAngles().elevationPosition, "elevationBar");
        QTEST(page->patternAngles().azimuthPosition, "azimuthBar");
        // The fields keep the angles as given, written in the user's locale.
        QCOMPARE(page->patternAngles().elevationText, comma ? QStringLiteral("7,5") : QStringLiteral("7.5"));
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
