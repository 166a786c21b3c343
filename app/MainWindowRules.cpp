// The main window's own rules across its pages: mirrors between fields, the parameter
// change group, the invalidation of "Frequency plots" and the SWR reference fields.
// Rules within one page are set up by the page.
#include "app/GroundControls.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/SwrReferenceFields.h"
#include "app/UserDialogs.h"

#include <QSignalBlocker>

namespace vrnnec {

namespace {

// Copies a text that changed into `to`.
auto mirrorInto(QLineEdit* to)
{
    return [to](const QString& text) {
        if (to->text() != text)
            to->setText(text);
    };
}

} // namespace

void TForm1::connectRules()
{
    MainWindowControls& u = *ui_;

    // Ground radio buttons of the main window also outdate the frequency sweep.
    connect(groundControls_, &GroundControls::groundChoiceClicked, this, [this] { setFrequencyPlotsEnabled(false); });
    // Every change that would change the deck of the last run outdates the sweep.
    connect(u.TabSheet1, &DataSheetPage::conversionInputChanged, this, [this] { setFrequencyPlotsEnabled(false); });
}

void TForm1::connectPageRules()
{
    MainWindowControls& u = *ui_;
    DataSheetPage* sheet = u.TabSheet1;
    connect(sheet, &DataSheetPage::elevationTextChanged, u.Elevation1Field, mirrorInto(u.Elevation1Field));
    connect(sheet, &DataSheetPage::azimuthTextChanged, u.Azimuth1Field, mirrorInto(u.Azimuth1Field));
    connect(sheet, &DataSheetPage::frequencyTextChanged, u.FreqVRNChangeField, mirrorInto(u.FreqVRNChangeField));
    connect(u.FreqVRNChangeField, &QLineEdit::textChanged, sheet, &DataSheetPage::setFrequencyText);

    connect(u.EnableParamChangeCheck, &QCheckBox::toggled, this, [this] { EnableParamChangeCheckClick(); });
    connect(u.GNDParChangeButton, &QPushButton::clicked, this, [this] { GNDParChangeButtonClick(); });

    const auto outdate = [this] { setFrequencyPlotsEnabled(false); };
    connect(u.HAntField, &QLineEdit::textChanged, this, outdate);
    connect(u.ReadADMCheck, &QCheckBox::toggled, this, outdate);
    connect(u.GeometryNEC2, &QPlainTextEdit::textChanged, this, outdate);

    connect(u.ZSwrReNEC2Field, &QLineEdit::textChanged, this, [this] { ZSwrNEC2FieldChange(); });
    connect(u.ZSwrImNEC2Field, &QLineEdit::textChanged, this, [this] { ZSwrNEC2FieldChange(); });
}

void TForm1::EnableParamChangeCheckClick()
{
    MainWindowControls& u = ui();
    const bool changing = u.EnableParamChangeCheck->isChecked() && u.EnableParamChangeCheck->isEnabled();
    u.HAntField->setEnabled(changing);
    u.FreqVRNChangeField->setEnabled(changing);
    u.GNDParChangeButton->setEnabled(changing);
    if (!changing) {
        u.HAntField->setText(localenum::general(session_.FileHeight));
        u.FreqVRNChangeField->setText(localenum::general(session_.FileFrequency));
    }
}

bool TForm1::takeSwrReference(QString& r, QString& x)
{
    const swrfields::Check check =
        swrfields::checkTexts(r.toStdString(), x.toStdString(), localenum::decimalSeparator());
    session_.EditWindowSwrReference = engine::SwrReference{check.r, check.x};
    if (check.accepted)
        return true;
    dialogs().showMessage(QString::fromStdString(check.message));
    // Both texts are put back together, so the refused text is reported only once.
    r = QString::fromLatin1(swrfields::kDefaultRText);
    x = QString::fromLatin1(swrfields::kDefaultXText);
    takeSwrReference(r, x);
    return false;
}

void TForm1::ZSwrNEC2FieldChange()
{
    MainWindowControls& u = ui();
    setFrequencyPlotsEnabled(false);
    QString r = u.ZSwrReNEC2Field->text();
    QString x = u.ZSwrImNEC2Field->text();
    if (takeSwrReference(r, x))
        return;
    const QSignalBlocker blockR(u.ZSwrReNEC2Field);
    const QSignalBlocker blockX(u.ZSwrImNEC2Field);
    u.ZSwrReNEC2Field->setText(r);
    u.ZSwrImNEC2Field->setText(x);
}

} // namespace vrnnec
