// The main window's own rules: mirrors between fields, scroll bars, the parameter
// change group, the invalidation of "Frequency plots" and the SWR reference fields.
#include "app/GroundControls.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/SwrReferenceFields.h"
#include "app/UserDialogs.h"
#include "common/NumberText.h"
#include "ui_TForm1.h"

#include <QSignalBlocker>

namespace {

// Copies the text of `from` into `to` whenever it changes.
void mirror(QLineEdit* from, QLineEdit* to)
{
    QObject::connect(from, &QLineEdit::textChanged, to, [to](const QString& text) {
        if (to->text() != text)
            to->setText(text);
    });
}

// Calls `write` with the bar's position whenever the user moves the bar (not when a
// program sets it).
template <typename Write>
void onUserScroll(QScrollBar* bar, QObject* context, Write write)
{
    QObject::connect(bar, &QAbstractSlider::actionTriggered, context,
                     [bar, write](int) { write(bar->sliderPosition()); });
}

} // namespace

void TForm1::connectRules()
{
    Ui::TForm1& u = *ui_;

    // Ground radio buttons of the main window also outdate the frequency sweep.
    connect(groundControls_, &GroundControls::groundChoiceClicked, this, [this] { setFrequencyPlotsEnabled(false); });

    onUserScroll(u.AngleElevSetBar, this, [&u](int position) { u.AngleElevField->setText(QString::number(position)); });
    onUserScroll(u.AngleAzSetBar, this, [&u](int position) { u.AngleAzField->setText(QString::number(position)); });
    onUserScroll(u.UkorBar, this, [&u](int position) {
        u.UkorField->setText(QString::fromStdString(
            numtext::withSeparator(numtext::decimals(position / 10.0, 1), localenum::decimalSeparator())));
    });

    mirror(u.AngleElevField, u.Elevation1Field);
    mirror(u.AngleAzField, u.Azimuth1Field);
    mirror(u.FreqField, u.FreqVRNChangeField);
    mirror(u.FreqVRNChangeField, u.FreqField);

    connect(u.EditNEC2InputCheck, &QCheckBox::toggled, this,
            [&u](bool checked) { u.GeometryNEC2->setReadOnly(!checked); });

    connect(u.EnableParamChangeCheck, &QCheckBox::toggled, this, [this] { EnableParamChangeCheckClick(); });
    connect(u.GNDParChangeButton, &QPushButton::clicked, this, [this] { GNDParChangeButtonClick(); });

    // Every change that would change the deck of the last run outdates the sweep.
    const auto outdate = [this] { setFrequencyPlotsEnabled(false); };
    for (QLineEdit* field : {u.EPSField, u.SigmaField, u.RDField, u.EpsDielField, u.UkorField, u.HAntField})
        connect(field, &QLineEdit::textChanged, this, outdate);
    connect(u.RwDField, &QComboBox::editTextChanged, this, outdate);
    connect(u.RwDField, &QComboBox::currentTextChanged, this, outdate);
    for (QCheckBox* box : {u.EKSwitchCheck, u.CDSVSCheck, u.DM2AllSegmentationCheck, u.ReadADMCheck})
        connect(box, &QCheckBox::toggled, this, outdate);
    connect(u.GeometryNEC2, &QPlainTextEdit::textChanged, this, outdate);

    connect(u.ZSwrReNEC2Field, &QLineEdit::textChanged, this, [this] { ZSwrNEC2FieldChange(); });
    connect(u.ZSwrImNEC2Field, &QLineEdit::textChanged, this, [this] { ZSwrNEC2FieldChange(); });
}

void TForm1::EnableParamChangeCheckClick()
{
    Ui::TForm1& u = *ui_;
    const bool changing = u.EnableParamChangeCheck->isChecked() && u.EnableParamChangeCheck->isEnabled();
    u.HAntField->setEnabled(changing);
    u.FreqVRNChangeField->setEnabled(changing);
    u.GNDParChangeButton->setEnabled(changing);
    if (!changing) {
        u.HAntField->setText(localenum::general(FileHeight));
        u.FreqVRNChangeField->setText(localenum::general(FileFrequency));
    }
}

void TForm1::ZSwrNEC2FieldChange()
{
    Ui::TForm1& u = *ui_;
    setFrequencyPlotsEnabled(false);
    const swrfields::Check check = swrfields::checkTexts(u.ZSwrReNEC2Field->text().toStdString(),
                                                         u.ZSwrImNEC2Field->text().toStdString(),
                                                         localenum::decimalSeparator());
    EditWindowSwrReference = engine::SwrReference{check.r, check.x};
    if (check.accepted)
        return;
    dialogs().showMessage(QString::fromStdString(check.message));
    {
        // Both texts are put back together, so the refused text is reported only once.
        const QSignalBlocker blockR(u.ZSwrReNEC2Field);
        const QSignalBlocker blockX(u.ZSwrImNEC2Field);
        u.ZSwrReNEC2Field->setText(QString::fromLatin1(swrfields::kDefaultRText));
        u.ZSwrImNEC2Field->setText(QString::fromLatin1(swrfields::kDefaultXText));
    }
    ZSwrNEC2FieldChange();
}
