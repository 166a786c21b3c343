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
    NEC2InputPage* deckPage = u.TabSheet4;
    connect(sheet, &DataSheetPage::elevationTextChanged, deckPage, &NEC2InputPage::setElevationText);
    connect(sheet, &DataSheetPage::azimuthTextChanged, deckPage, &NEC2InputPage::setAzimuthText);
    connect(sheet, &DataSheetPage::frequencyTextChanged, u.FreqVRNChangeField, mirrorInto(u.FreqVRNChangeField));
    connect(u.FreqVRNChangeField, &QLineEdit::textChanged, sheet, &DataSheetPage::setFrequencyText);

    connect(u.EnableParamChangeCheck, &QCheckBox::toggled, this, [this] { EnableParamChangeCheckClick(); });
    connect(u.GNDParChangeButton, &QPushButton::clicked, this, [this] { GNDParChangeButtonClick(); });

    const auto outdate = [this] { setFrequencyPlotsEnabled(false); };
    connect(u.HAntField, &QLineEdit::textChanged, this, outdate);
    connect(deckPage, &NEC2InputPage::readAdmittanceToggled, this, outdate);
    connect(deckPage, &NEC2InputPage::deckEdited, this, outdate);

    connect(u.TabSheet5, &CurrentsPage::swrReferenceEdited, this, [this] { ZSwrNEC2FieldChange(); });
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
    setFrequencyPlotsEnabled(false);
    SwrReferenceTexts texts = currentsPage().swrReferenceTexts();
    if (!takeSwrReference(texts.r, texts.x))
        currentsPage().setSwrReferenceTexts(texts);
}

} // namespace vrnnec
