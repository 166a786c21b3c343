// The main window's own rules across its pages: mirrors between fields, the invalidation
// of "Frequency plots" and the SWR reference fields.
// Rules within one page are set up by the page.
#include "app/GroundControls.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/ResultsTablePage.h"
#include "app/SwrReferenceFields.h"
#include "app/UserDialogs.h"

#include <QSignalBlocker>

namespace vrnnec {

namespace {

// Copies the text of `from` into `to` whenever it changes.
void mirror(QLineEdit* from, QLineEdit* to)
{
    QObject::connect(from, &QLineEdit::textChanged, to, [to](const QString& text) {
        if (to->text() != text)
            to->setText(text);
    });
}

} // namespace

void TForm1::connectRules()
{
    MainWindowControls& u = *ui_;

    // Ground radio buttons of the main window also outdate the frequency sweep.
    connect(groundControls_, &GroundControls::groundChoiceClicked, this, [this] { setFrequencyPlotsEnabled(false); });
    // Every change that would change the deck of the last run outdates the sweep.
    const auto outdate = [this] { setFrequencyPlotsEnabled(false); };
    for (QLineEdit* field : {u.EPSField, u.SigmaField, u.RDField, u.EpsDielField, u.UkorField})
        connect(field, &QLineEdit::textChanged, this, outdate);
    connect(u.RwDField, &QComboBox::editTextChanged, this, outdate);
    connect(u.RwDField, &QComboBox::currentTextChanged, this, outdate);
    for (QCheckBox* box : {u.EKSwitchCheck, u.CDSVSCheck, u.DM2AllSegmentationCheck})
        connect(box, &QCheckBox::toggled, this, outdate);
}

void TForm1::connectPageRules()
{
    MainWindowControls& u = *ui_;
    mirror(u.AngleElevField, u.Elevation1Field);
    mirror(u.AngleAzField, u.Azimuth1Field);
    // The frequency of the data sheet and that of the parameter change group.
    ResultsTablePage& resultsTable = *u.TabSheet3;
    connect(u.FreqField, &QLineEdit::textChanged, &resultsTable, &ResultsTablePage::setFrequencyText);
    QLineEdit* frequency = u.FreqField;
    connect(&resultsTable, &ResultsTablePage::frequencyTextChanged, frequency, [frequency](const QString& text) {
        if (frequency->text() != text)
            frequency->setText(text);
    });

    connect(&resultsTable, &ResultsTablePage::parameterChangeToggled, this,
            [this, &resultsTable] { resultsTable.applyParameterChange(session_.FileHeight, session_.FileFrequency); });
    connect(&resultsTable, &ResultsTablePage::groundParametersRequested, this, [this] { GNDParChangeButtonClick(); });

    const auto outdate = [this] { setFrequencyPlotsEnabled(false); };
    connect(&resultsTable, &ResultsTablePage::heightTextChanged, this, outdate);
    connect(u.ReadADMCheck, &QCheckBox::toggled, this, outdate);
    connect(u.GeometryNEC2, &QPlainTextEdit::textChanged, this, outdate);

    connect(u.ZSwrReNEC2Field, &QLineEdit::textChanged, this, [this] { ZSwrNEC2FieldChange(); });
    connect(u.ZSwrImNEC2Field, &QLineEdit::textChanged, this, [this] { ZSwrNEC2FieldChange(); });
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
