#include "app/DataSheetPage.h"

#include "app/AngleBarPositions.h"
#include "app/DesktopKeys.h"
#include "app/GroundControls.h"
#include "app/LocaleNumbers.h"
#include "app/ResultMemo.h"
#include "app/WaitCursor.h"
#include "common/NumberText.h"
#include "engine/AntennaPreview.h"
#include "ui_DataSheetPage.h"

#include <QKeySequence>

#include <cmath>

namespace vrnnec {

namespace {

// Calls `write` with the bar's position whenever the user moves the bar (not when a
// program sets it).
template <typename Write>
void onUserScroll(QScrollBar* bar, QObject* context, Write write)
{
    QObject::connect(bar, &QAbstractSlider::actionTriggered, context,
                     [bar, write](int) { write(bar->sliderPosition()); });
}

} // namespace

DataSheetPage::DataSheetPage(QWidget* parent) : LazyPage("TabSheet1", parent)
{}

DataSheetPage::~DataSheetPage() = default;

void DataSheetPage::build()
{
    ui_ = std::make_unique<Ui::DataSheetPage>();
    Ui::DataSheetPage& controls = *ui_;
    controls.setupUi(this);
    resultmemo::setUp(*controls.Memo1, false);

    ground_ = new GroundControls(
        {controls.PGround, controls.SNGround, controls.EPSField, controls.SigmaField, controls.GroundListComboBox},
        this);
    ground_->setStandardText(QString::fromUtf8(ground::kDefaultPresetText.data(),
                                               static_cast<qsizetype>(ground::kDefaultPresetText.size())));

    QLineEdit* elevation = controls.AngleElevField;
    QLineEdit* azimuth = controls.AngleAzField;
    QLineEdit* shortening = controls.UkorField;
    onUserScroll(controls.AngleElevSetBar, this,
                 [elevation](int position) { elevation->setText(QString::number(position)); });
    onUserScroll(controls.AngleAzSetBar, this,
                 [azimuth](int position) { azimuth->setText(QString::number(position)); });
    onUserScroll(controls.UkorBar, this, [shortening](int position) {
        shortening->setText(QString::fromStdString(
            numtext::withSeparator(numtext::decimals(position / 10.0, 1), localenum::decimalSeparator())));
    });

    connect(controls.VRNfileName, &QPlainTextEdit::textChanged, this,
            [this] { emit antennaPathChanged(ui_->VRNfileName->toPlainText()); });
    connect(controls.AngleElevField, &QLineEdit::textChanged, this, &DataSheetPage::elevationTextChanged);
    connect(controls.AngleAzField, &QLineEdit::textChanged, this, &DataSheetPage::azimuthTextChanged);
    connect(controls.FreqField, &QLineEdit::textChanged, this, &DataSheetPage::frequencyTextChanged);

    for (QLineEdit* field :
         {controls.EPSField, controls.SigmaField, controls.RDField, controls.EpsDielField, controls.UkorField})
        connect(field, &QLineEdit::textChanged, this, &DataSheetPage::conversionInputChanged);
    connect(controls.RwDField, &QComboBox::editTextChanged, this, &DataSheetPage::conversionInputChanged);
    connect(controls.RwDField, &QComboBox::currentTextChanged, this, &DataSheetPage::conversionInputChanged);
    for (QCheckBox* box : {controls.EKSwitchCheck, controls.CDSVSCheck, controls.DM2AllSegmentationCheck})
        connect(box, &QCheckBox::toggled, this, &DataSheetPage::conversionInputChanged);

    for (QGroupBox* group : {controls.GroupBox2, controls.GroupBox3})
        connect(group, &QWidget::customContextMenuRequested, this,
                [this, group](const QPoint& position) { emit accessoriesMenuRequested(group->mapToGlobal(position)); });
}

DataSheetPage::Checked<conversion::ConversionOptions> DataSheetPage::conversionOptions() const
{
    const Ui::DataSheetPage& u = *ui_;
    localenum::FieldReader read;
    conversion::ConversionOptions s;
    s.useDM2 = u.DM2AllSegmentationCheck->isChecked();
    s.useCSDVS = u.CDSVSCheck->isChecked();
    s.thetaDeg = 90 - read(u.AngleElevField->text());
    s.azimuthDeg = read(u.AngleAzField->text());
    s.useEK = u.EKSwitchCheck->isChecked();
    s.groundEps = read(u.EPSField->text());
    s.groundSigma = read(u.SigmaField->text()) * 0.001;
    s.perfectGround = u.PGround->isChecked();
    return {s, read.refusal};
}

DataSheetPage::Checked<double> DataSheetPage::frequencyMHz() const
{
    localenum::FieldReader read;
    const double frequency = read(ui_->FreqField->text());
    return {frequency, read.refusal};
}

DataSheetPage::Checked<coat::CoatInputs> DataSheetPage::coatInputs() const
{
    const Ui::DataSheetPage& u = *ui_;
    localenum::FieldReader read;
    coat::CoatInputs inputs;
    inputs.wireRadiusMm = read(u.RwDField->currentText());
    inputs.coatRadiusMm = read(u.RDField->text());
    inputs.permittivity = read(u.EpsDielField->text());
    inputs.shorterPercent = read(u.UkorField->text());
    inputs.shrinkX = u.X_Shrinking_CheckBox->isChecked();
    inputs.shrinkY = u.Y_Shrinking_CheckBox->isChecked();
    inputs.shrinkZ = u.Z_Shrinking_CheckBox->isChecked();
    return {inputs, read.refusal};
}

bool DataSheetPage::convertOnly() const
{
    return ui_->ShowNEC2InputCheck->isChecked();
}

QString DataSheetPage::antennaPath() const
{
    return ui_->VRNfileName->toPlainText();
}

void DataSheetPage::setAntennaPath(const QString& path)
{
    ui_->VRNfileName->setPlainText(path);
}

void DataSheetPage::showPreview(const AntennaPreview& preview)
{
    Ui::DataSheetPage& u = *ui_;
    ground_->setState(ground::ForGroundType(ground_->state(), preview.groundType));

    setFrequency(preview.frequency);

    const std::vector<double> radii = DistinctRadiiMm(preview);
    u.RwDField->clear();
    for (double radius : radii)
        u.RwDField->addItem(localenum::general(radius));
    if (!radii.empty())
        u.RwDField->setEditText(localenum::general(radii.front()));

    // Shrinking is offered only for antennas made of one wire radius.
    const bool oneRadius = radii.size() == 1;
    if (!oneRadius) {
        u.UkorBar->setValue(0);
        u.UkorField->setText(QStringLiteral("0"));
    }
    for (QWidget* w : {static_cast<QWidget*>(u.UkorField), static_cast<QWidget*>(u.UkorBar),
                       static_cast<QWidget*>(u.X_Shrinking_CheckBox), static_cast<QWidget*>(u.Y_Shrinking_CheckBox),
                       static_cast<QWidget*>(u.Z_Shrinking_CheckBox)})
        w->setEnabled(oneRadius);
}

void DataSheetPage::setFrequency(double megahertz)
{
    ui_->FreqField->setText(localenum::general(megahertz));
}

QString DataSheetPage::frequencyText() const
{
    return ui_->FreqField->text();
}

void DataSheetPage::setFrequencyText(const QString& text)
{
    if (ui_->FreqField->text() != text)
        ui_->FreqField->setText(text);
}

void DataSheetPage::appendToMemo(const QStringList& lines)
{
    resultmemo::append(*ui_->Memo1, lines);
}

void DataSheetPage::appendToMemo(const std::vector<std::string>& lines)
{
    resultmemo::append(*ui_->Memo1, lines);
}

void DataSheetPage::setCalculationBusy(bool coated, bool busy)
{
    if (coated)
        showWaitCursor({ui_->GroupBox3, ui_->Execute}, busy);
    else
        showWaitCursor({this, ui_->Execute_Original}, busy);
}

DataSheetPage::PatternAngles DataSheetPage::patternAngles() const
{
    return {ui_->AngleElevField->text(), ui_->AngleAzField->text(), ui_->AngleElevSetBar->value(),
            ui_->AngleAzSetBar->value()};
}

void DataSheetPage::setPatternAngles(double elevation, double azimuth)
{
    ui_->AngleElevSetBar->setValue(static_cast<int>(std::trunc(elevation)));
    ui_->AngleAzSetBar->setValue(static_cast<int>(std::trunc(azimuth)));
    ui_->AngleElevField->setText(localenum::general(elevation));
    ui_->AngleAzField->setText(localenum::general(azimuth));
}

void DataSheetPage::setAngleBarPositions(std::optional<long long> elevation, std::optional<long long> azimuth)
{
    for (auto [bar, position] : {std::pair{ui_->AngleElevSetBar, elevation}, std::pair{ui_->AngleAzSetBar, azimuth}})
        if (position)
            bar->setValue(anglebars::clampPosition(*position, bar->minimum(), bar->maximum()));
}

std::optional<QString> DataSheetPage::settingText(const QString& control) const
{
    if (control == ui_->GroundListComboBox->objectName())
        return ui_->GroundListComboBox->currentText();
    if (const auto* field = findChild<QLineEdit*>(control))
        return field->text();
    return std::nullopt;
}

std::optional<bool> DataSheetPage::settingFlag(const QString& control) const
{
    if (const auto* box = findChild<QCheckBox*>(control))
        return box->isChecked();
    return std::nullopt;
}

bool DataSheetPage::applySettingText(const QString& control, const QString& text)
{
    if (control == ui_->GroundListComboBox->objectName()) {
        ground_->setStandardText(text);
        return true;
    }
    auto* field = findChild<QLineEdit*>(control);
    if (field == nullptr)
        return false;
    field->setText(text);
    return true;
}

bool DataSheetPage::applySettingFlag(const QString& control, bool checked)
{
    auto* box = findChild<QCheckBox*>(control);
    if (box == nullptr)
        return false;
    box->setChecked(checked);
    return true;
}

std::vector<std::pair<QAbstractButton*, Command>> DataSheetPage::commandEntries() const
{
    // The buttons are handed out only to be bound to their commands' actions.
    return {{ui_->ButtonVRNfileFind, Command::FindAntennaFile},
            {ui_->RefreshButton, Command::Refresh},
            {ui_->Execute_Original, Command::CalculateOriginal},
            {ui_->Execute, Command::CalculateCoated}};
}

void DataSheetPage::installKeys(QWidget& window)
{
    ui_->ButtonVRNfileFind->setText(QStringLiteral("&Find VORNA file"));
    ui_->RefreshButton->setText(QStringLiteral("&Refresh"));
    ui_->Execute_Original->setText(QStringLiteral("Calculate at &original of VORNA file"));
    ui_->Execute->setText(QStringLiteral("&Calculate"));

    AddButtonKey(window, QStringLiteral("FindVornaFileKey"), QKeySequence(Qt::CTRL | Qt::Key_O),
                 ui_->ButtonVRNfileFind);
    AddButtonKey(window, QStringLiteral("CalculateOriginalKey"), QKeySequence(Qt::Key_F9), ui_->Execute_Original);
    AddButtonKey(window, QStringLiteral("RefreshKey"), QKeySequence(Qt::Key_F5), ui_->RefreshButton);
}

} // namespace vrnnec
