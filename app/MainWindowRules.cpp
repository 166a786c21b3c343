// The main window's own rules across its pages: mirrors between fields, the invalidation
// of "Frequency plots" and the SWR reference fields.
// Rules within one page are set up by the page.
#include "app/CurrentsPage.h"
#include "app/DataSheetPage.h"
#include "app/GroundControls.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/ResultsTablePage.h"
#include "app/SwrReferenceFields.h"
#include "app/UserDialogs.h"

namespace vrnnec {

void TForm1::connectRules()
{

    // Ground radio buttons of the main window also outdate the frequency sweep.
    connect(groundControls_, &GroundControls::groundChoiceClicked, this, [this] { setFrequencyPlotsEnabled(false); });
    // Every change that would change the deck of the last run outdates the sweep.
    connect(dataSheet_, &DataSheetPage::conversionInputChanged, this, [this] { setFrequencyPlotsEnabled(false); });
}

void TForm1::connectPageRules()
{
    DataSheetPage* sheet = dataSheet_;
    NEC2InputPage* deckPage = nec2Input_;
    ResultsTablePage* resultsTable = resultsTable_;
    connect(sheet, &DataSheetPage::elevationTextChanged, deckPage, &NEC2InputPage::setElevationText);
    connect(sheet, &DataSheetPage::azimuthTextChanged, deckPage, &NEC2InputPage::setAzimuthText);
    // The frequency of the data sheet and that of the parameter change group.
    connect(sheet, &DataSheetPage::frequencyTextChanged, resultsTable, &ResultsTablePage::setFrequencyText);
    connect(resultsTable, &ResultsTablePage::frequencyTextChanged, sheet, &DataSheetPage::setFrequencyText);

    connect(resultsTable, &ResultsTablePage::parameterChangeToggled, this,
            [this, resultsTable] { resultsTable->applyParameterChange(session_.FileHeight, session_.FileFrequency); });
    connect(resultsTable, &ResultsTablePage::groundParametersRequested, this, [this] { GNDParChangeButtonClick(); });

    const auto outdate = [this] { setFrequencyPlotsEnabled(false); };
    connect(resultsTable, &ResultsTablePage::heightTextChanged, this, outdate);
    connect(deckPage, &NEC2InputPage::readAdmittanceToggled, this, outdate);
    connect(deckPage, &NEC2InputPage::deckEdited, this, outdate);

    connect(currents_, &CurrentsPage::swrReferenceEdited, this, [this] { ZSwrNEC2FieldChange(); });
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
